#include "casseditor/cas_edit_dlg.h"

#include "casseditor/cas_grid.h"
#include "cassettes/cassette_book.h"
#include "cassettes/cassette_lookup.h"
#include "dialogs/message_box.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace kt {

using namespace literals;

namespace {

// The hourglass while the list is rebuilt.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

const QString NewCasCaption = QStringLiteral("ne&ue Cassette anlegen");

} // namespace

int TCasEditDlg::Show_Dialog() {
    TraceLine("Cassedit: Show_Dialog [ENTRY] Bearbeiten=" + std::to_string(st_.Bearbeiten));
    int result = 2;
    if (openingFailed_)
        done(result);
    else
        result = exec();
    TraceLine("Cassedit: Show_Dialog [EXIT] CasEditResult=" + std::to_string(result));
    return result;
}

void TCasEditDlg::done(int result) {
    st_.CasEditResult = result;
    st_.AppendedCas.clear();
    for (uint16_t nr : created_)
        if (FindCassette(c_, nr) > 0)
            st_.AppendedCas.push_back(nr);
    QDialog::done(result);
}

void TCasEditDlg::reject() {
    CancelBtnClick();
}

void TCasEditDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ApplyScroll();
    if (st_.Bearbeiten == 5 && listLockedForNew_ && st_.CasEditCaller != 3)
        totalBox_->setFocus();
}

void TCasEditDlg::ApplyScroll() {
    if (!isVisible() || scroll_ == Scroll::None)
        return;
    if (scroll_ == Scroll::Selected) {
        SetCasEditDlgTopRow();
    } else {
        // The preselected row goes to the top when the rows from it down fill the list; otherwise
        // the list shows its end.
        const int rows = model_->Rows();
        const int top = rows - scrollRow_ + 1 >= grid_->VisibleRowCount() ? scrollRow_ - 1 : rows;
        grid_->ScrollToCell(top, scrollCol_);
    }
    scroll_ = Scroll::None;
}

void TCasEditDlg::Preselect() {
    const int mode = st_.Bearbeiten;
    const TFilmV26* film = c_.ActFilm >= 1 && c_.ActFilm <= c_.AnzFilm() ? &c_.Film(c_.ActFilm) : nullptr;
    // SelectedCas and LastSelectedCas are list positions, the number cells hold numbers.
    const auto nrAt = [this](int pos) {
        return pos >= 1 && pos <= c_.AnzCas() ? int{c_.Cassette(pos).Nr} : 0;
    };

    int col = 1;
    if (mode == 6 && film != nullptr) {
        col = film->PosOnCas + 4;
        if (st_.SelectedCas == 0)
            st_.SelectedCas = std::max(0, FindCassette(c_, film->CasNr));
    } else if (mode == 7 && nrAt(st_.SelectedCas) != 0) {
        col = NextFreePosition(c_, nrAt(st_.SelectedCas)) + 4;
    }
    col = std::max(col, 1);

    int row = 1;
    if (s_.SuggestPosOnCas != 2) {
        if (s_.SuggestPosOnCas == 1 && nrAt(st_.LastSelectedCas) != 0)
            st_.SelectedCas = st_.LastSelectedCas;
        int nr = 0;
        if (mode == 4 || mode == 6 || mode == 7)
            nr = nrAt(st_.SelectedCas);
        else if (film != nullptr && film->StorageType == StVideo)
            nr = film->CasNr;
        if (nr == 0)
            nr = nrAt(GetFirstCas_with_sufficientSpace(c_, st_.SuggestFilmLength, ui_));
        row = CasNrToRow(nr);
        if (row == 0)
            row = model_->Rows();
    }
    // A position behind the last column is shown at the end of the list but not selected.
    SelectCell(col <= CasGridModel::LastPosCol ? col : 1, row);
    scroll_ = Scroll::Preselected;
    scrollRow_ = row;
    scrollCol_ = col;
    ApplyScroll();
}

