// faults-register-writer: writes L2CR (or HID0) through the kernel extension's
// node again and again, so that a test can kill it in the middle of a write
// or run it against another program changing the same machine.
//
//   faults-register-writer NODE VALUE1 VALUE2 [COUNT]
//
// Alternates the two values COUNT times (forever without COUNT). A failed
// write ends it with status 1 and the reason on stderr.
#include <sys/sysctl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: faults-register-writer NODE VALUE1 VALUE2 [COUNT]\n");
        return 2;
    }
    const unsigned int values[2]
        = {unsigned(std::strtoul(argv[2], nullptr, 0)), unsigned(std::strtoul(argv[3], nullptr, 0))};
    const long count = argc > 4 ? std::strtol(argv[4], nullptr, 0) : -1;
    for (long i = 0; count < 0 || i < count; ++i) {
        unsigned int word = values[i & 1];
        if (sysctlbyname(argv[1], nullptr, nullptr, &word, sizeof word) != 0) {
            std::fprintf(stderr, "faults-register-writer: %s: %s\n", argv[1], std::strerror(errno));
            return 1;
        }
    }
    return 0;
}
