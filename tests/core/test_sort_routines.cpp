#include "filmlist/sorting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kt;

namespace {

std::vector<int> IndexesOf(const std::vector<TIndexPair>& list) {
    std::vector<int> out;
    for (const auto& p : list)
        out.push_back(p.Index);
    return out;
}

std::vector<TIndexPair> Numbered(const std::vector<int32_t>& keys) {
    std::vector<TIndexPair> list;
    for (std::size_t i = 0; i < keys.size(); ++i)
        list.push_back({keys[i], static_cast<uint16_t>(i + 1)});
    return list;
}

std::vector<std::string> KeysOf(const std::vector<TRecWord>& list) {
    std::vector<std::string> out;
    for (const auto& r : list)
        out.push_back(r.Key);
    return out;
}

} // namespace

// Expected orders worked out by hand from the gap sequence 4, 1 (n 5 to 12) and 13, 4, 1
// (n 13 to 39); a stable sort would give the entries of equal key in their input order.
TEST(ShellSort, GapSequenceDecidesTheOrderOfEqualKeys) {
    struct Case {
        std::vector<int32_t> keys;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{2, 1, 2, 1, 1}, {5, 2, 4, 3, 1}},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {5, 2, 3, 4, 9, 6, 7, 8, 13, 10, 11, 12, 1}},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {14, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}},
        // Four entries: only the pass with gap 1 acts, a plain insertion sort.
        {{2, 1, 2, 1}, {2, 4, 1, 3}},
        {{7}, {1}},
        {{}, {}},
    };
    for (const auto& tc : cases) {
        auto list = Numbered(tc.keys);
        EXPECT_TRUE(IndexPairSortAscending(list));
        EXPECT_EQ(IndexesOf(list), tc.expected) << "keys of size " << tc.keys.size();
    }
}

TEST(ShellSort, DescendingPutsTheGreaterKeyFirst) {
    auto pairs = Numbered({3, 9, -4, 9, 0});
    IndexPairSortDescending(pairs);
    EXPECT_EQ(IndexesOf(pairs), (std::vector<int>{2, 4, 1, 5, 3}));

    // Float records: keys 1 1 2 1 2 2 go 2 2 2 1 1 1 with the values 5 6 3 4 1 2 (by hand).
    std::vector<TFloatRec> desc = {{1.0, 1}, {1.0, 2}, {2.0, 3}, {1.0, 4}, {2.0, 5}, {2.0, 6}};
    EXPECT_TRUE(FloatSortDescending(desc));
    std::vector<int> values;
    for (const auto& r : desc)
        values.push_back(r.Value);
    EXPECT_EQ(values, (std::vector<int>{5, 6, 3, 4, 1, 2}));

    std::vector<TFloatRec> asc = {{2.5, 1}, {-1.0, 2}, {2.25, 3}, {0.0, 4}, {2.5, 5}};
    EXPECT_TRUE(FloatSortAscending(asc));
    values.clear();
    for (const auto& r : asc)
        values.push_back(r.Value);
    EXPECT_EQ(values, (std::vector<int>{2, 4, 3, 1, 5}));
}

TEST(CharSort, ComparesOneUpperCasedPositionOnly) {
    std::vector<TRecWord> list = {{"xb", 1}, {"Ya", 2}, {"za", 3}, {"x", 4}, {"\xC4z", 5}};
    CharSort(list, 2); // blank (past the end) < a = a < b < z
    EXPECT_EQ(KeysOf(list), (std::vector<std::string>{"x", "Ya", "za", "xb", "\xC4z"}));
    CharSort(list, 1); // the umlaut's code lies above Z
    EXPECT_EQ(KeysOf(list), (std::vector<std::string>{"x", "xb", "Ya", "za", "\xC4z"}));
}

TEST(StringSort, RunsSplitOnExactCharactersWhileTheSortIgnoresCase) {
    struct Case {
        std::vector<std::string> keys;
        int L;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // After pass 1 all three share "A"; the exact runs "a" "A" "a" are single, so the case-blind
        // order of the second letters never applies.
        {{"aC", "Ab", "aA"}, 2, {"aC", "Ab", "aA"}},
        {{"aC", "aA", "Ab"}, 2, {"aA", "aC", "Ab"}},
        {{"B", "A", "A", "AB"}, 25, {"A", "A", "AB", "B"}},
        // Digits before letters, letters before umlauts, a shorter key before a longer one.
        {{"\xD6sterreich", "ZYPERN", "2001", "ZYP"}, 25, {"2001", "ZYP", "ZYPERN", "\xD6sterreich"}},
        // L = 0 sorts nothing.
        {{"b", "a"}, 0, {"b", "a"}},
        // Only the first L characters count: past them the input order of two stays.
        {{"abcZ", "abcA"}, 3, {"abcZ", "abcA"}},
        {{"abcZ", "abcA"}, 4, {"abcA", "abcZ"}},
    };
    for (const auto& tc : cases) {
        std::vector<TRecWord> list;
        for (std::size_t i = 0; i < tc.keys.size(); ++i)
            list.push_back({tc.keys[i], static_cast<uint16_t>(i)});
        EXPECT_TRUE(StringSort(list, tc.L));
        EXPECT_EQ(KeysOf(list), tc.expected) << "first key " << tc.keys.front() << ", L " << tc.L;
    }
}

