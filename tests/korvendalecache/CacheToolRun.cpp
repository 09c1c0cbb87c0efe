#include "CacheToolRun.h"

#include <filesystem>

namespace cachetool {

void prepare(testkit::ScopedMachine& machine, const Setup& setup)
{
    std::vector<std::string> hardware {
        "pvr=0x000C0209", "hid0=0x8010C0A4", "hid1=0xA0000000", "l2cr=0xA9800000", "temp=45"};
    hardware.insert(hardware.end(), setup.hardware.begin(), setup.hardware.end());
    machine.set(hardware);
    if (setup.loaded) {
        machine.loadExtension();
        machine.set({"def-l2cr=" + setup.defL2CR});
    }
    // The machine writes its new state beside the old one and renames it;
    // a directory in the way makes every write fail, even for root.
    if (setup.writeFails)
        std::filesystem::create_directory(machine.directory() / "state.new");
}

testkit::ProcessResult run(const std::vector<std::string>& args)
{
    return testkit::run("korvendalecache", args);
}

std::string describe(const std::vector<std::string>& args)
{
    std::string text = "korvendalecache";
    for (const auto& a : args)
        text += " '" + a + "'";
    return text;
}

} // namespace cachetool
