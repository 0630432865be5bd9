#include "film_generator.h"

#include "app_context.h"
#include "filmeditor/film_editor_dialog.h"
#include "filmeditor/film_store.h"
#include "filmeditor/session_checks.h"
#include "model/dialogs.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

kt::Collection& Films() {
    static kt::Collection c = kt::bench::GenerateCollection(20000);
    return c;
}

// Creating the editor fills the title list with every film; SetValues and showing follow.
void BM_OpenEditor(benchmark::State& state) {
    kt::SilentDialogs ui;
    kt::AppContext ctx;
    ctx.setDialogs(&ui);
    ctx.collection = Films();
    ctx.collection.ActFilm = 10000;
    for (auto _ : state) {
        kt::TFilmEigenschaftenDlg dlg(ctx, kt::ModeEdit);
        dlg.FillCategoryList();
        dlg.SetValues();
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.ComboBoxFilmName->count());
    }
    ctx.setDialogs(nullptr);
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);

// The title check on leaving the field, over all films, finding none.
void BM_TitleCheck(benchmark::State& state) {
    const kt::Collection& c = Films();
    kt::SilentDialogs ui;
    kt::FilmEditorSession session;
    session.TitleSimilarityCheck = kt::SessionCheck::On;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kt::NoSimilarFilmFound(c, session, "Qxzv Unbekannt", kt::SimilarOnLeave, 0, ui));
}
BENCHMARK(BM_TitleCheck)->Unit(benchmark::kMillisecond);

// Storing an edited video-cassette film: rebooking and the check of its cassette.
void BM_StoreEdited(benchmark::State& state) {
    kt::Collection c = Films();
    kt::SilentDialogs ui;
    int slot = 1;
    while (c.Film(slot).StorageType != kt::StVideo)
        ++slot;
    c.ActFilm = static_cast<uint16_t>(slot);
    kt::TFilmV26 edited = c.Film(slot);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        edited.Remark.Strng.assign(flip ? 1 : 0, 'x');
        benchmark::DoNotOptimize(kt::StoreFilm(c, kt::ModeEdit, edited, {}, ui).changed);
    }
}
BENCHMARK(BM_StoreEdited)->Unit(benchmark::kMillisecond);

} // namespace
