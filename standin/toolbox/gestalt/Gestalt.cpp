// The Gestalt Manager over the simulated machine's state. On Mac OS X outside
// Classic 'bbox' still answers, with bit 0 clear; the machine-dependent
// selectors fail with gestaltUnknownErr when the machine cannot be read.
#include <Gestalt.h>

#include <macsim/MachineLocation.h>
#include <macsim/StateFile.h>

namespace {

constexpr OSErr paramErrCode = -50;
constexpr SInt32 systemVersion = 0x1022; // Mac OS X 10.2.2

} // namespace

OSErr Gestalt(OSType selector, SInt32* response)
{
    if (!response)
        return paramErrCode;
    if (selector == gestaltSystemVersion) {
        *response = systemVersion;
        return noErr;
    }
    if (selector != gestaltMachineType && selector != gestaltNativeCPUtype && selector != gestaltBlueBoxAttr)
        return gestaltUndefSelectorErr;

    macsim::MachineState state;
    try {
        if (macsim::Error e = macsim::readState(macsim::machineDirectory().string(), state)) {
            macsim::reportOnce(e);
            return gestaltUnknownErr;
        }
    } catch (...) { // out of memory: nothing may escape the toolbox
        return gestaltUnknownErr;
    }
    switch (selector) {
    case gestaltMachineType:
        *response = SInt32(state.gestaltMach);
        break;
    case gestaltNativeCPUtype:
        *response = SInt32(state.gestaltCput);
        break;
    default:
        *response = state.classic ? (1 << gestaltBlueBoxPresent) : 0;
        break;
    }
    return noErr;
}
