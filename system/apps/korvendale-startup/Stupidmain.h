// The boot-time sequence of Korvendale Startup.
#pragma once

// Reads the preferences, loads the kernel extension and applies the saved
// cache and HID0 settings, unless the boot arguments say korvendale.skip or
// the last apply never finished (ApplyGuard.h). The arguments are ignored.
// Returns the exit status: 0, or 1 when the preferences could not be read,
// the last apply never finished or its file could not be written (the
// extension is loaded all the same, and no register is touched), or that
// file could not be removed after the apply.
int stupidmain(int argc, char** argv);

// Runs a fixed command line of space-separated words and waits for it; its
// outcome is dropped.
void stupidsystem(char* str);

// On Linux, says on standard error whether the settings go to the korvendale
// module or nowhere (the module could not be loaded); elsewhere says nothing.
void LogWhereSettingsGo();
