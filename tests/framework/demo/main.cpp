// A small program on the toolbox layer: one window, an Apple menu and a File
// menu with Quit (Command-Q). It quits by the menu, Command-Q, the window's
// close box and the quit Apple event, and reports what it sees on standard
// output, so tests (and a curious user) can follow it.
#include <framework/PAppleEvents.h>
#include <framework/PApplication.h>
#include <framework/PMenu.h>
#include <framework/PWindow.h>

#include <Fonts.h>
#include <Quickdraw.h>

#include <cstdio>

namespace {

class DemoApp;
DemoApp* demoApp = nullptr;

void say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

class FileMenu : public PMenu {
public:
    FileMenu()
        : PMenu(PSTR("File"))
    {
        addItem(PSTR("Quit/Q"));
    }
    void handleMenuChoice(short item) override;
};

class DemoWindow : public PDocWindow {
public:
    DemoWindow()
        : PDocWindow(120, 100, 420, 260, PSTR("Korvendale Demo"), true, false)
    {
    }

    void draw() override
    {
        Rect r;
        portRect(&r);
        EraseRect(&r);
        TextFont(kFontIDGeneva);
        TextSize(9);
        MoveTo(19, 24);
        DrawString(PSTR("The toolbox layer is running."));
        MoveTo(19, 40);
        DrawString(PSTR("Click here, choose File > Quit, or close the window."));
        Rect box = {60, 19, 120, 281};
        FrameRect(&box);
    }

    void handleMouseDown(const EventRecord* theEvent) override
    {
        Point local = theEvent->where;
        GlobalToLocal(&local);
        std::printf(
            "click global %d,%d local %d,%d\n", theEvent->where.h, theEvent->where.v, local.h, local.v);
        std::fflush(stdout);
    }

    void handleKeyDown(char c) override
    {
        std::printf("key %c\n", c);
        std::fflush(stdout);
    }

    void handleClose() override;
};

class DemoApp : public PApplication, public PAppleEventRequiredSuiteHandler {
public:
    DemoApp()
        : PApplication(PSTR("Korvendale Demo"))
    {
        demoApp = this;
        window = new DemoWindow;
    }
    ~DemoApp() override { delete window; }

    void about() override { say("about"); }
    OSErr reqAEOpenApp(const AEDesc*, AEDesc*) override
    {
        say("open application");
        return noErr;
    }
    OSErr reqAEOpenDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEPrintDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEQuitApp(const AEDesc*, AEDesc*) override
    {
        say("quit event");
        quit();
        return noErr;
    }

    FileMenu fileMenu;
    DemoWindow* window = nullptr;
};

void FileMenu::handleMenuChoice(short)
{
    say("menu quit");
    demoApp->quit();
}

void DemoWindow::handleClose()
{
    say("close box");
    demoApp->quit();
}

} // namespace

int main()
{
    Initialize();
    auto* app = new DemoApp;
    app->run();
    delete app;
    say("done");
    return 0;
}
