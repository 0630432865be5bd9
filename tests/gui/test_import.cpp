#include "exchange/txt_import_form.h"
#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/main_window.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {

const char* const HintText = "Bitte beachten Sie die Hinweise auf Einschränkungen \r\nund Randbedingungen";
const char* const NoData = "Fehler: Es werden gemäß der Einstellungen KEINE Daten importiert!";
const std::string Data = std::string(KT_TEST_DATA) + "/import/";

// The LibreOffice sheet's columns A to H: title, length, category, year, languages, commercials,
// recording date, medium.
void SetPositions(ColArrange& columns) {
    const int entries[] = {ColTitle,     ColLength,      ColCategory, ColYear,
                           ColLanguages, ColCommercials, ColRecDate,  ColStorage};
    for (int field = 1; field <= 8; ++field)
        columns[entries[field - 1]].ImportPos = field;
}

// Types `keys` into the emptied position cell of `row` and presses OK; a row that cannot be edited
// gets the keys on the grid.
void TypeIntoCell(TForm_TXT_Import& form, int row, const QString& keys) {
    QTableWidget* grid = form.PositionsStringGrid;
    QTableWidgetItem* item = grid->item(row, 1);
    grid->setCurrentItem(item);
    QWidget* target = grid;
    if (item->flags() & Qt::ItemIsEditable) {
        grid->editItem(item);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->clear();
        target = editor;
    }
    for (const QChar c : keys)
        QTest::keyClick(target, c.toLatin1());
    // OK takes what the open editor holds.
    QTest::mouseClick(form.OKBtn, Qt::LeftButton);
}

struct ImportWindow {
    TestContext t;
    TempFolder dir;
    std::unique_ptr<TKassotekMainWindow> w;
    QString chosen;
    int choices = 0;

    ImportWindow() {
        t.ctx.settings.ImportHinweis = true;
        w = std::make_unique<TKassotekMainWindow>(t.ctx);
        w->chooseImportFile = [this](QWidget*, const QString&, bool) {
            ++choices;
            return chosen;
        };
        w->show();
    }
    Collection& c() { return t.ctx.collection; }
    std::vector<std::string> titles() const { return ListedTitles(w->filmList()); }
    // Runs a command and confirms the settings dialog as it stands.
    void run(QAction* command) {
        WhenModalOf<TForm_TXT_Import>(
            [](TForm_TXT_Import* form) { QTest::mouseClick(form->OKBtn, Qt::LeftButton); });
        command->trigger();
    }
};

} // namespace

class ImportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void excelModeShowsTheSettingsAndTheHintOnce() {
        TestContext t;
        t.ctx.settings.FirstRow2Read = 4;
        t.ctx.settings.AnzRows2Read = 7;
        t.ctx.settings.FirstCol2Read = 0;
        t.ctx.settings.AnzCols2Read = 3;
        t.ctx.settings.ImportTrennz = ';';
        t.ctx.colArrange[ColLength].ImportPos = 2;
        t.dialogs.expect(Box::Information, HintText);
        TForm_TXT_Import form(t.ctx, true);
        form.show();
        QVERIFY(t.ctx.settings.ImportHinweis);
        QCOMPARE(form.windowTitle(), QStringLiteral("Kassotek: Import-Filter"));
        QCOMPARE(form.PageControl1->count(), 2);
        QCOMPARE(form.PageControl1->tabText(1), QStringLiteral("Import aus &Excel"));
        QCOMPARE(form.PageControl1->currentIndex(), 0);
        QVERIFY(!form.KopfzeilenSpinEdit->isEnabled());
        QCOMPARE(form.FirstRowSpinEdit->value(), 5);
        QCOMPARE(form.AnzRowsSpinEdit->value(), 7);
        QCOMPARE(form.FirstColSpinEdit->value(), 1);
        QCOMPARE(form.AnzColsSpinEdit->value(), 3);
        QCOMPARE(form.TrennzeichenEdit->text(), QStringLiteral(";"));
        QCOMPARE(form.PositionsStringGrid->item(1, 0)->text(), QStringLiteral("[2] Länge"));
        QCOMPARE(form.PositionsStringGrid->item(1, 1)->text(), QStringLiteral("2"));
        QCOMPARE(form.PositionsStringGrid->item(24, 0)->text(), QStringLiteral("[25] Bilder"));
        // Escape does not close it.
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        form.hide();
        form.show(); // no second hint
    }

    void textModeHasNoExcelPage() {
        TestContext t;
        TForm_TXT_Import form(t.ctx, false);
        form.show();
        QCOMPARE(form.PageControl1->count(), 1);
        QVERIFY(form.KopfzeilenSpinEdit->isEnabled());
        QVERIFY(form.HinweisLabel->text().startsWith(QStringLiteral("Hinweis: das Trennzeichen wird")));
        QVERIFY(!t.ctx.settings.ImportHinweis);
    }

    void positionCellsTakeDigitsAndOneMinus() {
        struct Case {
            int row;
            QString keys;
            QString text;
        };
        const Case cases[] = {
            {0, QStringLiteral("1a2"), QStringLiteral("12")},
            {1, QStringLiteral("-3-"), QStringLiteral("-3")},
            {2, QStringLiteral("x,.7"), QStringLiteral("7")},
            {24, QStringLiteral("5"), QStringLiteral("0")}, // the pictures row refuses every key
        };
        for (const auto& k : cases) {
            TestContext t;
            t.ctx.settings.ImportHinweis = true;
            t.ctx.settings.AnzRows2Read = 1;
            t.ctx.settings.AnzCols2Read = 1;
            TForm_TXT_Import form(t.ctx, true);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            TypeIntoCell(form, k.row, k.keys);
            QCOMPARE(form.PositionsStringGrid->item(k.row, 1)->text(), k.text);
        }
    }

    void okWithoutRowsOrColumnsStaysOpen() {
        TestContext t;
        t.ctx.settings.ImportHinweis = true;
        TForm_TXT_Import form(t.ctx, true);
        form.show();
        form.AnzRowsSpinEdit->setValue(3);
        form.AnzColsSpinEdit->setValue(0);
        form.TrennzeichenEdit->setText(QStringLiteral(" "));
        t.dialogs.expect(Box::Error, NoData);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
        // The step stored what it read before the check; an empty separator keeps the old one.
        QCOMPARE(t.ctx.settings.AnzRows2Read, 3);
        QCOMPARE(t.ctx.settings.Trennzeichen, '$');
    }

    // Duplicates and gaps show their message and the dialog again; OK then stores the grid.
    void positionsAreCheckedBeforeTheyAreStored() {
        TestContext t;
        t.ctx.settings.ImportHinweis = true;
        t.ctx.settings.AnzRows2Read = 5;
        t.ctx.settings.AnzCols2Read = 5;
        int shown = 0;
        std::function<void(TForm_TXT_Import*)> step = [&](TForm_TXT_Import* form) {
            QTableWidget* grid = form->PositionsStringGrid;
            ++shown;
            if (shown == 1) {
                grid->item(0, 1)->setText(QStringLiteral("1"));
                grid->item(1, 1)->setText(QStringLiteral("1"));
            } else if (shown == 2) {
                grid->item(1, 1)->setText(QStringLiteral("3"));
            } else {
                grid->item(1, 1)->setText(QStringLiteral("2"));
                grid->item(4, 1)->setText(QStringLiteral("kein"));
                form->TrennzeichenEdit->setText(QStringLiteral(";"));
            }
            if (shown < 3)
                WhenModalOf<TForm_TXT_Import>(step);
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
        };
        t.dialogs.expect(Box::Error, "Es existieren doppelte Zuweisungen!");
        t.dialogs.expect(Box::Error, "Es existieren Lücken in den Zuweisungen!");
        WhenModalOf<TForm_TXT_Import>(step);
        QVERIFY(ImportSpaltenAbfolgeFestlegen(t.ctx, nullptr, true));
        QCOMPARE(shown, 3);
        QCOMPARE(t.ctx.colArrange[ColTitle].ImportPos, 1);
        QCOMPARE(t.ctx.colArrange[ColLength].ImportPos, 2);
        QCOMPARE(t.ctx.colArrange[ColCategory].ImportPos, 0);
        QCOMPARE(t.ctx.settings.ImportTrennz, ';');
        QCOMPARE(t.ctx.settings.Trennzeichen, ';');

        // Abbrechen stores nothing from the grid.
        WhenModalOf<TForm_TXT_Import>([](TForm_TXT_Import* form) {
            form->PositionsStringGrid->item(0, 1)->setText(QStringLiteral("9"));
            QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
        });
        QVERIFY(!ImportSpaltenAbfolgeFestlegen(t.ctx, nullptr, true));
        QCOMPARE(t.ctx.colArrange[ColTitle].ImportPos, 1);
    }

    void excelCommandImportsTheWorkbook() {
        for (const char* name : {"filme-libreoffice.xls", "filme-libreoffice.xlsx"}) {
            ImportWindow f;
            Settings& s = f.t.ctx.settings;
            s.FirstRow2Read = 1;
            s.AnzRows2Read = 4;
            s.FirstCol2Read = 0;
            s.AnzCols2Read = 8;
            SetPositions(f.t.ctx.colArrange);
            f.chosen = QString::fromStdString(Data + name);
            f.t.dialogs.expect(Box::Information, "Es wurden 3 Datensätze aus ");
            f.run(f.w->ImportierenausExcel1);
            QCOMPARE(f.titles(), (std::vector<std::string>{"Alien", "Blade Runner", "Élodie „Ça“ 5 €"}));
            QVERIFY(!f.c().DataSaved);
            QVERIFY(f.w->Speichern1->isEnabled());
            // The new medium is in the selector, ticked with all others.
            TCheckedComboBox* media = f.w->CheckedComboBoxShowStorageType;
            QCOMPARE(media->Items().size(), 7);
            QCOMPARE(media->Items().last(), QStringLiteral("Blu-ray"));
            QCOMPARE(media->CheckedCount(), 7);
            QCOMPARE(f.c().StorageMediaList.size(), std::size_t(7));
        }
    }

    void textCommandImportsCsv() {
        ImportWindow f;
        f.t.ctx.settings.ImportKopfzeilen = 1;
        f.t.ctx.settings.ImportTrennz = ';';
        f.t.ctx.settings.Trennzeichen = ';';
        SetPositions(f.t.ctx.colArrange);
        WriteBytes(f.dir.file("filme.csv"), "Titel;L\xC3\xA4nge\n\"Alien; der 8.\";117\n\xC3\x89lodie;90\n");
        f.chosen = QString::fromStdString(f.dir.file("filme.csv"));
        f.t.dialogs.expect(Box::Information, "Es wurden 2 Datensätze aus ");
        QVERIFY(f.w->ImportierenausTXTDatei1->isEnabled());
        f.run(f.w->ImportierenausTXTDatei1);
        QCOMPARE(f.titles(), (std::vector<std::string>{"Alien; der 8.", "Élodie"}));
    }

    // Nothing chosen, a missing file, a file of another kind: a message, and the collection as it was.
    void refusedChoicesLeaveTheCollection() {
        struct Case {
            QString chosen;
            Box box;
            const char* message;
        };
        const Case cases[] = {
            {QString(), Box::Warning, "Keine Datei ausgewählt!"},
            {QStringLiteral("/nicht/da/filme.xls"), Box::Error,
             "Fehler:\r\n\r\nKonnte /nicht/da/filme.xls nicht finden!"},
            // An .xlsx named .xls is refused, not read.
            {QStringLiteral("umbenannt.xls"), Box::Error,
             "Die Datei ist eine Excel-2007-Arbeitsmappe (.xlsx); wählen Sie den Dateityp *.xlsx."},
            {QString::fromStdString(Data + "tabelle.ods"), Box::Error, "OpenDocument-Tabelle (.ods)"},
        };
        for (const auto& k : cases) {
            ImportWindow f;
            f.t.ctx.settings.AnzRows2Read = 5;
            f.t.ctx.settings.AnzCols2Read = 5;
            SetPositions(f.t.ctx.colArrange);
            f.chosen = k.chosen;
            if (k.chosen == QStringLiteral("umbenannt.xls")) {
                WriteBytes(f.dir.file("umbenannt.xls"), ReadBytes(Data + "filme-libreoffice.xlsx"));
                f.chosen = QString::fromStdString(f.dir.file("umbenannt.xls"));
            }
            f.t.dialogs.expect(k.box, k.message);
            f.run(f.w->ImportierenausExcel1);
            QCOMPARE(f.c().AnzFilm(), 0);
            QVERIFY(f.c().DataSaved);
            QCOMPARE(f.choices, 1);
        }
    }
};

QTEST_MAIN(ImportTest)
#include "test_import.moc"
