#include "mainwindow/main_window.h"

#include "app_context.h"
#include "casseditor/cas_edit_dlg.h"
#include "casseditor/default_cas_length.h"
#include "casseditor/not_ok_cas_form.h"
#include "cassettes/cassette_lookup.h"
#include "filmeditor/film_editor_open.h"
#include "help/help_window.h"
#include "mainwindow/film_string_grid.h"

// The "&Cassette" menu: the cassette editor for a new cassette and for looking at or editing the
// cassettes, the check of all cassettes and the restoration of the cassette table from the films.
namespace kt {

namespace {

// Opens the cassette editor in the mode the caller has put into the chooser values and returns the
// way it was closed.
int ShowCasEditor(AppContext& ctx, QWidget* parent) {
    TCasEditDlg dlg(ctx.collection, ctx.settings, ctx.dialogs(), ctx.casChooser, parent);
    dlg.SetViewFilmHandler(
        [&ctx, &dlg](int) { ViewFilmDialog(ctx, TFilmEigenschaftenDlg::ViewLock::CassetteEditor, &dlg); });
    QObject::connect(&dlg, &TCasEditDlg::helpRequested, &dlg, [&dlg](QWidget* focused) {
        const int topic = HelpContextOf(focused);
        HelpWindow::Show(topic != 0 ? topic : int{HelpCassetteMenu}, &dlg);
    });
    return dlg.Show_Dialog();
}

// Takes the cassettes the editor appended out of the table again. Only those: by their numbers,
// searched from the end of the table where appended ones stand, and none that holds a film.
void RemoveAppendedCassettes(Collection& c, const std::vector<int>& appended) {
    for (auto nr = appended.rbegin(); nr != appended.rend(); ++nr) {
        int pos = c.AnzCas();
        while (pos >= 1 && c.Cassette(pos).Nr != *nr)
            --pos;
        std::string films;
        if (pos >= 1 && FilmsOnCassette(c, *nr, films))
            c.deleteCassette(pos);
    }
}

} // namespace

void TKassotekMainWindow::CassetteNeuanlegenClick() {
    traceCommand("CassetteNeuanlegenClick", true);
    CasChooserState& st = ctx_.casChooser;
    const int before = ctx_.collection.AnzCas();
    st.Bearbeiten = 5;
    st.CasEditCaller = 0;
    st.CasCommitMode = 1;
    ctx_.settings.CasSort = 0;
    const int result = ShowCasEditor(ctx_, this);
    if (result != 1)
        RemoveAppendedCassettes(ctx_.collection, st.AppendedCas);
    // A film moved in the dialog has a new place in the list as well.
    if (result == 1 || result == 6)
        SetAusgabeData();
    st.Bearbeiten = 0;
    StatusBarRefresh();
    UpdateSaveControls();
    ctx_.trace.TraceLine("KtkMain: CassetteNeuanlegenClick [EXIT] CasEditResult=" + std::to_string(result) +
                         " AnzCas " + std::to_string(before) + " -> " +
                         std::to_string(ctx_.collection.AnzCas()));
}

void TKassotekMainWindow::CassetteBearbeitenClick() {
    traceCommand("CassetteBearbeitenClick", true);
    CasChooserState& st = ctx_.casChooser;
    // A double click in the film list has set the mode already (1 or 6); the menu leaves it at 0.
    st.CasEditCaller = FilmStringGrid->currentColumn();
    st.CasCommitMode = 0;
    if (ctx_.settings.AllowCasEdit)
        st.Bearbeiten = 1;
    const int result = ShowCasEditor(ctx_, this);
    if (result == 1 || result == 4 || result == 6)
        SetAusgabeData();
    st.Bearbeiten = 0;
    StatusBarRefresh();
    UpdateSaveControls();
    ctx_.trace.TraceLine("KtkMain: CassetteBearbeitenClick [EXIT] CasEditResult=" + std::to_string(result));
}

void TKassotekMainWindow::UeberpruefenClick() {
    traceCommand("UeberpruefenClick", true);
    // At program start (the tag holds a start marker) only findings are shown, in front of the
    // start screen while the window is not on the screen yet.
    QWidget* parent = isVisible() || !ctx_.dialogParent() ? this : ctx_.dialogParent();
    kt::UeberpruefenClick(ctx_.collection, ctx_.dialogs(), parent, Tag == 0);
    traceCommand("UeberpruefenClick", false);
}

void TKassotekMainWindow::RestaurierungderCassettendatenClick() {
    if (!ctx_.settings.AllowCasRestore)
        return;
    traceCommand("RestaurierungderCassettendatenClick", true);
    bool restored = false;
    {
        auto progress = ctx_.makeProgress();
        restored = RestaurierungClick(ctx_.collection, ctx_.settings, ctx_.dialogs(), *progress, this);
    }
    if (restored)
        SetAusgabeData();
    StatusBarRefresh();
    UpdateSaveControls();
    traceCommand("RestaurierungderCassettendatenClick", false);
}

} // namespace kt
