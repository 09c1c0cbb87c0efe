// Files.h: the File Manager over the host file system.
//
// Provided: FSMakeFSSpec, FSpCreate, FSpDirCreate, FSpDelete, FSpGetFInfo,
// FSpSetFInfo, FSpRename, FSpExchangeFiles, CatMove, FSpOpenDF, FSpOpenRF,
// FSRead, FSWrite, FSClose, GetEOF, SetEOF, GetFPos, SetFPos, HGetVol,
// PBGetCatInfoSync (by name or partial path, by index, index -1 for the
// folder itself), PBHGetFInfoSync, PBHGetVInfoSync, PBReadSync (file
// references and the startup disk's driver), PBFlushFileSync, PBFlushVolSync,
// PBAllocContigSync, PBAllocateSync; FSpMakeFSRef and FSRefMakePath, which
// give an item's host path (the POSIX path a host program such as a browser
// can open).
//
// The volume: one volume, the machine's startup disk (the simulated
// Macintosh's disk folder, or the state folder on a real Linux machine; see
// standin/machine), named "Macintosh HD", vRefNum -1. Volume
// selectors 0, -1 and the FindFolder domains (-32768...-32762) all mean it.
// The root folder is dirID 2 and its parent 1, as on HFS; every other folder
// and file gets an ID the first time it is seen, stable while the process
// lives (an item renamed or moved through these calls keeps its ID). dirID 0
// is the default directory. Folders outside the disk (the default directory
// when the program lies outside it) belong to the same volume and get IDs the
// same way; the host's "/" then has parent ID 1 like the root.
//
// Names: bytes as the host stores them, except that a Mac '/' is a host ':'
// (and back), as on Mac OS X. Lookups try the exact name first and then an
// ASCII case-insensitive match, as HFS would. Partial paths use ':' (":a:b",
// "::" for the parent); a full path starts with the volume name. A name of
// more than 63 characters does not fit an FSSpec (bdNamErr); ".", ".." and
// names beginning with "._" are refused (bdNamErr).
//
// Finder info and resource forks live in AppleDouble version 2 sidecars named
// "._NAME" beside the data file, in the minimal two-entry form Mac OS X writes:
// header, Finder info (entry 9, 32 bytes at offset 50), resource fork (entry 2
// at offset 82). Other entries of a foreign sidecar are kept when it is
// rewritten. Sidecars never appear in listings; rename, move, exchange and
// delete carry them along. A file without a sidecar has type and creator 0 and
// an empty resource fork. A sidecar that is not a valid AppleDouble file gives
// ioErr rather than being overwritten.
//
// Host errors map to result codes so:
//   ENOENT -> fnfErr (-43), or dirNFErr (-120) for a missing folder on the way
//   ENOTDIR -> dirNFErr (-120)          EEXIST -> dupFNErr (-48)
//   EACCES, EPERM, EROFS -> afpAccessDenied (-5000)
//   ENOSPC, EDQUOT -> dskFulErr (-34)   EMFILE, ENFILE -> tmfoErr (-42)
//   ENAMETOOLONG -> bdNamErr (-37)      ENOTEMPTY, EBUSY -> fBsyErr (-47)
//   EISDIR -> notAFileErr (-1302)       EXDEV -> diffVolErr (-1303)
//   anything else -> ioErr (-36)
// EROFS counts as a denied write: for a program asking whether it may change
// something, a read-only disk is a refusal like a missing permission, and
// Mac OS X's own AFP-style answer for both is -5000. Reading past the end
// gives eofErr (-39) with the bytes that were there; an unknown reference
// number rfNumErr (-51); more than 256 open forks tmfoErr (-42); deleting an
// open file fBsyErr (-47); a folder where a file is needed notAFileErr.
//
// PBFlushFileSync writes a data fork to the disk with its catalog entry, as
// Inside Macintosh has it: on the host, fsync of the file and of its folder.
// PBFlushVolSync writes back open resource forks, then the whole volume
// (syncfs), deletions and renames included.
//
// Simplifications: calls are synchronous (ioCompletion is never called); no
// deny modes (a fork may be open for writing more than once); a resource fork
// opened with FSpOpenRF is read into memory and written back to its sidecar
// when it is flushed or closed; the locked attribute is never reported; dates
// are host modification times in seconds since 1904 (UTC); folder Finder info
// (DInfo/DXInfo) reads as zeros. The startup disk's driver is reference -33,
// drive 8: PBReadSync with that reference reads 512-byte sectors of the
// disk's backing store (<machine dir>/disk.img when it exists, otherwise the
// block device holding the disk folder; nsDrvErr -56 when there is neither).
#pragma once

