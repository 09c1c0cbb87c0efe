// The Process Manager knows one process, the program itself.
#include <Processes.h>

#include "files/Catalog.h"

#include <cstring>

using toolbox::Catalog;
using toolbox::CatalogEntry;

OSErr GetCurrentProcess(ProcessSerialNumber* psn)
{
    if (!psn)
        return paramErr;
    psn->highLongOfPSN = 0;
    psn->lowLongOfPSN = kCurrentProcess;
    return noErr;
}

OSErr GetProcessInformation(const ProcessSerialNumber* psn, ProcessInfoRec* info)
{
    if (!psn || !info || info->processInfoLength != sizeof(ProcessInfoRec))
        return paramErr;
    if (psn->highLongOfPSN != 0 || psn->lowLongOfPSN != kCurrentProcess)
        return procNotFound;

    Catalog& catalog = Catalog::shared();
    const std::filesystem::path& program = catalog.programPath();
    CatalogEntry entry;
    entry.path = program;
    entry.parID = catalog.idOf(program.parent_path());
    entry.macName = toolbox::macNameFromHost(program.filename().string());
    entry.exists = true;

    StringPtr name = info->processName;
    FSSpecPtr spec = info->processAppSpec;
    std::memset(reinterpret_cast<char*>(info) + sizeof info->processInfoLength, 0,
        sizeof *info - sizeof info->processInfoLength);
    info->processName = name;
    info->processAppSpec = spec;
    info->processNumber = *psn;
    if (name)
        toolbox::setMacString(name, entry.macName, 31);
    if (spec) {
        if (OSErr err = catalog.makeSpec(entry, spec))
            return err;
    }
    return noErr;
}
