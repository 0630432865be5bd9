#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kt {

// Reads the whole file into `out`; false with errno in `error` when it cannot be read.
bool ReadWholeFile(const std::string& fileName, std::string& out, int& error);

// A short German reason for an errno value, for error texts.
std::string IoReasonText(int error);

} // namespace kt
