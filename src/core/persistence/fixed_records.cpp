#include "persistence/fixed_records.h"

#include "model/collection.h"
#include "persistence/progress_ticker.h"
#include "persistence/record_bytes.h"
#include "persistence/tagged_records.h"
#include "text/cp1252.h"

#include <algorithm>

namespace kt {

using namespace bytes;
using namespace literals;

namespace {

// Version 2.1 counted its dates from 1 January of the year 1.
constexpr double V21DateOffset = 693594.0;

constexpr std::size_t CountryField = 5;

void PutShortText(std::string& out, const std::string& text, std::size_t capacity) {
    const std::size_t n = std::min(text.size(), capacity);
    PutU8(out, static_cast<uint8_t>(n));
    out.append(text, 0, n);
    out.append(capacity - n, '\0');
}

std::string GetShortText(std::string_view rec, std::size_t offset, std::size_t capacity) {
    const std::size_t n = std::min<std::size_t>(GetU8(rec.data() + offset), capacity);
    return std::string(rec.substr(offset + 1, n));
}

} // namespace

std::size_t FixedRecordSize(int minor) {
    switch (minor) {
    case 0:
        return 1552;
    case 1:
        return 1562;
    case 2:
    case 3:
        return 1564;
    default:
        return 0;
    }
}

std::string FixedHeaderRecord(int main, int minor) {
    std::string rec;
    PutShortText(rec, "KASSOTEK-VERSION   " + std::to_string(main) + "." + std::to_string(minor), 255);
    rec.resize(FixedRecordSize(3), '\0');
    return rec;
}

std::optional<FixedMisfit> FindFixedMisfit(const TFilmV26& f, int minor) {
    struct Field {
        const char* name;
        long long value;
        long long min, max;
        int from; // first version that stores it
    };
    const Field fields[] = {
        {"Jahr", f.ProdYear, 0, 65535, 0},
        {"Länge", f.FilmLength, 0, 65535, 0},
        {"Film-Nr.", f.FilmNr, 0, 65535, 0},
        {"Cassetten-Nr.", f.CasNr, 0, 65535, 0},
        {"Position auf Cassette", f.PosOnCas, 0, 255, 0},
        {"Karte vorhanden", f.CatalogCard, 0, 255, 1},
        {"Wertung", f.Rating, -128, 127, 1},
        {"Nettolänge", f.NetLength, 0, 65535, 2},
    };
    for (const Field& fd : fields)
        if (minor >= fd.from && (fd.value < fd.min || fd.value > fd.max))
            return FixedMisfit{ToCp1252(fd.name), fd.value, fd.min, fd.max};
    return std::nullopt;
}

void AppendFixedRecord(std::string& out, const TFilmV26& f, int minor) {
    const std::size_t start = out.size();
    PutShortText(out, f.FilmName.Strng, 255);
    PutU16(out, static_cast<uint16_t>(f.ProdYear));
    PutU16(out, static_cast<uint16_t>(f.FilmLength));
    PutU16(out, static_cast<uint16_t>(f.FilmNr));
    PutShortText(out, f.Stars.Strng, 255);
    PutShortText(out, f.Director.Strng, 255);
    PutShortText(out, f.Content.Strng, 255);
    PutShortText(out, f.Remark.Strng, 255);
    PutU16(out, static_cast<uint16_t>(f.CasNr));
    PutU8(out, static_cast<uint8_t>(f.PosOnCas));
    PutShortText(out, f.Category.Strng, 255);
    PutShortText(out, f.Country.Strng, CountryField - 1);
    PutU8(out, f.TwoChannel ? 1 : 0);
    PutU8(out, f.Commercials ? 1 : 0);
    if (minor >= 1) {
        PutU8(out, static_cast<uint8_t>(f.CatalogCard));
        PutU8(out, static_cast<uint8_t>(static_cast<int8_t>(f.Rating)));
        PutF64(out, minor == 1 ? f.RecDate + V21DateOffset : f.RecDate);
    }
    if (minor >= 2)
        PutU16(out, static_cast<uint16_t>(f.NetLength));
    out.resize(start + FixedRecordSize(minor), '\0');
}

TFilmV26 DecodeFixedRecord(std::string_view rec, int minor) {
    TFilmV26 f;
    const char* p = rec.data();
    f.FilmName.Strng = GetShortText(rec, 0, 255);
    f.ProdYear = GetU16(p + 256);
    f.FilmLength = GetU16(p + 258);
    f.FilmNr = GetU16(p + 260);
    f.Stars.Strng = GetShortText(rec, 262, 255);
    f.Director.Strng = GetShortText(rec, 518, 255);
    f.Content.Strng = GetShortText(rec, 774, 255);
    f.Remark.Strng = GetShortText(rec, 1030, 255);
    f.CasNr = GetU16(p + 1286);
    f.PosOnCas = GetU8(p + 1288);
    f.Category.Strng = GetShortText(rec, 1289, 255);
    f.Country.Strng = GetShortText(rec, 1545, CountryField - 1);
    f.TwoChannel = p[1550] != 0;
    f.Commercials = p[1551] != 0;
    f.CatalogCard = 0;
    f.Rating = 0;
    f.RecDate = 0;
    f.NetLength = 0;
    if (minor >= 1) {
        f.CatalogCard = GetU8(p + 1552);
        f.Rating = static_cast<int8_t>(GetU8(p + 1553));
        f.RecDate = GetF64(p + 1554);
        if (minor == 1)
            f.RecDate -= V21DateOffset;
    }
    if (minor >= 2)
        f.NetLength = GetU16(p + 1562);
    // A stored 0 of version 2.1 and any other date before 1899 mean "not entered".
    if (!(f.RecDate >= 0))
        f.RecDate = 0;
    f.StorageType = StVideo;
    f.LendStatus = LendNotLent;
    f.AnzDiscs = 0;
    f.Languages = 1;
    return f;
}

RecordsRead ReadFixedFilms(Collection& c, std::string_view data, int minor, bool hasHeader,
                           Progress& progress) {
    const std::size_t size = FixedRecordSize(minor);
    const std::size_t first = hasHeader ? size : 0;
    if (data.size() < first)
        return RecordsRead::Damaged;
    ProgressTicker tick(progress, "Filmdaten werden geladen!",
                        static_cast<int64_t>((data.size() - first) / size));
    for (std::size_t pos = first; pos < data.size(); pos += size) {
        if (c.AnzFilm() >= MaxFilms) {
            c.ActError = 13;
            return RecordsRead::FilmLimit;
        }
        if (data.size() - pos < size)
            return RecordsRead::Damaged;
        TFilmV26 film = DecodeFixedRecord(data.substr(pos, size), minor);
        film.FilmNr = c.AnzFilm() + 1;
        c.appendFilm(std::move(film));
        tick(c.AnzFilm());
    }
    return RecordsRead::Ok;
}

std::string FixedFileBytes(const Collection& c, int main, int minor, Progress& progress) {
    std::string out;
    out.reserve(FixedRecordSize(minor) * (static_cast<std::size_t>(c.AnzFilm()) + 1));
    if (minor == 3)
        out += FixedHeaderRecord(main, minor);
    ProgressTicker tick(progress, "Filmdaten werden gesichert!", c.AnzFilm());
    for (int slot = 1; slot <= c.AnzFilm(); ++slot) {
        AppendFixedRecord(out, c.Film(slot), minor);
        tick(slot);
    }
    return out;
}

} // namespace kt
