// The file library at the level its callers see: results, messages and
// codes of the folder and file operations, what they leave on disk, and data
// files, resource files and the volume device through it.
#include "testkit/Files.h"
#include "testkit/PString.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <files/PFiles.h>
#include <support/ThrowError.h>

#include <Files.h>
#include <Folders.h>
#include <Resources.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

struct Raised {
    SInt32 number;
    std::string description;
    std::string fileName;
};

Raised raised(const std::function<void()>& body)
{
    try {
        body();
    } catch (const ThrowError& e) {
        EXPECT_EQ(e.justAMessage, 0);
        return {static_cast<SInt32>(e.errorNum), text(e.description), text(e.fileName)};
    }
    return {0, "nothing raised", ""};
}

void expectRaised(const std::function<void()>& body, SInt32 number, const std::string& description)
{
    const Raised r = raised(body);
    EXPECT_EQ(r.description, description);
    EXPECT_EQ(r.number, number);
    if (r.fileName != "") {
        EXPECT_EQ(r.fileName, "PFiles");
    }
}

class FileLibrary : public ::testing::Test {
protected:
    PDirectoryDescriptor root() { return PDirectoryDescriptor(fsRtDirID, -1); }
    PDirectoryDescriptor folder(const std::string& name)
    {
        fs::create_directories(disk.disk() / name);
        return root().findFolder(pstr(name).c_str());
    }
    void makeFile(const fs::path& path, const std::string& data, OSType creator = 0, OSType type = 0,
        const std::string& rsrc = {})
    {
        writeBytes(path, bytesOf(data));
        if (!creator && !type && rsrc.empty())
            return;
        FSSpec spec {};
        const fs::path relative = path.lexically_relative(disk.disk());
        std::string macPath;
        for (const auto& part : relative)
            macPath += ":" + part.string();
        ASSERT_EQ(FSMakeFSSpec(0, fsRtDirID, pstr(macPath).c_str(), &spec), noErr);
        FInfo info {};
        info.fdCreator = creator;
        info.fdType = type;
        ASSERT_EQ(FSpSetFInfo(&spec, &info), noErr);
        SInt16 ref = 0;
        ASSERT_EQ(FSpOpenRF(&spec, fsWrPerm, &ref), noErr);
        SInt32 count = SInt32(rsrc.size());
        ASSERT_EQ(FSWrite(ref, &count, rsrc.data()), noErr);
        ASSERT_EQ(FSClose(ref), noErr);
    }
    TempDisk disk;
};

TEST_F(FileLibrary, MoveFileRenamesOnAClash)
{
    PDirectoryDescriptor source = folder("Source"), dest = folder("Dest");
    makeFile(disk.disk() / "Source/Notes", "mine", 'ttxt', 'TEXT');
    makeFile(disk.disk() / "Dest/Notes", "theirs");
    makeFile(disk.disk() / "Dest/Notet", "other");
    source.moveFile(pstr("Notes").c_str(), dest);
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Noteu"), bytesOf("mine"));
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Notes"), bytesOf("theirs"));
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Notet"), bytesOf("other"));
    EXPECT_TRUE(fs::exists(disk.disk() / "Dest/._Noteu"));
    EXPECT_TRUE(fs::is_empty(disk.disk() / "Source"));

    makeFile(disk.disk() / "Source/Memo", "by type", 'G3TW', 'pref');
    makeFile(disk.disk() / "Dest/Memo", "clash");
    source.moveFile('G3TW', 'pref', dest);
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Memp"), bytesOf("by type"));
}

TEST_F(FileLibrary, MoveFileOfAMissingFile)
{
    PDirectoryDescriptor source = folder("Source"), dest = folder("Dest");
    expectRaised([&] { source.moveFile(pstr("Nothing").c_str(), dest); }, fnfErr, "Error moving file!");
}

TEST_F(FileLibrary, CopyFileCopiesBothForksAndFinderInfo)
{
    PDirectoryDescriptor source = folder("Source"), dest = folder("Dest");
    makeFile(disk.disk() / "Source/Doc", "data fork", 'G3TW', 'pref', "resource fork");
    source.copyFile(pstr("Doc").c_str(), dest);
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Doc"), bytesOf("data fork"));
    EXPECT_EQ(readBytes(disk.disk() / "Dest/._Doc"), readBytes(disk.disk() / "Source/._Doc"));
    EXPECT_EQ(readBytes(disk.disk() / "Source/Doc"), bytesOf("data fork"));

    makeFile(disk.disk() / "Source/Empty", "");
    source.copyFile(pstr("Empty").c_str(), dest);
    EXPECT_TRUE(fs::exists(disk.disk() / "Dest/Empty"));
    EXPECT_FALSE(fs::exists(disk.disk() / "Dest/._Empty"));
}

