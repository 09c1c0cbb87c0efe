#include "RegisterDecoding.h"

#include <cstdio>

namespace macsim::cli {

namespace {

struct Family {
    uint32_t high;
    const char* name;
};

constexpr Family families[] = {
    {0x0001, "PowerPC 601"},
    {0x0003, "PowerPC 603"},
    {0x0004, "PowerPC 604"},
    {0x0006, "PowerPC 603e"},
    {0x0007, "PowerPC 603ev"},
    {0x0008, "PowerPC 750 (G3)"},
    {0x0009, "PowerPC 604e"},
    {0x000A, "PowerPC 604ev"},
    {0x000C, "PowerPC 7400 (G4)"},
    {0x7000, "PowerPC 750FX"},
    {0x7002, "PowerPC 750GX"},
    {0x8000, "PowerPC 7450 (G4)"},
    {0x8001, "PowerPC 7455 (G4)"},
    {0x800C, "PowerPC 7410 (G4)"},
};

constexpr const char* hid0Bits[32] = {"EMCP", "DBP", "EBA", "EBD", "BCLK", "EICE", "ECLK", "PAR", "DOZE",
    "NAP", "SLEEP", "DPM", "RISEG", "EIEC", nullptr, "NHR", "ICE", "DCE", "ILOCK", "DLOCK", "ICFI", "DCFI",
    "SPD", "IFEM", "SGE", "DCFA", "BTIC", nullptr, "ABE", "BHT", "NOPDST", "NOOPTI"};

// PLL configuration code to core/bus multiplier, per the 750/7400 manuals.
constexpr const char* pllMultipliers[16] = {"2.5x", "7.5x", "7x", "PLL bypass", "2x", "6.5x", "10x", "4.5x",
    "3x", "5.5x", "4x", "5x", "8x", "6x", "3.5x", "clock off"};

struct Ratio {
    uint32_t code;
    const char* text;
    uint32_t twiceDivisor;
};

constexpr Ratio ratios[] = {
    {0x02000000, "1:1", 2},
    {0x04000000, "3:2", 3},
    {0x06000000, "7:2", 7},
    {0x08000000, "2:1", 4},
    {0x0A000000, "5:2", 5},
    {0x0C000000, "3:1", 6},
    {0x0E000000, "4:1", 8},
};

constexpr const char* sizes[4] = {"2 MB", "256 KB", "512 KB", "1 MB"};
constexpr const char* ramTypes[4]
    = {"flow-through", "reserved SRAM type", "pipelined burst", "pipelined late-write"};
constexpr const char* holds[4] = {"0.5 ns", "1.0 ns", "1.5 ns", "2.0 ns"};

enum class L2Layout { Backside, OnChip745x, None };

L2Layout layoutOf(uint32_t pvr)
{
    uint32_t high = pvr >> 16;
    if (high >= 0x8000 && high <= 0x8004)
        return L2Layout::OnChip745x;
    if (high == 0x0008 || high == 0x000C || high == 0x800C || high == 0x7000 || high == 0x7002)
        return L2Layout::Backside;
    return L2Layout::None;
}

} // namespace

std::string megahertz(uint32_t hz)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f MHz", hz / 1e6);
    return buffer;
}

std::string describePVR(uint32_t pvr)
{
    const char* name = "unknown processor";
    for (const Family& f : families) {
        if (f.high == pvr >> 16)
            name = f.name;
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s, revision 0x%04X", name, unsigned(pvr & 0xFFFF));
    return buffer;
}

std::string describeHID0(uint32_t hid0)
{
    std::string text;
    for (int bit = 0; bit < 32; ++bit) {
        if (!(hid0 & (0x80000000u >> bit)))
            continue;
        if (!text.empty())
            text += ' ';
        text += hid0Bits[bit] ? hid0Bits[bit] : "bit" + std::to_string(bit);
    }
    return text.empty() ? "(all clear)" : text;
}

std::string describeHID1(uint32_t hid1, uint32_t pvr, uint32_t cpuHz, uint32_t busHz)
{
    if (layoutOf(pvr) == L2Layout::OnChip745x)
        return "the PLL code sits in bits 15-19 on this processor (not decoded)";
    unsigned code = hid1 >> 28;
    char buffer[96];
    if (busHz)
        std::snprintf(buffer, sizeof buffer, "PLL code %u: %s (clocks give %.2fx)", code,
            pllMultipliers[code], double(cpuHz) / busHz);
    else
        std::snprintf(buffer, sizeof buffer, "PLL code %u: %s", code, pllMultipliers[code]);
    return buffer;
}

uint32_t l2ClockHz(uint32_t l2cr, uint32_t cpuHz)
{
    for (const Ratio& r : ratios) {
        if ((l2cr & 0x0E000000) == r.code)
            return uint32_t(uint64_t(cpuHz) * 2 / r.twiceDivisor);
    }
    return 0;
}

std::string describeL2Config(uint32_t l2cr)
{
    std::string text = sizes[(l2cr >> 28) & 3];
    text += std::string(", ") + ramTypes[(l2cr >> 23) & 3] + ", " + holds[(l2cr >> 16) & 3] + " hold";
    if (l2cr & 0x00004000)
        text += ", differential clock";
    return text;
}

std::string describeL2CR(uint32_t l2cr, uint32_t pvr, uint32_t cpuHz)
{
    if (layoutOf(pvr) == L2Layout::None)
        return "this processor has no L2CR";
    if (layoutOf(pvr) == L2Layout::OnChip745x)
        return (l2cr & 0x80000000) ? "on-chip L2 enabled" : "on-chip L2 disabled";
    std::string text = (l2cr & 0x80000000) ? "enabled, " : "disabled, ";
    text += describeL2Config(l2cr);
    const char* ratio = nullptr;
    for (const Ratio& r : ratios) {
        if ((l2cr & 0x0E000000) == r.code)
            ratio = r.text;
    }
    if (ratio)
        text += std::string(", ratio ") + ratio + " (" + megahertz(l2ClockHz(l2cr, cpuHz)) + ")";
    else
        text += ", L2 clock off";
    if (l2cr & 0x40000000)
        text += ", parity";
    if (l2cr & 0x00080000)
        text += ", write-through";
    if (l2cr & 0x00200000)
        text += ", invalidating";
    return text;
}

} // namespace macsim::cli
