#include "FileMenu.h"

#include "G3TarnwickApp.h"

FileMenu::FileMenu()
    : PMenu(PSTR("File"))
{
    addItem(PSTR("Quit/Q"));
}

FileMenu::~FileMenu() = default;

void FileMenu::handleMenuChoice(short)
{
    app->quit();
}
