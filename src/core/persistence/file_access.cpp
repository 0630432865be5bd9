#include "persistence/file_access.h"

#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace kt {

using namespace literals;

namespace {

WriteCall& Call() {
    static WriteCall call;
    return call;
}

ssize_t DoWrite(int fd, const char* data, std::size_t size) {
    if (Call())
        return Call()(fd, data, size);
    return ::write(fd, data, size);
}

// The mode a new file gets from the umask, or the mode of the file it replaces.
mode_t ModeFor(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& target) {
    const std::string dir = FilePathOf(target);
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void SetWriteCall(WriteCall call) {
    Call() = std::move(call);
}

bool ReadWholeFile(const std::string& fileName, std::string& out, int& error) {
    out.clear();
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

WriteOutcome WriteFileSafely(const std::string& target, std::string_view bytes,
                             const std::function<void()>& beforeRename) {
    WriteOutcome out;
    std::string pattern = target + ".kt~XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        out.error = errno;
        return out;
    }
    const std::string temp(name.data());
    auto fail = [&](int error) {
        out.error = error;
        ::close(fd);
        ::unlink(temp.c_str());
        TraceLine("Persist: WriteFileSafely [ERROR] " + target + " errno=" + std::to_string(error));
        return out;
    };
    while (out.written < bytes.size()) {
        const ssize_t n = DoWrite(fd, bytes.data() + out.written, bytes.size() - out.written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC);
        out.written += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, ModeFor(target)) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        out.error = errno;
        ::unlink(temp.c_str());
        return out;
    }
    if (beforeRename)
        beforeRename();
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        out.error = errno;
        ::unlink(temp.c_str());
        return out;
    }
    SyncFolder(target);
    out.ok = true;
    return out;
}

std::string IoReasonText(int error) {
    switch (error) {
    case ENOSPC:
        return "Datenträger voll"_cp;
    case EDQUOT:
        return "Speicherkontingent erschöpft"_cp;
    case EACCES:
    case EPERM:
        return "keine Schreibberechtigung";
    case EROFS:
        return "Datenträger ist schreibgeschützt"_cp;
    case ENOENT:
        return "Ordner nicht gefunden";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return "Systemfehler " + std::to_string(error);
    }
}

} // namespace kt
