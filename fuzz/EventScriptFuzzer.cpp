// Event scripts (MACSIM_SCRIPT), which every program on the toolbox reads at
// start: any text is either refused with a line number and a reason, or
// parsed into steps that each name the line they came from.
#include "FuzzCheck.h"

#include "script/ScriptParser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    toolbox::ParsedScript script;
    toolbox::ScriptError error;
    if (!toolbox::parseScript(text, script, error)) {
        FUZZ_CHECK(error.line >= 1);
        FUZZ_CHECK(!error.message.empty());
        return 0;
    }
    int previous = 0;
    for (const toolbox::ScriptStep& step : script.steps) {
        FUZZ_CHECK(step.line > previous);
        previous = step.line;
    }
    return 0;
}
