#include "filmeditor/film_editor_dialog.h"

#include "app_context.h"
#include "catalogue/value_texts.h"
#include "filmeditor/field_checks.h"
#include "filmeditor/lending.h"
#include "filmeditor/session_checks.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "widgets/radio_group.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace kt {

using namespace literals;

namespace {

QString Number(int value) {
    return QString::number(value);
}

// A field's text for the record. A text the user left as it was shown keeps its stored bytes,
// so that line-break variants and characters without a screen form survive an edit.
std::string Typed(const QString& shown, const std::string* original) {
    if (original && ScreenText(*original) == shown)
        return *original;
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToCp(text);
}

// A coded value the control cannot show (outside its items) stays as stored.
int Coded(int index, const int32_t* original, int count) {
    if (index < 0 && original && (*original < 0 || *original >= count))
        return *original;
    return index;
}

int32_t HighestFilmNr(const Collection& c) {
    int32_t highest = 0;
    for (const TFilmV26& f : c.films())
        highest = f.FilmNr > highest ? f.FilmNr : highest;
    return highest;
}

constexpr int32_t ListedLanguages = (1 << LanguageCount) - 1;

} // namespace

const TFilmV26* TFilmEigenschaftenDlg::storedFilm() const {
    const Collection& c = ctx_.collection;
    if ((Bearbeiten != ModeEdit && Bearbeiten != ModeView) || c.ActFilm == 0 || c.ActFilm > c.AnzFilm())
        return nullptr;
    return &c.Film(c.ActFilm);
}

int TFilmEigenschaftenDlg::SelectedMediumIndex() const {
    const std::string wanted = UpperAZ(ToCp(ComboBoxSpeichermedium->currentText()));
    for (int i = 0; i < ComboBoxSpeichermedium->count(); ++i)
        if (UpperAZ(ToCp(ComboBoxSpeichermedium->itemText(i))) == wanted)
            return i;
    return -1;
}

