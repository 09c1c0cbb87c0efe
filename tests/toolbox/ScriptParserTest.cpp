// Event script lines as a user writes them: what each valid line plays, and
// the line and message of each mistake.
#include "script/ScriptParser.h"

#include <gtest/gtest.h>

namespace {

using Kind = toolbox::ScriptStep::Kind;

struct ValidCase {
    const char* name;
    const char* script;
    Kind kind;
    int line;
    int h, v;
    EventModifiers modifiers;
    int charCode, keyCode;
    UInt32 ticks;
    const char* text;
    const char* item;
};

class ValidScriptLine : public testing::TestWithParam<ValidCase> { };

TEST_P(ValidScriptLine, PlaysAsWritten)
{
    const ValidCase& c = GetParam();
    toolbox::ParsedScript parsed;
    toolbox::ScriptError error;
    ASSERT_TRUE(toolbox::parseScript(c.script, parsed, error)) << error.line << ": " << error.message;
    ASSERT_EQ(parsed.steps.size(), 1u);
    const auto& step = parsed.steps[0];
    EXPECT_EQ(step.kind, c.kind);
    EXPECT_EQ(step.line, c.line);
    EXPECT_EQ(step.where.h, c.h);
    EXPECT_EQ(step.where.v, c.v);
    EXPECT_EQ(step.modifiers, c.modifiers);
    EXPECT_EQ(step.charCode, c.charCode);
    EXPECT_EQ(step.keyCode, c.keyCode);
    EXPECT_EQ(step.ticks, c.ticks);
    EXPECT_EQ(step.text, c.text);
    EXPECT_EQ(step.item, c.item);
}

INSTANTIATE_TEST_SUITE_P(Lines, ValidScriptLine,
    testing::Values(ValidCase {"click", "click 10 20", Kind::Click, 1, 10, 20, 0, 0, 0, 0, "", ""},
        ValidCase {"pressAfterComments", "# a comment\n\n   press 639 479", Kind::Press, 3, 639, 479, 0, 0, 0,
            0, "", ""},
        ValidCase {"move", "move 0 0", Kind::Move, 1, 0, 0, 0, 0, 0, 0, "", ""},
        ValidCase {"release", "release 5 6", Kind::Release, 1, 5, 6, 0, 0, 0, 0, "", ""},
        ValidCase {"commandQ", "key cmd q", Kind::Key, 1, 0, 0, 0x0100, 'q', 0x0C, 0, "", ""},
        ValidCase {"capitalImpliesShift", "key Q", Kind::Key, 1, 0, 0, 0x0200, 'Q', 0x0C, 0, "", ""},
        ValidCase {"shiftedDigit", "key shift 1", Kind::Key, 1, 0, 0, 0x0200, '!', 0x12, 0, "", ""},
        ValidCase {"optionCommandW", "key option cmd w", Kind::Key, 1, 0, 0, 0x0900, 'w', 0x0D, 0, "", ""},
        ValidCase {"return", "key return", Kind::Key, 1, 0, 0, 0, 0x0D, 0x24, 0, "", ""},
        ValidCase {"enter", "key enter", Kind::Key, 1, 0, 0, 0, 0x03, 0x4C, 0, "", ""},
        ValidCase {"hashIsACharacter", "key #", Kind::Key, 1, 0, 0, 0x0200, '#', 0x14, 0, "", ""},
        ValidCase {"wait", "wait 60", Kind::Wait, 1, 0, 0, 0, 0, 0, 60, "", ""},
        ValidCase {"snapshotQuoted", "snapshot \"my shot.png\"", Kind::Snapshot, 1, 0, 0, 0, 0, 0, 0,
            "my shot.png", ""},
        ValidCase {"quit", "quit", Kind::Quit, 1, 0, 0, 0, 0, 0, 0, "", ""},
        ValidCase {"menuQuoted", "menu apple \"About Tarnwick X...\"", Kind::Menu, 1, 0, 0, 0, 0, 0, 0,
            "apple", "About Tarnwick X..."},
        ValidCase {"clickTitleRestOfLine", "click-title  System Profile ", Kind::ClickTitle, 1, 0, 0, 0, 0, 0,
            0, "System Profile", ""},
        ValidCase {"clickTitleQuoted", "click-title \"Enable  L2\"", Kind::ClickTitle, 1, 0, 0, 0, 0, 0, 0,
            "Enable  L2", ""}),
    [](const testing::TestParamInfo<ValidCase>& info) { return info.param.name; });

struct BadCase {
    const char* name;
    const char* script;
    int line;
    const char* message;
};

class BadScriptLine : public testing::TestWithParam<BadCase> { };

TEST_P(BadScriptLine, IsRefusedWithItsLine)
{
    const BadCase& c = GetParam();
    toolbox::ParsedScript parsed;
    toolbox::ScriptError error;
    EXPECT_FALSE(toolbox::parseScript(c.script, parsed, error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(Lines, BadScriptLine,
    testing::Values(
        BadCase {"unknownCommand", "click 1 1\n\n# fine so far\njump 1 2", 4, "unknown command \"jump\""},
        BadCase {"clickWithoutY", "click 10", 1, "click needs X and Y"},
        BadCase {"clickOffScreen", "click 640 10", 1, "click: 640 10 lies outside the 640x480 screen"},
        BadCase {"negativeY", "press 10 -1", 1, "press: 10 -1 lies outside the 640x480 screen"},
        BadCase {"wordsForNumbers", "move a b", 1, "move: X and Y must be whole numbers"},
        BadCase {"unknownModifier", "key hyper a", 1,
            "key: unknown modifier \"hyper\" (cmd, option, shift, control)"},
        BadCase {"modifierWithoutKey", "key cmd", 1, "key: unknown key \"cmd\""},
        BadCase {"unknownKeyName", "key pause", 1, "key: unknown key \"pause\""},
        BadCase {"nonAsciiKey", "key \xA5", 1, "key: no key types \"\xA5\""},
        BadCase {"waitWithoutTicks", "wait", 1, "wait needs a number of ticks"},
        BadCase {"negativeWait", "wait -5", 1, "wait needs a number of ticks"},
        BadCase {"menuWithoutItem", "menu File", 1,
            "menu needs a menu title and an item (quote texts with spaces)"},
        BadCase {"unterminatedQuote", "snapshot \"x.png", 1, "unterminated quotation"},
        BadCase {"quitWithArgument", "quit now", 1, "quit takes no arguments"},
        BadCase {
            "unknownLaunchKey", "keys super", 1, "keys: unknown key \"super\" (option, shift, cmd, control)"},
        BadCase {"clickTitleWithoutTitle", "click-title", 1, "click-title needs a title"}),
    [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

TEST(ScriptKeys, KeysHeldAtLaunchAreNoStep)
{
    toolbox::ParsedScript parsed;
    toolbox::ScriptError error;
    ASSERT_TRUE(toolbox::parseScript("keys option shift\nquit\n", parsed, error));
    EXPECT_EQ(parsed.launchKeys, 0x0A00);
    ASSERT_EQ(parsed.steps.size(), 1u);
    EXPECT_EQ(parsed.steps[0].line, 2);
}

} // namespace