void TCasEditDlg::CasSortRadioGroupClick(int index) {
    if (index == s_.CasSort)
        return;
    TraceLine("Cassedit: CasSortRadioGroupClick [ENTRY] " + std::to_string(index));
    WaitCursor wait;
    const int keep = CasOfRow(selRow_);
    s_.CasSort = index;
    sorting_ = true;
    SetAusgabeData();
    grid_->setFocus();
    const int mode = st_.Bearbeiten;
    if (mode == 1 || mode == 4 || mode == 6 || mode == 7) {
        Preselect();
    } else {
        SelectCell(selCol_, std::max(1, RowOfCas(keep)));
        SetCasEditDlgTopRow();
    }
    SetEditTexts();
    sorting_ = false;
    TraceLine("Cassedit: CasSortRadioGroupClick [EXIT]");
}

void TCasEditDlg::BitBtnNewCassetteClick() {
    if (pendingNew_ != 0) {
        ConfirmNewCassette();
        return;
    }
    TraceLine("Cassedit: BitBtnNewCassetteClick [ENTRY] first step");
    modeBeforeNew_ = st_.Bearbeiten;
    commitBeforeNew_ = st_.CasCommitMode;
    sortBeforeNew_ = s_.CasSort;
    newCasBtn_->setText(QStringLiteral("neue Cas.: Eingaben bestätigen"));
    st_.Bearbeiten = 5;
    s_.CasSort = 0;
    st_.CasCommitMode = 1;
    okBtn_->setEnabled(false);
    if (!Opening(true)) {
        // No cassette could be made: the button must not later overwrite an existing one.
        newCasBtn_->setText(NewCasCaption);
        st_.Bearbeiten = modeBeforeNew_;
        st_.CasCommitMode = commitBeforeNew_;
        s_.CasSort = sortBeforeNew_;
        okBtn_->setEnabled(true);
        TraceLine("Cassedit: BitBtnNewCassetteClick [EXIT] no cassette");
        return;
    }
    pendingNew_ = created_.back();
    newCasBtn_->setEnabled(true);
    TraceLine("Cassedit: BitBtnNewCassetteClick [EXIT] Nr=" + std::to_string(pendingNew_));
}

bool TCasEditDlg::TakeNewNumber(int cas, uint16_t& nr) {
    long long v = 0;
    if (!ParseInt(ToCp(casNrEdit_->text()), v) || v < 1 || v > 0xFFFF) {
        ui_.error("Bitte eine Cassettennummer von 1 bis 65535 eingeben!");
        return false;
    }
    const int other = FindCassette(c_, static_cast<int>(v));
    if (other > 0 && other != cas) {
        ui_.error("Cassette " + std::to_string(v) +
                  " gibt es schon! Bitte eine andere Cassettennummer eingeben.");
        return false;
    }
    nr = static_cast<uint16_t>(v);
    return true;
}

void TCasEditDlg::ConfirmNewCassette() {
    TraceLine("Cassedit: BitBtnNewCassetteClick [ENTRY] second step Nr=" + std::to_string(pendingNew_));
    const int cas = FindCassette(c_, pendingNew_);
    uint16_t nr = pendingNew_;
    if (cas > 0) {
        if (!TakeNewNumber(cas, nr))
            return;
        TCasRec rec = c_.Cassette(cas);
        const bool lp = longplayBox_->isChecked();
        const int nominal = ShownNominal();
        long long rest = lp ? 2 * nominal : nominal;
        long long gap = 0;
        ParseInt(ToCp(restEdit_->text()), rest);
        ParseInt(ToCp(gapEdit_->text()), gap);
        rec.Nr = nr;
        rec.TotalLength = WithLongPlay(static_cast<uint16_t>(nominal), lp);
        if (!SetCassetteLengths(rec, gap, rest, ui_))
            return;
        c_.Cassette(cas) = rec;
        std::replace(created_.begin(), created_.end(), pendingNew_, nr);
    }
    pendingNew_ = 0;
    newCasBtn_->setText(NewCasCaption);
    newCasBtn_->setEnabled(false);
    okBtn_->setEnabled(true);
    listLockedForNew_ = false;
    grid_->setEnabled(true);
    st_.Bearbeiten = modeAtCreate_;
    // The cassette is stored now; OK keeps to what the caller allowed.
    st_.CasCommitMode = commitBeforeNew_;
    const int mode = st_.Bearbeiten;
    editGroup_->setTitle(mode == 5 ? QStringLiteral(" Cassette neu anlegen ")
                         : mode == 1 || mode == 4 || mode == 6 || mode == 7
                             ? QStringLiteral(" Cassette bearbeiten ")
                             : QStringLiteral(" Cassetten-Editor "));
    ApplyEditability();
    srcBox_->setEnabled(s_.AllowCasEdit);
    tgtBox_->setEnabled(s_.AllowCasEdit);
    SetAusgabeData();
    SelectCell(1, std::max(1, CasNrToRow(nr)));
    SetCasEditDlgTopRow();
    TraceLine("Cassedit: BitBtnNewCassetteClick [EXIT] Nr=" + std::to_string(nr));
}

