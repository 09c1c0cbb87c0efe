#include "G3TarnwickApp.h"

#include "G3TarnwickWindow.h"

#include <Gestalt.h>

G3TarnwickApp* app = nullptr;
char useAdvancedMode = false;
Boolean authorized = true;

namespace {

constexpr SInt32 kCPU750 = 264;
constexpr SInt32 kCPUG4 = 268;
constexpr long kInfoTab = 3;

} // namespace

bool ProcessorIsSupported()
{
    return app && (app->processorTypeGest == kCPU750 || app->processorTypeGest == kCPUG4);
}

G3TarnwickApp::G3TarnwickApp()
    : PApplication(PSTR("Tarnwick X"))
{
    app = this;
    // Unanswered selectors leave the zeros, which count as an unsupported
    // processor and an unknown machine.
    Gestalt(gestaltNativeCPUtype, &processorTypeGest);
    Gestalt(gestaltMachineType, &machineTypeGest);
    motherboardCacheSize = 0;
    autoDetectRatio = 0;
    window = new G3TarnwickWindow;
}

G3TarnwickApp::~G3TarnwickApp()
{
    delete window;
}

void G3TarnwickApp::about()
{
    window->theTabManager.selectPane(kInfoTab);
}

void G3TarnwickApp::idle()
{
    window->idle();
}

void G3TarnwickApp::handleCommandKeyDown(const EventRecord* theEvent)
{
    const char character = static_cast<char>(theEvent->message & charCodeMask);
    if (character == 'w' || character == 'W')
        quit();
}

OSErr G3TarnwickApp::reqAEOpenApp(const AEDesc*, AEDesc*)
{
    return noErr;
}

OSErr G3TarnwickApp::reqAEOpenDocs(const AEDesc*, AEDesc*)
{
    return noErr;
}

OSErr G3TarnwickApp::reqAEPrintDocs(const AEDesc*, AEDesc*)
{
    return noErr;
}

OSErr G3TarnwickApp::reqAEQuitApp(const AEDesc*, AEDesc*)
{
    quit();
    return noErr;
}
