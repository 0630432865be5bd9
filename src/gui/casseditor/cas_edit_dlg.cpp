#include "casseditor/cas_edit_dlg.h"

#include "casseditor/cas_grid.h"
#include "cassettes/cassette_book.h"
#include "cassettes/cassette_check.h"
#include "cassettes/cassette_lookup.h"
#include "dialogs/message_box.h"
#include "filmlist/sorting.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace kt {

using namespace literals;

namespace {

QString Num(long long v) {
    return QString::number(v);
}

} // namespace

TCasEditDlg::TCasEditDlg(Collection& c, Settings& settings, UserDialogs& ui, CasChooserState& state,
                         QWidget* parent)
    : QDialog(parent), c_(c), s_(settings), ui_(ui), st_(state) {
    TraceLine("Cassedit: FormCreate [ENTRY] Bearbeiten=" + std::to_string(st_.Bearbeiten));
    BuildControls();
    modeAtCreate_ = st_.Bearbeiten;
    c_.LastReportedBadCas = 0;
    st_.AppendedCas.clear();
    Opening(false);
    TraceLine("Cassedit: FormCreate [EXIT] AnzCas=" + std::to_string(c_.AnzCas()));
}

TCasEditDlg::~TCasEditDlg() = default;

// The opening steps; `forced` when the new-cassette button asks for a new cassette. False when
// the cassette the opening needed could not be created (the dialog is then left as it was).
bool TCasEditDlg::Opening(bool forced) {
    // The cassette comes first: when it cannot be made, the list stays as it is.
    bool createdNow = false;
    if (c_.AnzCas() == 0 || st_.Bearbeiten == 5 || forced) {
        if (!CreateCassette()) {
            openingFailed_ = !forced;
            return false;
        }
        createdNow = true;
        st_.Bearbeiten = 5;
    }
    newCasBtn_->setEnabled(createdNow ? !forced : NewCassetteOffered());

    rowToCas_.assign(1, -1);
    selCol_ = 1;
    selRow_ = 1;
    if (QAbstractButton* b = sortButtons_->button(s_.CasSort))
        b->setChecked(true);
    srcBox_->setEnabled(s_.AllowCasEdit);
    tgtBox_->setEnabled(s_.AllowCasEdit);

    if (st_.Bearbeiten == 5) {
        // A new cassette is made in the order by number, where it is the last row.
        s_.CasSort = 0;
        sortButtons_->button(0)->setChecked(true);
    }
    SetAusgabeData();
    if (createdNow)
        selRow_ = std::max(1, CasNrToRow(created_.back()));
    SelectCell(1, selRow_);
    ApplyEditability();

    const int mode = st_.Bearbeiten;
    if (mode == 1 || mode == 4 || mode == 6 || mode == 7) {
        editGroup_->setTitle(QStringLiteral(" Cassette bearbeiten "));
        grid_->SetRowLocked(mode == 7);
        Preselect();
    } else if (mode == 5) {
        editGroup_->setTitle(QStringLiteral(" Cassette neu anlegen "));
        const int last = model_->Rows();
        SelectCell(1, last);
        scroll_ = Scroll::Selected;
        ApplyScroll();
        listLockedForNew_ = true;
        grid_->setEnabled(false);
        sortGroup_->setEnabled(false);
        restEdit_->setEnabled(false);
        gapEdit_->setEnabled(false);
        srcBox_->setEnabled(false);
        tgtBox_->setEnabled(false);
        totalBox_->setEnabled(true);
        longplayBox_->setEnabled(true);
        if (isVisible() && st_.CasEditCaller != 3)
            totalBox_->setFocus();
    }
    ResetMoveTexts();
    SetEditTexts();
    return true;
}

bool TCasEditDlg::NewCassetteOffered() const {
    // The look-only modes do not create cassettes; the menu command for a new cassette does.
    return st_.Bearbeiten != 0 && st_.Bearbeiten != 3;
}

void TCasEditDlg::ApplyEditability() {
    const bool edit = s_.AllowCasEdit;
    const bool creating = st_.Bearbeiten == 5;
    totalBox_->setEnabled(creating || (edit && !locked_));
    longplayBox_->setEnabled(creating || (edit && !locked_));
    casNrEdit_->setEnabled(edit && !locked_);
    restEdit_->setEnabled(!locked_ && !creating);
    gapEdit_->setEnabled(!locked_ && !creating);
    restEdit_->setReadOnly(!edit);
    gapEdit_->setReadOnly(!edit);
    sortGroup_->setEnabled(!locked_ && !listLockedForNew_);
}

