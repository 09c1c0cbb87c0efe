// The standard Apple menu: "About <application>...", a divider, and the desk
// accessories (of which there are none here).
#pragma once

#include "framework/PMenu.h"

class PAppleMenu : public PMenu {
public:
    explicit PAppleMenu(const unsigned char* appName);
    void handleMenuChoice(short item) override;
    ~PAppleMenu() override;
};