TEST_F(FileLibrary, CopyFileOntoAnExistingFileChangesNothing)
{
    PDirectoryDescriptor source = folder("Source"), dest = folder("Dest");
    makeFile(disk.disk() / "Source/Doc", "new", 'G3TW', 'pref');
    makeFile(disk.disk() / "Dest/Doc", "old", 'ttxt', 'TEXT');
    const Bytes sidecar = readBytes(disk.disk() / "Dest/._Doc");
    expectRaised([&] { source.copyFile(pstr("Doc").c_str(), dest); }, dupFNErr, "Error creating file!");
    EXPECT_EQ(readBytes(disk.disk() / "Dest/Doc"), bytesOf("old"));
    EXPECT_EQ(readBytes(disk.disk() / "Dest/._Doc"), sidecar);
}

TEST_F(FileLibrary, CopyFileStopsAtTheFirstFailure)
{
    PDirectoryDescriptor source = folder("Source"), dest = folder("Dest");
    makeFile(disk.disk() / "Source/Doc", "data");
    writeBytes(disk.disk() / "Source/._Doc", bytesOf("not AppleDouble at all"));
    expectRaised([&] { source.copyFile(pstr("Doc").c_str(), dest); }, ioErr,
        "Error getting creator/type info for source file!");
    EXPECT_FALSE(fs::exists(disk.disk() / "Dest/Doc"));
    expectRaised([&] { source.copyFile(pstr("None").c_str(), dest); }, fnfErr, "Error making source FSSpec!");
    expectRaised([&] { source.copyFile(pstr("Doc").c_str(), PDirectoryDescriptor(9999, -1)); }, dirNFErr,
        "Error making destination FSSpec!");
}

struct CopyContext {
    PDirectoryDescriptor source, dest;
};

int copyIntoUnwritableFile(void* context)
{
    auto* c = static_cast<CopyContext*>(context);
    ::umask(0277); // the destination is created without write permission
    try {
        c->source.copyFile(PSTR("Doc"), c->dest);
        return 1;
    } catch (const ThrowError& e) {
        if (text(e.description) != "Failed to open destination data fork!"
            || SInt32(e.errorNum) != afpAccessDenied)
            return 2;
    }
    // The source's fork was open when the copy stopped; it must be closed now.
    FSSpec spec {};
    FSMakeFSSpec(-1, c->source.getDirID(), PSTR("Doc"), &spec);
    return FSpDelete(&spec) == noErr ? 0 : 3;
}

TEST_F(FileLibrary, CopyFileFailureReleasesTheOpenForks)
{
    CopyContext context {folder("Source"), folder("Dest")};
    makeFile(disk.disk() / "Source/Doc", "data", 'G3TW', 'pref');
    ::chmod((disk.disk() / "Source").c_str(), 0777);
    ::chmod((disk.disk() / "Dest").c_str(), 0777);
    EXPECT_EQ(runUnprivileged(copyIntoUnwritableFile, &context), 0);
}

int moveIntoUnwritableFolder(void* context)
{
    auto* c = static_cast<CopyContext*>(context);
    try {
        c->source.moveFile(PSTR("Notes"), c->dest);
        return 1;
    } catch (const ThrowError& e) {
        return text(e.description) == "Error moving file!" && SInt32(e.errorNum) == afpAccessDenied ? 0 : 2;
    }
}

TEST_F(FileLibrary, MoveFileKeepsTheNewNameWhenTheMoveFails)
{
    CopyContext context {folder("Source"), folder("Dest")};
    makeFile(disk.disk() / "Source/Notes", "mine");
    makeFile(disk.disk() / "Dest/Notes", "theirs");
    ::chmod((disk.disk() / "Source").c_str(), 0777);
    ::chmod((disk.disk() / "Dest").c_str(), 0555);
    EXPECT_EQ(runUnprivileged(moveIntoUnwritableFolder, &context), 0);
    EXPECT_EQ(readBytes(disk.disk() / "Source/Notet"), bytesOf("mine"));
    EXPECT_FALSE(fs::exists(disk.disk() / "Source/Notes"));
}

