#include "dialogs/about_form.h"
#include "gui_test.h"
#include "help/help_window.h"
#include "main_window_support.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "settings/config_file.h"
#include "text/helpers.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using kt::TKassotekMainWindow;
using namespace kt::test;

namespace {

QString Plain(QString s) {
    return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A main window on a fresh test context.
struct Shell {
    TestContext t;
    TKassotekMainWindow w{t.ctx};
    Shell() {
        w.resize(1100, 700);
        w.show();
    }
    template <class T> T* find(const char* name) { return w.findChild<T*>(QLatin1String(name)); }
};

QStringList Captions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }
    void cleanup() {
        if (kt::HelpWindow* help = kt::HelpWindow::Instance())
            delete help;
    }

    void windowBasics() {
        Shell s;
        QCOMPARE(s.w.windowTitle(), QStringLiteral("Jorvald's Kassotek"));
        QCOMPARE(s.w.minimumSize(), QSize(426, 210));
        QCOMPARE(s.find<QGroupBox>("FilmListeGroupBox")->title(), QStringLiteral(" Film&liste "));
        QVERIFY(s.find<QTableView>("FilmStringGrid"));
        QVERIFY(s.find<QWidget>("SpeedbuttonPanel"));
        QVERIFY(s.find<QStatusBar>("StatusBar1"));
    }

