// The machine's exclusive lock (flock on <machine>/lock): held across every
// read-modify-write of the state and journal, so that programs running at
// once never lose one another's writes.
#pragma once

#include <macsim/Error.h>

#include <string>

namespace macsim {

class MachineLock {
public:
    MachineLock() = default;
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

    // Blocks until the lock is held. Creates the lock file if it is missing;
    // fails with ENOENT when the machine directory does not exist.
    Error acquire(const std::string& machineDir);
    void release();

private:
    int fd_ = -1;
};

} // namespace macsim
