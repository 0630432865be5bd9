#include "film_editor_fixture.h"

#include "filmeditor/film_editor_open.h"
#include "text/helpers.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace kt;
using namespace kt::test;
using Dlg = TFilmEigenschaftenDlg;

namespace {

// Two cassettes: 1 with 50 minutes left, 2 with one 120-minute film and 120 minutes left.
void TwoCassettes(Collection& c) {
    c.appendCassette(Cas(1, 240, 50));
    c.appendCassette(Cas(2, 240, 120));
    PutFilm(c, "Alte Aufnahme", StVideo, 1, 1, 190);
    PutFilm(c, "Der lange Abend", StVideo, 2, 1, 120);
}

bool Consistent(const Collection& c) {
    for (const TCasRec& cas : c.cassettes()) {
        long long sum = 0;
        for (const TFilmV26& f : c.films())
            if (f.StorageType == StVideo && f.CasNr == cas.Nr && f.PosOnCas <= 30)
                sum += f.FilmLength;
        if ((cas.TotalLength & 0x7FFF) * ((cas.TotalLength & 0x8000) ? 2 : 1) !=
            cas.GapLength + cas.RestLength + sum)
            return false;
    }
    return true;
}

} // namespace

class FilmEditorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void newVideoFilmThroughCassetteAndPositionChoice() {
        EditorContext e;
        TwoCassettes(e.c);
        e.c.ActFilm = 2;
        e.t.ctx.settings.LastStorageType = StVideo;
        e.chooser.okCassette(2, 2);
        e.chooser.okCassette(2, 2, 2);
        FilmEditorOutcome out;
        WhenModal([&](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Kassotek: Film neu anlegen "));
            QCOMPARE(dlg->PageControl1->currentWidget(), dlg->TabSheetCassette);
            QCOMPARE(dlg->ComboBoxSpeichermedium->currentText(), QStringLiteral("Video-Cassette"));
            QTRY_VERIFY(HasFocus(dlg->ComboBoxFilmName));
            QTest::keyClicks(dlg->ComboBoxFilmName->lineEdit(), QStringLiteral("Neuer Film"));
            QTest::keyClick(dlg->ComboBoxFilmName->lineEdit(), Qt::Key_Return); // on to the medium
            QVERIFY(HasFocus(dlg->ComboBoxSpeichermedium));
            dlg->FilmLengthMaskEdit->setFocus();
            QTest::keyClicks(dlg->FilmLengthMaskEdit, QStringLiteral("100"));
            QTest::mouseClick(dlg->CasNrBtn, Qt::LeftButton);
            QCOMPARE(dlg->CasNrMaskEdit->text(), QStringLiteral("2"));
            QCOMPARE(dlg->CasCheckState, static_cast<int>(Dlg::CasFits));
            QCOMPARE(QApplication::focusWidget(), dlg->PosOnCasBtn);
            QTest::keyClick(dlg->PosOnCasBtn, Qt::Key_Return); // Enter on a button presses it
            QCOMPARE(dlg->PosOnCasMaskEdit->text(), QStringLiteral("2"));
            QCOMPARE(QApplication::focusWidget(), dlg->AufzeichnungsDateTimePicker);
            QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
        });
        out = NewFilmDialog(e.t.ctx, nullptr);

        QCOMPARE(e.chooser.requests.size(), std::size_t(2));
        const CassetteChoiceRequest& cas = e.chooser.requests[0];
        QCOMPARE(cas.Bearbeiten, 4);
        QCOMPARE(cas.CasEditCaller, 0);
        QCOMPARE(cas.CasCommitMode, 2);
        QCOMPARE(cas.SuggestFilmLength, 100);
        QCOMPARE(cas.disabled, 0u);
        const CassetteChoiceRequest& pos = e.chooser.requests[1];
        QCOMPARE(pos.Bearbeiten, 7);
        QCOMPARE(pos.CasEditCaller, 3);
        QCOMPARE(pos.CasCommitMode, 2);
        QCOMPARE(pos.disabled, static_cast<unsigned>(LockAllEditing));
        QCOMPARE(pos.SelectedCas, 2);

