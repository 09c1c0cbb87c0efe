// Names of the sysctl nodes through which the kernel extension publishes the
// registers. Each holds one 32-bit word; HID0 and L2CR are also writable.
#pragma once

extern const char kPVRNode[]; // "hw.KorvendalePVR"
extern const char kHID0Node[]; // "hw.KorvendaleHID0"
extern const char kHID1Node[]; // "hw.KorvendaleHID1"
extern const char kTempNode[]; // "hw.KorvendaleTemp"
extern const char kL2CRNode[]; // "hw.KorvendaleL2CR"
extern const char kDefL2CRNode[]; // "hw.KorvendaleDefL2CR"