bool TFilmEigenschaftenDlg::SetValues() {
    Collection& c = ctx_.collection;
    ctx_.trace.TraceLine("KtkFEd: SetValues [ENTRY] ActFilm=" + std::to_string(c.ActFilm));
    if (Bearbeiten != ModeEdit && Bearbeiten != ModeView)
        return true; // a new film starts from the empty dialog
    if (c.ActFilm == 0 || c.ActFilm > c.AnzFilm()) {
        ctx_.dialogs().error(ErrorText(c.AnzFilm() >= c.ActFilm && c.AnzFilm() != 0 ? 12 : 17, {}));
        return false;
    }
    const TFilmV26& f = c.Film(c.ActFilm);
    filling_ = true;
    FilmNr = f.FilmNr;
    ComboBoxFilmName->setEditText(FromCp(f.FilmName.Strng));
    checkedTitle_ = ComboBoxFilmName->currentText();
    FilmLengthMaskEdit->setText(f.FilmLength == 0 ? QString() : Number(f.FilmLength));
    NettoLengthMaskEdit->setText(Number(f.NetLength));
    WerbungCheckBox->setChecked(f.Commercials);
    CasNrMaskEdit->setText(f.CasNr <= 0 ? QString() : Number(f.CasNr));
    PosOnCasMaskEdit->setText(Number(f.PosOnCas));

    int year = 0, month = 0, day = 0;
    const QDate date = DecodeDate(f.RecDate, year, month, day) ? QDate(year, month, day) : QDate();
    if (IsMissingDate(f.RecDate)) {
        AufzeichnungsDateTimePicker->setDate(EmptyDate());
        AufzeichnungsDateTimePicker->setPalette(QPalette());
    } else if (date.isValid() && date > EmptyDate() && date <= AufzeichnungsDateTimePicker->maximumDate()) {
        AufzeichnungsDateTimePicker->setDate(date);
        AufzeichnungsDateTimePicker->setPalette(QPalette());
    } else {
        // A date the picker cannot show is hidden rather than replaced.
        QPalette p = AufzeichnungsDateTimePicker->palette();
        p.setColor(QPalette::Text, p.color(QPalette::Base));
        AufzeichnungsDateTimePicker->setPalette(p);
    }
    dateTouched_ = false;

    ComboBoxAnzDVDs->setEditText(Number(f.AnzDiscs));
    KarteRadioGroup->setItemIndex(f.CatalogCard);
    for (int i = 0; i < CheckListBoxSprache->count(); ++i)
        CheckListBoxSprache->item(i)->setCheckState((f.Languages >> i) & 1 ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < ComboBoxSpeichermedium->count(); ++i)
        if (StorageTypeOfMedium(i) == f.StorageType) {
            ComboBoxSpeichermedium->setCurrentIndex(i);
            ComboBoxSpeichermedium->setEditText(ComboBoxSpeichermedium->itemText(i));
            break;
        }

    RadioGroupVerleihstatus->setItemIndex(f.LendStatus);
    MemoAnschrift->setPlainText(ScreenText(f.LenderAddress.Strng));
    ComboBoxVerliehenAn->setEditText(FromCp(f.LentTo.Strng));

    InhaltMemo->setPlainText(ScreenText(f.Content.Strng));
    DirectorEdit->setText(FromCp(f.Director.Strng));
    CountryEdit->setText(FromCp(f.Country.Strng));
    JahrMaskEdit->setText(f.ProdYear == 0 ? QString() : Number(f.ProdYear));
    ZweikanaltonCheckBox->setChecked(f.TwoChannel);
    ComboBoxKategorie->setEditText(FromCp(f.Category.Strng));
    MemoStars->setPlainText(ScreenText(f.Stars.Strng));
    BewertungRadioGroup->setItemIndex(f.Rating);
    ComboBoxFSK->setCurrentIndex(f.Fsk >= 0 && f.Fsk < ComboBoxFSK->count() ? f.Fsk : -1);
    BemerkungMemo->setPlainText(ScreenText(f.Remark.Strng));
    RadioGroupTon->setItemIndex(f.SoundFormat);
    RadioGroupBildformat->setItemIndex(f.PictureFormat);
    RadioGroupDVD_RegCode->setItemIndex(f.DvdRegion);
    filling_ = false;
    lastMediumIndex_ = SelectedMediumIndex();
    ApplyStorageMediumLayout();
    // A picture of unknown type stops the filling, and the dialog is not shown.
    const bool pictures = f.AnzPics() == 0 || FillPictures();
    ctx_.trace.TraceLine("KtkFEd: SetValues [EXIT] FilmNr=" + std::to_string(FilmNr));
    return pictures;
}

