#include "filter/filter_search.h"

#include "text/cp1252.h"
#include "text/helpers.h"

#include <algorithm>

namespace kt {

namespace {

inline char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

// Compares the printable characters of `text` with `printable` (already stripped), without a copy.
bool EqualPrintable(const std::string& text, const std::string& printable) {
    std::size_t j = 0;
    for (char c : text) {
        if (!IsPrintable(c))
            continue;
        if (j >= printable.size() || printable[j] != c)
            return false;
        ++j;
    }
    return j == printable.size();
}

bool ContainsUpper(const std::string& haystack, const std::string& upperNeedle) {
    if (upperNeedle.empty() || upperNeedle.size() > haystack.size())
        return false;
    return std::search(haystack.begin(), haystack.end(), upperNeedle.begin(), upperNeedle.end(),
                       [](char h, char n) { return UpperChar(h) == n; }) != haystack.end();
}

} // namespace

void ResetFilterSearch(FilterSearch& fs) {
    fs.FilternVon.fill(false);
    fs.SuchenIn.fill(false);
    fs.MaxFilmLaenge = 0;
    fs.SuchText.clear();
    fs.FSS_Changed = false;
    fs.SearchAllStorageTypes = false;
}

void DeriveActiveFlags(FilterSearch& fs, const TKategorie& categories) {
    const bool anyMarked =
        std::any_of(categories.begin(), categories.end(), [](const TSelectableStr& c) { return c.Selected; });
    auto& f = fs.FilternVon;
    f[FilterActive] = (f[FilterCategories] && anyMarked) || (f[FilterMaxLength] && fs.MaxFilmLaenge > 0) ||
                      f[FilterNoCommercials] || f[FilterTwoChannel] || f[FilterLentOnly];
    auto& s = fs.SuchenIn;
    s[SearchActive] = std::any_of(s.begin() + 1, s.end(), [](bool b) { return b; }) && !fs.SuchText.empty();
}

uint16_t MaxFilmLaengeOfText(const std::string& typed) {
    const std::string digits = TrimText(typed, 'A');
    long long value = 0;
    if (!ParseInt(digits, value) || value < 0 || value > 65535)
        return 300;
    return static_cast<uint16_t>(value);
}

FilterSearchTest::FilterSearchTest(const FilterSearch& fs, const TKategorie& categories)
    : fs_(fs), upperText_(UpperAZ(fs.SuchText)) {
    for (const auto& c : categories)
        if (c.Selected)
            markedNames_.push_back(TrimText(c.Name, 'A'));
}

bool FilterSearchTest::PassesFilter(const TFilmV26& film) const {
    const auto& f = fs_.FilternVon;
    // Like the maximum length without a value, the category criterion without any marked category
    // is not tested: it does not activate the filter either, and would otherwise hide every film.
    if (f[FilterCategories] && !markedNames_.empty()) {
        const bool marked =
            std::any_of(markedNames_.begin(), markedNames_.end(),
                        [&](const std::string& name) { return EqualPrintable(film.Category.Strng, name); });
        if (!marked)
            return false;
    }
    if (f[FilterMaxLength] && fs_.MaxFilmLaenge > 0 && film.FilmLength > fs_.MaxFilmLaenge)
        return false;
    if (f[FilterNoCommercials] && film.Commercials)
        return false;
    if (f[FilterTwoChannel] && !film.TwoChannel)
        return false;
    if (f[FilterLentOnly] && film.LendStatus == LendNotLent)
        return false;
    return true;
}

bool FilterSearchTest::MatchesSearch(const TFilmV26& film) const {
    const auto& s = fs_.SuchenIn;
    const std::string* fields[] = {nullptr,
                                   &film.FilmName.Strng,
                                   &film.Stars.Strng,
                                   &film.Content.Strng,
                                   &film.Remark.Strng,
                                   &film.Director.Strng,
                                   &film.LentTo.Strng};
    for (int k = SearchTitle; k <= SearchLentTo; ++k)
        if (s[static_cast<std::size_t>(k)] && ContainsUpper(*fields[k], upperText_))
            return true;
    return false;
}

bool FilterSearchTest::Passes(const TFilmV26& film) const {
    if (fs_.FilterIsActive() && !PassesFilter(film))
        return false;
    if (fs_.SearchIsActive() && !MatchesSearch(film))
        return false;
    return true;
}

bool FilterTest(const FilterSearch& fs, const TKategorie& categories, const TFilmV26& film) {
    return FilterSearchTest(fs, categories).PassesFilter(film);
}

bool SearchTest(const FilterSearch& fs, const TFilmV26& film) {
    return FilterSearchTest(fs, {}).MatchesSearch(film);
}

} // namespace kt
