// The File Manager as the file library relies on it: specifications, Finder
// info in AppleDouble sidecars (checked byte for byte), hidden sidecars,
// result codes, forks.
#include "testkit/Files.h"
#include "testkit/PString.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <Files.h>
#include <Folders.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

// The sidecar of a file created with type 'pref' and creator 'G3TW' and no
// resource fork: header, two entries, 32 bytes of Finder info.
const Bytes kPrefSidecar = {
    0x00, 0x05, 0x16, 0x07, 0x00, 0x02, 0x00, 0x00, // AppleDouble, version 2
    'M', 'a', 'c', ' ', 'O', 'S', ' ', 'X', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', // filler
    0x00, 0x02, // two entries
    0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x20, // Finder info at 50, 32 bytes
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x52, 0x00, 0x00, 0x00, 0x00, // resource fork at 82, empty
    'p', 'r', 'e', 'f', 'G', '3', 'T', 'W', 0, 0, 0, 0, 0, 0, 0, 0, // type, creator, flags, location, folder
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // extended Finder info
};

class FileManager : public ::testing::Test {
protected:
    FSSpec specFor(const std::string& name, SInt32 dirID = fsRtDirID)
    {
        FSSpec spec {};
        const OSErr err = FSMakeFSSpec(0, dirID, pstr(name).c_str(), &spec);
        EXPECT_TRUE(err == noErr || err == fnfErr) << name << ": " << err;
        return spec;
    }
    SInt32 folderID(const std::string& path)
    {
        CInfoPBRec pb {};
        auto name = pstr(path);
        pb.hFileInfo.ioNamePtr = name.data();
        pb.hFileInfo.ioDirID = fsRtDirID;
        EXPECT_EQ(PBGetCatInfoSync(&pb), noErr) << path;
        return pb.dirInfo.ioDrDirID;
    }
    TempDisk disk;
};

TEST_F(FileManager, MakeFSSpecResultCodes)
{
    fs::create_directories(disk.disk() / "System/Library");
    const std::string tooLong(64, 'n');
    writeBytes(disk.disk() / "Notes", bytesOf("x"));
    struct Case {
        const char* name;
        OSErr expected;
        SInt32 parID;
        const char* specName;
    };
    const Case cases[] = {
        {"Notes", noErr, 2, "Notes"},
        {"notes", noErr, 2, "Notes"}, // case does not matter, the stored name is given back
        {"Missing", fnfErr, 2, "Missing"}, // filled in even so
        {":System:Library", noErr, 0, "Library"},
        {"Macintosh HD:System", noErr, 2, "System"},
        {":Gone:Notes", dirNFErr, 0, nullptr},
        {":Notes:x", dirNFErr, 0, nullptr}, // a file is no folder on the way
        {"._Notes", bdNamErr, 0, nullptr},
        {tooLong.c_str(), bdNamErr, 0, nullptr},
    };
    for (const Case& c : cases) {
        FSSpec spec {};
        EXPECT_EQ(FSMakeFSSpec(0, fsRtDirID, pstr(c.name).c_str(), &spec), c.expected) << c.name;
        if (c.specName) {
            EXPECT_EQ(spec.vRefNum, -1) << c.name;
            if (c.parID) {
                EXPECT_EQ(spec.parID, c.parID) << c.name;
            }
            EXPECT_EQ(text(spec.name), c.specName) << c.name;
        }
    }
}

TEST_F(FileManager, CreateWritesTheSidecarByteForByte)
{
    FSSpec spec = specFor("Tarnwick X Prefs");
    ASSERT_EQ(FSpCreate(&spec, 'G3TW', 'pref', 0), noErr);
    EXPECT_EQ(readBytes(disk.disk() / "Tarnwick X Prefs").size(), 0u);
    EXPECT_EQ(readBytes(disk.disk() / "._Tarnwick X Prefs"), kPrefSidecar);
    EXPECT_EQ(FSpCreate(&spec, 'G3TW', 'pref', 0), dupFNErr);

    FInfo info {};
    ASSERT_EQ(FSpGetFInfo(&spec, &info), noErr);
    EXPECT_EQ(info.fdCreator, FOUR_CHAR_CODE("G3TW"));
    EXPECT_EQ(info.fdType, FOUR_CHAR_CODE("pref"));
}

