#include "film_generator.h"

#include "app_context.h"
#include "filmlist/film_list.h"
#include "mainwindow/main_window.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A main window over 20000 films, as the user sees it while typing into the quick search.
struct Window {
    kt::AppContext ctx;
    kt::SilentDialogs ui{kt::Answer::No};
    std::unique_ptr<kt::TKassotekMainWindow> w;

    Window() {
        ctx.collection = kt::bench::GenerateCollection(20000);
        ctx.setDialogs(&ui);
        w = std::make_unique<kt::TKassotekMainWindow>(ctx);
        w->resize(1280, 900);
        w->show();
        w->SetAusgabeData();
        QApplication::processEvents();
    }
    ~Window() {
        w.reset();
        ctx.setDialogs(nullptr);
    }
};

// One rebuild after a pause in typing: the search over the six fields, the order, the cells and
// the grid's reset, alternating between a narrowing text and a longer one.
void BM_QuickSearchRebuild(benchmark::State& state) {
    Window win;
    const char* texts[] = {"na", "nacht", "e", "zzz"};
    std::size_t i = 0;
    for (auto _ : state) {
        win.w->QuickSearchEdit->setText(QString::fromLatin1(texts[i++ % std::size(texts)]));
        win.w->ApplyQuickSearch();
        benchmark::DoNotOptimize(win.w->filmList().FilledRows());
    }
    state.counters["films"] = win.ctx.collection.AnzFilm();
}
BENCHMARK(BM_QuickSearchRebuild)->Unit(benchmark::kMillisecond);

// The same with the grid painted afterwards, as the screen shows it.
void BM_QuickSearchRebuildAndPaint(benchmark::State& state) {
    Window win;
    const char* texts[] = {"na", "nacht", "e", "zzz"};
    std::size_t i = 0;
    for (auto _ : state) {
        win.w->QuickSearchEdit->setText(QString::fromLatin1(texts[i++ % std::size(texts)]));
        win.w->ApplyQuickSearch();
        benchmark::DoNotOptimize(win.w->grab().size());
    }
}
BENCHMARK(BM_QuickSearchRebuildAndPaint)->Unit(benchmark::kMillisecond);

} // namespace
