// The Gestalt Manager over the machine in use. On Mac OS X outside Classic
// 'bbox' still answers, with bit 0 clear; the machine-dependent selectors
// fail with gestaltUnknownErr when the machine cannot tell.
#include <Gestalt.h>

#include <machine/Machine.h>

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

    try {
        machine::Machine& machine = machine::current();
        int32_t answer = 0;
        bool classic = false;
        switch (selector) {
        case gestaltMachineType:
            if (!machine.machineType(answer))
                return gestaltUnknownErr;
            break;
        case gestaltNativeCPUtype:
            if (!machine.processorType(answer))
                return gestaltUnknownErr;
            break;
        default:
            if (!machine.insideClassic(classic))
                return gestaltUnknownErr;
            answer = classic ? (1 << gestaltBlueBoxPresent) : 0;
            break;
        }
        *response = SInt32(answer);
    } catch (...) { // out of memory: nothing may escape the toolbox
        return gestaltUnknownErr;
    }
    return noErr;
}
