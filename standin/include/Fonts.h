// Fonts.h: font family numbers, as QuickDraw's TextFont takes them.
//
// Provided: the classic family numbers and GetFNum.
// Simplifications: the fonts are the bitmap 'FONT' resources of the System
// file (the system font at 12 and Geneva 9). The application font (1) is
// Geneva, size 0 means 12, a size a family lacks takes its nearest strike
// (nothing is scaled) and a family without strikes falls back to Geneva.
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
