// The machine presets: each model's identity, clocks and L2 as a new machine
// of that preset reports them.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

namespace {

TEST(Presets, EachPresetMakesItsMachine)
{
    struct {
        const char* preset;
        const char* model;
        unsigned int pvr, cpuHz, busHz, hid1, l2cr, mach, cput;
    } const cases[] = {
        {"bw-g3-400", "PowerMac1,1", 0x00080202, 400000000, 99837332, 0xA0000000, 0xB9000000, 406, 264},
        {"yikes-400", "PowerMac1,2", 0x000C0207, 400000000, 99837332, 0xA0000000, 0xB9000000, 406, 268},
        {"imac-333", "iMac,1", 0x00080202, 333333330, 66815000, 0xB0000000, 0xA9000000, 406, 264},
        {"ibook-300", "PowerBook2,1", 0x00080202, 300000000, 66815000, 0x70000000, 0xA9000000, 406, 264},
        {"ibook-366", "PowerBook2,1", 0x00080202, 366666666, 66815000, 0x90000000, 0xAB000000, 406, 264},
        {"sawtooth-400", "PowerMac3,1", 0x000C0209, 400000000, 99632132, 0xA0000000, 0xB9000000, 406, 268},
        {"lombard-333", "PowerBook1,1", 0x00080202, 333333330, 66815000, 0xB0000000, 0xAB000000, 406, 264},
        {"lombard-400", "PowerBook1,1", 0x00080202, 400000000, 66815000, 0xD0000000, 0xBB000000, 406, 264},
        {"digital-audio-533", "PowerMac3,4", 0x800C1103, 533333332, 133160004, 0xA0000000, 0xB9000000, 406,
            268},
        {"quicksilver-733", "PowerMac3,5", 0x80000201, 733333333, 133160004, 0x80000000, 0x80000000, 406,
            272},
        {"pm9500-200", "AAPL,9500", 0x00090202, 200000000, 50000000, 0xA0000000, 0x00000000, 67, 265},
    };
    for (const auto& c : cases) {
        testkit::ScopedMachine machine(c.preset);
        EXPECT_EQ(macsimtest::macsim(machine.directory(), {"get", "model"}).out, std::string(c.model) + "\n");
        EXPECT_EQ(machine.get("pvr"), c.pvr) << c.preset;
        EXPECT_EQ(machine.get("cpu-hz"), c.cpuHz) << c.preset;
        EXPECT_EQ(machine.get("bus-hz"), c.busHz) << c.preset;
        EXPECT_EQ(machine.get("hid1"), c.hid1) << c.preset;
        EXPECT_EQ(machine.get("l2cr"), c.l2cr) << c.preset;
        EXPECT_EQ(machine.get("gestalt-mach"), c.mach) << c.preset;
        EXPECT_EQ(machine.get("gestalt-cput"), c.cput) << c.preset;
    }
}

TEST(Presets, ListMarksTheDefault)
{
    auto r = testkit::run("macsim", {"presets"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("sawtooth-400       * PowerMac3,1   "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("bw-g3-400            PowerMac1,1   "), std::string::npos) << r.out;
}

TEST(Presets, ShowDecodesTheRegisters)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xA4000000"});
    std::string show = machine.show();
    for (const char* line : {
             "PVR           0x000C0209  PowerPC 7400 (G4), revision 0x0209\n",
             "HID0          0x8010C080  EMCP DPM ICE DCE SGE\n",
             "HID1          0xA0000000  PLL code 10: 4x (clocks give 4.01x)\n",
             "L2CR          0xA4000000  enabled, 512 KB, flow-through, 0.5 ns hold, ratio 3:2 (266.67 MHz)\n",
             "              warning: the L2 clock is above what the SRAM runs at: the cache returns corrupt "
             "data\n",
             "DefL2CR       0x00000000  not published (the extension is not loaded)\n",
         })
        EXPECT_NE(show.find(line), std::string::npos) << line << show;
}

} // namespace
