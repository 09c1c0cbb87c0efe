// The preset table. Clocks are the stock speeds; bus clocks are the measured,
// not the nominal ones (about 99.6, 99.8, 66.8 and 133.2 MHz), and HID1 holds
// the PLL code of the core-to-bus multiplier. L2CR values are built from the
// field codes for each machine's documented L2 size and ratio (no stock dump
// of the register exists); the SRAM limit lets the stock ratio pass and the
// next faster one fail.
//
// Power-on HID0 is 0x8010C080 on the 750 and 7400 families (machine check,
// DPM, both L1 caches and store gathering on; BTIC left for the startup item).
// The 7450 has its PLL code elsewhere in HID1 and no thermal sensor; the 604e
// has no L2CR at all: both read 0 where the hardware has nothing.
#include <macsim/Presets.h>

namespace macsim {

namespace {

constexpr uint32_t gestaltNewWorld = 406;
constexpr uint32_t cput750 = 0x108;
constexpr uint32_t cputG4 = 0x10C;
constexpr uint32_t cput7450 = 0x110;
constexpr uint32_t cput604e = 0x109;

constexpr uint32_t hid0Stock = 0x8010C080;

constexpr Preset presets[] = {
    // name, description, model, mach, cput, cpu Hz, bus Hz, PVR, HID1, ROM HID0, ROM L2CR,
    // SRAM KB, type, hold, differential, SRAM max Hz, temperature
    {"bw-g3-400", "Power Macintosh G3 (Blue & White), 400 MHz, 1 MB L2 at 2:1", "PowerMac1,1",
        gestaltNewWorld, cput750, 400000000, 99837332, 0x00080202, 0xA0000000, hid0Stock, 0xB9000000, 1024,
        SramPipelined, 0, 0, 200000000, 36},
    {"yikes-400", "Power Macintosh G4 (PCI Graphics, \"Yikes\"), 400 MHz, 1 MB L2 at 2:1", "PowerMac1,2",
        gestaltNewWorld, cputG4, 400000000, 99837332, 0x000C0207, 0xA0000000, hid0Stock, 0xB9000000, 1024,
        SramPipelined, 0, 0, 225000000, 33},
    {"imac-333", "iMac (tray loading), 333 MHz, 512 KB L2 at 2:1", "iMac,1", gestaltNewWorld, cput750,
        333333330, 66815000, 0x00080202, 0xB0000000, hid0Stock, 0xA9000000, 512, SramPipelined, 0, 0,
        170000000, 47},
    {"ibook-300", "iBook (clamshell), 300 MHz, 512 KB L2 at 2:1", "PowerBook2,1", gestaltNewWorld, cput750,
        300000000, 66815000, 0x00080202, 0x70000000, hid0Stock, 0xA9000000, 512, SramPipelined, 0, 0,
        150000000, 44},
    {"ibook-366", "iBook (clamshell), 366 MHz, 512 KB L2 at 5:2", "PowerBook2,1", gestaltNewWorld, cput750,
        366666666, 66815000, 0x00080202, 0x90000000, hid0Stock, 0xAB000000, 512, SramPipelined, 0, 0,
        150000000, 45},
    {"sawtooth-400", "Power Macintosh G4 (AGP Graphics, \"Sawtooth\"), 400 MHz, 1 MB L2 at 2:1",
        "PowerMac3,1", gestaltNewWorld, cputG4, 400000000, 99632132, 0x000C0209, 0xA0000000, hid0Stock,
        0xB9000000, 1024, SramPipelined, 0, 0, 225000000, 31},
    {"lombard-333", "PowerBook G3 (Lombard), 333 MHz, 512 KB L2 at 5:2", "PowerBook1,1", gestaltNewWorld,
        cput750, 333333330, 66815000, 0x00080202, 0xB0000000, hid0Stock, 0xAB000000, 512, SramPipelined, 0, 0,
        133333332, 49},
    {"lombard-400", "PowerBook G3 (Lombard), 400 MHz, 1 MB L2 at 5:2", "PowerBook1,1", gestaltNewWorld,
        cput750, 400000000, 66815000, 0x00080202, 0xD0000000, hid0Stock, 0xBB000000, 1024, SramPipelined, 0,
        0, 160000000, 50},
    {"digital-audio-533", "Power Macintosh G4 (Digital Audio), 533 MHz, PowerPC 7410, 1 MB L2 at 2:1",
        "PowerMac3,4", gestaltNewWorld, cputG4, 533333332, 133160004, 0x800C1103, 0xA0000000, hid0Stock,
        0xB9000000, 1024, SramPipelined, 0, 0, 266666666, 30},
    {"quicksilver-733", "Power Macintosh G4 (Quicksilver), 733 MHz, PowerPC 7450, 256 KB on-chip L2",
        "PowerMac3,5", gestaltNewWorld, cput7450, 733333333, 133160004, 0x80000201, 0x80000000, hid0Stock,
        0x80000000, 0, SramPipelined, 0, 0, 0, 0},
    {"pm9500-200", "Power Macintosh 9500/200, PowerPC 604e, no backside L2", "AAPL,9500", 67, cput604e,
        200000000, 50000000, 0x00090202, 0xA0000000, 0x0000C080, 0x00000000, 0, SramPipelined, 0, 0, 0, 0},
};

} // namespace

std::span<const Preset> allPresets()
{
    return presets;
}

const Preset* findPreset(std::string_view name)
{
    for (const Preset& p : presets) {
        if (name == p.name)
            return &p;
    }
    return nullptr;
}

MachineState stateFromPreset(const Preset& preset)
{
    MachineState s;
    s.preset = preset.name;
    s.model = preset.model;
    s.gestaltMach = preset.gestaltMach;
    s.gestaltCput = preset.gestaltCput;
    s.cpuHz = preset.cpuHz;
    s.busHz = preset.busHz;
    s.pvr = preset.pvr;
    s.hid1 = preset.hid1;
    s.hid0 = s.romHid0 = preset.romHid0;
    s.l2cr = s.romL2cr = preset.romL2cr;
    s.temp = preset.temp;
    s.sramSizeK = preset.sramSizeK;
    s.sramType = preset.sramType;
    s.sramHold = preset.sramHold;
    s.sramDifferential = preset.sramDifferential;
    s.sramMaxHz = preset.sramMaxHz;
    return s;
}

} // namespace macsim
