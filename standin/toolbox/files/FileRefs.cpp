// FSRefs: an item's catalog ID in the opaque bytes, with a mark so that a
// block of zeros or garbage is not taken for a reference.
#include <Files.h>

#include "files/Catalog.h"

#include <cstring>

using toolbox::Catalog;
using toolbox::CatalogEntry;

namespace {

constexpr UInt32 kRefMark = 0x4B524546; // 'KREF'

} // namespace

OSErr FSpMakeFSRef(const FSSpec* source, FSRef* newRef)
{
    if (!source || !newRef)
        return paramErr;
    Catalog& catalog = Catalog::shared();
    CatalogEntry entry;
    if (OSErr err = catalog.resolve(source, entry))
        return err;
    if (!entry.exists)
        return fnfErr;
    const SInt32 id = entry.isRoot ? toolbox::kRootDirID : catalog.idOf(entry.path);
    std::memset(newRef->hidden, 0, sizeof newRef->hidden);
    std::memcpy(newRef->hidden, &kRefMark, sizeof kRefMark);
    std::memcpy(newRef->hidden + sizeof kRefMark, &id, sizeof id);
    return noErr;
}

OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize)
{
    if (!ref || !path)
        return paramErr;
    UInt32 mark;
    SInt32 id;
    std::memcpy(&mark, ref->hidden, sizeof mark);
    std::memcpy(&id, ref->hidden + sizeof mark, sizeof id);
    if (mark != kRefMark)
        return paramErr;
    std::filesystem::path item;
    if (OSErr err = Catalog::shared().itemPath(id, item))
        return err;
    const std::string text = item.string();
    if (text.size() + 1 > maxPathSize)
        return bdNamErr;
    std::memcpy(path, text.c_str(), text.size() + 1);
    return noErr;
}
