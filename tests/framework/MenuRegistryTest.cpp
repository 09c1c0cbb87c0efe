// The menu registry in process: IDs handed out in order and never reused,
// choices routed by ID, a destroyed menu's entry cleared, and menus beyond
// the table's 128 entries kept out of it instead of written past it.
#include <framework/PMenu.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class CountingMenu : public PMenu {
public:
    CountingMenu()
        : PMenu(PSTR("Count"))
    {
        addItem(PSTR("One;Two"));
    }
    void handleMenuChoice(short item) override { chosen.push_back(item); }
    short id() const { return myMenuID; }
    std::vector<short> chosen;
};

class MenuRegistry : public testing::Test {
protected:
    void SetUp() override { setenv("MACSIM_DISPLAY", "headless", 1); }
};

TEST_F(MenuRegistry, IdsAreHandedOutInOrderAndNeverReused)
{
    short first = menuID;
    auto a = std::make_unique<CountingMenu>();
    auto b = std::make_unique<CountingMenu>();
    EXPECT_EQ(a->id(), first);
    EXPECT_EQ(b->id(), first + 1);
    EXPECT_EQ(theMenu[first - 128], a.get());
    a.reset();
    EXPECT_EQ(theMenu[first - 128], nullptr);
    auto c = std::make_unique<CountingMenu>();
    EXPECT_EQ(c->id(), first + 2);
    EXPECT_EQ(theMenu[first + 2 - 128], c.get());
    EXPECT_EQ(menuID, first + 3);
}

TEST_F(MenuRegistry, ChoicesGoToTheMenuWithThatId)
{
    auto a = std::make_unique<CountingMenu>();
    auto b = std::make_unique<CountingMenu>();
    RouteMenuChoice((long(b->id()) << 16) | 2);
    RouteMenuChoice((long(a->id()) << 16) | 1);
    EXPECT_EQ(a->chosen, std::vector<short> {1});
    EXPECT_EQ(b->chosen, std::vector<short> {2});
    short gone = b->id();
    b.reset();
    RouteMenuChoice((long(gone) << 16) | 1);
    RouteMenuChoice((500L << 16) | 1);
    EXPECT_EQ(a->chosen, std::vector<short> {1});
}

TEST_F(MenuRegistry, MenusPastTheTableAreNotRegistered)
{
    std::vector<std::unique_ptr<CountingMenu>> menus;
    while (menuID <= 257)
        menus.push_back(std::make_unique<CountingMenu>());
    CountingMenu& last = *menus.back();
    EXPECT_EQ(last.id(), 257);
    RouteMenuChoice((257L << 16) | 1);
    EXPECT_TRUE(last.chosen.empty());
    if (menus.size() >= 3) {
        CountingMenu& lastRegistered = *menus[menus.size() - 3];
        EXPECT_EQ(lastRegistered.id(), 255);
        EXPECT_EQ(theMenu[127], &lastRegistered);
    }
    menus.clear();
    for (PMenu* entry : theMenu)
        EXPECT_EQ(entry, nullptr);
}

} // namespace