void TFilmEigenschaftenDlg::GetDialogData() {
    Collection& c = ctx_.collection;
    const TFilmV26* o = storedFilm();
    TFilmV26 w;
    w.FilmNr = FilmNr != 0 ? FilmNr : HighestFilmNr(c) + 1;
    w.FilmName.Strng = Typed(ComboBoxFilmName->currentText(), o ? &o->FilmName.Strng : nullptr);
    w.FilmLength = FieldNumber(ToCp(FilmLengthMaskEdit->text()));
    w.NetLength = FieldNumber(ToCp(NettoLengthMaskEdit->text()));
    w.Commercials = WerbungCheckBox->isChecked();
    w.CasNr = FieldNumber(ToCp(CasNrMaskEdit->text()));
    w.PosOnCas = FieldNumber(ToCp(PosOnCasMaskEdit->text()));
    if (o && !dateTouched_) {
        w.RecDate = o->RecDate; // untouched: the stored value, time of day and all
    } else {
        const QDate d = AufzeichnungsDateTimePicker->date();
        w.RecDate = d.isValid() && d > EmptyDate() ? EncodeDate(d.year(), d.month(), d.day()) : 0.0;
    }
    w.AnzDiscs = FieldNumberOr(ToCp(ComboBoxAnzDVDs->currentText()), -1, -1);
    w.CatalogCard =
        Coded(KarteRadioGroup->ItemIndex(), o ? &o->CatalogCard : nullptr, KarteRadioGroup->count());
    int32_t languages = o ? (o->Languages & ~ListedLanguages) : 0;
    for (int i = 0; i < CheckListBoxSprache->count(); ++i)
        if (CheckListBoxSprache->item(i)->checkState() == Qt::Checked)
            languages |= 1 << i;
    w.Languages = languages;
    int medium = SelectedMediumIndex();
    if (medium < 0)
        medium = ComboBoxSpeichermedium->currentIndex() < 0 ? 0 : ComboBoxSpeichermedium->currentIndex();
    w.StorageType = StorageTypeOfMedium(medium % MaxStorageMedia);

    w.Content.Strng = Typed(InhaltMemo->toPlainText(), o ? &o->Content.Strng : nullptr);
    w.Director.Strng = Typed(DirectorEdit->text(), o ? &o->Director.Strng : nullptr);
    w.Country.Strng = Typed(CountryEdit->text(), o ? &o->Country.Strng : nullptr);
    w.ProdYear = FieldNumber(ToCp(JahrMaskEdit->text()));
    w.TwoChannel = ZweikanaltonCheckBox->isChecked();
    w.Category.Strng = Typed(ComboBoxKategorie->currentText(), o ? &o->Category.Strng : nullptr);
    AddCategoryToList(c, w.Category.Strng);
    w.Stars.Strng = Typed(MemoStars->toPlainText(), o ? &o->Stars.Strng : nullptr);
    w.Rating =
        Coded(BewertungRadioGroup->ItemIndex(), o ? &o->Rating : nullptr, BewertungRadioGroup->count());
    w.Fsk = Coded(ComboBoxFSK->currentIndex(), o ? &o->Fsk : nullptr, ComboBoxFSK->count());
    w.Remark.Strng = Typed(BemerkungMemo->toPlainText(), o ? &o->Remark.Strng : nullptr);
    w.SoundFormat = Coded(RadioGroupTon->ItemIndex(), o ? &o->SoundFormat : nullptr, RadioGroupTon->count());
    w.PictureFormat = Coded(RadioGroupBildformat->ItemIndex(), o ? &o->PictureFormat : nullptr,
                            RadioGroupBildformat->count());
    // Only a DVD has a region; the cleared group of other media means "not entered".
    w.DvdRegion = RadioGroupDVD_RegCode->isEnabled() || viewLocked_
                      ? Coded(RadioGroupDVD_RegCode->ItemIndex(), o ? &o->DvdRegion : nullptr,
                              RadioGroupDVD_RegCode->count())
                      : 0;

    const std::string name = Typed(ComboBoxVerliehenAn->currentText(), o ? &o->LentTo.Strng : nullptr);
    std::string address = Typed(MemoAnschrift->toPlainText(), o ? &o->LenderAddress.Strng : nullptr);
    const int status =
        RadioGroupVerleihstatus->ItemIndex() < 0 ? LendNotLent : RadioGroupVerleihstatus->ItemIndex();
    if (CollectLending(c, status, name, address, w)) {
        const QString shown = FromCp(name);
        int at = 0;
        while (at < ComboBoxVerliehenAn->count() &&
               QString::compare(ComboBoxVerliehenAn->itemText(at), shown, Qt::CaseInsensitive) <= 0)
            ++at;
        const QString text = ComboBoxVerliehenAn->currentText();
        ComboBoxVerliehenAn->insertItem(at, shown);
        ComboBoxVerliehenAn->setEditText(text);
        if (MemoAnschrift->toPlainText().isEmpty())
            MemoAnschrift->setPlainText(ScreenText(address));
    }
    FilmEdit_Film = std::move(w);
}

StoreOutcome TFilmEigenschaftenDlg::GetValues() {
    PictureEdit pics;
    collectPictures(pics);
    const StoreResult r = StoreFilm(ctx_.collection, Bearbeiten, FilmEdit_Film, pics, ctx_.dialogs());
    if (r.outcome == StoreOutcome::Stored && r.changed)
        RedrawNecessary = true;
    return r.outcome;
}

bool TFilmEigenschaftenDlg::NoSimilarFilmFound(int kind) {
    const std::string title =
        kind == SimilarOnAccept ? FilmEdit_Film.FilmName.Strng : ToCp(ComboBoxFilmName->currentText());
    const int skip = Bearbeiten == ModeEdit ? ctx_.collection.ActFilm : 0;
    return kt::NoSimilarFilmFound(ctx_.collection, ctx_.filmEditorSession, title, kind, skip, ctx_.dialogs());
}

