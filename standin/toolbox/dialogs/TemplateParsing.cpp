// Decoding 'DITL', 'DLOG' and 'ALRT' data. Every read is checked against the
// size, so a damaged resource is refused rather than read past its end.
#include "dialogs/DialogRecord.h"

namespace toolbox {

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size)
        : data_(data)
        , size_(size)
    {
    }
    bool ok() const { return ok_; }
    size_t position() const { return at_; }
    size_t remaining() const { return ok_ ? size_ - at_ : 0; }

    uint8_t u8()
    {
        if (!need(1))
            return 0;
        return data_[at_++];
    }
    uint16_t u16()
    {
        const uint16_t hi = u8();
        return static_cast<uint16_t>(hi << 8 | u8());
    }
    int16_t s16() { return static_cast<int16_t>(u16()); }
    uint32_t u32()
    {
        const uint32_t hi = u16();
        return hi << 16 | u16();
    }
    Rect rect()
    {
        Rect r;
        r.top = s16();
        r.left = s16();
        r.bottom = s16();
        r.right = s16();
        return r;
    }
    std::string bytes(size_t n)
    {
        if (!need(n))
            return {};
        std::string s(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return s;
    }
    void skip(size_t n)
    {
        if (need(n))
            at_ += n;
    }

private:
    bool need(size_t n)
    {
        if (!ok_ || n > size_ - at_)
            ok_ = false;
        return ok_;
    }
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

} // namespace

std::optional<std::vector<DialogItem>> parseItemList(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    const int count = in.s16() + 1;
    if (!in.ok() || count < 0 || count > 255)
        return std::nullopt;
    std::vector<DialogItem> items;
    for (int i = 0; i < count; ++i) {
        DialogItem item;
        in.skip(4);
        item.box = in.rect();
        item.type = in.u8();
        const size_t length = in.u8();
        const std::string payload = in.bytes(length);
        if (length % 2)
            in.skip(1);
        if (!in.ok())
            return std::nullopt;
        switch (item.kind()) {
        case kButtonDialogItem:
        case kCheckBoxDialogItem:
        case kRadioButtonDialogItem:
        case kStaticTextDialogItem:
        case kEditTextDialogItem:
            item.text = payload;
            break;
        case kIconDialogItem:
        case kPictureDialogItem:
            if (payload.size() != 2)
                return std::nullopt;
            item.resourceID = static_cast<short>(
                static_cast<uint8_t>(payload[0]) << 8 | static_cast<uint8_t>(payload[1]));
            break;
        default:
            break; // user, help and 'CNTL' items keep only their place
        }
        items.push_back(item);
    }
    return items;
}

std::optional<DialogTemplate> parseDialogTemplate(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    DialogTemplate t;
    t.bounds = in.rect();
    t.procID = in.s16();
    t.visible = in.u8() != 0;
    in.skip(1);
    in.skip(2); // close box flag: dialogs have none here
    in.skip(4); // refCon
    t.itemListID = in.s16();
    const size_t titleLength = in.u8();
    t.title = in.bytes(titleLength);
    if (!in.ok())
        return std::nullopt;
    if (in.position() % 2)
        in.skip(1);
    if (in.remaining() >= 2)
        t.position = in.u16();
    return t;
}

std::optional<AlertTemplate> parseAlertTemplate(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    AlertTemplate t;
    t.bounds = in.rect();
    t.itemListID = in.s16();
    t.stages = in.u16();
    if (!in.ok())
        return std::nullopt;
    if (in.remaining() >= 2)
        t.position = in.u16();
    return t;
}

} // namespace toolbox
