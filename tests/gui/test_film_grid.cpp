#include "catalogue/col_arrange.h"
#include "dialogs/message_box.h"
#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/film_list_model.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "text/cp1252.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <memory>

using kt::TKassotekMainWindow;
using namespace kt::test;

namespace {

const char* const NotYet = "Diese Funktion ist noch nicht verfügbar.";
const char* const NoCurrent = "Konnte akutellen Film nicht bestimmen!";

// A main window over films held in memory, the list built.
struct GridWindow {
    TestContext t;
    std::unique_ptr<TKassotekMainWindow> w;

    explicit GridWindow(const std::vector<kt::TFilmV26>& films,
                        const std::function<void(kt::AppContext&)>& setup = {}) {
        for (kt::TFilmV26 f : films) {
            f.FilmNr = t.ctx.collection.AnzFilm() + 1;
            t.ctx.collection.appendFilm(f);
        }
        if (setup)
            setup(t.ctx);
        w = std::make_unique<TKassotekMainWindow>(t.ctx);
        w->resize(1100, 600);
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        w->SetAusgabeData();
    }
    kt::TFilmStringGrid* grid() const { return w->FilmStringGrid; }
    QWidget* viewport() const { return grid()->viewport(); }
    QRect cell(int row, int col) const { return grid()->visualRect(grid()->model()->index(row - 1, col)); }
    void focusGrid() {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        grid()->setFocus();
        QTRY_VERIFY(grid()->hasFocus());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(grid(), key, mods); }
    // The film shown in the current row.
    QString currentTitle() const {
        return kt::FromCp(std::string(w->filmList().Cell(grid()->currentRow(), 0)));
    }
    // Whether `command` was entered since the last mark.
    bool ranSinceMark(const std::string& command) const {
        for (int i = 0; i < kt::TraceLog::Slots; ++i) {
            const std::string line = t.trace.line(i);
            if (line.find("MARK") != std::string::npos)
                return false;
            if (line.find("KtkMain: " + command + " [ENTRY]") != std::string::npos)
                return true;
        }
        return false;
    }
    void mark() { t.trace.TraceLine("MARK"); }
};

std::vector<kt::TFilmV26> Titles(std::initializer_list<const char*> titles) {
    std::vector<kt::TFilmV26> films;
    for (const char* title : titles)
        films.push_back(MakeFilm(title));
    return films;
}

void Wheel(QWidget* viewport, int delta) {
    const QPointF pos(20, 20);
    QWheelEvent e(pos, viewport->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &e);
}

// The pixels of a cell other than its background (the text drawn in it).
struct Ink {
    int red = 0;
    int other = 0;
    int leftmost = -1;
};
Ink InkIn(const QImage& image, const QRect& cell) {
    const QRgb background = image.pixel(cell.left() + 1, cell.top() + 1);
    Ink ink;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.rgb() == background)
                continue;
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++ink.red;
            else
                ++ink.other;
            if (ink.leftmost < 0 || x < ink.leftmost)
                ink.leftmost = x;
        }
    return ink;
}

} // namespace

class FilmGridTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void theListShowsTheFilmsAndTheirCounts() {
        GridWindow g(Titles({"Dark City", "Casablanca", "Das Boot"}));
        QCOMPARE(g.grid()->model()->rowCount(), 3);
        QCOMPARE(g.grid()->model()->columnCount(), 25);
        QCOMPARE(g.grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Filmtitel"));
        QCOMPARE(ListedTitles(g.w->filmList()),
                 (std::vector<std::string>{"Casablanca", "Dark City", "Das Boot"}));
        QCOMPARE(g.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 3/3"));
        // The grid always has a cursor cell in a film row.
        QCOMPARE(g.grid()->currentRow(), 1);
        QCOMPARE(g.grid()->verticalHeader()->defaultSectionSize(), g.grid()->rowHeightForFont());
        QVERIFY(g.grid()->rowHeightForFont() >= 17);

        // An empty list keeps one empty row.
        g.t.ctx.settings.StorageTypeShow = kt::StDvd;
        g.w->SetAusgabeData();
        QCOMPARE(g.grid()->model()->rowCount(), 1);
        QCOMPARE(g.grid()->model()->data(g.grid()->model()->index(0, 0)).toString(), QString());
        QCOMPARE(g.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 0/3"));
    }

    void multiLineTextsShowTheirFirstLine() {
        const std::pair<QString, QString> cases[] = {
            {"Erste Zeile\r\nZweite Zeile", "Erste Zeile[...]"},
            {"oben\nunten", "oben[...]"},
            {"\r\nleer davor", "[...]"},
            {"eine Zeile", "eine Zeile"},
            {"", ""},
        };
        for (const auto& [text, shown] : cases)
            QCOMPARE(kt::DisplayedCellText(text), shown);
        // The cell itself keeps every line: export reads it.
        kt::TFilmV26 f = MakeFilm("Inhalt");
        f.Content.Strng = "Erste Zeile\r\nZweite Zeile";
        GridWindow g({f});
        const QModelIndex content = g.grid()->model()->index(0, kt::ColContent);
        QCOMPARE(g.grid()->model()->data(content).toString(), QStringLiteral("Erste Zeile\r\nZweite Zeile"));
        QCOMPARE(g.grid()->model()->data(content, Qt::ToolTipRole).toString(),
                 QStringLiteral("Erste Zeile\nZweite Zeile"));
    }

    // A text wider than its cell ends in "…" and shows whole as the tooltip; the columns keep the
    // catalogue's widths. The status bar's panels shorten the same way in a narrow window.
    void textsThatDoNotFitAreCutVisibly() {
        const QString longTitle = QStringLiteral("Die Nacht der lebenden Schatten, zweiter Teil 19999");
        kt::TFilmV26 f = MakeFilm("Die Nacht der lebenden Schatten, zweiter Teil 19999");
        f.Director.Strng = "Ed";
        GridWindow g({f});
        const QFontMetrics fm(g.grid()->font());
        const int titleWidth = g.grid()->columnWidth(0);
        QCOMPARE(titleWidth, g.t.ctx.colArrange[kt::ColTitle].Width);
        QVERIFY(fm.horizontalAdvance(longTitle) > titleWidth);

        for (auto alignment :
             {kt::CellAlignment::Left, kt::CellAlignment::Right, kt::CellAlignment::Centred}) {
            const QString cut = kt::FittedCellText(fm, titleWidth, longTitle, alignment);
            QVERIFY(cut.endsWith(QChar(0x2026)));
            QVERIFY(longTitle.startsWith(cut.chopped(1)));
            QVERIFY(fm.horizontalAdvance(cut) <= titleWidth - 3);
            QCOMPARE(kt::FittedCellText(fm, titleWidth, QStringLiteral("Ed"), alignment),
                     QStringLiteral("Ed"));
        }

        // Whether the cell answers a tooltip request with a tooltip.
        const auto tooltipAt = [&](int col) {
            const QRect r = g.cell(1, col);
            QHelpEvent help(QEvent::ToolTip, r.center(), g.viewport()->mapToGlobal(r.center()));
            QApplication::sendEvent(g.viewport(), &help);
            return help.isAccepted();
        };
        QVERIFY(tooltipAt(0));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), longTitle);
        QVERIFY(!tooltipAt(kt::ColDirector));
        QCOMPARE(g.grid()->columnWidth(0), titleWidth);

        g.t.ctx.collection.CurrentDataFile =
            kt::PathBytes(QStringLiteral("/home/jemand/Sammlungen/Spielfilme und Serien/Filme.VD6"));
        g.w->StatusBarRefresh();
        g.w->resize(320, 400);
        auto* panel = g.w->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
        QTRY_VERIFY(panel->text().endsWith(QChar(0x2026)));
        QVERIFY(panel->width() >= 50);
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width());
        QCOMPARE(g.w->statusPanelText(1),
                 QStringLiteral("Datei: ") + kt::PathText(g.t.ctx.collection.CurrentDataFile));
        QCOMPARE(panel->toolTip(), g.w->statusPanelText(1));
        g.w->resize(1400, 400);
        QTRY_COMPARE(panel->text(), g.w->statusPanelText(1));
    }

    void alignmentFollowsTheColumnsAttribute() {
        TestContext t;
        const std::tuple<QString, int, bool, kt::CellAlignment> cases[] = {
            {"Länge", 1, false, kt::CellAlignment::Right},
            {"Cas.Nr.", 2, false, kt::CellAlignment::Right},
            {"Pos.", 3, false, kt::CellAlignment::Centred},
            {"Bilder", 24, false, kt::CellAlignment::Centred},
            {"Anz. CDs", 23, false, kt::CellAlignment::Centred},
            {"Regisseur", 5, false, kt::CellAlignment::Left},
            {"Filmtitel", 0, false, kt::CellAlignment::Left},
            {"Filmtitel", 0, true, kt::CellAlignment::Centred},
            // The length stays right-aligned even as the first column.
            {"Länge", 0, true, kt::CellAlignment::Right},
            {"Regisseur", 0, true, kt::CellAlignment::Centred},
            {"unbekannt", 4, false, kt::CellAlignment::Left},
        };
        for (const auto& [header, column, centre, expected] : cases) {
            t.ctx.settings.CenterFilmTitel = centre;
            QCOMPARE(kt::AlignmentOfColumn(t.ctx, header, column), expected);
        }
    }

    void cellColours() {
        kt::TFilmV26 kept = MakeFilm("A kept", kt::StVideo);
        kept.Pics.push_back({0, kt::PicJpg | kt::PicKept, {}, {}});
        kt::TFilmV26 linked = MakeFilm("B linked", kt::StVideo);
        linked.Pics.push_back({0, kt::PicJpg | kt::PicLink, {}, {}});
        kt::TFilmV26 both = kept;
        both.FilmName.Strng = "C both";
        both.Pics.push_back({0, kt::PicJpg | kt::PicLink, {}, {}});
        kt::TFilmV26 none = MakeFilm("D none", kt::StVideo);
        GridWindow g({kept, linked, both, none}, [](kt::AppContext& ctx) {
            // The picture column next to the length, so that it is on the screen.
            for (int n = 0; n < kt::ColCount; ++n)
                ctx.colArrange[n].Show = n <= kt::ColLength || n == kt::ColPics;
            ctx.colArrange[kt::ColPics].Pos = 2;
        });
        g.focusGrid();
        g.grid()->setCurrentCell(1, 1);
        QCoreApplication::processEvents();
        const QImage image = g.viewport()->grab().toImage();
        const auto background = [&](int row, int col) {
            const QRect r = g.cell(row, col);
            return image.pixelColor(r.left() + 1, r.top() + 1);
        };
        QCOMPARE(background(2, 0), QColor(192, 192, 192));
        QCOMPARE(background(1, 1), QColor(Qt::red));
        QCOMPARE(background(1, 2), g.grid()->palette().color(QPalette::ToolTipBase));
        QCOMPARE(background(2, 1), QColor(Qt::white));
        // The focused cell's text is white on red.
        QVERIFY(InkIn(image, g.cell(1, 1)).other > 0);

        // The picture column: red where pictures are kept in the file, plain where they are only
        // linked, nothing at all without pictures.
        QVERIFY(InkIn(image, g.cell(1, 2)).red > 0);
        QCOMPARE(InkIn(image, g.cell(2, 2)).red, 0);
        QVERIFY(InkIn(image, g.cell(2, 2)).other > 0);
        QVERIFY(InkIn(image, g.cell(3, 2)).red > 0);
        QCOMPARE(InkIn(image, g.cell(4, 2)).red + InkIn(image, g.cell(4, 2)).other, 0);
        // The length is right-aligned: its digits stand in the right half of the cell.
        QVERIFY(InkIn(image, g.cell(2, 1)).leftmost > g.cell(2, 1).center().x());

        // The header row: silver while MarkFilmList is set, the normal colour otherwise.
        QHeaderView* header = g.grid()->horizontalHeader();
        const QPoint inHeader(header->sectionViewportPosition(1) + 2, 2);
        QCOMPARE(header->viewport()->grab().toImage().pixelColor(inHeader), QColor(192, 192, 192));
        g.t.ctx.settings.MarkFilmList = false;
        header->viewport()->update();
        QCOMPARE(header->viewport()->grab().toImage().pixelColor(inHeader),
                 header->palette().color(QPalette::Button));
    }

    void typeAheadSearchesTheFirstColumn() {
        // Rows Casablanca, Das Boot, Dark City, Ärger im Büro: unsorted lists the newest film first.
        GridWindow g(Titles({"Ärger im Büro", "Dark City", "Das Boot", "Casablanca"}),
                     [](kt::AppContext& ctx) { ctx.settings.FilmSort = 6; });
        g.focusGrid();
        const auto step = [&](Qt::Key key, const char* title, const char* text) {
            g.key(key);
            QCOMPARE(g.currentTitle(), QString::fromUtf8(title));
            QCOMPARE(g.w->statusPanelText(4), QStringLiteral(" ") + QString::fromUtf8(text));
        };
        step(Qt::Key_D, "Das Boot", "D");
        step(Qt::Key_A, "Das Boot", "DA");
        step(Qt::Key_R, "Dark City", "DAR");
        step(Qt::Key_Escape, "Dark City", "");
        step(Qt::Key_C, "Casablanca", "C");
        // No title matches: the selection stays, the letter stays, and so does every further one.
        step(Qt::Key_X, "Casablanca", "CX");
        step(Qt::Key_A, "Casablanca", "CXA");
        step(Qt::Key_Escape, "Casablanca", "");
        // Keys without a character keep their meaning.
        step(Qt::Key_F5, "Casablanca", "");
        step(Qt::Key_Insert, "Casablanca", "");
        step(Qt::Key_Down, "Das Boot", "");
        // Capitals and the digits of the keypad count; with Ctrl a key is no character.
        g.key(Qt::Key_D, Qt::ShiftModifier);
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("D"));
        g.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("D"));
        g.key(Qt::Key_Escape);
        g.key(Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("5"));
        g.key(Qt::Key_Escape);
        // Umlauts come as characters; upper-casing leaves them as they are.
        QTest::sendKeyEvent(QTest::Click, g.grid(), Qt::Key_Adiaeresis, QStringLiteral("Ä"),
                            Qt::ShiftModifier);
        QCOMPARE(g.currentTitle(), QStringLiteral("Ärger im Büro"));
        g.key(Qt::Key_Escape);
        QTest::sendKeyEvent(QTest::Click, g.grid(), Qt::Key_Adiaeresis, QStringLiteral("ä"), Qt::NoModifier);
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("ä"));
        QCOMPARE(g.currentTitle(), QStringLiteral("Ärger im Büro"));
        g.key(Qt::Key_Escape);

        // The lock: a second step of the same key press is ignored until the program is idle.
        g.w->TypeAheadStep('D');
        g.w->TypeAheadStep('A');
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("D"));
        g.w->ApplicationIdle();
        g.w->TypeAheadStep('R');
        QCOMPARE(g.w->typeAheadText(), QStringLiteral("DR"));
    }

    void mouseAndWheelMoveTheCursorCell() {
        GridWindow g(Titles({"A", "B", "C", "D", "E"}));
        g.focusGrid();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.cell(3, 2).center());
        QCOMPARE(g.grid()->currentRow(), 3);
        QCOMPARE(g.grid()->currentColumn(), 2);
        QCOMPARE(int(g.t.ctx.collection.ActFilm), 3);
        // A press on the header row takes the top visible film row, in the column pressed.
        QHeaderView* header = g.grid()->horizontalHeader();
        const QPoint onHeader(header->sectionViewportPosition(4) + 5, 5);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, onHeader);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, onHeader);
        QCOMPARE(g.grid()->currentRow(), 1);
        QCOMPARE(g.grid()->currentColumn(), 4);
        QCOMPARE(int(g.t.ctx.collection.ActFilm), 1);
        // A press below the last row takes the top visible row too.
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {},
                          QPoint(g.cell(3, 2).center().x(), g.viewport()->height() - 5));
        QCOMPARE(g.grid()->currentRow(), 1);
        QCOMPARE(g.grid()->currentColumn(), 2);

        // One row per notch, never beyond the first or the last.
        Wheel(g.viewport(), 120);
        QCOMPARE(g.grid()->currentRow(), 1);
        Wheel(g.viewport(), -120);
        QCOMPARE(g.grid()->currentRow(), 2);
        QCOMPARE(int(g.t.ctx.collection.ActFilm), 2);
        Wheel(g.viewport(), -60);
        QCOMPARE(g.grid()->currentRow(), 2);
        Wheel(g.viewport(), -60);
        QCOMPARE(g.grid()->currentRow(), 3);
        for (int i = 0; i < 4; ++i)
            Wheel(g.viewport(), -120);
        QCOMPARE(g.grid()->currentRow(), 5);
        QCOMPARE(g.grid()->verticalScrollBar()->value(), 0);
    }

    void noCurrentFilmIsToldOnceAndOnlyWhenThereAreFilms() {
        // Films, but none listed: moving the cursor cell cannot find a film.
        GridWindow g(Titles({"A", "B"}),
                     [](kt::AppContext& ctx) { ctx.settings.StorageTypeShow = kt::StDvd; });
        g.t.dialogs.expect(Box::Error, NoCurrent);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.cell(1, 3).center());
        QVERIFY(!g.t.dialogs.pending());
        QCOMPARE(g.grid()->currentColumn(), 3);
        // No films at all: nothing to tell.
        GridWindow empty({});
        QTest::mouseClick(empty.viewport(), Qt::LeftButton, {}, empty.cell(1, 3).center());
        QCOMPARE(empty.grid()->currentColumn(), 3);
    }

    void editAndViewNeedACurrentFilm() {
        GridWindow g({});
        for (QAction* item : {g.w->FilmBearbeiten, g.w->FilmAnsehen}) {
            g.t.dialogs.expect(Box::Error, NoCurrent);
            item->trigger();
            QVERIFY(!g.t.dialogs.pending());
        }
        GridWindow films(Titles({"A"}));
        const std::pair<QAction*, int> items[] = {{films.w->FilmBearbeiten, 1}, {films.w->FilmAnsehen, 3}};
        for (const auto& [item, mode] : items) {
            int seen = -1;
            WhenModal([&](QWidget* editor) {
                seen = films.t.ctx.Bearbeiten;
                QTest::keyClick(editor, Qt::Key_Escape);
            });
            item->trigger();
            QCOMPARE(seen, mode);
            QCOMPARE(films.t.ctx.Bearbeiten, 0);
            QCOMPARE(int(films.t.ctx.collection.ActFilm), 1);
        }
    }

    void doubleClickAndEnterOpenTheRightEditor() {
        kt::TFilmV26 video = MakeFilm("A Video", kt::StVideo);
        video.CasNr = 5;
        kt::TFilmV26 dvd = MakeFilm("B DVD", kt::StDvd);
        kt::TFilmV26 vcd = MakeFilm("C VCD", kt::StVcd);
        GridWindow g({video, dvd, vcd}, [](kt::AppContext& ctx) {
            // The region code close to the left, so that it is on the screen.
            for (int n = 0; n < kt::ColCount; ++n)
                ctx.colArrange[n].Show = n <= kt::ColPos || n == kt::ColRegion;
            ctx.colArrange[kt::ColRegion].Pos = 4;
        });
        g.focusGrid();
        struct Case {
            int row;
            int column;
            const char* command; // nullptr: the region-code box
            int mode;
        };
        // The cells of the video film that open the cassette editor: test_cassette_commands.
        const Case cases[] = {
            {2, 2, "FilmBearbeitenClick", 1}, {2, 3, "FilmBearbeitenClick", 1},
            {2, 4, "FilmBearbeitenClick", 1}, {3, 4, nullptr, 0},
            {3, 0, "FilmBearbeitenClick", 1}, {1, 1, "FilmBearbeitenClick", 1},
        };
        for (const bool enter : {false, true}) {
            for (const Case& k : cases) {
                const QString label =
                    QStringLiteral("row %1 column %2 %3").arg(k.row).arg(k.column).arg(enter);
                g.t.ctx.Bearbeiten = 0;
                g.mark();
                // The film editor is closed at once; the cassette editor is not there yet.
                int seen = 0;
                const bool filmEditor = k.command && std::string(k.command) == "FilmBearbeitenClick";
                if (filmEditor)
                    WhenModal([&](QWidget* editor) {
                        seen = g.t.ctx.Bearbeiten;
                        QTest::keyClick(editor, Qt::Key_Escape);
                    });
                else if (k.command)
                    g.t.dialogs.expect(Box::Notice, NotYet);
                else
                    g.t.dialogs.expect(
                        Box::Error, "Dieses Medium ist keine DVD und\r\nkann KEINEN DVD-Regionalcode haben!");
                if (enter) {
                    g.grid()->setCurrentCell(k.row, k.column);
                    g.key(Qt::Key_Return);
                } else {
                    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, g.cell(k.row, k.column).center());
                }
                QVERIFY2(!g.t.dialogs.pending(), qPrintable(label));
                QCOMPARE(int(g.t.ctx.collection.ActFilm), k.row);
                QCOMPARE(filmEditor ? seen : g.t.ctx.Bearbeiten, k.mode);
                if (k.command)
                    QVERIFY2(g.ranSinceMark(k.command), qPrintable(label));
            }
        }
    }

    void doubleClickWithoutAFilmBeeps() {
        GridWindow g(Titles({"A"}), [](kt::AppContext& ctx) { ctx.settings.StorageTypeShow = kt::StDvd; });
        g.t.dialogs.expect(
            Box::Error, "Fehler bei der Bestimmung des gewählten Films!\r\nBitte, die Auswahl wiederholen!");
        g.w->FilmStringGridDblClick();
        QVERIFY(!g.t.dialogs.pending());
    }

    void columnMovesAndWidthsStayInTheCatalogue() {
        GridWindow g(Titles({"Casablanca", "Das Boot"}));
        kt::ColArrange& ca = g.t.ctx.colArrange;
        QHeaderView* header = g.grid()->horizontalHeader();
        const QAbstractItemModel* model = g.grid()->model();
        g.grid()->setCurrentCell(2, 5);

        // The title column goes to position 3, as the header does when it is dragged there.
        header->moveSection(0, 3);
        QTRY_COMPARE(ca[kt::ColTitle].Pos, 3);
        QCOMPARE(ca[kt::ColLength].Pos, 0);
        QCOMPARE(ca[kt::ColCasNr].Pos, 1);
        QCOMPARE(ca[kt::ColPos].Pos, 2);
        QCOMPARE(ca[kt::ColCategory].Pos, 4);
        QCOMPARE(header->logicalIndex(3), 3); // the list itself moved the column
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Filmtitel"));
        QCOMPARE(model->data(model->index(1, 3)).toString(), QStringLiteral("Das Boot"));
        QCOMPARE(g.grid()->columnWidth(3), ca[kt::ColTitle].Width);
        QCOMPARE(g.grid()->currentRow(), 2);

        // A width dragged meanwhile goes into the catalogue and moves with its column.
        header->resizeSection(3, 333);
        QCOMPARE(ca[kt::ColTitle].Width, 333);
        header->moveSection(3, 0);
        QTRY_COMPARE(ca[kt::ColTitle].Pos, 0);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(ca[n].Pos, n);
        QCOMPARE(g.grid()->columnWidth(0), 333);
        QCOMPARE(ca[kt::ColTitle].Width, 333);
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("Casablanca"));

        // A rebuild keeps the widths and the cursor cell.
        g.grid()->setCurrentCell(2, 1);
        g.w->SetAusgabeData();
        QCOMPARE(g.grid()->columnWidth(0), 333);
        QCOMPARE(g.grid()->currentRow(), 2);
        QCOMPARE(g.grid()->currentColumn(), 1);
        // Two moves at once (a move while the first is still on its way) end in the same order.
        header->moveSection(0, 2);
        header->moveSection(0, 1);
        QTRY_COMPARE(header->logicalIndex(2), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Cas.Nr."));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Länge"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Filmtitel"));
        QCOMPARE(ca[kt::ColCasNr].Pos, 0);
        QCOMPARE(ca[kt::ColTitle].Pos, 2);
    }
};

QTEST_MAIN(FilmGridTest)
#include "test_film_grid.moc"
