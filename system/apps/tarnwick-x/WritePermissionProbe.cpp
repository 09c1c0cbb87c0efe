#include "WritePermissionProbe.h"

#include "G3TarnwickApp.h"

#include <files/PFiles.h>
#include <prefs/G3TarnwickAppPrefs.h>
#include <support/ThrowError.h>

#include <Files.h>

void ProbeWritePermission()
{
    authorized = true;
    try {
        const PDirectoryDescriptor folder = StartupItemFolder();
        folder.createFile(PSTR("AuthorizationTest"), 'KVDX', 'text');
        folder.deleteFile(PSTR("AuthorizationTest"));
    } catch (const ThrowError& error) {
        // A missing folder is left for the preferences to report.
        if (ThrowErrorNumber(error) == afpAccessDenied)
            authorized = false;
    }
}
