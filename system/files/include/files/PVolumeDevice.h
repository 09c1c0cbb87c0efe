// Raw access to a mounted volume through its device driver.
#pragma once

#include <files/PDirectoryDescriptor.h>

class PVolumeDevice { };

class PMacOSHFSVolumeDevice : public PVolumeDevice {
public:
    static constexpr UInt32 kSectorSize = 512;

    // The driver and drive of `dir`'s volume.
    explicit PMacOSHFSVolumeDevice(const PDirectoryDescriptor& dir);

    // Reads `numSectors` 512-byte sectors from sector `sector` on.
    virtual Boolean readSectors(UInt32 sector, void* data, UInt32 numSectors);
    void flushVol();

    UInt16 getDrvrRefNum() const { return drvrRefNum; }
    UInt16 getDrvNum() const { return drvNum; }

private:
    UInt16 drvrRefNum;
    UInt16 drvNum;
    SInt16 vRefNum;
};
