// Reading and writing "Tarnwick X Prefs". The file is replaced, never
// rewritten in place: the new record goes to a temporary file beside it, is
// flushed, and is then exchanged with the old one, so a failure at any point
// leaves the file with either its old record or the new one.
#include "prefs/G3TarnwickAppPrefs.h"

#include "PrefsDefaults.h"
#include "files/PFiles.h"
#include "prefs/PrefsRecordCodec.h"
#include "support/ThrowError.h"

#include <Files.h>

KORV_SOURCE_UNIT("G3 Tarnwick App Prefs");

G3TarnwickAppPrefs prefs;

namespace {

constexpr OSType kPrefsCreator = FOUR_CHAR_CODE("G3TW");
constexpr OSType kPrefsType = FOUR_CHAR_CODE("pref");

ConstStringPtr PrefsFileName()
{
    return PSTR("Tarnwick X Prefs");
}

// Holds a record on its way to the file; a leftover one (from a write that
// was cut short) is removed by the next write and never read.
ConstStringPtr TemporaryFileName()
{
    return PSTR("Tarnwick X Prefs.tmp");
}

} // namespace

PDirectoryDescriptor StartupItemFolder()
{
    return systemFolder.findFolder(PSTR("Library"))
        .findFolder(PSTR("StartupItems"))
        .findFolder(PSTR("Korvendale Startup"));
}

namespace {

void ReadPrefsFile(const PDirectoryDescriptor& folder)
{
    PDataFile file = folder.findFile(PrefsFileName()).openDataFork(fsRdPerm);

    // Bytes read land on top of the record as it stands, so fields that an
    // older, shorter file does not reach keep what they held.
    PrefsRecordImage image = EncodePrefsRecord(prefs);
    file.read(image.data(), 4);
    prefs = DecodePrefsRecord(image);

    switch (prefs.version) {
    case 1:
    case 2:
    case 3:
    case 4: {
        file.setPos(0);
        UInt32 length = file.getEOF();
        if (length > kPrefsRecordSize)
            length = kPrefsRecordSize; // anything past the record is not ours to interpret
        file.read(image.data(), length);
        prefs = DecodePrefsRecord(image);
        break;
    }
    default:
        THROW_MESSAGE(
            PSTR("Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please trash "
                 "them or use the newer version."));
    }

    // Fields added after the version the file was written by.
    switch (prefs.version) {
    case 1:
        prefs.writeThruMode = 0;
        [[fallthrough]];
    case 2:
        prefs.splashScreenAtBoot = 1;
        prefs.initConfigDinked = 1;
        [[fallthrough]];
    case 3:
        prefs.displayAutoDetectWarning = 1;
        prefs.display2_1Warning = 1;
        break;
    default:
        break;
    }
}

void DeleteIfPresent(const PDirectoryDescriptor& folder, ConstStringPtr name)
{
    FSSpec spec;
    if (FSMakeFSSpec(folder.getVRefNum(), folder.getDirID(), name, &spec) == noErr)
        FSpDelete(&spec);
}

void WriteTemporaryFile(const PDirectoryDescriptor& folder)
{
    if (folder.fileExists(TemporaryFileName()))
        folder.deleteFile(TemporaryFileName());

    try {
        PFileDescriptor temporary = folder.createFile(TemporaryFileName(), kPrefsCreator, kPrefsType);
        const PrefsRecordImage image = EncodePrefsRecord(prefs);
        PDataFile file = temporary.openDataFork(fsRdWrPerm);
        file.write(image.data(), UInt32(image.size()));
        file.flushFile();
    } catch (...) {
        DeleteIfPresent(folder, TemporaryFileName()); // best effort: the error that matters is on its way
        throw;
    }
}

// Puts the temporary file in the place of the preferences file.
void ReplacePrefsFile(const PDirectoryDescriptor& folder)
{
    FSSpec temporary;
    THROW_IF_ERR(FSMakeFSSpec(folder.getVRefNum(), folder.getDirID(), TemporaryFileName(), &temporary),
        PSTR("Error making FSSpec!"));

    FSSpec target;
    const OSErr targetErr = FSMakeFSSpec(folder.getVRefNum(), folder.getDirID(), PrefsFileName(), &target);
    if (targetErr == fnfErr) {
        THROW_IF_ERR(FSpRename(&temporary, PrefsFileName()), PSTR("Error renaming file!"));
        return;
    }
    THROW_IF_ERR(targetErr, PSTR("Error making FSSpec!"));

    // The exchange swaps the contents in one step. Whether the Finder info
    // travels with them differs between file systems, so the new file is
    // given the new creator and type if it did not come along.
    FInfo fresh;
    THROW_IF_ERR(FSpGetFInfo(&temporary, &fresh), PSTR("Error getting creator/type info for file!"));
    THROW_IF_ERR(FSpExchangeFiles(&temporary, &target), PSTR("Error exchanging files!"));
    FInfo now;
    THROW_IF_ERR(FSpGetFInfo(&target, &now), PSTR("Error getting creator/type info for file!"));
    if (now.fdType != fresh.fdType || now.fdCreator != fresh.fdCreator)
        THROW_IF_ERR(FSpSetFInfo(&target, &fresh), PSTR("Error setting creator/type info for file!"));

    // The temporary name now holds the old record.
    THROW_IF_ERR(FSpDelete(&temporary), PSTR("Error deleting file!"));
}

} // namespace

void ReadG3TarnwickAppPrefs()
{
    const PDirectoryDescriptor folder = StartupItemFolder();
    if (folder.fileExists(PrefsFileName()))
        ReadPrefsFile(folder);
    else
        FillDefaultPrefs(prefs);
    prefs.version = kTarnwickPrefsVersion;
}

void WriteG3TarnwickAppPrefs()
{
    const PDirectoryDescriptor folder = StartupItemFolder();
    WriteTemporaryFile(folder);
    try {
        ReplacePrefsFile(folder);
    } catch (...) {
        DeleteIfPresent(folder, TemporaryFileName());
        throw;
    }
}
