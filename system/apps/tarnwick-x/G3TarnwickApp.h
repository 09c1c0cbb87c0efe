// The application object of Tarnwick X and the globals its panes read. The
// object owns the menus and the one window; the window's panes reach the
// Gestalt answers through `app`, which is set before the window is built.
#pragma once

#include "FileMenu.h"

#include <framework/PAppleEvents.h>
#include <framework/PApplication.h>

#include <MacTypes.h>

class G3TarnwickWindow;

class G3TarnwickApp : public PApplication, public PAppleEventRequiredSuiteHandler {
public:
    G3TarnwickApp();
    ~G3TarnwickApp() override;
    void about() override;
    void idle() override;
    void handleCommandKeyDown(const EventRecord* theEvent) override;

    OSErr reqAEOpenApp(const AEDesc* theEvent, AEDesc* reply) override;
    OSErr reqAEOpenDocs(const AEDesc* theEvent, AEDesc* reply) override;
    OSErr reqAEPrintDocs(const AEDesc* theEvent, AEDesc* reply) override;
    OSErr reqAEQuitApp(const AEDesc* theEvent, AEDesc* reply) override;

    SInt32 processorTypeGest = 0; // Gestalt 'cput'
    SInt32 machineTypeGest = 0; // Gestalt 'mach'
    UInt32 motherboardCacheSize = 0; // nothing detects a motherboard cache
    UInt32 autoDetectRatio = 0; // recommended L2CLK bits, 0 = not tested

private:
    G3TarnwickWindow* window = nullptr;
    FileMenu fileMenu;
};

extern G3TarnwickApp* app;
// More clock ratios and the test controls; decided once before the window.
extern char useAdvancedMode;
// The user may write into the startup item's folder; when false the panes
// dim every control that changes a setting. Decided once before the window.
extern Boolean authorized;

// The panes can drive only a PowerPC 750 or a G4 (Gestalt 'cput' 264 or 268).
bool ProcessorIsSupported();
