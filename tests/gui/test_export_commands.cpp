#include "catalogue/col_arrange.h"
#include "exchange/export_dialogs.h"
#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QTest>

#include <deque>
#include <filesystem>
#include <memory>

using kt::Answer;
using kt::ExportChoice;
using namespace kt::test;
using namespace kt::literals;

namespace {

// The export save dialogs as a script: each call takes the next answer (nothing = cancelled)
// and must be of the kind expected.
class ScriptedExportDialogs : public kt::ExportFileDialogs {
public:
    enum Kind { Text, Excel };
    std::optional<ExportChoice> saveText(QWidget*, const QString&) override { return take(Text); }
    std::optional<ExportChoice> saveExcel(QWidget*, const QString&) override { return take(Excel); }
    void answer(Kind kind, std::optional<ExportChoice> choice) { answers_.push_back({kind, choice}); }
    bool pending() const { return !answers_.empty(); }

private:
    std::optional<ExportChoice> take(Kind kind) {
        if (answers_.empty()) {
            QTest::qFail("a save dialog nobody expected", __FILE__, __LINE__);
            return std::nullopt;
        }
        auto [expected, choice] = answers_.front();
        answers_.pop_front();
        if (expected != kind)
            QTest::qFail("the other save dialog appeared", __FILE__, __LINE__);
        return choice;
    }
    std::deque<std::pair<Kind, std::optional<ExportChoice>>> answers_;
};

const char* const TextQuestion = "-spalten in eine Textdatei exportiert werden.";
const char* const ColumnQuestion = "die aktuelle Spalte in eine Textdatei exportiert werden.";
const char* const ExcelQuestion = "-spalten in eine Excel-Datei exportiert werden.";

void ThreeFilms(kt::Collection& c) {
    const char* titles[] = {"Alpha", "Ärger", "Zorro"};
    for (int i = 0; i < 3; ++i) {
        kt::TFilmV26 f = MakeFilm(titles[i], kt::StVideo, i + 1);
        f.ProdYear = i == 1 ? 0 : 1990 + i;
        c.appendFilm(f);
    }
}

struct ExportWindow : ListWindow {
    explicit ExportWindow(const std::function<void(kt::Collection&)>& fill = ThreeFilms) : ListWindow(fill) {
        auto scripted = std::make_shared<ScriptedExportDialogs>();
        files = scripted.get();
        w->setExportDialogs(scripted);
    }
    ~ExportWindow() {
        if (files->pending())
            QTest::qFail("save dialog answers left over", __FILE__, __LINE__);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    ExportChoice choice(const std::string& name, int filter = 1) const {
        return {QString::fromStdString(dir.file(name)), filter};
    }
    TempFolder dir;
    ScriptedExportDialogs* files;
};

} // namespace

class ExportCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void textExportWritesTheListedFilmsAndTellsTheCount() {
        ExportWindow e;
        QCOMPARE(e.titles(), (std::vector<std::string>{"Alpha", "Zorro", "Ärger"}));
        e.select(2, 1);
        e.files->answer(ScriptedExportDialogs::Text, e.choice("Liste.txt"));
        e.t.dialogs.expectQuestion(TextQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Information, "3 Filme wurden in " + e.file("Liste.txt") + " exportiert!");
        e.w->inTextdateiMI->trigger();
        // The name as chosen; the selected second row has no asterisks before its block.
        const std::string text = kt::ToUtf8(ReadBytes(e.file("Liste.txt")));
        const std::string stars = "\r\n" + std::string(47, '*') + "\r\n\r\n";
        QCOMPARE(text.substr(0, stars.size()), stars);
        QVERIFY(text.find("\r\n\r\nFilmname               = Zorro\r\n") != std::string::npos);
        QVERIFY(text.find(stars + "Filmname               = Zorro") == std::string::npos);
        QVERIFY(text.find(stars + "Filmname               = Ärger") != std::string::npos);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void columnExportTakesTheCurrentColumn() {
        ExportWindow e;
        const int yearColumn = kt::ColumnOfEntry(e.t.ctx.colArrange, kt::ColYear);
        e.select(1, yearColumn);
        e.files->answer(ScriptedExportDialogs::Text, e.choice("jahr.TXT"));
        e.t.dialogs.expectQuestion(ColumnQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Information, "3 Filme wurden in");
        e.w->MInuraktuelleSpalteineineTextdateiexportieren->trigger();
        QCOMPARE(ReadBytes(e.file("jahr.TXT")),
                 std::string("Herstellungsdatum      = 1990\r\nHerstellungsdatum      = 1992\r\n\r\n"));
    }