#include <MacTypes.h>

#include <cstddef>

constexpr OSErr dirFulErr = -33;
constexpr OSErr dskFulErr = -34;
constexpr OSErr nsvErr = -35;
constexpr OSErr ioErr = -36;
constexpr OSErr bdNamErr = -37;
constexpr OSErr fnOpnErr = -38;
constexpr OSErr eofErr = -39;
constexpr OSErr posErr = -40;
constexpr OSErr mFulErr = -41;
constexpr OSErr tmfoErr = -42;
constexpr OSErr fnfErr = -43;
constexpr OSErr wPrErr = -44;
constexpr OSErr fLckdErr = -45;
constexpr OSErr vLckdErr = -46;
constexpr OSErr fBsyErr = -47;
constexpr OSErr dupFNErr = -48;
constexpr OSErr opWrErr = -49;
constexpr OSErr paramErr = -50;
constexpr OSErr rfNumErr = -51;
constexpr OSErr gfpErr = -52;
constexpr OSErr volOffLinErr = -53;
constexpr OSErr permErr = -54;
constexpr OSErr nsDrvErr = -56;
constexpr OSErr wrPermErr = -61;
constexpr OSErr dirNFErr = -120;
constexpr OSErr tmwdoErr = -121;
constexpr OSErr badMovErr = -122;
constexpr OSErr wrgVolTypErr = -123;
constexpr OSErr notAFileErr = -1302;
constexpr OSErr diffVolErr = -1303;
constexpr OSErr afpAccessDenied = -5000;

enum : SInt8 {
    fsCurPerm = 0,
    fsRdPerm = 1,
    fsWrPerm = 2,
    fsRdWrPerm = 3,
    fsRdWrShPerm = 4,
};

enum : SInt16 {
    fsAtMark = 0,
    fsFromStart = 1,
    fsFromLEOF = 2,
    fsFromMark = 3,
};

enum : SInt8 {
    kioFlAttribLockedMask = 0x01,
    kioFlAttribResOpenMask = 0x04,
    kioFlAttribDataOpenMask = 0x08,
    kioFlAttribDirMask = 0x10,
    kioFlAttribFileOpenMask = static_cast<SInt8>(0x80),
};

constexpr SInt32 fsRtParID = 1;
constexpr SInt32 fsRtDirID = 2;

typedef void* IOCompletionUPP; // never called: every call completes before it returns
typedef void* QElemPtr;

// The records keep natural alignment (no member is ever misaligned); the
// members that classic code reads through either view of a union overlay
// each other as on the Mac, which the assertions after them check.

struct FInfo {
    OSType fdType;
    OSType fdCreator;
    UInt16 fdFlags;
    Point fdLocation;
    SInt16 fdFldr;
};

struct FXInfo {
    SInt16 fdIconID;
    SInt16 fdReserved[3];
    SInt8 fdScript;
    SInt8 fdXFlags;
    SInt16 fdComment;
    SInt32 fdPutAway;
};

struct DInfo {
    Rect frRect;
    UInt16 frFlags;
    Point frLocation;
    SInt16 frView;
};

struct DXInfo {
    Point frScroll;
    SInt32 frOpenChain;
    SInt8 frScript;
    SInt8 frXFlags;
    SInt16 frComment;
    SInt32 frPutAway;
};

struct FSSpec {
    SInt16 vRefNum;
    SInt32 parID;
    Str63 name;
};
typedef FSSpec* FSSpecPtr;

// An item that exists, as Mac OS X names it: opaque to its holder.
struct FSRef {
    UInt8 hidden[80];
};