    void menuItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        const char* rows[][3] = {
            {"Neu1", "&Neu", ""},
            {"Oeffnen1", "Ö&ffnen...", ""},
            {"Speichern1", "&Speichern", "Ctrl+S"},
            {"Speichernunter1", "Speichern &unter...", ""},
            {"ImportierenausTXTDatei1", "Importieren aus TXT-Datei", ""},
            {"ImportierenausExcel1", "Importieren aus Excel", ""},
            {"ExportierennachExcel1", "... in eine E&xcel-Datei", ""},
            {"inTextdateiMI", "... in eine &Textdatei", ""},
            {"MInuraktuelleSpalteineineTextdateiexportieren", "... nur aktuelle &Spalte in eine Textdatei",
             ""},
            {"Drucken1", "&Drucken...", ""},
            {"Druckereinrichtung1", "Drucker&einrichtung...", ""},
            {"Beenden1", "&Beenden", ""},
            {"FilmnameMI", "Film&name", ""},
            {"FilmlaengeMI", "Film&länge", ""},
            {"CassettenNummerMI", "Cassetten-&Nummer", ""},
            {"KategorieMI", "&Kategorie", ""},
            {"HerstellungslandMI", "&Herstellungsland", ""},
            {"HerstellungsjahrMI", "Herstellungs&jahr", ""},
            {"unsortiertMI", "&unsortiert", ""},
            {"Statistik1", "&Statistik", ""},
            {"FilmNeueingeben", "&Neu eingeben", "Ctrl+N"},
            {"FilmBearbeiten", "&Bearbeiten", ""},
            {"FilmAnsehen", "&Ansehen", ""},
            {"FilmLoeschen", "&Löschen", "Ctrl+L"},
            {"CassetteNeuanlegen", "&Neu anlegen", "Ctrl+Alt+N"},
            {"CassetteBearbeiten", "&Bearbeiten", ""},
            {"Ueberpruefen", "Über&prüfung", ""},
            {"RestaurierungderCassettendaten", "&Restaurierung der Cassettendaten", ""},
            {"OptionenProgramm", "allgemeine &Programmoptionen", "Ctrl+O"},
            {"Filtern_Suchen_und_Sortieren", "&Filtern und suchen", "Ctrl+F"},
            {"ErsetzenMI", "&Ersetzen", "Ctrl+H"},
            {"Notizblock1", "&Notizblock öffnen", ""},
            {"HilfeF1", "&Hilfe  -  F1", ""},
            {"Inhaltsuebersicht1", "Inhalts&übersicht der Hilfe", ""},
            {"Schnelleinstieg1", "&Schnelleinstieg", ""},
            {"Homepage1", "Home&page von Kassotek besuchen", ""},
            {"OptionenInfo", "&Info über Kassotek", ""},
            {"KategorieNeu1", "&Neu", ""},
            {"KategorieBearbeiten1", "&Bearbeiten", ""},
            {"KategorieLoeschen1", "&Löschen", ""},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[0]) << QString::fromUtf8(r[1]) << QString(r[2]);
    }
    void menuItems() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        Shell s;
        auto* item = s.w.findChild<QAction*>(name);
        QVERIFY2(item, qPrintable(name));
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
    }

    void menuBarAndMenuOrder() {
        Shell s;
        QStringList bar;
        for (QAction* a : s.w.menuBar()->actions())
            if (a->isVisible())
                bar << a->text();
        QCOMPARE(bar, (QStringList{"&Datei", "&Anzeigen", "&Film", "&Cassette", "&Extras", "Hilfe"}));
        // Twelve fixed entries up to "&Beenden"; the recent files come behind them.
        const QStringList file = Captions(s.find<QMenu>("Datei1"));
        QCOMPARE(file.size(), 12);
        QCOMPARE(file.first(), QStringLiteral("&Neu"));
        QCOMPARE(file.last(), QStringLiteral("&Beenden"));
        QCOMPARE(s.find<QMenu>("ImportierenvonDaten1")->title(), QStringLiteral("Importieren von Daten ..."));
        QCOMPARE(s.find<QMenu>("ExportierenderangezeigtenDaten1")->title(),
                 QStringLiteral("Exportieren der angezeigten Daten ..."));
        QCOMPARE(s.find<QMenu>("Sortierennach1")->title(), QStringLiteral("S&ortieren nach ... "));
        QCOMPARE(Captions(s.find<QMenu>("Sortierennach1")).size(), 7);
    }

    void hiddenAndDisabledEntries() {
        Shell s;
        QVERIFY(s.w.ImportierenausTXTDatei1->isEnabled());
        QVERIFY(!s.w.Speichern1->isEnabled());
        QVERIFY(!s.w.SaveFileSpeedButton->isEnabled());
        QVERIFY(!s.w.RestaurierungderCassettendaten->isVisible());
        QVERIFY(!s.w.RestaurierungderCassettendaten->isEnabled());
        QVERIFY(!s.w.RestaurierungSeparator->isVisible());
        QVERIFY(!s.w.Anzeigenvon1->menuAction()->isVisible());
        QVERIFY(!s.w.Anzeigenvon1->menuAction()->isEnabled());
        QVERIFY(!s.w.Kategorie1->menuAction()->isVisible());
        QCOMPARE(Captions(s.w.Kategorie1), (QStringList{"&Neu", "&Bearbeiten", "&Löschen"}));

        TestContext t;
        t.ctx.settings.AllowCasRestore = true;
        TKassotekMainWindow w(t.ctx);
        QVERIFY(w.RestaurierungderCassettendaten->isVisible());
        QVERIFY(w.RestaurierungSeparator->isVisible());
    }

    void toolbarButtons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        const char* rows[][2] = {
            {"CloseSpeedButton", "Kassotek beenden"},
            {"NewFileSpeedButton", "neue Film- und Cassettendatei anlegen"},
            {"OpenFileSpeedButton", "Film- und Cassettendatei öffnen"},
            {"SaveFileSpeedButton", "Film- und Cassettendatei speichern"},
            {"PrintSpeedButton", "aktuelle Filmliste drucken"},
            {"PrinterSetupSpeedButton", "Drucker-Setup"},
            {"NewFilmSpeedButton", "neuen Film eingeben"},
            {"NewCasSpeedButton", "neue Cassette anlegen"},
            {"CasBearbSpeedButton", "Cassetten bearbeiten"},
            {"CasCheckSpeedButton", "Cassetteneinträge auf Intervalleinhaltung überprüfen"},
            {"FilterSuchSpeedButton", "\"Film filtern, suchen und ersetzen\"-Dialog"},
            {"ProgOptionSpeedButton", "Kassotek-Programmoptionen"},
            {"NotepadSpeedButton", "Notizblock öffnen"},
            {"SpeedButtonStatistik", "Statistiken anzeigen"},
            {"NameSortSpeedButton", "sortieren nach Filmtiteln"},
            {"LengthSortSpeedButton", "sortieren nach Filmlänge"},
            {"CasNrSortSpeedButton",
             "sortieren nach Cassettennummer\r\n(bitte, beachten den zusätzlichen Parameter\r\n"
             "in \"Optionen, Anzeige allgemein\" beachten)"},
            {"CategorySortSpeedButton", "sortieren nach Kategorie"},
            {"CountrySortSpeedButton", "sortieren nach Herkunftsland"},
            {"YearSortSpeedButton", "sortieren nach Herstellungsjahr"},
            {"UnsortedSpeedButton", "unsortiert = in der Eingabereihenfolge"},
            {"AboutSpeedButton", "Info über Kassotek"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[0]) << QString::fromUtf8(r[1]);
    }
    void toolbarButtons() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        Shell s;
        auto* button = s.w.findChild<QToolButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->toolTip(), Plain(hint));
        QVERIFY(button->autoRaise());
        QVERIFY(!button->icon().isNull());
    }

    void toolbarOrderAndTwoRows() {
        Shell s;
        const QList<QWidget*> order = {
            s.w.CloseSpeedButton,        s.w.NewFileSpeedButton,     s.w.OpenFileSpeedButton,
            s.w.SaveFileSpeedButton,     s.w.PrintSpeedButton,       s.w.PrinterSetupSpeedButton,
            s.w.NewFilmSpeedButton,      s.w.NewCasSpeedButton,      s.w.CasBearbSpeedButton,
            s.w.CasCheckSpeedButton,     s.w.FilterSuchSpeedButton,  s.w.ProgOptionSpeedButton,
            s.w.NotepadSpeedButton,      s.w.SpeedButtonStatistik,   s.w.CheckedComboBoxShowStorageType,
            s.w.NameSortSpeedButton,     s.w.LengthSortSpeedButton,  s.w.CasNrSortSpeedButton,
            s.w.CategorySortSpeedButton, s.w.CountrySortSpeedButton, s.w.YearSortSpeedButton,
            s.w.UnsortedSpeedButton,     s.w.AboutSpeedButton};
        auto x = [&](QWidget* w) { return w->mapTo(s.w.SpeedbuttonPanel, QPoint(0, 0)); };
        QTRY_VERIFY(!s.w.twoRowToolbar());
        for (int i = 1; i < order.size(); ++i)
            QVERIFY2(x(order[i]).x() > x(order[i - 1]).x(), qPrintable(order[i]->objectName()));
        QCOMPARE(s.w.SpeedbuttonPanel->height(), 32);
        // The right group sits at the right end of the single row.
        QVERIFY(s.w.SpeedbuttonPanel->width() -
                    (x(s.w.AboutSpeedButton).x() + s.w.AboutSpeedButton->width()) <
                10);

        s.w.resize(700, 500);
        QTRY_VERIFY(s.w.twoRowToolbar());
        QCOMPARE(s.w.SpeedbuttonPanel->height(), 66);
        QTRY_VERIFY(x(s.w.CheckedComboBoxShowStorageType).y() > x(s.w.CloseSpeedButton).y() + 20);
        QVERIFY(x(s.w.CheckedComboBoxShowStorageType).x() < 10);
        QVERIFY(x(s.w.AboutSpeedButton).y() > x(s.w.CloseSpeedButton).y() + 20);
        QVERIFY(x(s.w.SpeedButtonStatistik).y() == x(s.w.CloseSpeedButton).y());

        s.w.resize(1000, 500);
        QTRY_VERIFY(!s.w.twoRowToolbar());
        QCOMPARE(s.w.SpeedbuttonPanel->height(), 32);
        QTRY_COMPARE(x(s.w.AboutSpeedButton).y(), x(s.w.CloseSpeedButton).y());
    }

    void sortButtonsAndItemsKeepInStep() {
        Shell s;
        auto buttons = s.w.sortButtons();
        auto items = s.w.sortItems();
        QVERIFY(buttons[0]->isChecked() && items[0]->isChecked());
        QTest::mouseClick(s.w.LengthSortSpeedButton, Qt::LeftButton);
        QCOMPARE(int(s.t.ctx.settings.FilmSort), 1);
        QVERIFY(s.w.FilmlaengeMI->isChecked());
        s.w.unsortiertMI->trigger();
        QCOMPARE(int(s.t.ctx.settings.FilmSort), 6);
        QVERIFY(s.w.UnsortedSpeedButton->isChecked());
        // The active order's button cannot be raised by clicking it.
        QTest::mouseClick(s.w.UnsortedSpeedButton, Qt::LeftButton);
        QVERIFY(s.w.UnsortedSpeedButton->isChecked());
        QCOMPARE(int(s.t.ctx.settings.FilmSort), 6);
        for (int i = 0; i < TKassotekMainWindow::SortOrders; ++i) {
            QCOMPARE(buttons[size_t(i)]->isChecked(), i == 6);
            QCOMPARE(items[size_t(i)]->isChecked(), i == 6);
        }

        TestContext t;
        t.ctx.settings.FilmSort = 4;
        TKassotekMainWindow w(t.ctx);
        QVERIFY(w.CountrySortSpeedButton->isChecked() && w.HerstellungslandMI->isChecked());
    }

    // Only a change of the order rebuilds the list.
    void theActiveOrderIsNotRebuilt() {
        Shell s;
        QSignalSpy rebuilds(s.w.FilmStringGrid->model(), &QAbstractItemModel::modelReset);
        QTest::mouseClick(s.w.NameSortSpeedButton, Qt::LeftButton);
        s.w.FilmnameMI->trigger();
        s.w.SetFilmSort(0);
        QCOMPARE(rebuilds.count(), 0);
        QTest::mouseClick(s.w.YearSortSpeedButton, Qt::LeftButton);
        QCOMPARE(rebuilds.count(), 1);
        s.w.HerstellungsjahrMI->trigger();
        QTest::mouseClick(s.w.YearSortSpeedButton, Qt::LeftButton);
        QCOMPARE(rebuilds.count(), 1);
        s.w.KategorieMI->trigger();
        QCOMPARE(rebuilds.count(), 2);
        QVERIFY(s.w.CategorySortSpeedButton->isChecked());
    }

    void storageMediumSelection() {
        TestContext t;
        t.ctx.settings.StorageTypeShow = 4 | 1;
        TKassotekMainWindow w(t.ctx);
        kt::TCheckedComboBox* selector = w.CheckedComboBoxShowStorageType;
        QCOMPARE(selector->Items(),
                 (QStringList{"Video-Cassette", "Kauf-Cassette", "DVD", "VCD", "SVCD", "DivX ;-)"}));
        QCOMPARE(selector->CapSelectAll(), QStringLiteral("&alle auswählen"));
        QCOMPARE(selector->CapDeSelectAll(), QStringLiteral("alle a&bwählen"));
        QVERIFY(selector->IsItemChecked(0) && selector->IsItemChecked(2) && !selector->IsItemChecked(1));

        selector->SetItemChecked(3, true);
        QCOMPARE(t.ctx.settings.StorageTypeShow, 1 | 4 | 8);
        QVERIFY(w.Anzeigenvon1->actions()[3]->isChecked());
        selector->DeselectAll();
        QCOMPARE(t.ctx.settings.StorageTypeShow, 0);

        // The mirror submenu toggles one medium.
        const QList<QAction*> mirror = w.Anzeigenvon1->actions();
        QCOMPARE(mirror.size(), 6);
        QCOMPARE(mirror[5]->text(), QStringLiteral("5 DivX ;-)"));
        QVERIFY(!t.ctx.collection.StorageMediaList[5].Selected);
        mirror[5]->trigger();
        QVERIFY(selector->IsItemChecked(5));
        QCOMPARE(t.ctx.settings.StorageTypeShow, 32);
        QVERIFY(mirror[5]->isChecked());
        // The flags follow the mask, so rebuilding the selector keeps the marks.
        w.AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        for (int i = 0; i < 6; ++i)
            QCOMPARE(selector->IsItemChecked(i), i == 5);
    }

    // The override lists every film and switches the selector off, which keeps its marks.
    void overrideOption() {
        ListWindow l(
            [](kt::Collection& c) {
                c.appendFilm(MakeFilm("Video", kt::StVideo, 1));
                c.appendFilm(MakeFilm("Scheibe", kt::StDvd, 2));
                // A storage type no medium of the list stands for.
                c.appendFilm(MakeFilm("Fremd", 128, 3));
            },
            kt::StDvd);
        kt::TCheckedComboBox* selector = l.w->CheckedComboBoxShowStorageType;
        QCOMPARE(l.titles(), std::vector<std::string>{"Scheibe"});
        l.t.ctx.settings.OverrideStorageTypeShow = true;
        l.w->AdjustToProgramOptions();
        l.w->SetAusgabeData();
        QCOMPARE(l.titles(), (std::vector<std::string>{"Fremd", "Scheibe", "Video"}));
        QVERIFY(!selector->isEnabled());
        QCOMPARE(selector->Text(), QStringLiteral("DVD"));
        QCOMPARE(l.t.ctx.settings.StorageTypeShow, kt::StDvd);
        l.t.ctx.settings.OverrideStorageTypeShow = false;
        l.w->AdjustToProgramOptions();
        l.w->SetAusgabeData();
        QCOMPARE(l.titles(), std::vector<std::string>{"Scheibe"});
        QVERIFY(selector->isEnabled());
        // Every mark removed: nothing listed and nothing said.
        selector->SelectAll();
        QCOMPARE(l.titles(), (std::vector<std::string>{"Scheibe", "Video"}));
        selector->DeselectAll();
        QCOMPARE(l.t.ctx.settings.StorageTypeShow, 0);
        QVERIFY(l.titles().empty());
    }

    // The mask, the media's flags, the selector's marks and the mirror items agree after every change.
    void theMediaFollowTheMask() {
        TestContext t;
        auto& media = t.ctx.collection.StorageMediaList;
        media.push_back({"Blu-ray", false, 7});
        t.ctx.collection.appendFilm(MakeFilm("Blau", 64, 1));
        t.ctx.collection.appendFilm(MakeFilm("Grau", kt::StVcd, 2));
        t.ctx.settings.StorageTypeShow = 63;
        kt::ApplyStorageTypeShow(t.ctx.settings, t.ctx.collection);
        TKassotekMainWindow w(t.ctx);
        kt::TCheckedComboBox* selector = w.CheckedComboBoxShowStorageType;
        const auto agree = [&](int32_t mask) {
            QCOMPARE(t.ctx.settings.StorageTypeShow, mask);
            const QList<QAction*> mirror = w.Anzeigenvon1->actions();
            QCOMPARE(mirror.size(), int(media.size()));
            for (int i = 0; i < int(media.size()); ++i) {
                const bool bit = (mask >> i) & 1;
                QCOMPARE(media[size_t(i)].Selected, bit);
                QCOMPARE(selector->IsItemChecked(i), bit);
                QCOMPARE(mirror[i]->isChecked(), bit);
            }
        };
        agree(63);
        QCOMPARE(selector->Items().size(), 7);
        w.SetAusgabeData();
        QCOMPARE(ListedTitles(w.filmList()), std::vector<std::string>{"Grau"});
        // The seventh medium checked: its film is listed.
        selector->SetItemChecked(6, true);
        agree(127);
        QCOMPARE(ListedTitles(w.filmList()), (std::vector<std::string>{"Blau", "Grau"}));
        w.Anzeigenvon1->actions()[3]->trigger();
        agree(127 & ~kt::StVcd);
        QCOMPARE(ListedTitles(w.filmList()), std::vector<std::string>{"Blau"});
        // A mask with bits no medium stands for keeps only the media's bits.
        t.ctx.settings.StorageTypeShow = -1;
        w.Update_SortSpeedbuttons();
        agree(127);
        // A mark the selector cannot show (its text does not fit) is not a medium shown.
        media.back().Name = std::string(250, 'x');
        t.dialogs.expect(Box::Notice, "There is no room for Selected");
        w.AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        agree(63);
        w.Update_SortSpeedbuttons();
        agree(63);
        // More than 32 media: only those with a bit of their own are offered.
        while (media.size() < 40)
            media.push_back({"M" + std::to_string(media.size()), false, int32_t(media.size() + 1)});
        w.AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        QCOMPARE(selector->Items().size(), 32);
        QCOMPARE(w.Anzeigenvon1->actions().size(), 32);
        QCOMPARE(w.Anzeigenvon1->actions()[31]->text(), QStringLiteral("31 M31"));
    }

    // The hidden category menu does nothing at all: no box, no change.
    void hiddenCategoryMenuDoesNothing() {
        Shell s;
        s.w.KategorieNeu1->trigger();
    }

    void closeButtonAndQuitCloseTheWindow() {
        Shell s;
        QTest::mouseClick(s.w.CloseSpeedButton, Qt::LeftButton);
        QVERIFY(!s.w.isVisible());
        s.w.show();
        s.w.Beenden1->trigger();
        QVERIFY(!s.w.isVisible());
    }

    void helpCommandsOpenTheirPages() {
        Shell s;
        const std::pair<QAction*, QString> cases[] = {
            {s.w.Schnelleinstieg1, "303.html"},
            {s.w.Inhaltsuebersicht1, "index.html"},
        };
        for (const auto& [item, page] : cases) {
            item->trigger();
            kt::HelpWindow* help = kt::HelpWindow::Instance();
            QVERIFY(help && help->isVisible());
            QCOMPARE(help->browser()->source().fileName(), page);
        }
        // F1 help follows the focus: the film list has topic 402.
        s.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.w.FilmStringGrid->setFocus();
        s.w.HilfeF1->trigger();
        QCOMPARE(kt::HelpWindow::Instance()->browser()->source().fileName(), QStringLiteral("402.html"));
        // F1 in an open menu shows the topic of the highlighted item, else of the menu.
        const std::tuple<QMenu*, QAction*, QString> menus[] = {
            {s.w.Datei1, nullptr, "407.html"},
            {s.w.Extras1, s.w.OptionenProgramm, "413.html"},
            {s.w.Extras1, s.w.ErsetzenMI, "412.html"},
            {s.w.Cassette1, nullptr, "409.html"},
        };
        for (const auto& [menu, item, page] : menus) {
            menu->popup(QPoint(10, 10));
            if (item)
                menu->setActiveAction(item);
            QTest::keyClick(menu, Qt::Key_F1);
            QVERIFY(!menu->isVisible());
            QCOMPARE(kt::HelpWindow::Instance()->browser()->source().fileName(), page);
        }
        QCOMPARE(kt::HelpContextOf(s.w.CheckedComboBoxShowStorageType), int(kt::HelpToolbar));
        QCOMPARE(kt::HelpContextOf(s.w.OptionenProgramm), int(kt::HelpOptions));
        QCOMPARE(kt::HelpContextOf(s.w.Filtern_Suchen_und_Sortieren), int(kt::HelpFilter));
        QCOMPARE(kt::HelpContextOf(s.w.OptionenInfo), int(kt::HelpAbout));
        QCOMPARE(kt::HelpContextOf(s.w.Speichern1), int(kt::HelpFileMenu));
    }

    void homepageAndAbout() {
        Shell s;
        s.w.Homepage1->trigger();
        QCOMPARE(s.t.openedUrls.size(), std::size_t(1));
        QCOMPARE(s.t.openedUrls[0], QUrl(QLatin1String(kt::MakerWebPage)));

        for (const auto& open :
             {std::function<void()>([&] { s.w.OptionenInfo->trigger(); }),
              std::function<void()>([&] { QTest::mouseClick(s.w.AboutSpeedButton, Qt::LeftButton); })}) {
            bool seen = false;
            WhenModal([&](QWidget* w) {
                auto* about = qobject_cast<kt::TUeberForm*>(w);
                QVERIFY(about);
                QCOMPARE(about->mode(), kt::TUeberForm::Mode::Information);
                QVERIFY(about->OKBitBtn->isVisible());
                seen = true;
                QTest::mouseClick(about->OKBitBtn, Qt::LeftButton);
            });
            open();
            QVERIFY(seen);
        }
    }

    void statusBarPanels() {
        Shell s;
        QCOMPARE(s.w.statusPanelText(0),
                 QStringLiteral("Kassotek ") + QString::fromStdString(kt::ProgramVersionText()));
        QCOMPARE(s.w.statusPanelText(1), QStringLiteral("Datei: n.a"));
        QCOMPARE(s.w.statusPanelText(2), QStringLiteral("Anzahl Filme: 0/0"));
        QCOMPARE(s.w.statusPanelText(3), QStringLiteral("Anzahl Cassetten: 0"));
        QCOMPARE(s.w.statusPanelText(4), QStringLiteral(" "));
        s.t.ctx.collection.CurrentDataFile = kt::PathBytes(QStringLiteral("/home/jörg/Filme.VD6"));
        s.t.ctx.collection.appendCassette(kt::TCasRec{});
        s.w.StatusBarRefresh();
        QCOMPARE(s.w.statusPanelText(1), QStringLiteral("Datei: /home/jörg/Filme.VD6"));
        QCOMPARE(s.w.statusPanelText(3), QStringLiteral("Anzahl Cassetten: 1"));
        for (int i = 0; i < TKassotekMainWindow::StatusPanels; ++i)
            QVERIFY(s.w.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->width() >= 50);
    }

    void gridShowsTheCatalogueHeaders() {
        Shell s;
        QAbstractItemModel* model = s.w.FilmStringGrid->model();
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->columnCount(), kt::CountShownColumns(s.t.ctx.colArrange));
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), kt::FromCp(s.t.ctx.colArrange[0].Header));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
