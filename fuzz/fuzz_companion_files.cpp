// The first byte picks the reader: even the cassette file, odd the borrower files (the rest split
// at its first NUL into names and addresses). Each read is written back and compared.
#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/companion_files.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    kt::NoProgress progress;
    kt::Collection c;
    if (data[0] % 2 == 0) {
        kt::ReadCassetteRecords(c, bytes, progress);
        // Whole records come back byte for byte, up to the limit of the table.
        const std::size_t kept = std::min<std::size_t>(bytes.size() / 8, kt::MaxCassettes) * 8;
        if (kt::CassetteFileBytes(c) != bytes.substr(0, kept))
            std::abort();
        return 0;
    }
    const std::size_t split = bytes.find('\0');
    c.LenderNames = kt::ParseLenderFile(bytes.substr(0, split));
    c.LenderAddresses = kt::ParseLenderFile(split == std::string_view::npos ? "" : bytes.substr(split + 1));
    // Written and read again, the lists stay as they are.
    for (const auto* list : {&c.LenderNames, &c.LenderAddresses})
        if (kt::ParseLenderFile(kt::LenderFileBytes(*list)) != *list)
            std::abort();
    c.appendFilm(kt::TFilmV26{});
    c.Film(1).LendStatus = kt::LendLent;
    c.Film(1).LentTo.Strng = std::string(bytes.substr(0, std::min<std::size_t>(bytes.size(), 40)));
    kt::MergeLenders(c);
    return 0;
}
