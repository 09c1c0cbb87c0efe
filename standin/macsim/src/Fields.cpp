#include <macsim/Fields.h>

#include <cstdio>

namespace macsim {

namespace {

constexpr const char* sramTypeNames[] = {"flow-through", "pipelined", "late-write"};
constexpr const char* sramHoldNames[] = {"0.5", "1.0", "1.5", "2.0"};

bool isSramSize(uint32_t k)
{
    return k == 0 || k == 256 || k == 512 || k == 1024 || k == 2048;
}

using S = MachineState;

constexpr FieldSpec fields[] = {
    {.key = "preset",
        .kind = FieldKind::Text,
        .text = &S::preset,
        .help = "preset the machine was made from"},
    {.key = "model", .kind = FieldKind::Text, .text = &S::model, .help = "model identifier (hw.model)"},
    {.key = "gestalt-mach", .kind = FieldKind::Unsigned, .number = &S::gestaltMach, .help = "Gestalt 'mach'"},
    {.key = "gestalt-cput", .kind = FieldKind::Unsigned, .number = &S::gestaltCput, .help = "Gestalt 'cput'"},
    {.key = "classic",
        .kind = FieldKind::Flag,
        .number = &S::classic,
        .help = "running in Classic (Gestalt 'bbox' bit 0)"},
    {.key = "cpu-hz",
        .kind = FieldKind::Unsigned,
        .number = &S::cpuHz,
        .help = "processor clock (hw.cpufrequency)"},
    {.key = "bus-hz",
        .kind = FieldKind::Unsigned,
        .number = &S::busHz,
        .help = "bus clock (hw.busfrequency)"},
    {.key = "pvr", .kind = FieldKind::Register, .number = &S::pvr, .help = "processor version register"},
    {.key = "hid0", .kind = FieldKind::Register, .number = &S::hid0, .help = "HID0"},
    {.key = "hid1", .kind = FieldKind::Register, .number = &S::hid1, .help = "HID1 (PLL configuration)"},
    {.key = "l2cr", .kind = FieldKind::Register, .number = &S::l2cr, .help = "L2 cache control register"},
    {.key = "def-l2cr",
        .kind = FieldKind::Register,
        .number = &S::defL2cr,
        .help = "DefL2CR as the L2 test found it"},
    {.key = "temp",
        .kind = FieldKind::Signed,
        .signedNumber = &S::temp,
        .help = "processor temperature, degrees C"},
    {.key = "rom-hid0",
        .kind = FieldKind::Register,
        .number = &S::romHid0,
        .help = "HID0 as the ROM leaves it at power-on"},
    {.key = "rom-l2cr",
        .kind = FieldKind::Register,
        .number = &S::romL2cr,
        .help = "L2CR as the ROM leaves it at power-on"},
    {.key = "sram-size",
        .kind = FieldKind::Unsigned,
        .number = &S::sramSizeK,
        .accepts = isSramSize,
        .expected = "0, 256, 512, 1024 or 2048",
        .help = "installed L2 SRAM in KB (0: none)"},
    {.key = "sram-type",
        .kind = FieldKind::Choice,
        .number = &S::sramType,
        .choices = sramTypeNames,
        .help = "SRAM type"},
    {.key = "sram-hold",
        .kind = FieldKind::Choice,
        .number = &S::sramHold,
        .choices = sramHoldNames,
        .help = "SRAM output hold, ns"},
    {.key = "sram-differential",
        .kind = FieldKind::Flag,
        .number = &S::sramDifferential,
        .help = "SRAM takes a differential clock"},
    {.key = "sram-max-hz",
        .kind = FieldKind::Unsigned,
        .number = &S::sramMaxHz,
        .help = "fastest L2 clock the SRAM runs at"},
    {.key = "sram-bad",
        .kind = FieldKind::Flag,
        .number = &S::sramBad,
        .help = "the L2 test finds no working SRAM setting"},
    {.key = "l2-test-alloc-fails",
        .kind = FieldKind::Flag,
        .number = &S::l2TestAllocFails,
        .help = "the L2 test cannot allocate its 512K block"},
    {.key = "kext-loaded",
        .kind = FieldKind::Flag,
        .number = &S::kextLoaded,
        .help = "the kernel extension is loaded"},
    {.key = "boot-args",
        .kind = FieldKind::Text,
        .text = &S::bootArgs,
        .optional = true,
        .help = "words for the next boots (kern.bootargs); empty: none"},
    {.key = "journal-seq",
        .kind = FieldKind::Unsigned,
        .number = &S::journalSeq,
        .settable = false,
        .help = "node writes recorded so far"},
};

bool isTextValue(std::string_view text)
{
    if (text.empty() || text.size() > 255 || text.front() == ' ' || text.back() == ' ')
        return false;
    for (char c : text) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

} // namespace

std::span<const FieldSpec> allFields()
{
    return fields;
}

const FieldSpec* findField(std::string_view key)
{
    for (const FieldSpec& f : fields) {
        if (key == f.key)
            return &f;
    }
    return nullptr;
}

bool parseUnsigned(std::string_view text, uint32_t& value)
{
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t v = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return false;
        v = v * base + digit;
    }
    if (v > 0xFFFFFFFFu)
        return false;
    value = uint32_t(v);
    return true;
}

bool parseSigned(std::string_view text, int32_t& value)
{
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    uint32_t magnitude;
    if (!parseUnsigned(text, magnitude))
        return false;
    if (negative ? magnitude > 0x80000000u : magnitude > 0x7FFFFFFFu)
        return false;
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return true;
}

bool parseFieldValue(const FieldSpec& field, std::string_view text, MachineState& state, std::string& why)
{
    uint32_t u;
    switch (field.kind) {
    case FieldKind::Text:
        if (!isTextValue(text) && !(field.optional && text.empty())) {
            why = "expected 1 to 255 printable characters";
            return false;
        }
        state.*field.text = std::string(text);
        return true;
    case FieldKind::Register:
    case FieldKind::Unsigned:
        if (!parseUnsigned(text, u)) {
            why = "expected a number in decimal or 0x hexadecimal";
            return false;
        }
        if (field.accepts && !field.accepts(u)) {
            why = std::string("expected ") + field.expected;
            return false;
        }
        state.*field.number = u;
        return true;
    case FieldKind::Signed: {
        int32_t s;
        if (!parseSigned(text, s)) {
            why = "expected a signed number in decimal or 0x hexadecimal";
            return false;
        }
        state.*field.signedNumber = s;
        return true;
    }
    case FieldKind::Flag:
        if (!parseUnsigned(text, u) || u > 1) {
            why = "expected 0 or 1";
            return false;
        }
        state.*field.number = u;
        return true;
    case FieldKind::Choice:
        for (size_t i = 0; i < field.choices.size(); ++i) {
            if (text == field.choices[i]) {
                state.*field.number = uint32_t(i);
                return true;
            }
        }
        why = "expected one of";
        for (size_t i = 0; i < field.choices.size(); ++i)
            why += std::string(i ? ", " : " ") + field.choices[i];
        return false;
    }
    return false;
}

std::string formatFieldValue(const FieldSpec& field, const MachineState& state)
{
    char buffer[16];
    switch (field.kind) {
    case FieldKind::Text:
        return state.*field.text;
    case FieldKind::Register:
        std::snprintf(buffer, sizeof buffer, "0x%08X", unsigned(state.*field.number));
        return buffer;
    case FieldKind::Unsigned:
    case FieldKind::Flag:
        std::snprintf(buffer, sizeof buffer, "%u", unsigned(state.*field.number));
        return buffer;
    case FieldKind::Signed:
        std::snprintf(buffer, sizeof buffer, "%d", int(state.*field.signedNumber));
        return buffer;
    case FieldKind::Choice: {
        uint32_t index = state.*field.number;
        return index < field.choices.size() ? field.choices[index] : "?";
    }
    }
    return {};
}

} // namespace macsim
