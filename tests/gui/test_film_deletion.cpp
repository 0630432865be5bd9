#include "../core/cassette_fixture.h"
#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "persistence/film_data_file.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <QTest>

using kt::Answer;
using kt::TKassotekMainWindow;
using namespace kt::test;

namespace {

const char* const Question =
    "Der Film \"%1\" soll aus der Datenbank gelöscht werden.\r\nDen Film jetzt löschen?";

std::string AskedFor(const QString& title) {
    return QString::fromUtf8(Question).arg(title).toStdString();
}

// "Film 01" to "Film <n>", DVDs, so that no cassette is involved.
std::function<void(kt::Collection&)> Numbered(int n) {
    return [n](kt::Collection& c) {
        for (int i = 1; i <= n; ++i)
            AddFilm(c, Film(QStringLiteral("Film %1").arg(i, 2, 10, QLatin1Char('0')).toStdString(), 0, 0, 90,
                            kt::StDvd));
    };
}

// Cassette 1 (240 minutes) holds A, B and C at the positions 1 to 3; cassette 2 is empty.
void ThreeOnATape(kt::Collection& c) {
    c.appendCassette(Cas(1, 240, 90));
    c.appendCassette(Cas(2, 180, 180));
    AddFilm(c, Film("A", 1, 1, 60));
    AddFilm(c, Film("B", 1, 2, 50));
    AddFilm(c, Film("C", 1, 3, 40));
}

} // namespace

class FilmDeletionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    // Afterwards the row above the deleted one is current (row 1 when the first went).
    void theRowAboveBecomesCurrent_data() {
        QTest::addColumn<int>("films");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("row 4 of 10") << 10 << 4 << 3;
        QTest::newRow("row 1 of 10") << 10 << 1 << 1;
        QTest::newRow("row 2 of 2") << 2 << 2 << 1;
        QTest::newRow("row 10 of 10") << 10 << 10 << 9;
    }
    void theRowAboveBecomesCurrent() {
        QFETCH(int, films);
        QFETCH(int, row);
        QFETCH(int, currentAfter);
        ListWindow l(Numbered(films));
        l.select(row);
        const QString doomed = l.currentTitle();
        // The film that then stands in the current row: the one above, or the next after row 1.
        const QString next = kt::FromCp(std::string(l.w->filmList().Cell(row == 1 ? 2 : row - 1, 0)));
        l.t.dialogs.expectQuestion(AskedFor(doomed), Answer::Yes);
        l.w->FilmLoeschen->trigger();
        QVERIFY(!l.t.dialogs.pending());
        QCOMPARE(l.c().AnzFilm(), films - 1);
        const std::vector<std::string> listed = l.titles();
        QCOMPARE(int(listed.size()), films - 1);
        QVERIFY(std::find(listed.begin(), listed.end(), doomed.toStdString()) == listed.end());
        QCOMPARE(l.w->FilmStringGrid->currentRow(), currentAfter);
        QCOMPARE(l.currentTitle(), next);
        QCOMPARE(l.actTitle(), l.currentTitle());
        QVERIFY(!l.c().DataSaved);
        QVERIFY(l.w->Speichern1->isEnabled());
        QCOMPARE(l.w->statusPanelText(2), QStringLiteral("Anzahl Filme: %1/%1").arg(films - 1));
    }

    void onlyYesDeletes() {
        for (const Answer answer : {Answer::No, Answer::Cancel}) {
            ListWindow l(Numbered(3));
            l.select(2);
            l.t.dialogs.expectQuestion(AskedFor("Film 02"), answer);
            l.w->FilmLoeschen->trigger();
            QCOMPARE(l.c().AnzFilm(), 3);
            QVERIFY(l.c().DataSaved);
            QCOMPARE(l.w->FilmStringGrid->currentRow(), 2);
            QCOMPARE(l.t.dialogs.questionButtons.back(), kt::Buttons::YesNoCancel);
        }
    }

    // A film with films behind it leaves a hole; the last one on the tape gives its minutes to the rest.
    void theMinutesGoBackToTheCassette() {
        struct Case {
            const char* title;
            int row;
            int gap;
            int rest;
        };
        for (const Case k : {Case{"B", 2, 50, 90}, Case{"C", 3, 0, 130}, Case{"A", 1, 60, 90}}) {
            ListWindow l(ThreeOnATape);
            l.select(k.row);
            l.t.dialogs.expectQuestion(AskedFor(k.title), Answer::Yes);
            l.w->FilmLoeschen->trigger();
            QCOMPARE(int(l.c().Cassette(1).GapLength), k.gap);
            QCOMPARE(int(l.c().Cassette(1).RestLength), k.rest);
            QVERIFY(AllHold(l.c()));
            QCOMPARE(int(l.c().Cassette(2).RestLength), 180);
        }
    }

    // When the cassette cannot take the minutes back, nothing is deleted.
    void aRefusedBookingKeepsTheFilm() {
        ListWindow l([](kt::Collection& c) {
            c.appendCassette(Cas(1, 240, 0, 65500));
            AddFilm(c, Film("A", 1, 1, 100));
            AddFilm(c, Film("B", 1, 2, 100));
        });
        l.select(1);
        l.t.dialogs.expectQuestion(AskedFor("A"), Answer::Yes);
        l.t.dialogs.expect(Box::Error, "Die Lochlänge der Cassette 1");
        l.w->FilmLoeschen->trigger();
        QCOMPARE(l.c().AnzFilm(), 2);
        QCOMPARE(int(l.c().Cassette(1).GapLength), 65500);
        QVERIFY(l.c().DataSaved);
    }

    // After a rebuild ActFilm may still name another film: the one in the current row goes.
    void theFilmOfTheCurrentRowIsDeleted() {
        ListWindow l(Numbered(5));
        l.select(4);
        l.c().ActFilm = 1;
        l.t.dialogs.expectQuestion(AskedFor("Film 04"), Answer::Yes);
        l.w->FilmLoeschen->trigger();
        QCOMPARE(l.titles(), (std::vector<std::string>{"Film 01", "Film 02", "Film 03", "Film 05"}));
    }

    void withoutAListedFilm() {
        // No films at all: nothing happens.
        ListWindow none(Numbered(0));
        none.w->FilmLoeschen->trigger();
        // Films, but the current row is empty: the hint to the right command.
        ListWindow hidden(Numbered(2), kt::StVideo);
        hidden.t.dialogs.expect(Box::Error,
                                "Zum Neuanlegen eines Filmeintrags den Menüeintrag \"Film | Neu\" wählen.");
        hidden.w->FilmLoeschen->trigger();
        QCOMPARE(hidden.c().AnzFilm(), 2);
        // The last film goes without a complaint about the empty list.
        ListWindow one(Numbered(1));
        one.t.dialogs.expectQuestion(AskedFor("Film 01"), Answer::Yes);
        one.w->FilmLoeschen->trigger();
        QCOMPARE(one.c().AnzFilm(), 0);
        QCOMPARE(int(one.c().ActFilm), 0);
        QVERIFY(one.titles().empty());
    }

    // Ctrl+L, the answer, Ctrl+S: the file no longer holds the film and the cassette took its minutes.
    void deleteAndSaveFromTheKeyboard() {
        TempFolder dir;
        ListWindow l(ThreeOnATape);
        WriteDataFile(dir.file("Filme.VD6"), l.c().films(), l.c().cassettes());
        l.c().CurrentDataFile = dir.file("Filme.VD6");
        l.focus();
        l.select(2);
        l.t.dialogs.expectQuestion(AskedFor("B"), Answer::Yes);
        QTest::keyClick(l.w->FilmStringGrid, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!l.t.dialogs.pending());
        QCOMPARE(l.c().AnzFilm(), 2);
        QTRY_VERIFY(l.w->Speichern1->isEnabled());
        l.t.dialogs.expect(Box::Information, "wurde gesichert!");
        QTest::keyClick(l.w->FilmStringGrid, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!l.t.dialogs.pending());
        QVERIFY(l.c().DataSaved);

        kt::Collection back;
        std::string errorText;
        ScriptedDialogs ui;
        kt::NoProgress progress;
        QVERIFY(kt::Load_Video_Data(back, dir.file("Filme.VD6"), errorText, ui, progress));
        QCOMPARE(back.AnzFilm(), 2);
        QCOMPARE(back.Film(1).FilmName.Strng, std::string("A"));
        QCOMPARE(back.Film(2).FilmName.Strng, std::string("C"));
        QCOMPARE(int(back.Cassette(1).GapLength), 50);
        QVERIFY(AllHold(back));
    }
};

QTEST_MAIN(FilmDeletionTest)
#include "test_film_deletion.moc"
