// Node files are read whole with one read(2), as the kernel serves them; a
// node that is missing means the module is not loaded (ENOENT), and the
// errno of a refused open or write (EACCES, EINVAL) is passed on as it is.
#include <machine/LinuxMachine.h>

#include <macsim/DiskLayout.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace machine {

namespace {

constexpr std::string_view kRegisterPrefix = "hw.Korvendale";

// Reads a small file whole; 0 or an errno value.
int readSmallFile(const fs::path& path, std::string& contents, size_t limit = 4096)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    std::string data;
    char buffer[512];
    int err = 0;
    while (data.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = errno;
            break;
        }
        if (n == 0)
            break;
        data.append(buffer, size_t(n));
    }
    ::close(fd);
    if (err)
        return err;
    if (data.size() > limit)
        return EIO;
    contents = std::move(data);
    return 0;
}

// hw.KorvendaleL2CR -> <procSys>/hw/KorvendaleL2CR. Only the module's nodes
// are register words; other names are not served.
bool registerNodePath(const fs::path& procSys, const char* name, fs::path& path)
{
    const std::string_view n(name);
    if (!n.starts_with(kRegisterPrefix) || n.size() == kRegisterPrefix.size()
        || n.find('/') != std::string_view::npos)
        return false;
    path = procSys / "hw" / std::string(n.substr(3));
    return true;
}

// A device-tree cell: 4 bytes big-endian (8 when the value needs 64 bits,
// of which only values that fit 32 bits are taken).
bool readCell(const fs::path& path, uint32_t& value)
{
    std::string data;
    if (readSmallFile(path, data) != 0)
        return false;
    uint64_t v = 0;
    if (data.size() != 4 && data.size() != 8)
        return false;
    for (unsigned char c : data)
        v = (v << 8) | c;
    if (v > UINT32_MAX)
        return false;
    value = uint32_t(v);
    return true;
}

// A device-tree string property: the text up to its terminating zero.
bool readText(const fs::path& path, std::string& text)
{
    std::string data;
    if (readSmallFile(path, data) != 0 || data.empty())
        return false;
    text = data.substr(0, data.find('\0'));
    return !text.empty();
}

// Gestalt processor types by the upper half of the PVR.
struct ProcessorType {
    uint32_t version;
    int32_t cput;
};

constexpr ProcessorType kProcessorTypes[] = {
    {0x0001, 0x0101}, // 601
    {0x0003, 0x0103}, // 603
    {0x0004, 0x0104}, // 604
    {0x0006, 0x0106}, // 603e
    {0x0007, 0x0107}, // 603ev
    {0x0008, 0x0108}, // 750 (G3)
    {0x0009, 0x0109}, // 604e
    {0x000A, 0x010A}, // 604ev
    {0x000C, 0x010C}, // 7400 (G4)
    {0x800C, 0x010C}, // 7410 (G4)
    {0x8000, 0x0110}, // 7450
    {0x8001, 0x0111}, // 7455
    {0x8002, 0x0112}, // 7457, 7447
    {0x7000, 0x0120}, // 750FX
};

// Gestalt machine types of the PowerPC Macintoshes this system serves, by a
// token of the root node's compatible list: every NewWorld machine answers
// 406; the Old World G3s have numbers of their own.
struct MachineType {
    const char* compatible;
    int32_t mach;
};

constexpr MachineType kMachineTypes[] = {
    {"MacRISC2", 406},
    {"MacRISC3", 406},
    {"AAPL,PowerBook1998", 312}, // PowerBook G3 Series
    {"AAPL,3500", 313}, // PowerBook G3
    {"AAPL,Gossamer", 510}, // Power Macintosh G3 (beige)
    {"AAPL,PowerMac G3", 510},
};

} // namespace

bool parseNodeText(std::string_view text, uint32_t& word)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc {} || end != text.data() + text.size())
        return false;
    if (negative) {
        if (value > uint64_t(INT32_MAX) + 1)
            return false;
        word = uint32_t(-int64_t(value));
        return true;
    }
    if (value > UINT32_MAX)
        return false;
    word = uint32_t(value);
    return true;
}

fs::path stateFolder()
{
    return KORV_STATE_DIR;
}

LinuxMachine::LinuxMachine(LinuxPaths paths)
    : paths_(std::move(paths))
{
    if (paths_.stateFolder.empty())
        paths_.stateFolder = stateFolder();
}