void TCasEditDlg::LockForChooser() {
    locked_ = true;
    ApplyEditability();
    SetEditTexts();
}

bool TCasEditDlg::CreateCassette() {
    c_.ActError = 0;
    if (!NewCassette(c_, ui_)) {
        ui_.error("Fehler beim Laden: " + ErrorText(c_.ActError != 0 ? c_.ActError : 5, ""));
        return false;
    }
    created_.push_back(c_.Cassette(c_.AnzCas()).Nr);
    return true;
}

bool TCasEditDlg::IsCreated(int cas) const {
    if (cas < 1 || cas > c_.AnzCas())
        return false;
    return std::find(created_.begin(), created_.end(), c_.Cassette(cas).Nr) != created_.end();
}

int TCasEditDlg::CasOfRow(int row) const {
    if (row < 1 || row >= static_cast<int>(rowToCas_.size()))
        return 0;
    const int cas = rowToCas_[static_cast<std::size_t>(row)];
    return cas >= 1 && cas <= c_.AnzCas() ? cas : 0;
}

int TCasEditDlg::RowOfCas(int cas) const {
    const auto it = std::find(rowToCas_.begin() + 1, rowToCas_.end(), cas);
    return it == rowToCas_.end() ? 0 : static_cast<int>(it - rowToCas_.begin());
}

int TCasEditDlg::CasNrToRow(int number) const {
    for (int row = 1; row <= model_->Rows(); ++row) {
        bool ok = false;
        if (model_->Cells(0, row).toInt(&ok) == number && ok)
            return row;
    }
    return 0;
}

void TCasEditDlg::ReportBadCassette(bool warning, const std::function<std::string(int)>& message) {
    // Each inconsistent cassette is reported once while the dialog is open, the first in list order.
    const std::vector<long long> sums = CassetteFilmSums(c_);
    for (int i = 1; i <= c_.AnzCas(); ++i) {
        const TCasRec& cas = c_.Cassette(i);
        if (reported_.count(cas.Nr) != 0 || CassetteConsistent(cas, sums[static_cast<std::size_t>(i - 1)]))
            continue;
        CassetteData_OK(c_, i, ui_);
        reported_.insert(cas.Nr);
        c_.LastReportedBadCas = i;
        if (warning)
            ui_.warning(message(i));
        else
            ui_.error(message(i));
        return;
    }
}

void TCasEditDlg::SetAusgabeData() {
    TraceLine("Cassedit: SetAusgabeData [ENTRY] CasSort=" + std::to_string(s_.CasSort));
    if (c_.AnzCas() == 0 && !CreateCassette()) {
        TraceLine("Cassedit: SetAusgabeData [EXIT] no cassette");
        return;
    }
    const int n = c_.AnzCas();
    const int sort = s_.CasSort;
    if (sort < 0 || sort > 3)
        ui_.error("Fehler (E) bei der Sortierzuordnung: (CasSort=" + std::to_string(sort) + ")!");
    std::vector<TFloatRec> keys(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const TCasRec& cas = c_.Cassette(i);
        double key = 0;
        switch (sort) {
        case 0:
            key = cas.Nr;
            break;
        case 1:
            key = EffectiveLength(cas.TotalLength);
            break;
        case 2:
            key = cas.RestLength;
            break;
        case 3:
            key = cas.GapLength;
            break;
        default:
            break;
        }
        keys[static_cast<std::size_t>(i - 1)] = {key, i};
    }
    const auto sortMessage = [](const char* letter) {
        return [letter](int) {
            return std::string("Fehler (") + letter + ") bei der Sortierung und Neuzuordnung der Cassetten!";
        };
    };
    if (n >= 2) {
        ReportBadCassette(false, sortMessage("C"));
        if (sort >= 1 && sort <= 3)
            FloatSortDescending(keys);
        else
            FloatSortAscending(keys);
        ReportBadCassette(false, sortMessage("D"));
    }

    model_->BeginBulk(n);
    rowToCas_.assign(static_cast<std::size_t>(n) + 1, -1);
    // Rows by cassette number; numbers may repeat in a damaged table, so each row links to the next.
    std::vector<int> firstRow(0x10000, 0);
    std::vector<int> nextRow(static_cast<std::size_t>(n) + 1, 0);
    for (int row = n; row >= 1; --row) {
        const int cas = keys[static_cast<std::size_t>(row - 1)].Value;
        rowToCas_[static_cast<std::size_t>(row)] = cas;
        const TCasRec& rec = c_.Cassette(cas);
        WriteCassetteCells(row, rec);
        nextRow[static_cast<std::size_t>(row)] = firstRow[rec.Nr];
        firstRow[rec.Nr] = row;
    }
    for (const TFilmV26& f : c_.films()) {
        if (f.StorageType != StVideo || f.PosOnCas < 1 || f.PosOnCas > MaxPosOnCas || f.CasNr < 0 ||
            f.CasNr > 0xFFFF)
            continue;
        const QString title = FromCp(f.FilmName.Strng);
        for (int row = firstRow[static_cast<std::size_t>(f.CasNr)]; row != 0;
             row = nextRow[static_cast<std::size_t>(row)])
            model_->SetCellsQuiet(f.PosOnCas + 4, row, title);
    }
    model_->EndBulk();
    ReportBadCassette(false, sortMessage("F"));
    TraceLine("Cassedit: SetAusgabeData [EXIT] rows=" + std::to_string(n));
}

