#include "filmeditor/film_editor_dialog.h"

#include "app_context.h"
#include "filmeditor/cassette_chooser.h"
#include "filmeditor/field_checks.h"
#include "filmeditor/session_checks.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "widgets/radio_group.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace kt {

using namespace literals;

namespace {

std::string Stripped(const QLineEdit* e) {
    return TrimText(ToCp(e->text()), 'A');
}

// Gives the focus back to a field once the current focus change is over.
void FocusBack(QWidget* w) {
    QTimer::singleShot(0, w, [w] { w->setFocus(Qt::OtherFocusReason); });
}

} // namespace

void TFilmEigenschaftenDlg::mediumChanged() {
    ApplyStorageMediumLayout();
    if (filling_)
        return;
    const int i = SelectedMediumIndex();
    if (Bearbeiten == ModeNew && i != lastMediumIndex_) {
        if (i != 0) {
            // All media but the video cassette share one numbering: propose the next number.
            const int n = SuggestedDiscNumber(ctx_.collection);
            CasNrMaskEdit->setText(n > 0 ? QString::number(n) : QString());
        } else {
            // A disc number is no cassette number; the cassette is chosen with the button.
            CasNrMaskEdit->clear();
            CasCheckState = CasNotChecked;
        }
    }
    lastMediumIndex_ = i;
}

void TFilmEigenschaftenDlg::ApplyStorageMediumLayout() {
    const int i = SelectedMediumIndex();
    // A typed medium that is not listed yet behaves like an added one.
    const int kind = i < 0 ? 3 : (i > 3 ? 3 : i);
    const QString text = ComboBoxSpeichermedium->currentText();
    GroupBoxCassette->setTitle(QStringLiteral(" Angaben zur ") + text + QLatin1Char(' '));

    const bool cassette = i == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{CasNrBtn, PosOnCasMaskEdit, PosOnCasBtn,
                                                      NettoLengthMaskEdit, WerbungCheckBox, LabelMinNetto})
        w->setVisible(cassette);
    CasNrMaskEdit->setReadOnly(cassette);
    const bool discs = i > 1 || i < 0;
    LabelAnzDVDs->setVisible(discs);
    ComboBoxAnzDVDs->setVisible(discs);
    const bool dvd = text == QLatin1String("DVD");
    RadioGroupDVD_RegCode->setEnabled(dvd);
    if (!dvd)
        RadioGroupDVD_RegCode->setItemIndex(-1);

    static const char* const dateLabels[] = {"Aufzeichnungsdatum", "Anschaffungsdatum", "Anschaffungsdatum",
                                             "Erstellungsdatum"};
    static const char* const numberLabels[] = {"Cassettennr.:", "Cassettennr.:", "DVD-Nr.:", "CD-Nr.:"};
    AufzdatumLabel->setText(QLatin1String(dateLabels[kind]));
    LabelMinNetto->setText(cassette ? QStringLiteral("Min. (netto); ") : QStringLiteral("Min. "));
    LabelMinInsgesamt->setText(cassette ? QStringLiteral("Min. (insgesamt); ")
                                        : QStringLiteral("Min. (insgesamt) "));
    Label2->setText(QLatin1String(numberLabels[kind]));
    if (kind == 2) {
        LabelAnzDVDs->setText(QStringLiteral("Anzahl DVDs:"));
        Label15->setText(QStringLiteral("ggf. auf mehrere DVDs verteilt (siehe unten)"));
    } else if (kind == 3) {
        LabelAnzDVDs->setText(QStringLiteral("Anzahl CDs:"));
        Label15->setText(QStringLiteral("ggf. auf mehrere CDs verteilt (siehe unten)"));
    } else {
        Label15->clear();
    }
    CasNrMaskEdit->setToolTip(cassette ? QStringLiteral("Nummer der Cassette, auf der sich der Film befindet")
                                       : QStringLiteral("Nummerierung ist unabhängig vom Cassetten-Modus!"));
    // The position exists on a tape only; without its field the label stays empty.
    LabelPosOnCas->setText(cassette ? QStringLiteral("Position auf Cassette: ") : QString());
    // Off the tape the label takes the place of the cassette button, so no empty line remains.
    cassetteLayout_->removeWidget(LabelPosOnCas);
    numberRow_->removeWidget(LabelPosOnCas);
    if (cassette)
        cassetteLayout_->addWidget(LabelPosOnCas, 3, 0);
    else
        numberRow_->insertWidget(numberRow_->indexOf(CasNrBtn) + 1, LabelPosOnCas);
    LabelPosOnCas->setVisible(i < 3 || i > 5);
    if (viewLocked_)
        applyViewLock();
}

