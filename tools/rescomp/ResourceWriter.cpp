#include "ResourceWriter.h"

#include <MacMemory.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace rescomp {

namespace {

std::string describe(OSErr err)
{
    return "the Resource Manager reported error " + std::to_string(err);
}

} // namespace

bool writeResourceFile(
    const std::string& path, const std::vector<CompiledResource>& resources, std::string& error)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path partial = target.string() + ".partial";
    std::error_code ec;
    fs::remove(partial, ec);

    OSErr err = toolbox::createResourceFileAtPath(partial);
    SInt16 refNum = -1;
    if (err == noErr)
        err = toolbox::openResourceFileAtPath(partial, fsRdWrPerm, &refNum);
    if (err != noErr) {
        error = "cannot create it: " + describe(err);
        fs::remove(partial, ec);
        return false;
    }
    for (const CompiledResource& r : resources) {
        Handle h = NewHandle(static_cast<Size>(r.data.size()));
        if (!h) {
            error = "out of memory";
            break;
        }
        if (!r.data.empty())
            std::memcpy(*h, r.data.data(), r.data.size());
        Str255 name;
        name[0] = static_cast<unsigned char>(r.name.size());
        std::memcpy(name + 1, r.name.data(), r.name.size());
        AddResource(h, r.type, r.id, name);
        if ((err = ResError()) != noErr) {
            error = "cannot add '" + fourCCText(r.type) + "' " + std::to_string(r.id) + ": " + describe(err);
            DisposeHandle(h);
            break;
        }
    }
    CloseResFile(refNum);
    if (error.empty() && (err = ResError()) != noErr)
        error = "cannot write it: " + describe(err);
    if (!error.empty()) {
        fs::remove(partial, ec);
        return false;
    }
    fs::rename(partial, target, ec);
    if (ec) {
        error = "cannot rename " + partial.string() + ": " + ec.message();
        fs::remove(partial, ec);
        return false;
    }
    return true;
}

} // namespace rescomp