void TCasEditDlg::BitBtnDelCasClick() {
    const int cas = CasOfRow(selRow_);
    if (cas == 0)
        return;
    const int n = c_.Cassette(cas).Nr;
    TraceLine("Cassedit: BitBtnDelCasClick [ENTRY] Nr=" + std::to_string(n));
    const std::string nr = std::to_string(n);
    std::string films;
    if (!FilmsOnCassette(c_, n, films)) {
        ui_.error("Cassette " + nr + " ist NICHT leer.\r\n" +
                  "Löschen Sie zuerst die Filme dieser Cassette aus der Datenbank:"_cp + "\r\n" + films);
        return;
    }
    if (ui_.question("Cassette " + nr + " ist leer.\r\nSoll Cassette " + nr + " jetzt gelöscht werden?"_cp,
                     Buttons::YesNo) == Answer::No)
        return;
    const int pos = FindCassette(c_, n);
    if (pos < 1)
        return;
    const bool own = IsCreated(pos);
    c_.deleteCassette(pos);
    created_.erase(std::remove(created_.begin(), created_.end(), static_cast<uint16_t>(n)), created_.end());
    // The deletion is kept whatever way the dialog is left, so it counts as a change at once.
    if (!own)
        c_.DataSaved = false;
    if (c_.LastReportedBadCas == pos)
        c_.LastReportedBadCas = 0;
    else if (c_.LastReportedBadCas > pos)
        --c_.LastReportedBadCas;
    // A prepared move names list positions, which have just moved up.
    src_ = {};
    srcTitle_.clear();
    tgt_ = {};
    ResetMoveTexts();
    SetAusgabeData();
    SelectCell(selCol_, std::min(selRow_, model_->Rows()));
    TraceLine("Cassedit: BitBtnDelCasClick [EXIT] AnzCas=" + std::to_string(c_.AnzCas()));
}

// Stores the lengths the row shows in its cassette (and, for a cassette this dialog created, the
// number from the number field). False when a value was refused; the cassette is then unchanged.
bool TCasEditDlg::CommitRow(int row, bool takeNumber) {
    const int cas = CasOfRow(row);
    if (cas == 0)
        return true;
    TCasRec rec = c_.Cassette(cas);
    const uint16_t oldNr = rec.Nr;
    if (takeNumber && !TakeNewNumber(cas, rec.Nr))
        return false;
    long long total = 0;
    if (ParseInt(ToCp(model_->Cells(2, row)), total)) {
        const bool lp = model_->Cells(1, row) == QStringLiteral("X");
        const long long nominal = lp ? total / 2 : total;
        if (nominal >= 0 && nominal <= 0x7FFF)
            rec.TotalLength = WithLongPlay(static_cast<uint16_t>(nominal), lp);
    }
    long long rest = rec.RestLength;
    long long gap = rec.GapLength;
    ParseInt(ToCp(model_->Cells(3, row)), rest);
    ParseInt(ToCp(model_->Cells(4, row)), gap);
    if (!SetCassetteLengths(rec, gap, rest, ui_))
        return false;
    c_.Cassette(cas) = rec;
    std::replace(created_.begin(), created_.end(), oldNr, rec.Nr);
    return true;
}

