// One existing file (or folder) in a folder, as an FSSpec.
#pragma once

#include <files/PDirectoryDescriptor.h>

#include <Files.h>

class PDataFile;
class PResourceFile;

class PFileDescriptor {
public:
    // Raises "Failed to create FSSpec in PFileDescriptor::PFileDescriptor!"
    // unless the item exists.
    PFileDescriptor(const PDirectoryDescriptor& parentDir, ConstStr255Param name);
    PFileDescriptor();
    PFileDescriptor(const PFileDescriptor& copy);
    PFileDescriptor& operator=(const PFileDescriptor&) = default;

    PResourceFile openResFork() const;
    // perm: 1 read, 2 write, 3 read and write. The fork opens at first use.
    PDataFile openDataFork(UInt8 perm) const;
    const unsigned char* name() const { return mySpec.name; }

    const FSSpec& getSpec() const { return mySpec; }
    const PDirectoryDescriptor& getParent() const { return parent; }

private:
    PDirectoryDescriptor parent;
    FSSpec mySpec;
};
