#include "persistence/tagged_records.h"

#include "model/collection.h"
#include "persistence/progress_ticker.h"
#include "persistence/record_bytes.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <unordered_set>

namespace kt {

using namespace bytes;

namespace {

constexpr std::size_t PicMinBytes = 12; // size, flags and the text's length field

bool HasPicBytes(const TPicRec& pic) {
    return pic.PicFlags < PicLink;
}

// An empty text is written as one blank, so that no text has length 0.
std::size_t StoredTextSize(const TStrRec& t) {
    return t.Strng.empty() ? 1 : t.Strng.size();
}

void PutText(std::string& out, const TStrRec& t) {
    if (t.Strng.empty()) {
        PutI32(out, 1);
        out.push_back(' ');
        return;
    }
    PutI32(out, static_cast<int32_t>(t.Strng.size()));
    out += t.Strng;
}

void GetText(Cursor& in, TStrRec& t) {
    const std::string_view s = in.raw(in.i32());
    t.Strng = s == " " ? std::string() : std::string(s);
}

} // namespace

std::string TaggedHeader(int main, int minor) {
    return "Kassotek" + std::to_string(main) + "." + std::to_string(minor) + "#";
}

std::size_t TaggedRecordsStart(std::string_view data) {
    if (data.substr(0, 8) != "Kassotek")
        return std::string_view::npos;
    const std::string_view window = data.substr(8, 12);
    const auto hash = window.find('#');
    if (hash == std::string_view::npos)
        return std::string_view::npos;
    bool error = false;
    TextToFloat(std::string(window.substr(0, hash)), error);
    if (error)
        return std::string_view::npos;
    return 8 + hash + 1;
}

int64_t TaggedRecordLength(const TFilmV26& f, int minor) {
    int64_t n = 4 + 9 * 4 + 12 * 4 + 2 + 8; // RecLength, nine text lengths, 12 numbers, 2 flags, date: 98
    for (const TStrRec* t : {&f.FilmName, &f.Stars, &f.Director, &f.Content, &f.Remark, &f.Category,
                             &f.Country, &f.LentTo, &f.LenderAddress})
        n += static_cast<int64_t>(StoredTextSize(*t));
    if (minor >= 5) {
        n += 4;
        for (const TPicRec& p : f.Pics) {
            n += static_cast<int64_t>(PicMinBytes + StoredTextSize(p.PicText));
            if (HasPicBytes(p))
                n += static_cast<int64_t>(p.PicData.size());
        }
    }
    if (minor >= 6)
        n += 16;
    return n;
}

void AppendTaggedRecord(std::string& out, TFilmV26& f, int minor) {
    f.RecLength = static_cast<int32_t>(TaggedRecordLength(f, minor));
    PutI32(out, f.RecLength);
    PutText(out, f.FilmName);
    PutI32(out, f.ProdYear);
    PutI32(out, f.FilmLength);
    PutI32(out, f.FilmNr);
    PutText(out, f.Stars);
    PutText(out, f.Director);
    PutText(out, f.Content);
    PutText(out, f.Remark);
    PutI32(out, f.CasNr);
    PutI32(out, f.PosOnCas);
    PutText(out, f.Category);
    PutText(out, f.Country);
    PutU8(out, f.TwoChannel ? 1 : 0);
    PutU8(out, f.Commercials ? 1 : 0);
    PutI32(out, f.CatalogCard);
    PutI32(out, f.Rating);
    PutF64(out, f.RecDate);
    PutI32(out, f.StorageType);
    PutI32(out, f.LendStatus);
    PutI32(out, f.AnzDiscs);
    PutText(out, f.LentTo);
    PutText(out, f.LenderAddress);
    PutI32(out, f.NetLength);
    PutI32(out, f.Languages);
    if (minor >= 5) {
        PutI32(out, f.AnzPics());
        for (const TPicRec& p : f.Pics) {
            // A kept picture's size is the number of bytes it holds, so the record stays readable.
            PutI32(out, HasPicBytes(p) ? static_cast<int32_t>(p.PicData.size()) : p.PicSize);
            PutI32(out, p.PicFlags);
            if (HasPicBytes(p))
                out.append(reinterpret_cast<const char*>(p.PicData.data()), p.PicData.size());
            PutText(out, p.PicText);
        }
    }
    if (minor >= 6) {
        PutI32(out, f.SoundFormat);
        PutI32(out, f.PictureFormat);
        PutI32(out, f.DvdRegion);
        PutI32(out, f.Fsk);
    }
}

bool ReadTaggedRecord(std::string_view data, std::size_t pos, int minor, TFilmV26& f, std::size_t& next) {
    if (pos > data.size() || data.size() - pos < 4)
        return false;
    const int32_t recLength = GetI32(data.data() + pos);
    if (recLength < 4 || static_cast<std::size_t>(recLength) > data.size() - pos)
        return false;
    const std::size_t end = pos + static_cast<std::size_t>(recLength);
    Cursor in(data, pos + 4, end);
    f.RecLength = recLength;
    GetText(in, f.FilmName);
    f.ProdYear = in.i32();
    f.FilmLength = in.i32();
    f.FilmNr = in.i32();
    GetText(in, f.Stars);
    GetText(in, f.Director);
    GetText(in, f.Content);
    GetText(in, f.Remark);
    f.CasNr = in.i32();
    f.PosOnCas = in.i32();
    GetText(in, f.Category);
    GetText(in, f.Country);
    f.TwoChannel = in.boolean();
    f.Commercials = in.boolean();
    f.CatalogCard = in.i32();
    f.Rating = in.i32();
    f.RecDate = in.f64();
    f.StorageType = in.i32();
    f.LendStatus = in.i32();
    f.AnzDiscs = in.i32();
    GetText(in, f.LentTo);
    GetText(in, f.LenderAddress);
    f.NetLength = in.i32();
    f.Languages = in.i32();
    if (minor >= 5 && in.ok()) {
        const int32_t count = in.i32();
        if (count < 0 || static_cast<std::size_t>(count) > in.left() / PicMinBytes)
            return false;
        f.Pics.resize(static_cast<std::size_t>(count));
        for (TPicRec& p : f.Pics) {
            p.PicSize = in.i32();
            p.PicFlags = in.i32();
            if (HasPicBytes(p) && p.PicSize != 0) {
                const std::string_view bytes = in.raw(p.PicSize);
                p.PicData.assign(bytes.begin(), bytes.end());
            }
            GetText(in, p.PicText);
            if (!in.ok())
                return false;
        }
    }
    if (minor >= 6) {
        f.SoundFormat = in.i32();
        f.PictureFormat = in.i32();
        f.DvdRegion = in.i32();
        f.Fsk = in.i32();
    }
    if (!in.ok())
        return false;
    next = end;
    return true;
}

RecordsRead ReadTaggedFilms(Collection& c, std::string_view data, std::size_t first, int minor,
                            Progress& progress) {
    ProgressTicker tick(progress, "Filmdaten werden geladen!", static_cast<int64_t>(data.size()));
    // AddCategoryToList scans the list; a category met before in this load changes nothing.
    std::unordered_set<std::string> seen;
    std::size_t pos = first;
    while (pos < data.size()) {
        if (c.AnzFilm() >= MaxFilms) {
            c.ActError = 13;
            return RecordsRead::FilmLimit;
        }
        TFilmV26 film;
        std::size_t next = 0;
        if (!ReadTaggedRecord(data, pos, minor, film, next))
            return RecordsRead::Damaged;
        film.FilmNr = c.AnzFilm() + 1;
        if (seen.insert(UpperAZ(film.Category.Strng)).second)
            AddCategoryToList(c, film.Category.Strng);
        c.appendFilm(std::move(film));
        pos = next;
        tick(static_cast<int64_t>(pos));
    }
    return RecordsRead::Ok;
}

std::string TaggedFileBytes(Collection& c, int main, int minor, Progress& progress) {
    std::size_t total = 32;
    for (const TFilmV26& f : c.films())
        total += static_cast<std::size_t>(TaggedRecordLength(f, minor));
    std::string out;
    out.reserve(total);
    out += TaggedHeader(main, minor);
    ProgressTicker tick(progress, "Filmdaten werden gesichert!", c.AnzFilm());
    for (int slot = 1; slot <= c.AnzFilm(); ++slot) {
        AppendTaggedRecord(out, c.Film(slot), minor);
        tick(slot);
    }
    return out;
}

} // namespace kt
