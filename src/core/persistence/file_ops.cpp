#include "persistence/file_ops.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kt {

namespace {

FileOps*& Installed() {
    static FileOps* ops = nullptr;
    return ops;
}

} // namespace

int FileOps::create(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    return fd < 0 ? errno : 0;
}

int FileOps::write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    for (;;) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        written = static_cast<std::size_t>(n);
        return 0;
    }
}

int FileOps::fsync(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int FileOps::close(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

int FileOps::link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOps::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOps::unlink(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int FileOps::fsyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return result;
}

FileOps& CurrentFileOps() {
    static FileOps real;
    return Installed() ? *Installed() : real;
}

void SetFileOps(FileOps* ops) {
    Installed() = ops;
}

} // namespace kt