TEST_F(FileLibrary, ExistenceAndFolders)
{
    PDirectoryDescriptor top = root();
    makeFile(disk.disk() / "File", "x");
    folder("Folder");
    EXPECT_TRUE(top.fileExists(pstr("File").c_str()));
    EXPECT_TRUE(top.fileExists(pstr("Folder").c_str())); // a folder counts as well
    EXPECT_FALSE(top.fileExists(pstr("None").c_str()));
    EXPECT_TRUE(top.folderExists(pstr("Folder").c_str()));
    EXPECT_TRUE(top.folderExists(pstr("File").c_str())); // and a file counts as a folder
    EXPECT_FALSE(top.folderExists(pstr("None").c_str()));

    // findFolder of a file gives a descriptor carrying the file's ID.
    const PDirectoryDescriptor odd = top.findFolder(pstr("File").c_str());
    CInfoPBRec pb {};
    auto name = pstr("File");
    pb.hFileInfo.ioNamePtr = name.data();
    pb.hFileInfo.ioDirID = fsRtDirID;
    ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
    EXPECT_EQ(odd.getDirID(), pb.hFileInfo.ioDirID);

    expectRaised([&] { top.findFolder(pstr("None").c_str()); }, fnfErr,
        "PBGetCatInfoSync() failed in PDirectoryDescriptor::subDirectory()!");
    const PDirectoryDescriptor sub = top.findFolder(pstr("Folder").c_str());
    EXPECT_EQ(sub.parent().getDirID(), fsRtDirID);
    EXPECT_EQ(top.parent().getDirID(), fsRtParID);
    expectRaised([&] { top.parent().parent(); }, dirNFErr,
        "PBGetCatInfoSync() in PDirectoryDescriptor::parent() failed!");
}

TEST_F(FileLibrary, FindFileByNameAndByType)
{
    PDirectoryDescriptor top = folder("Here");
    fs::create_directory(disk.disk() / "Here/AFolder"); // zero Finder info, like a file with none
    makeFile(disk.disk() / "Here/b", "");
    makeFile(disk.disk() / "Here/c", "", 'G3TW', 'pref');
    makeFile(disk.disk() / "Here/d", "", 'G3TW', 'pref');

    expectRaised([&] { top.findFile(pstr("Missing").c_str()); }, fnfErr,
        "Failed to create FSSpec in PFileDescriptor::PFileDescriptor!");
    EXPECT_EQ(text(top.findFile(pstr("b").c_str()).name()), "b");
    EXPECT_EQ(text(top.findFile('G3TW', 'pref').name()), "c"); // the first in index order
    EXPECT_EQ(text(top.findFile(0, 0).name()), "b"); // the folder is passed over
    EXPECT_TRUE(top.fileExists('G3TW', 'pref'));
    EXPECT_FALSE(top.fileExists('G3TW', 'TEXT'));
    expectRaised([&] { top.findFile('G3TW', 'TEXT'); }, fnfErr,
        "PBGetCatInfoSync in PDirectoryDescriptor::findFile(OSType,OSType) failed!");

    fs::remove(disk.disk() / "Here/b");
    EXPECT_FALSE(top.fileExists(0, 0)) << "folders never match";
}

TEST_F(FileLibrary, CreateAndDelete)
{
    PDirectoryDescriptor top = root();
    const PFileDescriptor file = top.createFile(pstr("New").c_str(), 'G3TW', 'pref');
    EXPECT_EQ(text(file.name()), "New");
    EXPECT_EQ(file.getSpec().parID, fsRtDirID);
    EXPECT_TRUE(fs::exists(disk.disk() / "._New"));
    expectRaised(
        [&] { top.createFile(pstr("New").c_str(), 'G3TW', 'pref'); }, dupFNErr, "Error creating file!");
    expectRaised(
        [&] { top.createFile(pstr(":Gone:New").c_str(), 'G3TW', 'pref'); }, dirNFErr, "Error creating file!");
    top.deleteFile(pstr("New").c_str());
    EXPECT_FALSE(fs::exists(disk.disk() / "New"));
    EXPECT_FALSE(fs::exists(disk.disk() / "._New"));
    expectRaised([&] { top.deleteFile(pstr("New").c_str()); }, fnfErr, "Error making FSSpec!");

    folder("Full");
    makeFile(disk.disk() / "Full/inside", "");
    expectRaised([&] { top.deleteFile(pstr("Full").c_str()); }, fBsyErr, "Error deleting file!");

    makeFile(disk.disk() / "Typed", "", 'G3TW', 'pref');
    top.deleteFile('G3TW', 'pref');
    EXPECT_FALSE(fs::exists(disk.disk() / "Typed"));
}

int createThroughLibrary(void* context)
{
    const auto* dir = static_cast<const PDirectoryDescriptor*>(context);
    try {
        dir->createFile(PSTR("AuthorizationTest"), 0, 0);
    } catch (const ThrowError& e) {
        return static_cast<SInt32>(e.errorNum) == afpAccessDenied
                && text(e.description) == "Error creating file!"
            ? 0
            : 1;
    }
    return 2;
}

