#include "WritePermissionProbe.h"

#include "G3TarnwickApp.h"

#include <files/PFiles.h>
#include <support/ThrowError.h>

namespace {

constexpr SInt32 kAccessDenied = -5000;

} // namespace

void ProbeWritePermission()
{
    authorized = true;
    try {
        const PDirectoryDescriptor folder = systemFolder.findFolder(PSTR("Library"))
                                                .findFolder(PSTR("StartupItems"))
                                                .findFolder(PSTR("Korvendale Startup"));
        folder.createFile(PSTR("AuthorizationTest"), 'KVDX', 'text');
        folder.deleteFile(PSTR("AuthorizationTest"));
    } catch (const ThrowError& error) {
        // A missing folder is left for the preferences to report.
        if (ThrowErrorNumber(error) == kAccessDenied)
            authorized = false;
    }
}
