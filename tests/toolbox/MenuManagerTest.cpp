// The Menu Manager: items made from AppendMenu's metacharacters and from
// 'MENU' resources, command keys, and pulled-down and pop-up menus followed
// by scripted mouse input.
#include <testkit/PString.h>
#include <testkit/Toolbox.h>

#include "menus/MenuBar.h"
#include "resources/ResourceFileAccess.h"

#include <MacMemory.h>
#include <Resources.h>

#include <filesystem>

#include <vector>

namespace {

using testkit::ToolboxTest;

class MenuManagerTest : public ToolboxTest {
protected:
    long select(const char* script)
    {
        playScript(script);
        EventRecord e = nextEvent();
        EXPECT_EQ(e.what, mouseDown);
        return MenuSelect(e.where);
    }
};

struct ItemSpec {
    const char* text;
    int commandKey;
    bool enabled;
    int mark;
};

struct AppendCase {
    const char* name;
    const char* data;
    std::vector<ItemSpec> items;
};

class AppendMenuTest : public MenuManagerTest, public testing::WithParamInterface<AppendCase> { };

TEST_P(AppendMenuTest, MetacharactersShapeTheItems)
{
    MenuRef m = NewMenu(200, testkit::pstr("Test").c_str());
    AppendMenu(m, testkit::pstr(GetParam().data).c_str());
    const auto& expected = GetParam().items;
    ASSERT_EQ(CountMenuItems(m), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        short item = short(i + 1);
        Str255 text;
        GetMenuItemText(m, item, text);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), expected[i].text)
            << "item " << item;
        CharParameter key, mark;
        GetItemCmd(m, item, &key);
        GetItemMark(m, item, &mark);
        EXPECT_EQ(key, expected[i].commandKey) << "item " << item;
        EXPECT_EQ(IsMenuItemEnabled(m, item), expected[i].enabled) << "item " << item;
        EXPECT_EQ(mark, expected[i].mark) << "item " << item;
    }
    DisposeMenu(m);
}

INSTANTIATE_TEST_SUITE_P(Texts, AppendMenuTest,
    testing::Values(AppendCase {"commandKey", "Quit/Q", {{"Quit", 'Q', true, 0}}},
        AppendCase {"severalItems", "Open.../O;(Print;-;Close",
            {{"Open...", 'O', true, 0}, {"Print", 0, false, 0}, {"-", 0, false, 0}, {"Close", 0, true, 0}}},
        AppendCase {"returnSeparates", "One\rTwo", {{"One", 0, true, 0}, {"Two", 0, true, 0}}},
        AppendCase {"markAndStyle", "!\x12<BChecked", {{"Checked", 0, true, 0x12}}},
        AppendCase {"nothing", "", {}}),
    [](const testing::TestParamInfo<AppendCase>& info) { return info.param.name; });

TEST_F(MenuManagerTest, ItemsChangeTextStateAndMark)
{
    MenuRef m = newMenu(128, "File", "Quit/Q;Other");
    SetMenuItemText(m, 2, testkit::pstr("Renamed").c_str());
    DisableMenuItem(m, 1);
    CheckMenuItem(m, 2, true);
    Str255 text;
    GetMenuItemText(m, 2, text);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "Renamed");
    EXPECT_FALSE(IsMenuItemEnabled(m, 1));
    CharParameter mark;
    GetItemMark(m, 2, &mark);
    EXPECT_EQ(mark, 0x12);
    GetMenuItemText(m, 9, text);
    EXPECT_EQ(text[0], 0) << "an item beyond the last reads empty";
    AppendResMenu(m, 'DRVR');
    EXPECT_EQ(CountMenuItems(m), 2) << "there are no desk accessories";
}

TEST_F(MenuManagerTest, CommandKeysFindEnabledItemsWhateverTheCase)
{
    MenuRef file = newMenu(128, "File", "Open/O;Quit/Q");
    MenuRef edit = newMenu(129, "Edit", "Copy/C;(Paste/V");
    EXPECT_EQ(MenuKey('q'), (128L << 16) | 2);
    EXPECT_EQ(MenuKey('C'), (129L << 16) | 1);
    EXPECT_EQ(MenuKey('v'), 0) << "disabled item";
    EXPECT_EQ(MenuKey('z'), 0);
    DisableMenuItem(edit, 0);
    EXPECT_EQ(MenuKey('c'), 0) << "disabled menu";
    DeleteMenu(128);
    EXPECT_EQ(MenuKey('q'), 0) << "a menu out of the bar";
    EXPECT_EQ(GetMenuHandle(128), nullptr);
    EXPECT_EQ(GetMenuHandle(129), edit);
    DisposeMenu(file);
}

TEST_F(MenuManagerTest, InsertBeforeAnotherMenu)
{
    MenuRef a = newMenu(128, "A", "x");
    MenuRef b = newMenu(129, "B", "y");
    MenuRef c = NewMenu(130, testkit::pstr("C").c_str());
    InsertMenu(c, 129);
    MenuRef pop = NewMenu(131, testkit::pstr("Pop").c_str());
    InsertMenu(pop, hierMenu);
    std::vector<MenuRef> expected {a, c, b};
    EXPECT_EQ(toolbox::menuBar().bar, expected);
    EXPECT_EQ(GetMenuHandle(131), pop) << "pop-up menus are found by ID";
}

