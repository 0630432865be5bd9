#include "film_editor_fixture.h"

#include "casseditor/cas_edit_dlg.h"
#include "filmlist/film_list.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "persistence/film_data_file.h"
#include "temp_folder.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace kt;
using namespace kt::test;
using Dlg = TFilmEigenschaftenDlg;

namespace {

// A main window over a few films, with a fake cassette chooser.
struct Window {
    EditorContext e;
    std::unique_ptr<TKassotekMainWindow> w;

    explicit Window(const std::vector<TFilmV26>& films) {
        for (TFilmV26 f : films) {
            f.FilmNr = e.c.AnzFilm() + 1;
            e.c.appendFilm(f);
        }
        w = std::make_unique<TKassotekMainWindow>(e.t.ctx);
        w->resize(1100, 600);
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        w->SetAusgabeData();
    }
    std::vector<std::string> titles() const { return ListedTitles(w->filmList()); }
    QString currentTitle() const {
        return FromCp(std::string(w->filmList().Cell(w->FilmStringGrid->currentRow(), 0)));
    }
    void selectTitle(const std::string& title) {
        for (int row = 1; row < w->filmList().RowCount(); ++row)
            if (std::string(w->filmList().Cell(row, 0)) == ToCp1252(title))
                w->FilmStringGrid->setCurrentCell(row, 0);
        QVERIFY(w->GetCurrentFilm());
    }
};

// The offscreen platform does not give the activation back to a dialog when a dialog on top of
// it closes; a desktop does.
void BackTo(QWidget* dlg) {
    dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg));
}

// Types into whatever has the focus, as the keyboard does.
void Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}
void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
}

std::vector<TFilmV26> ThreeDiscs() {
    return {MakeFilm("Casablanca", StDvd), MakeFilm("Metropolis", StDvd), MakeFilm("Nosferatu", StDvd)};
}

} // namespace

class FilmEditorCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void newFilmJoinsTheListAndBecomesCurrent() {
        Window win(ThreeDiscs());
        win.e.t.ctx.settings.LastStorageType = StDvd;
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->ComboBoxSpeichermedium->currentText(), QStringLiteral("DVD"));
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Der dritte Mann"));
            QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(win.w->NewFilmSpeedButton, Qt::LeftButton);
        QCOMPARE(win.titles(),
                 (std::vector<std::string>{"Casablanca", "Der dritte Mann", "Metropolis", "Nosferatu"}));
        QCOMPARE(win.currentTitle(), QStringLiteral("Der dritte Mann"));
        QCOMPARE(int(win.e.c.ActFilm), 4);
        QVERIFY(!win.e.c.DataSaved);
        QCOMPARE(win.e.t.ctx.Bearbeiten, 0);
    }

    void newMediumReachesTheSelector() {
        Window win(ThreeDiscs());
        win.e.t.dialogs.expectQuestion("Das Speichermedium \"Blu-ray\" ist noch nicht bekannt.", Answer::Yes);
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Hochauflösend"));
            dlg->ComboBoxSpeichermedium->setEditText(QStringLiteral("Blu-ray"));
            dlg->OKBtnClick();
        });
        win.w->FilmNeueingeben->trigger();
        QCOMPARE(win.w->CheckedComboBoxShowStorageType->Items().size(), 7);
        QVERIFY(win.w->CheckedComboBoxShowStorageType->IsItemChecked(6));
        QCOMPARE(win.titles().size(), std::size_t(4));
    }

    void cancelledNewFilmChangesNothing() {
        Window win(ThreeDiscs());
        win.selectTitle("Metropolis");
        QSignalSpy resets(win.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
        WhenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QTest::keyClick(win.w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(int(win.e.c.ActFilm), 2);
        QVERIFY(win.e.c.DataSaved);
    }

    void editRebuildsOnlyWhenTheSortEntryChanges() {
        Window win(ThreeDiscs());
        QCOMPARE(int(win.e.t.ctx.settings.FilmSort), 0);
        QAbstractItemModel* model = win.w->FilmStringGrid->model();
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy rows(model, &QAbstractItemModel::dataChanged);

        win.selectTitle("Casablanca");
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Kassotek: Film bearbeiten "));
            dlg->BemerkungMemo->setPlainText(QStringLiteral("Nur eine Bemerkung"));
            dlg->OKBtnClick();
        });
        win.w->FilmBearbeiten->trigger();
        QCOMPARE(resets.count(), 0);
        QVERIFY(rows.count() > 0);
        QCOMPARE(win.e.c.Film(1).Remark.Strng, std::string("Nur eine Bemerkung"));

        // A new title moves the film in a list sorted by title: rebuilt, and the film stays current.
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            dlg->ComboBoxFilmName->setEditText(QStringLiteral("Zoro"));
            dlg->OKBtnClick();
        });
        win.w->FilmBearbeiten->trigger();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(win.titles(), (std::vector<std::string>{"Metropolis", "Nosferatu", "Zoro"}));
        QCOMPARE(win.currentTitle(), QStringLiteral("Zoro"));
    }

    void editToAMediumNotShownSaysSo() {
        Window win(ThreeDiscs());
        win.selectTitle("Metropolis");
        win.e.t.ctx.settings.StorageTypeShow = StDvd | StVideo;
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            dlg->ComboBoxSpeichermedium->setCurrentIndex(3); // VCD
            dlg->OKBtnClick();
        });
        win.e.t.dialogs.expect(Box::Information,
                               "HINWEIS:\r\n\r\nDas Speichermedium von \"Metropolis\" (VCD) ist "
                               "NICHT zur Anzeige aktiviert!\r\nDas bedeutet, dass der Film z.Zt. "
                               "NICHT hier in der Haupt-Liste angezeigt wird.");
        win.w->FilmBearbeiten->trigger();
        QCOMPARE(win.titles(), (std::vector<std::string>{"Casablanca", "Nosferatu"}));
    }

    void doubleClickEditsWithTheFocusOnTheColumn() {
        Window win(ThreeDiscs());
        const int column = ColumnOfEntry(win.e.t.ctx.colArrange, ColDirector);
        win.w->FilmStringGrid->setCurrentCell(2, column);
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QCOMPARE(dlg->PageControl1->currentWidget(), dlg->TabSheetFilm);
            QTRY_VERIFY(HasFocus(dlg->DirectorEdit));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        win.w->FilmStringGridDblClick();
        QCOMPARE(int(win.e.c.ActFilm), 2);
    }

    // A new recording: keyboard and mouse through the editor and the cassette editor's two choices,
    // then saved and read back.
    void roadOfANewFilmOnAVideoCassette() {
        TempFolder dir;
        TestContext t;
        Collection& c = t.ctx.collection;
        c.appendCassette(Cas(1, 240, 50));
        c.appendCassette(Cas(2, 240, 120));
        PutFilm(c, "Alte Aufnahme", StVideo, 1, 1, 190);
        PutFilm(c, "Der lange Abend", StVideo, 2, 1, 120);
        TKassotekMainWindow w(t.ctx);
        auto files = std::make_unique<ScriptedFileDialogs>();
        files->saveAnswer(DataFileChoice{QString::fromStdString(dir.file("Filme.VD6")), 7});
        w.setFileDialogs(std::move(files));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.SetAusgabeData();

        WhenModalOf<Dlg>([&](Dlg* dlg) {
            QTRY_VERIFY(HasFocus(dlg->ComboBoxFilmName));
            Type(QStringLiteral("Zum Schluss"));
            Press(Qt::Key_Return); // to the medium, which stays "Video-Cassette"
            Press(Qt::Key_Return); // to the length
            QVERIFY(HasFocus(dlg->FilmLengthMaskEdit));
            Type(QStringLiteral("100"));
            Press(Qt::Key_Return);
            Type(QStringLiteral("92"));
            WhenModalOf<TCasEditDlg>([](TCasEditDlg* cas) {
                QCOMPARE(cas->SelectedRow(), 2); // the first cassette with room
                QTest::mouseClick(cas->findChild<QAbstractButton*>(QStringLiteral("OkBtn")), Qt::LeftButton);
            });
            QTest::mouseClick(dlg->CasNrBtn, Qt::LeftButton);
            QCOMPARE(dlg->CasNrMaskEdit->text(), QStringLiteral("2"));
            QVERIFY(dlg->WerbungCheckBox->isChecked()); // 100 minutes with, 92 without advertising
            BackTo(dlg);
            QVERIFY(HasFocus(dlg->PosOnCasBtn));
            WhenModalOf<TCasEditDlg>([](TCasEditDlg* cas) {
                QCOMPARE(cas->SelectedCol(), 6); // behind the film at position 1
                QTest::keyClick(cas->findChild<QAbstractButton*>(QStringLiteral("OkBtn")), Qt::Key_Space);
            });
            Press(Qt::Key_Return); // presses the focused position button
            QCOMPARE(dlg->PosOnCasMaskEdit->text(), QStringLiteral("2"));
            BackTo(dlg);
            QVERIFY(HasFocus(dlg->AufzeichnungsDateTimePicker));
            Press(Qt::Key_E, Qt::AltModifier); // "&Eintragungen in die Datenbank übernehmen"
        });
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);

        QCOMPARE(c.AnzFilm(), 3);
        QCOMPARE(c.Film(3).NetLength, 92);
        QVERIFY(c.Film(3).Commercials);
        QCOMPARE(c.Cassette(2).RestLength, int16_t(20)); // booked at once
        QCOMPARE(ListedTitles(w.filmList()).size(), std::size_t(3));
        QVERIFY(!c.DataSaved);

        BackTo(&w);
        t.dialogs.expect(Box::Information, "Filme.VD6 wurde gesichert!");
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(c.DataSaved);
        Collection back;
        std::string errorText;
        SilentDialogs quiet;
        NoProgress progress;
        QVERIFY(Load_Video_Data(back, dir.file("Filme.VD6"), errorText, quiet, progress));
        QCOMPARE(back.AnzFilm(), 3);
        QCOMPARE(FromCp(back.Film(3).FilmName.Strng), QStringLiteral("Zum Schluss"));
        QCOMPARE(back.Film(3).CasNr, 2);
        QCOMPARE(back.Film(3).PosOnCas, 2);
        QCOMPARE(back.Cassette(2).RestLength, int16_t(20));
    }

    void viewCommandStoresNothing() {
        Window win(ThreeDiscs());
        win.selectTitle("Nosferatu");
        const std::vector<TFilmV26> films = win.e.c.films();
        QSignalSpy resets(win.w->FilmStringGrid->model(), &QAbstractItemModel::modelReset);
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<Dlg*>(w);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Kassotek: Film ansehen "));
            QVERIFY(!dlg->ComboBoxSpeichermedium->isEnabled());
            dlg->OKBtn->click();
        });
        win.w->FilmAnsehen->trigger();
        QCOMPARE(win.e.c.films(), films);
        QCOMPARE(resets.count(), 0);
        QVERIFY(win.e.c.DataSaved);
    }
};

QTEST_MAIN(FilmEditorCommandsTest)
#include "test_film_editor_commands.moc"
