// korvendalecache: program-wide state and the steps of a run. The tool is
// written in the style of the BSD system utilities: a flag word, the register
// words, an option table of handlers, printf output and an exit status of 0
// or 1. It uses no exceptions and no iostreams, so it starts about as fast as
// a process can.
#pragma once

#include <cstddef>

// Bits of argFlags, one per option seen.
enum : unsigned int {
    kDisplayFlag = 1, // -d
    kRatioFlag = 2, // -r
    kSizeFlag = 4, // -s
    kOffFlag = 8, // -off
};

extern unsigned int argFlags;
extern unsigned int applyL2CR; // the L2CR being composed by -r and -s
extern unsigned int pvr, hid0, hid1, temp, l2cr, def_l2cr;
extern size_t reqsize;

typedef int (*CommandLineParseProcPtr)(int argc, char** argv, int* skipargs);

struct CommandLineArgTable {
    const char* argv;
    CommandLineParseProcPtr argProc;
};

extern const CommandLineArgTable handle_arg_table[4];

// Option scanning: 0 when every argument was accepted, else the exit status.
int handle_args(int argc, char** argv);
int handle_display(int argc, char** argv, int* skipargs);
int handle_ratio(int argc, char** argv, int* skipargs);
int handle_size(int argc, char** argv, int* skipargs);
int handle_off(int argc, char** argv, int* skipargs);
void usage();

// Reads the six register nodes; 0 on success, else 1 after an error line.
int read_registers();

// The -d output: the registers, then the auto-detected settings block.
void display_registers();
void display_auto_detected();

// The line for a DefL2CR of "not tested", without tab or line end.
const char* untested_l2_message();

// Why a node could not be read or written, for the error line.
const char* node_failure_reason(int error);

// Writing L2CR; 0 on success (or nothing to write), 1 after an error line.
int apply_new_l2cr();
int disable_l2_cache();
