// The package built from this build tree and unpacked into a fresh root
// (dpkg-deb -x, since dpkg --root would need a whole system in that root).
#pragma once

#include <filesystem>
#include <string>

namespace package {

struct InstalledTree {
    std::filesystem::path deb; // the package file
    std::filesystem::path root; // the fresh root it was unpacked into
    std::filesystem::path control; // its control files (dpkg-deb -e)
    std::string problem; // why there is none, if there is none

    // A path inside the root, given as installed ("/usr/bin/macsim").
    std::filesystem::path operator/(const std::string& installedPath) const;
    // The configured prefix inside the root.
    std::filesystem::path prefix() const;
};

// Builds and unpacks the package once per process.
const InstalledTree& installedTree();

} // namespace package
