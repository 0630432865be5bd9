#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace kt {

// The Shell sort every list of the program goes through. The order of equal entries depends on
// this exact gap sequence (1, 4, 13, 40, ... up to the first member above n, then h div 3) and on
// the strict comparison of the insertion step, so other sorts cannot stand in for it.
// `greater(x, y)` is true when x must stand behind y.
template <class T, class Greater> void ShellSort(T* a, std::size_t n, Greater greater) {
    if (n < 2)
        return;
    std::size_t h = 1;
    while (h <= n)
        h = 3 * h + 1;
    do {
        h /= 3;
        for (std::size_t i = h; i < n; ++i) {
            T v = std::move(a[i]);
            std::size_t j = i;
            while (j >= h && greater(a[j - h], v)) {
                a[j] = std::move(a[j - h]);
                j -= h;
            }
            a[j] = std::move(v);
        }
    } while (h != 1);
}

// A key text and the film (or list entry) it belongs to.
struct TRecWord {
    std::string Key;
    uint16_t Index = 0;

    bool operator==(const TRecWord&) const = default;
};

// A 32-bit key and a film index: the unsorted order and the sub-sort by position.
struct TIndexPair {
    int32_t Key = 0;
    uint16_t Index = 0;

    bool operator==(const TIndexPair&) const = default;
};

// A floating-point key and a value: the cassette editor's rows.
struct TFloatRec {
    double Key = 0.0;
    int32_t Value = 0;

    bool operator==(const TFloatRec&) const = default;
};

// Sorts by the character at position p (1-based) alone, upper-cased (a-z only), as unsigned codes.
// A key shorter than p counts as padded with blanks.
void CharSort(std::span<TRecWord> list, int p);

// Orders the entries by their first L characters, one character position per pass; each pass only
// sorts the runs whose earlier characters are still identical (exactly, case counts). A key shorter
// than L counts as padded with blanks. L = 0 leaves the list as it is. False when memory ran out
// (the list is then unchanged).
bool StringSort(std::span<TRecWord> list, int L);

// The same on a list of indexes into `keys`: `order` is rearranged, the keys stay where they are.
// False, changing nothing, when an index lies outside `keys`.
bool StringSortIndices(std::span<uint32_t> order, std::span<const std::string> keys, int L);

bool IndexPairSortAscending(std::span<TIndexPair> list);
bool IndexPairSortDescending(std::span<TIndexPair> list);
bool FloatSortAscending(std::span<TFloatRec> list);
bool FloatSortDescending(std::span<TFloatRec> list);

} // namespace kt
