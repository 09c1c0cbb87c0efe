// A file's resource fork as a resource file; copies share one open fork.
#pragma once

#include <files/PFileDescriptor.h>

#include <MacMemory.h>

struct PResourceFileData {
    UInt32 numUsers;
    PFileDescriptor theFile;
    SInt16 fRefNum;
};

class PResourceFile {
public:
    explicit PResourceFile(const PFileDescriptor& file);
    PResourceFile(const PResourceFile& copy);
    PResourceFile& operator=(const PResourceFile&) = delete;
    ~PResourceFile();

    // From this file only; nil when it is not there.
    Handle getResource(ResType type, SInt16 id);
    // Written to the file when the last copy closes it.
    void addResource(Handle h, ResType type, SInt16 id, ConstStr255Param name);

    SInt16 refNum() const { return data->fRefNum; }

private:
    PResourceFileData* data;
};
