// The system's one exception type and the ways to raise it.
//
// Every failure in the library and the application is a ThrowError: a failed
// platform call carries its result code (sign-extended), a broken
// precondition -1, a message meant for the user 0 with justAMessage set.
// Each error names the source unit and line that raised it. A source unit
// names itself once, near its top:
//
//     KORV_SOURCE_UNIT("PFiles");
//
// and then raises through the macros below, which fill in unit and line:
//
//     THROW_IF_ERR(FSpDelete(&spec), PSTR("Error deleting file!"));
//     THROW_ASSERT(descriptorGood == true);   // "Assertion failed: descriptorGood == true", -1
//     THROW_MESSAGE(PSTR("Your preferences are ..."));   // 0, justAMessage
#pragma once

#include <MacTypes.h>

struct ThrowError {
    UInt32 errorNum;
    ConstStringPtr description; // not owned
    ConstStringPtr fileName; // not owned
    UInt32 line;
    Boolean justAMessage;
};

// Deliberately static: each source unit that includes this header gets its
// own private copy.
[[noreturn]] static inline void Throw(unsigned long errorNum, const unsigned char* description,
    const unsigned char* fileName, unsigned long line, char msg)
{
    throw ThrowError {static_cast<UInt32>(errorNum), description, fileName, static_cast<UInt32>(line),
        static_cast<Boolean>(msg != 0)};
}

template<typename T>
T ThrowIfNil(T value, const unsigned char* description, const unsigned char* fileName, unsigned long line)
{
    if (value == nullptr)
        Throw(static_cast<unsigned long>(-1), description, fileName, line, false);
    return value;
}

// The error number as the user sees it: the signed reading of its 32 bits.
inline SInt32 ThrowErrorNumber(const ThrowError& error)
{
    return static_cast<SInt32>(error.errorNum);
}

#define KORV_SOURCE_UNIT(name)                                                                               \
    namespace {                                                                                              \
    [[maybe_unused]] constexpr ConstStringPtr korvSourceUnit = PSTR(name);                                   \
    }                                                                                                        \
    static_assert(true, "")

// Raises `description` with the result code when `err` is not noErr.
#define THROW_IF_ERR(err, description)                                                                       \
    do {                                                                                                     \
        const long korvErr_ = static_cast<long>(err);                                                        \
        if (korvErr_ != 0)                                                                                   \
            Throw(static_cast<unsigned long>(korvErr_), (description), korvSourceUnit, __LINE__, false);     \
    } while (0)

// Raises `description` with `err`, unconditionally (for results tested by hand).
#define THROW_ERR(err, description)                                                                          \
    Throw(static_cast<unsigned long>(static_cast<long>(err)), (description), korvSourceUnit, __LINE__, false)

// Raises "Assertion failed: <condition>" with -1 when the condition is false.
#define THROW_ASSERT(condition)                                                                              \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            Throw(static_cast<unsigned long>(-1), PSTR("Assertion failed: " #condition), korvSourceUnit,     \
                __LINE__, false);                                                                            \
    } while (0)

// Raises a message for the user: number 0, shown without file and line.
#define THROW_MESSAGE(description) Throw(0, (description), korvSourceUnit, __LINE__, true)

// ThrowIfNil with this unit and line.
#define THROW_IF_NIL(value, description) ThrowIfNil((value), (description), korvSourceUnit, __LINE__)
