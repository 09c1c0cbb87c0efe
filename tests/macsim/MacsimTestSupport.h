// The macsim command and the node probe run on a given machine folder.
#pragma once

#include "testkit/Files.h"
#include "testkit/Process.h"

namespace macsimtest {

using testkit::readText;
using testkit::TempDir;
using testkit::writeText;

inline testkit::ProcessResult macsim(
    const std::filesystem::path& machine, const std::vector<std::string>& args)
{
    return testkit::run("macsim", args, {{"MACSIM_MACHINE", machine.string()}});
}

inline testkit::ProcessResult probe(
    const std::filesystem::path& machine, const std::vector<std::string>& args)
{
    return testkit::run("macsim-node-probe", args, {{"MACSIM_MACHINE", machine.string()}});
}

} // namespace macsimtest
