// Raw sectors of a volume through its driver.
#include <files/PVolumeDevice.h>

#include <support/ThrowError.h>

#include <Files.h>

KORV_SOURCE_UNIT("PFiles");

PMacOSHFSVolumeDevice::PMacOSHFSVolumeDevice(const PDirectoryDescriptor& dir)
    : drvrRefNum(0)
    , drvNum(0)
    , vRefNum(dir.getVRefNum())
{
    HParamBlockRec pb {};
    pb.volumeParam.ioVRefNum = dir.getVRefNum();
    pb.volumeParam.ioVolIndex = 0;
    THROW_IF_ERR(PBHGetVInfoSync(&pb), PSTR("Failed to get driver reference number for volume!"));
    drvrRefNum = static_cast<UInt16>(pb.volumeParam.ioVDRefNum);
    drvNum = static_cast<UInt16>(pb.volumeParam.ioVDrvInfo);
}

Boolean PMacOSHFSVolumeDevice::readSectors(UInt32 sector, void* data, UInt32 numSectors)
{
    const UInt64 offset = UInt64(sector) * kSectorSize;
    const UInt64 length = UInt64(numSectors) * kSectorSize;
    // The driver takes a 32-bit offset and count: a request beyond them would
    // wrap round and read the wrong sectors, so it is refused instead.
    if (offset > 0xFFFFFFFFu || length > 0x7FFFFFFFu)
        THROW_ERR(paramErr, PSTR("Failed to read from device volume!"));
    ParamBlockRec pb {};
    pb.ioParam.ioVRefNum = static_cast<SInt16>(drvNum);
    pb.ioParam.ioRefNum = static_cast<SInt16>(drvrRefNum);
    pb.ioParam.ioBuffer = static_cast<Ptr>(data);
    pb.ioParam.ioReqCount = static_cast<SInt32>(length);
    pb.ioParam.ioPosMode = fsFromStart;
    pb.ioParam.ioPosOffset = static_cast<SInt32>(static_cast<UInt32>(offset));
    THROW_IF_ERR(PBReadSync(&pb), PSTR("Failed to read from device volume!"));
    return true;
}

void PMacOSHFSVolumeDevice::flushVol()
{
    ParamBlockRec pb {};
    pb.volumeParam.ioVRefNum = vRefNum;
    THROW_IF_ERR(PBFlushVolSync(&pb), PSTR("Failed to flush volume!"));
}
