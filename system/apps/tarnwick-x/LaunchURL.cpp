// Internet Config finds the user's helper for the address, as on the Mac.
#include "LaunchURL.h"

#include <support/ThrowError.h>

#include <InternetConfig.h>

#include <cstring>

KORV_SOURCE_UNIT("LaunchURL");

namespace {

constexpr OSType kApplicationSignature = FOUR_CHAR_CODE("KVDX");

} // namespace

void LaunchURL(const char* url)
{
    ICInstance instance = nullptr;
    OSStatus err = ICStart(&instance, kApplicationSignature);
    if (err == noErr) {
        long start = 0;
        long end = long(std::strlen(url));
        err = ICLaunchURL(instance, PSTR(""), url, end, &start, &end);
        ICStop(instance);
    }
    if (err != noErr)
        THROW_ERR(err, PSTR("An unexpected error occurred starting the web browser!"));
}
