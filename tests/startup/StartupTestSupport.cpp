#include "StartupTestSupport.h"

#include "testkit/PrefsRecord.h"

namespace startuptest {

namespace {

// A fixed, old modification date for the preferences file, so that any
// rewrite shows, however quickly it follows.
const auto kOldDate = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);

} // namespace

void StartupTest::savePrefs(const SavedSettings& s)
{
    namespace at = testkit::prefs;
    testkit::Bytes bytes = at::record();
    for (int i = 0; i < 4; ++i)
        bytes[at::kRatioSelection - 3 + i] = uint8_t(s.ratioSelection >> (24 - 8 * i));
    bytes[at::kEnableCacheOnRestart] = s.enableCache;
    bytes[at::kDisableSpeculativeAccess] = s.disableSpeculativeAccess;
    bytes[at::kEnableDPM] = s.enableDPM;
    bytes[at::kWriteThrough] = s.writeThrough;
    savePrefsBytes(bytes);
}

void StartupTest::savePrefsBytes(const testkit::Bytes& bytes)
{
    testkit::writeBytes(prefsFile(), bytes);
    std::filesystem::last_write_time(prefsFile(), kOldDate);
    savedBytes_ = bytes;
}

std::string itemProgram()
{
    return (testkit::binDirectory() / ".." / "libexec" / "korvendale" / "Korvendale Startup").string();
}

testkit::ProcessResult StartupTest::runItem(const std::vector<std::string>& args)
{
    return testkit::run(itemProgram(), args);
}

void StartupTest::TearDown()
{
    if (savedBytes_) {
        EXPECT_EQ(testkit::readBytes(prefsFile()), *savedBytes_) << "the preferences file was changed";
        EXPECT_EQ(std::filesystem::last_write_time(prefsFile()), kOldDate)
            << "the preferences file was rewritten";
    } else {
        EXPECT_FALSE(std::filesystem::exists(prefsFile())) << "a preferences file was created";
    }
}

} // namespace startuptest
