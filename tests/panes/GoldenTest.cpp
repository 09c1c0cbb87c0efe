// Golden snapshots of the sample: what the framework draws, as a whole.
#include "PanesTestSupport.h"

#include <golden/Golden.h>

#include <gtest/gtest.h>

using panes::runSample;

namespace {

struct GoldenCase {
    const char* name;
    const char* script; // ends with a snapshot to @DIR@/shot.png
};

const GoldenCase kCases[] = {
    // The "Every Kind" tab: every control kind, enabled and dimmed (check
    // boxes, push buttons, radio buttons, pop-up menus) and a title frame
    // with two lines.
    {"controls-tab", "key t\nkey t\nsnapshot @DIR@/shot.png\n"},
    // The "Bands" tab with "Big Band" opened (its check box shown), the band
    // that started open, the plain band and the last band.
    {"bands-tab-open", "click-title Bands\nclick 163 98\nsnapshot @DIR@/shot.png\n"},
    // The "Bands" tab after closing "Last Band": the window shrinks to it.
    {"bands-tab-last-closed", "click-title Bands\nclick 162 210\nsnapshot @DIR@/shot.png\n"},
    // The "Every Kind" tab with "Buttons" and "Pop-up Menus" collapsed.
    {"controls-tab-collapsed", "click 162 145\nclick 162 210\nsnapshot @DIR@/shot.png\n"},
    // The "Bands" tab held down: drawn with the pressed pictures and a white
    // title while the button is held.
    {"tab-pressed", "press 237 79\nsnapshot @DIR@/shot.png\nrelease 300 300\n"},
    // The "Check Boxes" triangle held down: the pressed down-pointing icon.
    {"triangle-pressed", "press 162 100\nsnapshot @DIR@/shot.png\nrelease 300 300\n"},
    // The warning dialog 128 in front of the window, its default button ringed.
    {"warning-dialog", "click-title Warning...\nsnapshot @DIR@/shot.png\nkey return\n"},
    // Stop alert 10002 with the sample's message.
    {"stop-alert", "click-title Alert...\nsnapshot @DIR@/shot.png\nkey return\n"},
};

void PrintTo(const GoldenCase& golden, std::ostream* out)
{
    *out << golden.name;
}

class PanesGolden : public testing::TestWithParam<GoldenCase> { };

TEST_P(PanesGolden, MatchesTheCheckedInImage)
{
    auto run = runSample(GetParam().script);
    ASSERT_EQ(run.status, 0) << run.err;
    golden::expectMatchesGolden(run.snapshot("shot.png").string(), std::string("panes/") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, PanesGolden, testing::ValuesIn(kCases), [](const testing::TestParamInfo<GoldenCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '-')
                c = '_';
        return name;
    });

} // namespace