std::string TFilmEigenschaftenDlg::numberLabelName() const {
    std::string label = ToCp(Label2->text());
    if (!label.empty())
        label.pop_back();
    return label;
}

bool TFilmEigenschaftenDlg::ComboBoxFilmNameExit() {
    if (Bearbeiten == ModeView || ComboBoxFilmName->currentText() == checkedTitle_)
        return false;
    if (!NoSimilarFilmFound(SimilarOnLeave)) {
        FocusBack(ComboBoxFilmName);
        return true;
    }
    checkedTitle_ = ComboBoxFilmName->currentText();
    return false;
}

bool TFilmEigenschaftenDlg::FilmLengthMaskEditExit() {
    UserDialogs& ui = ctx_.dialogs();
    const int medium = SelectedMediumIndex();
    const std::string s = Stripped(FilmLengthMaskEdit);
    const std::string s2 = Stripped(NettoLengthMaskEdit);
    WerbungCheckBox->setChecked(CommercialsByLengths(medium, s, s2));

    const TFilmV26* stored = Bearbeiten == ModeEdit ? storedFilm() : nullptr;
    if (Bearbeiten == ModeEdit && stored && stored->StorageType != StVideo)
        return false;
    const int a = FieldNumberOr(s, -1, -1);
    // A film that stays where it is on its tape may only grow into free space behind it.
    if (stored && a > 0 && medium == 0 && FieldNumber(ToCp(CasNrMaskEdit->text())) == stored->CasNr) {
        const LengthRefusal refusal = CheckEditedLength(ctx_.collection, *stored, a);
        if (refusal != LengthRefusal::None) {
            ui.error(LengthRefusalText(refusal));
            FilmLengthMaskEdit->clear();
            return true;
        }
    }
    if (NetLongerThanTotal(s, s2)) {
        ui.error(NetLengthText(true));
        FilmLengthMaskEdit->clear();
        return true;
    }
    if (!s.empty() && !Stripped(CasNrMaskEdit).empty()) {
        CheckLength_RestLength();
        return Stripped(CasNrMaskEdit).empty(); // emptied: the film does not fit
    }
    return false;
}

bool TFilmEigenschaftenDlg::NettoLengthMaskEditExit() {
    const std::string s = Stripped(FilmLengthMaskEdit);
    const std::string s2 = Stripped(NettoLengthMaskEdit);
    WerbungCheckBox->setChecked(!s.empty() && s != s2);
    if (NetLongerThanTotal(s, s2)) {
        ctx_.dialogs().error(NetLengthText(false));
        NettoLengthMaskEdit->clear();
        return true;
    }
    return false;
}

void TFilmEigenschaftenDlg::WerbungCheckBoxClick() {
    if (Bearbeiten == ModeView || WerbungCheckBox->isChecked())
        return;
    if (Stripped(FilmLengthMaskEdit).empty() && !Stripped(NettoLengthMaskEdit).empty())
        FilmLengthMaskEdit->setText(NettoLengthMaskEdit->text());
    else
        NettoLengthMaskEdit->setText(FilmLengthMaskEdit->text());
}

bool TFilmEigenschaftenDlg::JahrMaskEditExit() {
    const std::string question = YearQuestion(ToCp(JahrMaskEdit->text()), QDate::currentDate().year());
    if (question.empty() || ctx_.dialogs().question(question, Buttons::YesNo) == Answer::Yes)
        return false;
    const Collection& c = ctx_.collection;
    if (c.ActFilm != 0 && c.ActFilm <= c.AnzFilm() && c.Film(c.ActFilm).ProdYear != 0)
        JahrMaskEdit->setText(QString::number(c.Film(c.ActFilm).ProdYear));
    else
        JahrMaskEdit->clear();
    return true;
}

bool TFilmEigenschaftenDlg::CasNrMaskEditExit() {
    if (SelectedMediumIndex() == 0)
        return false;
    const int number = FieldNumber(ToCp(CasNrMaskEdit->text()));
    if (number == 0 || !DuplicateNumberToChange(ctx_.collection, ctx_.filmEditorSession, number,
                                                ctx_.collection.ActFilm, numberLabelName(), ctx_.dialogs()))
        return false;
    FocusBack(CasNrMaskEdit);
    return true;
}

