// A folder named by volume and directory ID, with the folder-level file
// operations, and the standard folders resolved at program start.
#pragma once

#include <Files.h>
#include <MacTypes.h>

class PFileDescriptor;

class PDirectoryDescriptor {
public:
    // The special value that names the program's own folder.
    static constexpr UInt32 kMyFolder = 0xDEADBEEF;

    // A standard folder by Folder Manager type (created if missing), or the
    // program's own folder for kMyFolder. Unresolved leaves the descriptor
    // not good; nothing is raised for it.
    explicit PDirectoryDescriptor(UInt32 special);
    // Copies are always good.
    PDirectoryDescriptor(const PDirectoryDescriptor& copy);
    PDirectoryDescriptor(SInt32 dirID, SInt16 vRefNum);
    PDirectoryDescriptor& operator=(const PDirectoryDescriptor&) = default;

    // A special folder resolved without raising: a failure leaves it not good.
    static PDirectoryDescriptor resolvedQuietly(UInt32 special);

    SInt32 getDirID() const { return dirID; }
    SInt16 getVRefNum() const { return vRefNum; }
    bool isGood() const { return descriptorGood; }

    PDirectoryDescriptor parent() const;
    Boolean folderExists(ConstStr255Param name) const;
    PDirectoryDescriptor findFolder(ConstStr255Param name) const;
    Boolean fileExists(ConstStr255Param name) const;
    Boolean fileExists(OSType creator, OSType type) const;
    PFileDescriptor findFile(ConstStr255Param name) const;
    PFileDescriptor findFile(OSType creator, OSType type) const;
    PFileDescriptor createFile(ConstStr255Param name, OSType creator, OSType type) const;
    void deleteFile(ConstStr255Param name) const;
    void deleteFile(OSType creator, OSType type) const;
    void copyFile(ConstStr255Param name, const PDirectoryDescriptor& dest) const;
    void copyFile(OSType creator, OSType type, const PDirectoryDescriptor& dest) const;
    void moveFile(ConstStr255Param name, const PDirectoryDescriptor& dest) const;
    void moveFile(OSType creator, OSType type, const PDirectoryDescriptor& dest) const;

private:
    struct Unresolved { };
    explicit PDirectoryDescriptor(Unresolved);
    void moveFrom(
        SInt16 fromVRefNum, SInt32 fromDirID, ConstStr255Param name, const PDirectoryDescriptor& dest) const;
    void copyFork(const FSSpec& source, const FSSpec& destination, bool resourceFork) const;

    SInt32 dirID;
    SInt16 vRefNum;
    Boolean descriptorGood;
};

// How many folders above the default directory myFolder lies: 0 in the
// startup item. The control application links files_app, which makes it 3.
int MyFolderLevelsAboveDefaultDirectory();

// The standard folders, built in this order before main.
extern PDirectoryDescriptor systemFolder;
extern PDirectoryDescriptor desktopFolder;
extern PDirectoryDescriptor trashFolder;
extern PDirectoryDescriptor printMonitorDocsFolder;
extern PDirectoryDescriptor startupFolder;
extern PDirectoryDescriptor shutdownFolder;
extern PDirectoryDescriptor appleMenuFolder;
extern PDirectoryDescriptor controlPanelsFolder;
extern PDirectoryDescriptor extensionsFolder;
extern PDirectoryDescriptor fontsFolder;
extern PDirectoryDescriptor preferencesFolder;
extern PDirectoryDescriptor temporaryFolder;
extern PDirectoryDescriptor myFolder;
