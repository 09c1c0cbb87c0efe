// The Resource Manager over real resource files: what it writes, byte for
// byte, what it reads back, the chain of open files, and files it refuses.
#include "testkit/Files.h"
#include "testkit/PString.h"
#include "testkit/ScopedMachine.h"

#include <Files.h>
#include <MacMemory.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

// The empty resource file: header, 240 reserved bytes, a 30-byte map.
Bytes emptyResourceFile()
{
    Bytes b(256, 0);
    const Bytes header = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 30};
    std::copy(header.begin(), header.end(), b.begin());
    b.insert(b.end(), header.begin(), header.end()); // the map's copy of the header
    b.insert(b.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 28, 0, 30, 0xFF, 0xFF});
    return b;
}

// Two 'TEST' resources (128 "ab" named "Hi", 129 empty, unnamed) and one
// 'STR ' (-5 "xyz" named "S"), as the Resource Manager lays them out.
Bytes threeResourceFile()
{
    Bytes b(256, 0);
    const Bytes header = {0, 0, 1, 0, 0, 0, 0x01, 0x11, 0, 0, 0, 0x11, 0, 0, 0, 0x57};
    std::copy(header.begin(), header.end(), b.begin());
    b.insert(b.end(), {0, 0, 0, 2, 'a', 'b', 0, 0, 0, 0, 0, 0, 0, 3, 'x', 'y', 'z'}); // data area: 17 bytes
    b.insert(b.end(), header.begin(), header.end());
    b.insert(b.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 28, 0, 0x52}); // attributes 0, type list 28, names 82
    b.insert(b.end(), {0, 1}); // two types
    b.insert(b.end(), {'T', 'E', 'S', 'T', 0, 1, 0, 18}); // two, list at 18 from the type list
    b.insert(b.end(), {'S', 'T', 'R', ' ', 0, 0, 0, 42}); // one, list at 42
    b.insert(b.end(), {0, 128, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // 128, name 0, data 0
    b.insert(b.end(), {0, 129, 0xFF, 0xFF, 0, 0, 0, 6, 0, 0, 0, 0}); // 129, unnamed, data 6
    b.insert(b.end(), {0xFF, 0xFB, 0, 3, 0, 0, 0, 10, 0, 0, 0, 0}); // -5, name 3, data 10
    b.insert(b.end(), {2, 'H', 'i', 1, 'S'});
    return b;
}

Handle handleOf(const std::string& s)
{
    Handle h = NewHandle(Size(s.size()));
    std::copy(s.begin(), s.end(), *h);
    return h;
}

void addThreeResources()
{
    AddResource(handleOf("ab"), 'TEST', 128, pstr("Hi").c_str());
    ASSERT_EQ(ResError(), noErr);
    AddResource(handleOf(""), 'TEST', 129, nullptr);
    AddResource(handleOf("xyz"), 'STR ', -5, pstr("S").c_str());
    ASSERT_EQ(ResError(), noErr);
}

class ResourceFiles : public ::testing::Test {
protected:
    FSSpec spec(const std::string& name)
    {
        FSSpec s {};
        FSMakeFSSpec(0, fsRtDirID, pstr(name).c_str(), &s);
        return s;
    }
    Bytes forkOf(const std::string& name)
    {
        const Bytes sidecar = readBytes(disk.disk() / ("._" + name));
        return sidecar.size() < 82 ? Bytes {} : Bytes(sidecar.begin() + 82, sidecar.end());
    }
    TempDisk disk;
};

TEST_F(ResourceFiles, ForkIsCreatedEmptyAndAddedResourcesAreWrittenAtCloseByteForByte)
{
    FSSpec s = spec("Three");
    FSpCreateResFile(&s, 'G3TW', 'rsrc', 0);
    ASSERT_EQ(ResError(), noErr);
    EXPECT_EQ(forkOf("Three"), emptyResourceFile());
    FSpCreateResFile(&s, 'G3TW', 'rsrc', 0);
    EXPECT_EQ(ResError(), dupFNErr);
    const SInt16 ref = FSpOpenResFile(&s, fsRdWrPerm);
    ASSERT_NE(ref, -1) << ResError();
    EXPECT_EQ(CurResFile(), ref);
    addThreeResources();
    CloseResFile(ref);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(forkOf("Three"), threeResourceFile());
}

TEST_F(ResourceFiles, WrittenFileReadsBack)
{
    const fs::path path = disk.disk() / "Plain.rsrc";
    ASSERT_EQ(toolbox::createResourceFileAtPath(path), noErr);
    EXPECT_EQ(readBytes(path), emptyResourceFile());
    SInt16 ref = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdWrPerm, &ref), noErr);
    addThreeResources();
    CloseResFile(ref);
    ASSERT_EQ(ResError(), noErr);
    EXPECT_EQ(readBytes(path), threeResourceFile());

    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdPerm, &ref), noErr);
    EXPECT_EQ(Count1Types(), 2);
    EXPECT_EQ(Count1Resources('TEST'), 2);
    Handle h = Get1Resource('STR ', -5);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::string(*h, GetHandleSize(h)), "xyz");
    EXPECT_EQ(Get1Resource('STR ', -5), h) << "the same handle each time";
    SInt16 id = 0;
    ResType type = 0;
    Str255 name;
    GetResInfo(h, &id, &type, name);
    EXPECT_EQ(id, -5);
    EXPECT_EQ(type, FOUR_CHAR_CODE("STR "));
    EXPECT_EQ(text(name), "S");
    EXPECT_EQ(HomeResFile(h), ref);
    EXPECT_EQ(Get1NamedResource('TEST', pstr("hi").c_str()), Get1Resource('TEST', 128));
    EXPECT_EQ(GetHandleSize(Get1IndResource('TEST', 2)), 0);

    EXPECT_EQ(Get1Resource('NONE', 1), nullptr);
    EXPECT_EQ(ResError(), noErr) << "a type the file lacks is no error";
    EXPECT_EQ(Get1Resource('TEST', 130), nullptr);
    EXPECT_EQ(ResError(), resNotFound);

    AddResource(handleOf("q"), 'TEST', 1, nullptr);
    UpdateResFile(ref);
    EXPECT_EQ(ResError(), wrPermErr) << "opened for reading only";
    CloseResFile(ref);
    EXPECT_EQ(readBytes(path), threeResourceFile());
}

