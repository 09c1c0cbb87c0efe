// faults-prefs-writer: the preferences code in a process a test can starve of
// disk space or kill at any moment.
//
//   faults-prefs-writer write A|B   read the file, set record A or B, write it
//   faults-prefs-writer loop        write A, B, A, ... until killed
//   faults-prefs-writer read        print the record read, 36 bytes in hex
//
// A raised error is printed as "error NUMBER: DESCRIPTION" with status 1.
#include <prefs/G3TarnwickAppPrefs.h>
#include <prefs/PrefsRecordCodec.h>
#include <support/ThrowError.h>

#include <cstdio>
#include <cstring>

namespace {

void setRecord(bool a)
{
    G3TarnwickAppPrefs& p = prefs;
    prefs.activeTab = a ? 1 : 2;
    prefs.cacheRatioMenuSelection = a ? 4 : 7;
    Boolean* const flags[] = {&p.processorOverviewDinked, &p.cacheOverviewDinked,
        &p.motherboardOverviewDinked, &p.backsideCacheDinked, &p.enableBacksideCacheOnRestart,
        &p.motherboardCacheDinked, &p.disableMotherboardCacheOnRestart, &p.speculativeAccessDinked,
        &p.disableSpeculativeAccessOnRestart, &p.dynamicPowerManagementDinked,
        &p.enableDynamicPowerManagementOnRestart, &p.bootXConfigDinked, &p.configureBootXOnRestart,
        &p.romAliasingDinked, &p.enableROMAliasingOnRestart, &p.aboutKorvendaleDinked, &p.writeThruMode,
        &p.splashScreenAtBoot, &p.initConfigDinked, &p.displayAutoDetectWarning, &p.display2_1Warning};
    for (Boolean* f : flags)
        *f = a ? 1 : 0;
}

int report(const ThrowError& error)
{
    std::fprintf(stderr, "error %d: %.*s\n", ThrowErrorNumber(error), error.description[0],
        reinterpret_cast<const char*>(error.description + 1));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const char* verb = argc > 1 ? argv[1] : "";
    try {
        ReadG3TarnwickAppPrefs();
        if (std::strcmp(verb, "write") == 0 && argc == 3) {
            setRecord(argv[2][0] == 'A');
            WriteG3TarnwickAppPrefs();
        } else if (std::strcmp(verb, "loop") == 0) {
            for (bool a = true;; a = !a) {
                setRecord(a);
                WriteG3TarnwickAppPrefs();
            }
        } else if (std::strcmp(verb, "read") == 0) {
            for (UInt8 byte : EncodePrefsRecord(prefs))
                std::printf("%02X", byte);
            std::printf("\n");
        } else {
            std::fprintf(stderr, "usage: faults-prefs-writer write A|B | loop | read\n");
            return 2;
        }
    } catch (const ThrowError& error) {
        return report(error);
    }
    return 0;
}
