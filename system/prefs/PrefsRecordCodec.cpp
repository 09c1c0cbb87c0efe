// One list of the record's fields drives encoding, decoding and the size
// check, so the three cannot drift apart.
#include "prefs/PrefsRecordCodec.h"

namespace {

template<class Record, class Visitor> constexpr void VisitPrefsFields(Record& r, Visitor& v)
{
    v.word(r.version);
    v.word(r.activeTab);
    v.flag(r.processorOverviewDinked);
    v.flag(r.cacheOverviewDinked);
    v.flag(r.motherboardOverviewDinked);
    v.flag(r.backsideCacheDinked);
    v.word(r.cacheRatioMenuSelection);
    v.flag(r.enableBacksideCacheOnRestart);
    v.flag(r.motherboardCacheDinked);
    v.flag(r.disableMotherboardCacheOnRestart);
    v.flag(r.speculativeAccessDinked);
    v.flag(r.disableSpeculativeAccessOnRestart);
    v.flag(r.dynamicPowerManagementDinked);
    v.flag(r.enableDynamicPowerManagementOnRestart);
    v.flag(r.bootXConfigDinked);
    v.flag(r.configureBootXOnRestart);
    v.flag(r.romAliasingDinked);
    v.flag(r.enableROMAliasingOnRestart);
    v.flag(r.aboutKorvendaleDinked);
    v.flag(r.writeThruMode);
    v.flag(r.splashScreenAtBoot);
    v.flag(r.initConfigDinked);
    v.flag(r.displayAutoDetectWarning);
    v.flag(r.display2_1Warning);
    for (auto& b : r.alignment)
        v.flag(b);
}

struct SizeCounter {
    size_t size = 0;
    constexpr void word(const UInt32&) { size += 4; }
    constexpr void flag(const UInt8&) { size += 1; }
};

constexpr size_t EncodedSize()
{
    G3TarnwickAppPrefs record {};
    SizeCounter counter;
    VisitPrefsFields(record, counter);
    return counter.size;
}

static_assert(EncodedSize() == kPrefsRecordSize, "the preferences record is 36 bytes on disk");

struct Encoder {
    PrefsRecordImage& out;
    size_t at = 0;
    void word(const UInt32& w)
    {
        out[at++] = UInt8(w >> 24);
        out[at++] = UInt8(w >> 16);
        out[at++] = UInt8(w >> 8);
        out[at++] = UInt8(w);
    }
    void flag(const UInt8& b) { out[at++] = b; }
};

struct Decoder {
    const PrefsRecordImage& in;
    size_t at = 0;
    void word(UInt32& w)
    {
        w = (UInt32(in[at]) << 24) | (UInt32(in[at + 1]) << 16) | (UInt32(in[at + 2]) << 8)
            | UInt32(in[at + 3]);
        at += 4;
    }
    // Flags keep their byte as stored: readers treat any non-zero byte as
    // true, and a byte written back must be the byte that was read.
    void flag(UInt8& b) { b = in[at++]; }
};

} // namespace

PrefsRecordImage EncodePrefsRecord(const G3TarnwickAppPrefs& record)
{
    PrefsRecordImage image {};
    Encoder encoder {image};
    VisitPrefsFields(record, encoder);
    return image;
}

G3TarnwickAppPrefs DecodePrefsRecord(const PrefsRecordImage& image)
{
    G3TarnwickAppPrefs record {};
    Decoder decoder {image};
    VisitPrefsFields(record, decoder);
    return record;
}
