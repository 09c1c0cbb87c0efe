// The file "Applying Settings" lies beside the preferences while the
// registers are written. A hang leaves it behind, and the next boot then
// writes nothing until the owner removes it. It is flushed to the disk on
// its way in (a crash right after the first write must find it) and on its
// way out (a crash later must not).
#include "ApplyGuard.h"

#include "files/PFiles.h"
#include "prefs/G3TarnwickAppPrefs.h"
#include "support/ThrowError.h"

#include <Files.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/sysctl.h>

KORV_SOURCE_UNIT("ApplyGuard");

namespace {

const char kSkipWord[] = "korvendale.skip";

ConstStringPtr ApplyingFileName()
{
    return PSTR("Applying Settings");
}

// What the file says to whoever finds it.
const char kApplyingFileText[]
    = "Korvendale Startup is writing the saved settings to the processor. Found at "
      "boot, this file means that it never finished (the machine may have hung), "
      "and the settings are not applied again until it is removed.\n";

// The file as the owner finds it on the disk, for the one line that names it.
std::string ApplyingFilePath(const PDirectoryDescriptor& folder)
{
    const ConstStringPtr name = ApplyingFileName();
    const std::string fileName(reinterpret_cast<const char*>(name + 1), name[0]);
    FSSpec spec;
    FSRef ref;
    UInt8 path[1024];
    if (FSMakeFSSpec(folder.getVRefNum(), folder.getDirID(), PSTR(""), &spec) != noErr
        || FSpMakeFSRef(&spec, &ref) != noErr || FSRefMakePath(&ref, path, sizeof path) != noErr)
        return fileName;
    return reinterpret_cast<const char*>(path) + std::string("/") + fileName;
}

void ReportFileFailure(const PDirectoryDescriptor& folder, const ThrowError& error, const char* before,
    const char* failed, const char* after)
{
    std::fprintf(stderr, "Korvendale Startup: %s\"%s\" could not be %s (error %ld)%s\n", before,
        ApplyingFilePath(folder).c_str(), failed, long(ThrowErrorNumber(error)), after);
}

void FlushVolume(const PDirectoryDescriptor& folder)
{
    ParamBlockRec pb {};
    pb.volumeParam.ioVRefNum = folder.getVRefNum();
    THROW_IF_ERR(PBFlushVolSync(&pb), PSTR("Failed to flush volume!"));
}

} // namespace

bool SkipRequestedAtBoot()
{
    size_t length = 0;
    if (sysctlbyname("kern.bootargs", nullptr, &length, nullptr, 0) != 0 || length == 0)
        return false;
    std::string words(length, '\0');
    if (sysctlbyname("kern.bootargs", words.data(), &length, nullptr, 0) != 0)
        return false;
    words.resize(strnlen(words.c_str(), length));
    const char* const blanks = " \t\n";
    for (size_t start = words.find_first_not_of(blanks); start != std::string::npos;) {
        const size_t end = words.find_first_of(blanks, start);
        if (words.compare(start, end - start, kSkipWord) == 0)
            return true;
        start = words.find_first_not_of(blanks, end);
    }
    return false;
}

void ReportSkipped()
{
    std::fprintf(stderr,
        "Korvendale Startup: %s is among the boot arguments; the saved settings are not applied this "
        "boot\n",
        kSkipWord);
}

bool LastApplyNeverFinished()
{
    return StartupItemFolder().fileExists(ApplyingFileName());
}

void ReportLastApplyUnfinished()
{
    std::fprintf(stderr,
        "Korvendale Startup: the saved settings were not applied: their last apply never finished (the "
        "machine may have hung); once they are safe, remove \"%s\" to apply them at boot again\n",
        ApplyingFilePath(StartupItemFolder()).c_str());
}

bool RecordApplying()
{
    const PDirectoryDescriptor folder = StartupItemFolder();
    bool created = false;
    try {
        // No creator or type: a plain file, which the owner removes alone.
        const PFileDescriptor file = folder.createFile(ApplyingFileName(), 0, 0);
        created = true;
        PDataFile data = file.openDataFork(fsRdWrPerm);
        data.write(kApplyingFileText, sizeof kApplyingFileText - 1);
        data.flushFile();
        return true;
    } catch (const ThrowError& error) {
        ReportFileFailure(folder, error, "the saved settings were not applied: ", "written", "");
        // A half-made file would stop the next boot for an apply that never began.
        if (created) {
            FSSpec spec;
            if (FSMakeFSSpec(folder.getVRefNum(), folder.getDirID(), ApplyingFileName(), &spec) == noErr)
                FSpDelete(&spec);
        }
        return false;
    }
}

bool ForgetApplying()
{
    const PDirectoryDescriptor folder = StartupItemFolder();
    try {
        folder.deleteFile(ApplyingFileName());
        FlushVolume(folder);
        return true;
    } catch (const ThrowError& error) {
        ReportFileFailure(folder, error, "", "removed after the apply", "; until it is, boots apply nothing");
        return false;
    }
}
