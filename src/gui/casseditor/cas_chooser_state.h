#pragma once

#include <vector>

namespace kt {

// The values the cassette editor shares with whoever opens it (main window, film editor). The
// caller owns one for the program run and passes it to every dialog; the dialog reads the mode
// and the suggestions and writes its results back.
struct CasChooserState {
    // The mode of the current dialog operation: 0 look, 1 edit, 3 look only, 4 choose a cassette,
    // 5 new cassette, 6 choose a position, 7 choose a position on the chosen cassette. The dialog
    // switches it to 5 while a cassette is being created and back afterwards.
    int Bearbeiten = 0;
    // Who opened the dialog: 3 is the film editor's position choice (it keeps the focus off the
    // length box in mode 5); the main window passes the column of its film list.
    int CasEditCaller = 0;
    // Whether OK may store the lengths of the selected cassette: 0 (menu, film list) and 1 (new
    // cassette) may, 2 (film editor) never does.
    int CasCommitMode = 0;
    // How the dialog was closed: 1 OK, 2 cancelled, 4 OK without a position column selected in the
    // position modes, 6 a film was moved.
    int CasEditResult = 0;

    // The list position of the cassette chosen at OK (0 = none) and its number. The number is what
    // belongs into a film's CasNr: list positions and numbers differ once a cassette other than the
    // last was deleted.
    int SelectedCas = 0;
    int SelectedCasNr = 0;
    // The position chosen at OK in the modes 1, 6 and 7 (0 = none).
    int SelectedPos = 0;
    // The cassette chosen at the last OK of this program run; -1 before the first.
    int LastSelectedCas = -1;
    // The film editor's total length, for the suggestion of a cassette with room for the film.
    int SuggestFilmLength = 0;

    // Numbers of the cassettes the last dialog appended that are still in the table after it closed
    // (a cancelled dialog removes its own). Empty when it appended none.
    std::vector<int> AppendedCas;
};

} // namespace kt
