// Linked into the control application only: there the program lies three
// folders below the one it calls its own (the bundle's Contents/MacOS).
#include <files/PDirectoryDescriptor.h>

int MyFolderLevelsAboveDefaultDirectory()
{
    return 3;
}
