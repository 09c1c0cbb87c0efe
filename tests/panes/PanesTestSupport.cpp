#include "PanesTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace panes {

namespace {

std::filesystem::path freshDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "panes-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

std::vector<std::string> SampleRun::linesFrom(const std::string& first) const
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(first, 0) == 0)
            return {lines.begin() + static_cast<long>(i), lines.end()};
    return lines;
}

bool haveXvfb()
{
    return std::filesystem::exists("/usr/bin/xvfb-run");
}

SampleRun runSample(const std::string& script, Display display)
{
    SampleRun run;
    run.dir = freshDirectory();
    run.dirRemover = std::shared_ptr<void>(nullptr, [dir = run.dir](void*) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
    const auto scriptPath = run.dir / "script.txt";
    std::ofstream(scriptPath) << replaced(script, "@DIR@", run.dir.string());

    const std::map<std::string, std::string> env {{"MACSIM_SCRIPT", scriptPath.string()},
        {"MACSIM_DISPLAY", display == Display::Headless ? "headless" : "\x01unset"}};
    const auto sample = (testkit::binDirectory() / "panes-sample").string();
    auto result = display == Display::Headless ? testkit::run(sample, {}, env)
                                               : testkit::run("/usr/bin/xvfb-run", {"-a", sample}, env);
    run.status = result.status;
    run.err = result.err;

    std::istringstream out(result.out);
    std::string line, dump;
    bool inDump = false;
    bool ready = false;
    while (std::getline(out, line)) {
        if (!inDump && line.rfind("window ", 0) == 0)
            inDump = true;
        if (!inDump) {
            if (!ready && line == "ready")
                ready = true;
            else
                (ready ? run.lines : run.startup).push_back(line);
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

namespace panes {

std::string bandLine(const std::string& dump, const std::string& title)
{
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("  band ", 0) == 0 && line.find("\"" + title + "\"") != std::string::npos)
            return line;
    return "";
}

} // namespace panes
