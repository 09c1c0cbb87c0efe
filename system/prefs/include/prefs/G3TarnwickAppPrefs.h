// The saved settings shared by Tarnwick X and Korvendale Startup: one record,
// held in the global `prefs`, stored as a 36-byte big-endian file
// "Tarnwick X Prefs" in the startup item's folder.
#pragma once

#include <MacTypes.h>

class PDirectoryDescriptor;

enum : UInt32 {
    kTarnwickPrefsVersion = 4,
};

// In-memory form of the record. Fields are in file order; the file itself is
// produced field by field (see PrefsRecordCodec.h), never by copying this struct.
struct G3TarnwickAppPrefs {
    UInt32 version;
    UInt32 activeTab;
    Boolean processorOverviewDinked;
    Boolean cacheOverviewDinked;
    Boolean motherboardOverviewDinked;
    Boolean backsideCacheDinked;
    UInt32 cacheRatioMenuSelection;
    Boolean enableBacksideCacheOnRestart;
    Boolean motherboardCacheDinked;
    Boolean disableMotherboardCacheOnRestart;
    Boolean speculativeAccessDinked;
    Boolean disableSpeculativeAccessOnRestart;
    Boolean dynamicPowerManagementDinked;
    Boolean enableDynamicPowerManagementOnRestart;
    Boolean bootXConfigDinked;
    Boolean configureBootXOnRestart;
    Boolean romAliasingDinked;
    Boolean enableROMAliasingOnRestart;
    Boolean aboutKorvendaleDinked;
    Boolean writeThruMode;
    Boolean splashScreenAtBoot;
    Boolean initConfigDinked;
    Boolean displayAutoDetectWarning;
    Boolean display2_1Warning;
    // Not interpreted, but carried through a read and a write unchanged.
    UInt8 alignment[3];
};

// The program's one record: all zero until ReadG3TarnwickAppPrefs fills it.
extern G3TarnwickAppPrefs prefs;

// Fills `prefs` from the file, or with defaults from the hardware when there
// is no file. Raises ThrowError on a file-system failure or a record from a
// newer version. Afterwards `prefs.version` is kTarnwickPrefsVersion.
void ReadG3TarnwickAppPrefs();

// Replaces the file with `prefs`. The replacement is atomic: after a failure
// the file still holds the record it held before. Raises ThrowError.
void WriteG3TarnwickAppPrefs();

// The startup item's own folder, where the file lies: System -> Library ->
// StartupItems -> Korvendale Startup. Raises ThrowError when a folder on the
// way is missing.
PDirectoryDescriptor StartupItemFolder();
