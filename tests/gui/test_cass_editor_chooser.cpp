#include "cass_editor_fixture.h"

#include "cassettes/cassette_lookup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

using namespace kt;
using namespace kt::test;

namespace {

// Cassette 1: rest 50, no gap. Cassette 2: films at 1 and 2, rest 120. Cassette 3: a film at 4
// behind a gap of 60, rest 120. Cassette 4: one film, rest 140.
void ChooserCassettes(Collection& c) {
    c.appendCassette(Cas(1, 240, 50));
    c.appendCassette(Cas(2, 240, 120));
    c.appendCassette(Cas(3, 240, 120, 60));
    c.appendCassette(Cas(4, 240, 140));
    AddFilm(c, Film("Lang", 1, 1, 190));
    AddFilm(c, Film("A", 2, 1, 60));
    AddFilm(c, Film("B", 2, 2, 60));
    AddFilm(c, Film("Mitte", 3, 4, 60));
    AddFilm(c, Film("Vier", 4, 1, 100));
}

} // namespace

class CassEditorChooser : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    // A new film of 100 minutes: the cassette choice, then the position choice.
    void newFilmChoosesCassetteThenPosition() {
        EditorFixture f;
        ChooserCassettes(f.c);
        f.s.AllowCasEdit = true;
        f.st.SuggestFilmLength = 100;
        f.st.CasEditCaller = 0;
        f.st.CasCommitMode = 2;
        TCasEditDlg& d = f.open(4);
        QCOMPARE(d.SelectedRow(), 2);
        QCOMPARE(d.SelectedCol(), 1);
        f.click("OkBtn");
        QCOMPARE(f.st.CasEditResult, 1);
        QCOMPARE(f.st.SelectedCas, 2);
        QCOMPARE(f.st.SelectedCasNr, 2);
        QCOMPARE(f.st.LastSelectedCas, 2);
        QCOMPARE(f.st.SelectedPos, 0);
        QVERIFY(f.c.DataSaved);

        f.st.CasEditCaller = 3;
        f.st.Bearbeiten = 7;
        f.dlg = std::make_unique<TCasEditDlg>(f.c, f.s, f.ui, f.st);
        f.dlg->LockForChooser();
        f.dlg->show();
        // The first column shown is the place behind the last film of cassette 2.
        QCOMPARE(f.grid()->LeftCol(), 7);
        QCOMPARE(f.dlg->SelectedCol(), 7);
        QCOMPARE(f.dlg->SelectedRow(), 2);
        // The cassette cannot be changed: up, down and clicks into other rows keep the row.
        QTest::keyClick(f.grid(), Qt::Key_Down);
        QTest::keyClick(f.grid(), Qt::Key_Up);
        QTest::keyClick(f.grid(), Qt::Key_PageDown);
        QCOMPARE(f.dlg->SelectedRow(), 2);
        QTest::keyClick(f.grid(), Qt::Key_Right);
        QCOMPARE(f.dlg->SelectedCol(), 8);
        f.clickCell(9, 4);
        QCOMPARE(f.dlg->SelectedRow(), 2);
        QCOMPARE(f.dlg->SelectedCol(), 9);
        // The chooser only selects.
        for (const char* name : {"CasNrMaskEdit", "TotalLengthComboBox", "RestLengthMaskEdit",
                                 "GapLengthMaskEdit", "CasSortRadioGroup"})
            QVERIFY2(!f.child<QWidget>(name)->isEnabled(), name);
        f.click("OkBtn");
        QCOMPARE(f.st.CasEditResult, 1);
        QCOMPARE(f.st.SelectedPos, 5);
        QCOMPARE(f.st.SelectedCas, 2);
        QVERIFY(!f.c.DataSaved);
    }

    void okOutsideThePositionColumns() {
        const struct {
            int mode, commit, result;
        } cases[] = {
            {7, 2, 4},
            {6, 2, 4},
            {1, 0, 4},
            // The film editor's cassette choice while editing a film asks for a cassette only.
            {1, 2, 1},
        };
        for (const auto& t : cases) {
            EditorFixture f;
            ChooserCassettes(f.c);
            f.st.SelectedCas = 3;
            f.st.SelectedPos = 9;
            f.st.CasCommitMode = t.commit;
            TCasEditDlg& d = f.open(t.mode);
            d.SelectCell(2, d.SelectedRow());
            d.OkBtnClick();
            QCOMPARE(f.st.CasEditResult, t.result);
            QCOMPARE(f.st.SelectedPos, 0);
        }
    }

    void rowOfTheSuggestedCassette() {
        const struct {
            const char* what;
            int mode;
            int suggest;      // SuggestPosOnCas
            int selectedCas;  // before opening
            int lastSelected; // LastSelectedCas
            int actFilm;
            int length;      // SuggestFilmLength
            const char* box; // expected box, or empty
            int row, col, selectedAfter;
        } cases[] = {
            {"chosen cassette", 4, 0, 3, -1, 0, 100, "", 3, 1, 3},
            {"first with room", 4, 0, 0, -1, 0, 130, "", 4, 1, 0},
            {"none has room", 4, 0, 0, -1, 0, 200, "Keine Cassette mit ausreichend freiem Platz gefunden!", 1,
             1, 0},
            {"last chosen, room or not", 4, 1, 0, 1, 0, 100, "", 1, 1, 1},
            {"suggest nothing", 4, 2, 3, 1, 0, 200, "", 1, 1, 3},
            {"edited film's place", 6, 0, 0, -1, 4, 0, "", 3, 8, 3},
            {"current film's cassette", 1, 0, 0, -1, 5, 0, "", 4, 1, 0},
            {"in front of the first film", 7, 0, 3, -1, 0, 0, "", 3, 7, 3},
        };
        for (const auto& t : cases) {
            EditorFixture f;
            ChooserCassettes(f.c);
            f.s.SuggestPosOnCas = static_cast<uint8_t>(t.suggest);
            f.st.SelectedCas = t.selectedCas;
            f.st.LastSelectedCas = t.lastSelected;
            f.st.SuggestFilmLength = t.length;
            f.c.ActFilm = static_cast<uint16_t>(t.actFilm);
            if (*t.box != 0)
                f.ui.expect(Box::Error, t.box);
            TCasEditDlg& d = f.open(t.mode);
            QVERIFY2(d.SelectedRow() == t.row, t.what);
            QVERIFY2(d.SelectedCol() == t.col, t.what);
            QVERIFY2(f.grid()->LeftCol() == std::max(1, t.col), t.what);
            QVERIFY2(f.st.SelectedCas == t.selectedAfter, t.what);
            QVERIFY2(f.child<QWidget>("CasEditGroupBox")->property("title").toString() ==
                         QStringLiteral(" Cassette bearbeiten "),
                     t.what);
        }
    }

    void longListPutsTheRowOnTopShortRestShowsTheEnd() {
        for (int target : {50, 199}) {
            EditorFixture f;
            for (int nr = 1; nr <= 200; ++nr)
                f.c.appendCassette(nr == target ? Cas(static_cast<uint16_t>(nr), 240, 240)
                                                : Cas(static_cast<uint16_t>(nr), 0, 0));
            f.st.SuggestFilmLength = 100;
            TCasEditDlg& d = f.open(4);
            QCOMPARE(d.SelectedRow(), target);
            QScrollBar* bar = f.grid()->verticalScrollBar();
            QVERIFY(bar->maximum() > 0);
            QCOMPARE(f.grid()->TopRow(), target == 50 ? 49 : bar->maximum());
        }
    }

    void positionBehindTheLastColumnIsShownNotSelected() {
        EditorFixture f;
        f.c.appendCassette(Cas(1, 240, 210));
        for (int pos = 1; pos <= 30; ++pos)
            AddFilm(f.c, Film("F" + std::to_string(pos), 1, pos, 1));
        f.st.SelectedCas = 1;
        TCasEditDlg& d = f.open(7);
        QCOMPARE(NextFreePosition(f.c, 1), 31);
        QCOMPARE(d.SelectedCol(), 1);
        QCOMPARE(f.grid()->horizontalScrollBar()->value(), f.grid()->horizontalScrollBar()->maximum());
        d.OkBtnClick();
        QCOMPARE(f.st.CasEditResult, 4);
    }

    // After cassette 3 of 1..5 was deleted, list position 3 holds cassette 4.
    void listPositionsAndNumbersDiffer() {
        EditorFixture f;
        ChooserCassettes(f.c);
        f.c.appendCassette(Cas(5, 240, 240));
        f.c.deleteFilm(4);
        f.c.deleteCassette(3);
        f.st.SelectedCas = 3;
        TCasEditDlg& d = f.open(7);
        QCOMPARE(f.cell(0, d.SelectedRow()), QStringLiteral("4"));
        QCOMPARE(d.SelectedCol(), 6);
        d.OkBtnClick();
        QCOMPARE(f.st.SelectedCas, 3);
        QCOMPARE(f.st.SelectedCasNr, 4);
        QCOMPARE(f.st.SelectedPos, 2);
    }

    void sortingKeepsTheChoice() {
        // In a chooser mode the suggestion is made again; otherwise the selected cassette stays.
        for (int mode : {4, 0}) {
            EditorFixture f;
            ChooserCassettes(f.c);
            f.st.SelectedCas = 3;
            TCasEditDlg& d = f.open(mode);
            d.SelectCell(1, 2);
            d.CasSortRadioGroupClick(2); // rests 140, 120, 120, 50
            const QString nr = f.cell(0, d.SelectedRow());
            QCOMPARE(nr, mode == 4 ? QStringLiteral("3") : QStringLiteral("2"));
        }
    }
};

QTEST_MAIN(CassEditorChooser)
#include "test_cass_editor_chooser.moc"