void TCasEditDlg::WriteCassetteCells(int row, const TCasRec& rec) {
    model_->SetCellsQuiet(0, row, Num(rec.Nr));
    model_->SetCellsQuiet(1, row, IsLongPlay(rec.TotalLength) ? QStringLiteral("X") : QString());
    model_->SetCellsQuiet(2, row, Num(EffectiveLength(rec.TotalLength)));
    model_->SetCellsQuiet(3, row, Num(rec.RestLength));
    model_->SetCellsQuiet(4, row, Num(rec.GapLength));
}

void TCasEditDlg::FillRowTexts(int row) {
    const int cas = CasOfRow(row);
    if (cas == 0)
        return;
    const TCasRec& rec = c_.Cassette(cas);
    WriteCassetteCells(row, rec);
    for (int col = CasGridModel::FirstPosCol; col <= CasGridModel::LastPosCol; ++col)
        model_->SetCellsQuiet(col, row, QString());
    for (const TFilmV26& f : c_.films())
        if (f.StorageType == StVideo && f.CasNr == rec.Nr && f.PosOnCas >= 1 && f.PosOnCas <= MaxPosOnCas)
            model_->SetCellsQuiet(f.PosOnCas + 4, row, FromCp(f.FilmName.Strng));
    model_->RowChanged(row);
}

void TCasEditDlg::SelectCell(int col, int row) {
    row = std::clamp(row, 1, std::max(1, model_->Rows()));
    col = std::clamp(col, 0, CasGridModel::ColCount - 1);
    const QModelIndex at = model_->index(row - 1, col);
    if (at.isValid() && grid_->currentIndex() != at) {
        grid_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
        return; // the selection handler shows the cassette
    }
    CurrentCellChanged(col, row);
}

void TCasEditDlg::CurrentCellChanged(int col, int row) {
    selCol_ = col;
    selRow_ = row;
    SetEditTexts();
}

void TCasEditDlg::SetCasEditDlgTopRow() {
    const QModelIndex at = model_->index(selRow_ - 1, selCol_);
    if (at.isValid())
        grid_->scrollTo(at);
}

int TCasEditDlg::ShownNominal() const {
    if (totalBox_->currentIndex() >= 0)
        return totalBox_->currentText().trimmed().toInt();
    const int cas = CasOfRow(selRow_);
    return cas != 0 ? NominalLength(c_.Cassette(cas).TotalLength) : 240;
}

void TCasEditDlg::SetEditTexts() {
    const int cas = CasOfRow(selRow_);
    if (cas == 0)
        return;
    const TCasRec& rec = c_.Cassette(cas);
    casNrEdit_->setText(rec.Nr != 0 ? Num(rec.Nr) : QString());
    longplayBox_->setChecked(false);
    if (rec.TotalLength != 0) {
        // A length that is not one of the items shows an empty box, so that the list keeps it.
        totalBox_->setCurrentIndex(-1);
        for (int i = 0; i < totalBox_->count(); ++i)
            if (totalBox_->itemText(i).trimmed().toInt() == NominalLength(rec.TotalLength))
                totalBox_->setCurrentIndex(i);
        longplayBox_->setChecked(IsLongPlay(rec.TotalLength));
        restEdit_->setText(Num(rec.RestLength));
        gapEdit_->setText(Num(rec.GapLength));
    } else {
        totalBox_->setCurrentIndex(totalBox_->findText(QStringLiteral("240")));
        restEdit_->setText(QStringLiteral("240"));
        gapEdit_->setText(QStringLiteral("0"));
    }
    if (!sorting_) {
        const int nominal = ShownNominal();
        model_->SetCells(2, selRow_, Num(longplayBox_->isChecked() ? 2 * nominal : nominal));
        model_->SetCells(1, selRow_, longplayBox_->isChecked() ? QStringLiteral("X") : QString());
    }
    std::string films;
    const bool empty = FilmsOnCassette(c_, rec.Nr, films);
    delCasBtn_->setEnabled(s_.AllowCasEdit && empty);
    casNrEdit_->setEnabled(s_.AllowCasEdit && empty && !locked_);
    UpdateMoveLabels();
}