TEST_F(ResourceFiles, ChangesReplaceAndCompact)
{
    const fs::path path = disk.disk() / "Edit.rsrc";
    ASSERT_EQ(toolbox::createResourceFileAtPath(path), noErr);
    SInt16 ref = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdWrPerm, &ref), noErr);
    addThreeResources();
    UpdateResFile(ref);
    ASSERT_EQ(ResError(), noErr);
    Handle h = Get1Resource('TEST', 128);
    SetHandleSize(h, 1);
    (*h)[0] = 'Q';
    Handle unchanged = Get1Resource('STR ', -5);
    (*unchanged)[0] = '!'; // not marked changed: never written
    ChangedResource(h);
    CloseResFile(ref);
    ASSERT_EQ(ResError(), noErr);

    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdWrPerm, &ref), noErr);
    EXPECT_EQ(std::string(*Get1Resource('TEST', 128), 1), "Q") << "a change alone is written";
    EXPECT_EQ(std::string(*Get1Resource('STR ', -5), 3), "xyz");
    Handle removed = Get1Resource('TEST', 129);
    RemoveResource(removed);
    EXPECT_EQ(ResError(), noErr);
    DisposeHandle(removed); // no longer a resource: the caller's to dispose of
    CloseResFile(ref);
    ASSERT_EQ(ResError(), noErr);
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdPerm, &ref), noErr);
    EXPECT_EQ(Count1Resources('TEST'), 1);
    CloseResFile(ref);
}

TEST_F(ResourceFiles, ChainSearchesCurrentThenOlder)
{
    const fs::path older = disk.disk() / "Older", newer = disk.disk() / "Newer";
    for (const fs::path& p : {older, newer}) {
        ASSERT_EQ(toolbox::createResourceFileAtPath(p), noErr);
        SInt16 ref = -1;
        ASSERT_EQ(toolbox::openResourceFileAtPath(p, fsRdWrPerm, &ref), noErr);
        AddResource(handleOf(p.filename().string()), 'NAME', 1, nullptr);
        AddResource(handleOf(p.filename().string()), p == older ? 'OLD ' : 'NEW ', 2, nullptr);
        CloseResFile(ref);
    }
    SInt16 olderRef = -1, newerRef = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(older, fsRdPerm, &olderRef), noErr);
    ASSERT_EQ(toolbox::openResourceFileAtPath(newer, fsRdPerm, &newerRef), noErr);
    EXPECT_EQ(CurResFile(), newerRef);
    EXPECT_EQ(std::string(*GetResource('NAME', 1), 5), "Newer");
    EXPECT_NE(GetResource('OLD ', 2), nullptr) << "older files are searched too";
    EXPECT_EQ(Get1Resource('OLD ', 2), nullptr) << "but not by Get1Resource";
    UseResFile(olderRef);
    EXPECT_EQ(std::string(*GetResource('NAME', 1), 5), "Older");
    EXPECT_EQ(GetResource('NEW ', 2), nullptr) << "files opened later are skipped";
    EXPECT_EQ(ResError(), resNotFound);
    UseResFile(newerRef);
    SInt16 again = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(older, fsRdPerm, &again), noErr);
    EXPECT_EQ(again, olderRef);
    EXPECT_EQ(CurResFile(), newerRef);
    CloseResFile(newerRef);
    EXPECT_EQ(CurResFile(), olderRef);
    CloseResFile(olderRef);
    EXPECT_EQ(CurResFile(), 0);
    CloseResFile(olderRef);
    EXPECT_EQ(ResError(), resFNotFound);
}

