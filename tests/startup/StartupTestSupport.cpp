#include "StartupTestSupport.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace startuptest {

namespace {

// A fixed, old modification date for the preferences file, so that any
// rewrite shows, however quickly it follows.
const auto kOldDate = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

void PrintTo(const NodeWrite& w, std::ostream* os)
{
    *os << w.node << " " << w.oldWord << " -> " << w.newWord << " " << w.program;
}

std::filesystem::path StartupTest::folder() const
{
    return machine.disk() / "System" / "Library" / "StartupItems" / "Korvendale Startup";
}

void StartupTest::savePrefs(const SavedSettings& s)
{
    // Offsets of the record: version 0, ratio choice 12..15, cache at boot 16,
    // speculative access off 20, DPM on 22, write-through 28.
    std::vector<unsigned char> bytes = {0, 0, 0, 4, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0,
        1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 0, 0, 0};
    bytes[12] = static_cast<unsigned char>(s.ratioSelection >> 24);
    bytes[13] = static_cast<unsigned char>(s.ratioSelection >> 16);
    bytes[14] = static_cast<unsigned char>(s.ratioSelection >> 8);
    bytes[15] = static_cast<unsigned char>(s.ratioSelection);
    bytes[16] = s.enableCache;
    bytes[20] = s.disableSpeculativeAccess;
    bytes[22] = s.enableDPM;
    bytes[28] = s.writeThrough;
    savePrefsBytes(bytes);
}

void StartupTest::savePrefsBytes(const std::vector<unsigned char>& bytes)
{
    {
        std::ofstream out(prefsFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::filesystem::last_write_time(prefsFile(), kOldDate);
    savedBytes_ = bytes;
}

testkit::ProcessResult StartupTest::boot()
{
    return testkit::run("macsim", {"boot"}, {{"MACSIM_MACHINE", machine.directory().string()}});
}

testkit::ProcessResult StartupTest::runItem(const std::vector<std::string>& args)
{
    const auto item = testkit::binDirectory() / ".." / "libexec" / "korvendale" / "Korvendale Startup";
    return testkit::run(item.string(), args, {{"MACSIM_MACHINE", machine.directory().string()}});
}

std::vector<NodeWrite> StartupTest::allItemWrites()
{
    std::vector<NodeWrite> writes;
    std::istringstream journal(machine.journal());
    std::string line;
    while (std::getline(journal, line)) {
        std::istringstream fields(line);
        std::string seq, arrow;
        NodeWrite w;
        fields >> seq >> w.node >> w.oldWord >> arrow >> w.newWord;
        std::getline(fields >> std::ws, w.program);
        if (w.program == "Korvendale Startup")
            writes.push_back(w);
    }
    return writes;
}

std::vector<NodeWrite> StartupTest::itemWrites(const std::string& node)
{
    std::vector<NodeWrite> writes;
    for (const auto& w : allItemWrites()) {
        if (w.node == node)
            writes.push_back(w);
    }
    return writes;
}

void StartupTest::TearDown()
{
    if (savedBytes_) {
        EXPECT_EQ(ReadBytes(prefsFile()), *savedBytes_) << "the preferences file was changed";
        EXPECT_EQ(std::filesystem::last_write_time(prefsFile()), kOldDate)
            << "the preferences file was rewritten";
    } else {
        EXPECT_FALSE(std::filesystem::exists(prefsFile())) << "a preferences file was created";
    }
}

} // namespace startuptest
