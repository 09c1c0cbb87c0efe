// Running the project's programs as processes, the way a user runs them.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testkit {

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// The build's bin directory (where every program of the project lands).
std::filesystem::path binDirectory();

// Runs `program` (a name in binDirectory(), or a path) with `args`. `env`
// entries are added to (or replace) the inherited environment; an entry whose
// value is "\x01unset" removes the variable. No shell is involved.
ProcessResult run(const std::string& program, const std::vector<std::string>& args,
    const std::map<std::string, std::string>& env = {}, const std::string& input = {});

} // namespace testkit
