// A program built with the UI framework's panes: one window with two tabs of
// collapsible bands holding every control kind and a title frame. It runs in
// a real window or headless under an event script, and reports the hooks the
// framework calls on standard output (see SampleWindow.h for its keys).
#include "SampleLog.h"
#include "SampleWindow.h"

#include <framework/PAppleEvents.h>
#include <framework/PApplication.h>

class SampleApp : public PApplication, public PAppleEventRequiredSuiteHandler {
public:
    SampleApp()
        : PApplication(PSTR("Panes Sample"))
        , window(new SampleWindow)
    {
    }
    ~SampleApp() override { delete window; }

    // The first pass has drawn the window: what follows is the script's doing.
    void idle() override
    {
        if (!ready) {
            ready = true;
            LogLine("ready");
        }
        window->idle();
    }

    OSErr reqAEOpenApp(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEOpenDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEPrintDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEQuitApp(const AEDesc*, AEDesc*) override
    {
        quit();
        return noErr;
    }

private:
    SampleWindow* window;
    bool ready = false;
};

int main()
{
    Initialize();
    auto* app = new SampleApp;
    app->run();
    delete app;
    return 0;
}
