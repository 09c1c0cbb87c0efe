// rescomp: compiles the readable resource sources into a resource file.
//
//   rescomp -o OUTPUT.rsrc [--icon-png ID SCALE FILE.png] SOURCE...
//
// The file is written through the Resource Manager, so it has exactly the
// layout the toolbox reads back. It is built beside the output and renamed
// over it only when complete. A bad source prints "file:line: message" and
// exits with 1, leaving any previous output as it was.
#include "PixelArt.h"
#include "PngExport.h"
#include "ResourceCompiler.h"
#include "ResourceWriter.h"
#include "SourceReader.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: rescomp -o OUTPUT.rsrc [--icon-png ID SCALE FILE.png] SOURCE...\n");
    return 1;
}

struct IconExport {
    long id = 0;
    long scale = 1;
    std::string path;
};

} // namespace

int main(int argc, char** argv)
{
    std::string output;
    std::vector<std::string> sources;
    std::vector<IconExport> icons;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (arg == "--icon-png" && i + 3 < argc) {
            IconExport e;
            if (!rescomp::parseInteger(argv[i + 1], e.id) || !rescomp::parseInteger(argv[i + 2], e.scale)
                || e.scale < 1 || e.scale > 16)
                return usage();
            e.path = argv[i + 3];
            icons.push_back(e);
            i += 3;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else {
            sources.push_back(arg);
        }
    }
    if (output.empty() || sources.empty())
        return usage();

    std::vector<rescomp::CompiledResource> resources;
    try {
        for (const std::string& source : sources)
            rescomp::compileFile(source, resources);
    } catch (const rescomp::CompileError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    std::string error;
    if (!rescomp::writeResourceFile(output, resources, error)) {
        std::fprintf(stderr, "rescomp: %s: %s\n", output.c_str(), error.c_str());
        return 1;
    }

    for (const IconExport& e : icons) {
        const rescomp::CompiledResource* icon = nullptr;
        for (const auto& r : resources) {
            if (r.type == rescomp::fourCC("cicn") && r.id == e.id)
                icon = &r;
        }
        if (!icon) {
            std::fprintf(stderr, "rescomp: --icon-png: there is no 'cicn' %ld\n", e.id);
            return 1;
        }
        if (!rescomp::writeArtAsPng(*icon->art, static_cast<int>(e.scale), e.path, error)) {
            std::fprintf(stderr, "rescomp: %s: %s\n", e.path.c_str(), error.c_str());
            return 1;
        }
    }
    return 0;
}
