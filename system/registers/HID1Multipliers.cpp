#include "registers/HID1Multipliers.h"

const char* const cpu_x_table[16] = {
    "9.0", "7.5", "7.0", "0.0", //
    "0.0", "6.5", "10.0", "4.5", //
    "3.0", "5.5", "4.0", "5.0", //
    "8.0", "6.0", "3.5", "0.0", //
};

const char* HID1MultiplierText(UInt32 hid1)
{
    return cpu_x_table[hid1 >> kHID1PLLShift];
}
