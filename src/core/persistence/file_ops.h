#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kt {

// The file-system calls that change what is on disk when files are replaced. Saving goes through
// this seam so that tests can fail or "crash" any single step. Each call returns 0 or an errno.
class FileOps {
public:
    virtual ~FileOps() = default;
    // Creates `path`, which must not exist yet, for writing.
    virtual int create(const std::string& path, int& fd);
    // Writes part of `data`; `written` is what reached the file.
    virtual int write(int fd, const char* data, std::size_t size, std::size_t& written);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int link(const std::string& from, const std::string& to);
    virtual int rename(const std::string& from, const std::string& to);
    virtual int unlink(const std::string& path);
    virtual int fsyncFolder(const std::string& folder);
};

// The calls in use: the real ones unless a test has put its own in place.
FileOps& CurrentFileOps();
// Test seam: `ops` replaces the real calls until it is reset with nullptr.
void SetFileOps(FileOps* ops);

} // namespace kt