TEST(StringSort, IndexFormLeavesTheKeysInPlace) {
    const std::vector<std::string> keys = {"B", "a", "C", "A", "b"};
    std::vector<uint32_t> order = {0, 1, 2, 3, 4};
    ASSERT_TRUE(StringSortIndices(order, keys, 5));
    // Pass 1 over five entries (gaps 4, 1) gives a A B b C; "a"/"A" and "B"/"b" then differ exactly.
    EXPECT_EQ(order, (std::vector<uint32_t>{1, 3, 0, 4, 2}));
    EXPECT_EQ(keys.front(), "B");

    // A part of the keys only; an index outside them is refused without a change.
    std::vector<uint32_t> part = {4, 2, 0};
    ASSERT_TRUE(StringSortIndices(part, keys, 5));
    EXPECT_EQ(part, (std::vector<uint32_t>{4, 0, 2}));
    std::vector<uint32_t> bad = {1, 5};
    EXPECT_FALSE(StringSortIndices(bad, keys, 5));
    EXPECT_EQ(bad, (std::vector<uint32_t>{1, 5}));
}

namespace {

// The string sort written out step by step as the algorithm reads: keys padded to 255 blanks,
// entries counted from 1, every run found by comparing whole prefixes, sorted in a copy.
void LiteralShellSort(std::vector<TRecWord>& a, int n, int p) {
    auto at = [&](const TRecWord& r) {
        const unsigned char c = static_cast<unsigned char>(r.Key[static_cast<std::size_t>(p) - 1]);
        return c >= 'a' && c <= 'z' ? c - 32 : c;
    };
    int h = 1;
    while (h <= n)
        h = 3 * h + 1;
    do {
        h /= 3;
        for (int i = h + 1; i <= n; ++i) {
            TRecWord v = a[static_cast<std::size_t>(i)];
            int j = i;
            while (j > h && at(a[static_cast<std::size_t>(j - h)]) > at(v)) {
                a[static_cast<std::size_t>(j)] = a[static_cast<std::size_t>(j - h)];
                j -= h;
            }
            a[static_cast<std::size_t>(j)] = v;
        }
    } while (h != 1);
}

std::vector<uint16_t> LiteralStringSort(std::vector<TRecWord> list, int L) {
    const int n = static_cast<int>(list.size());
    std::vector<TRecWord> a(1);
    for (auto r : list) {
        r.Key.resize(255, ' ');
        a.push_back(r);
    }
    for (int p = 1; p <= L; ++p) {
        const auto prefix = [&](int i) {
            return a[static_cast<std::size_t>(i)].Key.substr(0, static_cast<std::size_t>(p - 1));
        };
        for (int i = 1; i <= n;) {
            int j = i;
            while (j < n && prefix(j) == prefix(j + 1))
                ++j;
            if (j > i) {
                std::vector<TRecWord> tmp(1);
                tmp.insert(tmp.end(), a.begin() + i, a.begin() + j + 1);
                LiteralShellSort(tmp, j - i + 1, p);
                std::copy(tmp.begin() + 1, tmp.end(), a.begin() + i);
            }
            i = j + 1;
        }
    }
    std::vector<uint16_t> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(a[static_cast<std::size_t>(i)].Index);
    return out;
}

} // namespace

TEST(StringSort, AgreesWithTheAlgorithmWrittenOutLiterally) {
    uint32_t state = 12345;
    auto next = [&] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    const char alphabet[] = {'a', 'A', 'b', 'B', ' ', '\xE4', '1', '\t'};
    for (int round = 0; round < 300; ++round) {
        const int n = static_cast<int>(next() % 60);
        const int L = std::vector<int>{0, 1, 2, 3, 6, 25}[next() % 6];
        std::vector<TRecWord> list;
        for (int i = 0; i < n; ++i) {
            std::string key;
            const int len = static_cast<int>(next() % 8);
            for (int k = 0; k < len; ++k)
                key += alphabet[next() % (round % 2 ? 3 : 8)]; // odd rounds: few letters, many ties
            list.push_back({key, static_cast<uint16_t>(i)});
        }
        const auto expected = LiteralStringSort(list, L);
        ASSERT_TRUE(StringSort(list, L));
        std::vector<uint16_t> got;
        for (const auto& r : list)
            got.push_back(r.Index);
        ASSERT_EQ(got, expected) << "round " << round << ", n " << n << ", L " << L;
    }
}
