// How the panes write their rows: Geneva 9, a label at x = 19 and its value
// at x = 150 on the same baseline, in sub-pane coordinates. Values made of
// several pieces are drawn one after the other from the pen position.
#pragma once

#include <MacTypes.h>

constexpr short kLabelX = 19;
constexpr short kValueX = 150;

void UsePaneFont();
void DrawLabel(short baseline, ConstStr255Param text);
void DrawValue(short baseline, ConstStr255Param text);
// At the pen, in signed decimal.
void DrawNumber(long number);

// A clock in hertz as whole megahertz, halves rounded up.
UInt32 WholeMHz(UInt32 hertz);
