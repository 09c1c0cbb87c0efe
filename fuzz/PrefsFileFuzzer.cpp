// "Tarnwick X Prefs": any file content is read through the File Manager of a
// scratch machine. It either gives a record of version 4 that holds the
// file's bytes (with the upgrade's fields set), or raises the newer-version
// message or the short-read error; nothing else.
#include "FuzzCheck.h"

#include "prefs/G3TarnwickAppPrefs.h"
#include "prefs/PrefsRecordCodec.h"
#include "support/ThrowError.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Where the harness puts the file; a plain array, since the constructor below
// runs before any object with a constructor of its own would be ready.
char prefsPath[4096];
char machineDir[64];

void removeScratchMachine()
{
    std::error_code ignored;
    std::filesystem::remove_all(machineDir, ignored);
}

// The standard folders are resolved by static constructors, so the scratch
// machine must be named before any of them runs.
__attribute__((constructor(101))) void makeScratchMachine()
{
    std::snprintf(machineDir, sizeof machineDir, "/tmp/korv-fuzz-prefs-XXXXXX");
    const char* dir = mkdtemp(machineDir);
    if (!dir)
        std::abort();
    std::atexit(removeScratchMachine);
    std::filesystem::path folder
        = std::filesystem::path(dir) / "disk" / "System" / "Library" / "StartupItems" / "Korvendale Startup";
    std::filesystem::create_directories(folder);
    std::snprintf(prefsPath, sizeof prefsPath, "%s/Tarnwick X Prefs", folder.c_str());
    setenv("MACSIM_MACHINE", dir, 1);
}

std::string text(ConstStringPtr p)
{
    return p ? std::string(reinterpret_cast<const char*>(p + 1), p[0]) : std::string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream file(prefsPath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    prefs = G3TarnwickAppPrefs {};

    const UInt32 version = size >= 4
        ? (UInt32(data[0]) << 24) | (UInt32(data[1]) << 16) | (UInt32(data[2]) << 8) | UInt32(data[3])
        : 0;
    try {
        ReadG3TarnwickAppPrefs();
    } catch (const ThrowError& error) {
        if (size < 4) {
            FUZZ_CHECK(text(error.description) == "Failed to read from file!");
            FUZZ_CHECK(!error.justAMessage);
        } else {
            FUZZ_CHECK(version < 1 || version > 4);
            FUZZ_CHECK(error.errorNum == 0 && error.justAMessage);
            FUZZ_CHECK(
                text(error.description).rfind("Your G3 Lumbrisk preferences are from a newer", 0) == 0);
        }
        return 0;
    }

    FUZZ_CHECK(size >= 4 && version >= 1 && version <= 4);
    FUZZ_CHECK(prefs.version == 4);
    std::array<UInt8, kPrefsRecordSize> expected {};
    for (size_t i = 4; i < kPrefsRecordSize && i < size; ++i)
        expected[i] = data[i];
    expected[3] = 4;
    if (version == 1)
        expected[28] = 0;
    for (size_t i = version == 3 ? 31 : 29; version < 4 && i <= 32; ++i)
        expected[i] = 1;
    const PrefsRecordImage image = EncodePrefsRecord(prefs);
    FUZZ_CHECK(std::memcmp(image.data(), expected.data(), kPrefsRecordSize) == 0);
    return 0;
}
