// Layout from what shows: every window's drawn texts and controls, written
// by the event script's "layout" command, on every screen of the program
// (each tab on a G4, a G3 and an unsupported processor, advanced mode, the
// warnings and the alerts). No label may reach within 3 pixels of the value
// or control to its right, no text may cross a control it is not the title
// of, every title fits its control, and every character drawn is in the font.
#include "AppTestSupport.h"

#include <MacMemory.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>
#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace apptest {
namespace {

constexpr int kGap = 3;

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool rowsMeet(const Box& o) const { return top < o.bottom && o.top < bottom; }
    bool meets(const Box& o) const { return rowsMeet(o) && left < o.right && o.left < right; }
};

struct Entry {
    std::string kind; // "text", or the control's kind
    Box box;
    std::string text;
};

struct Window {
    std::string title;
    Box content;
    std::vector<Entry> texts, controls;
};

std::vector<Window> readLayout(const fs::path& path)
{
    std::vector<Window> windows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string what, kind;
        words >> what;
        if (what == "control")
            words >> kind;
        Box b;
        words >> b.left >> b.top >> b.right >> b.bottom;
        const size_t open = line.find('"'), close = line.rfind('"');
        const std::string text = line.substr(open + 1, close - open - 1);
        if (what == "window")
            windows.push_back(Window {text, b, {}, {}});
        else if (!windows.empty())
            (what == "text" ? windows.back().texts : windows.back().controls)
                .push_back(Entry {what == "text" ? what : kind, b, text});
    }
    return windows;
}

std::string describe(const Entry& e)
{
    std::ostringstream out;
    out << e.kind << " \"" << e.text << "\" (" << e.box.left << "," << e.box.top << ")-(" << e.box.right
        << "," << e.box.bottom << ")";
    return out.str();
}

// The control whose title (or shown item) `t` is: it starts inside the
// control, which has that title if any control there does.
const Entry* ownerOf(const Window& w, const Entry& t)
{
    const Entry* owner = nullptr;
    for (const Entry& c : w.controls)
        if (t.box.left >= c.box.left && t.box.left < c.box.right && t.box.rowsMeet(c.box)
            && (!owner || c.text == t.text))
            owner = &c;
    return owner;
}

// Which characters the font draws: its offset/width table has no -1 for them.
class FontCoverage {
public:
    explicit FontCoverage(short id)
    {
        SInt16 ref = 0;
        const auto system = testkit::binDirectory() / ".." / "share" / "korvendale" / "System";
        if (toolbox::openResourceFileAtPath(system, 1, &ref) != noErr)
            return;
        Handle h = Get1Resource('FONT', id);
        if (h) {
            const auto* b = reinterpret_cast<const uint8_t*>(*h);
            auto word = [&](size_t at) { return (b[at] << 8) | b[at + 1]; };
            const int first = word(2), last = word(4);
            const size_t ow = 16 + size_t(word(16)) * 2;
            for (int c = first; c <= last; ++c)
                has_[size_t(c)] = word(ow + size_t(c - first) * 2) != 0xFFFF;
        }
        CloseResFile(ref);
    }
    bool has(unsigned char c) const { return has_[c]; }

private:
    bool has_[256] = {};
};

// Every fault on one screen, one a line.
std::string faultsOf(const Window& w)
{
    std::ostringstream faults;
    for (const Entry& t : w.texts) {
        const Entry* owner = ownerOf(w, t);
        if (owner && t.box.right > owner->box.right)
            faults << describe(t) << " overflows " << describe(*owner) << "\n";
        if (owner && owner->kind == "popup" && !t.text.empty() && t.text.back() == '\xC9')
            faults << describe(t) << " is cut short in " << describe(*owner) << "\n";
        for (const Entry& c : w.controls) {
            if (&c == owner || !t.box.rowsMeet(c.box))
                continue;
            if (t.box.meets(c.box) || (t.box.left < c.box.left && t.box.right + kGap > c.box.left))
                faults << describe(t) << " runs into " << describe(c) << "\n";
        }
        // Pieces drawn one after the other (the pen going on) make one text.
        for (const Entry& u : w.texts)
            if (&u != &t && owner == nullptr && ownerOf(w, u) == nullptr && t.box.rowsMeet(u.box)
                && t.box.left < u.box.left && t.box.right + kGap > u.box.left && t.box.right != u.box.left)
                faults << describe(t) << " runs into " << describe(u) << "\n";
    }
    for (const Entry& c : w.controls)
        for (const Entry& d : w.controls)
            if (&c < &d && c.box.meets(d.box))
                faults << describe(c) << " overlaps " << describe(d) << "\n";
    return faults.str();
}

struct Screen {
    const char* name;
    const char* preset; // empty: the default G4
    std::vector<std::string> settings; // macsim set
    bool automaticChoice; // a saved "Automatic" ratio entry
    bool noStartupItemFolder; // start-up fails with error alert 10001
    const char* script; // "@LAYOUT@" is replaced by the next layout file
    size_t windowsExpected; // layouts taken, each with this many windows at least
};

const char* const kEveryTab
    = "click-title Tarnwick\nlayout @LAYOUT@\nclick-title Other\nlayout @LAYOUT@\n"
      "click-title Info\nlayout @LAYOUT@\nclick-title System Profile\nlayout @LAYOUT@\n";

