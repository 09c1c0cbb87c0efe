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

// Each change starts from "Apply" drawn at (5, 20), the port unclipped.
TEST_F(DrawnTexts, StayWhileTheyCanBeSeen)
{
    enum Change { kDraw, kErase, kInvert, kForget, kDrawClippedAway };
    const struct {
        const char* what;
        Change change;
        Rect r;
        size_t count;
    } kChanges[] = {
        {"drawn again", kDraw, {}, 1},
        {"partly erased", kErase, {0, 0, 30, 7}, 1},
        {"inverted", kInvert, {0, 0, 30, 60}, 1},
        {"wholly erased", kErase, {0, 0, 30, 60}, 0},
        {"forgotten", kForget, {}, 0},
        {"drawn where clipped away", kDrawClippedAway, {0, 0, 5, 60}, 0},
    };
    for (const auto& c : kChanges) {
        toolbox::forgetDrawnTexts(&port);
        ClipRect(&port.portRect);
        MoveTo(5, 20);
        DrawString(PSTR("Apply"));
        if (c.change == kErase)
            EraseRect(&c.r);
        if (c.change == kInvert)
            InvertRect(&c.r);
        if (c.change == kForget || c.change == kDrawClippedAway)
            toolbox::forgetDrawnTexts(&port);
        if (c.change == kDrawClippedAway)
            ClipRect(&c.r);
        if (c.change == kDraw || c.change == kDrawClippedAway) {
            MoveTo(5, 20);
            DrawString(PSTR("Apply"));
        }
        EXPECT_EQ(toolbox::drawnTexts(&port).size(), c.count) << c.what;
    }
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

} // namespace
} // namespace qdtest
