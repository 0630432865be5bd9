#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kt {

// Reads the whole file into `out`; false with errno in `error` when it cannot be read.
bool ReadWholeFile(const std::string& fileName, std::string& out, int& error);

struct WriteOutcome {
    bool ok = false;
    int error = 0;           // errno of the step that failed
    std::size_t written = 0; // bytes that reached the temporary file
};

// Writes `bytes` as the file `target` without ever leaving a half-written file under that name:
// a temporary file in the same folder is written completely and flushed, then `beforeRename`
// runs (the backup step), then the temporary file is renamed into place. On failure the
// temporary file is removed and `beforeRename` has not run.
WriteOutcome WriteFileSafely(const std::string& target, std::string_view bytes,
                             const std::function<void()>& beforeRename = {});

// Test seam: replaces write(2) for the data written by WriteFileSafely; an empty function
// restores the real one.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
void SetWriteCall(WriteCall call);

// A short German reason for an errno value, for error texts.
std::string IoReasonText(int error);

} // namespace kt
