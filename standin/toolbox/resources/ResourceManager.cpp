// The Resource Manager's calls over the chain of open resource files.
#include "files/AppleDouble.h"
#include "files/Catalog.h"
#include "resources/ResourceChain.h"

#include <MacMemory.h>
#include <Resources.h>

#include <algorithm>
#include <cstring>

using toolbox::OpenResourceFile;
using toolbox::Resource;
using toolbox::ResourceChain;

namespace {

ResourceChain& chain()
{
    return ResourceChain::shared();
}

bool sameNameIgnoringCase(const std::string& a, ConstStr255Param b)
{
    if (a.size() != b[0])
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(b[i + 1]))
            return false;
    }
    return true;
}

// The resource of `type` and `id` in one file; with `typeSeen` whether the
// file has that type at all.
Resource* findIn(OpenResourceFile& file, ResType type, SInt16 id, bool& typeSeen)
{
    for (const auto& resource : file.resources) {
        if (resource->record.type != type)
            continue;
        typeSeen = true;
        if (resource->record.id == id)
            return resource.get();
    }
    return nullptr;
}

std::vector<Resource*> ofType(ResType type)
{
    std::vector<Resource*> found;
    if (OpenResourceFile* file = chain().find(chain().current)) {
        for (const auto& resource : file->resources) {
            if (resource->record.type == type)
                found.push_back(resource.get());
        }
    }
    return found;
}

Resource* ownerOrError(Handle h, OSErr error)
{
    Resource* resource = h ? chain().owner(h) : nullptr;
    chain().lastError = resource ? OSErr(noErr) : error;
    return resource;
}

} // namespace

SInt16 FSpOpenResFile(const FSSpec* spec, SInt8 permission)
{
    toolbox::CatalogEntry entry;
    if ((chain().lastError = toolbox::Catalog::shared().resolve(spec, entry)) != noErr)
        return -1;
    if (!entry.exists || entry.isFolder) {
        chain().lastError = entry.isFolder ? notAFileErr : fnfErr;
        return -1;
    }
    return chain().open(entry.path, true, permission);
}

void FSpCreateResFile(const FSSpec* spec, OSType creator, OSType fileType, ScriptCode scriptTag)
{
    toolbox::CatalogEntry entry;
    if ((chain().lastError = toolbox::Catalog::shared().resolve(spec, entry)) != noErr)
        return;
    if (!entry.exists) {
        if ((chain().lastError = FSpCreate(spec, creator, fileType, scriptTag)) != noErr)
            return;
    } else {
        toolbox::AppleDouble sidecar;
        if ((chain().lastError = toolbox::readSidecar(entry.path, sidecar)) != noErr)
            return;
        if (!sidecar.resourceFork().empty()) {
            chain().lastError = dupFNErr;
            return;
        }
    }
    std::vector<uint8_t> empty;
    toolbox::serializeResourceFork(toolbox::ResourceForkImage {}, empty);
    SInt16 refNum = 0;
    if ((chain().lastError = FSpOpenRF(spec, fsWrPerm, &refNum)) != noErr)
        return;
    SInt32 count = SInt32(empty.size());
    OSErr err = FSWrite(refNum, &count, empty.data());
    const OSErr closeErr = FSClose(refNum);
    chain().lastError = err ? err : closeErr;
}

SInt16 CurResFile()
{
    chain().lastError = noErr;
    return chain().current;
}

void UseResFile(SInt16 refNum)
{
    if (refNum != 0 && !chain().find(refNum)) {
        chain().lastError = resFNotFound;
        return;
    }
    chain().current = refNum;
    chain().lastError = noErr;
}

SInt16 HomeResFile(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    return resource ? resource->file->refNum : -1;
}

void CloseResFile(SInt16 refNum)
{
    if (refNum == 0) {
        chain().lastError = noErr; // the System file is never closed
        return;
    }
    chain().lastError = chain().close(refNum);
}

void UpdateResFile(SInt16 refNum)
{
    OpenResourceFile* file = chain().find(refNum);
    chain().lastError = file ? chain().update(*file) : resNotFound;
}

OSErr ResError()
{
    return chain().lastError;
}

Handle Get1Resource(ResType theType, SInt16 theID)
{
    OpenResourceFile* file = chain().find(chain().current);
    bool typeSeen = false;
    Resource* resource = file ? findIn(*file, theType, theID, typeSeen) : nullptr;
    if (!resource) {
        // A type the file lacks altogether is no error, only a missing ID.
        chain().lastError = typeSeen ? resNotFound : OSErr(noErr);
        return nullptr;
    }
    chain().lastError = noErr;
    return chain().load(*resource);
}