TEST_F(FileManager, PlainFilesHaveNoSidecarAndZeroFinderInfo)
{
    FSSpec spec = specFor("Plain");
    writeBytes(disk.disk() / "._Plain", bytesOf("stale")); // left over from an earlier file
    ASSERT_EQ(FSpCreate(&spec, 0, 0, 0), noErr);
    EXPECT_FALSE(fs::exists(disk.disk() / "._Plain"));
    FInfo info {};
    info.fdType = 1;
    ASSERT_EQ(FSpGetFInfo(&spec, &info), noErr);
    EXPECT_EQ(info.fdType, 0u);
    EXPECT_EQ(info.fdCreator, 0u);
    SInt16 ref = 0;
    ASSERT_EQ(FSpOpenRF(&spec, fsRdPerm, &ref), noErr);
    SInt32 eof = -1;
    EXPECT_EQ(GetEOF(ref, &eof), noErr);
    EXPECT_EQ(eof, 0);
    EXPECT_EQ(FSClose(ref), noErr);
    EXPECT_FALSE(fs::exists(disk.disk() / "._Plain")) << "reading a fork must not write one";
}

TEST_F(FileManager, ResourceForkLandsInTheSidecar)
{
    FSSpec spec = specFor("Forked");
    ASSERT_EQ(FSpCreate(&spec, 'G3TW', 'pref', 0), noErr);
    SInt16 ref = 0;
    ASSERT_EQ(FSpOpenRF(&spec, fsRdWrPerm, &ref), noErr);
    SInt32 count = 3;
    ASSERT_EQ(FSWrite(ref, &count, "abc"), noErr);
    ASSERT_EQ(FSClose(ref), noErr);

    Bytes expected = kPrefSidecar;
    expected[26 + 12 + 11] = 3; // the resource fork entry's length
    expected.insert(expected.end(), {'a', 'b', 'c'});
    EXPECT_EQ(readBytes(disk.disk() / "._Forked"), expected);
    EXPECT_EQ(readBytes(disk.disk() / "Forked").size(), 0u);
}

TEST_F(FileManager, SetFInfoKeepsWhatElseAForeignSidecarHolds)
{
    writeBytes(disk.disk() / "Foreign", {});
    // Entries in another order, a comment, and a Finder info entry that goes on
    // past its 32 bytes (where Mac OS X keeps extended attributes).
    Bytes sidecar = {0x00, 0x05, 0x16, 0x07, 0x00, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0x00, 0x03, //
        0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x24, // Finder info at 62, 36 bytes
        0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x62, 0x00, 0x00, 0x00, 0x02, // comment at 98
        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x01}; // resource fork at 100
    Bytes finder(36, 0);
    finder[32] = 'A';
    finder[35] = 'Z';
    sidecar.insert(sidecar.end(), finder.begin(), finder.end());
    sidecar.insert(sidecar.end(), {'h', 'i', 'R'});
    writeBytes(disk.disk() / "._Foreign", sidecar);

    FSSpec spec = specFor("Foreign");
    FInfo info {};
    info.fdType = 'TEXT';
    info.fdCreator = 'ttxt';
    ASSERT_EQ(FSpSetFInfo(&spec, &info), noErr);

    Bytes expected = sidecar;
    std::copy_n(
        Bytes {'M', 'a', 'c', ' ', 'O', 'S', ' ', 'X', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}.begin(), 16,
        expected.begin() + 8);
    std::copy_n(Bytes {'T', 'E', 'X', 'T', 't', 't', 'x', 't'}.begin(), 8, expected.begin() + 62);
    EXPECT_EQ(readBytes(disk.disk() / "._Foreign"), expected);
}

