#include "PanesTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace panes {

std::vector<std::string> SampleRun::linesFrom(const std::string& first) const
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(first, 0) == 0)
            return {lines.begin() + static_cast<long>(i), lines.end()};
    return lines;
}

SampleRun runSample(const std::string& script)
{
    SampleRun run;
    const testkit::ScriptedRun result = testkit::runScripted("panes-sample", script);
    run.status = result.status;
    run.err = result.err;
    run.dir = result.dir;

    std::istringstream out(result.out);
    std::string line, dump;
    bool inDump = false;
    bool ready = false;
    while (std::getline(out, line)) {
        if (!inDump && line.rfind("window ", 0) == 0)
            inDump = true;
        if (!inDump) {
            if (ready)
                run.lines.push_back(line);
            else
                ready = line == "ready";
        } else if (line == "--") {
            run.dumps.push_back(dump);
            dump.clear();
            inDump = false;
        } else {
            dump += line + "\n";
        }
    }
    return run;
}

void expectMatchesExpected(const std::string& actual, const std::string& name)
{
    const auto path = std::filesystem::path(KORV_PANES_EXPECTED_DIR) / (name + ".txt");
    const char* update = std::getenv("UPDATE_GOLDENS");
    if (update && std::string(update) == "1") {
        std::ofstream(path) << actual;
        return;
    }
    std::ifstream in(path);
    if (!in) {
        ADD_FAILURE() << "missing expectation " << path << " (UPDATE_GOLDENS=1 writes it)";
        return;
    }
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), actual) << "differs from " << path << " (UPDATE_GOLDENS=1 rewrites it)";
}

std::string lineStarting(const std::string& dump, const std::string& prefix)
{
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "";
}

} // namespace panes
