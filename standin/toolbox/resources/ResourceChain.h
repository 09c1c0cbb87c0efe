// The open resource files, the current one, and which handle belongs to
// which resource. Each open file keeps all its resources in memory; a handle
// is made the first time a resource is asked for and stays attached to it.
#pragma once

#include "resources/ResourceForkFormat.h"

#include <Files.h>

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace toolbox {

struct OpenResourceFile;

struct Resource {
    ResourceRecord record; // record.data holds the bytes as last read or written
    Handle handle = nullptr;
    OpenResourceFile* file = nullptr;
};

struct OpenResourceFile {
    SInt16 refNum = 0; // the File Manager reference of the open fork
    std::filesystem::path path;
    bool resourceFork = true;
    bool readOnly = false;
    bool changed = false; // something must reach the disk
    std::array<uint8_t, 240> reserved {};
    UInt16 fileAttributes = 0;
    std::vector<std::unique_ptr<Resource>> resources;
};

class ResourceChain {
public:
    static ResourceChain& shared();

    OSErr lastError = noErr;
    SInt16 current = 0;

    // Opens a fork of the file at `path` as a resource file, adds it to the
    // chain and makes it current; -1 and lastError on failure.
    SInt16 open(const std::filesystem::path& path, bool resourceFork, SInt8 permission);
    OpenResourceFile* find(SInt16 refNum);
    // Writes the file's changes (whole file, compacted).
    OSErr update(OpenResourceFile& file);
    OSErr close(SInt16 refNum);
    // The System file: read once from `path` and kept at the bottom of the
    // chain as reference number 0, read-only and never closed. The current
    // file stays as it was. False (and lastError) when it cannot be read.
    bool openSystemFile(const std::filesystem::path& path);
    bool hasSystemFile() const { return !files_.empty() && files_.front()->refNum == 0; }

    Resource* owner(Handle h);
    Handle load(Resource& resource);
    // Makes `h` the resource's handle (AddResource).
    void adopt(Resource& resource, Handle h);
    void detach(Resource& resource);
    void remove(Resource& resource);

    // The chain from the current file towards older ones.
    std::vector<OpenResourceFile*> searchOrder();

private:
    ResourceChain() = default;
    std::vector<std::unique_ptr<OpenResourceFile>> files_; // in the order opened
    std::map<Handle, Resource*> owners_;
};

} // namespace toolbox
