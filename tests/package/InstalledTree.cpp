#include "InstalledTree.h"

#include "testkit/Process.h"

#include <cstdlib>

namespace package {

namespace fs = std::filesystem;

fs::path InstalledTree::operator/(const std::string& installedPath) const
{
    return root / fs::path(installedPath).relative_path();
}

fs::path InstalledTree::prefix() const
{
    return *this / KORV_INSTALL_PREFIX;
}

namespace {

InstalledTree build()
{
    InstalledTree tree;
    std::string pattern = (fs::temp_directory_path() / "korv-package-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        tree.problem = "mkdtemp failed";
        return tree;
    }
    fs::path work(pattern);
    static const struct Cleanup {
        fs::path dir;
        ~Cleanup()
        {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } cleanup {work};
    testkit::ProcessResult cpack = testkit::run("/usr/bin/cpack",
        {"-G", "DEB", "--config", std::string(KORV_BUILD_DIR) + "/CPackConfig.cmake", "-B",
            (work / "out").string()});
    if (cpack.status != 0) {
        tree.problem = "cpack failed:\n" + cpack.out + cpack.err;
        return tree;
    }
    for (const auto& entry : fs::directory_iterator(work / "out")) {
        if (entry.path().extension() == ".deb")
            tree.deb = entry.path();
    }
    if (tree.deb.empty()) {
        tree.problem = "cpack made no .deb:\n" + cpack.out;
        return tree;
    }
    tree.root = work / "root";
    tree.control = work / "control";
    for (const auto& [verb, dir] : {std::pair {"-x", tree.root}, std::pair {"-e", tree.control}}) {
        testkit::ProcessResult r = testkit::run("/usr/bin/dpkg-deb", {verb, tree.deb.string(), dir.string()});
        if (r.status != 0) {
            tree.problem = std::string("dpkg-deb ") + verb + " failed: " + r.err;
            return tree;
        }
    }
    return tree;
}

} // namespace

const InstalledTree& installedTree()
{
    static const InstalledTree tree = build();
    return tree;
}

} // namespace package
