// Resources.h: the Resource Manager over genuine resource files.
//
// Provided: FSpOpenResFile, FSpCreateResFile, CurResFile, UseResFile,
// HomeResFile, CloseResFile, UpdateResFile, ResError, GetResource,
// Get1Resource, Get1NamedResource, Count1Resources, Get1IndResource,
// Count1Types, Get1IndType, AddResource, ChangedResource, WriteResource,
// RemoveResource, ReleaseResource, DetachResource, GetResInfo,
// GetResourceSizeOnDisk.
//
// Resource files have the classic layout (header, data area, map with type
// list, reference lists and name list), read from a file's resource fork
// (kept in its AppleDouble sidecar, see Files.h) or, for the application's
// own resources, from a plain file's data fork. A file whose header, map,
// lists, names or data blocks do not fit where they say they are is refused:
// the open gives -1 and ResError mapReadErr (-199); an empty fork gives
// eofErr (-39).
//
// The chain: GetResource searches from the current file towards the files
// opened before it, most recent first; opening a file makes it current;
// closing the current file makes the one opened before it current. There is
// no System file: refNum 0 stands for the end of the chain.
//
// Simplifications: every resource is read into memory when its file opens
// (SetResLoad is absent); a handle stays with its resource until it is
// released, detached or its file closes; WriteResource and UpdateResFile
// both rewrite the whole file, compacted, from memory (so WriteResource also
// writes the file's other pending changes); a file opened read-only keeps
// changes in memory and UpdateResFile reports wrPermErr; opening a file that
// is already open returns its reference number without changing the current
// file. Writing a file whose data area would pass 16 MiB or whose map would
// pass the 32 KiB its offsets can reach gives addResFailed and writes nothing.
#pragma once

#include <Files.h>
#include <MacTypes.h>

constexpr OSErr resNotFound = -192;
constexpr OSErr resFNotFound = -193;
constexpr OSErr addResFailed = -194;
constexpr OSErr rmvResFailed = -196;
constexpr OSErr resAttrErr = -198;
constexpr OSErr mapReadErr = -199;

enum : SInt16 {
    resSysRef = 0x80,
    resSysHeap = 0x40,
    resPurgeable = 0x20,
    resLocked = 0x10,
    resProtected = 0x08,
    resPreload = 0x04,
    resChanged = 0x02,
    resCompressed = 0x01,
};

enum : SInt16 {
    mapReadOnly = 0x80,
    mapCompact = 0x40,
    mapChanged = 0x20,
};

SInt16 FSpOpenResFile(const FSSpec* spec, SInt8 permission);
void FSpCreateResFile(const FSSpec* spec, OSType creator, OSType fileType, ScriptCode scriptTag);
SInt16 CurResFile();
void UseResFile(SInt16 refNum);
SInt16 HomeResFile(Handle theResource);
void CloseResFile(SInt16 refNum);
void UpdateResFile(SInt16 refNum);
OSErr ResError();

Handle GetResource(ResType theType, SInt16 theID);
Handle Get1Resource(ResType theType, SInt16 theID);
Handle Get1NamedResource(ResType theType, ConstStr255Param name);
SInt16 Count1Resources(ResType theType);
Handle Get1IndResource(ResType theType, SInt16 index);
SInt16 Count1Types();
void Get1IndType(ResType* theType, SInt16 index);

void AddResource(Handle theData, ResType theType, SInt16 theID, ConstStr255Param name);
void ChangedResource(Handle theResource);
void WriteResource(Handle theResource);
void RemoveResource(Handle theResource);
void ReleaseResource(Handle theResource);
void DetachResource(Handle theResource);
void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, Str255 name);
long GetResourceSizeOnDisk(Handle theResource);