const Screen kScreens[] = {
    {"G4", "", {}, false, false, kEveryTab, 1},
    {"G3", "bw-g3-400", {}, false, false, kEveryTab, 1},
    {"Unsupported", "quicksilver-733", {}, false, false, kEveryTab, 1},
    {"G4Advanced", "", {}, false, false, "keys option\nclick-title Tarnwick\nlayout @LAYOUT@\n", 1},
    {"G3Advanced", "bw-g3-400", {}, false, false, "keys option\nclick-title Tarnwick\nlayout @LAYOUT@\n", 1},
    // The pop-up's first item (1:1) is two rows above the one shown (2:1).
    {"FastRatioWarning", "", {}, false, false,
        "click-title Tarnwick\npress 348 148\nrelease 348 116\nlayout @LAYOUT@\nclick-title Cancel\n", 2},
    {"AutomaticWarning", "", {"l2cr=0xB1000000"}, true, false,
        "click-title Tarnwick\nclick 310 183\nlayout @LAYOUT@\nclick-title Cancel\n", 2},
    {"AutomaticReplacedCacheOff", "", {"l2cr=0x31000000"}, true, false, "layout @LAYOUT@\nclick-title OK\n",
        1},
    {"AutomaticReplacedCacheOn", "", {"l2cr=0xB9000000"}, true, false, "layout @LAYOUT@\nclick-title OK\n",
        1},
    {"ClassicRefused", "", {"classic=1"}, false, false, "layout @LAYOUT@\nclick-title OK\n", 1},
    {"ErrorAlert", "", {}, false, true, "layout @LAYOUT@\nclick-title OK\n", 1},
};

class Layout : public testing::TestWithParam<Screen> { };

TEST_P(Layout, EveryLabelClearsWhatIsToItsRight)
{
    const Screen& s = GetParam();
    testkit::ScopedMachine machine(s.preset);
    if (!s.settings.empty())
        machine.set(s.settings);
    machine.loadExtension();
    if (s.automaticChoice) {
        std::vector<uint8_t> prefs = {0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x01,
            0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01,
            0x00, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00};
        writeBytes(machine.prefsFile(), prefs);
    }
    if (s.noStartupItemFolder)
        fs::remove_all(machine.prefsFile().parent_path());
    std::string script = s.script;
    int layouts = 0;
    for (size_t at = script.find("@LAYOUT@"); at != std::string::npos; at = script.find("@LAYOUT@"))
        script.replace(at, 8, "@DIR@/layout-" + std::to_string(++layouts) + ".txt");
    const AppRun run = runTarnwick(script);
    ASSERT_TRUE(run.status == 0 || run.status == 1) << run.err;

    static const FontCoverage geneva(393), system(12);
    for (int i = 1; i <= layouts; ++i) {
        const auto windows = readLayout(run.dir / ("layout-" + std::to_string(i) + ".txt"));
        ASSERT_GE(windows.size(), s.windowsExpected) << "layout " << i << "\n" << run.err;
        for (const Window& w : windows) {
            EXPECT_EQ(faultsOf(w), "") << "layout " << i << ", window \"" << w.title << "\"";
            for (const Entry& t : w.texts) {
                for (unsigned char c : t.text) {
                    EXPECT_TRUE(geneva.has(c) && system.has(c))
                        << describe(t) << ": character 0x" << std::hex << int(c) << " is not in the fonts";
                }
            }
        }
        // The front window of a warning is the dialog, with its buttons.
        if (s.windowsExpected == 2) {
            EXPECT_FALSE(windows.front().controls.empty()) << "layout " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, Layout, testing::ValuesIn(kScreens),
    [](const testing::TestParamInfo<Screen>& info) { return std::string(info.param.name); });

// The ratio pop-up is in the window's font, Geneva 9, and so is its menu
// while it is open (the shown item checked, 200 MHz [2:1]).
TEST(Layout, ThePopUpsMenuOpensInTheWindowsFont)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run
        = runTarnwick("click-title Tarnwick\npress 348 148\nsnapshot @DIR@/menu.png\nrelease 348 148\n");
    ASSERT_EQ(run.status, 0) << run.err;
    expectWindowMatchesGolden(run.snapshot("menu.png"), "tarnwick-ratio-menu", 305);
}

// The check itself: a label that reaches its control and one that stops in
// time, as the layout record shows them.
TEST(LayoutCheck, FindsALabelThatRunsIntoItsControl)
{
    Window w {"w", {0, 0, 400, 300}, {}, {}};
    w.controls.push_back(Entry {"radio", {304, 113, 339, 125}, "On"});
    w.texts.push_back(Entry {"text", {320, 115, 330, 124}, "On"});
    w.texts.push_back(Entry {"text", {173, 104, 301, 116}, "Speculative access status:"});
    EXPECT_EQ(faultsOf(w), "");
    w.texts.back().box.right = 302;
    EXPECT_EQ(faultsOf(w),
        "text \"Speculative access status:\" (173,104)-(302,116) runs into radio \"On\" "
        "(304,113)-(339,125)\n");
}

} // namespace
} // namespace apptest
