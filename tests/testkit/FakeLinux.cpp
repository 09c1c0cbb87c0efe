#include "testkit/FakeLinux.h"

namespace testkit {

namespace fs = std::filesystem;

namespace {

// Every mount comes before the program, and any that fails stops the run
// before it: the program never meets the host's own nodes or loader.
constexpr const char* kMountScript = R"(root=$1 state=$2
shift 2
mount --bind "$root/sys" /proc/sys
mount --bind "$root/cmdline" /proc/cmdline
mount -t tmpfs korvendale "${state%/*}"
mkdir -p "$state"
mount --bind "$root/state" "$state"
if [ -e /sbin/modprobe ]; then mount --bind /bin/true /sbin/modprobe; fi
exec "$@"
)";

} // namespace

FakeLinux::FakeLinux()
{
    fs::create_directories(root_.path() / "sys" / "hw");
    writeText(root_.path() / "sys" / "kernel" / "ostype", "Linux\n");
    writeText(root_.path() / "cmdline", "\n");
    fs::create_directories(stateFolder());
}

void FakeLinux::setNode(const std::string& name, const std::string& text)
{
    writeText(root_.path() / "sys" / "hw" / name, text + "\n");
}

std::string FakeLinux::node(const std::string& name) const
{
    return readText(root_.path() / "sys" / "hw" / name);
}

void FakeLinux::setCommandLine(const std::string& words)
{
    writeText(root_.path() / "cmdline", words + "\n");
}

fs::path FakeLinux::programStateFolder()
{
    return KORV_STATE_DIR;
}

ProcessResult FakeLinux::run(const std::string& program, const std::vector<std::string>& args) const
{
    const std::string path
        = program.find('/') == std::string::npos ? (binDirectory() / program).string() : program;
    std::vector<std::string> words {"--mount", "--propagation", "private", "/bin/sh", "-ec", kMountScript,
        "sh", root_.path().string(), programStateFolder().string(), path};
    words.insert(words.end(), args.begin(), args.end());
    return testkit::run("/usr/bin/unshare", words, {{"MACSIM_MACHINE", "\x01unset"}});
}

} // namespace testkit
