#include "film_fixture.h"
#include "scripted_dialogs.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

using namespace kt;
using kt::test::AddFilm;
using kt::test::ScriptedDialogs;

namespace {

struct Columns : ::testing::Test {
    Collection c;
    Settings s;
    ColArrange ca;
    FilterSearch fs;
    ScriptedDialogs ui;

    void SetUp() override {
        AddFilm(c, "Casablanca").FilmLength = 102;
        AddFilm(c, "Das Boot").FilmLength = 149;
        for (int n = 4; n < ColCount; ++n)
            ca[n].Show = false;
    }
    static std::vector<std::string> Row(const FilmList& list, int r) {
        std::vector<std::string> out;
        for (int col = 0; col < list.ColCount(); ++col)
            out.push_back(ToUtf8(std::string(list.Cell(r, col))));
        return out;
    }
    std::vector<int> Positions() const { return {ca[0].Pos, ca[1].Pos, ca[2].Pos, ca[3].Pos}; }
};

struct Counter : FilmListListener {
    int before = 0, after = 0;
    void aboutToReset() override { ++before; }
    void reset() override { ++after; }
};

} // namespace

TEST_F(Columns, AMovedColumnTakesItsCellsAndWidthAlong) {
    ca[0].Width = 280;
    ca[1].Width = 46;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    ASSERT_EQ(Row(list, 1), (std::vector<std::string>{"Casablanca", "102", "", "0"}));
    Counter events;
    list.setListener(&events);

    list.MoveColumn(0, 2);
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"Länge", "Cas.Nr.", "Filmtitel", "Pos."}));
    EXPECT_EQ(Row(list, 1), (std::vector<std::string>{"102", "", "Casablanca", "0"}));
    EXPECT_EQ(Row(list, 2), (std::vector<std::string>{"149", "", "Das Boot", "0"}));
    EXPECT_EQ(list.ColumnWidth(0), 46);
    EXPECT_EQ(list.ColumnWidth(2), 280);
    EXPECT_EQ(list.ColumnAttribute(2), ColTitle);
    EXPECT_EQ(events.before, 1);
    EXPECT_EQ(events.after, 1);

    // The catalogue follows the headers, and a rebuild then gives the same grid.
    Resort_FilmString_Headers_and_Pos(ca, list);
    EXPECT_EQ(Positions(), (std::vector<int>{2, 0, 1, 3}));
    const auto moved = Row(list, 1);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(Row(list, 1), moved);
    EXPECT_EQ(list.ColumnAttribute(2), ColTitle);

    // And back, from right to left.
    list.MoveColumn(2, 0);
    Resort_FilmString_Headers_and_Pos(ca, list);
    EXPECT_EQ(Positions(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Row(list, 2), (std::vector<std::string>{"Das Boot", "149", "", "0"}));
    list.setListener(nullptr);
}

TEST_F(Columns, MovesOutsideTheGridChangeNothing) {
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const auto before = Row(list, 1);
    for (const auto& [from, to] : {std::pair{0, 4}, {-1, 0}, {3, 3}, {4, 0}})
        list.MoveColumn(from, to);
    EXPECT_EQ(Row(list, 1), before);
}

TEST_F(Columns, ResortTakesTheFirstMatchingHeader) {
    ca[3].Header = ca[2].Header; // two columns named alike
    FilmList list(c, s, ca, fs);
    ca[5].Show = true;
    ca[5].Pos = -1; // shown, not yet placed
    Resort_FilmString_Headers_and_Pos(ca, list);
    EXPECT_EQ(Positions(), (std::vector<int>{0, 1, 2, 2}));
    EXPECT_GT(ca[5].Pos, MaxColArrangePos(ca) - 1) << "behind every placed column";
}
