#pragma once

#include "filmeditor/film_editor_dialog.h"

class QWidget;

namespace kt {

class AppContext;

// What the caller of the film editor reads afterwards.
struct FilmEditorOutcome {
    bool shown = false; // false when the film could not be taken over (a box said why)
    bool RedrawNecessary = false;
    bool NewSpeicherMedium = false;
};

// "&Neu eingeben": a new film on the medium stored last, starting on the page "&Video-Daten".
// When nothing was stored the current film is the one it was before.
FilmEditorOutcome NewFilmDialog(AppContext& ctx, QWidget* parent);
// "&Bearbeiten" of the current film; `focusAttribute` is the catalogue index whose control gets
// the focus (-1 none).
FilmEditorOutcome EditFilmDialog(AppContext& ctx, int focusAttribute, QWidget* parent);
// "&Ansehen" of the current film, and the cassette editor's view of a film: nothing editable,
// nothing stored.
bool ViewFilmDialog(AppContext& ctx, TFilmEigenschaftenDlg::ViewLock lock, QWidget* parent);

} // namespace kt
