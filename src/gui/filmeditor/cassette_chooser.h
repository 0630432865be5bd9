#pragma once

#include <memory>

class QWidget;

namespace kt {

class AppContext;

// What the film editor asks of the cassette editor when it is used as a chooser.
struct CassetteChoiceRequest {
    // The cassette editor's mode: 4 or 1 to choose a cassette, 7, 6 or 3 to choose a position.
    int Bearbeiten = 4;
    // 0 for the cassette choice, 3 for the position choice.
    int CasEditCaller = 0;
    // 2: the chooser never writes cassette lengths.
    int CasCommitMode = 2;
    // Controls of the cassette editor disabled before it is shown (ChooserLock bits).
    unsigned disabled = 0;
    // The choice made so far in this film editor (list position and position; 0 = none).
    int SelectedCas = 0;
    int SelectedPos = 0;
    // The film editor's total length, for a cassette with room for the film.
    int SuggestFilmLength = 0;
};

enum ChooserLock : unsigned {
    LockCasNr = 1,
    LockTotalLength = 2,
    LockRestGap = 4,
    LockSort = 8,
    LockAllEditing = LockCasNr | LockTotalLength | LockRestGap | LockSort,
};

struct CassetteChoiceResult {
    // How the chooser was closed: 1 OK, 4 OK without a position column, others cancelled.
    int CasEditResult = 2;
    int SelectedCas = 0;   // list position of the chosen cassette, 0 = none
    int SelectedCasNr = 0; // its number: what belongs into the film's CasNr
    int SelectedPos = 0;
};

// The cassette and position choice. The program uses the cassette editor; tests put in a fake.
class CassetteChooser {
public:
    virtual ~CassetteChooser() = default;
    virtual CassetteChoiceResult choose(const CassetteChoiceRequest& request, QWidget* parent) = 0;
};

// The cassette editor as the chooser.
std::unique_ptr<CassetteChooser> MakeCassetteEditorChooser(AppContext& ctx);

} // namespace kt
