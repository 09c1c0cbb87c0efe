#include "processor/PProcessor.h"

#include <registers/KextNodes.h>
#include <registers/L2CacheSpeed.h>
#include <registers/MachineNames.h>
#include <registers/ProcessorNames.h>
#include <support/UtilityFunctions.h>

#include <cerrno>
#include <cstring>
#include <sys/sysctl.h>

PProcessor* theProcessor = nullptr;
PProcessorDestroyer processorDestroyer;

namespace {

// Register reads leave `word` as it was when the node cannot be read, so
// callers start from 0 rather than an indeterminate value.
bool ReadNode(const char* node, UInt32* word)
{
    size_t length = sizeof *word;
    return sysctlbyname(node, word, &length, nullptr, 0) == 0;
}

void WriteNode(const char* node, UInt32 word)
{
    sysctlbyname(node, nullptr, nullptr, &word, sizeof word);
}

void ReadHardwareWord(int selector, UInt32* word)
{
    int mib[2] = {CTL_HW, selector};
    size_t length = sizeof *word;
    sysctl(mib, 2, word, &length, nullptr, 0);
}

} // namespace

void PProcessor::InitPProcessor()
{
    if (!theProcessor)
        theProcessor = new PProcessor;
}

PProcessor::PProcessor()
    : name(kUnrecognizedCPUName)
    , speedHz(0)
    , busSpeedHz(0)
    , pvr(0)
    , defL2CR(0)
    , hid1(0)
    , machineName {}
{
    ReadNode(kPVRNode, &pvr);
    ReadNode(kHID1Node, &hid1);
    ReadNode(kDefL2CRNode, &defL2CR);
    ReadHardwareWord(HW_CPU_FREQ, &speedHz);
    ReadHardwareWord(HW_BUS_FREQ, &busSpeedHz);

    // The returned length counts the model's terminating zero. A model too
    // long for the buffer comes back cut (ENOMEM) and is kept to the 255
    // bytes a Str255 holds; any other failure leaves the name empty rather
    // than copying whatever the buffer held.
    char model[256] = {};
    size_t length = sizeof model;
    int mib[2] = {CTL_HW, HW_MODEL};
    size_t modelLength = 0;
    if (sysctl(mib, 2, model, &length, nullptr, 0) == 0)
        modelLength = length > 0 ? length - 1 : 0;
    else if (errno == ENOMEM)
        modelLength = strnlen(model, 255);
    if (modelLength > 255)
        modelLength = 255;
    machineName[0] = static_cast<unsigned char>(modelLength);
    memcpy(machineName + 1, model, modelLength);

    lookupMachineName();
    name = ProcessorNameForPVR(pvr);
}

PProcessor::~PProcessor() = default;

void PProcessor::lookupMachineName()
{
    for (const MachineNameMap& entry : machineNameMap) {
        if (pstrcmp(machineName, entry.hwName) == 0) {
            pstrcpy(machineName, entry.machineName);
            return;
        }
    }
}

UInt32 PProcessor::getTemperature() const
{
    UInt32 temperature = 0;
    ReadNode(kTempNode, &temperature);
    return temperature;
}

UInt32 PProcessor::getL2CR() const
{
    UInt32 l2cr = 0;
    ReadNode(kL2CRNode, &l2cr);
    return l2cr;
}

UInt32 PProcessor::getHID0() const
{
    UInt32 hid0 = 0;
    ReadNode(kHID0Node, &hid0);
    return hid0;
}

UInt32 PProcessor::getL2CacheSpeed() const
{
    return L2CacheSpeedFor(getL2CR(), getSpeed());
}

void PProcessor::setL2CR(UInt32 newL2CR)
{
    WriteNode(kL2CRNode, newL2CR);
}

// HID0 changes are read-modify-write. Without a fresh read there is nothing
// to modify: writing the bits alone would clear every other bit of HID0.
void PProcessor::setHID0Bits(UInt32 bitsToSet)
{
    UInt32 hid0 = 0;
    if (ReadNode(kHID0Node, &hid0))
        WriteNode(kHID0Node, hid0 | bitsToSet);
}

void PProcessor::clearHID0Bits(UInt32 bitsToClear)
{
    UInt32 hid0 = 0;
    if (ReadNode(kHID0Node, &hid0))
        WriteNode(kHID0Node, hid0 & ~bitsToClear);
}

PProcessorDestroyer::~PProcessorDestroyer()
{
    delete theProcessor;
    theProcessor = nullptr;
}
