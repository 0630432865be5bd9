#include "exchange/import_entry.h"

#include "catalogue/value_texts.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace kt::literals;

namespace kt {

namespace {

std::string WithoutBlanks(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s)
        if (c != ' ')
            out += c;
    return out;
}

std::string Compact(const std::string& s) {
    return UpperAZ(WithoutBlanks(s));
}

// The index of the first key equal to `key`, -1 when none.
int IndexOfKey(const std::string& key, const std::vector<std::string>& keys) {
    const auto it = std::find(keys.begin(), keys.end(), key);
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

// The keys of the codes 0 to count - 1 of a value text.
template <class Text> std::vector<std::string> KeysOf(int count, Text text, bool compact) {
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(compact ? Compact(text(i)) : UpperAZ(text(i)));
    return keys;
}

} // namespace

bool IsBlankOrControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 32 || u == 127;
}

bool HasImportContent(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return !IsBlankOrControl(c); });
}

std::vector<std::string> CutImportLine(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsBlankOrControl(line[pos]) && line[pos] != separator)
            ++pos;
        if (pos >= line.size())
            break;
        const std::size_t end = line.find(separator, pos);
        if (end == std::string_view::npos) {
            fields.emplace_back(line.substr(pos));
            break;
        }
        fields.emplace_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

char SeparatorOf(const std::string& text, char previous) {
    const std::string s = TrimText(text, 'A');
    return s.empty() ? previous : s[0];
}

std::string CheckImportPositions(const std::array<int32_t, ImportCheckedEntries>& positions) {
    for (std::size_t i = 0; i < positions.size(); ++i)
        for (std::size_t k = i + 1; k < positions.size(); ++k)
            if (positions[i] > 0 && positions[i] == positions[k])
                return "Es existieren doppelte Zuweisungen!\r\nBitte, überprüfen Sie die Import-Spaltenabfolge!"_cp;
    const int32_t highest = *std::max_element(positions.begin(), positions.end());
    for (int32_t n = 1; n <= std::min<int32_t>(highest, 23); ++n)
        if (std::find(positions.begin(), positions.end(), n) == positions.end())
            return "Es existieren Lücken in den Zuweisungen!\r\nBitte, überprüfen Sie die Import-Spaltenabfolge!"_cp;
    return {};
}

int32_t ImportNumber(const std::string& field) {
    bool error = false;
    const double v = std::trunc(TextToFloat(field, error));
    if (error || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(v);
}

double ImportDate(const std::string& field) {
    const std::string s = TrimText(field, 'A');
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int k = 0;
    for (const char c : s) {
        if (c >= '0' && c <= '9') {
            if (++digits[k] > 4)
                return 0;
            parts[k] = parts[k] * 10 + (c - '0');
        } else if (c == '.' && k < 2 && digits[k] > 0) {
            ++k;
        } else {
            return 0;
        }
    }
    if (k != 2 || digits[2] == 0 || digits[0] > 2 || digits[1] > 2 || digits[2] == 3)
        return 0;
    int year = parts[2];
    if (digits[2] <= 2)
        year += year < 50 ? 2000 : 1900;
    const int month = parts[1], day = parts[0];
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31)
        return 0;
    const double date = EncodeDate(year, month, day);
    int y = 0, m = 0, d = 0;
    // 31.02. is no date: it must come back as it went in.
    if (!DecodeDate(date, y, m, d) || y != year || m != month || d != day)
        return 0;
    return date;
}

ImportRun::ImportRun(Collection& c, const ColArrange& columns, UserDialogs& ui,
                     std::function<void(int)> mediumAdded)
    : c_(c), ui_(ui), mediumAdded_(std::move(mediumAdded)) {
    for (int e = 0; e < ColCount; ++e) {
        const int32_t pos = columns[e].ImportPos;
        if (pos <= 0 || pos > 1'000'000)
            continue;
        if (entryOfField_.size() <= static_cast<std::size_t>(pos))
            entryOfField_.resize(static_cast<std::size_t>(pos) + 1, -1);
        if (entryOfField_[static_cast<std::size_t>(pos)] < 0)
            entryOfField_[static_cast<std::size_t>(pos)] = e;
    }
    for (const auto& f : c_.films())
        highestNr_ = std::max(highestNr_, f.FilmNr);
    for (const auto& r : c_.RatingTexts)
        keys_.ratings.push_back(UpperAZ(r));
    keys_.cards = KeysOf(3, CatalogCardText, false);
    keys_.sounds = KeysOf(10, SoundFormatText, false);
    keys_.pictures = KeysOf(7, PictureFormatText, true);
    keys_.fsks = KeysOf(7, FskText, true);
    keys_.regions = KeysOf(10, DvdRegionText, true);
    for (const auto& name : LanguageNames())
        keys_.languages.push_back(UpperAZ(name));
    for (const auto& m : c_.StorageMediaList)
        keys_.media.push_back(UpperAZ(m.Name));
}