// Catalog information: hFileInfo for files, dirInfo for folders. ioDirID and
// ioDrDirID, ioFlParID and ioDrParID lie at the same offsets.
struct HFileInfo {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt16 ioFRefNum;
    SInt8 ioFVersNum;
    SInt8 filler1;
    SInt16 ioFDirIndex;
    SInt8 ioFlAttrib;
    SInt8 ioACUser;
    FInfo ioFlFndrInfo;
    SInt32 ioDirID;
    UInt16 ioFlStBlk;
    SInt32 ioFlLgLen;
    SInt32 ioFlPyLen;
    UInt16 ioFlRStBlk;
    SInt32 ioFlRLgLen;
    SInt32 ioFlRPyLen;
    UInt32 ioFlCrDat;
    UInt32 ioFlMdDat;
    UInt32 ioFlBkDat;
    FXInfo ioFlXFndrInfo;
    SInt32 ioFlParID;
    SInt32 ioFlClpSiz;
};

struct DirInfo {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt16 ioFRefNum;
    SInt8 ioFVersNum;
    SInt8 filler1;
    SInt16 ioFDirIndex;
    SInt8 ioFlAttrib;
    SInt8 ioACUser;
    DInfo ioDrUsrWds;
    SInt32 ioDrDirID;
    UInt16 ioDrNmFls;
    SInt16 filler3[11]; // nine on the Mac; two more keep the dates and ioDrParID level with HFileInfo's
    UInt32 ioDrCrDat;
    UInt32 ioDrMdDat;
    UInt32 ioDrBkDat;
    DXInfo ioDrFndrInfo;
    SInt32 ioDrParID;
};

union CInfoPBRec {
    HFileInfo hFileInfo;
    DirInfo dirInfo;
};
typedef CInfoPBRec* CInfoPBPtr;

struct IOParam {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt16 ioRefNum;
    SInt8 ioVersNum;
    SInt8 ioPermssn;
    Ptr ioMisc;
    Ptr ioBuffer;
    SInt32 ioReqCount;
    SInt32 ioActCount;
    SInt16 ioPosMode;
    SInt32 ioPosOffset; // read as unsigned for the disk driver
};

struct VolumeParam {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
};

union ParamBlockRec {
    IOParam ioParam;
    VolumeParam volumeParam;
};
typedef ParamBlockRec* ParmBlkPtr;

struct HFileParam {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt16 ioFRefNum;
    SInt8 ioFVersNum;
    SInt8 filler1;
    SInt16 ioFDirIndex;
    SInt8 ioFlAttrib;
    SInt8 ioFlVersNum;
    FInfo ioFlFndrInfo;
    SInt32 ioDirID; // in: the folder; out: the file's ID
    UInt16 ioFlStBlk; // first allocation block of the data fork (low 16 bits), 0 when unknown
    SInt32 ioFlLgLen;
    SInt32 ioFlPyLen;
    UInt16 ioFlRStBlk;
    SInt32 ioFlRLgLen;
    SInt32 ioFlRPyLen;
    UInt32 ioFlCrDat;
    UInt32 ioFlMdDat;
};

struct HVolumeParam {
    QElemPtr qLink;
    SInt16 qType;
    SInt16 ioTrap;
    Ptr ioCmdAddr;
    IOCompletionUPP ioCompletion;
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt32 filler2;
    SInt16 ioVolIndex;
    UInt32 ioVCrDate;
    UInt32 ioVLsMod;
    SInt16 ioVAtrb;
    UInt16 ioVNmFls;
    UInt16 ioVBitMap;
    UInt16 ioAllocPtr;
    UInt16 ioVNmAlBlks;
    SInt32 ioVAlBlkSiz;
    SInt32 ioVClpSiz;
    UInt16 ioAlBlSt;
    SInt32 ioVNxtCNID;
    UInt16 ioVFrBlk;
    UInt16 ioVSigWord;
    SInt16 ioVDrvInfo; // drive number
    SInt16 ioVDRefNum; // driver reference number
    SInt16 ioVFSID;
    UInt32 ioVBkUp;
    SInt16 ioVSeqNum;
    SInt32 ioVWrCnt;
    SInt32 ioVFilCnt;
    SInt32 ioVDirCnt;
    SInt32 ioVFndrInfo[8];
};

