// A resource file shared by reference count. Opening or using it never
// changes which resource file is current.
#include <files/PResourceFile.h>

#include <support/ThrowError.h>

#include <Resources.h>

KORV_SOURCE_UNIT("PFiles");

PResourceFile::PResourceFile(const PFileDescriptor& file)
    : data(nil)
{
    const SInt16 current = CurResFile();
    const SInt16 fRefNum = FSpOpenResFile(&file.getSpec(), fsWrPerm);
    UseResFile(current);
    THROW_ASSERT(fRefNum != -1);
    data = new PResourceFileData {0, file, fRefNum};
    data->numUsers = 1;
}

PResourceFile::PResourceFile(const PResourceFile& copy)
    : data(nil)
{
    THROW_ASSERT(copy.data != nil);
    THROW_ASSERT(copy.data->numUsers > 0);
    data = copy.data;
    data->numUsers++;
}

PResourceFile::~PResourceFile()
{
    if (--data->numUsers == 0) {
        CloseResFile(data->fRefNum);
        delete data;
    }
}

Handle PResourceFile::getResource(ResType type, SInt16 id)
{
    const SInt16 current = CurResFile();
    UseResFile(data->fRefNum);
    Handle h = Get1Resource(type, id);
    UseResFile(current);
    return h;
}

void PResourceFile::addResource(Handle h, ResType type, SInt16 id, ConstStr255Param name)
{
    const SInt16 current = CurResFile();
    UseResFile(data->fRefNum);
    AddResource(h, type, id, name);
    UseResFile(current);
}
