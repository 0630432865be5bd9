#include "cass_editor_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using namespace kt;
using namespace kt::test;

namespace {

// Cassette 1: 160 and 60 minutes, rest 20. Cassette 2: 140 minutes, rest 100. Cassette 3: a film
// at 3 behind a gap of 30, rest 150. Cassette 4: full but for a rest of 10.
void MoveCassettes(Collection& c) {
    c.appendCassette(Cas(1, 240, 20));
    c.appendCassette(Cas(2, 240, 100));
    c.appendCassette(Cas(3, 240, 150, 30));
    c.appendCassette(Cas(4, 120, 10));
    AddFilm(c, Film("Eins", 1, 1, 160));
    AddFilm(c, Film("Zwei", 1, 2, 60));
    AddFilm(c, Film("Drei", 2, 1, 140));
    AddFilm(c, Film("Vier", 3, 3, 60));
    AddFilm(c, Film("Fünf", 4, 1, 110));
}

struct Look {
    QString text;
    bool bold, italic;
    bool operator==(const Look&) const = default;
};

Look LookOf(QWidget* w) {
    const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                  : qobject_cast<QAbstractButton*>(w)->text();
    return {text, w->font().bold(), w->font().italic()};
}

char* toString(const Look& l) {
    return QTest::toString(QStringLiteral("%1 bold=%2 italic=%3").arg(l.text).arg(l.bold).arg(l.italic));
}

struct MoveFixture : EditorFixture {
    explicit MoveFixture(bool showAllMsg = true) : EditorFixture(showAllMsg) {
        MoveCassettes(c);
        s.AllowCasEdit = true;
        open(0);
    }
    QCheckBox* src() const { return child<QCheckBox>("SrcFilmCheckBox"); }
    QCheckBox* tgt() const { return child<QCheckBox>("TgtFilmCheckBox"); }
    QWidget* label() const { return child<QWidget>("MoveFilmNameLabel"); }
    QPushButton* moveBtn() const { return child<QPushButton>("MoveFilmOKtBtn"); }
    void tick(QCheckBox* box, int col, int row) const {
        dlg->SelectCell(col, row);
        box->click(); // toggles and reports the click, as the user's does
    }
};

} // namespace

