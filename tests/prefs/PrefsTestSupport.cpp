#include "PrefsTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace prefstest {

Bytes FromHex(const std::string& hex)
{
    const std::string digits = Compact(hex);
    Bytes bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string ToHex(const Bytes& bytes)
{
    std::string hex;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
    }
    return hex;
}

std::string Compact(const std::string& hex)
{
    std::string digits;
    for (char c : hex) {
        if (c != ' ')
            digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return digits;
}

Bytes ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path PrefsMachineTest::folder() const
{
    return machine.disk() / "System" / "Library" / "StartupItems" / "Korvendale Startup";
}

testkit::ProcessResult PrefsMachineTest::probe(const std::vector<std::string>& args)
{
    return testkit::run("prefs-probe", args, {{"MACSIM_MACHINE", machine.directory().string()}});
}

} // namespace prefstest
