// A file's data fork, opened at its first use and closed with the object.
#pragma once

#include <files/PFileDescriptor.h>

class PDataFile {
public:
    // The largest piece read in one File Manager call (100 MiB).
    static constexpr SInt32 MAX_READ = 0x06400000;

    PDataFile(const PFileDescriptor& file, UInt8 perm);
    // The copy opens its own reference when it is first used.
    PDataFile(const PDataFile& copy);
    PDataFile& operator=(const PDataFile&) = delete;
    ~PDataFile();

    // Reads exactly `len` bytes; anything less raises.
    void read(void* data, UInt32 len);
    void write(const void* data, UInt32 len);
    void setPos(UInt32 offset);
    UInt32 getPos();
    UInt32 getEOF();
    // The File Manager's result, unraised.
    OSErr allocContig(UInt32 byteCount);
    OSErr alloc(UInt32 byteCount);
    UInt32 getFirstBlock();
    void flushFile();

private:
    void openIfNeeded();

    SInt16 fRefNum = 0;
    Boolean fileOpen = false;
    PFileDescriptor theFile;
    UInt8 perm;
};
