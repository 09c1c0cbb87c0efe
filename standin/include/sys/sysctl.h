// sys/sysctl.h: the BSD sysctl calls, answered by the machine in use: the
// simulated Macintosh, or on a real Linux machine /proc/sys and the device
// tree (see standin/machine for which one a process gets).
//
// Provided: sysctlbyname for the kernel extension's register nodes
// (hw.Korvendale*) and for kern.ostype, the operating system that answers
// ("Darwin" on the simulated Macintosh, "Linux" on the real machine, where
// the nodes are the korvendale module's), and kern.bootargs, the words the
// system was booted with (the simulated Macintosh's boot-args, the Linux
// kernel's command line); and sysctl for the CTL_HW names
// hw.model, hw.busfrequency and hw.cpufrequency. Failures return -1 and set
// errno (ENOENT for an absent node) and leave the destination untouched, as
// the kernel does.
#pragma once

#include <cstddef>

#define CTL_HW 6
#define HW_MODEL 2
#define HW_BUS_FREQ 14
#define HW_CPU_FREQ 15

typedef unsigned int u_int;

extern "C" {
int sysctlbyname(const char* name, void* oldp, size_t* oldlenp, void* newp, size_t newlen);
int sysctl(int* name, u_int namelen, void* oldp, size_t* oldlenp, void* newp, size_t newlen);
}
