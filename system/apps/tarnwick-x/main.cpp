// Tarnwick X: start-up checks, the one run of the application object, and
// the top-level handler, the only place where an error reaches the user.
// An error ends the program at once, without saving the preferences: the
// settings of a run that went wrong are not kept.
#include "ApplicationFiles.h"
#include "ErrorAlert.h"
#include "G3TarnwickApp.h"
#include "LaunchSettings.h"
#include "WritePermissionProbe.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <support/ThrowError.h>

#include <Resources.h>

#include <cstdio>
#include <exception>

KORV_SOURCE_UNIT("main");

namespace {

// Steps 3.1 to 3.10 of the start-up: everything that may raise.
void RunApplication()
{
    if (RunningOnClassic())
        THROW_MESSAGE(PSTR("Tarnwick X cannot run in the MacOS X Classic environment."));
    ReadG3TarnwickAppPrefs();
    PProcessor::InitPProcessor();
    const bool optionHeld = OptionKeyHeld();
    RefreshRatioSelection(theProcessor->getL2CR());
    useAdvancedMode = NeedsAdvancedMode(optionHeld, prefs.cacheRatioMenuSelection);

    new G3TarnwickApp; // sets app
    app->run();
    // The panes copy their check boxes into prefs as they are destroyed.
    delete app;
    app = nullptr;
    // The probe found the startup item's folder closed to this user: the
    // write would be refused, and the dimmed controls left no setting to keep.
    if (authorized)
        WriteG3TarnwickAppPrefs();
}

} // namespace

// The application's resource file, open for the whole run and closed at the
// end as the system would close it when the program quits, releasing every
// resource still loaded from it (pictures, icons, menus).
class ApplicationResources {
public:
    bool open() { return OpenApplicationResources(refNum); }
    ~ApplicationResources()
    {
        if (refNum != 0)
            CloseResFile(refNum);
    }

private:
    SInt16 refNum = 0;
};

int main()
{
    // What the system would have done at launch: without its resources the
    // application has no alerts to report anything with.
    ApplicationResources resources;
    if (!resources.open())
        return 1;

    Initialize();
    ProbeWritePermission();
    try {
        RunApplication();
    } catch (const ThrowError& error) {
        ShowErrorAlert(error);
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-x: %s\n", error.what());
        return 1;
    } catch (...) {
        return 1;
    }
    return 0;
}
