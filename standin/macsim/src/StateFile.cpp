// Reading is on the path of every node read, so it stays small: one open and
// one read into a stack buffer, a line scanner, no iostreams, no locale.
#include "AtomicFile.h"

#include <macsim/Fields.h>
#include <macsim/StateFile.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace macsim {

namespace {

constexpr size_t maxStateSize = 16384;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The line as it can be shown in a one-line message.
std::string quoted(std::string_view line)
{
    std::string shown = "\"";
    for (char c : line.substr(0, 80))
        shown += (c >= 0x20 && c <= 0x7E) ? c : '?';
    if (line.size() > 80)
        shown += "...";
    return shown + "\"";
}

Error lineError(
    const std::string& fileName, unsigned lineNumber, const std::string& problem, std::string_view line)
{
    return fail(EIO, fileName + ":" + std::to_string(lineNumber) + ": " + problem + ": " + quoted(line));
}

} // namespace

std::string statePath(const std::string& machineDir)
{
    return machineDir + "/state";
}

Error parseState(std::string_view text, const std::string& fileName, MachineState& state)
{
    auto fields = allFields();
    bool seen[64] = {};
    unsigned lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;

        std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return lineError(fileName, lineNumber, "not a \"key = value\" line", raw);
        std::string_view key = trim(line.substr(0, eq));
        std::string_view value = trim(line.substr(eq + 1));

        size_t index = 0;
        while (index < fields.size() && key != fields[index].key)
            ++index;
        if (index == fields.size())
            return lineError(fileName, lineNumber, "unknown key \"" + std::string(key) + "\"", raw);
        if (seen[index])
            return lineError(fileName, lineNumber, std::string("\"").append(key) + "\" given twice", raw);
        seen[index] = true;

        std::string why;
        if (!parseFieldValue(fields[index], value, state, why))
            return lineError(
                fileName, lineNumber, "bad value for " + std::string(key) + " (" + why + ")", raw);
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!seen[i])
            return fail(EIO, fileName + ": no line for \"" + fields[i].key + "\"");
    }
    return {};
}

std::string formatState(const MachineState& state)
{
    std::string text
        = "# Simulated PowerPC Macintosh: hardware state. One \"key = value\" a line;\n"
          "# registers in hexadecimal. Change it with \"macsim set\", read it with \"macsim show\".\n";
    for (const FieldSpec& field : allFields())
        text += std::string(field.key) + " = " + formatFieldValue(field, state) + "\n";
    return text;
}

Error readState(const std::string& machineDir, MachineState& state)
{
    std::string path = statePath(machineDir);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return fail(ENOENT,
                "no simulated machine at " + machineDir + " (" + path
                    + " does not exist); make one with \"macsim create\"");
        return fail(EIO, "cannot read " + path + ": " + std::strerror(err));
    }
    char buffer[maxStateSize];
    size_t size = 0;
    for (;;) {
        ssize_t n = read(fd, buffer + size, sizeof buffer - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            close(fd);
            return fail(EIO, "cannot read " + path + ": " + std::strerror(err));
        }
        if (n == 0)
            break;
        size += size_t(n);
        if (size == sizeof buffer) {
            close(fd);
            return fail(EIO,
                path + ": too large for a state file (over " + std::to_string(maxStateSize - 1) + " bytes)");
        }
    }
    close(fd);
    return parseState(std::string_view(buffer, size), path, state);
}

Error writeState(const std::string& machineDir, const MachineState& state)
{
    return replaceFile(statePath(machineDir), formatState(state));
}

} // namespace macsim
