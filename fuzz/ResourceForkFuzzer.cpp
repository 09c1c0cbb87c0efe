// Resource forks: a damaged fork is refused with mapReadErr or eofErr; one
// that is accepted writes back to a fork that reads as the same resources.
#include "FuzzCheck.h"

#include "resources/ResourceForkFormat.h"

#include <Files.h>
#include <Resources.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Writing a fork clears the "changed" marks, which only mean something in
// memory; everything else must come back as it was.
bool sameResources(const toolbox::ResourceForkImage& a, const toolbox::ResourceForkImage& b)
{
    if ((a.fileAttributes & ~mapChanged) != b.fileAttributes || a.resources.size() != b.resources.size())
        return false;
    for (size_t i = 0; i < a.resources.size(); ++i) {
        const auto& x = a.resources[i];
        const auto& y = b.resources[i];
        if (x.type != y.type || x.id != y.id || x.named != y.named || x.name != y.name
            || (x.attributes & ~resChanged) != y.attributes || x.data != y.data)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> fork(data, data + size);
    toolbox::ResourceForkImage image;
    OSErr err = toolbox::parseResourceFork(fork, image);
    if (err != noErr) {
        FUZZ_CHECK(err == mapReadErr || err == eofErr);
        return 0;
    }

    std::vector<uint8_t> written;
    if (toolbox::serializeResourceFork(image, written) != noErr)
        return 0; // too big for the format's offsets: refused, not mangled
    toolbox::ResourceForkImage again;
    FUZZ_CHECK(toolbox::parseResourceFork(written, again) == noErr);
    FUZZ_CHECK(sameResources(image, again));
    return 0;
}
