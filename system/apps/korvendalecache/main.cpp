// korvendalecache: shows the processor registers and the L2 configuration the
// kernel extension found, and enables the L2 cache at a chosen ratio and size
// or disables it. Everything, errors included, goes to standard output; only
// the hint on how to load a missing extension goes to standard error.
#include "CacheTool.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <registers/KextNodes.h>
#include <sys/sysctl.h>

unsigned int argFlags = 0;
unsigned int applyL2CR = 0;
unsigned int pvr = 0, hid0 = 0, hid1 = 0, temp = 0, l2cr = 0, def_l2cr = 0;
size_t reqsize = 0;

namespace {

// Which system serves the nodes, by kern.ostype: on Linux they are the
// korvendale module's, on Darwin (the Mac, and the simulated Macintosh,
// which runs Mac OS X) the KorvendaleKEXT extension's.
int nodes_served_by_linux()
{
    char ostype[32] = {0};
    size_t length = sizeof ostype - 1;
    if (sysctlbyname("kern.ostype", ostype, &length, nullptr, 0) != 0)
        return 0;
    return strcmp(ostype, "Linux") == 0;
}

} // namespace

// The extension on the Mac runs its own L2 test, which publishes "not tested"
// when it cannot get its memory; the module runs no test, and publishes it
// when the firmware vouched for no configuration.
const char* untested_l2_message()
{
    return nodes_served_by_linux() ? "error: no tested L2 configuration: the firmware gave none."
                                   : "error: failed to allocate 512K block for L2 test.";
}

namespace {

// Told once, on standard error: standard output keeps the one error line.
void explain_how_to_load()
{
    static int told = 0;
    if (told)
        return;
    told = 1;
    if (nodes_served_by_linux())
        fprintf(stderr, "korvendalecache: load it with: modprobe korvendale\n");
    else
        fprintf(stderr,
            "korvendalecache: load it with: kextload /System/Library/Extensions/KorvendaleKEXT.kext "
            "(on the simulated Macintosh: macsim boot)\n");
}

} // namespace

const char* node_failure_reason(int error)
{
    if (error == ENOENT) {
        explain_how_to_load();
        return nodes_served_by_linux() ? "the korvendale module is not loaded"
                                       : "KorvendaleKEXT is not loaded";
    }
    return strerror(error);
}

namespace {

// A node that cannot be read is an error, not a register of zero.
int read_node(const char* name, unsigned int* word)
{
    reqsize = sizeof *word;
    if (sysctlbyname(name, word, &reqsize, nullptr, 0) != 0) {
        printf("error: cannot read %s: %s.\n", name, node_failure_reason(errno));
        return 1;
    }
    if (reqsize != sizeof *word) {
        printf("error: cannot read %s: unexpected length %zu.\n", name, reqsize);
        return 1;
    }
    return 0;
}

// Output that could not be written must not end in a status of success.
int finish(int status)
{
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "korvendalecache: cannot write output: %s\n", strerror(errno));
        return 1;
    }
    return status;
}

} // namespace

int read_registers()
{
    if (read_node(kPVRNode, &pvr) || read_node(kHID0Node, &hid0) || read_node(kHID1Node, &hid1)
        || read_node(kTempNode, &temp) || read_node(kL2CRNode, &l2cr) || read_node(kDefL2CRNode, &def_l2cr))
        return 1;
    return 0;
}

int main(int argc, char** argv)
{
    int status = handle_args(argc, argv);
    if (status != 0)
        return finish(status);

    if ((argFlags & kSizeFlag) && !(argFlags & kRatioFlag)) {
        printf("error: -r option required for -s.\n");
        return finish(1);
    }
    if ((argFlags & (kRatioFlag | kSizeFlag)) && (argFlags & kOffFlag)) {
        printf("error: cannot change size/ratio and disable simultaneously\n");
        return finish(1);
    }

    if (read_registers() != 0)
        return finish(1);

    // The display shows the registers as they were before this run changed them.
    if (argFlags & kDisplayFlag) {
        display_registers();
        display_auto_detected();
    }
    if ((argFlags & (kRatioFlag | kSizeFlag)) && apply_new_l2cr() != 0)
        return finish(1);
    if ((argFlags & kOffFlag) && disable_l2_cache() != 0)
        return finish(1);
    return finish(0);
}