TEST_F(FileLibrary, CreateWithoutWriteAccessRaisesAccessDenied)
{
    const PDirectoryDescriptor locked = folder("Locked");
    ::chmod((disk.disk() / "Locked").c_str(), 0555);
    EXPECT_EQ(runUnprivileged(createThroughLibrary, const_cast<PDirectoryDescriptor*>(&locked)), 0);
}

TEST_F(FileLibrary, UnresolvedDescriptorsAssert)
{
    const PDirectoryDescriptor missing(kPrintMonitorDocsFolderType);
    EXPECT_FALSE(missing.isGood());
    const char* assertion = "Assertion failed: descriptorGood == true";
    expectRaised([&] { missing.fileExists(PSTR("x")); }, -1, assertion);
    expectRaised([&] { missing.parent(); }, -1, assertion);
    expectRaised([&] { missing.createFile(PSTR("x"), 0, 0); }, -1, assertion);
    expectRaised([&] { missing.deleteFile('G3TW', 'pref'); }, -1, assertion);
    expectRaised([&] { missing.copyFile('G3TW', 'pref', missing); }, -1, assertion);
    const PDirectoryDescriptor copy(missing);
    EXPECT_TRUE(copy.isGood());
}

TEST_F(FileLibrary, SpecialFoldersOfTheDisk)
{
    const PDirectoryDescriptor system(kSystemFolderType);
    ASSERT_TRUE(system.isGood());
    EXPECT_TRUE(fs::is_directory(disk.disk() / "System"));
    EXPECT_EQ(system.parent().getDirID(), fsRtDirID);

    SInt16 vRefNum = 0;
    SInt32 dirID = 0;
    ASSERT_EQ(HGetVol(nullptr, &vRefNum, &dirID), noErr);
    const PDirectoryDescriptor mine(PDirectoryDescriptor::kMyFolder);
    EXPECT_TRUE(mine.isGood());
    EXPECT_EQ(mine.getDirID(), dirID); // the startup item's meaning: its own folder
}

class DataFiles : public ::testing::Test {
protected:
    PFileDescriptor file(const std::string& name, const std::string& contents)
    {
        writeBytes(disk.disk() / name, bytesOf(contents));
        return PFileDescriptor(PDirectoryDescriptor(fsRtDirID, -1), pstr(name).c_str());
    }
    TempDisk disk;
};

TEST_F(DataFiles, ReadWriteAndPositions)
{
    PDataFile data = file("Record", "").openDataFork(fsRdWrPerm);
    data.write("0123456789", 10);
    EXPECT_EQ(data.getPos(), 10u);
    EXPECT_EQ(data.getEOF(), 10u);
    data.setPos(2);
    char buffer[8] = {};
    data.read(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "234");
    data.read(buffer, 0);
    EXPECT_EQ(data.getPos(), 5u);
    data.write(nullptr, 0);
    data.flushFile();
    EXPECT_EQ(data.allocContig(4096), noErr);
    EXPECT_EQ(data.alloc(4096), noErr);
    EXPECT_EQ(data.getEOF(), 10u) << "allocation does not lengthen the fork";
    EXPECT_EQ(readBytes(disk.disk() / "Record"), bytesOf("0123456789"));
}

TEST_F(DataFiles, ReadingPastTheEndIsAReadFailure)
{
    PDataFile data = file("Short", "abc").openDataFork(fsRdPerm);
    char buffer[8];
    expectRaised([&] { data.read(buffer, 4); }, eofErr, "Failed to read from file!");
    expectRaised([&] { data.setPos(9); }, eofErr, "Failed to SetFPos on file!");
    expectRaised([&] { data.write("x", 1); }, wrPermErr, "Failed to write to file!");
}

TEST_F(DataFiles, OpensAtFirstUseNotAtConstruction)
{
    PFileDescriptor descriptor = file("Vanishing", "abc");
    PDataFile data = descriptor.openDataFork(fsRdPerm); // nothing happens yet
    fs::remove(disk.disk() / "Vanishing");
    char buffer[4];
    expectRaised([&] { data.read(buffer, 1); }, fnfErr, "Failed to open file!");
    expectRaised([&] { data.getEOF(); }, fnfErr, "Failed to open file!");
}

