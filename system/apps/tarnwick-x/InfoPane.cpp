#include "InfoPane.h"

#include "AboutKorvendaleSubPane.h"

InfoPane::InfoPane(PTabManager* tabManager)
    : PTabPane(PSTR("Info"), tabManager)
{
    aboutKorvendaleSubPane = new AboutKorvendaleSubPane(this);
}

InfoPane::~InfoPane() = default;
