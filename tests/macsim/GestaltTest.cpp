// Gestalt's answers on the simulated machine.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <Gestalt.h>

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(Gestalt, AnswersFromTheMachine)
{
    testkit::ScopedMachine machine("ibook-300");
    struct {
        const char* settings;
        OSType selector;
        OSErr err;
        SInt32 response;
    } const cases[] = {
        {nullptr, 'mach', noErr, 406},
        {nullptr, 'cput', noErr, 0x108},
        {nullptr, 'bbox', noErr, 0},
        {"classic=1", 'bbox', noErr, 1},
        {nullptr, 'sysv', noErr, 0x1022},
        {nullptr, 'qtim', gestaltUndefSelectorErr, -7},
        {"gestalt-mach=510", 'mach', noErr, 510},
    };
    for (const auto& c : cases) {
        if (c.settings)
            machine.set({c.settings});
        SInt32 response = -7;
        EXPECT_EQ(Gestalt(c.selector, &response), c.err);
        EXPECT_EQ(response, c.response);
    }
}

TEST(Gestalt, AMissingMachineIsAnUnknownAnswer)
{
    macsimtest::TempDir empty;
    const char* previous = std::getenv("MACSIM_MACHINE");
    std::string saved = previous ? previous : "";
    setenv("MACSIM_MACHINE", empty.path().c_str(), 1);
    SInt32 response = -7;
    EXPECT_EQ(Gestalt('mach', &response), gestaltUnknownErr);
    EXPECT_EQ(response, -7);
    EXPECT_EQ(Gestalt('sysv', &response), noErr);
    if (previous)
        setenv("MACSIM_MACHINE", saved.c_str(), 1);
    else
        unsetenv("MACSIM_MACHINE");
}

} // namespace
