#include "files/AppleDouble.h"

#include "files/HostErrors.h"
#include "files/HostFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace toolbox {

namespace {

constexpr UInt32 kMagic = 0x00051607;
constexpr UInt32 kVersion2 = 0x00020000;
constexpr UInt32 kVersion1 = 0x00010000;
constexpr size_t kHeaderLength = 26;
constexpr size_t kDescriptorLength = 12;
constexpr char kFiller[17] = "Mac OS X        ";

UInt32 get32(const std::vector<uint8_t>& b, size_t at)
{
    return UInt32(b[at]) << 24 | UInt32(b[at + 1]) << 16 | UInt32(b[at + 2]) << 8 | UInt32(b[at + 3]);
}

void put32(std::vector<uint8_t>& b, UInt32 v)
{
    b.push_back(uint8_t(v >> 24));
    b.push_back(uint8_t(v >> 16));
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

} // namespace

bool AppleDouble::parse(const std::vector<uint8_t>& bytes, AppleDouble& out)
{
    out.entries_.clear();
    if (bytes.size() < kHeaderLength)
        return false;
    if (get32(bytes, 0) != kMagic)
        return false;
    const UInt32 version = get32(bytes, 4);
    if (version != kVersion2 && version != kVersion1)
        return false;
    const size_t count = size_t(bytes[24]) << 8 | bytes[25];
    if (kHeaderLength + count * kDescriptorLength > bytes.size())
        return false;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kHeaderLength + i * kDescriptorLength;
        const UInt32 id = get32(bytes, at);
        const uint64_t offset = get32(bytes, at + 4);
        const uint64_t length = get32(bytes, at + 8);
        if (id == 0 || offset + length > bytes.size() || out.find(id))
            return false;
        out.entries_.push_back(
            {id, std::vector<uint8_t>(bytes.begin() + offset, bytes.begin() + offset + length)});
    }
    return true;
}

std::vector<uint8_t> AppleDouble::serialize() const
{
    // Finder info first, the resource fork last, the rest between in their order.
    std::vector<const Entry*> order;
    std::vector<uint8_t> emptyInfo(kFinderInfoLength, 0);
    std::vector<uint8_t> emptyFork;
    const Entry finderDefault {kFinderInfoEntry, emptyInfo};
    const Entry forkDefault {kResourceForkEntry, emptyFork};
    order.push_back(find(kFinderInfoEntry) ? find(kFinderInfoEntry) : &finderDefault);
    for (const Entry& entry : entries_) {
        if (entry.id != kFinderInfoEntry && entry.id != kResourceForkEntry)
            order.push_back(&entry);
    }
    order.push_back(find(kResourceForkEntry) ? find(kResourceForkEntry) : &forkDefault);

    std::vector<uint8_t> out;
    put32(out, kMagic);
    put32(out, kVersion2);
    out.insert(out.end(), kFiller, kFiller + 16);
    out.push_back(uint8_t(order.size() >> 8));
    out.push_back(uint8_t(order.size()));
    UInt32 offset = UInt32(kHeaderLength + order.size() * kDescriptorLength);
    for (const Entry* entry : order) {
        put32(out, entry->id);
        put32(out, offset);
        put32(out, UInt32(entry->bytes.size()));
        offset += UInt32(entry->bytes.size());
    }
    for (const Entry* entry : order)
        out.insert(out.end(), entry->bytes.begin(), entry->bytes.end());
    return out;
}

std::array<uint8_t, AppleDouble::kFinderInfoLength> AppleDouble::finderInfo() const
{
    std::array<uint8_t, kFinderInfoLength> info {};
    if (const Entry* entry = find(kFinderInfoEntry))
        std::copy_n(entry->bytes.begin(), std::min(entry->bytes.size(), kFinderInfoLength), info.begin());
    return info;
}

void AppleDouble::setFinderInfo(const std::array<uint8_t, kFinderInfoLength>& info)
{
    Entry* entry = find(kFinderInfoEntry);
    if (!entry) {
        entries_.push_back({kFinderInfoEntry, {}});
        entry = &entries_.back();
    }
    if (entry->bytes.size() < kFinderInfoLength)
        entry->bytes.resize(kFinderInfoLength);
    std::copy(info.begin(), info.end(), entry->bytes.begin());
}

std::vector<uint8_t> AppleDouble::resourceFork() const
{
    const Entry* entry = find(kResourceForkEntry);
    return entry ? entry->bytes : std::vector<uint8_t> {};
}

void AppleDouble::setResourceFork(std::vector<uint8_t> fork)
{
    if (Entry* entry = find(kResourceForkEntry))
        entry->bytes = std::move(fork);
    else
        entries_.push_back({kResourceForkEntry, std::move(fork)});
}

AppleDouble::Entry* AppleDouble::find(UInt32 id)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    return it == entries_.end() ? nullptr : &*it;
}

const AppleDouble::Entry* AppleDouble::find(UInt32 id) const
{
    return const_cast<AppleDouble*>(this)->find(id);
}

std::filesystem::path sidecarPath(const std::filesystem::path& item)
{
    return item.parent_path() / ("._" + item.filename().string());
}

OSErr readSidecar(const std::filesystem::path& item, AppleDouble& out, bool* exists)
{
    out = AppleDouble {};
    if (exists)
        *exists = false;
    std::vector<uint8_t> bytes;
    const int error = readWholeFile(sidecarPath(item), bytes);
    if (error == ENOENT)
        return noErr;
    if (error)
        return osErrFromErrno(error);
    if (exists)
        *exists = true;
    return AppleDouble::parse(bytes, out) ? OSErr(noErr) : ioErr;
}

OSErr writeSidecar(const std::filesystem::path& item, const AppleDouble& sidecar)
{
    struct stat st;
    const mode_t mode = ::stat(item.c_str(), &st) == 0 ? (st.st_mode & 0666) : 0644;
    return osErrFromErrno(replaceFileAtomically(sidecarPath(item), sidecar.serialize(), mode));
}

} // namespace toolbox
