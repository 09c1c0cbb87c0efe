// sysctl and sysctlbyname over the machine in use: the BSD calling
// conventions (old value and length, new value and length, errno) on top of
// its nodes. Every failure leaves the caller's buffer and length as they
// were, except a too-small text buffer, which gets what fits (as BSD does).
#include <sys/sysctl.h>

#include <machine/Machine.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

int failWith(int err)
{
    errno = err;
    return -1;
}

// A 32-bit word node: a read copies the word when there is room for it; a
// null old pointer asks only for the size.
int answerWord(uint32_t word, void* oldp, size_t* oldlenp)
{
    if (!oldlenp)
        return 0;
    if (oldp) {
        if (*oldlenp < sizeof word)
            return failWith(ENOMEM);
        std::memcpy(oldp, &word, sizeof word);
    }
    *oldlenp = sizeof word;
    return 0;
}

// A text node: the string with its terminating zero.
int answerText(const std::string& text, void* oldp, size_t* oldlenp)
{
    const size_t length = text.size() + 1;
    if (!oldlenp)
        return 0;
    if (!oldp) {
        *oldlenp = length;
        return 0;
    }
    if (*oldlenp < length) {
        std::memcpy(oldp, text.c_str(), *oldlenp);
        return failWith(ENOMEM);
    }
    std::memcpy(oldp, text.c_str(), length);
    *oldlenp = length;
    return 0;
}

// The kern nodes, read-only text.
struct TextNode {
    const char* name;
    int (machine::Machine::*read)(std::string&);
};

constexpr TextNode kTextNodes[] = {
    {"kern.ostype", &machine::Machine::readOSType},
    {"kern.bootargs", &machine::Machine::readBootArgs},
};

const TextNode* findTextNode(const char* name)
{
    for (const TextNode& node : kTextNodes) {
        if (std::strcmp(node.name, name) == 0)
            return &node;
    }
    return nullptr;
}

int byName(const char* name, void* oldp, size_t* oldlenp, void* newp, size_t newlen)
{
    if (!name)
        return failWith(EINVAL);
    machine::Machine& machine = machine::current();
    if (const TextNode* node = findTextNode(name)) {
        if (newp)
            return failWith(EPERM);
        std::string text;
        if (int err = (machine.*node->read)(text))
            return failWith(err);
        return answerText(text, oldp, oldlenp);
    }
    if (newp && newlen != sizeof(uint32_t))
        return failWith(EINVAL);

    bool wantsOld = oldlenp != nullptr;
    if (wantsOld) {
        uint32_t word = 0;
        if (int err = machine.readWord(name, word))
            return failWith(err);
        if (oldp && *oldlenp < sizeof word)
            return failWith(ENOMEM);
        if (!newp)
            return answerWord(word, oldp, oldlenp);
        // Read and write in one call: the old value goes out only once the
        // write has taken.
        uint32_t newWord;
        std::memcpy(&newWord, newp, sizeof newWord);
        if (int err = machine.writeWord(name, newWord))
            return failWith(err);
        return answerWord(word, oldp, oldlenp);
    }
    if (newp) {
        uint32_t newWord;
        std::memcpy(&newWord, newp, sizeof newWord);
        if (int err = machine.writeWord(name, newWord))
            return failWith(err);
        return 0;
    }
    // Neither reading nor writing: the node's existence is all that is asked.
    uint32_t word;
    if (int err = machine.readWord(name, word))
        return failWith(err);
    return 0;
}

int byNumber(int* name, u_int namelen, void* oldp, size_t* oldlenp, void* newp, size_t newlen)
{
    if (!name || namelen != 2 || name[0] != CTL_HW)
        return failWith(name && namelen >= 1 && name[0] != CTL_HW ? ENOENT : EINVAL);
    int which = name[1];
    if (which != HW_CPU_FREQ && which != HW_BUS_FREQ && which != HW_MODEL)
        return failWith(ENOENT);
    if (newp || newlen)
        return failWith(EPERM);

    if (which == HW_MODEL) {
        std::string model;
        if (int err = machine::current().readModel(model))
            return failWith(err);
        return answerText(model, oldp, oldlenp);
    }

    uint32_t cpuHz = 0, busHz = 0;
    if (int err = machine::current().readClocks(cpuHz, busHz))
        return failWith(err);
    return answerWord(which == HW_CPU_FREQ ? cpuHz : busHz, oldp, oldlenp);
}

} // namespace

// Nothing may escape into C callers: the only exception the simulated machine
// can raise is running out of memory.
extern "C" int sysctlbyname(const char* name, void* oldp, size_t* oldlenp, void* newp, size_t newlen)
{
    try {
        return byName(name, oldp, oldlenp, newp, newlen);
    } catch (...) {
        return failWith(ENOMEM);
    }
}

extern "C" int sysctl(int* name, u_int namelen, void* oldp, size_t* oldlenp, void* newp, size_t newlen)
{
    try {
        return byNumber(name, namelen, oldp, oldlenp, newp, newlen);
    } catch (...) {
        return failWith(ENOMEM);
    }
}
