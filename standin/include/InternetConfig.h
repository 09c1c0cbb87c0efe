// InternetConfig.h: Internet Config's URL launching.
//
// Provided: ICStart, ICStop and ICLaunchURL. ICLaunchURL hands the address
// between *selStart and *selEnd of `data` to the user's helper for it: the
// program named by the BROWSER environment variable, else the desktop's
// opener xdg-open, started directly (never through a shell, so the address
// cannot be read as a command) and not waited for.
// Simplifications: the hint and the signature are not used; an empty
// address gives icNoURLErr (-673); a helper that cannot be started gives the
// File Manager's code for the reason (fnfErr -43 when it is missing,
// afpAccessDenied -5000 when it may not run, ioErr -36 otherwise).
#pragma once

#include <MacTypes.h>

typedef struct OpaqueICInstance* ICInstance;

constexpr OSStatus icNoURLErr = -673;

OSStatus ICStart(ICInstance* inst, OSType signature);
OSStatus ICStop(ICInstance inst);
OSStatus ICLaunchURL(
    ICInstance inst, ConstStr255Param hint, const char* data, long len, long* selStart, long* selEnd);
