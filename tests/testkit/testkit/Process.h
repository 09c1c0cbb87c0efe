// Running the project's programs as processes, the way a user runs them:
// to the end with their output captured, in the background (to be killed),
// or as the unprivileged user "nobody".
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

using Environment = std::map<std::string, std::string>;

// The build's bin directory (where every program of the project lands).
std::filesystem::path binDirectory();

// Runs `program` (a name in binDirectory(), or a path) with `args`. `env`
// entries are added to (or replace) the inherited environment; an entry whose
// value is "\x01unset" removes the variable. No shell is involved.
ProcessResult run(const std::string& program, const std::vector<std::string>& args,
    const Environment& env = {}, const std::string& input = {});

// The same as uid and gid 65534 ("nobody"), through setpriv. The program and
// the build's share/ folder are copied to a folder anyone may read first, so
// a build tree under a private home folder does not stand in the way.
ProcessResult runAsNobody(
    const std::string& program, const std::vector<std::string>& args, const Environment& env = {});

// A program of the build run headless under an event script, in which
// "@DIR@" stands for a fresh folder of the run that holds its snapshots (and
// lasts as long as the test program). The Dialog Manager logs each dialog.
struct ScriptedRun : ProcessResult {
    std::filesystem::path dir;
    std::filesystem::path snapshot(const std::string& name) const { return dir / name; }
    // The Dialog Manager's log lines: "alert 10001: a | b | c | d", "dialog 130 -> 2".
    std::vector<std::string> dialogs() const;
};
// `args` go to the program (a program run by an emulator takes its own path).
ScriptedRun runScripted(const std::string& program, const std::string& script, Environment env = {},
    bool asNobody = false, const std::vector<std::string>& args = {});

// lintian's errors and warnings about a package, one a line ("" when clean).
std::string lintianComplaints(const std::filesystem::path& deb);

// Runs `body` in a forked child as uid and gid 65534 (when the test runs as
// root) and returns its exit status.
int runUnprivileged(int (*body)(void*), void* context);

// A program started in the background; killed when the object goes.
class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args, const Environment& env = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int kill(); // SIGKILL, then the status as wait() gives it
    int wait(); // the exit status, or 128 + signal

private:
    int pid_ = -1;
    int status_ = -1;
};

} // namespace testkit
