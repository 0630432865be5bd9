#include "casseditor/cas_edit_dlg.h"

#include "casseditor/cas_grid.h"
#include "cassettes/film_move.h"
#include "dialogs/message_box.h"
#include "model/collection.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace kt {

namespace {

// Bold shows a chosen place, italics the empty default.
void SetLook(QWidget* w, const QString& text, bool chosen) {
    QFont f = w->font();
    f.setBold(chosen);
    f.setItalic(!chosen);
    w->setFont(f);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        box->setText(text);
}

const QString NoFilmText = QStringLiteral("Film =  [keine Position gewählt]");
const QString NoSourceText = QStringLiteral("Quelle: [keine Position gewählt]");
const QString NoTargetText = QStringLiteral("Ziel:   [keine Position gewählt]");

} // namespace

void TCasEditDlg::ResetMoveTexts() {
    srcBox_->setChecked(false);
    tgtBox_->setChecked(false);
    SetLook(moveNameLabel_, NoFilmText, false);
    SetLook(srcBox_, NoSourceText, false);
    SetLook(tgtBox_, NoTargetText, false);
    moveBtn_->setEnabled(false);
}

void TCasEditDlg::UpdateMoveLabels() {
    if (!s_.AllowCasEdit || !CasGridModel::IsPosCol(selCol_))
        return;
    const int cas = CasOfRow(selRow_);
    if (cas == 0)
        return;
    const QString place = QStringLiteral("Cas. %1, Pos. %2").arg(c_.Cassette(cas).Nr).arg(selCol_ - 4);
    if (!srcBox_->isChecked()) {
        const QString title = model_->Cells(selCol_, selRow_);
        SetLook(moveNameLabel_,
                QStringLiteral("Film = ") + (title.isEmpty() ? QStringLiteral("[leer]") : title), true);
        SetLook(srcBox_, QStringLiteral("Quelle: ") + place, true);
        if (!tgtBox_->font().italic())
            SetLook(tgtBox_, NoTargetText, false);
    } else if (!tgtBox_->isChecked()) {
        SetLook(tgtBox_, QStringLiteral("Ziel:    ") + place, true);
    }
}

void TCasEditDlg::ResetTarget() {
    tgt_ = {};
    tgtBox_->setChecked(false);
    moveBtn_->setEnabled(false);
}

void TCasEditDlg::SrcFilmCheckBoxClick() {
    if (srcBox_->isChecked()) {
        const int cas = CasOfRow(selRow_);
        // Only a position that shows a film can be the source.
        if (cas == 0 || !CasGridModel::IsPosCol(selCol_) || model_->Cells(selCol_, selRow_).isEmpty()) {
            srcBox_->setChecked(false);
            PlayErrorSound();
            return;
        }
        src_ = {cas, selCol_ - 4};
        srcTitle_ = ToCp(model_->Cells(selCol_, selRow_));
        TraceLine("Cassedit: move source " + std::to_string(cas) + "/" + std::to_string(src_.position));
        UpdateMoveLabels();
        return;
    }
    // Without a source a target means nothing.
    src_ = {};
    srcTitle_.clear();
    ResetTarget();
    SetLook(tgtBox_, NoTargetText, false);
    UpdateMoveLabels();
}

void TCasEditDlg::TgtFilmCheckBoxClick() {
    if (tgtBusy_)
        return;
    tgtBusy_ = true;
    if (tgtBox_->isChecked()) {
        bool refused = true;
        const int cas = CasOfRow(selRow_);
        if (srcBox_->isChecked() && cas != 0 && CasGridModel::IsPosCol(selCol_)) {
            tgt_ = {cas, selCol_ - 4};
            moveBtn_->setEnabled(true);
            refused = MoveFilmError(c_, src_, tgt_, ui_);
        }
        if (refused) {
            ResetTarget();
            PlayErrorSound();
        }
    } else {
        ResetTarget();
        UpdateMoveLabels();
    }
    tgtBusy_ = false;
}

void TCasEditDlg::CasEditDlgStringGridRightClick(int col, int row) {
    if (!s_.AllowCasEdit || !CasGridModel::IsPosCol(col) || !srcBox_->isEnabled())
        return;
    if (col != selCol_ || row != selRow_)
        SelectCell(col, row);
    if (!srcBox_->isChecked() && !tgtBox_->isChecked()) {
        srcBox_->setChecked(true);
        SrcFilmCheckBoxClick();
    } else if (srcBox_->isChecked() && !tgtBox_->isChecked()) {
        tgtBox_->setChecked(true);
        TgtFilmCheckBoxClick();
    }
}

void TCasEditDlg::MoveFilmOKtBtnClick() {
    if (!srcBox_->isChecked() || !tgtBox_->isChecked())
        return;
    TraceLine("Cassedit: MoveFilmOKtBtnClick [ENTRY]");
    const int col = selCol_;
    const int row = selRow_;
    const MoveResult r = MoveFilm(c_, src_, srcTitle_, tgt_, ui_);
    if (r != MoveResult::Moved) {
        // Nothing changed; the dialog stays open for another choice.
        if (r == MoveResult::Refused)
            ResetTarget();
        TraceLine("Cassedit: MoveFilmOKtBtnClick [EXIT] not moved");
        return;
    }
    ResetMoveTexts();
    FillRowTexts(RowOfCas(src_.cassette));
    if (tgt_.cassette != src_.cassette)
        FillRowTexts(RowOfCas(tgt_.cassette));
    SelectCell(col, row);
    TraceLine("Cassedit: MoveFilmOKtBtnClick [EXIT] moved");
    done(6);
}

} // namespace kt