int LinuxMachine::readWord(const char* name, uint32_t& word)
{
    fs::path path;
    if (!registerNodePath(paths_.procSys, name, path))
        return ENOENT;
    std::string text;
    if (int err = readSmallFile(path, text, 64))
        return err;
    return parseNodeText(text, word) ? 0 : EIO;
}

int LinuxMachine::writeWord(const char* name, uint32_t word)
{
    fs::path path;
    if (!registerNodePath(paths_.procSys, name, path))
        return ENOENT;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char text[16];
    const auto [end, ec] = std::to_chars(text, text + sizeof text - 1, word);
    (void)ec;
    *end = '\n';
    const size_t length = size_t(end - text) + 1;
    ssize_t n;
    while ((n = ::write(fd, text, length)) < 0 && errno == EINTR) { }
    int err = n < 0 ? errno : (size_t(n) != length ? EIO : 0);
    if (::close(fd) != 0 && err == 0 && errno != EINTR)
        err = errno;
    return err;
}

int LinuxMachine::readOSType(std::string& text)
{
    std::string contents;
    if (int err = readSmallFile(paths_.procSys / "kernel" / "ostype", contents, 64))
        return err;
    text = contents.substr(0, contents.find('\n'));
    return 0;
}

// The kernel's command line as the boot loader passed it: /proc/cmdline,
// beside the sysctl tree.
int LinuxMachine::readBootArgs(std::string& text)
{
    std::string contents;
    if (int err = readSmallFile(paths_.procSys.parent_path() / "cmdline", contents))
        return err;
    text = contents.substr(0, contents.find('\n'));
    return 0;
}

fs::path LinuxMachine::cpuNode() const
{
    std::error_code ec;
    std::vector<fs::path> nodes;
    for (const auto& entry : fs::directory_iterator(paths_.deviceTree / "cpus", ec)) {
        std::string type;
        if (entry.is_directory(ec) && readText(entry.path() / "device_type", type) && type == "cpu")
            nodes.push_back(entry.path());
    }
    if (nodes.empty())
        return {};
    return *std::min_element(nodes.begin(), nodes.end());
}

int LinuxMachine::readClocks(uint32_t& cpuHz, uint32_t& busHz)
{
    const fs::path cpu = cpuNode();
    uint32_t cpuClock = 0, busClock = 0;
    if (cpu.empty() || !readCell(cpu / "clock-frequency", cpuClock)
        || !readCell(cpu / "bus-frequency", busClock))
        return ENOENT;
    cpuHz = cpuClock;
    busHz = busClock;
    return 0;
}

int LinuxMachine::readModel(std::string& model)
{
    return readText(paths_.deviceTree / "model", model) ? 0 : ENOENT;
}

bool LinuxMachine::machineType(int32_t& mach)
{
    std::string list;
    if (readSmallFile(paths_.deviceTree / "compatible", list) != 0)
        return false;
    for (const MachineType& type : kMachineTypes) {
        size_t start = 0;
        while (start < list.size()) {
            const size_t end = std::min(list.find('\0', start), list.size());
            if (list.compare(start, end - start, type.compatible) == 0) {
                mach = type.mach;
                return true;
            }
            start = end + 1;
        }
    }
    return false;
}

bool LinuxMachine::processorType(int32_t& cput)
{
    const fs::path cpu = cpuNode();
    uint32_t pvr = 0;
    if (cpu.empty() || !readCell(cpu / "cpu-version", pvr))
        return false;
    for (const ProcessorType& type : kProcessorTypes) {
        if (type.version == pvr >> 16) {
            cput = type.cput;
            return true;
        }
    }
    return false;
}

bool LinuxMachine::insideClassic(bool& classic)
{
    classic = false;
    return true;
}

fs::path LinuxMachine::diskFolder()
{
    // The startup item's folder is made on first use, as the simulated
    // machine's disk is; where that is not allowed the File Manager later
    // reports the missing folder.
    if (!madeStartupFolder_) {
        std::error_code ec;
        fs::create_directories(paths_.stateFolder / macsim::startupItemsPath / macsim::startupItemName, ec);
        madeStartupFolder_ = true;
    }
    return paths_.stateFolder;
}

fs::path LinuxMachine::diskImage()
{
    return {};
}

std::vector<std::string> LinuxMachine::hostCommand(const std::vector<std::string>& words)
{
    // The Mac's loader of our extension is modprobe of our module here;
    // anything else runs as written.
    if (words.size() == 2 && words[0] == "/sbin/kextload"
        && (words[1] == std::string("/") + macsim::extensionPath))
        return {"/sbin/modprobe", "korvendale"};
    return words;
}

} // namespace machine
