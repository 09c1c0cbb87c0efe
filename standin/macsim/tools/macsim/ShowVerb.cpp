// show: the whole hardware state for a person to read, registers in hex and
// decoded. Its layout is for people; scripts use "macsim get".
#include "Cli.h"
#include "RegisterDecoding.h"

#include <macsim/Extension.h>
#include <macsim/StateFile.h>

#include <cstdio>

namespace macsim::cli {

namespace {

constexpr const char* showHelp = R"(usage: macsim show

Prints the machine's hardware state: what the machine is, its clocks, the
registers in hexadecimal and decoded, the installed L2 SRAM, whether the
kernel extension is loaded, the boot arguments, and how many node writes the
journal has seen.
)";

void row(const char* label, const std::string& value)
{
    std::printf("%-13s %s\n", label, value.c_str());
}

std::string hex(uint32_t word)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", unsigned(word));
    return buffer;
}

std::string registerRow(uint32_t word, const std::string& decoded)
{
    return hex(word) + "  " + decoded;
}

std::string describeDefL2CR(const MachineState& s)
{
    if (!s.kextLoaded)
        return "not published (the extension is not loaded)";
    if (s.defL2cr == 0xFFFFFFFF)
        return "the L2 test did not run (its 512K allocation failed)";
    if (s.defL2cr == 0)
        return "the L2 test found no working SRAM configuration";
    return describeL2Config(s.defL2cr);
}

std::string describeSram(const MachineState& s)
{
    if (s.sramSizeK == 0)
        return "none fitted";
    static constexpr const char* types[] = {"flow-through", "pipelined burst", "pipelined late-write"};
    static constexpr const char* holds[] = {"0.5", "1.0", "1.5", "2.0"};
    std::string text = std::to_string(s.sramSizeK) + " KB " + (s.sramType < 3 ? types[s.sramType] : "?")
        + ", " + holds[s.sramHold & 3] + " ns hold, " + (s.sramDifferential ? "differential" : "single-ended")
        + " clock, runs up to " + megahertz(s.sramMaxHz);
    if (s.sramBad)
        text += ", BAD";
    return text;
}

} // namespace

int verbShow(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(showHelp);
    if (!args.empty())
        return complain("show takes no arguments");
    std::string dir = currentMachine();
    MachineState s;
    if (Error e = readState(dir, s))
        return complain(e);

    char buffer[160];
    row("Machine", dir);
    row("Preset", s.preset);
    row("Model", s.model);
    std::snprintf(buffer, sizeof buffer, "'mach' %u, 'cput' 0x%03X, 'bbox' bit 0 %s", unsigned(s.gestaltMach),
        unsigned(s.gestaltCput), s.classic ? "set (running in Classic)" : "clear");
    row("Gestalt", buffer);
    row("Clocks",
        "processor " + std::to_string(s.cpuHz) + " Hz (" + megahertz(s.cpuHz) + "), bus "
            + std::to_string(s.busHz) + " Hz (" + megahertz(s.busHz) + ")");
    row("PVR", registerRow(s.pvr, describePVR(s.pvr)));
    row("HID0", registerRow(s.hid0, describeHID0(s.hid0)));
    row("HID1", registerRow(s.hid1, describeHID1(s.hid1, s.pvr, s.cpuHz, s.busHz)));
    row("L2CR", registerRow(s.l2cr, describeL2CR(s.l2cr, s.pvr, s.cpuHz)));
    uint32_t l2Hz = l2ClockHz(s.l2cr, s.cpuHz);
    if ((s.l2cr & 0x80000000) && s.sramSizeK && l2Hz > s.sramMaxHz)
        row("", "warning: the L2 clock is above what the SRAM runs at: the cache returns corrupt data");
    row("DefL2CR", registerRow(s.defL2cr, describeDefL2CR(s)));
    row("Temperature", std::to_string(s.temp) + " C");
    row("Power-on", "HID0 " + hex(s.romHid0) + ", L2CR " + hex(s.romL2cr) + " (as the ROM leaves them)");
    row("L2 SRAM", describeSram(s));
    std::snprintf(buffer, sizeof buffer, "%s; the L2 test would publish 0x%08X",
        s.l2TestAllocFails ? "its 512K allocation fails" : "its 512K allocation succeeds",
        unsigned(runL2Test(s)));
    row("L2 test", buffer);
    row("Extension",
        s.kextLoaded ? "loaded (the six register nodes are present)" : "not loaded (no register nodes)");
    row("Boot args", s.bootArgs.empty() ? "none" : s.bootArgs);
    row("Journal", std::to_string(s.journalSeq) + " node writes so far");
    return 0;
}

} // namespace macsim::cli
