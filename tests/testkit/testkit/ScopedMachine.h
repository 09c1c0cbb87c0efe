// A fresh simulated Macintosh for one test, made with the `macsim` command in
// a temporary directory and removed afterwards. While it lives,
// MACSIM_MACHINE names it, so every program the test starts runs on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testkit {

class ScopedMachine {
public:
    explicit ScopedMachine(const std::string& preset = {});
    ~ScopedMachine();
    ScopedMachine(const ScopedMachine&) = delete;
    ScopedMachine& operator=(const ScopedMachine&) = delete;

    const std::filesystem::path& directory() const { return dir_; }
    std::filesystem::path disk() const { return dir_ / "disk"; }

    // `macsim` verbs on this machine; each fails the test if the verb fails.
    void set(const std::vector<std::string>& assignments); // {"l2cr=0x...", "temp=45"}
    void loadExtension(); // macsim kext load
    void unloadExtension(); // macsim kext unload
    void boot(); // macsim boot
    uint32_t get(const std::string& field); // macsim get FIELD
    std::string journal(); // macsim journal
    std::string show(); // macsim show

private:
    std::string macsim(const std::vector<std::string>& args);
    std::filesystem::path dir_;
    std::string previous_;
    bool hadPrevious_ = false;
};

} // namespace testkit
