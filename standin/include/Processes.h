// Processes.h: the Process Manager's own-process calls.
//
// Provided: GetCurrentProcess, and GetProcessInformation for the current
// process: its name (the program's file name) and processAppSpec, the FSSpec
// of the program's file as it was started (so a program reached through a
// link finds itself where the link is). Other fields are zero.
// Simplifications: only the current process is known; any other serial
// number gives procNotFound (-600); a nil info pointer or a processInfoLength
// other than sizeof(ProcessInfoRec) gives paramErr (-50).
#pragma once

#include <Files.h>
#include <MacTypes.h>

struct ProcessSerialNumber {
    UInt32 highLongOfPSN;
    UInt32 lowLongOfPSN;
};

enum : UInt32 {
    kNoProcess = 0,
    kSystemProcess = 1,
    kCurrentProcess = 2,
};

constexpr OSErr procNotFound = -600;

struct ProcessInfoRec {
    UInt32 processInfoLength;
    StringPtr processName; // Str31 (may be nil)
    ProcessSerialNumber processNumber;
    UInt32 processType;
    OSType processSignature;
    UInt32 processMode;
    Ptr processLocation;
    UInt32 processSize;
    UInt32 processFreeMem;
    ProcessSerialNumber processLauncher;
    UInt32 processLaunchDate;
    UInt32 processActiveTime;
    FSSpecPtr processAppSpec; // may be nil
};

OSErr GetCurrentProcess(ProcessSerialNumber* psn);
OSErr GetProcessInformation(const ProcessSerialNumber* psn, ProcessInfoRec* info);
