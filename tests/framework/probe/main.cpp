// A program that reports every hook the framework calls, one line each on
// standard output, so tests can check the event loop's dispatch from the
// outside. Options choose the situation:
//   --no-window       no window at all
//   --zoom-window     a window with zoom and size boxes instead of a document window
//   --log-idle        report idle() with the ticks since run() began
//   --ignore-quit     the quit Apple event does nothing
//   --second-handler  a second Apple event handler object exists while running
//   --tools-menu      a Tools menu whose item drops the menu and puts a plain
//                     toolbox menu with the same ID in its place
#include <framework/PAppleEvents.h>
#include <framework/PApplication.h>
#include <framework/PMenu.h>
#include <framework/PWindow.h>

#include <Events.h>
#include <Menus.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool option(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return true;
    }
    return false;
}

void say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class ProbeApp;
ProbeApp* probe = nullptr;

class FileMenu : public PMenu {
public:
    FileMenu()
        : PMenu(PSTR("File"))
    {
        addItem(PSTR("Close/W"));
        addItem(PSTR("-"));
        addItem(PSTR("Quit/Q"));
    }
    void handleMenuChoice(short item) override;
};

class EditMenu : public PMenu {
public:
    EditMenu()
        : PMenu(PSTR("Edit"))
    {
        addItem(PSTR("Copy/C"));
        addItem(PSTR("Paste/V"));
        disableItem(2);
    }
    void handleMenuChoice(short item) override { say("edit menu item " + std::to_string(item)); }
};

class ToolsMenu : public PMenu {
public:
    ToolsMenu()
        : PMenu(PSTR("Tools"))
    {
        addItem(PSTR("Drop Tools"));
    }
    void handleMenuChoice(short item) override;
    short id() const { return myMenuID; }
};

class ProbeWindow : public PWindow {
public:
    explicit ProbeWindow(short procID)
        : PWindow(100, 100, 300, 250, procID, PSTR("Probe"), true)
    {
    }
    void handleMouseDown(const EventRecord* theEvent) override
    {
        Point p = theEvent->where;
        GlobalToLocal(&p);
        say("window click " + std::to_string(p.h) + "," + std::to_string(p.v));
    }
    void handleKeyDown(char c) override { say(std::string("window key ") + c); }
    void handleClose() override;
    void handleZoom() override { say("window zoom"); }
    void handleGrow(short, short) override { say("window grow"); }
    void draw() override { say("window draw"); }
};

class SecondHandler : public PAppleEventRequiredSuiteHandler {
public:
    OSErr reqAEOpenApp(const AEDesc*, AEDesc*) override { return said("second aevt oapp"); }
    OSErr reqAEOpenDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEPrintDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEQuitApp(const AEDesc*, AEDesc*) override { return said("second aevt quit"); }

private:
    static OSErr said(const char* text)
    {
        say(text);
        return noErr;
    }
};

class ProbeApp : public PApplication, public PAppleEventRequiredSuiteHandler {
public:
    ProbeApp(int argc, char** argv)
        : PApplication(PSTR("Probe"))
        , logIdle(option(argc, argv, "--log-idle"))
        , ignoreQuit(option(argc, argv, "--ignore-quit"))
    {
        probe = this;
        if (option(argc, argv, "--tools-menu"))
            tools = new ToolsMenu;
        if (option(argc, argv, "--second-handler"))
            second = new SecondHandler;
        if (!option(argc, argv, "--no-window"))
            window = new ProbeWindow(option(argc, argv, "--zoom-window") ? zoomDocProc : noGrowDocProc);
    }

    ~ProbeApp() override
    {
        delete window;
        delete tools;
    }

    void about() override { say("about"); }
    void handleKeyDown(const EventRecord* e) override
    {
        say(std::string("app key ") + char(e->message & 0xFF));
    }
    void handleCommandKeyDown(const EventRecord* e) override
    {
        say(std::string("app command key ") + char(e->message & 0xFF));
    }
    void idle() override
    {
        if (logIdle)
            say("idle " + std::to_string(TickCount() - startTick));
        if (dropTools) {
            dropTools = false;
            short id = tools->id();
            delete tools;
            tools = nullptr;
            say("tools menu dropped");
            MenuRef raw = NewMenu(id, PSTR("Raw"));
            AppendMenu(raw, PSTR("Ghost"));
            InsertMenu(raw, 0);
            DrawMenuBar();
        }
    }

    OSErr reqAEOpenApp(const AEDesc*, AEDesc*) override
    {
        say("aevt oapp");
        return noErr;
    }
    OSErr reqAEOpenDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEPrintDocs(const AEDesc*, AEDesc*) override { return noErr; }
    OSErr reqAEQuitApp(const AEDesc*, AEDesc*) override
    {
        say("aevt quit");
        if (!ignoreQuit)
            quit();
        return noErr;
    }

    void stop(const char* why)
    {
        say(why);
        quit();
    }

    FileMenu fileMenu;
    EditMenu editMenu;
    ToolsMenu* tools = nullptr;
    SecondHandler* second = nullptr;
    ProbeWindow* window = nullptr;
    bool logIdle;
    bool ignoreQuit;
    bool dropTools = false;
    UInt32 startTick = 0;
};

void FileMenu::handleMenuChoice(short item)
{
    say("file menu item " + std::to_string(item));
    if (item == 3)
        probe->stop("quit requested");
}

void ToolsMenu::handleMenuChoice(short item)
{
    say("tools menu item " + std::to_string(item));
    probe->dropTools = true;
}

void ProbeWindow::handleClose()
{
    say("window close");
    probe->quit();
}

} // namespace

int main(int argc, char** argv)
{
    Initialize();
    KeyMap keys;
    GetKeys(keys);
    say(reinterpret_cast<const UInt8*>(keys)[58 >> 3] & (1 << (58 & 7)) ? "option held" : "option up");
    auto* app = new ProbeApp(argc, argv);
    app->startTick = TickCount();
    app->run();
    say("run returned");
    delete app->second;
    delete app;
    say("done");
    return 0;
}
