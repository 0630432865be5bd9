#include "filmeditor/film_editor_open.h"

#include "app_context.h"

#include <QPushButton>
#include <QTabWidget>

namespace kt {

FilmEditorOutcome NewFilmDialog(AppContext& ctx, QWidget* parent) {
    ctx.trace.TraceLine("KtkFEd: NewFilmDialog [ENTRY]");
    const uint16_t actFilm = ctx.collection.ActFilm;
    const int films = ctx.collection.AnzFilm();
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
