#pragma once

#include "casseditor/cas_chooser_state.h"
#include "cassettes/film_move.h"

#include <QDialog>

#include <functional>
#include <set>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kt {

class CasGridModel;
class CasGridView;
class Collection;
class UserDialogs;
struct Settings;
struct TCasRec;

// "Verwaltung der Videocassetten": the list of all cassettes with their films, creating, deleting
// and correcting cassettes, moving a film, and the film editor's chooser of cassette and position.
//
//     TCasEditDlg dlg(collection, settings, dialogs, chooserState, parent);
//     dlg.Show_Dialog();   // then read chooserState.CasEditResult, SelectedCas, SelectedPos
//
// The caller sets chooserState.Bearbeiten, CasEditCaller and CasCommitMode (and settings.CasSort)
// before creating the dialog; the opening runs in the constructor.
class TCasEditDlg : public QDialog {
    Q_OBJECT
public:
    TCasEditDlg(Collection& c, Settings& settings, UserDialogs& ui, CasChooserState& state,
                QWidget* parent = nullptr);
    ~TCasEditDlg() override;

    // Shows the dialog modally and returns the way it was closed (also in CasEditResult). When
    // the opening could not create the cassette it needed, nothing is shown and the result is 2.
    int Show_Dialog();

    // The film editor's position choice: the number, length, rest and gap fields and the sort
    // choice stay disabled (the chooser only selects), except the length of a cassette that is
    // being created in the dialog.
    void LockForChooser();

    // Called for a double click on a film: opens the film editor to view film `index` (table
    // index). Bearbeiten is 3 and ActFilm the film during the call; both are restored afterwards.
    // Without a handler a double click only beeps.
    void SetViewFilmHandler(std::function<void(int index)> handler) { viewFilm_ = std::move(handler); }

    // The list: row r (1-based, the header is row 0) shows the cassette at list position
    // RowToCas()[r]; entry 0 is -1.
    const std::vector<int>& RowToCas() const { return rowToCas_; }
    int CasNrToRow(int number) const;
    void SetAusgabeData();
    void SetEditTexts();
    void SetCasEditDlgTopRow();
    int SelectedCol() const { return selCol_; }
    int SelectedRow() const { return selRow_; }
    // Makes (col, row) the selected cell and shows its cassette.
    void SelectCell(int col, int row);
    bool OpeningFailed() const { return openingFailed_; }
    CasGridModel& Grid() const { return *model_; }

public slots:
    void OkBtnClick();
    void CancelBtnClick();
    void BitBtnNewCassetteClick();
    void BitBtnDelCasClick();
    void CasSortRadioGroupClick(int index);
    void TotalLengthComboBoxChange();
    void RestLengthMaskEditExit();
    void GapLengthMaskEditExit();
    void SrcFilmCheckBoxClick();
    void TgtFilmCheckBoxClick();
    void MoveFilmOKtBtnClick();
    void CasEditDlgStringGridDblClick(int col, int row);
    void CasEditDlgStringGridRightClick(int col, int row);

signals:
    // The error sound of a refused choice (also played through the system beep).
    void errorSound();
    // "Hilfe" with the control that had the focus; the program's help viewer answers it.
    void helpRequested(QWidget* focused);

protected:
    void done(int result) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Scroll { None, Selected, Preselected };

    void BuildControls();
    bool Opening(bool forced);
    void ApplyEditability();
    bool CreateCassette();
    void Preselect();
    void ApplyScroll();
    void ReportBadCassette(bool warning, const std::function<std::string(int)>& message);
    void WriteCassetteCells(int row, const TCasRec& rec);
    void FillRowTexts(int row);
    void CurrentCellChanged(int col, int row);
    void LengthFieldExit(bool rest);
    void LengthFieldChanged(bool rest);
    void FinishFieldEdit();
    void ConfirmNewCassette();
    bool TakeNewNumber(int cas, uint16_t& nr);
    bool CommitRow(int row, bool takeNumber);
    void RemoveCreatedCassettes();
    int EditRow() const;
    int CasOfRow(int row) const;
    int RowOfCas(int cas) const;
    int ShownNominal() const;
    bool IsCreated(int cas) const;
    bool NewCassetteOffered() const;
    void PlayErrorSound();

    void UpdateMoveLabels();
    void ResetMoveTexts();
    void ResetTarget();

    Collection& c_;
    Settings& s_;
    UserDialogs& ui_;
    CasChooserState& st_;
    std::function<void(int)> viewFilm_;

    CasGridModel* model_ = nullptr;
    CasGridView* grid_ = nullptr;
    QGroupBox* listGroup_ = nullptr;
    QGroupBox* editGroup_ = nullptr;
    QLineEdit* casNrEdit_ = nullptr;
    QComboBox* totalBox_ = nullptr;
    QCheckBox* longplayBox_ = nullptr;
    QLineEdit* restEdit_ = nullptr;
    QLineEdit* gapEdit_ = nullptr;
    QPushButton* delCasBtn_ = nullptr;
    QPushButton* newCasBtn_ = nullptr;
    QGroupBox* sortGroup_ = nullptr;
    QButtonGroup* sortButtons_ = nullptr;
    QGroupBox* moveGroup_ = nullptr;
    QLabel* moveNameLabel_ = nullptr;
    QCheckBox* srcBox_ = nullptr;
    QCheckBox* tgtBox_ = nullptr;
    QPushButton* moveBtn_ = nullptr;
    QPushButton* helpBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* okBtn_ = nullptr;

    std::vector<int> rowToCas_{-1};
    int selCol_ = 1;
    int selRow_ = 1;
    bool sorting_ = false;
    int modeAtCreate_ = 0;
    bool locked_ = false;
    bool openingFailed_ = false;
    bool listLockedForNew_ = false;
    bool reselecting_ = false;
    bool inFieldExit_ = false;
    Scroll scroll_ = Scroll::None;
    int scrollRow_ = 1;
    int scrollCol_ = 1;

    // Numbers of the cassettes this dialog appended; the one awaiting the second click of the
    // new-cassette button (0 = none) and the values the first click replaced.
    std::vector<uint16_t> created_;
    uint16_t pendingNew_ = 0;
    int modeBeforeNew_ = 0;
    int commitBeforeNew_ = 0;
    int sortBeforeNew_ = 0;
    // Inconsistent cassettes (by number) already reported while this dialog is open.
    std::set<int> reported_;

    CasPlace src_;
    std::string srcTitle_;
    CasPlace tgt_;
    bool tgtBusy_ = false;
};

} // namespace kt
