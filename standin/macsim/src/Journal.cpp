#include "AtomicFile.h"

#include <macsim/Journal.h>
#include <macsim/StateFile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace macsim {

std::string journalPath(const std::string& machineDir)
{
    return machineDir + "/journal";
}

std::string journalLine(
    uint32_t seq, const char* node, uint32_t oldWord, uint32_t newWord, const char* program)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%u %s 0x%08X -> 0x%08X ", unsigned(seq), node, unsigned(oldWord),
        unsigned(newWord));
    std::string line = buffer;
    // A program name with a line break would split the entry in two.
    for (const char* p = program; *p; ++p)
        line += (*p == '\n' || *p == '\r') ? '?' : *p;
    return line + "\n";
}

Error appendJournal(const std::string& machineDir, const std::string& lines, off_t& previousSize)
{
    std::string path = journalPath(machineDir);
    int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(EIO, "cannot write " + path + ": " + std::strerror(errno));
    struct stat info;
    previousSize = fstat(fd, &info) == 0 ? info.st_size : 0;
    int err = 0;
    size_t done = 0;
    while (done < lines.size() && err == 0) {
        ssize_t n = write(fd, lines.data() + done, lines.size() - done);
        if (n > 0)
            done += size_t(n);
        else if (n < 0 && errno != EINTR)
            err = errno;
        else if (n == 0)
            err = EIO;
    }
    if (err == 0 && fdatasync(fd) != 0)
        err = errno;
    if (err != 0 && ftruncate(fd, previousSize) != 0) {
        // Nothing more to do: the message below already reports the failure.
    }
    close(fd);
    if (err != 0)
        return fail(EIO, "cannot write " + path + ": " + std::strerror(err));
    return {};
}

void rollbackJournal(const std::string& machineDir, off_t previousSize)
{
    if (truncate(journalPath(machineDir).c_str(), previousSize) != 0) {
        // The entry stays behind; the caller reports the failed write anyway.
    }
}

Error trimJournal(const std::string& machineDir)
{
    std::string path = journalPath(machineDir);
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || info.st_size <= maxJournalBytes)
        return {};
    std::string text;
    if (Error e = readWholeFile(path, text))
        return e;
    // The last line ends in a newline, so the line before the kept ones ends
    // at the (kept + 1)th newline from the end.
    size_t cut = 0;
    size_t newlines = 0;
    for (size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == '\n' && ++newlines == journalKeptLines + 1) {
            cut = i;
            break;
        }
    }
    return replaceFile(path, text.substr(cut));
}

size_t finishedJournalLength(const std::string& text, uint32_t lastStoredSeq)
{
    size_t end = text.size();
    while (end > 0) {
        // The last line left runs from `start` up to `end`, its newline included.
        size_t previous = end >= 2 ? text.rfind('\n', end - 2) : std::string::npos;
        size_t start = previous == std::string::npos ? 0 : previous + 1;
        unsigned long seq = 0;
        size_t digit = start;
        for (; digit < end && text[digit] >= '0' && text[digit] <= '9'; ++digit)
            seq = seq * 10 + unsigned(text[digit] - '0');
        if (digit == start || seq <= lastStoredSeq)
            break;
        end = start;
    }
    return end;
}

Error dropUnfinishedEntries(const std::string& machineDir, uint32_t lastStoredSeq)
{
    // Only the tail can hold such entries: one killed writer's batch at most.
    std::string path = journalPath(machineDir);
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info;
    if (fstat(fd, &info) != 0 || info.st_size == 0) {
        close(fd);
        return {};
    }
    char buffer[4096];
    off_t from = info.st_size > off_t(sizeof buffer) ? info.st_size - off_t(sizeof buffer) : 0;
    ssize_t n = pread(fd, buffer, size_t(info.st_size - from), from);
    Error result;
    if (n > 0) {
        std::string tail(buffer, size_t(n));
        size_t keep = finishedJournalLength(tail, lastStoredSeq);
        if (keep < tail.size() && ftruncate(fd, from + off_t(keep)) != 0)
            result = fail(EIO, "cannot write " + path + ": " + std::strerror(errno));
    }
    close(fd);
    return result;
}

Error readJournal(const std::string& machineDir, std::string& text)
{
    Error e = readWholeFile(journalPath(machineDir), text);
    if (e.code == ENOENT)
        return {};
    MachineState state;
    if (!e && !readState(machineDir, state))
        text.resize(finishedJournalLength(text, state.journalSeq));
    return e;
}

Error clearJournal(const std::string& machineDir)
{
    return replaceFile(journalPath(machineDir), {});
}

} // namespace macsim
