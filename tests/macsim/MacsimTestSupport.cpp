#include "MacsimTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace macsimtest {

testkit::ProcessResult macsim(const fs::path& machine, const std::vector<std::string>& args)
{
    return testkit::run("macsim", args, {{"MACSIM_MACHINE", machine.string()}});
}

testkit::ProcessResult probe(const fs::path& machine, const std::vector<std::string>& args)
{
    return testkit::run("macsim-node-probe", args, {{"MACSIM_MACHINE", machine.string()}});
}

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "macsim-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text, bool executable)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    if (executable)
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

} // namespace macsimtest
