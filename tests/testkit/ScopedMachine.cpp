#include "testkit/ScopedMachine.h"

#include "testkit/Process.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace testkit {

std::vector<JournalWrite> parseJournal(const std::string& text)
{
    std::vector<JournalWrite> writes;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        JournalWrite w;
        std::string oldWord, arrow, newWord;
        words >> w.seq >> w.node >> oldWord >> arrow >> newWord;
        std::getline(words >> std::ws, w.program); // "Korvendale Startup" has a space
        const bool whole
            = !w.program.empty() && arrow == "->" && oldWord.size() == 10 && newWord.size() == 10;
        EXPECT_TRUE(whole) << "journal line: " << line;
        if (!whole)
            continue;
        w.oldWord = uint32_t(std::stoul(oldWord, nullptr, 16));
        w.newWord = uint32_t(std::stoul(newWord, nullptr, 16));
        writes.push_back(w);
    }
    return writes;
}

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
    std::vector<std::string> args {"create"};
    if (!preset.empty()) {
        args.push_back("--preset");
        args.push_back(preset);
    }
    macsim(args);
}

ScopedMachine::~ScopedMachine()
{
    std::error_code ec;
    std::filesystem::permissions(
        dir_.parent_path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_.parent_path(), ec);
    if (hadPrevious_)
        setenv("MACSIM_MACHINE", previous_.c_str(), 1);
    else
        unsetenv("MACSIM_MACHINE");
}

std::string ScopedMachine::macsim(const std::vector<std::string>& args)
{
    ProcessResult r = run("macsim", args, {{"MACSIM_MACHINE", dir_.string()}});
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
    std::vector<std::string> args {"set"};
    args.insert(args.end(), assignments.begin(), assignments.end());
    macsim(args);
}

void ScopedMachine::loadExtension()
{
    macsim({"kext", "load"});
}
void ScopedMachine::unloadExtension()
{
    macsim({"kext", "unload"});
}
void ScopedMachine::boot()
{
    macsim({"boot"});
}
std::string ScopedMachine::journal()
{
    return macsim({"journal"});
}
std::string ScopedMachine::show()
{
    return macsim({"show"});
}

void ScopedMachine::openForReading()
{
    namespace fs = std::filesystem;
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
        | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir_.parent_path(), open);
    fs::permissions(dir_, open);
}

std::vector<JournalWrite> ScopedMachine::writes(const std::string& program, const std::string& node)
{
    std::vector<JournalWrite> result;
    for (const JournalWrite& w : parseJournal(journal()))
        if ((program.empty() || w.program == program) && (node.empty() || w.node == node))
            result.push_back(w);
    return result;
}

std::vector<std::string> ScopedMachine::writeLines(const std::string& program, const std::string& node)
{
    std::vector<std::string> lines;
    for (const JournalWrite& w : writes(program, node)) {
        char words[32];
        std::snprintf(words, sizeof words, " 0x%08X -> 0x%08X", unsigned(w.oldWord), unsigned(w.newWord));
        lines.push_back(w.node + words);
    }
    return lines;
}

std::filesystem::path ScopedMachine::prefsFolder() const
{
    return disk() / "System" / "Library" / "StartupItems" / "Korvendale Startup";
}

uint32_t ScopedMachine::get(const std::string& field)
{
    std::string out = macsim({"get", field});
    return uint32_t(std::stoul(out, nullptr, 0));
}

TempDisk::TempDisk()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korv-files-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    machine_ = pattern;
    std::filesystem::permissions(machine_,
        std::filesystem::perms::owner_all | std::filesystem::perms::group_read
            | std::filesystem::perms::group_exec | std::filesystem::perms::others_read
            | std::filesystem::perms::others_exec);
    std::filesystem::create_directory(disk());
    if (const char* old = std::getenv("MACSIM_MACHINE")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    setenv("MACSIM_MACHINE", machine_.c_str(), 1);
}

TempDisk::~TempDisk()
{
    if (hadPrevious_)
        setenv("MACSIM_MACHINE", previous_.c_str(), 1);
    else
        unsetenv("MACSIM_MACHINE");
    // Tests lock folders; open them again so that they can be removed.
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(machine_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(machine_, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(machine_, ec);
}

} // namespace testkit
