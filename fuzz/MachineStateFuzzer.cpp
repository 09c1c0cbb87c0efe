// The simulated machine's state file: any text is either refused with a
// message that names the file and the line, or parsed into a state that
// formats and parses back to the same text.
#include "FuzzCheck.h"

#include <macsim/StateFile.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string fileName = "/machine/state";
    std::string_view text(reinterpret_cast<const char*>(data), size);

    macsim::MachineState state;
    macsim::Error error = macsim::parseState(text, fileName, state);
    if (error) {
        FUZZ_CHECK(error.code == EIO);
        FUZZ_CHECK(error.message.rfind(fileName + ":", 0) == 0);
        FUZZ_CHECK(error.message.find('\n') == std::string::npos);
        return 0;
    }

    std::string formatted = macsim::formatState(state);
    macsim::MachineState again;
    FUZZ_CHECK(!macsim::parseState(formatted, fileName, again));
    FUZZ_CHECK(macsim::formatState(again) == formatted);
    return 0;
}
