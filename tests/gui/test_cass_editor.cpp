#include "cass_editor_fixture.h"

#include "cassettes/cassette_lookup.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

using namespace kt;
using namespace kt::test;
using namespace kt::literals;

namespace {

// Five consistent cassettes; films on 1, 2 and 4.
void FiveCassettes(Collection& c) {
    c.appendCassette(Cas(1, 240, 140));
    c.appendCassette(Cas(2, 180, 90));
    c.appendCassette(Cas(3, 240, 240));
    c.appendCassette(Cas(4, WithLongPlay(120, true), 180));
    c.appendCassette(Cas(5, 240, 240));
    AddFilm(c, Film("Eins", 1, 1, 100));
    AddFilm(c, Film("Zwei", 2, 1, 90));
    AddFilm(c, Film("Vier", 4, 1, 60));
}

QString LabelText(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

} // namespace

class CassEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void controlsCarryTheirNamesTextsAndHints() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.s.AllowCasEdit = true;
        TCasEditDlg& d = f.open(1);
        QCOMPARE(d.windowTitle(), QStringLiteral("Verwaltung der Videocassetten"));
        const struct {
            const char* name;
            const char* text;
        } texts[] = {
            {"BitBtnDelCas", "&Cassette löschen"},
            {"BitBtnNewCassette", "ne&ue Cassette anlegen"},
            {"CheckBoxLongplay", "Long-&Play Cassette"},
            {"HelpBitBtn", "&Hilfe"},
            {"CancelBtn", "&Abbruch"},
            {"OkBtn", "&OK"},
            {"MoveFilmOKtBtn", "&Tabellen aktualisieren"},
            {"CasSortRadioGroup", " Sortieren nach der "},
            {"MoveFilmGroupBox", " Film verschieben "},
            {"CasListGroupBox", " &Videocassettenliste "},
            {"CasEditGroupBox", " Cassette bearbeiten "},
        };
        for (const auto& t : texts) {
            auto* w = f.child<QWidget>(t.name);
            QVERIFY2(w != nullptr, t.name);
            QCOMPARE(LabelText(w), QString::fromUtf8(t.text));
        }
        QCOMPARE(f.grid()->toolTip(), QStringLiteral("Liste aller Cassetten und Einträge auf den Cassette"));
        QCOMPARE(f.child<QWidget>("RestLengthMaskEdit")->toolTip(),
                 QStringLiteral("Verbleibende freie bzw. Restlänge der Cassette in Minuten"));
        QCOMPARE(
            f.child<QWidget>("GapLengthMaskEdit")->toolTip(),
            QString::fromUtf8("Länge des größten durch das Löschen eines Films entstandene \"Loch\" auf der "
                              "Cassette in Minuten"));
        QCOMPARE(f.child<QWidget>("CancelBtn")->toolTip(),
                 QString::fromUtf8("Änderungen in der Cassettenliste ins Programm NICHT übernehmen"));
        QCOMPARE(f.child<QWidget>("OkBtn")->toolTip(),
                 QString::fromUtf8("Änderungen in der Cassettenliste ins Programm übernehmen"));
        QStringList sortItems, boxItems;
        for (auto* b : f.child<QWidget>("CasSortRadioGroup")->findChildren<QRadioButton*>())
            sortItems << b->text();
        QCOMPARE(sortItems, QStringList({"Cassetten&nummer", "Gesa&mtlänge der Cassette",
                                         "Restlän&ge der Cassette", "\"L&ochlänge\" der Cassette"}));
        auto* box = f.child<QComboBox>("TotalLengthComboBox");
        for (int i = 0; i < box->count(); ++i)
            boxItems << box->itemText(i);
        QCOMPARE(boxItems, QStringList({"300", "260", "240", "180", "120", " 90", " 60"}));
        QStringList labels;
        for (auto* l : f.child<QWidget>("CasEditGroupBox")->findChildren<QLabel*>())
            labels << l->text();
        QCOMPARE(labels, QStringList({"&Cassettennummer: ", "&Gesamtlänge der Cassette: ",
                                      "&Restlänge der Cassette: ", "\"&Lochlänge\" auf der Cassette: "}));

