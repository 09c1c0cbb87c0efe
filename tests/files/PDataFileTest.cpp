// Data files, resource files and the volume device through the library.
#include "testkit/Files.h"
#include "testkit/PString.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <files/PFiles.h>
#include <support/ThrowError.h>

#include <Files.h>
#include <Resources.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

void expectRaised(const std::function<void()>& body, SInt32 number, const std::string& description)
{
    try {
        body();
        ADD_FAILURE() << "nothing raised; expected " << description;
    } catch (const ThrowError& e) {
        EXPECT_EQ(text(e.description), description);
        EXPECT_EQ(static_cast<SInt32>(e.errorNum), number);
        EXPECT_EQ(text(e.fileName), "PFiles");
    }
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
    try {
        PResourceFile resources = descriptor.openResFork();
        ADD_FAILURE() << "opened a missing fork";
    } catch (const ThrowError& e) {
        EXPECT_EQ(text(e.description), "Assertion failed: fRefNum != -1");
        EXPECT_EQ(static_cast<SInt32>(e.errorNum), -1);
    }
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
