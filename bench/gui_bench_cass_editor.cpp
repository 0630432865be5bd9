#include "film_generator.h"

#include "casseditor/cas_edit_dlg.h"
#include "casseditor/cas_grid.h"
#include "model/dialogs.h"
#include "settings/settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

// 20000 films, their cassettes, and empty cassettes up to the limit of 5000.
kt::Collection& Full() {
    static kt::Collection c = [] {
        kt::Collection g = kt::bench::GenerateCollection(20000);
        while (g.AnzCas() < kt::MaxCassettes) {
            kt::TCasRec cas;
            cas.Nr = static_cast<uint16_t>(g.AnzCas() + 1);
            g.appendCassette(cas);
        }
        return g;
    }();
    return c;
}

// Creating the dialog builds and checks the whole list; showing it paints the first screen.
void BM_OpenAndShow(benchmark::State& state) {
    kt::Collection& c = Full();
    kt::Settings s;
    s.AllowCasEdit = true;
    kt::SilentDialogs ui(kt::Answer::No);
    kt::CasChooserState st;
    st.SuggestFilmLength = 100;
    for (auto _ : state) {
        st.Bearbeiten = static_cast<int>(state.range(0));
        kt::TCasEditDlg dlg(c, s, ui, st);
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.RowToCas().size());
    }
    state.counters["cassettes"] = c.AnzCas();
}
BENCHMARK(BM_OpenAndShow)->ArgName("mode")->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// A click in the sort choice: rebuild, check and preselection.
void BM_Sort(benchmark::State& state) {
    kt::Collection& c = Full();
    kt::Settings s;
    kt::SilentDialogs ui(kt::Answer::No);
    kt::CasChooserState st;
    st.Bearbeiten = 4;
    kt::TCasEditDlg dlg(c, s, ui, st);
    dlg.show();
    int sort = 0;
    for (auto _ : state) {
        sort = (sort + 1) % 4;
        dlg.CasSortRadioGroupClick(sort);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);

// Moving the selection down the list, as the arrow key does.
void BM_SelectCell(benchmark::State& state) {
    kt::Collection& c = Full();
    kt::Settings s;
    s.AllowCasEdit = true;
    kt::SilentDialogs ui(kt::Answer::No);
    kt::CasChooserState st;
    kt::TCasEditDlg dlg(c, s, ui, st);
    dlg.show();
    int row = 1;
    for (auto _ : state) {
        row = row % c.AnzCas() + 1;
        dlg.SelectCell(6, row);
    }
}
BENCHMARK(BM_SelectCell)->Unit(benchmark::kMicrosecond);

} // namespace
