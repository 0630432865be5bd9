#pragma once

#include <string>

namespace kt {

// The lock that lets only one Kassotek run per user: flock on "Kassotek.lock" in
// $XDG_RUNTIME_DIR (else the temporary folder). The system drops the lock when the holder
// ends in any way, so a file left behind by a crash never blocks the next start.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(std::string path = DefaultPath());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this object now holds the lock (also when it held it already).
    bool acquire();
    void release();
    bool held() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    static std::string DefaultFolder();
    static std::string DefaultPath();

private:
    std::string path_;
    int fd_ = -1;
};

} // namespace kt