        QVERIFY(out.RedrawNecessary);
        QVERIFY(!out.NewSpeicherMedium);
        QCOMPARE(e.c.AnzFilm(), 3);
        QCOMPARE(int(e.c.ActFilm), 3);
        const TFilmV26& f = e.c.Film(3);
        QCOMPARE(FromCp(f.FilmName.Strng), QStringLiteral("Neuer Film"));
        QCOMPARE(f.FilmNr, 3);
        QCOMPARE(f.StorageType, int32_t(StVideo));
        QCOMPARE(f.FilmLength, 100);
        QCOMPARE(f.CasNr, 2);
        QCOMPARE(f.PosOnCas, 2);
        QCOMPARE(f.Languages, 1); // "Deutsch" alone
        QCOMPARE(f.LendStatus, LendNotLent);
        QCOMPARE(e.c.Cassette(2).RestLength, int16_t(20)); // booked at once
        QCOMPARE(e.c.Cassette(1).RestLength, int16_t(50));
        QVERIFY(Consistent(e.c));
        QVERIFY(!e.c.DataSaved);
        QCOMPARE(e.t.ctx.settings.LastStorageType, int32_t(StVideo));
    }

    void cassetteThatDoesNotFitAndCancelledChoices() {
        EditorContext e;
        TwoCassettes(e.c);
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.FilmLengthMaskEdit->setText(QStringLiteral("100"));
        e.chooser.okCassette(1, 1);
        e.t.dialogs.expect(Box::Error,
                           "Film paßt nicht auf die Cassette!\r\n\r\nDie Cassetten-Länge wird um 50 "
                           "Minuten überschritten!");
        dlg.CasNrBtnClick();
        QCOMPARE(dlg.CasCheckState, static_cast<int>(Dlg::CasDoesNotFit));
        QCOMPARE(dlg.CasNrMaskEdit->text(), QString());
        // A cancelled choice forgets the failed check; the number field stays as it is.
        e.chooser.cancelled();
        dlg.CasNrBtnClick();
        QCOMPARE(dlg.CasCheckState, static_cast<int>(Dlg::CasNotChecked));

        e.t.dialogs.expect(Box::Warning, "Bitte, zuerst eine Cassettennummer eingeben!");
        dlg.PosOnCasBtnClick();
        QCOMPARE(e.chooser.requests.size(), std::size_t(2));

        // Accepting without a checked cassette is refused and stores nothing.
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Zu lang"));
        dlg.CasNrMaskEdit->setText(QStringLiteral("1"));
        dlg.PosOnCasMaskEdit->setText(QStringLiteral("2"));
        e.t.dialogs.expect(Box::Error, "Cassette wurde nicht gewählt!");
        dlg.OKBtnClick();
        QCOMPARE(dlg.Tag, static_cast<int>(Dlg::StayOpen));
        QVERIFY(dlg.isVisible());
        QCOMPARE(e.c.AnzFilm(), 2);
    }

    void fourErrorLinesInTheirOrder() {
        EditorContext e;
        TwoCassettes(e.c);
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        const char* lines = "Eingabe-Fehler: Filmname wurde nicht angegeben.\r\n"
                            "Eingabe-Fehler: Filmlänge wurde nicht angegeben.\r\n"
                            "Eingabe-Fehler: Cassettennummer wurde nicht angegeben.\r\n"
                            "Eingabe-Fehler: Position auf der Cassette wurde nicht angegeben.";
        e.t.dialogs.expect(Box::Error, lines)
            .expectQuestion("Abbrechen oder Eingabe wiederholen?", Answer::Retry);
        dlg.OKBtnClick();
        QCOMPARE(e.t.dialogs.shown.front().utf8(), std::string(lines));
        QCOMPARE(e.t.dialogs.questionButtons.back(), Buttons::YesRetry);
        QVERIFY(dlg.isVisible());

        // A length alone leaves three lines; Yes leaves without a new film.
        dlg.FilmLengthMaskEdit->setText(QStringLiteral("90"));
        e.t.dialogs.expect(Box::Error, "Filmname wurde nicht angegeben.\r\nEingabe-Fehler: Cassettennummer")
            .expectQuestion("Abbrechen oder Eingabe wiederholen?", Answer::Yes);
        dlg.OKBtnClick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(e.c.AnzFilm(), 2);
        QVERIFY(e.c.DataSaved);
    }

    void dvdNeedsOnlyATitleAndGetsTheNextNumber() {
        EditorContext e;
        PutFilm(e.c, "Eins", StDvd, 4);
        PutFilm(e.c, "Zwei", StVcd, 9);
        PutFilm(e.c, "Band", StVideo, 30, 1, 90);
        e.t.ctx.settings.LastStorageType = StDvd;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.PreselectStorageMedium(e.t.ctx.settings.LastStorageType);
        dlg.show();
        QCOMPARE(dlg.ComboBoxSpeichermedium->currentText(), QStringLiteral("DVD"));
        QCOMPARE(dlg.CasNrMaskEdit->text(), QStringLiteral("10"));
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Nur ein Titel"));
        dlg.OKBtnClick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(e.chooser.requests.empty());
        QCOMPARE(e.c.AnzFilm(), 4);
        const TFilmV26& f = e.c.Film(4);
        QCOMPARE(f.StorageType, int32_t(StDvd));
        QCOMPARE(f.CasNr, 10);
        QCOMPARE(f.FilmLength, 0);
        QCOMPARE(f.AnzDiscs, 1);
        QCOMPARE(e.t.ctx.settings.LastStorageType, int32_t(StDvd));
        QVERIFY(dlg.RedrawNecessary);
    }

    void editingWithoutAndWithChanges() {
        EditorContext e;
        TwoCassettes(e.c);
        TFilmV26& stored = e.c.Film(2);
        stored.Remark.Strng = "Zeile 1\r\nZeile 2";
        stored.RecDate = 40000.75;               // a time of day the picker does not show
        stored.Languages = (1 << 0) | (1 << 20); // a bit beyond the listed languages
        stored.Rating = 2;
        TPicRec pic;
        pic.PicFlags = PicJpg | PicKept;
        pic.PicData = {9, 8, 7};
        stored.Pics = {pic};
        const TFilmV26 before = stored;
        e.c.ActFilm = 2;
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Kassotek: Film bearbeiten "));
            QCOMPARE(dlg.FilmLengthMaskEdit->text(), QStringLiteral("120"));
            QCOMPARE(dlg.CasNrMaskEdit->text(), QStringLiteral("2"));
            QVERIFY(dlg.CasNrMaskEdit->isReadOnly());
            QCOMPARE(dlg.BewertungRadioGroup->ItemIndex(), 2);
            dlg.OKBtnClick();
            QVERIFY(!dlg.isVisible());
            QVERIFY(!dlg.RedrawNecessary);
        }
        QVERIFY(e.c.DataSaved);
        QCOMPARE(e.c.Film(2), before);
        QCOMPARE(e.c.Cassette(2).RestLength, int16_t(120));

        {
            // Only the date: unsaved through the picker, but no change of the film for the list.
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            dlg.AufzeichnungsDateTimePicker->setDate(QDate(2001, 2, 3));
            QVERIFY(!e.c.DataSaved);
            dlg.OKBtnClick();
            QVERIFY(!dlg.RedrawNecessary);
            QCOMPARE(e.c.Film(2).RecDate, EncodeDate(2001, 2, 3));
        }
        e.c.DataSaved = true;
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            dlg.BemerkungMemo->setPlainText(QStringLiteral("Neu\nzweite Zeile"));
            dlg.OKBtnClick();
            QVERIFY(dlg.RedrawNecessary);
        }
        QVERIFY(!e.c.DataSaved);
        QCOMPARE(e.c.Film(2).Remark.Strng, std::string("Neu\r\nzweite Zeile"));
        QCOMPARE(e.c.Film(2).Languages, before.Languages);
        QCOMPARE(e.c.Film(2).Pics, before.Pics);
        QCOMPARE(e.c.AnzFilm(), 2);
        QVERIFY(Consistent(e.c));
    }

    void editedFilmMovesToAnotherCassette() {
        EditorContext e;
        TwoCassettes(e.c);
        e.c.appendCassette(Cas(3, 240, 240));
        e.c.ActFilm = 2;
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        e.chooser.okCassette(3, 3);
        dlg.CasNrBtnClick();
        QCOMPARE(e.chooser.requests.back().Bearbeiten, 1); // editing keeps its mode
        QCOMPARE(dlg.mode(), 1);
        e.t.ctx.settings.AllowCasEdit = false;
        e.chooser.okCassette(3, 3, 1);
        dlg.PosOnCasBtnClick();
        QCOMPARE(e.chooser.requests.back().Bearbeiten, 3);
        QCOMPARE(dlg.PosOnCasMaskEdit->text(), QStringLiteral("1")); // looking only: kept
        e.t.ctx.settings.AllowCasEdit = true;
        e.chooser.okCassette(3, 3, 4);
        dlg.PosOnCasBtnClick();
        QCOMPARE(e.chooser.requests.back().Bearbeiten, 6);
        QCOMPARE(dlg.PosOnCasMaskEdit->text(), QStringLiteral("4"));
        dlg.OKBtnClick();
        QVERIFY(dlg.RedrawNecessary);
        QCOMPARE(e.c.Film(2).CasNr, 3);
        QCOMPARE(e.c.Film(2).PosOnCas, 4);
        QCOMPARE(e.c.Cassette(2).RestLength, int16_t(240));
        QCOMPARE(e.c.Cassette(3).RestLength, int16_t(120));
        QVERIFY(Consistent(e.c));
    }

    void viewingChangesNothing() {
        EditorContext e;
        TwoCassettes(e.c);
        TFilmV26& f = e.c.Film(1);
        f.LendStatus = LendLent;
        f.LentTo.Strng = "Neuer Leiher";
        f.TwoChannel = true;
        e.c.ActFilm = 1;
        const std::vector<TFilmV26> films = e.c.films();
        const std::vector<TCasRec> cassettes = e.c.cassettes();
        WhenModal([&](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Kassotek: Film ansehen "));
            QVERIFY(dlg->CancelBtn->isHidden());
            QCOMPARE(dlg->OKBtn->text(), QStringLiteral("Ansehen der Filmdaten be&enden"));
            QTRY_COMPARE(QApplication::focusWidget(), dlg->OKBtn);
            QVERIFY(dlg->ComboBoxFilmName->isEnabled());
            for (QLineEdit* edit :
                 {dlg->FilmLengthMaskEdit, dlg->DirectorEdit, dlg->CountryEdit, dlg->JahrMaskEdit,
                  dlg->CasNrMaskEdit, dlg->PosOnCasMaskEdit, dlg->NettoLengthMaskEdit})
                QVERIFY2(edit->isReadOnly(), qPrintable(edit->objectName()));
            for (QPlainTextEdit* memo : {dlg->MemoStars, dlg->InhaltMemo, dlg->BemerkungMemo})
                QVERIFY(memo->isReadOnly());
            for (QWidget* c : std::initializer_list<QWidget*>{
                     dlg->CasNrBtn, dlg->PosOnCasBtn, dlg->ComboBoxKategorie, dlg->KarteRadioGroup,
                     dlg->BewertungRadioGroup, dlg->AufzeichnungsDateTimePicker, dlg->WerbungCheckBox,
                     dlg->ZweikanaltonCheckBox, dlg->ComboBoxAnzDVDs, dlg->CheckListBoxSprache,
                     dlg->ComboBoxVerliehenAn, dlg->ComboBoxSpeichermedium, dlg->RadioGroupTon,
                     dlg->RadioGroupBildformat, dlg->RadioGroupDVD_RegCode, dlg->ComboBoxFSK})
                QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
            // The check boxes show what is stored whatever happens to them.
            dlg->ZweikanaltonCheckBox->setChecked(false);
            QVERIFY(dlg->ZweikanaltonCheckBox->isChecked());
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Anders"));
            QTest::keyClick(dlg->OKBtn, Qt::Key_Return);
        });
        QVERIFY(ViewFilmDialog(e.t.ctx, Dlg::ViewLock::FilmList, nullptr));
        QCOMPARE(e.c.films(), films);
        QCOMPARE(e.c.cassettes(), cassettes);
        QVERIFY(e.c.LenderNames.empty());
        QVERIFY(e.c.DataSaved);
        QCOMPARE(int(e.c.ActFilm), 1);
    }

    void viewingFromTheCassetteEditor() {
        EditorContext e;
        TwoCassettes(e.c);
        e.c.ActFilm = 2;
        WhenModal([&](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Kassotek: Film ansehen  - Ansehen"));
            for (QWidget* c : std::initializer_list<QWidget*>{
                     dlg->ComboBoxFilmName, dlg->FilmLengthMaskEdit, dlg->CasNrBtn, dlg->PosOnCasBtn,
                     dlg->DirectorEdit, dlg->CountryEdit, dlg->JahrMaskEdit, dlg->MemoStars, dlg->InhaltMemo,
                     dlg->BemerkungMemo, dlg->CasNrMaskEdit, dlg->PosOnCasMaskEdit, dlg->KarteRadioGroup,
                     dlg->BewertungRadioGroup, dlg->AufzeichnungsDateTimePicker, dlg->NettoLengthMaskEdit,
                     dlg->WerbungCheckBox, dlg->ZweikanaltonCheckBox})
                QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
            dlg->ComboBoxKategorie->setEditText(QStringLiteral("Egal"));
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        const std::vector<TFilmV26> films = e.c.films();
        QVERIFY(ViewFilmDialog(e.t.ctx, Dlg::ViewLock::CassetteEditor, nullptr));
        QCOMPARE(e.c.films(), films);
        QVERIFY(e.c.CategoryList.empty());
    }

    void noCurrentFilm_data() {
        QTest::addColumn<int>("actFilm");
        QTest::addColumn<int>("films");
        QTest::addColumn<QString>("message");
        QTest::newRow("none of two") << 0 << 2 << QStringLiteral("Fehler bei der Zuordnung der Datensätze!");
        QTest::newRow("beyond the table") << 5 << 2 << QStringLiteral("Film | Neu");
        QTest::newRow("empty table") << 0 << 0 << QStringLiteral("Film | Neu");
    }
    void noCurrentFilm() {
        QFETCH(int, actFilm);
        QFETCH(int, films);
        QFETCH(QString, message);
        EditorContext e;
        for (int i = 0; i < films; ++i)
            PutFilm(e.c, "F" + std::to_string(i), StDvd);
        e.c.ActFilm = static_cast<uint16_t>(actFilm);
        e.t.dialogs.expect(Box::Error, message.toStdString());
        QVERIFY(!EditFilmDialog(e.t.ctx, -1, nullptr).shown);
        e.t.dialogs.expect(Box::Error, message.toStdString());
        QVERIFY(!ViewFilmDialog(e.t.ctx, Dlg::ViewLock::FilmList, nullptr));
    }

    void cancelledNewFilmKeepsTheCurrentFilm() {
        EditorContext e;
        TwoCassettes(e.c);
        e.c.ActFilm = 2;
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Wird verworfen"));
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        const FilmEditorOutcome out = NewFilmDialog(e.t.ctx, nullptr);
        QVERIFY(!out.RedrawNecessary);
        QCOMPARE(e.c.AnzFilm(), 2);
        QCOMPARE(int(e.c.ActFilm), 2);
    }

    void mediumTypedIn() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Hochauflösend"));
        TypeInto(dlg.ComboBoxSpeichermedium, QStringLiteral("Blu"));
        QCOMPARE(dlg.ComboBoxSpeichermedium->currentText(), QStringLiteral("Blu"));
        QCOMPARE(dlg.SelectedMediumIndex(), -1);
        QCOMPARE(dlg.Label2->text(), QStringLiteral("CD-Nr.:"));
        e.t.dialogs.expectQuestion("Das Speichermedium \"Blu\" ist noch nicht bekannt.\r\n"
                                   "Soll es als neues Speichermedium angelegt werden?",
                                   Answer::Yes);
        dlg.OKBtnClick();
        QCOMPARE(e.t.dialogs.questionButtons.back(), Buttons::YesNo);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.NewSpeicherMedium);
        QCOMPARE(e.c.StorageMediaList.size(), std::size_t(7));
        QCOMPARE(e.c.StorageMediaList.back(), (TSelectableStr{"Blu", true, 7}));
        QCOMPARE(e.t.ctx.settings.StorageTypeShow, 63 | 64);
        QCOMPARE(e.c.Film(1).StorageType, 64);
        QCOMPARE(e.t.ctx.settings.LastStorageType, 64);

        // Letter case does not make a new medium.
        Dlg again(e.t.ctx, ModeNew);
        again.show();
        again.ComboBoxFilmName->setEditText(QStringLiteral("Noch einer"));
        again.ComboBoxSpeichermedium->setEditText(QStringLiteral("BLU"));
        again.OKBtnClick();
        QVERIFY(!again.NewSpeicherMedium);
        QCOMPARE(e.c.StorageMediaList.size(), std::size_t(7));
        QCOMPARE(e.c.Film(2).StorageType, 64);
    }

    // A length typed into the medium box (Enter walks from the title to it) is no new medium
    // unless the user says so; No leaves the text selected for typing over.
    void typedMediumAskedFirst() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Metropolis"));
        dlg.ComboBoxFilmName->setFocus();
        QTest::keyClick(dlg.ComboBoxFilmName->lineEdit(), Qt::Key_Return);
        QTRY_VERIFY(HasFocus(dlg.ComboBoxSpeichermedium));
        QTest::keyClicks(dlg.ComboBoxSpeichermedium->lineEdit(), QStringLiteral("95"));
        QCOMPARE(dlg.ComboBoxSpeichermedium->currentText(), QStringLiteral("95"));
        e.t.dialogs.expectQuestion("Das Speichermedium \"95\" ist noch nicht bekannt.", Answer::No);
        dlg.OKBtnClick();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.Tag, int(Dlg::StayOpen));
        QVERIFY(!dlg.NewSpeicherMedium);
        QCOMPARE(e.c.StorageMediaList.size(), std::size_t(6));
        QCOMPARE(e.t.ctx.settings.StorageTypeShow, 63);
        QCOMPARE(e.c.AnzFilm(), 0);
        QVERIFY(HasFocus(dlg.ComboBoxSpeichermedium));
        QCOMPARE(dlg.ComboBoxSpeichermedium->lineEdit()->selectedText(), QStringLiteral("95"));
        // Typing over the selection picks a known medium; the film is stored without a question.
        // The keys go to the box, as from the keyboard, which hands them on to its line.
        QTest::keyClicks(dlg.ComboBoxSpeichermedium, QStringLiteral("dv"));
        QCOMPARE(dlg.ComboBoxSpeichermedium->currentText(), QStringLiteral("DVD"));
        QCOMPARE(dlg.SelectedMediumIndex(), 2);
        dlg.OKBtnClick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(e.c.AnzFilm(), 1);
        QCOMPARE(e.c.Film(1).StorageType, int32_t(StDvd));
    }

    // A missing recording date (0, or the day 1980-01-01) shows as an empty field; any date the
    // user leaves alone is stored back exactly, time of day included.
    void untouchedRecordingDate_data() {
        QTest::addColumn<double>("stored");
        QTest::addColumn<bool>("empty");
        QTest::newRow("zero") << 0.0 << true;
        QTest::newRow("negative") << -3.0 << true;
        QTest::newRow("1980-01-01 at noon") << 29221.5 << true;
        QTest::newRow("a real date with a time") << 38000.75 << false;
    }
    void untouchedRecordingDate() {
        QFETCH(double, stored);
        QFETCH(bool, empty);
        EditorContext e;
        TFilmV26& f = PutFilm(e.c, "Nosferatu", StDvd, 3);
        f.RecDate = stored;
        e.c.ActFilm = 1;
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        QCOMPARE(dlg.AufzeichnungsDateTimePicker->text().trimmed().isEmpty(), empty);
        if (empty)
            QVERIFY(!dlg.AufzeichnungsDateTimePicker->text().contains(QStringLiteral("1899")));
        dlg.DirectorEdit->setText(QStringLiteral("Murnau"));
        dlg.OKBtnClick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(e.c.Film(1).Director.Strng, std::string("Murnau"));
        QCOMPARE(e.c.Film(1).RecDate, stored);
    }

    void recordingDateSetAndCleared() {
        EditorContext e;
        PutFilm(e.c, "Nosferatu", StDvd, 3).RecDate = 0.0;
        e.c.ActFilm = 1;
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            dlg.AufzeichnungsDateTimePicker->setDate(QDate(2001, 2, 3));
            dlg.OKBtnClick();
            QCOMPARE(e.c.Film(1).RecDate, EncodeDate(2001, 2, 3));
        }
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        QCOMPARE(dlg.AufzeichnungsDateTimePicker->date(), QDate(2001, 2, 3));
        // The lowest date of the picker is the empty field: the date is removed.
        dlg.AufzeichnungsDateTimePicker->setDate(dlg.AufzeichnungsDateTimePicker->minimumDate());
        QVERIFY(dlg.AufzeichnungsDateTimePicker->text().trimmed().isEmpty());
        dlg.OKBtnClick();
        QCOMPARE(e.c.Film(1).RecDate, 0.0);
    }

    // Viewing: no field takes typed text, the title box included, and no title can be picked.
    void viewingTakesNoInput() {
        EditorContext e;
        TwoCassettes(e.c);
        e.c.ActFilm = 1;
        const std::string title = e.c.Film(1).FilmName.Strng;
        WhenModal([&](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QVERIFY(dlg);
            QLineEdit* line = dlg->ComboBoxFilmName->lineEdit();
            QVERIFY(line->isReadOnly());
            line->setFocus();
            QTest::keyClicks(line, QStringLiteral("xyz"));
            QTest::keyClick(line, Qt::Key_Backspace);
            QCOMPARE(dlg->ComboBoxFilmName->currentText(), FromCp(title));
            dlg->ComboBoxFilmName->setCurrentIndex(dlg->ComboBoxFilmName->count() - 1);
            QCOMPARE(dlg->ComboBoxFilmName->currentText(), FromCp(title));
            // Whatever can take the keyboard is read-only or disabled.
            for (QLineEdit* edit : dlg->findChildren<QLineEdit*>())
                QVERIFY2(edit->isReadOnly() || !edit->isEnabled() || !edit->isVisibleTo(dlg),
                         qPrintable(edit->objectName() + "/" + edit->parentWidget()->objectName()));
            for (QPlainTextEdit* memo : dlg->findChildren<QPlainTextEdit*>())
                QVERIFY2(memo->isReadOnly() || !memo->isEnabled(), qPrintable(memo->objectName()));
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        QVERIFY(ViewFilmDialog(e.t.ctx, Dlg::ViewLock::FilmList, nullptr));
        QCOMPARE(e.c.Film(1).FilmName.Strng, title);
    }

    // After the real error box and "Wiederholen" the editor has the keyboard again: the first
    // Escape closes it.
    void escapeAfterAnErrorBoxClosesAtOnce() {
        EditorContext e;
        e.t.ctx.setDialogs(nullptr); // the real boxes
        QPointer<Dlg> editor;
        bool escaped = false;
        WhenModal([&](QWidget* w) {
            editor = qobject_cast<Dlg*>(w);
            QVERIFY(editor);
            WhenModal([&](QWidget* box) {
                QCOMPARE(box->parentWidget(), editor.data());
                QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains(QStringLiteral("Eingabe-Fehler")));
                WhenModal([&](QWidget* question) {
                    QVERIFY(question != box);
                    WhenShown(
                        [&]() -> QWidget* {
                            return QApplication::activeModalWidget() == editor ? editor : nullptr;
                        },
                        [&](QWidget*) {
                            QTRY_COMPARE(QApplication::activeWindow(), editor.data());
                            QTRY_VERIFY(QApplication::focusWidget() &&
                                        editor->isAncestorOf(QApplication::focusWidget()));
                            escaped = true;
                            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                        },
                        5000, "the editor did not come back");
                    ClickButton(question, QStringLiteral("Wiederholen"));
                });
                ClickButton(box, QStringLiteral("OK"));
            });
            QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
        });
        const FilmEditorOutcome out = NewFilmDialog(e.t.ctx, nullptr);
        QVERIFY(escaped);
        QVERIFY(!out.RedrawNecessary);
        QCOMPARE(e.c.AnzFilm(), 0);
        e.t.ctx.setDialogs(&e.t.dialogs);
    }

    void no33rdMedium() {
        EditorContext e;
        while (e.c.StorageMediaList.size() < MaxStorageMedia)
            e.c.StorageMediaList.push_back({"Medium " + std::to_string(e.c.StorageMediaList.size() + 1), true,
                                            static_cast<int32_t>(e.c.StorageMediaList.size() + 1)});
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        QCOMPARE(dlg.ComboBoxSpeichermedium->count(), MaxStorageMedia);
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Titel"));
        dlg.ComboBoxSpeichermedium->setEditText(QStringLiteral("Zuviel"));
        e.t.dialogs.expect(Box::Error, "Es gibt bereits 32 Speichermedien");
        dlg.OKBtnClick();
        QVERIFY(dlg.isVisible());
        QCOMPARE(e.c.StorageMediaList.size(), std::size_t(MaxStorageMedia));
        QCOMPARE(e.c.AnzFilm(), 0);
        QVERIFY(!dlg.NewSpeicherMedium);
    }

    void lendingToAKnownAndToANewBorrower() {
        EditorContext e;
        e.c.LenderNames = {"Anna Berg", "Otto"};
        e.c.LenderAddresses = {"Weg 1\r\nStadt", "Platz 2"};
        PutFilm(e.c, "Verliehen", StDvd, 1);
        e.c.ActFilm = 1;
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            QVERIFY(!dlg.ComboBoxVerliehenAn->isEnabled());
            QCOMPARE(dlg.ComboBoxVerliehenAn->count(), 2);
            QTest::mouseClick(dlg.RadioGroupVerleihstatus->button(LendLent), Qt::LeftButton);
            QVERIFY(dlg.ComboBoxVerliehenAn->isEnabled());
            QTest::keyClicks(dlg.ComboBoxVerliehenAn->lineEdit(), QStringLiteral("anna  berg"));
            QCOMPARE(Plain(dlg.MemoAnschrift->toPlainText()), QStringLiteral("Weg 1\nStadt"));
            dlg.OKBtnClick();
            QVERIFY(dlg.RedrawNecessary);
        }
        QCOMPARE(e.c.LenderNames.size(), std::size_t(2));
        QCOMPARE(e.c.Film(1).LendStatus, LendLent);
        QCOMPARE(e.c.Film(1).LentTo.Strng, std::string("anna  berg"));
        QCOMPARE(e.c.Film(1).LenderAddress.Strng, std::string("Weg 1\r\nStadt"));
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            QVERIFY(dlg.ComboBoxVerliehenAn->isEnabled());
            dlg.ComboBoxVerliehenAn->setEditText(QStringLiteral("Paula Neu"));
            dlg.MemoAnschrift->clear();
            dlg.OKBtnClick();
        }
        QCOMPARE(e.c.LenderNames, (std::vector<std::string>{"Anna Berg", "Otto", "Paula Neu"}));
        QCOMPARE(e.c.LenderAddresses.back(), std::string(" "));
        QCOMPARE(e.c.Film(1).LenderAddress.Strng, std::string(" "));
        {
            // Not lent any more: name and address go, in the dialog and in the film.
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            QCOMPARE(dlg.ComboBoxVerliehenAn->count(), 3);
            QTest::mouseClick(dlg.RadioGroupVerleihstatus->button(LendNotLent), Qt::LeftButton);
            QCOMPARE(dlg.ComboBoxVerliehenAn->currentText(), QString());
            QCOMPARE(dlg.MemoAnschrift->toPlainText(), QString());
            dlg.OKBtnClick();
        }
        QCOMPARE(e.c.Film(1).LendStatus, LendNotLent);
        QCOMPARE(e.c.Film(1).LentTo.Strng, std::string());
        QCOMPARE(e.c.Film(1).LenderAddress.Strng, std::string());
        QCOMPARE(e.c.LenderNames.size(), std::size_t(3));
    }

    void newBorrowerOfARefusedAcceptanceIsKept() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.RadioGroupVerleihstatus->button(LendLent)->click();
        dlg.ComboBoxVerliehenAn->setEditText(QStringLiteral("Karl"));
        e.t.dialogs.expect(Box::Error, "Filmname wurde nicht angegeben")
            .expectQuestion("Abbrechen oder Eingabe wiederholen?", Answer::Retry);
        dlg.OKBtnClick();
        QCOMPARE(e.c.LenderNames, std::vector<std::string>{"Karl"});
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Jetzt mit Titel"));
        dlg.ComboBoxSpeichermedium->setCurrentIndex(2);
        dlg.OKBtnClick();
        QCOMPARE(e.c.LenderNames, std::vector<std::string>{"Karl"}); // not twice
        QCOMPARE(e.c.Film(1).LentTo.Strng, std::string("Karl"));
    }

    void titleCheckOnLeavingComparesTheFieldAndSkipsTheEditedFilm() {
        EditorContext e;
        PutFilm(e.c, "Star Wars", StDvd, 1);
        PutFilm(e.c, "Krieg der Sterne", StDvd, 2);
        e.c.ActFilm = 1;
        {
            Dlg dlg(e.t.ctx, ModeEdit);
            QVERIFY(dlg.SetValues());
            dlg.show();
            dlg.ComboBoxFilmName->setEditText(QStringLiteral("Star Wars (1977)"));
            QVERIFY(!dlg.ComboBoxFilmNameExit()); // only itself is similar: no question
        }
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("star"));
        e.t.dialogs.expectQuestion("\"star\" (neu) und \r\n\"Star Wars\" (gef.)", Answer::No);
        QVERIFY(dlg.ComboBoxFilmNameExit());
        QTRY_VERIFY(HasFocus(dlg.ComboBoxFilmName));
        // Once the title passed on leaving, accepting it does not ask again.
        e.t.dialogs.expectQuestion("\"star\" (neu)", Answer::Yes)
            .expectQuestion("Serien-Verwaltung", Answer::Yes);
        QVERIFY(!dlg.ComboBoxFilmNameExit());
        dlg.ComboBoxSpeichermedium->setCurrentIndex(2);
        dlg.OKBtnClick();
        QCOMPARE(e.c.AnzFilm(), 3);
    }

    void similarTitleRefusedOnAcceptance() {
        EditorContext e;
        PutFilm(e.c, "Metropolis", StDvd, 1);
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.ComboBoxSpeichermedium->setCurrentIndex(2);
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Metropolis"));
        e.t.dialogs.expectQuestion("Soll der neue Film tatsächlich in die Datenbank übernommen werden?",
                                   Answer::No);
        dlg.OKBtnClick();
        QVERIFY(!dlg.isVisible()); // closes without the film
        QCOMPARE(e.c.AnzFilm(), 1);
    }
};

QTEST_MAIN(FilmEditorTest)
#include "test_film_editor.moc"