void TCasEditDlg::OkBtnClick() {
    TraceLine("Cassedit: OkBtnClick [ENTRY] Bearbeiten=" + std::to_string(st_.Bearbeiten));
    FinishFieldEdit();
    int result = 1;
    const int mode = st_.Bearbeiten;
    if (mode == 1 || mode == 4 || mode == 5 || mode == 6 || mode == 7) {
        const int cas = CasOfRow(selRow_);
        if (cas == 0) {
            PlayErrorSound();
            return;
        }
        if (mode == 1 || mode == 6 || mode == 7) {
            if (CasGridModel::IsPosCol(selCol_)) {
                st_.SelectedPos = selCol_ - 4;
            } else {
                st_.SelectedPos = 0;
                // The film editor's cassette choice asks for a cassette, not a position.
                result = mode == 1 && st_.CasCommitMode == 2 ? 1 : 4;
            }
        }
        const bool own = mode == 5 && IsCreated(cas);
        if (st_.CasCommitMode == 0 || st_.CasCommitMode == 1 || own) {
            if (!CommitRow(selRow_, own)) {
                TraceLine("Cassedit: OkBtnClick [EXIT] refused");
                return;
            }
        }
        st_.SelectedCas = cas;
        st_.SelectedCasNr = c_.Cassette(cas).Nr;
        ReportBadCassette(true, [](int pos) {
            return "Fehler (B): Cassettendaten nach Setzen der Daten (" + std::to_string(pos) +
                   ") nicht mehr OK!";
        });
        st_.LastSelectedCas = st_.SelectedCas;
        if (mode != 4)
            c_.DataSaved = false;
    }
    // Cassettes created in the dialog stay when it is left with OK.
    for (uint16_t nr : created_)
        if (FindCassette(c_, nr) > 0)
            c_.DataSaved = false;
    TraceLine("Cassedit: OkBtnClick [EXIT] result=" + std::to_string(result));
    done(result);
}

void TCasEditDlg::RemoveCreatedCassettes() {
    std::string films;
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        const int pos = FindCassette(c_, *it);
        if (pos > 0 && FilmsOnCassette(c_, *it, films))
            c_.deleteCassette(pos);
    }
    created_.clear();
    pendingNew_ = 0;
}

void TCasEditDlg::CancelBtnClick() {
    TraceLine("Cassedit: CancelBtnClick [ENTRY] created=" + std::to_string(created_.size()));
    // Every cassette created in the dialog goes again, confirmed or not; nothing else is undone.
    if (pendingNew_ != 0) {
        st_.Bearbeiten = modeAtCreate_;
        st_.CasCommitMode = commitBeforeNew_;
    }
    RemoveCreatedCassettes();
    TraceLine("Cassedit: CancelBtnClick [EXIT] AnzCas=" + std::to_string(c_.AnzCas()));
    done(2);
}

void TCasEditDlg::CasEditDlgStringGridDblClick(int col, int row) {
    if (col == 0)
        return;
    const int cas = CasOfRow(row);
    if (cas == 0)
        return;
    const std::string title = ToCp(model_->Cells(col, row));
    const int index = HasContent(title) ? FilmByNameOnCassette(c_, title, c_.Cassette(cas).Nr) : 0;
    if (index == 0 || !viewFilm_) {
        PlayErrorSound();
        return;
    }
    TraceLine("Cassedit: view film [ENTRY] " + std::to_string(index));
    const int mode = st_.Bearbeiten;
    const uint16_t act = c_.ActFilm;
    st_.Bearbeiten = 3;
    c_.ActFilm = static_cast<uint16_t>(index);
    viewFilm_(index);
    st_.Bearbeiten = mode;
    c_.ActFilm = act;
    TraceLine("Cassedit: view film [EXIT]");
}

} // namespace kt
