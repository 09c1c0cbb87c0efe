// The File menu: its one item, Quit (Command-Q), quits the application.
#pragma once

#include <framework/PMenu.h>

class FileMenu : public PMenu {
public:
    FileMenu();
    void handleMenuChoice(short item) override;
    ~FileMenu() override;
};
