// Fonts.h: font family numbers, as QuickDraw's TextFont takes them.
//
// Provided: the classic family numbers and GetFNum.
// Simplifications: the families map onto DejaVu faces: the system font (0)
// is DejaVu Sans Bold (size 0 means 12), the application font (1) and Geneva
// (3) DejaVu Sans, Monaco and Courier DejaVu Sans Mono, the serif families
// DejaVu Serif; any other number falls back to DejaVu Sans.
#pragma once

#include <MacTypes.h>

enum : SInt16 {
    systemFont = 0,
    applFont = 1,
    kFontIDNewYork = 2,
    kFontIDGeneva = 3,
    kFontIDMonaco = 4,
    kFontIDVenice = 5,
    kFontIDLondon = 6,
    kFontIDAthens = 7,
    kFontIDSanFrancisco = 8,
    kFontIDToronto = 9,
    kFontIDCairo = 11,
    kFontIDLosAngeles = 12,
    kFontIDTimes = 20,
    kFontIDHelvetica = 21,
    kFontIDCourier = 22,
    kFontIDSymbol = 23,
    kFontIDMobile = 24,
};

// The family number of a font name ("Geneva", "Chicago", "Monaco" ...);
// unknown names give 0, as on a Mac.
void GetFNum(ConstStr255Param name, short* familyID);
