#include "film_editor_fixture.h"

#include "casseditor/cas_edit_dlg.h"
#include "filmeditor/film_editor_open.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <memory>

using namespace kt;
using namespace kt::literals;
using namespace kt::test;
using Dlg = TFilmEigenschaftenDlg;

namespace {

void ClickNamed(QWidget* dlg, const char* name) {
    auto* b = dlg->findChild<QAbstractButton*>(QLatin1String(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class FilmEditorLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void catalogueLabelsAndControls() {
        EditorContext e;
        e.t.ctx.colArrange[ColDirector].EditLabel = "&Regie führte"_cp;
        Dlg dlg(e.t.ctx, ModeNew);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Kassotek: Film neu anlegen "));
        QCOMPARE(dlg.FilmNameLabel1->text(), QStringLiteral("Film&name:"));
        QCOMPARE(dlg.DirectorLabel->text(), QStringLiteral("&Regie führte"));
        QCOMPARE(dlg.KarteRadioGroup->title(), QStringLiteral("Katalog-Karte vorhanden"));
        QCOMPARE(dlg.GroupBoxVerleihstatus->title(), QStringLiteral("Verleihstatus"));
        QCOMPARE(dlg.Label9->text(), QStringLiteral("zu finden auf einer"));
        QCOMPARE(dlg.PageControl1->tabText(0), QStringLiteral("&Video-Daten"));
        QCOMPARE(dlg.PageControl1->tabText(1), QStringLiteral("Informationen zum &Film"));
        QCOMPARE(dlg.PageControl1->tabText(2), QStringLiteral("&Technische Daten"));
        QCOMPARE(dlg.PageControl1->tabText(3), QStringLiteral("Bilder"));
        QCOMPARE(dlg.OKBtn->text(), QStringLiteral("&Eintragungen in die Datenbank übernehmen"));
        QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("&Abbruch, Daten nicht übernehmen"));
        QCOMPARE(dlg.CountryEdit->toolTip(),
                 QStringLiteral("Vier-Buchstaben-Kürzel für das Herstellungsland des Films"));
        QCOMPARE(dlg.FilmLengthMaskEdit->toolTip(), QStringLiteral("Länge des Films in Minuten"));
        // The defaults of a new film.
        QCOMPARE(dlg.KarteRadioGroup->ItemIndex(), 2);
        QCOMPARE(dlg.BewertungRadioGroup->ItemIndex(), -1);
        QCOMPARE(dlg.BewertungRadioGroup->count(), 7);
        QCOMPARE(dlg.AufzeichnungsDateTimePicker->date(), QDate::currentDate());
        QCOMPARE(dlg.ComboBoxAnzDVDs->currentText(), QStringLiteral("1"));
        QCOMPARE(dlg.ComboBoxAnzDVDs->count(), 10);
        QCOMPARE(dlg.CheckListBoxSprache->count(), 18);
        QCOMPARE(dlg.CheckListBoxSprache->item(0)->checkState(), Qt::Checked);
        QCOMPARE(dlg.CheckListBoxSprache->item(17)->text(), QStringLiteral("Japanisch"));
        QCOMPARE(dlg.RadioGroupVerleihstatus->ItemIndex(), int(LendNotLent));
        QCOMPARE(dlg.ComboBoxFSK->count(), 8);
        QCOMPARE(dlg.RadioGroupTon->count(), 10);
        QCOMPARE(dlg.RadioGroupBildformat->count(), 7);
        QCOMPARE(dlg.RadioGroupDVD_RegCode->count(), 10);
        QCOMPARE(dlg.RadioGroupBildformat->button(4)->text(), QStringLiteral(" 4:3 (&PS=Pan&&Scan)"));
        for (int i = 0; i < MaxPics; ++i)
            QVERIFY(!dlg.PageControl2->isTabVisible(i));
        QCOMPARE(dlg.PageControl2->tabText(9), QStringLiteral("Bild 1&0"));
        for (const char* name : {"ComboBoxFilmName",
                                 "ComboBoxSpeichermedium",
                                 "TabSheetCassette",
                                 "FilmLengthMaskEdit",
                                 "WerbungCheckBox",
                                 "NettoLengthMaskEdit",
                                 "CasNrMaskEdit",
                                 "CasNrBtn",
                                 "PosOnCasMaskEdit",
                                 "PosOnCasBtn",
                                 "AufzeichnungsDateTimePicker",
                                 "ComboBoxAnzDVDs",
                                 "KarteRadioGroup",
                                 "CheckListBoxSprache",
                                 "TabSheetFilm",
                                 "InhaltMemo",
                                 "DirectorEdit",
                                 "CountryEdit",
                                 "JahrMaskEdit",
                                 "ZweikanaltonCheckBox",
                                 "ComboBoxKategorie",
                                 "MemoStars",
                                 "BewertungRadioGroup",
                                 "ComboBoxFSK",
                                 "BemerkungMemo",
                                 "TabSheetTechnischeDaten",
                                 "RadioGroupTon",
                                 "RadioGroupBildformat",
                                 "RadioGroupDVD_RegCode",
                                 "TabSheetPictures",
                                 "PageControl2",
                                 "TabSheetPicture10",
                                 "EditBildTitel1",
                                 "ButtonAddPic",
                                 "RadioGroupSavePicOpt",
                                 "OKBtn",
                                 "CancelBtn",
                                 "HelpBitBtn",
                                 "RadioGroupVerleihstatus",
                                 "ComboBoxVerliehenAn",
                                 "MemoAnschrift",
                                 "FilmNameLabel1",
                                 "FilmLength1",
                                 "Label2",
                                 "LabelPosOnCas",
                                 "Label8",
                                 "DirectorLabel",
                                 "CountryLabel",
                                 "YearLabel",
                                 "StarsLabel",
                                 "GroupBoxInhalt",
                                 "GroupBoxBemerkung",
                                 "AufzdatumLabel",
                                 "GroupBoxSprachen",
                                 "GroupBoxVerleihstatus",
                                 "GroupBoxFSK",
                                 "Label9",
                                 "LabelAnzDVDs",
                                 "Label15"})
            QVERIFY2(dlg.findChild<QWidget*>(QLatin1String(name)), name);
    }

    void layoutByMedium_data() {
        QTest::addColumn<int>("medium");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("discs"); // empty: the disc count is hidden
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("positionLabel");
        QTest::addColumn<bool>("region");
        const QString dvdNote = QStringLiteral("ggf. auf mehrere DVDs verteilt (siehe unten)");
        const QString cdNote = QStringLiteral("ggf. auf mehrere CDs verteilt (siehe unten)");
        QTest::newRow("Video-Cassette") << 0 << "Cassettennr.:"
                                        << "Aufzeichnungsdatum"
                                        << ""
                                        << "" << true << false;
        QTest::newRow("Kauf-Cassette") << 1 << "Cassettennr.:"
                                       << "Anschaffungsdatum"
                                       << ""
                                       << "" << true << false;
        QTest::newRow("DVD") << 2 << "DVD-Nr.:"
                             << "Anschaffungsdatum"
                             << "Anzahl DVDs:" << dvdNote << true << true;
        QTest::newRow("VCD") << 3 << "CD-Nr.:"
                             << "Erstellungsdatum"
                             << "Anzahl CDs:" << cdNote << false << false;
        QTest::newRow("DivX") << 5 << "CD-Nr.:"
                              << "Erstellungsdatum"
                              << "Anzahl CDs:" << cdNote << false << false;
        QTest::newRow("added") << 6 << "CD-Nr.:"
                               << "Erstellungsdatum"
                               << "Anzahl CDs:" << cdNote << true << false;
    }
    void layoutByMedium() {
        QFETCH(int, medium);
        QFETCH(QString, number);
        QFETCH(QString, date);
        QFETCH(QString, discs);
        QFETCH(QString, note);
        QFETCH(bool, positionLabel);
        QFETCH(bool, region);
        EditorContext e;
        e.c.StorageMediaList.push_back({"Blu-ray", true, 7});
        Dlg dlg(e.t.ctx, ModeEdit);
        dlg.show();
        dlg.RadioGroupDVD_RegCode->setItemIndex(3);
        dlg.ComboBoxSpeichermedium->setCurrentIndex(medium);
        dlg.ApplyStorageMediumLayout(); // also when the medium was selected already
        const bool cassette = medium == 0;
        QCOMPARE(dlg.GroupBoxCassette->title(), QStringLiteral(" Angaben zur ") +
                                                    dlg.ComboBoxSpeichermedium->itemText(medium) +
                                                    QLatin1Char(' '));
        QCOMPARE(dlg.Label2->text(), number);
        QCOMPARE(dlg.AufzdatumLabel->text(), date);
        QCOMPARE(dlg.ComboBoxAnzDVDs->isVisible(), !discs.isEmpty());
        if (!discs.isEmpty())
            QCOMPARE(dlg.LabelAnzDVDs->text(), discs);
        QCOMPARE(dlg.Label15->text(), note);
        for (QWidget* w :
             std::initializer_list<QWidget*>{dlg.CasNrBtn, dlg.PosOnCasMaskEdit, dlg.PosOnCasBtn,
                                             dlg.NettoLengthMaskEdit, dlg.WerbungCheckBox, dlg.LabelMinNetto})
            QCOMPARE(w->isVisible(), cassette);
        QCOMPARE(dlg.CasNrMaskEdit->isReadOnly(), cassette);
        QCOMPARE(dlg.CasNrMaskEdit->toolTip(),
                 cassette ? QStringLiteral("Nummer der Cassette, auf der sich der Film befindet")
                          : QStringLiteral("Nummerierung ist unabhängig vom Cassetten-Modus!"));
        QCOMPARE(dlg.LabelMinInsgesamt->text(),
                 cassette ? QStringLiteral("Min. (insgesamt); ") : QStringLiteral("Min. (insgesamt) "));
        QCOMPARE(dlg.LabelPosOnCas->isVisible(), positionLabel);
        QCOMPARE(dlg.RadioGroupDVD_RegCode->isEnabled(), region);
        QCOMPARE(dlg.RadioGroupDVD_RegCode->ItemIndex(), region ? 3 : -1);
    }

    void typingCompletesTheMedium() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        TypeInto(dlg.ComboBoxSpeichermedium, QStringLiteral("dv"));
        QCOMPARE(dlg.ComboBoxSpeichermedium->currentText(), QStringLiteral("DVD"));
        QCOMPARE(dlg.ComboBoxSpeichermedium->lineEdit()->selectedText(), QStringLiteral("D"));
        QCOMPARE(dlg.SelectedMediumIndex(), 2);
        QCOMPARE(dlg.Label2->text(), QStringLiteral("DVD-Nr.:"));
        QCOMPARE(dlg.LabelAnzDVDs->text(), QStringLiteral("Anzahl DVDs:"));
        QVERIFY(dlg.RadioGroupDVD_RegCode->isEnabled());
        dlg.RadioGroupDVD_RegCode->setItemIndex(3);
        TypeInto(dlg.ComboBoxSpeichermedium, QStringLiteral("VCD"));
        QCOMPARE(dlg.SelectedMediumIndex(), 3);
        QVERIFY(!dlg.RadioGroupDVD_RegCode->isEnabled());
        QCOMPARE(dlg.RadioGroupDVD_RegCode->ItemIndex(), -1);
    }

    void categoryCompletionOnEachKey() {
        EditorContext e;
        for (const char* name : {"Western", "Krimi", "Komödie", "Kriegsfilm"})
            AddCategoryToList(e.c, ToCp1252(name));
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.FillCategoryList();
        dlg.show();
        QCOMPARE(dlg.ComboBoxKategorie->itemText(0), QStringLiteral("Komödie")); // the box is sorted
        QLineEdit* edit = dlg.ComboBoxKategorie->lineEdit();
        QTest::keyClicks(edit, QStringLiteral("kr"));
        QCOMPARE(edit->text(), QStringLiteral("Kriegsfilm"));
        QCOMPARE(edit->selectedText(), QStringLiteral("iegsfilm"));
        QTest::keyClicks(edit, QStringLiteral("im"));
        QCOMPARE(edit->text(), QStringLiteral("Krimi"));
        QCOMPARE(edit->selectedText(), QStringLiteral("i"));
        // A new category is simply typed; it joins the list when the film is accepted.
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Doku"));
        QCOMPARE(edit->text(), QStringLiteral("Doku"));
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Ein Film"));
        dlg.ComboBoxSpeichermedium->setCurrentIndex(2);
        dlg.OKBtnClick();
        QCOMPARE(e.c.CategoryList.back().Name, std::string("Doku"));
        QCOMPARE(e.c.Film(1).Category.Strng, std::string("Doku"));
    }

    void lengthChecksWhileEditing_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("middle film grows") << 2 << "61"
                                           << "Auf der Cassette sind bereits Filme HINTER";
        QTest::newRow("middle film shrinks") << 2 << "55"
                                             << "";
        QTest::newRow("last film into the rest") << 3 << "100"
                                                 << "";
        QTest::newRow("last film beyond the rest") << 3 << "121"
                                                   << "Die neue Filmlänge ist zu groß!";
    }
    void lengthChecksWhileEditing() {
        QFETCH(int, slot);
        QFETCH(QString, length);
        QFETCH(QString, message);
        EditorContext e;
        e.c.appendCassette(Cas(1, 240, 60));
        PutFilm(e.c, "Erster", StVideo, 1, 1, 60);
        PutFilm(e.c, "Mitte", StVideo, 1, 2, 60);
        PutFilm(e.c, "Letzter", StVideo, 1, 3, 60);
        e.c.ActFilm = static_cast<uint16_t>(slot);
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        dlg.FilmLengthMaskEdit->setText(length);
        if (!message.isEmpty())
            e.t.dialogs.expect(Box::Error, message.toStdString() + "");
        QCOMPARE(dlg.FilmLengthMaskEditExit(), !message.isEmpty());
        QCOMPARE(dlg.FilmLengthMaskEdit->text(), message.isEmpty() ? length : QString());
        if (message.isEmpty()) {
            dlg.OKBtnClick();
            QCOMPARE(e.c.Film(slot).FilmLength, length.toInt());
            QCOMPARE(e.c.Cassette(1).RestLength + e.c.Cassette(1).GapLength + 120 + length.toInt(), 240);
        }
    }

