// prefs-probe: drives ReadG3TarnwickAppPrefs and WriteG3TarnwickAppPrefs in a
// process of its own, so the tests see the functions the way a program does
// (folders resolved at start-up on the machine named by MACSIM_MACHINE).
//
//   prefs-probe read                 fill prefs from the file (or defaults)
//   prefs-probe write HEX            set prefs to the 36 bytes HEX and write them
//   prefs-probe --file-size-limit N write HEX
//                                    the same, with files limited to N bytes
//
// Prints "prefs HEX" (the record after the call) and, when the call raised,
// first "error NUMBER message=0|1 DESCRIPTION"; exits 1 when it raised.
#include "prefs/G3TarnwickAppPrefs.h"
#include "prefs/PrefsRecordCodec.h"
#include "support/ThrowError.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>

namespace {

int Usage()
{
    std::fputs("usage: prefs-probe [--file-size-limit N] read | write HEX\n", stderr);
    return 2;
}

bool ParseRecord(const char* hex, PrefsRecordImage& image)
{
    if (std::strlen(hex) != 2 * image.size())
        return false;
    for (size_t i = 0; i < image.size(); ++i) {
        char pair[3] = {hex[2 * i], hex[2 * i + 1], 0};
        char* end;
        image[i] = UInt8(std::strtoul(pair, &end, 16));
        if (*end)
            return false;
    }
    return true;
}

void PrintRecord()
{
    std::printf("prefs ");
    for (UInt8 b : EncodePrefsRecord(prefs))
        std::printf("%02X", b);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    if (arg + 1 < argc && std::string(argv[arg]) == "--file-size-limit") {
        rlimit limit {};
        limit.rlim_cur = limit.rlim_max = std::strtoul(argv[arg + 1], nullptr, 10);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of killing us
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            std::perror("setrlimit");
            return 2;
        }
        arg += 2;
    }
    if (arg >= argc)
        return Usage();

    const std::string verb = argv[arg];
    try {
        if (verb == "read" && arg + 1 == argc) {
            ReadG3TarnwickAppPrefs();
        } else if (verb == "write" && arg + 2 == argc) {
            PrefsRecordImage image;
            if (!ParseRecord(argv[arg + 1], image))
                return Usage();
            prefs = DecodePrefsRecord(image);
            WriteG3TarnwickAppPrefs();
        } else {
            return Usage();
        }
    } catch (const ThrowError& error) {
        std::printf("error %ld message=%d ", long(ThrowErrorNumber(error)), error.justAMessage ? 1 : 0);
        std::fwrite(error.description + 1, 1, error.description[0], stdout);
        std::printf("\n");
        PrintRecord();
        return 1;
    }
    PrintRecord();
    return 0;
}