bool ImportRun::ImportEntry(const std::string& line, char separator) {
    return ImportFields(CutImportLine(line, separator));
}

bool ImportRun::ImportFields(const std::vector<std::string>& fields) {
    // As NewFilm does, with the highest number kept instead of searched for every film.
    TFilmV26 film;
    film.FilmNr = highestNr_ + 1;
    if (!c_.appendFilm(std::move(film))) {
        ui_.notice("Konnte neuen Filmeintrag nicht anlegen.");
        return false;
    }
    ++highestNr_;
    ++created_;
    c_.ActFilm = static_cast<uint16_t>(c_.AnzFilm());
    TFilmV26& f = c_.Film(c_.AnzFilm());
    for (std::size_t k = 1; k <= fields.size() && k < entryOfField_.size(); ++k) {
        const int entry = entryOfField_[k];
        const std::string& field = fields[k - 1];
        if (entry < 0 || entry == ColPics || !HasImportContent(field))
            continue;
        store(f, entry, field);
    }
    if (f.StorageType == StVideo)
        storedVideo_ = true;
    return true;
}

int32_t ImportRun::storageTypeOf(const std::string& field) {
    const std::string key = UpperAZ(field);
    int found = -1;
    for (std::size_t i = 0; i < keys_.media.size(); ++i)
        if (keys_.media[i] == key)
            found = static_cast<int>(i);
    if (found < 0) {
        const int index = static_cast<int>(c_.StorageMediaList.size());
        // A medium beyond the 32nd would have no bit of its own: such films stay without medium.
        if (StorageTypeOfMedium(index) == 0)
            return 0;
        c_.StorageMediaList.push_back({field, true, index + 1});
        keys_.media.push_back(key);
        TraceLine("Ktk_Imp: new storage medium " + field);
        if (mediumAdded_)
            mediumAdded_(index);
        found = index;
    }
    return StorageTypeOfMedium(found);
}

void ImportRun::store(TFilmV26& f, int entry, const std::string& field) {
    const std::string upper = UpperAZ(field);
    switch (entry) {
    case ColTitle:
        f.FilmName.Strng = field;
        break;
    case ColLength:
        f.FilmLength = ImportNumber(field);
        break;
    case ColCasNr:
        f.CasNr = ImportNumber(field);
        break;
    case ColPos:
        f.PosOnCas = ImportNumber(field);
        break;
    case ColCategory:
        f.Category.Strng = field;
        break;
    case ColDirector:
        f.Director.Strng = field;
        break;
    case ColCountry:
        f.Country.Strng = field;
        break;
    case ColYear:
        f.ProdYear = ImportNumber(field);
        break;
    case ColTwoChannel:
        f.TwoChannel = WithoutBlanks(field) == "X";
        break;
    case ColCommercials:
        f.Commercials = WithoutBlanks(field) == "X";
        break;
    case ColRating:
        f.Rating = IndexOfKey(upper, keys_.ratings);
        break;
    case ColCard: {
        const int i = IndexOfKey(upper, keys_.cards);
        f.CatalogCard = i < 0 ? 2 : i;
        break;
    }
    case ColStars:
        f.Stars.Strng = field;
        break;
    case ColContent:
        f.Content.Strng = field;
        break;
    case ColRemark:
        f.Remark.Strng = field;
        break;
    case ColRecDate:
        f.RecDate = ImportDate(field);
        break;
    case ColLanguages:
        f.Languages = 0;
        for (int b = 0; b < LanguageCount; ++b)
            if (upper.find(keys_.languages[static_cast<std::size_t>(b)]) != std::string::npos)
                f.Languages |= 1 << b;
        break;
    case ColLentTo:
        f.LentTo.Strng = field;
        f.LendStatus = LendLent;
        break;
    case ColSound:
        f.SoundFormat = std::max(0, IndexOfKey(upper, keys_.sounds));
        break;
    case ColPicture:
        f.PictureFormat = std::max(0, IndexOfKey(Compact(field), keys_.pictures));
        break;
    case ColFsk:
        f.Fsk = std::max(0, IndexOfKey(Compact(field), keys_.fsks));
        break;
    case ColRegion:
        f.DvdRegion = std::max(0, IndexOfKey(Compact(field), keys_.regions));
        break;
    case ColStorage:
        f.StorageType = storageTypeOf(field);
        break;
    case ColDiscs:
        f.AnzDiscs = ImportNumber(field);
        break;
    default:
        break;
    }
}

} // namespace kt
