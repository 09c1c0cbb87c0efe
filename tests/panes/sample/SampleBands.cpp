#include "SampleBands.h"

#include "SampleLog.h"

#include <Fonts.h>
#include <Quickdraw.h>

bool gTraceIdle = false;

SampleBand::SampleBand(const unsigned char* title, unsigned long expandedHeight, PTabPane* tab, char dinked)
    : PDinkSubPane(title, expandedHeight, tab, dinked)
    , name(title)
{
}

SampleBand::~SampleBand() = default;

void SampleBand::draw()
{
    PDinkSubPane::draw();
    for (auto& part : parts)
        part->draw();
}

char SampleBand::handleMouseDown(const EventRecord* theEvent)
{
    if (PDinkSubPane::handleMouseDown(theEvent))
        return true;
    for (auto& part : parts)
        if (part->click(theEvent))
            return true;
    return false;
}

void SampleBand::idle()
{
    if (gTraceIdle)
        LogHook("idle " + Quoted(name));
}

void SampleBand::subPaneOpened()
{
    LogHook("subPaneOpened " + Quoted(name));
    for (auto& part : parts)
        part->show();
}

void SampleBand::subPaneClosed()
{
    LogHook("subPaneClosed " + Quoted(name));
    for (auto& part : parts)
        part->hide();
}

PlainBand::PlainBand(const unsigned char* text, unsigned long height, PTabPane* tab)
    : PSubPane(height, tab)
    , text(text)
{
}

void PlainBand::draw()
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    MoveTo(19, 18);
    DrawString(text);
}

void PlainBand::idle()
{
    if (gTraceIdle)
        LogHook("idle " + Quoted(text));
}