TEST_F(DataFiles, CopiesOpenAndCloseTheirOwnReferences)
{
    PFileDescriptor descriptor = file("Shared", "abcdef");
    FSSpec spec = descriptor.getSpec();
    {
        PDataFile first = descriptor.openDataFork(fsRdPerm);
        char a[2], b[2];
        first.read(a, 2);
        {
            PDataFile second(first);
            second.read(b, 2); // its own reference, from the start
            EXPECT_EQ(std::string(b, 2), "ab");
        }
        EXPECT_EQ(FSpDelete(&spec), fBsyErr) << "the first copy still has it open";
        first.read(a, 2);
        EXPECT_EQ(std::string(a, 2), "cd");
    }
    EXPECT_EQ(FSpDelete(&spec), noErr);
}

TEST_F(DataFiles, ReadsLargerThanOnePieceArriveWhole)
{
    // A sparse file one byte longer than the largest single read.
    const fs::path path = disk.disk() / "Large";
    writeBytes(path, {});
    fs::resize_file(path, PDataFile::MAX_READ + 1);
    {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, "AZ", 2, PDataFile::MAX_READ - 1), 2);
        ::close(fd);
    }
    PDataFile data
        = PFileDescriptor(PDirectoryDescriptor(fsRtDirID, -1), PSTR("Large")).openDataFork(fsRdPerm);
    std::vector<char> buffer(size_t(PDataFile::MAX_READ) + 1, 'x');
    data.read(buffer.data(), UInt32(buffer.size()));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[size_t(PDataFile::MAX_READ) - 1], 'A');
    EXPECT_EQ(buffer[size_t(PDataFile::MAX_READ)], 'Z');
    EXPECT_EQ(data.getPos(), UInt32(PDataFile::MAX_READ) + 1);
}

TEST_F(DataFiles, ResourceFileCopiesShareOneOpenFork)
{
    PFileDescriptor descriptor = file("Resources", "");
    FSpCreateResFile(&descriptor.getSpec(), 'G3TW', 'rsrc', 0);
    ASSERT_EQ(ResError(), noErr);
    const SInt16 before = CurResFile();
    {
        PResourceFile first = descriptor.openResFork();
        EXPECT_EQ(CurResFile(), before) << "opening must not change the current file";
        Handle h = NewHandle(2);
        (*h)[0] = 'o';
        (*h)[1] = 'k';
        first.addResource(h, 'TEST', 128, PSTR("added"));
        EXPECT_EQ(first.getResource('TEST', 128), h);
        EXPECT_EQ(first.getResource('TEST', 129), nullptr);
        EXPECT_EQ(CurResFile(), before);
        {
            PResourceFile second(first);
            EXPECT_EQ(second.refNum(), first.refNum());
        }
        UseResFile(first.refNum());
        EXPECT_EQ(ResError(), noErr) << "destroying one copy leaves the fork open";
        UseResFile(before);
    }
    UseResFile(0);
    const SInt16 reopened = FSpOpenResFile(&descriptor.getSpec(), fsRdPerm);
    ASSERT_NE(reopened, -1) << ResError();
    Handle h = Get1Resource('TEST', 128);
    ASSERT_NE(h, nullptr) << "the last copy wrote the added resource when it closed";
    EXPECT_EQ(std::string(*h, 2), "ok");
    CloseResFile(reopened);
}

TEST_F(DataFiles, ResourceFileOfAFileWithoutAForkAsserts)
{
    PFileDescriptor descriptor = file("NoFork", "");
    expectRaised(
        [&] { PResourceFile resources = descriptor.openResFork(); }, -1, "Assertion failed: fRefNum != -1");
}

TEST_F(DataFiles, VolumeDeviceReadsSectorsOfTheDiskImage)
{
    Bytes image(4 * 512);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 + i / 512);
    writeBytes(disk.machine() / "disk.img", image);
    PMacOSHFSVolumeDevice device(PDirectoryDescriptor(fsRtDirID, -1));
    EXPECT_EQ(device.getDrvrRefNum(), 0xFFDF); // -33, kept bit for bit
    EXPECT_EQ(device.getDrvNum(), 8);

    Bytes sector(512);
    EXPECT_TRUE(device.readSectors(0, sector.data(), 1));
    EXPECT_EQ(sector, Bytes(image.begin(), image.begin() + 512));
    Bytes two(1024);
    EXPECT_TRUE(device.readSectors(2, two.data(), 2));
    EXPECT_EQ(two, Bytes(image.begin() + 1024, image.end()));

    expectRaised([&] { device.readSectors(3, two.data(), 2); }, eofErr, "Failed to read from device volume!");
    // Sector 8388608 starts at 4 GiB: in 32 bits it would read sector 0.
    expectRaised([&] { device.readSectors(8388608, sector.data(), 1); }, paramErr,
        "Failed to read from device volume!");
    device.flushVol();
}

} // namespace