TEST_F(ResourceFiles, AddResourceRefusesNilAndResourceHandles)
{
    const fs::path path = disk.disk() / "Add";
    ASSERT_EQ(toolbox::createResourceFileAtPath(path), noErr);
    SInt16 ref = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(path, fsRdWrPerm, &ref), noErr);
    AddResource(nullptr, 'TEST', 1, nullptr);
    EXPECT_EQ(ResError(), addResFailed);
    Handle h = handleOf("a");
    AddResource(h, 'TEST', 1, nullptr);
    EXPECT_EQ(ResError(), noErr);
    AddResource(h, 'TEST', 2, nullptr);
    EXPECT_EQ(ResError(), addResFailed);
    CloseResFile(ref);
}

// A valid file with one corruption each; every one must be refused.
struct Corruption {
    const char* what;
    size_t offset; // into threeResourceFile()
    Bytes bytes; // written there
    OSErr expected;
    size_t truncateTo = SIZE_MAX;
};

class MalformedFiles : public ResourceFiles, public ::testing::WithParamInterface<Corruption> { };

constexpr size_t kMap = 256 + 17;

TEST_P(MalformedFiles, AreRefused)
{
    const Corruption& c = GetParam();
    Bytes file = threeResourceFile();
    if (c.truncateTo != SIZE_MAX)
        file.resize(c.truncateTo);
    else
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + long(c.offset));
    const fs::path path = disk.disk() / "Bad";
    writeBytes(path, file);
    SInt16 ref = 0;
    EXPECT_EQ(toolbox::openResourceFileAtPath(path, fsRdPerm, &ref), c.expected);
    EXPECT_EQ(ref, -1);
    EXPECT_EQ(ResError(), c.expected);
    EXPECT_EQ(readBytes(path), file);

    // The same bytes as a resource fork in a sidecar.
    writeBytes(disk.disk() / "Forked", {});
    FSSpec s = spec("Forked");
    SInt16 fork = 0;
    ASSERT_EQ(FSpOpenRF(&s, fsWrPerm, &fork), noErr);
    SInt32 count = SInt32(file.size());
    ASSERT_EQ(FSWrite(fork, &count, file.data()), noErr);
    ASSERT_EQ(FSClose(fork), noErr);
    EXPECT_EQ(FSpOpenResFile(&s, fsRdPerm), -1);
    EXPECT_EQ(ResError(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Corruptions, MalformedFiles,
    ::testing::Values(Corruption {"empty", 0, {}, eofErr, 0}, //
        Corruption {"shorter than its header", 0, {}, mapReadErr, 10},
        Corruption {"truncated map", 0, {}, mapReadErr, kMap + 20},
        Corruption {"map offset past the end", 4, {0, 0, 0x10, 0}, mapReadErr},
        Corruption {"map length past the end", 12, {0, 0, 1, 0}, mapReadErr},
        Corruption {"map too short", 12, {0, 0, 0, 20}, mapReadErr},
        Corruption {"data length past the end", 8, {0, 1, 0, 0}, mapReadErr},
        Corruption {"data offset inside the header", 0, {0, 0, 0, 4}, mapReadErr},
        Corruption {"data overlapping the map", 8, {0, 0, 0, 0x20}, mapReadErr},
        Corruption {"type list past the map", kMap + 24, {0, 0x60}, mapReadErr},
        Corruption {"name list past the map", kMap + 26, {0, 0x60}, mapReadErr},
        Corruption {"more types than the map holds", kMap + 28, {0, 9}, mapReadErr},
        Corruption {"reference list past the map", kMap + 36, {0, 0x40}, mapReadErr},
        Corruption {"more references than the list holds", kMap + 34, {0, 5}, mapReadErr},
        Corruption {"reference lists overlapping", kMap + 44, {0, 18}, mapReadErr},
        Corruption {"name past the map", kMap + 60, {0, 10}, mapReadErr},
        Corruption {"name longer than the map", kMap + 85, {200}, mapReadErr},
        Corruption {"data offset past the data area", kMap + 75, {0, 0, 17}, mapReadErr},
        Corruption {"data length past the data area", 256, {0, 0, 0, 40}, mapReadErr},
        Corruption {"data length of 4 GiB", 256, {0xFF, 0xFF, 0xFF, 0xFF}, mapReadErr},
        Corruption {"data blocks overlapping", kMap + 63, {0, 0, 0}, mapReadErr}),
    [](const ::testing::TestParamInfo<Corruption>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

} // namespace
