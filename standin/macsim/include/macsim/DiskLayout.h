// The startup disk of a simulated Macintosh: a folder tree that stands for
// "/" on the Mac. Mac paths map onto it by prefixing the disk folder.
#pragma once

#include <macsim/Error.h>

#include <string>

namespace macsim {

constexpr const char* startupItemsPath = "System/Library/StartupItems";
constexpr const char* extensionPath = "System/Library/Extensions/KorvendaleKEXT.kext";
constexpr const char* startupItemName = "Korvendale Startup";
// The System file: the resource file with the system's fonts.
constexpr const char* systemFilePath = "System/Library/CoreServices/System";

// Where the project's helper programs are installed: <folder of the running
// program>/../libexec/korvendale. The disk's sbin/kextload and the startup
// item link there.
std::string libexecDirectory();

// Where the project's data files are installed: <folder of the running
// program>/../share/korvendale, which holds the System file built with it.
std::string shareDirectory();

// Makes the Mac folder tree under `diskDir` (existing files are kept or
// refreshed): System/Library/StartupItems/Korvendale Startup/ with the item
// (a symlink to the built program, which may not exist yet) and its
// StartupParameters.plist, System/Library/Extensions/KorvendaleKEXT.kext,
// Library/, Applications/, Users/, sbin/kextload (a symlink to the loader)
// and the System file (a symlink to the one built with the programs).
Error buildDisk(const std::string& diskDir);

} // namespace macsim
