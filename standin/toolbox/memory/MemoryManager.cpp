// The Memory Manager over the C++ heap. A handle points at the first field of
// a master block, so *h is the data pointer as the toolbox promises; the block
// records the size so GetHandleSize and GetPtrSize can answer.
#include <MacMemory.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

thread_local OSErr lastMemError = noErr;

struct MasterBlock {
    Ptr data; // must stay first: a Handle is &block->data
    Size size;
    SInt8 state;
};

// Pointers carry their size in a header just before the bytes handed out.
struct alignas(std::max_align_t) PtrHeader {
    Size size;
};

MasterBlock* blockOf(Handle h)
{
    return reinterpret_cast<MasterBlock*>(h);
}

Ptr allocatePtr(Size byteCount, bool clear)
{
    if (byteCount < 0) {
        lastMemError = memFullErr;
        return nullptr;
    }
    void* raw = clear ? std::calloc(1, sizeof(PtrHeader) + size_t(byteCount))
                      : std::malloc(sizeof(PtrHeader) + size_t(byteCount));
    if (!raw) {
        lastMemError = memFullErr;
        return nullptr;
    }
    auto* header = static_cast<PtrHeader*>(raw);
    header->size = byteCount;
    lastMemError = noErr;
    return reinterpret_cast<Ptr>(header + 1);
}

Handle allocateHandle(Size byteCount, bool clear)
{
    if (byteCount < 0) {
        lastMemError = memFullErr;
        return nullptr;
    }
    auto* block = new (std::nothrow) MasterBlock {nullptr, byteCount, 0};
    if (!block) {
        lastMemError = memFullErr;
        return nullptr;
    }
    // Zero-length handles still get a distinct data pointer, so *h is never nil.
    block->data = static_cast<Ptr>(clear ? std::calloc(1, size_t(byteCount) + 1) : std::malloc(size_t(byteCount) + 1));
    if (!block->data) {
        delete block;
        lastMemError = memFullErr;
        return nullptr;
    }
    lastMemError = noErr;
    return &block->data;
}

} // namespace

Ptr NewPtr(Size byteCount)
{
    return allocatePtr(byteCount, false);
}

Ptr NewPtrClear(Size byteCount)
{
    return allocatePtr(byteCount, true);
}

void DisposePtr(Ptr p)
{
    lastMemError = noErr;
    if (p)
        std::free(reinterpret_cast<PtrHeader*>(p) - 1);
}

Size GetPtrSize(Ptr p)
{
    if (!p) {
        lastMemError = nilHandleErr;
        return 0;
    }
    lastMemError = noErr;
    return (reinterpret_cast<PtrHeader*>(p) - 1)->size;
}

Handle NewHandle(Size byteCount)
{
    return allocateHandle(byteCount, false);
}

Handle NewHandleClear(Size byteCount)
{
    return allocateHandle(byteCount, true);
}

void DisposeHandle(Handle h)
{
    lastMemError = noErr;
    if (!h)
        return;
    MasterBlock* block = blockOf(h);
    std::free(block->data);
    delete block;
}

Size GetHandleSize(Handle h)
{
    if (!h) {
        lastMemError = nilHandleErr;
        return 0;
    }
    lastMemError = noErr;
    return blockOf(h)->size;
}

void SetHandleSize(Handle h, Size newSize)
{
    if (!h) {
        lastMemError = nilHandleErr;
        return;
    }
    if (newSize < 0) {
        lastMemError = memFullErr;
        return;
    }
    MasterBlock* block = blockOf(h);
    auto* grown = static_cast<Ptr>(std::realloc(block->data, size_t(newSize) + 1));
    if (!grown) {
        lastMemError = memFullErr;
        return;
    }
    if (newSize > block->size)
        std::memset(grown + block->size, 0, size_t(newSize - block->size));
    block->data = grown;
    block->size = newSize;
    lastMemError = noErr;
}

void HLock(Handle h)
{
    if (h)
        blockOf(h)->state |= 0x80;
    lastMemError = h ? OSErr(noErr) : OSErr(nilHandleErr);
}

void HUnlock(Handle h)
{
    if (h)
        blockOf(h)->state &= ~0x80;
    lastMemError = h ? OSErr(noErr) : OSErr(nilHandleErr);
}

SInt8 HGetState(Handle h)
{
    lastMemError = h ? OSErr(noErr) : OSErr(nilHandleErr);
    return h ? blockOf(h)->state : 0;
}

void HSetState(Handle h, SInt8 flags)
{
    if (h)
        blockOf(h)->state = flags;
    lastMemError = h ? OSErr(noErr) : OSErr(nilHandleErr);
}

OSErr PtrToHand(const void* srcPtr, Handle* dstHndl, long size)
{
    Handle h = NewHandle(size);
    if (!h) {
        *dstHndl = nullptr;
        return lastMemError;
    }
    if (size > 0)
        std::memcpy(*h, srcPtr, size_t(size));
    *dstHndl = h;
    return noErr;
}

OSErr HandToHand(Handle* theHndl)
{
    if (!theHndl || !*theHndl)
        return lastMemError = nilHandleErr;
    Handle source = *theHndl;
    return PtrToHand(*source, theHndl, GetHandleSize(source));
}

void BlockMove(const void* srcPtr, void* destPtr, Size byteCount)
{
    if (byteCount > 0)
        std::memmove(destPtr, srcPtr, size_t(byteCount));
}

void BlockMoveData(const void* srcPtr, void* destPtr, Size byteCount)
{
    BlockMove(srcPtr, destPtr, byteCount);
}

OSErr MemError()
{
    return lastMemError;
}
