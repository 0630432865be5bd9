#include "filmlist/film_sort.h"

#include "filmlist/sorting.h"
#include "model/collection.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <charconv>
#include <new>
#include <numeric>

namespace kt {

namespace {

constexpr std::size_t KeyWidth = 255;

std::string Cut(std::string text, std::size_t width) {
    if (text.size() > width)
        text.resize(width);
    return text;
}

// Right-aligns a number in `width` characters; longer numbers keep their first digits.
std::string PadLeftNumber(int32_t value, std::size_t width) {
    std::string s = Cut(std::to_string(value), width);
    return std::string(width - s.size(), ' ') + s;
}

bool IsNumberOrder(int filmSort) {
    return filmSort == SortByLength || filmSort == SortByCasNr || filmSort == SortByYear;
}

// What decides whether two neighbouring main keys form one group of the title sub-sort: the
// key without blanks and unprintable characters, and for the number orders its value.
struct GroupKey {
    std::string text;
    long long number = 0;
    bool numeric = false;
};

GroupKey GroupKeyOf(const std::string& key, int filmSort) {
    GroupKey g{TrimText(key, 'A')};
    if (IsNumberOrder(filmSort)) {
        const char* first = g.text.data();
        const char* last = first + g.text.size();
        const auto r = std::from_chars(first, last, g.number);
        g.numeric = !g.text.empty() && r.ec == std::errc() && r.ptr == last;
    }
    return g;
}

bool SameGroup(const GroupKey& first, const GroupKey& other) {
    if (first.numeric && other.numeric)
        return first.number == other.number;
    return first.text == other.text;
}

// Sorts the films of each group of equal main keys by their title as stored.
bool SubSortByTitle(const Collection& c, std::vector<int>& slots, const std::vector<std::string>& keys,
                    int filmSort, int sortLength) {
    std::vector<GroupKey> groupKeys;
    groupKeys.reserve(keys.size());
    for (const auto& k : keys)
        groupKeys.push_back(GroupKeyOf(k, filmSort));
    std::vector<TRecWord> group;
    for (std::size_t g = 0; g < slots.size();) {
        std::size_t e = g + 1;
        while (e < slots.size() && SameGroup(groupKeys[g], groupKeys[e]))
            ++e;
        if (e - g >= 2) {
            group.clear();
            for (std::size_t k = g; k < e; ++k)
                group.push_back(
                    {Cut(c.Film(slots[k]).FilmName.Strng, KeyWidth), static_cast<uint16_t>(slots[k])});
            if (!StringSort(group, sortLength))
                return false;
            for (std::size_t k = g; k < e; ++k)
                slots[k] = group[k - g].Index;
        }
        g = e;
    }
    return true;
}

// Within each run of video-cassette films with one cassette number (other media in between passed
// over), the films go by their position, into the rows the run already holds.
void SubSortByPosition(const Collection& c, std::vector<int>& slots) {
    std::vector<std::size_t> rows;
    std::vector<TIndexPair> pairs;
    auto flush = [&] {
        if (rows.size() >= 2) {
            pairs.clear();
            for (std::size_t r : rows)
                pairs.push_back({c.Film(slots[r]).PosOnCas, static_cast<uint16_t>(slots[r])});
            IndexPairSortAscending(pairs);
            for (std::size_t k = 0; k < rows.size(); ++k)
                slots[rows[k]] = pairs[k].Index;
        }
        rows.clear();
    };
    int32_t casNr = 0;
    for (std::size_t r = 0; r < slots.size(); ++r) {
        const TFilmV26& f = c.Film(slots[r]);
        if (f.StorageType != StVideo)
            continue;
        if (!rows.empty() && f.CasNr != casNr)
            flush();
        casNr = f.CasNr;
        rows.push_back(r);
    }
    flush();
}

} // namespace

std::string FilmSortKey(const TFilmV26& f, int filmSort, int sortLength) {
    switch (filmSort) {
    case SortByTitle:
        return Cut(UpperAZ(f.FilmName.Strng), KeyWidth);
    case SortByLength:
        return PadLeftNumber(f.FilmLength, 4);
    case SortByCasNr:
        return PadLeftNumber(f.CasNr, 4);
    case SortByCategory: {
        std::string key = UpperAZ(f.Category.Strng);
        if (sortLength > 0) {
            key = Cut(std::move(key), static_cast<std::size_t>(sortLength));
            key.resize(static_cast<std::size_t>(sortLength), ' ');
        }
        return Cut(std::move(key), KeyWidth);
    }
    case SortByCountry:
        return Cut(UpperAZ(f.Country.Strng), KeyWidth);
    case SortByYear:
        return PadLeftNumber(f.ProdYear, 5);
    default:
        return {};
    }
}

ListOrder OrderListedFilms(const Collection& c, const std::vector<int>& listed, const Settings& s) {
    ListOrder out;
    const std::size_t n = listed.size();
    if (n == 0)
        return out;
    const int filmSort = s.FilmSort;
    if (filmSort == SortUnsorted) {
        std::vector<TIndexPair> pairs;
        pairs.reserve(n);
        for (int slot : listed)
            pairs.push_back({slot, static_cast<uint16_t>(slot)});
        if (n > 1)
            IndexPairSortDescending(pairs);
        out.slots.reserve(n);
        for (const auto& p : pairs)
            out.slots.push_back(p.Index);
        return out;
    }
    std::vector<std::string> keys;
    keys.reserve(n);
    for (int slot : listed)
        keys.push_back(FilmSortKey(c.Film(slot), filmSort, s.SortLength));
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (n > 1 && !StringSortIndices(order, keys, s.SortLength)) {
        out.mainSortFailed = true;
        return out;
    }
    std::vector<std::string> sortedKeys;
    sortedKeys.reserve(n);
    out.slots.reserve(n);
    for (uint32_t i : order) {
        out.slots.push_back(listed[i]);
        sortedKeys.push_back(std::move(keys[i]));
    }
    if (n == 1)
        return out;
    if (filmSort >= SortByLength && filmSort <= SortByYear &&
        !SubSortByTitle(c, out.slots, sortedKeys, filmSort, s.SortLength)) {
        out.subSortFailed = true;
        return out;
    }
    if (filmSort == SortByCasNr && s.CasSubSort == 0)
        SubSortByPosition(c, out.slots);
    return out;
}

} // namespace kt
