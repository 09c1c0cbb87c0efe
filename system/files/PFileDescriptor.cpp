#include <files/PDataFile.h>
#include <files/PFileDescriptor.h>
#include <files/PResourceFile.h>

#include <support/ThrowError.h>

KORV_SOURCE_UNIT("PFiles");

PFileDescriptor::PFileDescriptor(const PDirectoryDescriptor& parentDir, ConstStr255Param name)
    : parent(parentDir)
    , mySpec {}
{
    THROW_IF_ERR(FSMakeFSSpec(parent.getVRefNum(), parent.getDirID(), name, &mySpec),
        PSTR("Failed to create FSSpec in PFileDescriptor::PFileDescriptor!"));
}

PFileDescriptor::PFileDescriptor()
    : parent(0, 0)
    , mySpec {}
{
}

PFileDescriptor::PFileDescriptor(const PFileDescriptor& copy)
    : parent(copy.parent)
    , mySpec(copy.mySpec)
{
}

PResourceFile PFileDescriptor::openResFork() const
{
    return PResourceFile(*this);
}

PDataFile PFileDescriptor::openDataFork(UInt8 perm) const
{
    return PDataFile(*this, perm);
}
