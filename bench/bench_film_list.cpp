#include "film_generator.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filmlist/film_sort.h"
#include "filter/filter_search.h"
#include "model/dialogs.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <stdexcept>

namespace {

constexpr int Films = 20000;

class SilentDialogs : public kt::UserDialogs {
public:
    void error(const std::string& t) override { throw std::runtime_error(t); }
    void warning(const std::string& t) override { throw std::runtime_error(t); }
    void information(const std::string&) override {}
    void notice(const std::string&) override {}
    kt::Answer question(const std::string&, kt::Buttons, kt::BoxKind) override { return kt::Answer::No; }
    kt::Answer threeWay(const kt::ThreeWayQuestion&) override { return kt::Answer::Cancel; }
};

kt::Collection& Films20000() {
    static kt::Collection c = kt::bench::GenerateCollection(Films);
    return c;
}

// A whole rebuild as the main window runs it: select, key, sort, sub-sort, write every cell.
void BM_SetAusgabeData(benchmark::State& state) {
    kt::Collection& c = Films20000();
    kt::Settings s;
    s.FilmSort = static_cast<uint8_t>(state.range(0));
    kt::ColArrange ca;
    kt::FilterSearch fs;
    SilentDialogs ui;
    kt::FilmList list(c, s, ca, fs);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.SetAusgabeData(ui));
    state.counters["rows"] = list.ListedCount();
}
BENCHMARK(BM_SetAusgabeData)->ArgName("FilmSort")->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// The ordering alone (keys, main sort, sub-sorts), without the cell texts.
void BM_OrderListedFilms(benchmark::State& state) {
    const kt::Collection& c = Films20000();
    kt::Settings s;
    s.FilmSort = static_cast<uint8_t>(state.range(0));
    std::vector<int> listed(static_cast<std::size_t>(c.AnzFilm()));
    std::iota(listed.begin(), listed.end(), 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(kt::OrderListedFilms(c, listed, s));
}
BENCHMARK(BM_OrderListedFilms)->ArgName("FilmSort")->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// A search over the titles and the content, which every film must pass through.
void BM_SetAusgabeData_Search(benchmark::State& state) {
    kt::Collection& c = Films20000();
    kt::Settings s;
    kt::ColArrange ca;
    kt::FilterSearch fs;
    fs.SuchenIn[kt::SearchTitle] = fs.SuchenIn[kt::SearchContent] = true;
    fs.SuchText = "nacht";
    kt::DeriveActiveFlags(fs, c.CategoryList);
    SilentDialogs ui;
    kt::FilmList list(c, s, ca, fs);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.SetAusgabeData(ui));
    state.counters["rows"] = list.ListedCount();
}
BENCHMARK(BM_SetAusgabeData_Search)->Unit(benchmark::kMillisecond);

void BM_SingleRowRefresh(benchmark::State& state) {
    kt::Collection& c = Films20000();
    kt::Settings s;
    kt::ColArrange ca;
    kt::FilterSearch fs;
    SilentDialogs ui;
    kt::FilmList list(c, s, ca, fs);
    list.SetAusgabeData(ui);
    c.ActFilm = static_cast<uint16_t>(c.AnzFilm() / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.SetAusgabeData_OneFilm(ui));
}
BENCHMARK(BM_SingleRowRefresh)->Unit(benchmark::kMicrosecond);

// Dragging the title column to the far right and back: every row's texts are rearranged.
void BM_MoveColumn(benchmark::State& state) {
    kt::Collection& c = Films20000();
    kt::Settings s;
    kt::ColArrange ca;
    kt::FilterSearch fs;
    SilentDialogs ui;
    kt::FilmList list(c, s, ca, fs);
    list.SetAusgabeData(ui);
    for (auto _ : state) {
        list.MoveColumn(0, list.ColCount() - 1);
        list.MoveColumn(list.ColCount() - 1, 0);
    }
}
BENCHMARK(BM_MoveColumn)->Unit(benchmark::kMillisecond);

} // namespace
