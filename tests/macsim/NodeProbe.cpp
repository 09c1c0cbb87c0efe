// macsim-node-probe: makes sysctl calls the way the system's programs do, so
// tests can watch them from another process.
//   read NAME                 prints "0x%08X" or "error ENAME"
//   write NAME VALUE          prints "ok" or "error ENAME"
//   loop NAME FIRST COUNT     writes FIRST, FIRST+1, ...; status 1 on a failure
//   model                     prints hw.model
//   readall                   reads the six nodes in the tool's order, a line each
#include <sys/sysctl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* errorName(int err)
{
    switch (err) {
    case ENOENT:
        return "ENOENT";
    case EPERM:
        return "EPERM";
    case EIO:
        return "EIO";
    case ENOMEM:
        return "ENOMEM";
    case EINVAL:
        return "EINVAL";
    default:
        return "other";
    }
}

int writeWord(const char* name, unsigned int value)
{
    return sysctlbyname(name, nullptr, nullptr, &value, sizeof value);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
        unsigned int word = 0;
        size_t length = sizeof word;
        if (sysctlbyname(argv[2], &word, &length, nullptr, 0) != 0) {
            std::printf("error %s\n", errorName(errno));
            return 1;
        }
        std::printf("0x%08X\n", word);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
        if (writeWord(argv[2], unsigned(std::strtoul(argv[3], nullptr, 0))) != 0) {
            std::printf("error %s\n", errorName(errno));
            return 1;
        }
        std::printf("ok\n");
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "loop") == 0) {
        unsigned first = unsigned(std::strtoul(argv[3], nullptr, 0));
        unsigned count = unsigned(std::strtoul(argv[4], nullptr, 0));
        for (unsigned i = 0; i < count; ++i) {
            if (writeWord(argv[2], first + i) != 0) {
                std::printf("error %s at %u\n", errorName(errno), i);
                return 1;
            }
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "readall") == 0) {
        const char* nodes[] = {"hw.KorvendalePVR", "hw.KorvendaleHID0", "hw.KorvendaleHID1",
            "hw.KorvendaleTemp", "hw.KorvendaleL2CR", "hw.KorvendaleDefL2CR"};
        for (const char* node : nodes) {
            unsigned int word = 0;
            size_t length = sizeof word;
            if (sysctlbyname(node, &word, &length, nullptr, 0) != 0)
                std::printf("error %s\n", errorName(errno));
            else
                std::printf("0x%08X\n", word);
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "model") == 0) {
        int mib[2] = {CTL_HW, HW_MODEL};
        char model[256];
        size_t length = sizeof model;
        if (sysctl(mib, 2, model, &length, nullptr, 0) != 0) {
            std::printf("error %s\n", errorName(errno));
            return 1;
        }
        std::printf("%s\n", model);
        return 0;
    }
    std::fprintf(stderr,
        "usage: macsim-node-probe read NAME | write NAME VALUE | loop NAME FIRST COUNT | model | readall\n");
    return 2;
}
