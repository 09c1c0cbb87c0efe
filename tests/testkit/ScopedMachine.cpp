#include "testkit/ScopedMachine.h"

#include "testkit/Process.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace testkit {

ScopedMachine::ScopedMachine(const std::string& preset)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korv-machine-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    dir_ = std::filesystem::path(pattern) / "mac";
    if (const char* old = std::getenv("MACSIM_MACHINE")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    setenv("MACSIM_MACHINE", dir_.c_str(), 1);
    std::vector<std::string> args { "create" };
    if (!preset.empty()) {
        args.push_back("--preset");
        args.push_back(preset);
    }
    macsim(args);
}

ScopedMachine::~ScopedMachine()
{
    std::error_code ec;
    std::filesystem::permissions(dir_.parent_path(), std::filesystem::perms::owner_all,
        std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_.parent_path(), ec);
    if (hadPrevious_)
        setenv("MACSIM_MACHINE", previous_.c_str(), 1);
    else
        unsetenv("MACSIM_MACHINE");
}

std::string ScopedMachine::macsim(const std::vector<std::string>& args)
{
    ProcessResult r = run("macsim", args, { { "MACSIM_MACHINE", dir_.string() } });
    if (r.status != 0) {
        std::string command = "macsim";
        for (const auto& a : args)
            command += " " + a;
        ADD_FAILURE() << command << " failed with status " << r.status << ": " << r.err;
    }
    return r.out;
}

void ScopedMachine::set(const std::vector<std::string>& assignments)
{
    std::vector<std::string> args { "set" };
    args.insert(args.end(), assignments.begin(), assignments.end());
    macsim(args);
}

void ScopedMachine::loadExtension() { macsim({ "kext", "load" }); }
void ScopedMachine::unloadExtension() { macsim({ "kext", "unload" }); }
void ScopedMachine::boot() { macsim({ "boot" }); }
std::string ScopedMachine::journal() { return macsim({ "journal" }); }
std::string ScopedMachine::show() { return macsim({ "show" }); }

uint32_t ScopedMachine::get(const std::string& field)
{
    std::string out = macsim({ "get", field });
    return uint32_t(std::stoul(out, nullptr, 0));
}

} // namespace testkit
