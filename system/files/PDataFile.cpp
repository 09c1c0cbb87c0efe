// A data fork opened lazily: nothing touches the file until the first
// operation, and the object closes what it opened.
#include <files/PDataFile.h>

#include <support/ThrowError.h>

KORV_SOURCE_UNIT("PFiles");

PDataFile::PDataFile(const PFileDescriptor& file, UInt8 perm)
    : theFile(file)
    , perm(perm)
{
}

PDataFile::PDataFile(const PDataFile& copy)
    : theFile(copy.theFile)
    , perm(copy.perm)
{
}

PDataFile::~PDataFile()
{
    if (fileOpen)
        FSClose(fRefNum);
}

void PDataFile::openIfNeeded()
{
    if (fileOpen)
        return;
    SInt16 refNum = 0;
    THROW_IF_ERR(
        FSpOpenDF(&theFile.getSpec(), static_cast<SInt8>(perm), &refNum), PSTR("Failed to open file!"));
    fRefNum = refNum;
    fileOpen = true;
}

void PDataFile::read(void* data, UInt32 length)
{
    openIfNeeded();
    auto* destination = static_cast<char*>(data);
    SInt64 len = length;
    while (len > MAX_READ) {
        SInt32 count = MAX_READ;
        THROW_IF_ERR(FSRead(fRefNum, &count, destination), PSTR("Failed to read from file!"));
        THROW_ASSERT(count == MAX_READ);
        destination += MAX_READ;
        len -= MAX_READ;
    }
    SInt32 count = static_cast<SInt32>(len);
    THROW_IF_ERR(FSRead(fRefNum, &count, destination), PSTR("Failed to read from file!"));
    THROW_ASSERT(count == len);
}

void PDataFile::write(const void* data, UInt32 len)
{
    openIfNeeded();
    const auto* source = static_cast<const char*>(data);
    constexpr SInt32 kLargestWrite = 0x7FFFFFFF;
    while (len >= 0x80000000u) {
        SInt32 count = kLargestWrite;
        THROW_IF_ERR(FSWrite(fRefNum, &count, source), PSTR("Failed to write to file!"));
        source += kLargestWrite;
        len -= kLargestWrite;
    }
    SInt32 count = static_cast<SInt32>(len);
    THROW_IF_ERR(FSWrite(fRefNum, &count, source), PSTR("Failed to write to file!"));
}

void PDataFile::setPos(UInt32 offset)
{
    openIfNeeded();
    THROW_IF_ERR(
        SetFPos(fRefNum, fsFromStart, static_cast<SInt32>(offset)), PSTR("Failed to SetFPos on file!"));
}

UInt32 PDataFile::getPos()
{
    openIfNeeded();
    SInt32 position = 0;
    THROW_IF_ERR(GetFPos(fRefNum, &position), PSTR("Faield to GetFPos on file!"));
    return static_cast<UInt32>(position);
}

UInt32 PDataFile::getEOF()
{
    openIfNeeded();
    SInt32 eof = 0;
    THROW_IF_ERR(GetEOF(fRefNum, &eof), PSTR("Failed to get EOF on file!"));
    return static_cast<UInt32>(eof);
}

OSErr PDataFile::allocContig(UInt32 byteCount)
{
    openIfNeeded();
    ParamBlockRec pb {};
    pb.ioParam.ioRefNum = fRefNum;
    pb.ioParam.ioReqCount = static_cast<SInt32>(byteCount);
    return PBAllocContigSync(&pb);
}

OSErr PDataFile::alloc(UInt32 byteCount)
{
    openIfNeeded();
    ParamBlockRec pb {};
    pb.ioParam.ioRefNum = fRefNum;
    pb.ioParam.ioReqCount = static_cast<SInt32>(byteCount);
    return PBAllocateSync(&pb);
}

UInt32 PDataFile::getFirstBlock()
{
    openIfNeeded();
    Str255 name;
    for (int i = 0; i <= theFile.getSpec().name[0]; ++i)
        name[i] = theFile.getSpec().name[i];
    HParamBlockRec pb {};
    pb.fileParam.ioNamePtr = name;
    pb.fileParam.ioVRefNum = theFile.getSpec().vRefNum;
    pb.fileParam.ioDirID = theFile.getSpec().parID;
    pb.fileParam.ioFDirIndex = 0;
    PBHGetFInfoSync(&pb);
    return pb.fileParam.ioFlStBlk;
}

void PDataFile::flushFile()
{
    openIfNeeded();
    ParamBlockRec pb {};
    pb.ioParam.ioRefNum = fRefNum;
    THROW_IF_ERR(PBFlushFileSync(&pb), PSTR("Failed to flush file to hard disk!"));
}
