// The first byte picks the data version the caller expects (as the file name would); the rest
// is the film data file. Every question is answered Yes so that every reader is reached.
#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/companion_files.h"
#include "persistence/film_data_file.h"
#include "persistence/fixed_records.h"
#include "persistence/tagged_records.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Written(kt::Collection& c, int minor) {
    kt::NoProgress p;
    return minor >= 4 ? kt::TaggedFileBytes(c, c.DataVerMain, minor, p)
                      : kt::FixedFileBytes(c, c.DataVerMain, minor, p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
    kt::SilentDialogs ui;
    kt::NoProgress progress;
    std::string errorText;

    kt::Collection c;
    c.DataVerMinor = data[0] % 7;
    if (kt::LoadFilmRecords(c, file, "fuzz.VD6", errorText, ui, progress)) {
        // What was read is written and read back to the same bytes (2.1 dates are shifted by a
        // floating-point offset, so that version is left out).
        const int minor = c.DataVerMinor;
        if (minor != 1) {
            const std::string first = Written(c, minor);
            kt::Collection again;
            again.DataVerMinor = minor;
            if (!kt::LoadFilmRecords(again, first, "again", errorText, ui, progress) ||
                Written(again, minor) != first)
                std::abort();
        }
    }

    kt::Collection companions;
    kt::ReadCassetteRecords(companions, file, progress);
    companions.LenderNames = kt::ParseLenderFile(file);
    if (kt::ParseLenderFile(kt::LenderFileBytes(companions.LenderNames)) != companions.LenderNames)
        std::abort();
    return 0;
}
