// The standard folders, resolved in this order before main. None of them
// raises: a folder the platform cannot supply is left not good, and so is
// myFolder when the walk up from the program's folder fails.
#include <files/PDirectoryDescriptor.h>

#include <Folders.h>

PDirectoryDescriptor systemFolder(kSystemFolderType);
PDirectoryDescriptor desktopFolder(kDesktopFolderType);
PDirectoryDescriptor trashFolder(kTrashFolderType);
PDirectoryDescriptor printMonitorDocsFolder(kPrintMonitorDocsFolderType);
PDirectoryDescriptor startupFolder(kStartupFolderType);
PDirectoryDescriptor shutdownFolder(kShutdownFolderType);
PDirectoryDescriptor appleMenuFolder(kAppleMenuFolderType);
PDirectoryDescriptor controlPanelsFolder(kControlPanelFolderType);
PDirectoryDescriptor extensionsFolder(kExtensionFolderType);
PDirectoryDescriptor fontsFolder(kFontsFolderType);
PDirectoryDescriptor preferencesFolder(kPreferencesFolderType);
PDirectoryDescriptor temporaryFolder(kTemporaryFolderType);
PDirectoryDescriptor myFolder = PDirectoryDescriptor::resolvedQuietly(PDirectoryDescriptor::kMyFolder);
