#include "film_fixture.h"
#include "statistics/statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kt;
using kt::test::AddFilm;

namespace {

struct Point {
    std::string label; // UTF-8
    int32_t value;
    uint32_t color;
    bool operator==(const Point&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << p.label << '=' << p.value << ' ' << ColorText(p.color);
}

std::vector<Point> Points(const Collection& c, StatistikOrder by, int sortLength = 25) {
    std::vector<Point> out;
    for (const auto& p : BuildStatistik(c, by, sortLength))
        out.push_back({ToUtf8(p.Label), p.Value, p.Color});
    return out;
}

void AddCategoryFilm(Collection& c, const std::string& category) {
    AddFilm(c, "Film", StDvd).Category.Strng = ToCp1252(category);
}

void AddMediumFilm(Collection& c, int32_t storageType, int32_t casNr = 0) {
    AddFilm(c, "Film", storageType).CasNr = casNr;
}

void AddCassettes(Collection& c, int count) {
    for (int i = 1; i <= count; ++i)
        c.appendCassette({static_cast<uint16_t>(i), 240, 240, 0});
}

constexpr uint32_t Green = 0x008000, Blue = 0x0000FF, Red = 0xFF0000;

} // namespace

TEST(Statistik, CountsAndOrders) {
    struct Case {
        const char* name;
        void (*fill)(Collection&);
        StatistikOrder by;
        std::vector<Point> expected;
    };
    const Case cases[] = {
        // The first pass sees K, K, K; the second compares exactly, so "keine Angabe" is a run of
        // its own behind the run of "K".
        {"categories",
         [](Collection& c) {
             for (const char* cat : {"Krimi", "Krimi", "Komödie", "Krimi", ""})
                 AddCategoryFilm(c, cat);
         },
         StatistikOrder::Kategorien,
         {{"Komödie", 1, Green}, {"Krimi", 3, Blue}, {"keine Angabe", 1, Red}}},
        {"categories compared with case",
         [](Collection& c) {
             for (const char* cat : {"Krimi", "KRIMI", "Krimi"})
                 AddCategoryFilm(c, cat);
         },
         StatistikOrder::Kategorien,
         // Equal when upper-cased, so they keep the order in which they were met.
         {{"Krimi", 2, Green}, {"KRIMI", 1, Blue}}},
        {"video cassettes count cassettes",
         [](Collection& c) {
             AddCassettes(c, 2);
             AddMediumFilm(c, StVideo, 1);
             AddMediumFilm(c, StDvd);
             AddMediumFilm(c, StVideo, 2);
             AddMediumFilm(c, StVideo, 1);
             AddMediumFilm(c, StDvd);
             AddMediumFilm(c, StVideo, 2);
         },
         StatistikOrder::Speichermedien,
         {{"DVD", 2, Green}, {"Video-Cassette", 2, Blue}}},
        // Numbers outside the cassette table: beyond it still distinct, none (0) one each.
        {"cassette numbers without a flag",
         [](Collection& c) {
             AddCassettes(c, 2);
             for (int32_t nr : {1, 0, 7, 7, 0, -3, 1, 9})
                 AddMediumFilm(c, StVideo, nr);
         },
         StatistikOrder::Speichermedien,
         {{"Video-Cassette", 6, Green}}},
        {"unknown masks are one entry",
         [](Collection& c) {
             AddMediumFilm(c, 3);
             AddMediumFilm(c, StDvd);
             AddMediumFilm(c, 0);
             AddMediumFilm(c, 1 << 20);
         },
         StatistikOrder::Speichermedien,
         {{"DVD", 1, Green}, {"unbekannt!", 3, Blue}}},
        {"empty table", [](Collection&) {}, StatistikOrder::Kategorien, {}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        Collection c;
        tc.fill(c);
        EXPECT_EQ(Points(c, tc.by), tc.expected);
    }
}

TEST(Statistik, NineteenCategoriesCycleTheColours) {
    Collection c;
    for (int i = 19; i >= 1; --i)
        AddCategoryFilm(c, "Kat" + std::string(i < 10 ? "0" : "") + std::to_string(i));
    const auto points = Points(c, StatistikOrder::Kategorien);
    ASSERT_EQ(points.size(), 19u);
    const std::vector<uint32_t> table = {0x008000, 0x0000FF, 0xFF0000, 0xC0C0C0, 0x000080, 0x008080, 0xFFFFFF,
                                         0xFFFF00, 0x00FF00, 0xFF00FF, 0x808080, 0x00FFFF, 0x000000, 0x808080,
                                         0x800000, 0x800080, 0xC0C0C0, 0x808000, 0x008000};
    for (std::size_t p = 0; p < points.size(); ++p) {
        EXPECT_EQ(points[p].label, "Kat" + std::string(p < 9 ? "0" : "") + std::to_string(p + 1));
        EXPECT_EQ(points[p].color, table[p]) << p;
    }
    EXPECT_EQ(ColorText(points[18].color), "#008000");
    EXPECT_EQ(ColorText(0xC0C0C0), "#C0C0C0");
}

// Labels equal in their first SortLength characters keep the order in which they were met.
TEST(Statistik, SortLengthLimitsTheComparison) {
    Collection c;
    AddCategoryFilm(c, "AbcZ");
    AddCategoryFilm(c, "AbcA");
    EXPECT_EQ(Points(c, StatistikOrder::Kategorien, 3).front().label, "AbcZ");
    EXPECT_EQ(Points(c, StatistikOrder::Kategorien, 4).front().label, "AbcA");
}
