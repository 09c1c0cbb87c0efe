#include "resources/ResourceForkFormat.h"

#include <Resources.h>

#include <algorithm>
#include <map>

namespace toolbox {

namespace {

constexpr size_t kHeaderLength = 16;
constexpr size_t kFirstData = 256;
constexpr size_t kMapHeaderLength = 28;
constexpr size_t kTypeEntryLength = 8;
constexpr size_t kRefEntryLength = 12;
constexpr UInt16 kNoName = 0xFFFF;

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& b)
        : bytes(b)
    {
    }
    uint64_t u32(uint64_t at) const
    {
        return uint64_t(bytes[at]) << 24 | uint64_t(bytes[at + 1]) << 16 | uint64_t(bytes[at + 2]) << 8
            | bytes[at + 3];
    }
    uint64_t u24(uint64_t at) const
    {
        return uint64_t(bytes[at]) << 16 | uint64_t(bytes[at + 1]) << 8 | bytes[at + 2];
    }
    uint64_t u16(uint64_t at) const { return uint64_t(bytes[at]) << 8 | bytes[at + 1]; }
    const std::vector<uint8_t>& bytes;
};

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v >> 24);
    b[at + 1] = uint8_t(v >> 16);
    b[at + 2] = uint8_t(v >> 8);
    b[at + 3] = uint8_t(v);
}

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v);
}

struct Span {
    uint64_t start, length;
};

// True when no two spans share a byte.
bool disjoint(std::vector<Span> spans)
{
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i - 1].start + spans[i - 1].length > spans[i].start)
            return false;
    }
    return true;
}

} // namespace

OSErr parseResourceFork(const std::vector<uint8_t>& fork, ResourceForkImage& out)
{
    out = ResourceForkImage {};
    if (fork.empty())
        return eofErr;
    if (fork.size() < kHeaderLength)
        return mapReadErr;
    const Reader r(fork);
    const uint64_t size = fork.size();
    const uint64_t dataOffset = r.u32(0), mapOffset = r.u32(4), dataLength = r.u32(8), mapLength = r.u32(12);
    if (mapLength < kMapHeaderLength + 2 || mapOffset < kHeaderLength || mapOffset + mapLength > size)
        return mapReadErr;
    if (dataOffset + dataLength > size || (dataLength > 0 && dataOffset < kHeaderLength))
        return mapReadErr;
    if (dataLength > 0 && dataOffset < mapOffset + mapLength && mapOffset < dataOffset + dataLength)
        return mapReadErr;
    const uint64_t reservedEnd
        = std::min<uint64_t>({kFirstData, size, mapOffset, dataLength ? dataOffset : size});
    for (uint64_t i = kHeaderLength; i < reservedEnd; ++i)
        out.reserved[i - kHeaderLength] = fork[i];

    const uint64_t map = mapOffset;
    out.fileAttributes = UInt16(r.u16(map + 22));
    const uint64_t typeList = r.u16(map + 24), nameList = r.u16(map + 26);
    if (typeList + 2 > mapLength || nameList > mapLength)
        return mapReadErr;
    const uint64_t typeCount = (r.u16(map + typeList) + 1) & 0xFFFF;
    if (typeList + 2 + typeCount * kTypeEntryLength > mapLength)
        return mapReadErr;

    std::vector<Span> refLists, dataBlocks;
    for (uint64_t t = 0; t < typeCount; ++t) {
        const uint64_t entry = map + typeList + 2 + t * kTypeEntryLength;
        const ResType type = ResType(r.u32(entry));
        const uint64_t refCount = r.u16(entry + 4) + 1;
        const uint64_t refList = typeList + r.u16(entry + 6);
        if (refList + refCount * kRefEntryLength > mapLength)
            return mapReadErr;
        refLists.push_back({refList, refCount * kRefEntryLength});
        for (uint64_t i = 0; i < refCount; ++i) {
            const uint64_t ref = map + refList + i * kRefEntryLength;
            ResourceRecord record;
            record.type = type;
            record.id = SInt16(r.u16(ref));
            const uint64_t nameOffset = r.u16(ref + 2);
            record.attributes = fork[ref + 4];
            if (nameOffset != kNoName) {
                const uint64_t name = nameList + nameOffset;
                if (name >= mapLength || name + 1 + fork[map + name] > mapLength)
                    return mapReadErr;
                record.named = true;
                record.name.assign(reinterpret_cast<const char*>(&fork[map + name + 1]), fork[map + name]);
            }
            const uint64_t block = r.u24(ref + 5);
            if (block + 4 > dataLength)
                return mapReadErr;
            const uint64_t length = r.u32(dataOffset + block);
            if (block + 4 + length > dataLength)
                return mapReadErr;
            dataBlocks.push_back({block, 4 + length});
            record.data.assign(fork.begin() + long(dataOffset + block + 4),
                fork.begin() + long(dataOffset + block + 4 + length));
            out.resources.push_back(std::move(record));
        }
    }
    // Shared reference lists or data blocks never come from the Resource
    // Manager; refusing them also bounds what a crafted map can make us copy.
    if (!disjoint(refLists) || !disjoint(dataBlocks)) {
        out.resources.clear();
        return mapReadErr;
    }
    return noErr;
}