// The row the editor fields write to: the cassette whose number the number field shows, or the
// selected row while a cassette is being created or when no row has that number.
int TCasEditDlg::EditRow() const {
    if (st_.Bearbeiten == 5)
        return selRow_;
    bool ok = false;
    const int nr = casNrEdit_->text().toInt(&ok);
    const int row = ok ? CasNrToRow(nr) : 0;
    return row != 0 ? row : selRow_;
}

void TCasEditDlg::TotalLengthComboBoxChange() {
    const int row = EditRow();
    const int total = ShownNominal() * (longplayBox_->isChecked() ? 2 : 1);
    model_->SetCells(2, row, Num(total));
    model_->SetCells(3, row, Num(total));
    model_->SetCells(1, row, longplayBox_->isChecked() ? QStringLiteral("X") : QString());
    restEdit_->setText(Num(total));
    gapEdit_->setText(QStringLiteral("0"));
}

void TCasEditDlg::LengthFieldChanged(bool rest) {
    model_->SetCells(rest ? 3 : 4, EditRow(), (rest ? restEdit_ : gapEdit_)->text());
}

void TCasEditDlg::RestLengthMaskEditExit() {
    LengthFieldExit(true);
}
void TCasEditDlg::GapLengthMaskEditExit() {
    LengthFieldExit(false);
}

void TCasEditDlg::LengthFieldExit(bool rest) {
    QLineEdit* field = rest ? restEdit_ : gapEdit_;
    if (field->isReadOnly() || !field->isEnabled())
        return;
    const int row = EditRow();
    const int cas = CasOfRow(row);
    if (cas == 0)
        return;
    TCasRec& rec = c_.Cassette(cas);
    const long long stored = rest ? rec.RestLength : rec.GapLength;
    const auto restore = [&] { field->setText(Num(stored)); };
    long long v = 0;
    if (!ParseInt(ToCp(field->text()), v)) {
        restore();
        return;
    }
    // The checks use the lengths the list shows for the cassette: after a new total was chosen
    // they are the ones OK will store.
    long long total = EffectiveLength(rec.TotalLength);
    long long other = rest ? rec.GapLength : rec.RestLength;
    ParseInt(ToCp(model_->Cells(2, row)), total);
    ParseInt(ToCp(model_->Cells(rest ? 4 : 3, row)), other);
    const std::string name = rest ? "Rest" : "Loch";
    int error = 0;
    if (v > total)
        error = 21;
    else if (v < 0)
        error = 22;
    else if (v + other > total)
        error = rest ? 23 : 24;
    if (error != 0) {
        ui_.error(ErrorText(error, name));
        restore();
        return;
    }
    if (v != stored) {
        if (rest)
            rec.RestLength = static_cast<int16_t>(v);
        else
            rec.GapLength = static_cast<uint16_t>(v);
        c_.DataSaved = false;
    }
}

// A length field that still has the focus when OK is pressed (Enter) is checked first.
void TCasEditDlg::FinishFieldEdit() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == restEdit_)
        RestLengthMaskEditExit();
    else if (focus == gapEdit_)
        GapLengthMaskEditExit();
}

bool TCasEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == totalBox_ && event->type() == QEvent::KeyPress) {
        // The length box is worked with Enter and the arrow keys; typing does not pick items.
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_F4:
            return false;
        default:
            return key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::ShiftModifier;
        }
    }
    if ((watched == restEdit_ || watched == gapEdit_) && event->type() == QEvent::FocusOut) {
        // Only leaving the field for another control of the dialog counts, not a message box
        // (which the check itself may show) taking the focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !inFieldExit_) {
            inFieldExit_ = true;
            LengthFieldExit(watched == restEdit_);
            inFieldExit_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCasEditDlg::PlayErrorSound() {
    QApplication::beep();
    emit errorSound();
}

} // namespace kt
