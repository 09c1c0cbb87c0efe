// AppleDouble sidecars: a malformed one is refused; an accepted one keeps its
// Finder info and resource fork through a write and a second read.
#include "FuzzCheck.h"

#include "files/AppleDouble.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    toolbox::AppleDouble sidecar;
    if (!toolbox::AppleDouble::parse(bytes, sidecar))
        return 0;

    auto info = sidecar.finderInfo();
    auto fork = sidecar.resourceFork();
    toolbox::AppleDouble again;
    FUZZ_CHECK(toolbox::AppleDouble::parse(sidecar.serialize(), again));
    FUZZ_CHECK(again.finderInfo() == info);
    FUZZ_CHECK(again.resourceFork() == fork);

    // Changing one entry leaves the other as it was.
    fork.push_back(0xA5);
    again.setResourceFork(fork);
    FUZZ_CHECK(again.finderInfo() == info);
    toolbox::AppleDouble third;
    FUZZ_CHECK(toolbox::AppleDouble::parse(again.serialize(), third));
    FUZZ_CHECK(third.resourceFork() == fork);
    FUZZ_CHECK(third.finderInfo() == info);
    return 0;
}
