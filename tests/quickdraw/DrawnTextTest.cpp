// The record of drawn strings that scripts use to click a title: where each
// string shows, and how painting and scrolling change that.
#include "ScreenFixture.h"

#include "quickdraw/DrawnTexts.h"

#include <Fonts.h>

namespace qdtest {
namespace {

class DrawnTexts : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        TextFont(kFontIDGeneva);
        TextSize(9);
        MoveTo(5, 20);
        DrawString(PSTR("Apply"));
        width = StringWidth(PSTR("Apply"));
    }
    short width = 0;
};

TEST_F(DrawnTexts, RecordTheGlobalBoxOfEachString)
{
    std::vector<toolbox::DrawnText> texts = toolbox::drawnTexts(&port);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Apply");
    EXPECT_EQ(texts[0].bounds.left, kPortLeft + 5);
    EXPECT_EQ(texts[0].bounds.right, kPortLeft + 5 + width);
    EXPECT_EQ(texts[0].bounds.top, kPortTop + 20 - 9);
    EXPECT_EQ(texts[0].bounds.bottom, kPortTop + 20 + 3);
}

TEST_F(DrawnTexts, DrawingTheSameStringAgainKeepsOneEntry)
{
    MoveTo(5, 20);
    DrawString(PSTR("Apply"));
    EXPECT_EQ(toolbox::drawnTexts(&port).size(), 1u);
}

TEST_F(DrawnTexts, ErasingTheWholeStringDropsIt)
{
    Rect r {0, 0, 30, 60};
    EraseRect(&r);
    EXPECT_TRUE(toolbox::drawnTexts(&port).empty());
}

TEST_F(DrawnTexts, ErasingPartOfTheStringKeepsIt)
{
    Rect r {0, 0, 30, 7};
    EraseRect(&r);
    EXPECT_EQ(toolbox::drawnTexts(&port).size(), 1u);
}

TEST_F(DrawnTexts, InvertingDoesNotHideTheString)
{
    Rect r {0, 0, 30, 60};
    InvertRect(&r);
    EXPECT_EQ(toolbox::drawnTexts(&port).size(), 1u);
}

TEST_F(DrawnTexts, ClippedAwayStringsAreNotRecorded)
{
    toolbox::forgetDrawnTexts(&port);
    Rect clip {0, 0, 5, 60};
    ClipRect(&clip);
    MoveTo(5, 20);
    DrawString(PSTR("Hidden"));
    EXPECT_TRUE(toolbox::drawnTexts(&port).empty());
}

TEST_F(DrawnTexts, ScrollingMovesThemAndScrollingOutDropsThem)
{
    RgnHandle update = NewRgn();
    Rect area {0, 0, 40, 60};
    ScrollRect(&area, 0, -5, update);
    std::vector<toolbox::DrawnText> texts = toolbox::drawnTexts(&port);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].bounds.top, kPortTop + 20 - 9 - 5);
    ScrollRect(&area, 0, -30, update);
    EXPECT_TRUE(toolbox::drawnTexts(&port).empty());
    DisposeRgn(update);
}

TEST_F(DrawnTexts, ForgetClearsThePortsRecord)
{
    toolbox::forgetDrawnTexts(&port);
    EXPECT_TRUE(toolbox::drawnTexts(&port).empty());
}

} // namespace
} // namespace qdtest