TEST_F(FileManager, DamagedSidecarIsAnErrorAndStaysAsItWas)
{
    writeBytes(disk.disk() / "Damaged", {});
    const Bytes damaged = {0x00, 0x05, 0x16, 0x07, 0x00, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x00, 0x01, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x26, 0x00, 0x00, 0x10, 0x00};
    writeBytes(disk.disk() / "._Damaged", damaged);
    FSSpec spec = specFor("Damaged");
    FInfo info {};
    EXPECT_EQ(FSpGetFInfo(&spec, &info), ioErr);
    EXPECT_EQ(FSpSetFInfo(&spec, &info), ioErr);
    EXPECT_EQ(readBytes(disk.disk() / "._Damaged"), damaged);
}

TEST_F(FileManager, IndexedListingHidesSidecars)
{
    fs::create_directories(disk.disk() / "Folder/Sub");
    writeBytes(disk.disk() / "Folder/beta", {});
    writeBytes(disk.disk() / "Folder/._beta", kPrefSidecar);
    writeBytes(disk.disk() / "Folder/Alpha", {});
    writeBytes(disk.disk() / "Folder/._orphan", kPrefSidecar);
    const SInt32 folder = folderID(":Folder");
    std::vector<std::string> names;
    std::vector<bool> folders;
    for (SInt16 index = 1;; ++index) {
        CInfoPBRec pb {};
        Str255 name;
        pb.hFileInfo.ioNamePtr = name;
        pb.hFileInfo.ioFDirIndex = index;
        pb.hFileInfo.ioDirID = folder;
        const OSErr err = PBGetCatInfoSync(&pb);
        if (err) {
            EXPECT_EQ(err, fnfErr);
            break;
        }
        names.push_back(text(name));
        folders.push_back(pb.hFileInfo.ioFlAttrib & kioFlAttribDirMask);
        if (names.back() == "beta") {
            EXPECT_EQ(pb.hFileInfo.ioFlFndrInfo.fdCreator, FOUR_CHAR_CODE("G3TW"));
        }
    }
    EXPECT_EQ(names, (std::vector<std::string> {"Alpha", "beta", "Sub"}));
    EXPECT_EQ(folders, (std::vector<bool> {false, false, true}));
}

TEST_F(FileManager, RenameMoveAndDeleteCarryTheSidecar)
{
    fs::create_directory(disk.disk() / "Dest");
    FSSpec spec = specFor("Notes");
    ASSERT_EQ(FSpCreate(&spec, 'G3TW', 'pref', 0), noErr);
    const SInt32 fileID = folderID(":Notes"); // a file's ID comes back in the same field

    ASSERT_EQ(FSpRename(&spec, pstr("Renamed").c_str()), noErr);
    EXPECT_FALSE(fs::exists(disk.disk() / "._Notes"));
    EXPECT_EQ(readBytes(disk.disk() / "._Renamed"), kPrefSidecar);

    writeBytes(disk.disk() / "Dest/Renamed", {});
    const SInt32 dest = folderID(":Dest");
    EXPECT_EQ(CatMove(0, fsRtDirID, pstr("Renamed").c_str(), dest, pstr(":").c_str()), dupFNErr);
    fs::remove(disk.disk() / "Dest/Renamed");
    ASSERT_EQ(CatMove(0, fsRtDirID, pstr("Renamed").c_str(), dest, pstr(":").c_str()), noErr);
    EXPECT_EQ(readBytes(disk.disk() / "Dest/._Renamed"), kPrefSidecar);
    EXPECT_FALSE(fs::exists(disk.disk() / "._Renamed"));

    CInfoPBRec pb {};
    auto moved = pstr(":Dest:Renamed");
    pb.hFileInfo.ioNamePtr = moved.data();
    pb.hFileInfo.ioDirID = fsRtDirID;
    ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
    EXPECT_EQ(pb.hFileInfo.ioDirID, fileID) << "an item keeps its ID when it moves";
    EXPECT_EQ(pb.hFileInfo.ioFlParID, dest);

    FSSpec movedSpec = specFor("Renamed", dest);
    ASSERT_EQ(FSpDelete(&movedSpec), noErr);
    EXPECT_FALSE(fs::exists(disk.disk() / "Dest/Renamed"));
    EXPECT_FALSE(fs::exists(disk.disk() / "Dest/._Renamed"));
    EXPECT_EQ(FSpDelete(&movedSpec), fnfErr);
}

