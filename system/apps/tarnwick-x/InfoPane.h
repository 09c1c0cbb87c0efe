// The "Info" tab: the About sub-pane. The Apple menu's About item brings it
// to the front.
#pragma once

#include <framework/PTabPane.h>

class AboutKorvendaleSubPane;

class InfoPane : public PTabPane {
public:
    explicit InfoPane(PTabManager* tabManager);
    ~InfoPane();

private:
    // Owned by the tab pane's band list.
    AboutKorvendaleSubPane* aboutKorvendaleSubPane;
};
