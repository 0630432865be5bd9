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

bool ReadWholeFile(const std::string& fileName, std::string& out, int& error) {
    out.clear();
    // Non-blocking, so that a FIFO under the name cannot hang the program; only files are read.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = EISDIR;
        ::close(fd);
        return false;
    }
    if (st.st_size > 0)
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
    case EISDIR:
        return "keine Datei";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return "Systemfehler " + std::to_string(error);
    }
}

} // namespace kt
