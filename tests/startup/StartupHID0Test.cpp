// HID0 at boot: BTIC for 750 and 7400 processors, then speculative access,
// then dynamic power management, each a read-modify-write of its own, in that
// order, as the machine's journal records them.
#include "StartupTestSupport.h"

namespace startuptest {
namespace {

std::string HID0(const char* oldWord, const char* newWord)
{
    return std::string("hw.KorvendaleHID0 ") + oldWord + " -> " + newWord;
}

struct HID0Case {
    const char* name;
    std::vector<std::string> machineState;
    SavedSettings settings;
    Writes expected;
};

class StartupHID0Test : public StartupTest, public ::testing::WithParamInterface<HID0Case> { };

TEST_P(StartupHID0Test, WritesHID0InOrder)
{
    const auto& param = GetParam();
    if (!param.machineState.empty())
        machine.set(param.machineState);
    savePrefs(param.settings);

    auto r = boot();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemWrites("hw.KorvendaleHID0"), param.expected);
}

SavedSettings Settings(bool speculativeOff, bool dpm)
{
    SavedSettings s;
    s.enableCache = false;
    s.disableSpeculativeAccess = speculativeOff;
    s.enableDPM = dpm;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupHID0Test,
    ::testing::Values(HID0Case {"sawtoothAllThree", {"rom-hid0=0x8000C080"}, Settings(true, true),
                          {HID0("0x8000C080", "0x8000C0A0"), HID0("0x8000C0A0", "0x8000C2A8"),
                              HID0("0x8000C2A8", "0x8000C228"), HID0("0x8000C228", "0x8010C228")}},
        // DPM already on: still a write of its own.
        HID0Case {"dpmAlreadyOn", {"rom-hid0=0x8010C080"}, Settings(true, true),
            {HID0("0x8010C080", "0x8010C0A0"), HID0("0x8010C0A0", "0x8010C2A8"),
                HID0("0x8010C2A8", "0x8010C228"), HID0("0x8010C228", "0x8010C228")}},
        HID0Case {
            "bticOnly", {"rom-hid0=0x8010C080"}, Settings(false, false), {HID0("0x8010C080", "0x8010C0A0")}},
        HID0Case {"g3GetsBTIC", {"pvr=0x00080202", "rom-hid0=0x8010C080"}, Settings(false, false),
            {HID0("0x8010C080", "0x8010C0A0")}},
        // PVR upper halves 0x800C (7410) and 0x8000 (7450), 0x0009 (604e): no BTIC.
        HID0Case {"ppc7410NoBTIC", {"pvr=0x800C1103"}, Settings(false, false), {}},
        HID0Case {
            "ppc7450NoBTIC", {"pvr=0x80000201"}, Settings(false, true), {HID0("0x8010C080", "0x8010C080")}},
        HID0Case {"ppc604eNoBTIC", {"pvr=0x00090202", "rom-hid0=0x0000C080"}, Settings(true, false),
            {HID0("0x0000C080", "0x0000C288"), HID0("0x0000C288", "0x0000C208")}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace startuptest
