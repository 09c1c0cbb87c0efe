// The named fields of the hardware state: one table that the state file, the
// `macsim set` and `macsim get` verbs all go by, so a field is spelt, parsed
// and printed the same way everywhere.
#pragma once

#include <macsim/MachineState.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace macsim {

enum class FieldKind {
    Text, // printable ASCII, 1 to 255 characters
    Register, // 32-bit word, printed as 0x%08X
    Unsigned, // 32-bit unsigned, printed in decimal
    Signed, // 32-bit signed, printed in decimal
    Flag, // 0 or 1
    Choice, // one of a list of words; stored as its index
};

struct FieldSpec {
    const char* key;
    FieldKind kind;
    std::string MachineState::*text = nullptr;
    uint32_t MachineState::*number = nullptr; // Register, Unsigned, Flag, Choice
    int32_t MachineState::*signedNumber = nullptr;
    std::span<const char* const> choices = {};
    bool (*accepts)(uint32_t) = nullptr; // extra check on an Unsigned value
    const char* expected = nullptr; // what `accepts` wants, for the message
    bool settable = true;
    // May be empty, and then is left out of the state file, so that machines
    // made before the field existed still read (Text only).
    bool optional = false;
    const char* help = "";
};

std::span<const FieldSpec> allFields();
const FieldSpec* findField(std::string_view key);

// Parses `text` as a value of `field` into `state`. On failure returns false
// and sets `why` to a short explanation ("expected a number ...").
bool parseFieldValue(const FieldSpec& field, std::string_view text, MachineState& state, std::string& why);

// The value as the state file and `macsim get` print it.
std::string formatFieldValue(const FieldSpec& field, const MachineState& state);

// Numbers as users write them: decimal or 0x hexadecimal, 32 bits.
bool parseUnsigned(std::string_view text, uint32_t& value);
bool parseSigned(std::string_view text, int32_t& value);

} // namespace macsim