        // The list: 35 columns under their headers, position columns three default widths wide.
        const QAbstractItemModel* m = f.grid()->model();
        QCOMPARE(m->columnCount(), 35);
        QStringList headers;
        for (int col = 0; col < 6; ++col)
            headers << m->headerData(col, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"Nr.", "LP", "Länge", "Rest", "Lochlänge", "Pos. 1"}));
        QCOMPARE(m->headerData(34, Qt::Horizontal).toString(), QStringLiteral("Pos. 30"));
        QCOMPARE(f.grid()->columnWidth(5), 3 * f.grid()->columnWidth(0) + 1);
        QVERIFY(f.grid()->columnWidth(1) < f.grid()->columnWidth(0));
    }

    void listShowsLengthsAndTheFilmsAtTheirPositions() {
        EditorFixture f;
        FiveCassettes(f.c);
        AddFilm(f.c, Film("Hinten", 1, 31, 5));
        AddFilm(f.c, Film("Null", 1, 0, 5));
        AddFilm(f.c, Film("DVD", 3, 2, 5, StDvd));
        AddFilm(f.c, Film("Später"_cp, 2, 1, 0)); // same place as "Zwei": the later film wins
        f.ui.expect(Box::Error, "TotalLength <> GapLength+RestLength+Sum").expect(Box::Error, "Fehler (C)");
        TCasEditDlg& d = f.open(0);
        QCOMPARE(d.RowToCas(), std::vector<int>({-1, 1, 2, 3, 4, 5}));
        QCOMPARE(f.numbers(), std::vector<int>({1, 2, 3, 4, 5}));
        QCOMPARE(f.cell(1, 4), QStringLiteral("X"));
        QCOMPARE(f.cell(2, 4), QStringLiteral("240"));
        QCOMPARE(f.cell(3, 4), QStringLiteral("180"));
        QCOMPARE(f.cell(1, 2), QString());
        QCOMPARE(f.cell(5, 1), QStringLiteral("Eins"));
        QCOMPARE(f.cell(5, 2), QString::fromUtf8("Später"));
        QCOMPARE(f.cell(6, 3), QString());
        for (int col = 5; col < 35; ++col)
            QVERIFY(f.cell(col, 1) != QStringLiteral("Hinten") && f.cell(col, 1) != QStringLiteral("Null"));
        QCOMPARE(d.CasNrToRow(4), 4);
        QCOMPARE(d.CasNrToRow(9), 0);
    }

    void inconsistentCassettesAreReportedOncePerOpening() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.c.Cassette(2).RestLength = 10;
        f.c.Cassette(5).RestLength = 20;
        f.ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 2")
            .expect(Box::Error, "Fehler (C) bei der Sortierung und Neuzuordnung der Cassetten!")
            .expect(Box::Error, "lfd. Cassetten-Nr.      = 5")
            .expect(Box::Error, "Fehler (D) bei der Sortierung und Neuzuordnung der Cassetten!");
        f.open(0);
        QCOMPARE(f.c.LastReportedBadCas, 5);
        f.ui.verify();
        // Re-sorting checks again but reports neither cassette a second time.
        f.dlg->CasSortRadioGroupClick(2);
        f.dlg->CasSortRadioGroupClick(0);
        f.ui.verify();
        // A further cassette made inconsistent is reported at OK with the warning.
        f.st.CasCommitMode = 0;
        f.dlg.reset();
        f.s.AllowCasEdit = true;
        f.ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 2")
            .expect(Box::Error, "Fehler (C)")
            .expect(Box::Error, "lfd. Cassetten-Nr.      = 5")
            .expect(Box::Error, "Fehler (D)");
        f.open(1);
        QCOMPARE(f.c.LastReportedBadCas, 5);
        f.dlg->SelectCell(1, 1);
        f.child<QComboBox>("TotalLengthComboBox")->setCurrentIndex(0); // 300 on a cassette with films
        f.dlg->TotalLengthComboBoxChange();
        f.ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 1")
            .expect(Box::Warning, "Fehler (B): Cassettendaten nach Setzen der Daten (1) nicht mehr OK!");
        f.dlg->OkBtnClick();
        QCOMPARE(f.st.CasEditResult, 4);
        QCOMPARE(f.c.Cassette(1), Cas(1, 300, 300));
    }

    void openingWithoutCassettesCreatesOneAndCancelRemovesIt() {
        for (bool ok : {false, true}) {
            EditorFixture f;
            TCasEditDlg& d = f.open(1);
            QCOMPARE(f.c.AnzCas(), 1);
            QCOMPARE(f.c.Cassette(1), Cas(1, 240, 240));
            QCOMPARE(f.st.Bearbeiten, 5);
            QCOMPARE(f.child<QGroupBox>("CasEditGroupBox")->title(),
                     QStringLiteral(" Cassette neu anlegen "));
            QVERIFY(!f.grid()->isEnabled());
            QVERIFY(f.child<QWidget>("TotalLengthComboBox")->isEnabled());
            QVERIFY(!f.child<QWidget>("RestLengthMaskEdit")->isEnabled());
            QVERIFY(!f.child<QWidget>("CasSortRadioGroup")->isEnabled());
            QCOMPARE(d.SelectedRow(), 1);
            if (ok) {
                auto* box = f.child<QComboBox>("TotalLengthComboBox");
                box->setCurrentIndex(box->findText(QStringLiteral("180")));
                d.TotalLengthComboBoxChange();
                d.OkBtnClick();
                QCOMPARE(f.st.CasEditResult, 1);
                QCOMPARE(f.c.Cassette(1), Cas(1, 180, 180));
                QCOMPARE(f.st.AppendedCas, std::vector<int>({1}));
                QVERIFY(!f.c.DataSaved);
            } else {
                d.CancelBtnClick();
                QCOMPARE(f.st.CasEditResult, 2);
                QCOMPARE(f.c.AnzCas(), 0);
                QVERIFY(f.st.AppendedCas.empty());
                QVERIFY(f.c.DataSaved);
            }
        }
    }

    // The menu "&Neu anlegen": modal, Escape or OK.
    void newCassetteModeLeftWithEscapeOrOk() {
        for (bool escape : {true, false}) {
            EditorFixture f;
            FiveCassettes(f.c);
            f.st.Bearbeiten = 5;
            f.st.CasCommitMode = 1;
            f.s.CasSort = 2;
            TCasEditDlg d(f.c, f.s, f.ui, f.st);
            QCOMPARE(f.s.CasSort, 0);
            QTimer::singleShot(0, &d, [&] {
                QCOMPARE(d.focusWidget(), d.findChild<QWidget*>("TotalLengthComboBox"));
                QCOMPARE(d.RowToCas().back(), 6);
                QCOMPARE(d.SelectedRow(), 6);
                if (escape) {
                    QTest::keyClick(&d, Qt::Key_Escape);
                } else {
                    auto* box = d.findChild<QComboBox*>("TotalLengthComboBox");
                    QTest::keyClick(box, Qt::Key_Down); // 240 -> 180
                    d.findChild<QCheckBox*>("CheckBoxLongplay")->click();
                    QTest::keyClick(&d, Qt::Key_Return);
                }
            });
            const int result = d.Show_Dialog();
            if (escape) {
                QCOMPARE(result, 2);
                QCOMPARE(f.c.AnzCas(), 5);
                QVERIFY(f.st.AppendedCas.empty());
            } else {
                QCOMPARE(result, 1);
                QCOMPARE(f.c.AnzCas(), 6);
                QCOMPARE(f.c.Cassette(6), Cas(6, WithLongPlay(180, true), 360));
                QCOMPARE(f.st.AppendedCas, std::vector<int>({6}));
                QCOMPARE(f.st.SelectedCas, 6);
            }
            QCOMPARE(f.st.CasEditResult, result);
        }
    }

    void newCassetteButtonTakesTwoSteps() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.s.AllowCasEdit = true;
        f.s.CasSort = 2;
        f.st.CasCommitMode = 0;
        TCasEditDlg& d = f.open(1);
        auto* btn = f.child<QPushButton>("BitBtnNewCassette");
        QVERIFY(btn->isEnabled());
        f.click("BitBtnNewCassette");
        QCOMPARE(btn->text(), QString::fromUtf8("neue Cas.: Eingaben bestätigen"));
        QVERIFY(btn->isEnabled());
        QVERIFY(!f.child<QWidget>("OkBtn")->isEnabled());
        QVERIFY(!f.grid()->isEnabled());
        QCOMPARE(f.st.Bearbeiten, 5);
        QCOMPARE(f.st.CasCommitMode, 1);
        QCOMPARE(f.s.CasSort, 0);
        QCOMPARE(f.c.AnzCas(), 6);
        QCOMPARE(f.cell(0, d.SelectedRow()), QStringLiteral("6"));

        // " 90" with long play shows 180 in the row and the rest field.
        auto* box = f.child<QComboBox>("TotalLengthComboBox");
        box->setCurrentIndex(box->findText(QStringLiteral(" 90")));
        d.TotalLengthComboBoxChange();
        f.child<QCheckBox>("CheckBoxLongplay")->click();
        QCOMPARE(f.cell(2, 6), QStringLiteral("180"));
        QCOMPARE(f.cell(3, 6), QStringLiteral("180"));
        QCOMPARE(f.cell(1, 6), QStringLiteral("X"));
        QCOMPARE(f.child<QLineEdit>("RestLengthMaskEdit")->text(), QStringLiteral("180"));

        // A number another cassette has is refused; the first step goes on.
        auto* nr = f.child<QLineEdit>("CasNrMaskEdit");
        nr->setText(QStringLiteral("2"));
        f.ui.expect(Box::Error, "Cassette 2 gibt es schon!");
        f.click("BitBtnNewCassette");
        QCOMPARE(f.st.Bearbeiten, 5);
        nr->setText(QStringLiteral("12"));
        f.click("BitBtnNewCassette");
        QCOMPARE(btn->text(), QStringLiteral("ne&ue Cassette anlegen"));
        QVERIFY(!btn->isEnabled());
        QVERIFY(f.child<QWidget>("OkBtn")->isEnabled());
        QVERIFY(f.grid()->isEnabled());
        QCOMPARE(f.st.Bearbeiten, 1);
        QCOMPARE(f.st.CasCommitMode, 0);
        QCOMPARE(f.c.Cassette(6), Cas(12, WithLongPlay(90, true), 180));
        QVERIFY(RuleHolds(f.c, f.c.Cassette(6)));
        QCOMPARE(f.cell(0, d.SelectedRow()), QStringLiteral("12"));

        // Cancel takes back what the dialog created, confirmed or not.
        d.CancelBtnClick();
        QCOMPARE(f.c.AnzCas(), 5);
        QVERIFY(f.st.AppendedCas.empty());
    }

    void newCassetteButtonInEveryMode() {
        // Offered where cassettes can be chosen or edited, not where the list is only looked at.
        const struct {
            int mode;
            bool offered;
        } cases[] = {{0, false}, {1, true}, {3, false}, {4, true}, {6, true}, {7, true}};
        for (const auto& t : cases) {
            EditorFixture f;
            FiveCassettes(f.c);
            f.st.SelectedCas = 3;
            f.open(t.mode);
            QCOMPARE(f.child<QWidget>("BitBtnNewCassette")->isEnabled(), t.offered);
        }
        // Chosen in the film editor's cassette choice, the new cassette is what OK returns.
        EditorFixture f;
        FiveCassettes(f.c);
        f.st.CasCommitMode = 2;
        f.open(4);
        f.click("BitBtnNewCassette");
        f.click("BitBtnNewCassette");
        f.click("OkBtn");
        QCOMPARE(f.st.CasEditResult, 1);
        QCOMPARE(f.st.SelectedCas, 6);
        QCOMPARE(f.st.SelectedCasNr, 6);
        QCOMPARE(f.st.CasCommitMode, 2);
        QCOMPARE(f.st.AppendedCas, std::vector<int>({6}));
        QVERIFY(!f.c.DataSaved);
    }

    void noFreeSlotLeavesEverythingAsItWas() {
        EditorFixture f;
        for (int i = 1; i <= MaxCassettes; ++i)
            f.c.appendCassette(Cas(static_cast<uint16_t>(i), 240, 240));
        f.ui.expect(Box::Error, "Fehler beim Laden: Maximale Anzahl Cassetten pro Datei (5000) erreicht.");
        f.st.Bearbeiten = 5;
        TCasEditDlg d(f.c, f.s, f.ui, f.st);
        QVERIFY(d.OpeningFailed());
        QCOMPARE(d.Show_Dialog(), 2);
        QCOMPARE(f.c.AnzCas(), MaxCassettes);
        QVERIFY(f.st.AppendedCas.empty());

        // The button's first step fails the same way and the second cannot overwrite a cassette.
        f.ui.verify();
        f.open(1);
        f.ui.expect(Box::Error, "Fehler beim Laden: Maximale Anzahl Cassetten");
        f.click("BitBtnNewCassette");
        QCOMPARE(f.child<QPushButton>("BitBtnNewCassette")->text(), QStringLiteral("ne&ue Cassette anlegen"));
        QVERIFY(f.child<QWidget>("OkBtn")->isEnabled());
        QCOMPARE(f.st.Bearbeiten, 1);
        f.child<QLineEdit>("CasNrMaskEdit")->setText(QStringLiteral("77"));
        f.ui.expect(Box::Error, "Fehler beim Laden");
        f.click("BitBtnNewCassette");
        f.click("CancelBtn");
        QCOMPARE(f.c.Cassette(MaxCassettes).Nr, MaxCassettes);
        QCOMPARE(f.c.AnzCas(), MaxCassettes);
    }

    void restAndGapAreCheckedWhenLeft() {
        // Cassette 2: 180 minutes, one film of 90, rest 90.
        const struct {
            bool rest;
            const char* typed;
            const char* error; // empty: accepted
            int storedRest, storedGap;
        } cases[] = {
            {true, "200", "Angegebene Restlänge ist größer als die Gesamtlänge.", 90, 0},
            {false, "200", "Angegebene Lochlänge ist größer als die Gesamtlänge.", 90, 0},
            {false, "100", "Angegebene Lochlänge zzgl. Restlänge ist größer als die Gesamtlänge.", 90, 0},
            {true, "abc", "", 90, 0},
            {true, "", "", 90, 0},
            {true, "1a2", "", 90, 0},
            {true, "50", "", 50, 0},
            {false, "40", "", 90, 40},
        };
        for (const auto& t : cases) {
            EditorFixture f;
            FiveCassettes(f.c);
            f.s.AllowCasEdit = true;
            TCasEditDlg& d = f.open(1);
            d.SelectCell(1, 2);
            auto* field = f.child<QLineEdit>(t.rest ? "RestLengthMaskEdit" : "GapLengthMaskEdit");
            field->clear();
            QTest::keyClicks(field, QString::fromLatin1(t.typed));
            if (*t.error != 0)
                f.ui.expect(Box::Error, t.error);
            if (t.rest)
                d.RestLengthMaskEditExit();
            else
                d.GapLengthMaskEditExit();
            QCOMPARE(f.c.Cassette(2).RestLength, t.storedRest);
            QCOMPARE(f.c.Cassette(2).GapLength, t.storedGap);
            const int shown = t.rest ? t.storedRest : t.storedGap;
            QCOMPARE(field->text(), QString::number(shown));
            QCOMPARE(f.cell(t.rest ? 3 : 4, 2), QString::number(shown));
            QCOMPARE(f.c.DataSaved, *t.error != 0 || (shown == (t.rest ? 90 : 0)));
            // Stored at once: Cancel does not take it back.
            d.CancelBtnClick();
            QCOMPARE(f.c.Cassette(2).RestLength, t.storedRest);
        }
        // A rest of 100 with a gap of 90 on the same cassette.
        EditorFixture f;
        FiveCassettes(f.c);
        f.c.Cassette(2) = Cas(2, 180, 0, 90);
        f.s.AllowCasEdit = true;
        TCasEditDlg& d = f.open(1);
        d.SelectCell(1, 2);
        auto* rest = f.child<QLineEdit>("RestLengthMaskEdit");
        rest->setText(QStringLiteral("100"));
        f.ui.expect(Box::Error, "Angegebene Restlänge zzgl. Lochlänge ist größer als die Gesamtlänge.");
        d.RestLengthMaskEditExit();
        QCOMPARE(rest->text(), QStringLiteral("0"));
    }

    void leavingAFieldForAnotherControlChecksIt() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.s.AllowCasEdit = true;
        TCasEditDlg& d = f.open(1);
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.SelectCell(1, 2);
        auto* rest = f.child<QLineEdit>("RestLengthMaskEdit");
        rest->setFocus();
        rest->selectAll();
        QTest::keyClicks(rest, QStringLiteral("200"));
        f.ui.expect(Box::Error, "Angegebene Restlänge ist größer");
        f.child<QLineEdit>("GapLengthMaskEdit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(rest->text(), QStringLiteral("90"));
        // Enter in a field presses OK, which checks the field first.
        auto* gap = f.child<QLineEdit>("GapLengthMaskEdit");
        gap->selectAll();
        QTest::keyClicks(gap, QStringLiteral("100"));
        f.ui.expect(Box::Error, "Angegebene Lochlänge zzgl. Restlänge");
        QTest::keyClick(gap, Qt::Key_Return);
        QCOMPARE(f.st.CasEditResult, 4);
        QCOMPARE(f.c.Cassette(2), Cas(2, 180, 90));
    }

    void newTotalThenRestIsCheckedAgainstTheNewTotal() {
        EditorFixture f;
        f.c.appendCassette(Cas(1, 240, 200, 40));
        f.s.AllowCasEdit = true;
        f.st.CasCommitMode = 0;
        TCasEditDlg& d = f.open(1);
        auto* box = f.child<QComboBox>("TotalLengthComboBox");
        box->setCurrentIndex(0); // 300
        d.TotalLengthComboBoxChange();
        QCOMPARE(f.child<QLineEdit>("GapLengthMaskEdit")->text(), QStringLiteral("0"));
        d.RestLengthMaskEditExit(); // 300 shown, no box
        d.OkBtnClick();
        QCOMPARE(f.c.Cassette(1), Cas(1, 300, 300, 0));
    }

    void typedCharactersDoNotPickALength() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.s.AllowCasEdit = true;
        TCasEditDlg& d = f.open(1);
        d.SelectCell(1, 3);
        auto* box = f.child<QComboBox>("TotalLengthComboBox");
        QCOMPARE(box->currentText(), QStringLiteral("240"));
        QTest::keyClicks(box, QStringLiteral("1 9"));
        QCOMPARE(box->currentText(), QStringLiteral("240"));
        QCOMPARE(f.cell(2, 3), QStringLiteral("240"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->currentText(), QStringLiteral("260"));
        QCOMPARE(f.cell(2, 3), QStringLiteral("260"));
        QCOMPARE(f.cell(3, 3), QStringLiteral("260"));
    }

    void unusualLengthSurvivesSelectionAndOk() {
        EditorFixture f;
        f.c.appendCassette(Cas(1, 195, 195));
        f.c.appendCassette(Cas(2, 0, 0));
        f.st.CasCommitMode = 0;
        TCasEditDlg& d = f.open(1);
        d.SelectCell(1, 1);
        QCOMPARE(f.child<QComboBox>("TotalLengthComboBox")->currentIndex(), -1);
        QCOMPARE(f.cell(2, 1), QStringLiteral("195"));
        // A cassette without a length shows 240 and gets it.
        d.SelectCell(1, 2);
        QCOMPARE(f.cell(2, 2), QStringLiteral("240"));
        d.SelectCell(1, 1);
        d.OkBtnClick();
        QCOMPARE(f.c.Cassette(1), Cas(1, 195, 195));
    }

    void deletingOnlyEmptyCassettes() {
        const struct {
            Answer answer;
            std::vector<int> left;
        } cases[] = {{Answer::Yes, {1, 2, 4, 5}}, {Answer::No, {1, 2, 3, 4, 5}}};
        for (const auto& t : cases) {
            EditorFixture f;
            FiveCassettes(f.c);
            f.s.AllowCasEdit = true;
            TCasEditDlg& d = f.open(1);
            d.SelectCell(1, 3);
            QVERIFY(f.child<QWidget>("BitBtnDelCas")->isEnabled());
            QVERIFY(f.child<QWidget>("CasNrMaskEdit")->isEnabled());
            f.ui.expectQuestion("Cassette 3 ist leer.\r\nSoll Cassette 3 jetzt gelöscht werden?", t.answer);
            f.click("BitBtnDelCas");
            QCOMPARE(f.numbers(), t.left);
            QCOMPARE(f.c.AnzCas(), static_cast<int>(t.left.size()));
            // Kept whatever way the dialog is left: a change at once.
            QCOMPARE(f.c.DataSaved, t.answer == Answer::No);
            d.CancelBtnClick();
            QCOMPARE(f.c.AnzCas(), static_cast<int>(t.left.size()));
        }
        // A cassette with films cannot be deleted.
        EditorFixture f;
        FiveCassettes(f.c);
        AddFilm(f.c, Film("Noch einer", 1, 2, 40));
        f.c.Cassette(1).RestLength = 100;
        f.s.AllowCasEdit = true;
        TCasEditDlg& d = f.open(1);
        d.SelectCell(1, 1);
        QVERIFY(!f.child<QWidget>("BitBtnDelCas")->isEnabled());
        QVERIFY(!f.child<QWidget>("CasNrMaskEdit")->isEnabled());
        f.ui.expect(Box::Error,
                    "Cassette 1 ist NICHT leer.\r\nLöschen Sie zuerst die Filme dieser Cassette aus der "
                    "Datenbank:\r\n >  Eins\r\n >  Noch einer");
        d.BitBtnDelCasClick();
        QCOMPARE(f.c.AnzCas(), 5);
        // Without AllowCasEdit nothing is deleted.
        EditorFixture g;
        FiveCassettes(g.c);
        TCasEditDlg& e = g.open(0);
        e.SelectCell(1, 3);
        QVERIFY(!g.child<QWidget>("BitBtnDelCas")->isEnabled());
    }

    void sortingByEachKey() {
        const struct {
            int sort;
            std::vector<std::vector<int>> orders; // accepted orders of the numbers
        } cases[] = {
            {0, {{1, 2, 3, 4}}},
            {1, {{3, 1, 2, 4}}},
            {2, {{2, 3, 4, 1}, {3, 2, 4, 1}}},
            {3, {{3, 1, 4, 2}}},
        };
        for (const auto& t : cases) {
            EditorFixture f;
            f.c.appendCassette(Cas(1, 240, 10, 230));
            f.c.appendCassette(Cas(2, 180, 50, 30));
            f.c.appendCassette(Cas(3, WithLongPlay(180, true), 50, 310));
            f.c.appendCassette(Cas(4, 120, 30, 90));
            AddFilm(f.c, Film("Lang", 2, 2, 100));
            TCasEditDlg& d = f.open(0);
            d.CasSortRadioGroupClick(t.sort == 0 ? 1 : 0);
            d.CasSortRadioGroupClick(t.sort);
            QCOMPARE(f.s.CasSort, t.sort);
            QVERIFY2(std::find(t.orders.begin(), t.orders.end(), f.numbers()) != t.orders.end(),
                     qPrintable(QString::number(t.sort)));
            // RowToCas follows the rows.
            for (int row = 1; row <= 4; ++row)
                QCOMPARE(f.c.Cassette(d.RowToCas()[static_cast<std::size_t>(row)]).Nr, f.numbers()[row - 1]);
        }
        EditorFixture f;
        FiveCassettes(f.c);
        f.s.CasSort = 7;
        f.ui.expect(Box::Error, "Fehler (E) bei der Sortierzuordnung: (CasSort=7)!");
        f.open(0);
        QCOMPARE(f.numbers(), std::vector<int>({1, 2, 3, 4, 5}));
    }

    void okStoresByModeAndCommitMode() {
        const struct {
            int mode, commit;
            bool stores, marks;
        } cases[] = {
            {0, 0, false, false}, {1, 0, true, true},  {1, 2, false, true}, {3, 2, false, false},
            {4, 2, false, false}, {6, 2, false, true}, {7, 0, true, true},
        };
        for (const auto& t : cases) {
            EditorFixture f;
            FiveCassettes(f.c);
            f.s.AllowCasEdit = true;
            f.st.CasCommitMode = t.commit;
            f.st.SelectedCas = 3;
            TCasEditDlg& d = f.open(t.mode);
            d.SelectCell(6, 3);
            auto* box = f.child<QComboBox>("TotalLengthComboBox");
            box->setCurrentIndex(box->findText(QStringLiteral("120")));
            d.TotalLengthComboBoxChange();
            d.OkBtnClick();
            QCOMPARE(f.st.CasEditResult, 1);
            QCOMPARE(f.c.Cassette(3), t.stores ? Cas(3, 120, 120) : Cas(3, 240, 240));
            QCOMPARE(!f.c.DataSaved, t.marks);
            if (t.mode != 0 && t.mode != 3) {
                QCOMPARE(f.st.SelectedCas, 3);
                QCOMPARE(f.st.LastSelectedCas, 3);
            }
        }
    }

    void doubleClickViewsTheFilm() {
        EditorFixture f;
        FiveCassettes(f.c);
        f.c.ActFilm = 1;
        TCasEditDlg& d = f.open(0);
        QSignalSpy sound(&d, &TCasEditDlg::errorSound);
        int viewed = 0, modeDuring = 0, actDuring = 0;
        f.doubleClickCell(5, 2);
        QCOMPARE(sound.count(), 1); // no handler yet
        d.SetViewFilmHandler([&](int index) {
            viewed = index;
            modeDuring = f.st.Bearbeiten;
            actDuring = f.c.ActFilm;
        });
        f.doubleClickCell(5, 2);
        QCOMPARE(viewed, 2);
        QCOMPARE(modeDuring, 3);
        QCOMPARE(actDuring, 2);
        QCOMPARE(f.st.Bearbeiten, 0);
        QCOMPARE(f.c.ActFilm, 1);
        d.CasEditDlgStringGridDblClick(6, 2); // empty cell
        d.CasEditDlgStringGridDblClick(2, 2); // a length, not a title
        QCOMPARE(sound.count(), 3);
        d.CasEditDlgStringGridDblClick(0, 2); // the number column does nothing
        QCOMPARE(sound.count(), 3);
    }
};

QTEST_MAIN(CassEditor)
#include "test_cass_editor.moc"