struct SelectCase {
    const char* name;
    const char* script;
    long result;
};

class MenuSelectTest : public MenuManagerTest, public testing::WithParamInterface<SelectCase> { };

TEST_P(MenuSelectTest, ReturnsTheItemReleasedOn)
{
    newMenu(128, "File", "Open/O;(Print;Quit/Q");
    newMenu(129, "Edit", "Copy;Paste");
    EXPECT_EQ(select(GetParam().script), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Releases, MenuSelectTest,
    testing::Values(SelectCase {"menuStep", "menu File Quit\n", (128L << 16) | 3},
        SelectCase {"menuStepOtherMenu", "menu Edit Paste\n", (129L << 16) | 2},
        SelectCase {"dragDown", "press 20 10\nmove 40 30\nrelease 40 60\n", (128L << 16) | 3},
        SelectCase {"releasedOnDisabledItem", "press 20 10\nrelease 40 44\n", 0},
        SelectCase {"releasedOutside", "press 20 10\nmove 40 30\nrelease 300 300\n", 0},
        SelectCase {"releasedOnTheTitle", "click 20 10\n", 0},
        SelectCase {"menuStepOnDisabledItem", "menu File Print\n", 0}),
    [](const testing::TestParamInfo<SelectCase>& info) { return info.param.name; });

TEST_F(MenuManagerTest, ChosenTitleStaysHighlightedUntilHiliteMenuZeroAndNoOtherIs)
{
    newMenu(128, "File", "Quit/Q");
    UInt32 under = screenPixel(40, 28);
    ASSERT_EQ(select("menu File Quit\n"), (128L << 16) | 1);
    EXPECT_EQ(screenPixel(12, 5), 0x000000u);
    EXPECT_EQ(screenPixel(40, 28), under) << "what the menu covered is back";
    HiliteMenu(0);
    EXPECT_EQ(screenPixel(12, 5), 0xFFFFFFu);
    ASSERT_EQ(select("press 20 10\nrelease 300 300\n"), 0);
    EXPECT_EQ(screenPixel(12, 5), 0xFFFFFFu) << "released outside: no highlight left";
}

struct ResourceCase {
    const char* name;
    std::vector<UInt8> bytes;
    bool valid;
};

class MenuResourceTest : public MenuManagerTest, public testing::WithParamInterface<ResourceCase> { };

// ID 1, enable flags: menu, items 1 and 3; title "Ratio"; items "Auto", "1:1" (key 'A'), "2:1".
const std::vector<UInt8> kRatioMenu
    = {0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x0B, 5, 'R', 'a', 't', 'i', 'o', 4, 'A', 'u',
        't', 'o', 0, 0, 0, 0, 3, '1', ':', '1', 0, 'A', 0, 0, 3, '2', ':', '1', 0, 0, 0, 0, 0};

std::vector<UInt8> cut(size_t n)
{
    return std::vector<UInt8>(kRatioMenu.begin(), kRatioMenu.begin() + long(n));
}

TEST_P(MenuResourceTest, DecodesOrRefuses)
{
    const auto& bytes = GetParam().bytes;
    MenuRef m = toolbox::menuFromResource(bytes.data(), bytes.size());
    if (!GetParam().valid) {
        EXPECT_EQ(m, nullptr);
        return;
    }
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetMenuID(m), 1);
    ASSERT_EQ(CountMenuItems(m), 3);
    EXPECT_TRUE(IsMenuItemEnabled(m, 1));
    EXPECT_FALSE(IsMenuItemEnabled(m, 2));
    EXPECT_TRUE(IsMenuItemEnabled(m, 3));
    Str255 text;
    GetMenuItemText(m, 3, text);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "2:1");
    CharParameter key;
    GetItemCmd(m, 2, &key);
    EXPECT_EQ(key, 'A');
    DisposeMenu(m);
}

INSTANTIATE_TEST_SUITE_P(Bytes, MenuResourceTest,
    testing::Values(ResourceCase {"whole", kRatioMenu, true}, ResourceCase {"empty", {}, false},
        ResourceCase {"headerOnly", cut(14), false}, ResourceCase {"titleCut", cut(17), false},
        ResourceCase {"itemLacksItsStyleByte", cut(28), false}, ResourceCase {"noTerminator", cut(45), false},
        ResourceCase {"titleLongerThanData", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 200, 'x'}, false}),
    [](const testing::TestParamInfo<ResourceCase>& info) { return info.param.name; });

TEST_F(MenuManagerTest, GetMenuReadsTheMenuResource)
{
    auto path = std::filesystem::path(testing::TempDir()) / "menus.rsrc";
    ASSERT_EQ(toolbox::createResourceFileAtPath(path), noErr);
    SInt16 file = 0;
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdWrPerm, &file), noErr);
    Handle data = NewHandle(Size(kRatioMenu.size()));
    std::copy(kRatioMenu.begin(), kRatioMenu.end(), reinterpret_cast<UInt8*>(*data));
    AddResource(data, 'MENU', 1, testkit::pstr("").c_str());
    CloseResFile(file);
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdPerm, &file), noErr);

    MenuRef m = GetMenu(1);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(CountMenuItems(m), 3);
    EXPECT_EQ(GetMenu(2), nullptr);
    DisposeMenu(m);
    CloseResFile(file);
}

} // namespace
