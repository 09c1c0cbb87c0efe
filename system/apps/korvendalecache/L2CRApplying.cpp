// Composing and writing a new L2CR. Every value written is built from the base
// configuration of DefL2CR: the chosen clock code, the enable bit and, with
// -s, the chosen size in place of the base's.
#include "CacheTool.h"

#include <registers/DefL2CR.h>
#include <registers/KextNodes.h>

#include <cerrno>
#include <cstdio>
#include <sys/sysctl.h>

namespace {

// A write that did not take effect is said so, rather than printing the new
// value as if it were in force.
int write_l2cr(unsigned int value)
{
    if (sysctlbyname(kL2CRNode, nullptr, nullptr, &value, sizeof value) != 0) {
        printf("error: cannot write %s: %s.\n", kL2CRNode, node_failure_reason(errno));
        return 1;
    }
    return 0;
}

} // namespace

int apply_new_l2cr()
{
    if (def_l2cr == kDefL2CRNotTested) {
        // Status 1 means a usage error to the scripts that run the tool; this is none.
        printf("%s\n", untested_l2_message());
        return 0;
    }
    // applyL2CR holds the chosen clock code and, with -s, the chosen size,
    // which then replaces the base's.
    const unsigned int base = (argFlags & kSizeFlag) ? (def_l2cr & kClearL2SIZ) : def_l2cr;
    applyL2CR = RunningL2CR(base, applyL2CR, false);

    printf("Applying new L2CR...\n");
    if (write_l2cr(applyL2CR) != 0)
        return 1;
    const L2ClockRatio* ratio = L2ClockRatioOf(applyL2CR); // always set: -r is required
    printf("New L2CR = 0x%08X [%s%s]\n", applyL2CR, L2SizeCodeOf(applyL2CR).registerLineText,
        ratio ? CString(ratio->ratioText) : "");
    return 0;
}

int disable_l2_cache()
{
    printf("Applying new L2CR...\n");
    applyL2CR = 0;
    if (write_l2cr(applyL2CR) != 0)
        return 1;
    printf("New L2CR = 0x%08X [disabled]\n", applyL2CR);
    return 0;
}
