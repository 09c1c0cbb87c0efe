#include "resources/ResourceChain.h"

#include "files/ForkTable.h"

#include <MacMemory.h>
#include <Resources.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace toolbox {

namespace fs = std::filesystem;

namespace {

// A parsed fork as an open file of the chain; its records move into it.
std::unique_ptr<OpenResourceFile> makeOpenFile(
    SInt16 refNum, const fs::path& path, bool resourceFork, bool readOnly, ResourceForkImage& image)
{
    auto file = std::make_unique<OpenResourceFile>();
    file->refNum = refNum;
    file->path = path;
    file->resourceFork = resourceFork;
    file->readOnly = readOnly;
    file->reserved = image.reserved;
    file->fileAttributes = image.fileAttributes;
    for (ResourceRecord& record : image.resources) {
        auto resource = std::make_unique<Resource>();
        resource->record = std::move(record);
        resource->file = file.get();
        file->resources.push_back(std::move(resource));
    }
    return file;
}

} // namespace

ResourceChain& ResourceChain::shared()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static ResourceChain& chain = *new ResourceChain;
    return chain;
}

SInt16 ResourceChain::open(const fs::path& path, bool resourceFork, SInt8 permission)
{
    for (const auto& file : files_) {
        if (file->path == path && file->resourceFork == resourceFork) {
            lastError = noErr;
            return file->refNum;
        }
    }
    ForkTable& forks = ForkTable::shared();
    SInt16 refNum = 0;
    if ((lastError = forks.open(path, resourceFork, permission, &refNum)) != noErr)
        return -1;
    OpenFork* fork = forks.find(refNum);
    std::vector<uint8_t> bytes;
    SInt64 length = 0;
    if ((lastError = forks.length(*fork, length)) == noErr) {
        bytes.resize(size_t(length));
        SInt32 count = SInt32(length);
        fork->mark = 0;
        lastError = forks.read(*fork, bytes.data(), count);
    }
    ResourceForkImage image;
    if (lastError == noErr)
        lastError = parseResourceFork(bytes, image);
    if (lastError != noErr) {
        forks.close(refNum);
        return -1;
    }
    files_.push_back(makeOpenFile(refNum, path, resourceFork, !fork->writable, image));
    current = refNum;
    return refNum;
}

bool ResourceChain::openSystemFile(const fs::path& path)
{
    if (hasSystemFile())
        return true;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    std::vector<uint8_t> bytes;
    if (!ec) {
        bytes.resize(size_t(size));
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f || std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size())
            ec = std::make_error_code(std::errc::io_error);
        if (f)
            std::fclose(f);
    }
    ResourceForkImage image;
    if (ec || parseResourceFork(bytes, image) != noErr) {
        lastError = ec ? OSErr(fnfErr) : OSErr(mapReadErr);
        return false;
    }
    files_.insert(files_.begin(), makeOpenFile(0, path, false, true, image));
    return true;
}

OpenResourceFile* ResourceChain::find(SInt16 refNum)
{
    for (const auto& file : files_) {
        if (file->refNum == refNum)
            return file.get();
    }
    return nullptr;
}

OSErr ResourceChain::update(OpenResourceFile& file)
{
    if (!file.changed)
        return noErr;
    if (file.readOnly)
        return wrPermErr;
    ResourceForkImage image;
    image.reserved = file.reserved;
    image.fileAttributes = file.fileAttributes;
    for (const auto& resource : file.resources) {
        ResourceRecord record = resource->record;
        // A handle's bytes count only once it is marked changed, as on the Mac.
        if ((record.attributes & resChanged) && resource->handle) {
            const Size size = GetHandleSize(resource->handle);
            record.data.assign(*resource->handle, *resource->handle + size);
        }
        image.resources.push_back(std::move(record));
    }
    std::vector<uint8_t> bytes;
    if (OSErr err = serializeResourceFork(image, bytes))
        return err;

    ForkTable& forks = ForkTable::shared();
    OpenFork* fork = forks.find(file.refNum);
    if (!fork)
        return rfNumErr;
    fork->mark = 0;
    SInt32 count = SInt32(bytes.size());
    if (OSErr err = forks.write(*fork, bytes.data(), count))
        return err;
    if (OSErr err = forks.setLength(*fork, SInt64(bytes.size())))
        return err;
    if (OSErr err = forks.flush(*fork))
        return err;

    for (size_t i = 0; i < file.resources.size(); ++i) {
        Resource& resource = *file.resources[i];
        resource.record.data = std::move(image.resources[i].data);
        resource.record.attributes &= UInt8(~resChanged);
    }
    file.changed = false;
    return noErr;
}

OSErr ResourceChain::close(SInt16 refNum)
{
    auto it
        = std::find_if(files_.begin(), files_.end(), [refNum](const auto& f) { return f->refNum == refNum; });
    if (it == files_.end())
        return resFNotFound;
    OpenResourceFile& file = **it;
    OSErr err = update(file);
    for (const auto& resource : file.resources) {
        if (resource->handle) {
            owners_.erase(resource->handle);
            DisposeHandle(resource->handle);
        }
    }
    if (OSErr closeErr = ForkTable::shared().close(refNum); closeErr && !err)
        err = closeErr;
    if (current == refNum)
        current = it == files_.begin() ? 0 : (*(it - 1))->refNum;
    files_.erase(it);
    return err;
}

Resource* ResourceChain::owner(Handle h)
{
    auto it = owners_.find(h);
    return it == owners_.end() ? nullptr : it->second;
}

Handle ResourceChain::load(Resource& resource)
{
    if (resource.handle)
        return resource.handle;
    Handle h = NewHandle(Size(resource.record.data.size()));
    if (!h) {
        lastError = memFullErr;
        return nullptr;
    }
    if (!resource.record.data.empty())
        std::memcpy(*h, resource.record.data.data(), resource.record.data.size());
    resource.handle = h;
    owners_[h] = &resource;
    return h;
}

void ResourceChain::adopt(Resource& resource, Handle h)
{
    detach(resource);
    resource.handle = h;
    owners_[h] = &resource;
}

void ResourceChain::detach(Resource& resource)
{
    if (resource.handle)
        owners_.erase(resource.handle);
    resource.handle = nullptr;
}

void ResourceChain::remove(Resource& resource)
{
    detach(resource);
    OpenResourceFile& file = *resource.file;
    file.changed = true;
    auto it = std::find_if(file.resources.begin(), file.resources.end(),
        [&resource](const auto& r) { return r.get() == &resource; });
    file.resources.erase(it);
}

std::vector<OpenResourceFile*> ResourceChain::searchOrder()
{
    std::vector<OpenResourceFile*> order;
    auto it
        = std::find_if(files_.begin(), files_.end(), [this](const auto& f) { return f->refNum == current; });
    if (it == files_.end())
        return order;
    for (;; --it) {
        order.push_back(it->get());
        if (it == files_.begin())
            break;
    }
    return order;
}

} // namespace toolbox
