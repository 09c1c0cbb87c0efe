// ParamText's four strings and the record of dialogs and alerts shown.
#include "dialogs/DialogRecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace toolbox {

namespace {

std::string gParams[4];

std::vector<DialogLogEntry>& log()
{
    static std::vector<DialogLogEntry> entries;
    return entries;
}

bool printing()
{
    const char* v = std::getenv("MACSIM_LOG_DIALOGS");
    return v && std::strcmp(v, "1") == 0;
}

} // namespace

const std::string& paramText(int index)
{
    return gParams[index & 3];
}

// One pass from left to right: a substitute that itself holds "^1" stays as it is.
std::string substituteParams(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3') {
            out += gParams[text[i + 1] - '0'];
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

const std::vector<DialogLogEntry>& dialogLog()
{
    return log();
}

void clearDialogLog()
{
    log().clear();
}

void logDialogShown(const char* kind, short id)
{
    DialogLogEntry e;
    e.kind = kind;
    e.id = id;
    for (int i = 0; i < 4; ++i)
        e.params[i] = gParams[i];
    log().push_back(e);
    if (printing()) {
        std::fprintf(stderr, "%s %d: %s | %s | %s | %s\n", e.kind.c_str(), e.id, e.params[0].c_str(),
            e.params[1].c_str(), e.params[2].c_str(), e.params[3].c_str());
        std::fflush(stderr);
    }
}

void logDialogClosed(const char* kind, short id, short itemHit)
{
    for (auto it = log().rbegin(); it != log().rend(); ++it) {
        if (it->kind == kind && it->id == id) {
            it->itemHit = itemHit;
            break;
        }
    }
    if (printing()) {
        std::fprintf(stderr, "%s %d -> %d\n", kind, id, itemHit);
        std::fflush(stderr);
    }
}

} // namespace toolbox

void ParamText(
    ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2, ConstStr255Param param3)
{
    const ConstStr255Param params[4] = {param0, param1, param2, param3};
    for (int i = 0; i < 4; ++i) {
        if (params[i])
            toolbox::gParams[i].assign(reinterpret_cast<const char*>(params[i] + 1), params[i][0]);
    }
}
