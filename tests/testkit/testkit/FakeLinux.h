// The real-machine side of the stand-in, played on this host: a program runs
// in a private mount namespace in which /proc/sys is a folder of the test
// (hw/ holds the korvendale module's nodes, kernel/ostype says Linux),
// /proc/cmdline is a file of the test, the state folder is a folder of the
// test and /sbin/modprobe does nothing, so that nothing reaches the host's
// kernel. MACSIM_MACHINE is unset, so the program takes the real machine.
// Needs root, as ScopedMount does.
#pragma once

#include "testkit/Files.h"
#include "testkit/Process.h"

#include <string>
#include <vector>

namespace testkit {

class FakeLinux {
public:
    FakeLinux();

    // A node of the module, /proc/sys/hw/<name>, as decimal text.
    void setNode(const std::string& name, const std::string& text);
    std::string node(const std::string& name) const;
    void setCommandLine(const std::string& words);
    // The host folder that stands for the state folder.
    std::filesystem::path stateFolder() const { return root_.path() / "state"; }
    // The state folder as the program sees it.
    static std::filesystem::path programStateFolder();

    ProcessResult run(const std::string& program, const std::vector<std::string>& args) const;

private:
    TempDir root_;
};

} // namespace testkit
