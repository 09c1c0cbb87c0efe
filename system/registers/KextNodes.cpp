#include "registers/KextNodes.h"

const char kPVRNode[] = "hw.KorvendalePVR";
const char kHID0Node[] = "hw.KorvendaleHID0";
const char kHID1Node[] = "hw.KorvendaleHID1";
const char kTempNode[] = "hw.KorvendaleTemp";
const char kL2CRNode[] = "hw.KorvendaleL2CR";
const char kDefL2CRNode[] = "hw.KorvendaleDefL2CR";
