// Folders.h: the Folder Manager's FindFolder.
//
// Every volume selector that names the startup disk (kOnSystemDisk and the
// other domains, 0, or its vRefNum -1) gives the simulated Macintosh's disk;
// the domains are not told apart. Folder types map to folders of that disk
// as Mac OS X lays it out, with Users/Shared standing for the user's home:
//
//   'macs' System                     'extn' System/Library/Extensions
//   'desk' Users/Shared/Desktop       'kext' System/Library/Extensions
//   'trsh' Users/Shared/.Trash        'font' Library/Fonts
//   'strt' Library/StartupItems       'pref' Library/Preferences
//   'temp' private/tmp                'asup' Library/Application Support
//   'dlib' Library                    'apps' Applications
//   'docs' Users/Shared/Documents     'cusr' Users/Shared
//   'sprf' Library/PreferencePanes
//
// The folders of the Classic System Folder that Mac OS X does not have
// ('prnt' PrintMonitor Documents, 'shdf' Shutdown Items, 'amnu' Apple Menu
// Items, 'ctrl' Control Panels) and unknown types give fnfErr. A missing
// folder is created (with any missing folders above it) when createFolder is
// true, and gives fnfErr otherwise; a creation the host refuses gives its
// File Manager code (Files.h), e.g. -5000.
#pragma once

#include <MacTypes.h>

enum : SInt16 {
    kOnSystemDisk = -32768,
    kOnAppropriateDisk = -32767,
    kSystemDomain = -32766,
    kLocalDomain = -32765,
    kNetworkDomain = -32764,
    kUserDomain = -32763,
    kClassicDomain = -32762,
};

enum : Boolean {
    kDontCreateFolder = 0,
    kCreateFolder = 1,
};

enum : OSType {
    kSystemFolderType = 'macs',
    kDesktopFolderType = 'desk',
    kTrashFolderType = 'trsh',
    kPrintMonitorDocsFolderType = 'prnt',
    kStartupFolderType = 'strt',
    kShutdownFolderType = 'shdf',
    kAppleMenuFolderType = 'amnu',
    kControlPanelFolderType = 'ctrl',
    kExtensionFolderType = 'extn',
    kFontsFolderType = 'font',
    kPreferencesFolderType = 'pref',
    kSystemPreferencesFolderType = 'sprf',
    kTemporaryFolderType = 'temp',
    kApplicationSupportFolderType = 'asup',
    kApplicationsFolderType = 'apps',
    kDocumentsFolderType = 'docs',
    kDomainLibraryFolderType = 'dlib',
    kKernelExtensionsFolderType = 'kext',
    kCurrentUserFolderType = 'cusr',
};

OSErr FindFolder(
    SInt16 vRefNum, OSType folderType, Boolean createFolder, SInt16* foundVRefNum, SInt32* foundDirID);
