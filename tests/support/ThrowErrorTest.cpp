// Raising: what each form of error carries, field by field.
#include <support/ThrowError.h>

#include <gtest/gtest.h>
#include <testkit/PString.h>

#include <string>

KORV_SOURCE_UNIT("SupportTestUnit");

namespace {

using testkit::text;

template<typename F> ThrowError caught(F raise)
{
    try {
        raise();
    } catch (const ThrowError& error) {
        return error;
    }
    ADD_FAILURE() << "nothing was raised";
    return {};
}

TEST(Throw, CarriesItsFiveArguments)
{
    const ThrowError e = caught([] { Throw(7, PSTR("desc"), PSTR("unit"), 99, true); });
    EXPECT_EQ(e.errorNum, 7u);
    EXPECT_EQ(text(e.description), "desc");
    EXPECT_EQ(text(e.fileName), "unit");
    EXPECT_EQ(e.line, 99u);
    EXPECT_EQ(e.justAMessage, 1);
}

TEST(Throw, ResultCodesAreSignExtended)
{
    const OSErr fnfErr = -43;
    const ThrowError e = caught([&] { THROW_IF_ERR(fnfErr, PSTR("Failed to open file!")); });
    EXPECT_EQ(e.errorNum, 0xFFFFFFD5u);
    EXPECT_EQ(ThrowErrorNumber(e), -43);
    EXPECT_EQ(std::to_string(ThrowErrorNumber(e)), "-43");
    EXPECT_EQ(text(e.description), "Failed to open file!");
    EXPECT_EQ(text(e.fileName), "SupportTestUnit");
    EXPECT_EQ(e.justAMessage, 0);
}

TEST(Throw, NoErrRaisesNothing)
{
    EXPECT_NO_THROW(THROW_IF_ERR(0, PSTR("never")));
}

TEST(Throw, ReportsTheRaisingLine)
{
    const unsigned long expectedLine = __LINE__ + 1;
    const ThrowError e = caught([] { THROW_ERR(-5000, PSTR("Error creating file!")); });
    EXPECT_EQ(e.line, expectedLine);
    EXPECT_EQ(ThrowErrorNumber(e), -5000);
}

TEST(Throw, AssertionNamesTheCondition)
{
    const bool descriptorGood = false;
    const ThrowError e = caught([&] { THROW_ASSERT(descriptorGood == true); });
    EXPECT_EQ(ThrowErrorNumber(e), -1);
    EXPECT_EQ(text(e.description), "Assertion failed: descriptorGood == true");
    EXPECT_EQ(e.justAMessage, 0);
    EXPECT_NO_THROW(THROW_ASSERT(!descriptorGood));
}

TEST(Throw, MessageIsNumberZeroAndJustAMessage)
{
    const ThrowError e = caught([] { THROW_MESSAGE(PSTR("Please trash them.")); });
    EXPECT_EQ(e.errorNum, 0u);
    EXPECT_EQ(e.justAMessage, 1);
    EXPECT_EQ(text(e.description), "Please trash them.");
}

TEST(ThrowIfNil, ReturnsANonNilValueUnchanged)
{
    int x = 3;
    EXPECT_EQ(ThrowIfNil(&x, PSTR("nil"), PSTR("f"), 1), &x);
    EXPECT_EQ(THROW_IF_NIL(&x, PSTR("nil")), &x);
}

TEST(ThrowIfNil, RaisesMinusOneForNil)
{
    const ThrowError e
        = caught([] { ThrowIfNil(static_cast<char*>(nullptr), PSTR("no block"), PSTR("f"), 12); });
    EXPECT_EQ(ThrowErrorNumber(e), -1);
    EXPECT_EQ(text(e.description), "no block");
    EXPECT_EQ(text(e.fileName), "f");
    EXPECT_EQ(e.line, 12u);
    EXPECT_EQ(e.justAMessage, 0);
}

} // namespace
