// "Test Ratio", shown in advanced mode. There is no routine to test a ratio
// with, so the button is made dimmed and nothing enables it.
#pragma once

#include <framework/PPushButton.h>

class BacksideCacheSubPane;

class BacksideCacheSubPaneTestRatioPush : public PPushButton {
public:
    explicit BacksideCacheSubPaneTestRatioPush(BacksideCacheSubPane* pane);
    void handleClick() override { }

private:
    [[maybe_unused]] BacksideCacheSubPane* myPane;
};