class CassEditorMove : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void lastFilmToTheEndOfAnotherCassette() {
        for (bool showAll : {true, false}) {
            MoveFixture f(showAll);
            f.tick(f.src(), 6, 1);
            QVERIFY(f.src()->isChecked());
            QVERIFY(!f.moveBtn()->isEnabled());
            f.tick(f.tgt(), 6, 2);
            QVERIFY(f.tgt()->isChecked());
            QVERIFY(f.moveBtn()->isEnabled());
            if (showAll)
                f.ui.expect(Box::Information, "Film wurde verschoben!");
            QTest::mouseClick(f.moveBtn(), Qt::LeftButton);
            QCOMPARE(f.st.CasEditResult, 6);
            QVERIFY(!f.dlg->isVisible());
            QCOMPARE(f.c.Cassette(1), Cas(1, 240, 80));
            QCOMPARE(f.c.Cassette(2), Cas(2, 240, 40));
            QVERIFY(AllHold(f.c));
            QCOMPARE(f.c.Film(2).CasNr, 2);
            QCOMPARE(f.c.Film(2).PosOnCas, 2);
            QVERIFY(!f.c.DataSaved);
            QCOMPARE(f.cell(6, 1), QString());
            QCOMPARE(f.cell(6, 2), QStringLiteral("Zwei"));
            QCOMPARE(f.cell(3, 1), QStringLiteral("80"));
            QCOMPARE(f.cell(3, 2), QStringLiteral("40"));
            QCOMPARE(f.ui.quiet.size(), showAll ? 0u : 1u);
        }
    }

    void textsFollowTheSelection() {
        MoveFixture f;
        const Look noFilm{QString::fromUtf8("Film =  [keine Position gewählt]"), false, true};
        const Look noSource{QString::fromUtf8("Quelle: [keine Position gewählt]"), false, true};
        const Look noTarget{QString::fromUtf8("Ziel:   [keine Position gewählt]"), false, true};
        f.dlg->SelectCell(2, 1); // not a position: the texts stay
        QCOMPARE(LookOf(f.label()), noFilm);
        QCOMPARE(LookOf(f.src()), noSource);
        QCOMPARE(LookOf(f.tgt()), noTarget);
        f.dlg->SelectCell(6, 1);
        QCOMPARE(LookOf(f.label()), (Look{QStringLiteral("Film = Zwei"), true, false}));
        QCOMPARE(LookOf(f.src()), (Look{QStringLiteral("Quelle: Cas. 1, Pos. 2"), true, false}));
        QCOMPARE(LookOf(f.tgt()), noTarget);
        f.dlg->SelectCell(8, 3);
        QCOMPARE(LookOf(f.label()), (Look{QStringLiteral("Film = [leer]"), true, false}));
        f.tick(f.src(), 6, 1);
        f.dlg->SelectCell(7, 2);
        QCOMPARE(LookOf(f.label()), (Look{QStringLiteral("Film = Zwei"), true, false}));
        QCOMPARE(LookOf(f.src()), (Look{QStringLiteral("Quelle: Cas. 1, Pos. 2"), true, false}));
        QCOMPARE(LookOf(f.tgt()), (Look{QStringLiteral("Ziel:    Cas. 2, Pos. 3"), true, false}));
        // Unticking the source lets go of the target as well.
        f.src()->click();
        QCOMPARE(LookOf(f.tgt()), noTarget);
        QCOMPARE(LookOf(f.src()), (Look{QStringLiteral("Quelle: Cas. 2, Pos. 3"), true, false}));

        // Without AllowCasEdit the group does nothing.
        EditorFixture g;
        MoveCassettes(g.c);
        g.open(0);
        QVERIFY(!g.child<QWidget>("SrcFilmCheckBox")->isEnabled());
        QVERIFY(!g.child<QWidget>("TgtFilmCheckBox")->isEnabled());
        g.dlg->SelectCell(6, 1);
        QCOMPARE(LookOf(g.child<QWidget>("MoveFilmNameLabel")), noFilm);
        g.dlg->CasEditDlgStringGridRightClick(6, 1);
        QVERIFY(!g.child<QCheckBox>("SrcFilmCheckBox")->isChecked());
    }

    void refusedChoices() {
        const struct {
            const char* what;
            int srcCol, srcRow; // source cell
            int col, row;       // target cell
            const char* box;    // empty: refused without a box
        } cases[] = {
            {"occupied", 6, 1, 5, 2, "Position ist besetzt! Auswahl wird ignoriert!"},
            {"hole too small", 6, 1, 5, 3, "Lochlänge ist zu klein! Auswahl wird ignoriert!"},
            {"rest too small", 6, 1, 6, 4, "Restlänge ist zu klein! Auswahl wird ignoriert!"},
            {"not a position", 6, 1, 3, 2, ""},
            {"no source", 0, 0, 6, 2, ""},
        };
        for (const auto& t : cases) {
            MoveFixture f;
            QSignalSpy sound(f.dlg.get(), &TCasEditDlg::errorSound);
            if (t.srcRow != 0)
                f.tick(f.src(), t.srcCol, t.srcRow);
            if (*t.box != 0)
                f.ui.expect(Box::Error, t.box);
            f.tick(f.tgt(), t.col, t.row);
            QVERIFY2(!f.tgt()->isChecked(), t.what);
            QVERIFY2(!f.moveBtn()->isEnabled(), t.what);
            QVERIFY2(sound.count() == 1, t.what);
            QVERIFY2(f.src()->isChecked() == (t.srcRow != 0), t.what);
        }
        // A source must show a film.
        for (int col : {2, 9}) {
            MoveFixture f;
            QSignalSpy sound(f.dlg.get(), &TCasEditDlg::errorSound);
            f.tick(f.src(), col, 1);
            QVERIFY(!f.src()->isChecked());
            QCOMPARE(sound.count(), 1);
        }
    }

    void deletingACassetteDropsThePreparedMove() {
        MoveFixture f;
        f.c.appendCassette(Cas(5, 240, 240));
        f.c.appendCassette(Cas(6, 240, 240));
        f.dlg->SetAusgabeData();
        f.tick(f.src(), 6, 1);
        f.tick(f.tgt(), 5, 6);
        QVERIFY(f.moveBtn()->isEnabled());
        f.dlg->SelectCell(1, 5);
        f.ui.expectQuestion("Soll Cassette 5 jetzt gelöscht werden?", Answer::Yes);
        f.click("BitBtnDelCas");
        QVERIFY(!f.src()->isChecked());
        QVERIFY(!f.tgt()->isChecked());
        QVERIFY(!f.moveBtn()->isEnabled());
        QCOMPARE(f.c.Film(2).CasNr, 1);
    }

    void rightMouseButtonTicksSourceThenTarget() {
        MoveFixture f;
        f.clickCell(6, 1, Qt::RightButton);
        QVERIFY(f.src()->isChecked());
        QVERIFY(!f.tgt()->isChecked());
        QCOMPARE(LookOf(f.src()).text, QStringLiteral("Quelle: Cas. 1, Pos. 2"));
        f.clickCell(2, 2, Qt::RightButton); // not a position: nothing
        QVERIFY(!f.tgt()->isChecked());
        f.clickCell(7, 2, Qt::RightButton);
        QVERIFY(f.tgt()->isChecked());
        QVERIFY(f.moveBtn()->isEnabled());
        QCOMPARE(LookOf(f.tgt()).text, QStringLiteral("Ziel:    Cas. 2, Pos. 3"));
        f.ui.expect(Box::Information, "Film wurde verschoben!");
        QTest::mouseClick(f.moveBtn(), Qt::LeftButton);
        QCOMPARE(f.st.CasEditResult, 6);
        QCOMPARE(f.c.Film(2).PosOnCas, 3);
    }
};

QTEST_MAIN(CassEditorMove)
#include "test_cass_editor_move.moc"