    void netAgainstTotalAndTheAdvertisingBox() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        dlg.FilmLengthMaskEdit->setText(QStringLiteral("90"));
        dlg.NettoLengthMaskEdit->setText(QStringLiteral("95"));
        e.t.dialogs.expect(Box::Error,
                           "Netto-Filmlänge kann nicht größer als Gesamtfilmlänge sein!\r\nGesamt-Filmlänge "
                           "wird gelöscht!\r\n\r\nBitte, geben Sie ihn noch einmal ein!");
        QVERIFY(dlg.FilmLengthMaskEditExit());
        QCOMPARE(dlg.FilmLengthMaskEdit->text(), QString());
        QCOMPARE(dlg.NettoLengthMaskEdit->text(), QStringLiteral("95"));

        dlg.FilmLengthMaskEdit->setText(QStringLiteral("90"));
        e.t.dialogs.expect(Box::Error, "Netto-Filmlänge wird gelöscht!");
        QVERIFY(dlg.NettoLengthMaskEditExit());
        QCOMPARE(dlg.NettoLengthMaskEdit->text(), QString());
        QCOMPARE(dlg.FilmLengthMaskEdit->text(), QStringLiteral("90"));

        dlg.FilmLengthMaskEdit->setText(QStringLiteral("100"));
        dlg.NettoLengthMaskEdit->setText(QStringLiteral("95"));
        QVERIFY(!dlg.FilmLengthMaskEditExit());
        QVERIFY(dlg.WerbungCheckBox->isChecked());
        QTest::mouseClick(dlg.WerbungCheckBox, Qt::LeftButton); // no advertising: net is total
        QVERIFY(!dlg.WerbungCheckBox->isChecked());
        QCOMPARE(dlg.NettoLengthMaskEdit->text(), QStringLiteral("100"));
        dlg.FilmLengthMaskEdit->clear();
        dlg.NettoLengthMaskEdit->setText(QStringLiteral("80"));
        QTest::mouseClick(dlg.WerbungCheckBox, Qt::LeftButton);
        QTest::mouseClick(dlg.WerbungCheckBox, Qt::LeftButton);
        QCOMPARE(dlg.FilmLengthMaskEdit->text(), QStringLiteral("80"));
        QVERIFY(!dlg.NettoLengthMaskEditExit());
        QVERIFY(!dlg.WerbungCheckBox->isChecked()); // total and net are the same
    }

    void yearChecks() {
        EditorContext e;
        PutFilm(e.c, "Alt", StDvd, 1).ProdYear = 1999;
        e.c.ActFilm = 1;
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        dlg.JahrMaskEdit->setText(QStringLiteral("1850"));
        e.t.dialogs.expectQuestion(
            "Im Jahr \"1850\" wird es wohl kaum schon Filme gegeben haben.\r\nWollen Sie "
            "dieses unrealistische Datum wirklich speichern?",
            Answer::No);
        QVERIFY(dlg.JahrMaskEditExit());
        QCOMPARE(dlg.JahrMaskEdit->text(), QStringLiteral("1999")); // the stored year comes back
        dlg.JahrMaskEdit->setText(QStringLiteral("1850"));
        e.t.dialogs.expectQuestion("1850", Answer::Yes);
        QVERIFY(!dlg.JahrMaskEditExit());
        QCOMPARE(dlg.JahrMaskEdit->text(), QStringLiteral("1850"));

        Dlg fresh(e.t.ctx, ModeNew);
        fresh.show();
        const QString next = QString::number(QDate::currentDate().year() + 1);
        fresh.JahrMaskEdit->setText(next);
        e.t.dialogs.expectQuestion("Das Jahr \"" + next.toStdString() + "\" liegt in der Zukunft.",
                                   Answer::No);
        QVERIFY(fresh.JahrMaskEditExit());
        QCOMPARE(fresh.JahrMaskEdit->text(), QString());
        fresh.JahrMaskEdit->setText(QString::number(QDate::currentDate().year()));
        QVERIFY(!fresh.JahrMaskEditExit());
    }

    void leavingAFieldRunsItsCheck() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.PageControl1->setCurrentWidget(dlg.TabSheetFilm);
        dlg.JahrMaskEdit->setFocus();
        QTest::keyClicks(dlg.JahrMaskEdit, QStringLiteral("1850"));
        e.t.dialogs.expectQuestion("Im Jahr \"1850\"", Answer::No);
        QTest::keyClick(dlg.JahrMaskEdit, Qt::Key_Tab);
        QTRY_VERIFY(!e.t.dialogs.pending());
        QCOMPARE(dlg.JahrMaskEdit->text(), QString());
        // Clicking OK runs the check of the field first; a year the user keeps lets OK go on.
        dlg.ComboBoxFilmName->setEditText(QStringLiteral("Ein alter Film"));
        dlg.ComboBoxSpeichermedium->setCurrentIndex(2);
        dlg.PageControl1->setCurrentWidget(dlg.TabSheetFilm);
        dlg.JahrMaskEdit->setFocus();
        QTest::keyClicks(dlg.JahrMaskEdit, QStringLiteral("1850"));
        e.t.dialogs.expectQuestion("Im Jahr \"1850\"", Answer::Yes);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        e.t.dialogs.verify();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(e.c.Film(1).ProdYear, 1850);
    }

    void duplicateDiscNumbers() {
        EditorContext e;
        PutFilm(e.c, "Vier", StDvd, 4);
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.PreselectStorageMedium(StDvd);
        dlg.show();
        QCOMPARE(dlg.CasNrMaskEdit->text(), QStringLiteral("5"));
        dlg.CasNrMaskEdit->setText(QStringLiteral("4"));
        e.t.dialogs.expectQuestion("vorhandene DVD-Nr. kann lästig sein.", Answer::Yes)
            .expectQuestion("Achtung:\r\nDie DVD-Nr. existiert bereits!\r\n\r\nEingabe ändern?", Answer::Yes);
        QVERIFY(dlg.CasNrMaskEditExit());
        e.t.dialogs.expectQuestion("existiert bereits", Answer::No);
        QVERIFY(!dlg.CasNrMaskEditExit());
        dlg.ComboBoxSpeichermedium->setCurrentIndex(0); // cassette numbers are not checked here
        QVERIFY(!dlg.CasNrMaskEditExit());
    }

    void focusByAttribute_data() {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<int>("storage");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::newRow("region of a VCD") << 21 << int(StVcd) << "TabSheetTechnischeDaten"
                                         << "ComboBoxFilmName";
        QTest::newRow("region of a DVD") << 21 << int(StDvd) << "TabSheetTechnischeDaten"
                                         << "RadioGroupDVD_RegCode";
        QTest::newRow("director") << 5 << int(StDvd) << "TabSheetFilm"
                                  << "DirectorEdit";
        QTest::newRow("cassette number, tape") << 2 << int(StVideo) << "TabSheetCassette"
                                               << "CasNrBtn";
        QTest::newRow("cassette number, DVD") << 2 << int(StDvd) << "TabSheetCassette"
                                              << "CasNrMaskEdit";
        QTest::newRow("position, DVD") << 3 << int(StDvd) << "TabSheetCassette"
                                       << "ComboBoxAnzDVDs";
        QTest::newRow("position, bought") << 3 << int(StBought) << "TabSheetCassette"
                                          << "ComboBoxFilmName";
        QTest::newRow("medium") << 22 << int(StDvd) << "TabSheetCassette"
                                << "ComboBoxSpeichermedium";
        QTest::newRow("pictures") << 24 << int(StDvd) << "TabSheetPictures"
                                  << "ComboBoxFilmName";
        QTest::newRow("sound") << 18 << int(StDvd) << "TabSheetTechnischeDaten"
                               << "RadioGroupTon";
        QTest::newRow("none") << -1 << int(StDvd) << "TabSheetCassette"
                              << "ComboBoxFilmName";
    }
    void focusByAttribute() {
        QFETCH(int, attribute);
        QFETCH(int, storage);
        QFETCH(QString, page);
        QFETCH(QString, control);
        EditorContext e;
        e.c.appendCassette(Cas(1, 240, 150));
        PutFilm(e.c, "Film", storage, 1, 1, 90).DvdRegion = 3;
        e.c.ActFilm = 1;
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.SetFocusRequest(attribute);
        dlg.show();
        QCOMPARE(dlg.PageControl1->currentWidget()->objectName(), page);
        QWidget* expected = dlg.findChild<QWidget*>(control);
        QWidget* focus = dlg.focusWidget();
        QVERIFY(focus);
        QVERIFY2(focus == expected || expected->isAncestorOf(focus), qPrintable(focus->objectName()));
    }

    void enterWalksThroughThePages() {
        EditorContext e;
        Dlg dlg(e.t.ctx, ModeNew);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.CheckListBoxSprache->setFocus();
        QTest::keyClick(dlg.CheckListBoxSprache, Qt::Key_Return);
        QCOMPARE(dlg.PageControl1->currentWidget(), dlg.TabSheetFilm);
        QVERIFY(HasFocus(dlg.ComboBoxKategorie));
        dlg.ComboBoxFSK->setFocus();
        QTest::keyClick(dlg.ComboBoxFSK, Qt::Key_Return);
        QVERIFY(HasFocus(dlg.InhaltMemo));
        QTest::keyClick(dlg.InhaltMemo, Qt::Key_Return); // a line break in a memo
        QVERIFY(HasFocus(dlg.InhaltMemo));
        QCOMPARE(dlg.InhaltMemo->toPlainText(), QStringLiteral("\n"));
        dlg.PageControl1->setCurrentWidget(dlg.TabSheetTechnischeDaten);
        dlg.RadioGroupTon->button(9)->setFocus(); // the region codes are off for a tape
        QTest::keyClick(dlg.RadioGroupTon->button(9), Qt::Key_Return);
        QCOMPARE(dlg.PageControl1->currentWidget(), dlg.TabSheetPictures);
        QVERIFY(HasFocus(dlg.ButtonAddPic));
        dlg.RadioGroupSavePicOpt->button(1)->setFocus();
        QTest::keyClick(dlg.RadioGroupSavePicOpt->button(1), Qt::Key_Return);
        QCOMPARE(dlg.PageControl1->currentWidget(), dlg.TabSheetCassette);
        QVERIFY(HasFocus(dlg.OKBtn));
        QVERIFY(dlg.isVisible());
    }

    void dateThePickerCannotShow() {
        EditorContext e;
        PutFilm(e.c, "Weit voraus", StDvd, 1).RecDate = 3000000.0; // beyond the year 9999
        e.c.ActFilm = 1;
        Dlg dlg(e.t.ctx, ModeEdit);
        QVERIFY(dlg.SetValues());
        dlg.show();
        const QPalette p = dlg.AufzeichnungsDateTimePicker->palette();
        QCOMPARE(p.color(QPalette::Text), p.color(QPalette::Base)); // drawn invisibly
        dlg.OKBtnClick();
        QCOMPARE(e.c.Film(1).RecDate, 3000000.0); // and kept as it was
        QVERIFY(e.c.DataSaved);
    }

    // The road of a new film through the real cassette editor in its two chooser modes.
    void newFilmThroughTheCassetteEditor() {
        TestContext t;
        Collection& c = t.ctx.collection;
        c.appendCassette(Cas(1, 240, 50));
        c.appendCassette(Cas(2, 240, 120));
        PutFilm(c, "Alte Aufnahme", StVideo, 1, 1, 190);
        PutFilm(c, "Der lange Abend", StVideo, 2, 1, 120);
        WhenModalOf<Dlg>([&](Dlg* dlg) {
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Neu auf Band"));
            dlg->FilmLengthMaskEdit->setText(QStringLiteral("100"));
            WhenModalOf<TCasEditDlg>([](TCasEditDlg* cas) {
                QCOMPARE(cas->SelectedRow(), 2); // the first cassette with room
                ClickNamed(cas, "OkBtn");
            });
            QTest::mouseClick(dlg->CasNrBtn, Qt::LeftButton);
            QCOMPARE(dlg->CasNrMaskEdit->text(), QStringLiteral("2"));
            WhenModalOf<TCasEditDlg>([](TCasEditDlg* cas) {
                QCOMPARE(cas->SelectedCol(), 6); // behind the last film
                ClickNamed(cas, "OkBtn");
            });
            QTest::mouseClick(dlg->PosOnCasBtn, Qt::LeftButton);
            QCOMPARE(dlg->PosOnCasMaskEdit->text(), QStringLiteral("2"));
            QCOMPARE(t.ctx.Bearbeiten, 4);
            QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
        });
        const FilmEditorOutcome out = NewFilmDialog(t.ctx, nullptr);
        QVERIFY(out.RedrawNecessary);
        QCOMPARE(c.AnzFilm(), 3);
        QCOMPARE(c.Film(3).CasNr, 2);
        QCOMPARE(c.Film(3).PosOnCas, 2);
        QCOMPARE(c.Cassette(2).RestLength, int16_t(20));
        QCOMPARE(t.ctx.casChooser.LastSelectedCas, 2);
        QCOMPARE(t.ctx.Bearbeiten, 0);
    }

    // Pictures of every page for a look at the layout: KT_SCREENSHOT_DIR=folder.
    void screenshots() {
        const QString dir = qEnvironmentVariable("KT_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("KT_SCREENSHOT_DIR not set");
        EditorContext e;
        e.c.appendCassette(Cas(7, 240, 40));
        e.c.LenderNames = {"Anna Berg"};
        e.c.LenderAddresses = {"Am Weg 1\r\n12345 Stadt"};
        TFilmV26& f = PutFilm(e.c, "Die Vögel", StVideo, 7, 3, 119);
        f.NetLength = 112;
        f.Director.Strng = "Alfred Hitchcock";
        f.Country.Strng = "USA";
        f.ProdYear = 1963;
        f.Category.Strng = "Thriller";
        f.Stars.Strng = "Tippi Hedren, Rod Taylor";
        f.Content.Strng = ToCp1252("Vögel greifen eine kleine Stadt an.");
        f.Rating = 1;
        f.LendStatus = LendLent;
        f.LentTo.Strng = "Anna Berg";
        f.LenderAddress.Strng = "Am Weg 1\r\n12345 Stadt";
        f.SoundFormat = 1;
        f.PictureFormat = 1;
        e.c.ActFilm = 1;
        for (int mode : {int(ModeEdit), int(ModeNew)}) {
            Dlg dlg(e.t.ctx, mode);
            if (mode == ModeEdit)
                QVERIFY(dlg.SetValues());
            else
                dlg.PreselectStorageMedium(StDvd);
            dlg.show();
            for (int page = 0; page < dlg.PageControl1->count(); ++page) {
                dlg.PageControl1->setCurrentIndex(page);
                QVERIFY(dlg.grab().save(
                    QDir(dir).filePath(QStringLiteral("film_editor_%1_%2.png").arg(mode).arg(page))));
                if (mode == ModeNew)
                    break;
            }
        }
    }
};

QTEST_MAIN(FilmEditorLayoutTest)
#include "test_film_editor_layout.moc"
