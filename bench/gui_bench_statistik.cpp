#include "film_generator.h"

#include "model/dialogs.h"
#include "settings/settings.h"
#include "statistics/statistik_form.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

const kt::Collection& Full() {
    static const kt::Collection c = kt::bench::GenerateCollection(20000);
    return c;
}

// Opening the window: counting, building the pie and painting its first picture.
void BM_OpenAndShow(benchmark::State& state) {
    const kt::Collection& c = Full();
    kt::Settings s;
    kt::SilentDialogs ui(kt::Answer::No);
    for (auto _ : state) {
        kt::TForm_KT_Statistik form(c, s, ui);
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.grab().size());
    }
    state.counters["films"] = c.AnzFilm();
}
BENCHMARK(BM_OpenAndShow)->Unit(benchmark::kMillisecond);

// Switching between bar and pie chart, each switch a rebuild and a repaint.
void BM_SwitchChart(benchmark::State& state) {
    const kt::Collection& c = Full();
    kt::Settings s;
    kt::SilentDialogs ui(kt::Answer::No);
    kt::TForm_KT_Statistik form(c, s, ui);
    form.show();
    int type = 1;
    for (auto _ : state) {
        type = 1 - type;
        form.ComboBoxAnzeigeArt->setCurrentIndex(type);
        benchmark::DoNotOptimize(form.grab().size());
    }
}
BENCHMARK(BM_SwitchChart)->Unit(benchmark::kMillisecond);

} // namespace