TEST_F(FileManager, ExchangeSwapsContentsAndFinderInfo)
{
    writeBytes(disk.disk() / "Old", bytesOf("old"));
    FSSpec newSpec = specFor("New"), oldSpec = specFor("Old");
    ASSERT_EQ(FSpCreate(&newSpec, 'G3TW', 'pref', 0), noErr);
    writeBytes(disk.disk() / "New", bytesOf("new"));
    ASSERT_EQ(FSpExchangeFiles(&newSpec, &oldSpec), noErr);
    EXPECT_EQ(readBytes(disk.disk() / "Old"), bytesOf("new"));
    EXPECT_EQ(readBytes(disk.disk() / "._Old"), kPrefSidecar);
    EXPECT_EQ(readBytes(disk.disk() / "New"), bytesOf("old"));
    EXPECT_FALSE(fs::exists(disk.disk() / "._New"));
}

TEST_F(FileManager, DataForkReadsWritesAndPositions)
{
    writeBytes(disk.disk() / "Data", bytesOf("0123456789"));
    FSSpec spec = specFor("Data");
    SInt16 ref = 0;
    ASSERT_EQ(FSpOpenDF(&spec, fsRdWrPerm, &ref), noErr);
    char buffer[16] = {};
    SInt32 count = 4;
    EXPECT_EQ(FSRead(ref, &count, buffer), noErr);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    SInt32 position = 0;
    EXPECT_EQ(GetFPos(ref, &position), noErr);
    EXPECT_EQ(position, 4);
    count = 10;
    EXPECT_EQ(FSRead(ref, &count, buffer), eofErr);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_EQ(SetFPos(ref, fsFromStart, 12), eofErr);
    EXPECT_EQ(GetFPos(ref, &position), noErr);
    EXPECT_EQ(position, 10);
    EXPECT_EQ(SetFPos(ref, fsFromStart, -1), posErr);
    EXPECT_EQ(SetFPos(ref, fsFromLEOF, -2), noErr);
    count = 3;
    EXPECT_EQ(FSWrite(ref, &count, "abc"), noErr);
    SInt32 eof = 0;
    EXPECT_EQ(GetEOF(ref, &eof), noErr);
    EXPECT_EQ(eof, 11);
    EXPECT_EQ(SetEOF(ref, 5), noErr);
    EXPECT_EQ(FSClose(ref), noErr);
    EXPECT_EQ(readBytes(disk.disk() / "Data"), bytesOf("01234"));

    EXPECT_EQ(FSClose(ref), rfNumErr);
    EXPECT_EQ(FSRead(ref, &count, buffer), rfNumErr);

    ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &ref), noErr);
    count = 1;
    EXPECT_EQ(FSWrite(ref, &count, "z"), wrPermErr);
    FSSpec missing = specFor("Missing");
    SInt16 other = 0;
    EXPECT_EQ(FSpDelete(&spec), fBsyErr);
    EXPECT_EQ(FSpOpenDF(&missing, fsRdPerm, &other), fnfErr);
    EXPECT_EQ(FSClose(ref), noErr);
}