Handle GetResource(ResType theType, SInt16 theID)
{
    for (OpenResourceFile* file : chain().searchOrder()) {
        bool typeSeen = false;
        if (Resource* resource = findIn(*file, theType, theID, typeSeen)) {
            chain().lastError = noErr;
            return chain().load(*resource);
        }
    }
    chain().lastError = resNotFound;
    return nullptr;
}

Handle Get1NamedResource(ResType theType, ConstStr255Param name)
{
    for (Resource* resource : ofType(theType)) {
        if (resource->record.named && name && sameNameIgnoringCase(resource->record.name, name)) {
            chain().lastError = noErr;
            return chain().load(*resource);
        }
    }
    chain().lastError = resNotFound;
    return nullptr;
}

SInt16 Count1Resources(ResType theType)
{
    chain().lastError = noErr;
    return SInt16(ofType(theType).size());
}

Handle Get1IndResource(ResType theType, SInt16 index)
{
    const std::vector<Resource*> resources = ofType(theType);
    if (index < 1 || size_t(index) > resources.size()) {
        chain().lastError = resNotFound;
        return nullptr;
    }
    chain().lastError = noErr;
    return chain().load(*resources[size_t(index) - 1]);
}

namespace {

std::vector<ResType> typesOfCurrent()
{
    std::vector<ResType> types;
    if (OpenResourceFile* file = chain().find(chain().current)) {
        for (const auto& resource : file->resources) {
            if (std::find(types.begin(), types.end(), resource->record.type) == types.end())
                types.push_back(resource->record.type);
        }
    }
    return types;
}

} // namespace

SInt16 Count1Types()
{
    chain().lastError = noErr;
    return SInt16(typesOfCurrent().size());
}

void Get1IndType(ResType* theType, SInt16 index)
{
    const std::vector<ResType> types = typesOfCurrent();
    if (!theType) {
        chain().lastError = paramErr;
        return;
    }
    if (index < 1 || size_t(index) > types.size()) {
        *theType = 0;
        chain().lastError = resNotFound;
        return;
    }
    *theType = types[size_t(index) - 1];
    chain().lastError = noErr;
}

void AddResource(Handle theData, ResType theType, SInt16 theID, ConstStr255Param name)
{
    OpenResourceFile* file = chain().find(chain().current);
    if (!theData || !file || chain().owner(theData)) {
        chain().lastError = addResFailed;
        return;
    }
    auto resource = std::make_unique<Resource>();
    resource->record.type = theType;
    resource->record.id = theID;
    resource->record.named = name && name[0] > 0;
    if (resource->record.named)
        resource->record.name.assign(reinterpret_cast<const char*>(name + 1), name[0]);
    resource->record.attributes = resChanged;
    resource->file = file;
    Resource* added = resource.get();
    file->resources.push_back(std::move(resource));
    file->changed = true;
    chain().adopt(*added, theData);
    chain().lastError = noErr;
}

void ChangedResource(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    if (!resource)
        return;
    if (resource->record.attributes & resProtected) {
        chain().lastError = resAttrErr;
        return;
    }
    resource->record.attributes |= resChanged;
    resource->file->changed = true;
}

void WriteResource(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    if (!resource || !(resource->record.attributes & resChanged)
        || (resource->record.attributes & resProtected))
        return;
    chain().lastError = chain().update(*resource->file);
}

void RemoveResource(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, rmvResFailed);
    if (!resource)
        return;
    if (resource->record.attributes & resProtected) {
        chain().lastError = rmvResFailed;
        return;
    }
    chain().remove(*resource); // the handle becomes the caller's
}

void ReleaseResource(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    if (!resource)
        return;
    // Changes not yet written stay in memory rather than vanish with the handle.
    if (resource->record.attributes & resChanged)
        resource->record.data.assign(*theResource, *theResource + GetHandleSize(theResource));
    chain().detach(*resource);
    DisposeHandle(theResource);
}

void DetachResource(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    if (!resource)
        return;
    if (resource->record.attributes & resChanged) {
        chain().lastError = resAttrErr;
        return;
    }
    chain().detach(*resource);
}

void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, Str255 name)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    if (!resource)
        return;
    if (theID)
        *theID = resource->record.id;
    if (theType)
        *theType = resource->record.type;
    if (name) {
        name[0] = static_cast<unsigned char>(resource->record.name.size());
        std::memcpy(name + 1, resource->record.name.data(), resource->record.name.size());
    }
}

long GetResourceSizeOnDisk(Handle theResource)
{
    Resource* resource = ownerOrError(theResource, resNotFound);
    return resource ? long(resource->record.data.size()) : -1;
}