bool TFilmEigenschaftenDlg::CheckLength_RestLength() {
    const Collection& c = ctx_.collection;
    const TFilmV26* current = c.ActFilm != 0 && c.ActFilm <= c.AnzFilm() ? &c.Film(c.ActFilm) : nullptr;
    const int number = SelectedCasNr > 0 ? SelectedCasNr : FieldNumber(ToCp(CasNrMaskEdit->text()));
    const int length = FieldNumberOr(ToCp(FilmLengthMaskEdit->text()), -1, -1);
    const FitResult fit = CassetteFit(c, current, SelectedMediumIndex(), number, length);
    if (fit.outcome == FitOutcome::DoesNotFit) {
        CasCheckState = CasDoesNotFit;
        CasNrMaskEdit->clear();
        QApplication::beep();
        ctx_.dialogs().error(DoesNotFitText(fit.exceeded));
    } else if (fit.outcome == FitOutcome::Fits) {
        CasCheckState = CasFits;
    }
    return fit.outcome == FitOutcome::Fits;
}

void TFilmEigenschaftenDlg::CasNrBtnClick() {
    if (runPendingExits())
        return;
    ctx_.trace.TraceLine("KtkFEd: CasNrBtnClick [ENTRY]");
    CassetteChoiceRequest request;
    request.Bearbeiten =
        FieldNumber(ToCp(CasNrMaskEdit->text())) <= 0 ? static_cast<int>(ModeNew) : Bearbeiten;
    request.CasEditCaller = 0;
    request.CasCommitMode = 2;
    request.SelectedCas = SelectedCas;
    request.SelectedPos = SelectedPos;
    request.SuggestFilmLength = SuggestFilmLength;
    const CassetteChoiceResult r = chooser_->choose(request, this);
    bool fits = false;
    // Without a position column the cassette editor reports 4; for choosing a cassette that is enough.
    if (r.CasEditResult == 1 || r.CasEditResult == 4) {
        SelectedCas = r.SelectedCas;
        SelectedCasNr = r.SelectedCasNr;
        SelectedPos = r.SelectedPos;
        CasNrMaskEdit->clear();
        if (SelectedCas > 0)
            CasNrMaskEdit->setText(QString::number(SelectedCasNr));
        fits = CheckLength_RestLength();
    } else if (CasCheckState != CasFits) {
        CasCheckState = CasNotChecked;
    }
    if (fits)
        PosOnCasBtn->setFocus(Qt::OtherFocusReason);
    ctx_.trace.TraceLine("KtkFEd: CasNrBtnClick [EXIT] CasCheckState=" + std::to_string(CasCheckState));
}

void TFilmEigenschaftenDlg::PosOnCasBtnClick() {
    if (runPendingExits())
        return;
    if (FieldNumber(ToCp(CasNrMaskEdit->text())) <= 0) {
        ctx_.dialogs().warning("Bitte, zuerst eine Cassettennummer eingeben!");
        return;
    }
    ctx_.trace.TraceLine("KtkFEd: PosOnCasBtnClick [ENTRY]");
    CassetteChoiceRequest request;
    if (Bearbeiten == ModeNew || Bearbeiten == 5)
        request.Bearbeiten = 7;
    else
        request.Bearbeiten = ctx_.settings.AllowCasEdit ? 6 : 3;
    request.CasEditCaller = 3;
    request.CasCommitMode = 2;
    request.disabled = LockAllEditing;
    request.SelectedCas = SelectedCas;
    request.SelectedPos = SelectedPos;
    request.SuggestFilmLength = SuggestFilmLength;
    const QString before = PosOnCasMaskEdit->text();
    const CassetteChoiceResult r = chooser_->choose(request, this);
    if (r.CasEditResult == 1 && request.Bearbeiten != 3) {
        SelectedPos = r.SelectedPos;
        PosOnCasMaskEdit->setText(QString::number(r.SelectedPos));
        // A row of another cassette may be picked while editing: the number follows the place.
        if (r.SelectedCasNr > 0 && r.SelectedCasNr != FieldNumber(ToCp(CasNrMaskEdit->text()))) {
            SelectedCas = r.SelectedCas;
            SelectedCasNr = r.SelectedCasNr;
            CasNrMaskEdit->setText(QString::number(SelectedCasNr));
            CheckLength_RestLength();
        }
    } else {
        PosOnCasMaskEdit->setText(before);
    }
    AufzeichnungsDateTimePicker->setFocus(Qt::OtherFocusReason);
    ctx_.trace.TraceLine("KtkFEd: PosOnCasBtnClick [EXIT] Pos=" + ToCp(PosOnCasMaskEdit->text()));
}

} // namespace kt
