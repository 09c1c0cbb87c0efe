// A Mac program takes no arguments, and one on the toolbox layer has no code
// for them; at a console people still type --help. The layer answers before
// the program starts: glibc calls each function of .init_array with (argc,
// argv, envp), in static and dynamic builds alike, so linking this object is
// all a program does. --help prints the usage and ends with status 0; any
// other argument gets the usage on standard error and status 2; none, and
// the program runs.
#include "host/ScreenChoice.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace toolbox {

namespace {

void printUsage(std::FILE* to, const char* program)
{
    const std::string screen = describeScreenChoice();
    std::fprintf(to,
        "Usage: %s\n"
        "       %s --help\n"
        "\n"
        "Shows its 640x480 Macintosh screen in a window where a display server\n"
        "answers, else on the Linux console's framebuffer.\n"
        "Screen now: %s\n"
        "\n"
        "Environment:\n"
        "  MACSIM_DISPLAY  window, framebuffer or headless: insist on one\n"
        "  MACSIM_SCALE    whole-number scale of the screen, 1 to 8\n"
        "  MACSIM_FBDEV    the framebuffer device (default /dev/fb0)\n"
        "  MACSIM_KEYS     keys held as it starts, e.g. option\n"
        "  MACSIM_MACHINE  the simulated Macintosh to run on (a folder)\n"
        "  MACSIM_TITLE    the window's title\n"
        "  MACSIM_SCRIPT   an event script to play\n"
        "  MACSIM_READY    a file created once the first frame shows\n"
        "  MACSIM_FRAMES   headless: a folder that receives every frame as PNG\n"
        "  MACSIM_LOG_DIALOGS, MACSIM_LOG_BEEPS  report alerts and beeps on standard error\n"
        "\n"
        "The manual: man %s\n",
        program, program, screen.c_str(), program);
}

void answerArguments(int argc, char** argv, char**)
{
    if (argc < 2)
        return;
    const char* slash = std::strrchr(argv[0], '/');
    const char* program = slash ? slash + 1 : argv[0];
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") != 0 && std::strcmp(argv[i], "-h") != 0) {
            std::fprintf(stderr, "%s: unknown argument \"%s\"\n", program, argv[i]);
            printUsage(stderr, program);
            std::exit(2);
        }
    }
    printUsage(stdout, program);
    std::exit(0);
}

[[gnu::used, gnu::section(".init_array")]] void (*const answerArgumentsAtStart)(int, char**, char**)
    = answerArguments;

} // namespace

} // namespace toolbox