TEST_F(FileManager, TooManyOpenForks)
{
    writeBytes(disk.disk() / "Data", {});
    FSSpec spec = specFor("Data");
    std::vector<SInt16> refs;
    OSErr err = noErr;
    while (refs.size() < 1000) {
        SInt16 ref = 0;
        if ((err = FSpOpenRF(&spec, fsRdPerm, &ref)) != noErr)
            break;
        refs.push_back(ref);
    }
    EXPECT_EQ(err, tmfoErr);
    EXPECT_EQ(refs.size(), 256u);
    for (SInt16 ref : refs)
        FSClose(ref);
}

int createAsNobody(void* context)
{
    FSSpec spec = *static_cast<FSSpec*>(context);
    return FSpCreate(&spec, 'G3TW', 'pref', 0) == afpAccessDenied ? 0 : 1;
}

TEST_F(FileManager, DeniedCreateIsAfpAccessDenied)
{
    fs::create_directory(disk.disk() / "Locked");
    ::chmod((disk.disk() / "Locked").c_str(), 0555);
    FSSpec spec = specFor("Probe", folderID(":Locked"));
    EXPECT_EQ(runUnprivileged(createAsNobody, &spec), 0);
    EXPECT_FALSE(fs::exists(disk.disk() / "Locked/Probe"));
}

TEST_F(FileManager, FindFolderMapsAndCreates)
{
    SInt16 vRefNum = 0;
    SInt32 dirID = 0;
    EXPECT_EQ(FindFolder(kOnSystemDisk, kPreferencesFolderType, kDontCreateFolder, &vRefNum, &dirID), fnfErr);
    ASSERT_EQ(FindFolder(kOnSystemDisk, kPreferencesFolderType, kCreateFolder, &vRefNum, &dirID), noErr);
    EXPECT_TRUE(fs::is_directory(disk.disk() / "Library/Preferences"));
    EXPECT_EQ(vRefNum, -1);
    EXPECT_EQ(dirID, folderID(":Library:Preferences"));
    ASSERT_EQ(FindFolder(kOnSystemDisk, kSystemFolderType, kCreateFolder, &vRefNum, &dirID), noErr);
    EXPECT_TRUE(fs::is_directory(disk.disk() / "System"));
    EXPECT_EQ(
        FindFolder(kOnSystemDisk, kPrintMonitorDocsFolderType, kCreateFolder, &vRefNum, &dirID), fnfErr);
    EXPECT_EQ(FindFolder(kOnSystemDisk, 'zzzz', kCreateFolder, &vRefNum, &dirID), fnfErr);
    EXPECT_EQ(FindFolder(5, kSystemFolderType, kCreateFolder, &vRefNum, &dirID), nsvErr);
}

TEST_F(FileManager, RootAndTheDefaultDirectoryWhichIsTheProgramsFolder)
{
    SInt16 vRefNum = 0;
    SInt32 dirID = 0;
    Str255 volume;
    ASSERT_EQ(HGetVol(volume, &vRefNum, &dirID), noErr);
    EXPECT_EQ(text(volume), "Macintosh HD");
    for (SInt32 folder : {SInt32(fsRtDirID), dirID}) {
        CInfoPBRec pb {};
        Str255 name;
        pb.dirInfo.ioNamePtr = name;
        pb.dirInfo.ioFDirIndex = -1;
        pb.dirInfo.ioDrDirID = folder;
        ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
        EXPECT_EQ(pb.dirInfo.ioDrDirID, folder);
        EXPECT_TRUE(pb.dirInfo.ioFlAttrib & kioFlAttribDirMask);
        if (folder == fsRtDirID) {
            EXPECT_EQ(text(name), "Macintosh HD");
            EXPECT_EQ(pb.dirInfo.ioDrParID, 1);
        } else {
            EXPECT_EQ(text(name), fs::canonical("/proc/self/exe").parent_path().filename().string());
        }
    }
}

} // namespace