void TFilmEigenschaftenDlg::OKBtnClick() {
    ctx_.trace.TraceLine("KtkFEd: OKBtnClick [ENTRY] Bearbeiten=" + std::to_string(Bearbeiten));
    if (Bearbeiten == ModeView) {
        Tag = CloseOk;
        accept();
        return;
    }
    // A check of the field just left that changed the input stops the click.
    if (runPendingExits()) {
        Tag = StayOpen;
        return;
    }
    Tag = CloseOk;
    Collection& c = ctx_.collection;
    UserDialogs& ui = ctx_.dialogs();

    const QString mediumText = ComboBoxSpeichermedium->currentText();
    int medium = SelectedMediumIndex();
    if (medium < 0) {
        // A typed text that matches no medium is usually a slip (a length typed after Enter
        // moved on to this box): it becomes a medium only when the user says so.
        const std::string name = ToCp(mediumText);
        if (HasContent(name) && c.StorageMediaList.size() < std::size_t(MaxStorageMedia) &&
            ui.question("Das Speichermedium \""_cp + name +
                            "\" ist noch nicht bekannt.\r\nSoll es als neues Speichermedium angelegt werden?",
                        Buttons::YesNo) != Answer::Yes) {
            Tag = StayOpen;
            ComboBoxSpeichermedium->setFocus(Qt::OtherFocusReason);
            ComboBoxSpeichermedium->lineEdit()->selectAll();
            return;
        }
        medium = AddStorageMedium(c.StorageMediaList, ctx_.settings.StorageTypeShow, ToCp(mediumText), ui);
        if (medium < 0) {
            Tag = StayOpen;
            ComboBoxSpeichermedium->setFocus();
            return;
        }
        ComboBoxSpeichermedium->addItem(mediumText);
        // Once added, the caller must hear of it even when this attempt is refused.
        NewSpeicherMedium = true;
    }
    ComboBoxSpeichermedium->setCurrentIndex(medium);
    ComboBoxSpeichermedium->setEditText(ComboBoxSpeichermedium->itemText(medium));

    GetDialogData();
    const int errors = FilmDataErrors(FilmEdit_Film);
    if (errors != 0) {
        static const char* const lines[] = {
            "Eingabe-Fehler: Filmname wurde nicht angegeben.",
            "Eingabe-Fehler: Filmlänge wurde nicht angegeben.",
            "Eingabe-Fehler: Cassettennummer wurde nicht angegeben.",
            "Eingabe-Fehler: Position auf der Cassette wurde nicht angegeben.",
        };
        std::string text;
        for (int bit = 0; bit < 4; ++bit)
            if (errors & (1 << bit))
                text += (text.empty() ? "" : "\r\n") + ToCp1252(lines[bit]);
        QApplication::beep();
        ui.error(text);
        Tag = ui.question("Abbrechen oder Eingabe wiederholen?", Buttons::YesRetry) == Answer::Yes
                  ? CloseCancel
                  : StayOpen;
    } else if (FilmEdit_Film.StorageType == StVideo && CasCheckState != CasFits) {
        ui.error(CasCheckState == CasNotChecked ? "Cassette wurde nicht gewählt!"_cp
                                                : "Film paßt NICHT auf die gewählte Cassette!"_cp);
        Tag = StayOpen;
    } else if (Bearbeiten == ModeEdit ||
               (Bearbeiten == ModeNew &&
                ((!checkedTitle_.isEmpty() && ComboBoxFilmName->currentText() == checkedTitle_) ||
                 NoSimilarFilmFound(SimilarOnAccept)))) {
        // The title that passed the check on leaving its field is not asked about twice.
        switch (GetValues()) {
        case StoreOutcome::Stored:
            ctx_.settings.LastStorageType = StorageTypeOfMedium(medium);
            break;
        case StoreOutcome::NotFit:
            Tag = StayOpen;
            break;
        case StoreOutcome::Failed:
            break;
        }
    }
    ctx_.trace.TraceLine("KtkFEd: OKBtnClick [EXIT] Tag=" + std::to_string(Tag));
    if (Tag == CloseOk)
        accept();
    else if (Tag == CloseCancel)
        QDialog::reject();
}