    void csvAndWorkbooksComeFromTheFilterOrTheExtension() {
        ExportWindow e;
        e.files->answer(ScriptedExportDialogs::Text, e.choice("liste.csv", kt::TextFilterCsv));
        e.t.dialogs.expectQuestion(TextQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Information, "3 Filme wurden in");
        e.w->inTextdateiMI->trigger();
        QVERIFY(ReadBytes(e.file("liste.csv"))
                    .starts_with("\xEF\xBB\xBF"
                                 "Filmtitel;"));

        struct Case {
            std::string name;
            int filter;
            std::string magic;
        };
        const std::vector<Case> cases = {
            {"a.xls", 1, "\xD0\xCF\x11\xE0"},
            {"b.xlsx", kt::ExcelFilterXlsx, "PK\x03\x04"},
            {"c.XLSX", 3, "PK\x03\x04"},
            {"d.xls", kt::ExcelFilterXlsx, "\xD0\xCF\x11\xE0"},
        };
        for (const Case& k : cases) {
            e.files->answer(ScriptedExportDialogs::Excel, e.choice(k.name, k.filter));
            // No message on success.
            e.t.dialogs.expectQuestion(ExcelQuestion, Answer::Yes);
            e.w->ExportierennachExcel1->trigger();
            QCOMPARE(ReadBytes(e.file(k.name)).substr(0, 4), k.magic);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void noAndCancelEndTheCommandQuietlyUnlessShowAllMsg() {
        ExportWindow e;
        e.t.dialogs.expectQuestion(TextQuestion, Answer::No);
        e.w->inTextdateiMI->trigger();
        e.t.dialogs.expectQuestion(ExcelQuestion, Answer::No);
        e.w->ExportierennachExcel1->trigger();
        e.files->answer(ScriptedExportDialogs::Excel, std::nullopt);
        e.t.dialogs.expectQuestion(ExcelQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Warning, "Keine Datei ausgewählt!");
        e.w->ExportierennachExcel1->trigger();

        e.t.ctx.settings.ShowAllMsg = false;
        e.t.dialogs.showAllMsg = false;
        e.files->answer(ScriptedExportDialogs::Text, std::nullopt);
        e.t.dialogs.expectQuestion(ColumnQuestion, Answer::Yes);
        e.w->MInuraktuelleSpalteineineTextdateiexportieren->trigger();
        // Success is not told either; failure is.
        e.files->answer(ScriptedExportDialogs::Text, e.choice("still.txt"));
        e.t.dialogs.expectQuestion(TextQuestion, Answer::Yes);
        e.w->inTextdateiMI->trigger();
        QVERIFY(std::filesystem::exists(e.file("still.txt")));
        e.files->answer(ScriptedExportDialogs::Text, e.choice("fehlt/still.txt"));
        e.t.dialogs.expectQuestion(TextQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Notice, "Export nach " + e.file("fehlt/still.txt") + " ist fehlgeschlagen!");
        e.w->inTextdateiMI->trigger();
    }

    void anEmptyListAndAFailedWorkbookAreTold() {
        ExportWindow e([](kt::Collection&) {});
        e.t.dialogs.expect(Box::Notice, "Es werden keine Filme angezeigt; es wurde nichts exportiert.");
        e.w->inTextdateiMI->trigger();
        // The workbook still gets the header row; a folder that is gone is an error box.
        e.files->answer(ScriptedExportDialogs::Excel, e.choice("weg/leer.xls"));
        e.t.dialogs.expectQuestion(ExcelQuestion, Answer::Yes);
        e.t.dialogs.expect(Box::Error, "Export nach " + e.file("weg/leer.xls") + " ist fehlgeschlagen!");
        e.w->ExportierennachExcel1->trigger();
        QVERIFY(!QGuiApplication::overrideCursor());
        e.files->answer(ScriptedExportDialogs::Excel, e.choice("leer.xls"));
        e.t.dialogs.expectQuestion(ExcelQuestion, Answer::Yes);
        e.w->ExportierennachExcel1->trigger();
        QVERIFY(std::filesystem::exists(e.file("leer.xls")));
    }

    void theSaveDialogsOfferTheirFiltersAndFollowTheChoice() {
        std::unique_ptr<QFileDialog> text(
            kt::CreateExportDialog(nullptr, QStringLiteral("Export"), kt::TextExportFilters(), QString()));
        QCOMPARE(text->objectName(), QStringLiteral("SaveDialog1"));
        QCOMPARE(text->nameFilters(),
                 (QStringList{"ASCII-Text-Dateien (*.TXT)", "CSV-Datei (*.csv)", "Alle Dateien (*.*)"}));
        QCOMPARE(text->defaultSuffix(), QStringLiteral("TXT"));
        QCOMPARE(text->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!text->testOption(QFileDialog::DontConfirmOverwrite));
        text->selectNameFilter(kt::TextExportFilters().at(1));
        emit text->filterSelected(kt::TextExportFilters().at(1));
        QCOMPARE(text->defaultSuffix(), QStringLiteral("csv"));
        std::unique_ptr<QFileDialog> excel(
            kt::CreateExportDialog(nullptr, QStringLiteral("Export"), kt::ExcelExportFilters(), QString()));
        QCOMPARE(excel->nameFilters(),
                 (QStringList{"Excel-Dateien (*.XLS)", "Excel-Arbeitsmappe (*.xlsx)", "Alle Dateien (*.*)"}));
        QCOMPARE(excel->defaultSuffix(), QStringLiteral("XLS"));
    }
};

QTEST_MAIN(ExportCommandsTest)
#include "test_export_commands.moc"
