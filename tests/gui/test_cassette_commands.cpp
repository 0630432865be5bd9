#include "../core/cassette_fixture.h"
#include "casseditor/cas_edit_dlg.h"
#include "casseditor/default_cas_length.h"
#include "casseditor/not_ok_cas_form.h"
#include "catalogue/col_arrange.h"
#include "gui_test.h"
#include "help/help_window.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using kt::Answer;
using kt::TKassotekMainWindow;
using namespace kt::test;

namespace {

// Cassettes 1 to 3; a video film on cassette 2 at position 4 and a DVD.
void Tapes(kt::Collection& c) {
    for (uint16_t nr = 1; nr <= 3; ++nr)
        c.appendCassette(Cas(nr, 240, nr == 2 ? 150 : 240));
    AddFilm(c, Film("Aufnahme", 2, 4, 90));
    AddFilm(c, Film("Scheibe", 0, 0, 100, kt::StDvd));
}

std::vector<int> Numbers(const kt::Collection& c) {
    std::vector<int> nrs;
    for (const kt::TCasRec& cas : c.cassettes())
        nrs.push_back(cas.Nr);
    return nrs;
}

// What the cassette editor was opened with, and how it is left.
struct Seen {
    bool shown = false;
    int mode = -1;
    int caller = -1;
    int commit = -1;
    int anzCas = 0;
    int col = -1;
    int row = -1;
    QString group;
};

// Acts on the cassette editor once it is shown: notes what it was opened with, then `leave`.
void WhenCasEditor(kt::AppContext& ctx, Seen& seen, std::function<void(kt::TCasEditDlg&)> leave) {
    WhenModal([&ctx, &seen, leave](QWidget* w) {
        auto* dlg = qobject_cast<kt::TCasEditDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Verwaltung der Videocassetten"));
        seen.shown = true;
        seen.mode = ctx.casChooser.Bearbeiten;
        seen.caller = ctx.casChooser.CasEditCaller;
        seen.commit = ctx.casChooser.CasCommitMode;
        seen.anzCas = ctx.collection.AnzCas();
        seen.col = dlg->SelectedCol();
        seen.row = dlg->SelectedRow();
        seen.group = dlg->findChild<QGroupBox*>(QStringLiteral("CasEditGroupBox"))->title();
        leave(*dlg);
    });
}

void Ok(kt::TCasEditDlg& d) {
    ClickButton(&d, QStringLiteral("OK"));
}
void Cancel(kt::TCasEditDlg& d) {
    ClickButton(&d, QStringLiteral("Abbruch"));
}
void Escape(kt::TCasEditDlg& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
}

} // namespace

class CassetteCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void newCassetteConfirmed() {
        ListWindow l(Tapes);
        l.c().DataSaved = true;
        l.t.ctx.settings.CasSort = 2;
        QSignalSpy rebuilds(l.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
        Seen seen;
        WhenCasEditor(l.t.ctx, seen, [](kt::TCasEditDlg& d) {
            auto* box = d.findChild<QComboBox*>(QStringLiteral("TotalLengthComboBox"));
            box->setCurrentIndex(box->findText(QStringLiteral("180")));
            d.TotalLengthComboBoxChange();
            Ok(d);
        });
        l.focus();
        QTest::keyClick(l.w.get(), Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(seen.shown);
        QCOMPARE(seen.mode, 5);
        QCOMPARE(seen.caller, 0);
        QCOMPARE(seen.commit, 1);
        QCOMPARE(seen.anzCas, 4);
        QCOMPARE(seen.group, QStringLiteral(" Cassette neu anlegen "));
        QCOMPARE(l.t.ctx.settings.CasSort, 0);
        QCOMPARE(Numbers(l.c()), (std::vector<int>{1, 2, 3, 4}));
        QCOMPARE(l.c().Cassette(4), Cas(4, 180, 180));
        QCOMPARE(l.t.ctx.casChooser.CasEditResult, 1);
        QCOMPARE(l.t.ctx.Bearbeiten, 0);
        QCOMPARE(rebuilds.count(), 1);
        QCOMPARE(l.w->statusPanelText(3), QStringLiteral("Anzahl Cassetten: 4"));
        QVERIFY(!l.c().DataSaved);
        QVERIFY(l.w->Speichern1->isEnabled());
    }

    // Leaving without OK takes back the cassette made for the dialog, and only that one.
    void newCassetteCancelled() {
        using Leave = void (*)(kt::TCasEditDlg&);
        for (const Leave leave : {Leave(Cancel), Leave(Escape)}) {
            ListWindow l(Tapes);
            QSignalSpy rebuilds(l.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
            Seen seen;
            WhenCasEditor(l.t.ctx, seen, leave);
            QTest::mouseClick(l.w->NewCasSpeedButton, Qt::LeftButton);
            QCOMPARE(seen.anzCas, 4);
            QCOMPARE(Numbers(l.c()), (std::vector<int>{1, 2, 3}));
            QCOMPARE(l.c().Cassette(3), Cas(3, 240, 240));
            QCOMPARE(l.t.ctx.casChooser.CasEditResult, 2);
            QCOMPARE(l.t.ctx.Bearbeiten, 0);
            QCOMPARE(rebuilds.count(), 0);
            QVERIFY(l.c().DataSaved);
        }
        // No cassette table yet: the one the dialog made goes again.
        ListWindow empty([](kt::Collection&) {});
        Seen seen;
        WhenCasEditor(empty.t.ctx, seen, Escape);
        empty.w->CassetteNeuanlegen->trigger();
        QCOMPARE(seen.anzCas, 1);
        QCOMPARE(empty.c().AnzCas(), 0);
    }

    // When the editor cannot append a cassette it opens nothing, and no existing cassette goes.
    void newCassetteAtTheLimitRemovesNothing() {
        ListWindow l([](kt::Collection& c) {
            for (int nr = 1; nr <= kt::MaxCassettes; ++nr)
                c.appendCassette(Cas(static_cast<uint16_t>(nr), 240, 240));
        });
        l.t.dialogs.expect(Box::Error,
                           "Fehler beim Laden: Maximale Anzahl Cassetten pro Datei (5000) erreicht.");
        l.w->CassetteNeuanlegen->trigger();
        QVERIFY(!l.t.dialogs.pending());
        QCOMPARE(l.c().AnzCas(), kt::MaxCassettes);
        QCOMPARE(int(l.c().Cassette(kt::MaxCassettes).Nr), kt::MaxCassettes);
        QCOMPARE(l.t.ctx.Bearbeiten, 0);
    }

    // The menu opens the editor to look (or to edit with AllowCasEdit); the list is rebuilt after
    // the results 1, 4 and 6 only.
    void editorFromTheMenu() {
        struct Case {
            bool allowEdit;
            bool ok;
            int mode;
            int result;
            int rebuilds;
        };
        const Case cases[] = {
            {false, true, 0, 1, 1},
            {false, false, 0, 2, 0},
            {true, true, 1, 4, 1}, // OK in mode 1 without a position column chosen
            {true, false, 1, 2, 0},
        };
        for (const Case& k : cases) {
            ListWindow l(Tapes);
            l.t.ctx.settings.AllowCasEdit = k.allowEdit;
            l.select(1, 2);
            QSignalSpy rebuilds(l.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
            Seen seen;
            WhenCasEditor(l.t.ctx, seen, k.ok ? Ok : Cancel);
            l.w->CassetteBearbeiten->trigger();
            QCOMPARE(seen.mode, k.mode);
            QCOMPARE(seen.caller, 2);
            QCOMPARE(seen.commit, 0);
            QCOMPARE(l.t.ctx.casChooser.CasEditResult, k.result);
            QCOMPARE(rebuilds.count(), k.rebuilds);
            QCOMPARE(l.t.ctx.Bearbeiten, 0);
            QCOMPARE(l.c().AnzCas(), 3);
        }
        // The tool button is the same command.
        ListWindow l(Tapes);
        Seen seen;
        WhenCasEditor(l.t.ctx, seen, Cancel);
        QTest::mouseClick(l.w->CasBearbSpeedButton, Qt::LeftButton);
        QVERIFY(seen.shown);
    }

    // A double click on the number or position cell of a video film opens the cassette editor on
    // the film's cassette; the position column asks for a position (unless cassettes are editable).
    void doubleClickOpensTheEditorOnTheFilmsCassette() {
        struct Case {
            int column;
            bool allowEdit;
            int mode;
            int selectedCol;
        };
        const Case cases[] = {
            {kt::ColCasNr, false, 1, 1},
            {kt::ColPos, false, 6, 4 + 4},
            {kt::ColCasNr, true, 1, 1},
            {kt::ColPos, true, 1, 1},
        };
        for (const Case& k : cases) {
            ListWindow l(Tapes);
            l.t.ctx.settings.AllowCasEdit = k.allowEdit;
            l.select(1, k.column);
            QCOMPARE(l.currentTitle(), QStringLiteral("Aufnahme"));
            Seen seen;
            WhenCasEditor(l.t.ctx, seen, Cancel);
            const QRect cell =
                l.w->FilmStringGrid->visualRect(l.w->FilmStringGrid->model()->index(0, k.column));
            QTest::mouseDClick(l.w->FilmStringGrid->viewport(), Qt::LeftButton, {}, cell.center());
            QVERIFY(seen.shown);
            QCOMPARE(seen.mode, k.mode);
            QCOMPARE(seen.caller, k.column);
            QCOMPARE(seen.row, 2); // cassette 2 in the list sorted by number
            QCOMPARE(seen.col, k.selectedCol);
            QCOMPARE(l.t.ctx.Bearbeiten, 0);
        }
    }

    // A double click on a film in the cassette editor of the menu shows the film in the film editor,
    // for looking only; afterwards the mode is the cassette editor's again.
    void editorFromTheMenuShowsAFilm() {
        ListWindow l(Tapes);
        Seen seen;
        QString caption;
        int modeDuring = -1;
        WhenCasEditor(l.t.ctx, seen, [&](kt::TCasEditDlg& d) {
            WhenModal([&](QWidget* film) {
                caption = film->windowTitle();
                modeDuring = l.t.ctx.Bearbeiten;
                QTest::keyClick(film, Qt::Key_Escape);
            });
            d.CasEditDlgStringGridDblClick(4 + 4, 2); // "Aufnahme" at position 4 of cassette 2
            QCOMPARE(l.t.ctx.Bearbeiten, 0);
            Cancel(d);
        });
        l.w->CassetteBearbeiten->trigger();
        QVERIFY(seen.shown);
        QVERIFY2(caption.endsWith(QStringLiteral(" - Ansehen")), qPrintable(caption));
        QCOMPARE(modeDuring, 3);
        QCOMPARE(l.c().AnzFilm(), 2);
    }

    void checkWindowOnlyWithFindings() {
        // Cassette 3 is off by 40 minutes.
        ListWindow bad([](kt::Collection& c) {
            Tapes(c);
            c.Cassette(3).RestLength = 200;
        });
        bool listed = false;
        WhenModal([&](QWidget* w) {
            auto* form = qobject_cast<kt::TNotOKCasForm*>(w);
            QVERIFY(form);
            auto* list = form->findChild<QListWidget*>(QStringLiteral("NotOKCasListBox"));
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->item(0)->text(), QStringLiteral("   3"));
            listed = true;
            // Its help is the cassette menu's.
            ClickButton(form, QStringLiteral("Hilfe"));
            QVERIFY(kt::HelpWindow::Instance());
            QCOMPARE(kt::HelpWindow::Instance()->browser()->source().fileName(), QStringLiteral("409.html"));
            ClickButton(form, QStringLiteral("Ende"));
        });
        QTest::mouseClick(bad.w->CasCheckSpeedButton, Qt::LeftButton);
        QVERIFY(listed);
        delete kt::HelpWindow::Instance();

        ListWindow good(Tapes);
        good.t.dialogs.expect(
            Box::Notice,
            "Überprüfung der Cassettendaten durchgeführt!\r\nKeine unstimmigen Cassettendaten gefunden!");
        good.w->Ueberpruefen->trigger();
        QVERIFY(!good.t.dialogs.pending());
    }

    // The start runs the same check: findings are listed, the all-clear is not said.
    void startUpCheck() {
        ListWindow good(Tapes);
        good.w->Tag = TKassotekMainWindow::TagFirstActivation;
        good.w->InitFilmStringGrid();
        QVERIFY(good.t.dialogs.shown.empty());

        ListWindow bad([](kt::Collection& c) {
            Tapes(c);
            c.Cassette(1).GapLength = 5;
        });
        bad.w->Tag = TKassotekMainWindow::TagFirstActivation;
        bool listed = false;
        WhenModal([&](QWidget* w) {
            QVERIFY(qobject_cast<kt::TNotOKCasForm*>(w));
            listed = true;
            ClickButton(w, QStringLiteral("Ende"));
        });
        bad.w->InitFilmStringGrid();
        QVERIFY(listed);
    }

    void restorationOnlyWithTheSwitch() {
        ListWindow l([](kt::Collection& c) {
            AddFilm(c, Film("A", 3, 1, 100));
            AddFilm(c, Film("B", 3, 2, 90));
        });
        QVERIFY(!l.w->RestaurierungderCassettendaten->isVisible());
        // Switched off, the command does nothing at all.
        l.w->RestaurierungderCassettendatenClick();
        QCOMPARE(l.c().AnzCas(), 0);

        l.t.ctx.settings.AllowCasRestore = true;
        l.w->AdjustToProgramOptions();
        QVERIFY(l.w->RestaurierungderCassettendaten->isVisible());
        QVERIFY(l.w->RestaurierungderCassettendaten->isEnabled());
        QVERIFY(l.w->RestaurierungSeparator->isVisible());

        QSignalSpy rebuilds(l.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
        l.t.dialogs.expectQuestion("Wollen Sie die Restaurierungsfunktion jetzt wirklich ausführen??",
                                   Answer::Yes);
        WhenModal([](QWidget* w) {
            QVERIFY(qobject_cast<kt::TForm_DefaultCasLength*>(w));
            ClickButton(w, QStringLiteral("Voreinstellung nicht benutzen"));
        });
        l.w->RestaurierungderCassettendaten->trigger();
        QCOMPARE(Numbers(l.c()), (std::vector<int>{1, 2, 3}));
        QCOMPARE(l.c().Cassette(3), Cas(3, 240, 50));
        QVERIFY(AllHold(l.c()));
        QCOMPARE(rebuilds.count(), 1);
        QCOMPARE(l.w->statusPanelText(3), QStringLiteral("Anzahl Cassetten: 3"));

        // Answered No: nothing changes and nothing is rebuilt.
        l.t.dialogs.expectQuestion("Restaurierungsfunktion", Answer::No);
        l.w->RestaurierungderCassettendaten->trigger();
        QCOMPARE(rebuilds.count(), 1);

        l.t.ctx.settings.AllowCasRestore = false;
        l.w->AdjustToProgramOptions();
        QVERIFY(!l.w->RestaurierungderCassettendaten->isVisible());
        QVERIFY(!l.w->RestaurierungSeparator->isVisible());
    }
};

QTEST_MAIN(CassetteCommandsTest)
#include "test_cassette_commands.moc"
