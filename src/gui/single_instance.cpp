#include "single_instance.h"

#include "text/helpers.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace kt {

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

std::string SingleInstanceLock::DefaultFolder() {
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const std::string value = EnvValue(name);
        if (!value.empty())
            return value;
    }
    return "/tmp";
}

std::string SingleInstanceLock::DefaultPath() {
    return WithBackslash(DefaultFolder()) + "Kassotek.lock";
}

bool SingleInstanceLock::acquire() {
    if (fd_ >= 0)
        return true;
    // O_NOFOLLOW: in a shared temporary folder the name could be a planted link.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && errno == EACCES)
        fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    // The holder's process number, for whoever looks at the file; the lock does not depend on it.
    if (::ftruncate(fd_, 0) == 0) {
        const std::string pid = std::to_string(::getpid()) + "\n";
        [[maybe_unused]] const ssize_t written = ::write(fd_, pid.data(), pid.size());
    }
    return true;
}

void SingleInstanceLock::release() {
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace kt
