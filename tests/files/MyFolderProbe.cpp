// Built like the control application (with files_app): prints what its
// myFolder resolved to before main, so a test can run it from different
// places as a process.
#include <files/PDirectoryDescriptor.h>

#include <Files.h>

#include <cstdio>
#include <string>

int main()
{
    std::string name = "-";
    if (myFolder.isGood()) {
        Str255 folderName;
        CInfoPBRec pb {};
        pb.dirInfo.ioNamePtr = folderName;
        pb.dirInfo.ioVRefNum = myFolder.getVRefNum();
        pb.dirInfo.ioFDirIndex = -1;
        pb.dirInfo.ioDrDirID = myFolder.getDirID();
        if (PBGetCatInfoSync(&pb) == noErr)
            name.assign(reinterpret_cast<const char*>(folderName + 1), folderName[0]);
    }
    std::printf("myFolder good %d name %s; systemFolder good %d\n", myFolder.isGood() ? 1 : 0, name.c_str(),
        systemFolder.isGood() ? 1 : 0);
    return 0;
}
