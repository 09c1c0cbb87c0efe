// korvendalecache's argument scanning: the input, split at NUL bytes, is the
// command line. Scanning either accepts it silently or prints exactly one
// error line (or, for an empty line, the usage text) and asks for status 1.
#include "FuzzCheck.h"

#include "CacheTool.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The program-wide state the scanner writes, as the tool's main defines it.
unsigned int argFlags = 0;
unsigned int applyL2CR = 0;
unsigned int pvr = 0, hid0 = 0, hid1 = 0, temp = 0, l2cr = 0, def_l2cr = 0;
size_t reqsize = 0;

namespace {

constexpr unsigned kRatioField = 0x0E000000;
constexpr unsigned kSizeField = 0x30000000;

std::vector<std::string> splitAtNul(const uint8_t* data, size_t size)
{
    std::vector<std::string> words {"korvendalecache"};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += char(data[i]);
        }
    }
    if (size > 0)
        words.push_back(word);
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words = splitAtNul(data, size);
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    argFlags = 0;
    applyL2CR = 0;
    char* output = nullptr;
    size_t outputSize = 0;
    FILE* captured = open_memstream(&output, &outputSize);
    FUZZ_CHECK(captured != nullptr);
    FILE* realStdout = stdout;
    stdout = captured;
    int status = handle_args(int(words.size()), argv.data());
    stdout = realStdout;
    std::fclose(captured);
    std::string printed(output, outputSize);
    std::free(output);

    if (words.size() == 1) {
        FUZZ_CHECK(status == 1);
        FUZZ_CHECK(printed.rfind("usage:\n", 0) == 0);
        return 0;
    }
    if (status == 0) {
        FUZZ_CHECK(printed.empty());
        FUZZ_CHECK((applyL2CR & ~(kRatioField | kSizeField)) == 0);
        FUZZ_CHECK(((argFlags & kRatioFlag) != 0) == ((applyL2CR & kRatioField) != 0));
        return 0;
    }
    FUZZ_CHECK(status == 1);
    FUZZ_CHECK(printed.rfind("error: ", 0) == 0);
    FUZZ_CHECK(printed.back() == '\n');
    return 0;
}