OSErr serializeResourceFork(const ResourceForkImage& image, std::vector<uint8_t>& out)
{
    // Group the resources by type, types in the order they first appear.
    std::vector<ResType> types;
    std::map<ResType, std::vector<const ResourceRecord*>> byType;
    for (const ResourceRecord& record : image.resources) {
        if (byType.find(record.type) == byType.end())
            types.push_back(record.type);
        byType[record.type].push_back(&record);
    }
    if (types.size() > 0x10000)
        return addResFailed;

    std::vector<uint8_t> data, names, refs;
    std::vector<uint8_t> typeEntries(types.size() * kTypeEntryLength);
    size_t refIndex = 0;
    for (size_t t = 0; t < types.size(); ++t) {
        const auto& records = byType[types[t]];
        if (records.size() > 0x10000)
            return addResFailed;
        put32(typeEntries, t * kTypeEntryLength, types[t]);
        put16(typeEntries, t * kTypeEntryLength + 4, uint32_t(records.size() - 1));
        const size_t refListOffset = 2 + types.size() * kTypeEntryLength + refIndex * kRefEntryLength;
        if (refListOffset > 0x7FFF)
            return addResFailed;
        put16(typeEntries, t * kTypeEntryLength + 6, uint32_t(refListOffset));
        for (const ResourceRecord* record : records) {
            std::vector<uint8_t> ref(kRefEntryLength, 0);
            put16(ref, 0, uint16_t(record->id));
            if (record->named) {
                if (names.size() > 0x7FFF || record->name.size() > 255)
                    return addResFailed;
                put16(ref, 2, uint32_t(names.size()));
                names.push_back(uint8_t(record->name.size()));
                names.insert(names.end(), record->name.begin(), record->name.end());
            } else {
                put16(ref, 2, kNoName);
            }
            ref[4] = uint8_t(record->attributes & ~resChanged);
            if (data.size() > 0xFFFFFF || record->data.size() > 0xFFFFFFFFu)
                return addResFailed;
            ref[5] = uint8_t(data.size() >> 16);
            ref[6] = uint8_t(data.size() >> 8);
            ref[7] = uint8_t(data.size());
            const size_t at = data.size();
            data.resize(at + 4);
            put32(data, at, uint32_t(record->data.size()));
            data.insert(data.end(), record->data.begin(), record->data.end());
            refs.insert(refs.end(), ref.begin(), ref.end());
            ++refIndex;
        }
    }
    const size_t nameListOffset = kMapHeaderLength + 2 + typeEntries.size() + refs.size();
    if (nameListOffset > 0x7FFF || data.size() > 0xFFFFFFFFu)
        return addResFailed;
    const size_t mapLength = nameListOffset + names.size();
    const size_t mapOffset = kFirstData + data.size();

    out.assign(kFirstData, 0);
    put32(out, 0, uint32_t(kFirstData));
    put32(out, 4, uint32_t(mapOffset));
    put32(out, 8, uint32_t(data.size()));
    put32(out, 12, uint32_t(mapLength));
    std::copy(image.reserved.begin(), image.reserved.end(), out.begin() + kHeaderLength);
    out.insert(out.end(), data.begin(), data.end());

    std::vector<uint8_t> map(kMapHeaderLength + 2, 0);
    std::copy(out.begin(), out.begin() + kHeaderLength, map.begin());
    put16(map, 22, image.fileAttributes & ~uint32_t(mapChanged));
    put16(map, 24, kMapHeaderLength);
    put16(map, 26, uint32_t(nameListOffset));
    put16(map, kMapHeaderLength, uint32_t(types.size() - 1) & 0xFFFF);
    map.insert(map.end(), typeEntries.begin(), typeEntries.end());
    map.insert(map.end(), refs.begin(), refs.end());
    map.insert(map.end(), names.begin(), names.end());
    out.insert(out.end(), map.begin(), map.end());
    return noErr;
}

} // namespace toolbox
