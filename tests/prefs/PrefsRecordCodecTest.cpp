// Each field of the record at its own offset, in both directions: distinct
// bytes catch two fields swapped, which records made of 0s and 1s would not,
// and pinning each direction on its own catches a fault the other repeats
// (every file test reads and writes through this codec).
#include "prefs/PrefsRecordCodec.h"

#include <gtest/gtest.h>

namespace {

const PrefsRecordImage kDistinctBytes = {0x00, 0x00, 0x00, 0x04, 0x11, 0x22, 0x33, 0x44, 0x01, 0x02, 0x03,
    0x04, 0x00, 0x00, 0x00, 0x07, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10,
    0x11, 0x12, 0x13, 0x14, 0x15, 0xA1, 0xB2, 0xC3};

TEST(PrefsRecordCodec, DecodesEachFieldFromItsOffset)
{
    const G3TarnwickAppPrefs r = DecodePrefsRecord(kDistinctBytes);
    EXPECT_EQ(r.version, 4u);
    EXPECT_EQ(r.activeTab, 0x11223344u);
    EXPECT_EQ(r.processorOverviewDinked, 0x01);
    EXPECT_EQ(r.cacheOverviewDinked, 0x02);
    EXPECT_EQ(r.motherboardOverviewDinked, 0x03);
    EXPECT_EQ(r.backsideCacheDinked, 0x04);
    EXPECT_EQ(r.cacheRatioMenuSelection, 7u);
    EXPECT_EQ(r.enableBacksideCacheOnRestart, 0x05);
    EXPECT_EQ(r.motherboardCacheDinked, 0x06);
    EXPECT_EQ(r.disableMotherboardCacheOnRestart, 0x07);
    EXPECT_EQ(r.speculativeAccessDinked, 0x08);
    EXPECT_EQ(r.disableSpeculativeAccessOnRestart, 0x09);
    EXPECT_EQ(r.dynamicPowerManagementDinked, 0x0A);
    EXPECT_EQ(r.enableDynamicPowerManagementOnRestart, 0x0B);
    EXPECT_EQ(r.bootXConfigDinked, 0x0C);
    EXPECT_EQ(r.configureBootXOnRestart, 0x0D);
    EXPECT_EQ(r.romAliasingDinked, 0x0E);
    EXPECT_EQ(r.enableROMAliasingOnRestart, 0x0F);
    EXPECT_EQ(r.aboutKorvendaleDinked, 0x10);
    EXPECT_EQ(r.writeThruMode, 0x11);
    EXPECT_EQ(r.splashScreenAtBoot, 0x12);
    EXPECT_EQ(r.initConfigDinked, 0x13);
    EXPECT_EQ(r.displayAutoDetectWarning, 0x14);
    EXPECT_EQ(r.display2_1Warning, 0x15);
    EXPECT_EQ(r.alignment[0], 0xA1);
    EXPECT_EQ(r.alignment[1], 0xB2);
    EXPECT_EQ(r.alignment[2], 0xC3);
}

TEST(PrefsRecordCodec, EncodesEachFieldAtItsOffset)
{
    G3TarnwickAppPrefs r {};
    r.version = 4;
    r.activeTab = 0x11223344;
    r.processorOverviewDinked = 0x01;
    r.cacheOverviewDinked = 0x02;
    r.motherboardOverviewDinked = 0x03;
    r.backsideCacheDinked = 0x04;
    r.cacheRatioMenuSelection = 7;
    r.enableBacksideCacheOnRestart = 0x05;
    r.motherboardCacheDinked = 0x06;
    r.disableMotherboardCacheOnRestart = 0x07;
    r.speculativeAccessDinked = 0x08;
    r.disableSpeculativeAccessOnRestart = 0x09;
    r.dynamicPowerManagementDinked = 0x0A;
    r.enableDynamicPowerManagementOnRestart = 0x0B;
    r.bootXConfigDinked = 0x0C;
    r.configureBootXOnRestart = 0x0D;
    r.romAliasingDinked = 0x0E;
    r.enableROMAliasingOnRestart = 0x0F;
    r.aboutKorvendaleDinked = 0x10;
    r.writeThruMode = 0x11;
    r.splashScreenAtBoot = 0x12;
    r.initConfigDinked = 0x13;
    r.displayAutoDetectWarning = 0x14;
    r.display2_1Warning = 0x15;
    r.alignment[0] = 0xA1;
    r.alignment[1] = 0xB2;
    r.alignment[2] = 0xC3;
    EXPECT_EQ(EncodePrefsRecord(r), kDistinctBytes);
}

} // namespace
