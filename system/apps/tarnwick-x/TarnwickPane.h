// The "Tarnwick" tab: the backside cache and the motherboard cache.
#pragma once

#include <framework/PTabPane.h>

class BacksideCacheSubPane;
class MotherboardCacheSubPane;

class TarnwickPane : public PTabPane {
public:
    explicit TarnwickPane(PTabManager* tabManager);
    ~TarnwickPane();

private:
    // Owned by the tab pane's band list.
    BacksideCacheSubPane* backsideCacheSubPane;
    MotherboardCacheSubPane* motherboardCacheSubPane;
};
