// The loader command goes to system(3), as on the Mac; the platform maps it
// to the machine's own loader. On Linux the startup item runs under systemd,
// so one line in the journal says where the settings went; on the Mac (and
// the simulated one) a startup item says nothing.
#include "Stupidmain.h"

#include <registers/KextNodes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/sysctl.h>

void stupidsystem(char* str)
{
    (void)std::system(str);
}

void LogWhereSettingsGo()
{
    char ostype[32] = {};
    size_t length = sizeof ostype - 1;
    if (sysctlbyname("kern.ostype", ostype, &length, nullptr, 0) != 0 || std::strcmp(ostype, "Linux") != 0)
        return;
    unsigned int pvr = 0;
    size_t wordLength = sizeof pvr;
    if (sysctlbyname(kPVRNode, &pvr, &wordLength, nullptr, 0) == 0)
        std::fputs("Korvendale Startup: applying the saved settings through the korvendale module\n", stderr);
    else
        std::fputs("Korvendale Startup: the korvendale module is not loaded (modprobe korvendale failed); "
                   "the registers are left as they are\n",
            stderr);
}