union HParamBlockRec {
    IOParam ioParam;
    HFileParam fileParam;
    HVolumeParam volumeParam;
};
typedef HParamBlockRec* HParmBlkPtr;

static_assert(offsetof(HFileInfo, ioNamePtr) == offsetof(DirInfo, ioNamePtr));
static_assert(offsetof(HFileInfo, ioVRefNum) == offsetof(DirInfo, ioVRefNum));
static_assert(offsetof(HFileInfo, ioFDirIndex) == offsetof(DirInfo, ioFDirIndex));
static_assert(offsetof(HFileInfo, ioFlAttrib) == offsetof(DirInfo, ioFlAttrib));
static_assert(offsetof(HFileInfo, ioDirID) == offsetof(DirInfo, ioDrDirID));
static_assert(offsetof(HFileInfo, ioFlCrDat) == offsetof(DirInfo, ioDrCrDat));
static_assert(offsetof(HFileInfo, ioFlMdDat) == offsetof(DirInfo, ioDrMdDat));
static_assert(offsetof(HFileInfo, ioFlParID) == offsetof(DirInfo, ioDrParID));
static_assert(offsetof(IOParam, ioVRefNum) == offsetof(HFileParam, ioVRefNum));
static_assert(offsetof(IOParam, ioVRefNum) == offsetof(HVolumeParam, ioVRefNum));
static_assert(offsetof(IOParam, ioNamePtr) == offsetof(VolumeParam, ioNamePtr));

OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec);
OSErr FSpCreate(const FSSpec* spec, OSType creator, OSType fileType, ScriptCode scriptTag);
OSErr FSpDirCreate(const FSSpec* spec, ScriptCode scriptTag, SInt32* createdDirID);
OSErr FSpDelete(const FSSpec* spec);
OSErr FSpGetFInfo(const FSSpec* spec, FInfo* fndrInfo);
OSErr FSpSetFInfo(const FSSpec* spec, const FInfo* fndrInfo);
OSErr FSpRename(const FSSpec* spec, ConstStr255Param newName);
// Swaps the contents of two files of one volume: both forks and the Finder
// info travel; names and IDs stay. Each fork's swap is atomic on the host.
OSErr FSpExchangeFiles(const FSSpec* source, const FSSpec* dest);
OSErr CatMove(
    SInt16 vRefNum, SInt32 dirID, ConstStr255Param oldName, SInt32 newDirID, ConstStr255Param newName);

// fnfErr when the item does not exist. FSRefMakePath: the path with its
// terminating zero; bdNamErr when it does not fit maxPathSize bytes.
OSErr FSpMakeFSRef(const FSSpec* source, FSRef* newRef);
OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize);
OSErr FSpOpenDF(const FSSpec* spec, SInt8 permission, SInt16* refNum);
OSErr FSpOpenRF(const FSSpec* spec, SInt8 permission, SInt16* refNum);
OSErr FSRead(SInt16 refNum, SInt32* count, void* buffPtr);
OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffPtr);
OSErr FSClose(SInt16 refNum);
OSErr GetEOF(SInt16 refNum, SInt32* logEOF);
OSErr SetEOF(SInt16 refNum, SInt32 logEOF);
OSErr GetFPos(SInt16 refNum, SInt32* filePos);
OSErr SetFPos(SInt16 refNum, SInt16 posMode, SInt32 posOff);

OSErr HGetVol(StringPtr volName, SInt16* vRefNum, SInt32* dirID);

OSErr PBGetCatInfoSync(CInfoPBPtr paramBlock);
OSErr PBHGetFInfoSync(HParmBlkPtr paramBlock);
OSErr PBHGetVInfoSync(HParmBlkPtr paramBlock);
OSErr PBReadSync(ParmBlkPtr paramBlock);
OSErr PBFlushFileSync(ParmBlkPtr paramBlock);
OSErr PBFlushVolSync(ParmBlkPtr paramBlock);
OSErr PBAllocContigSync(ParmBlkPtr paramBlock);
OSErr PBAllocateSync(ParmBlkPtr paramBlock);
