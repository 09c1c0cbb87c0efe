// MacMemory.h: the Memory Manager's pointers and relocatable blocks.
//
// Provided: NewPtr, NewPtrClear, DisposePtr, GetPtrSize, NewHandle,
// NewHandleClear, DisposeHandle, GetHandleSize, SetHandleSize, HLock, HUnlock,
// HGetState/HSetState, PtrToHand, HandToHand, BlockMove, BlockMoveData,
// MemError.
// Simplifications: blocks never move (locking is bookkeeping only); a handle
// is a pointer to a master pointer that the layer owns; there is no heap zone.
#pragma once

#include <MacTypes.h>

enum : OSErr {
    memFullErr = -108,
    nilHandleErr = -109,
    memWZErr = -111,
};

Ptr NewPtr(Size byteCount);
Ptr NewPtrClear(Size byteCount);
void DisposePtr(Ptr p);
Size GetPtrSize(Ptr p);

Handle NewHandle(Size byteCount);
Handle NewHandleClear(Size byteCount);
void DisposeHandle(Handle h);
Size GetHandleSize(Handle h);
void SetHandleSize(Handle h, Size newSize);
void HLock(Handle h);
void HUnlock(Handle h);
SInt8 HGetState(Handle h);
void HSetState(Handle h, SInt8 flags);
OSErr PtrToHand(const void* srcPtr, Handle* dstHndl, long size);
OSErr HandToHand(Handle* theHndl);

void BlockMove(const void* srcPtr, void* destPtr, Size byteCount);
void BlockMoveData(const void* srcPtr, void* destPtr, Size byteCount);

// Result of the last Memory Manager call on this thread.
OSErr MemError();
