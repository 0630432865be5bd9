#include "filmeditor/film_editor_open.h"

#include "app_context.h"

#include <QPushButton>
#include <QTabWidget>

namespace kt {

namespace {

// The program-wide mode is the dialog's while it is open, and what it was before afterwards.
class ModeScope {
public:
    ModeScope(AppContext& ctx, int mode) : mode_(ctx.Bearbeiten), ctx_(ctx) { ctx.Bearbeiten = mode; }
    ~ModeScope() { ctx_.Bearbeiten = mode_; }
    ModeScope(const ModeScope&) = delete;
    ModeScope& operator=(const ModeScope&) = delete;

private:
    int mode_;
    AppContext& ctx_;
};

} // namespace

FilmEditorOutcome NewFilmDialog(AppContext& ctx, QWidget* parent) {
    ctx.trace.TraceLine("KtkFEd: NewFilmDialog [ENTRY]");
    const uint16_t actFilm = ctx.collection.ActFilm;
    const int films = ctx.collection.AnzFilm();
    const ModeScope scope(ctx, ModeNew);
    TFilmEigenschaftenDlg dlg(ctx, ModeNew, parent);
    dlg.FillCategoryList();
    dlg.PreselectStorageMedium(ctx.settings.LastStorageType);
    dlg.exec();
    if (ctx.collection.AnzFilm() == films)
        ctx.collection.ActFilm = actFilm;
    ctx.trace.TraceLine("KtkFEd: NewFilmDialog [EXIT] Redraw=" + std::to_string(dlg.RedrawNecessary));
    return {true, dlg.RedrawNecessary, dlg.NewSpeicherMedium};
}

FilmEditorOutcome EditFilmDialog(AppContext& ctx, int focusAttribute, QWidget* parent) {
    ctx.trace.TraceLine("KtkFEd: EditFilmDialog [ENTRY] ActFilm=" + std::to_string(ctx.collection.ActFilm));
    const ModeScope scope(ctx, ModeEdit);
    TFilmEigenschaftenDlg dlg(ctx, ModeEdit, parent);
    dlg.FillCategoryList();
    if (!dlg.SetValues())
        return {};
    dlg.SetFocusRequest(focusAttribute);
    dlg.exec();
    ctx.trace.TraceLine("KtkFEd: EditFilmDialog [EXIT] Redraw=" + std::to_string(dlg.RedrawNecessary));
    return {true, dlg.RedrawNecessary, dlg.NewSpeicherMedium};
}

bool ViewFilmDialog(AppContext& ctx, TFilmEigenschaftenDlg::ViewLock lock, QWidget* parent) {
    ctx.trace.TraceLine("KtkFEd: ViewFilmDialog [ENTRY] ActFilm=" + std::to_string(ctx.collection.ActFilm));
    const ModeScope scope(ctx, ModeView);
    TFilmEigenschaftenDlg dlg(ctx, ModeView, parent);
    dlg.LockForViewing(lock);
    if (!dlg.SetValues())
        return false;
    dlg.PageControl1->setCurrentWidget(dlg.TabSheetCassette);
    dlg.PageControl2->setCurrentIndex(0);
    dlg.OKBtn->setFocus();
    dlg.exec();
    ctx.trace.TraceLine("KtkFEd: ViewFilmDialog [EXIT]");
    return true;
}

} // namespace kt
