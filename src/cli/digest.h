#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kt::cli {

// Lower-case hex SHA-256 of the bytes.
std::string Sha256Hex(const std::vector<uint8_t>& data);
// Standard base64 (RFC 4648, padding optional, blanks and line breaks ignored); nullopt when the
// text is no base64.
std::optional<std::vector<uint8_t>> DecodeBase64(const std::string& text);

} // namespace kt::cli
