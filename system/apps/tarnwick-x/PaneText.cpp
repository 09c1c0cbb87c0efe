#include "PaneText.h"

#include <Fonts.h>
#include <Quickdraw.h>
#include <TextUtils.h>

void UsePaneFont()
{
    TextFont(kFontIDGeneva);
    TextSize(9);
}

void DrawLabel(short baseline, ConstStr255Param text)
{
    MoveTo(kLabelX, baseline);
    DrawString(text);
}

void DrawValue(short baseline, ConstStr255Param text)
{
    MoveTo(kValueX, baseline);
    DrawString(text);
}

void DrawNumber(long number)
{
    Str255 text;
    NumToString(number, text);
    DrawString(text);
}

UInt32 WholeMHz(UInt32 hertz)
{
    return (hertz + 500000) / 1000000;
}