void TFilmEigenschaftenDlg::LockForViewing(ViewLock which) {
    viewLocked_ = true;
    viewLock_ = which;
    if (which == ViewLock::CassetteEditor)
        setWindowTitle(windowTitle() + QStringLiteral(" - Ansehen"));
    applyViewLock();
}

void TFilmEigenschaftenDlg::applyViewLock() {
    if (viewLock_ == ViewLock::FilmList) {
        // The title box stays enabled so that its text can be selected and copied, but neither
        // typing nor picking another title from its list changes it.
        ComboBoxFilmName->lineEdit()->setReadOnly(true);
        connect(ComboBoxFilmName, &QComboBox::editTextChanged, this, [this] {
            const TFilmV26* f = storedFilm();
            if (filling_ || !f || ComboBoxFilmName->currentText() == FromCp(f->FilmName.Strng))
                return;
            const QSignalBlocker block(ComboBoxFilmName);
            ComboBoxFilmName->setEditText(FromCp(f->FilmName.Strng));
        });
        for (QLineEdit* e : {FilmLengthMaskEdit, DirectorEdit, CountryEdit, JahrMaskEdit, CasNrMaskEdit,
                             PosOnCasMaskEdit, NettoLengthMaskEdit})
            e->setReadOnly(true);
        for (QLineEdit* e : EditBildTitel)
            e->setReadOnly(true);
        for (QPlainTextEdit* m : {MemoStars, InhaltMemo, BemerkungMemo})
            m->setReadOnly(true);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 CasNrBtn, PosOnCasBtn, ComboBoxKategorie, KarteRadioGroup, BewertungRadioGroup,
                 AufzeichnungsDateTimePicker, WerbungCheckBox, ZweikanaltonCheckBox, ComboBoxAnzDVDs,
                 CheckListBoxSprache, GroupBoxVerleihstatus, ComboBoxSpeichermedium, RadioGroupTon,
                 RadioGroupBildformat, RadioGroupDVD_RegCode, ComboBoxFSK})
            w->setEnabled(false);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 ComboBoxFilmName, FilmLengthMaskEdit, CasNrBtn, PosOnCasBtn, DirectorEdit, CountryEdit,
                 JahrMaskEdit, MemoStars, InhaltMemo, BemerkungMemo, CasNrMaskEdit, PosOnCasMaskEdit,
                 KarteRadioGroup, BewertungRadioGroup, AufzeichnungsDateTimePicker, NettoLengthMaskEdit,
                 WerbungCheckBox, ZweikanaltonCheckBox})
            w->setEnabled(false);
    }
}

void TFilmEigenschaftenDlg::LendingEnable() {
    const bool lent = RadioGroupVerleihstatus->ItemIndex() == LendLent;
    ComboBoxVerliehenAn->setEnabled(lent);
    MemoAnschrift->setEnabled(lent);
    LabelAnschrift->setEnabled(lent);
    if (!lent) {
        const bool was = filling_;
        filling_ = true;
        ComboBoxVerliehenAn->setEditText(QString());
        MemoAnschrift->clear();
        filling_ = was;
    }
}

void TFilmEigenschaftenDlg::RadioGroupVerleihstatusClick() {
    LendingEnable();
    if (RadioGroupVerleihstatus->ItemIndex() == LendLent)
        ComboBoxVerliehenAn->setFocus(Qt::OtherFocusReason);
}

void TFilmEigenschaftenDlg::ComboBoxVerliehenAnChange() {
    if (filling_)
        return;
    const int lender = FindLender(ctx_.collection, ToCp(ComboBoxVerliehenAn->currentText()));
    if (lender >= 0 && static_cast<std::size_t>(lender) < ctx_.collection.LenderAddresses.size())
        MemoAnschrift->setPlainText(ScreenText(LenderAddressOf(ctx_.collection, lender)));
}

} // namespace kt
