// The option table and its handlers. Option texts and values are compared
// byte for byte; scanning stops at the first error, so exactly one message is
// printed, and nothing is read from the machine until every argument passed.
#include "CacheTool.h"

#include <registers/L2CRFields.h>

#include <cstdio>
#include <cstring>

const CommandLineArgTable handle_arg_table[4] = {
    {"-d", handle_display},
    {"-r", handle_ratio},
    {"-s", handle_size},
    {"-off", handle_off},
};

void usage()
{
    printf("usage:\n");
    printf("\tkorvendalecache -d\n");
    printf("\t\tdisplays current processor info\n");
    printf("\tkorvendalecache -r [1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0]\n");
    printf("\t\tenables L2 cache at the specified ratio\n");
    printf("\tkorvendalecache -s [256, 512, 1024, 2048]\n");
    printf("\t\tenables L2 cache with the specified size\n");
    printf("\tkorvendalecache -off\n");
    printf("\t\tdisables the L2 cache\n");
    printf("\n");
    printf("\toptions can be mixed as follows:\n");
    printf("\t\t{drs},{d,-off}\n");
}

int handle_display(int, char**, int* skipargs)
{
    argFlags |= kDisplayFlag;
    *skipargs = 0;
    return 0;
}

int handle_off(int, char**, int* skipargs)
{
    argFlags |= kOffFlag;
    *skipargs = 0;
    return 0;
}

// A second -r or -s would OR its code over the first and select a ratio or
// size nobody asked for, so it is refused.
int handle_ratio(int argc, char** argv, int* skipargs)
{
    if (argFlags & kRatioFlag) {
        printf("error: -r option given more than once.\n");
        return 1;
    }
    if (argc < 2) {
        printf("error: missing ratio argument.\n");
        return 1;
    }
    const L2ClockRatio* chosen = nullptr;
    for (const L2ClockRatio& ratio : l2ClockRatios) {
        if (strcmp(argv[1], ratio.optionArgument) == 0) {
            chosen = &ratio;
            break;
        }
    }
    if (!chosen) {
        printf("error: bad ratio argument [%s].\n", argv[1]);
        return 1;
    }
    applyL2CR |= chosen->fieldValue;
    argFlags |= kRatioFlag;
    *skipargs = 1;
    return 0;
}

int handle_size(int argc, char** argv, int* skipargs)
{
    if (argFlags & kSizeFlag) {
        printf("error: -s option given more than once.\n");
        return 1;
    }
    if (argc < 2) {
        printf("error: missing size argument.\n");
        return 1;
    }
    const L2SizeCode* chosen = nullptr;
    for (const L2SizeCode& size : l2SizeCodes) {
        if (strcmp(argv[1], size.optionArgument) == 0) {
            chosen = &size;
            break;
        }
    }
    if (!chosen) {
        printf("error: bad size argument [%s].\n", argv[1]);
        return 1;
    }
    applyL2CR |= chosen->fieldValue; // 2048 has code 0: nothing is ORed
    argFlags |= kSizeFlag;
    *skipargs = 1;
    return 0;
}

int handle_args(int argc, char** argv)
{
    if (argc < 2) {
        usage();
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const CommandLineArgTable* entry = nullptr;
        for (const CommandLineArgTable& candidate : handle_arg_table) {
            if (strcmp(argv[i], candidate.argv) == 0) {
                entry = &candidate;
                break;
            }
        }
        if (!entry) {
            printf("error: bad argument [%s]\n", argv[i]);
            return 1;
        }
        int skipargs = 0;
        int result = entry->argProc(argc - i, argv + i, &skipargs);
        if (result != 0)
            return result;
        i += skipargs;
    }
    return 0;
}
