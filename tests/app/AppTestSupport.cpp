#include "AppTestSupport.h"

#include <golden/Golden.h>
#include <image/Png.h>
#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace apptest {

namespace {

fs::path freshDirectory()
{
    std::string pattern = (fs::temp_directory_path() / "tarnwick-run-XXXXXX").string();
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

AppRun runWith(const std::string& program, const std::vector<std::string>& args, const std::string& script,
    std::map<std::string, std::string> env, bool openToAll)
{
    AppRun run;
    run.dir = freshDirectory();
    if (openToAll)
        fs::permissions(run.dir, fs::perms::all);
    const auto scriptPath = run.dir / "script.txt";
    std::ofstream(scriptPath) << replaced(script, "@DIR@", run.dir.string());
    env.emplace("MACSIM_DISPLAY", "headless");
    env.emplace("MACSIM_SCRIPT", scriptPath.string());
    env.emplace("MACSIM_LOG_DIALOGS", "1");
    const auto result = testkit::run(program, args, env);
    run.status = result.status;
    run.out = result.out;
    run.err = result.err;
    return run;
}

} // namespace

std::vector<std::string> AppRun::dialogs() const
{
    std::vector<std::string> lines;
    std::istringstream in(err);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("alert ", 0) == 0 || line.rfind("dialog ", 0) == 0)
            lines.push_back(line);
    return lines;
}

AppRun runTarnwick(const std::string& script, const std::map<std::string, std::string>& env)
{
    return runWith("tarnwick-x", {}, script, env, false);
}

AppRun runTarnwickAsNobody(testkit::ScopedMachine& machine, const std::string& script)
{
    // The machine lives in a private temporary folder; nobody may look in,
    // but the startup item's folder keeps root's 0755, so writing there is
    // refused.
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
        | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(machine.directory().parent_path(), open);
    fs::permissions(machine.directory(), open);
    const auto app = (testkit::binDirectory() / "tarnwick-x").string();
    auto run = runWith("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "--", app},
        script, {}, true);
    return run;
}

fs::path prefsPath(const testkit::ScopedMachine& machine)
{
    return machine.disk() / "System" / "Library" / "StartupItems" / "Korvendale Startup" / "Tarnwick X Prefs";
}

std::vector<uint8_t> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<JournalWrite> journalWrites(testkit::ScopedMachine& machine)
{
    std::vector<JournalWrite> writes;
    std::istringstream in(machine.journal());
    std::string sequence, node, oldText, arrow, newText, program;
    while (in >> sequence >> node >> oldText >> arrow >> newText >> program)
        writes.push_back({node, uint32_t(std::stoul(oldText, nullptr, 16)),
            uint32_t(std::stoul(newText, nullptr, 16)), program});
    return writes;
}

std::vector<uint32_t> writesByApp(testkit::ScopedMachine& machine, const std::string& node)
{
    std::vector<uint32_t> values;
    for (const auto& write : journalWrites(machine))
        if (write.node == node && write.program == "tarnwick-x")
            values.push_back(write.newValue);
    return values;
}

bool sameRegion(const fs::path& a, const fs::path& b, int left, int top, int right, int bottom)
{
    toolbox::Image first, second;
    if (!toolbox::readPNG(a.string(), first) || !toolbox::readPNG(b.string(), second))
        return false;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (first.at(x, y) != second.at(x, y))
                return false;
    return true;
}

void expectWindowMatchesGolden(const fs::path& snapshot, const std::string& name, int contentHeight)
{
    toolbox::Image screen;
    std::string error;
    ASSERT_TRUE(toolbox::readPNG(snapshot.string(), screen, &error)) << snapshot << ": " << error;
    constexpr int left = 150, top = 60, width = 370;
    ASSERT_LE(top + contentHeight, screen.height);
    toolbox::Image content;
    content.width = width;
    content.height = contentHeight;
    for (int y = top; y < top + contentHeight; ++y)
        for (int x = left; x < left + width; ++x)
            content.pixels.push_back(screen.at(x, y));
    EXPECT_TRUE(golden::matchesGolden(content, "app/" + name));
}

} // namespace apptest
