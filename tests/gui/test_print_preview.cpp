#include "gui_test.h"
#include "main_window_support.h"
#include "printing/page_painter.h"
#include "printing/prn_preview_form.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {

// Title and length of `films` films: 210 give five pages on A4 with 5 mm margins.
PrintCopy Films(int films) {
    std::vector<std::vector<std::string>> rows = {{"Filmtitel", ToCp1252("Länge")}};
    for (int i = 1; i <= films; ++i)
        rows.push_back({"Film " + std::to_string(i), std::to_string(90 + i % 30)});
    return PrintCopy({{ColTitle, 280}, {ColLength, 46}}, static_cast<int>(rows.size()),
                     [rows](int r, int c) -> std::string_view { return rows[r][c]; });
}

std::shared_ptr<QPrinter> PdfPrinter() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(DefaultPrintPageLayout());
    return printer;
}

int PdfPages(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")));
}

// The text of the PDF by pdftotext, when poppler-utils are there.
QString PdfText(const QString& file) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

struct Preview {
    TestContext t;
    TempFolder dir;
    std::unique_ptr<TPrnPreviewForm> form;
    QStringList asked;

    explicit Preview(int films, std::shared_ptr<QPrinter> printer = PdfPrinter()) {
        form = std::make_unique<TPrnPreviewForm>(Films(films), std::move(printer), t.ctx.dialogs());
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        form->dateText = [] { return std::string("3.1.2027"); };
        form->choosePdfFile = [this](QWidget*, const QString&) {
            asked << QString::fromStdString(dir.file("liste"));
            return asked.back();
        };
        form->resize(600, 800);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
        // What the main window's idle step does for a fresh preview.
        form->FirstPageSpeedButtonClick();
    }
    QString pdf() const { return QString::fromStdString(dir.file("liste.pdf")); }
    // Enabled state of first, prior, next, last.
    QList<bool> paging() const {
        return {form->FirstPageSpeedButton->isEnabled(), form->PriorPageSpeedButton->isEnabled(),
                form->NextPageSpeedButton->isEnabled(), form->LastPageSpeedButton->isEnabled()};
    }
};

} // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void toolBarAndStartState() {
        TestContext t;
        TPrnPreviewForm form(Films(210), PdfPrinter(), t.ctx.dialogs());
        QCOMPARE(form.windowTitle(), QStringLiteral("Kassotek-Druckvorschau"));
        QVERIFY(!form.isModal());
        QCOMPARE(form.palette().color(QPalette::Window), QColor(0, 128, 128));
        QStringList hints;
        QList<bool> enabled;
        for (QToolButton* b : form.SpeedBar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            hints << b->toolTip();
            enabled << b->isEnabled();
        }
        QCOMPARE(hints,
                 QStringList({"Druckvorschau beenden", "Drucken", "angezeigte Seite drucken", "Drucker-Setup",
                              "zur ersten Seite springen", "Seite zurückblättern", "Seite vorblättern",
                              "zur letzten Seite springen", "Druckvorgang abbrechen"}));
        QCOMPARE(enabled, QList<bool>({true, true, true, true, false, false, false, false, false}));
        QCOMPARE(form.PageLabel->text(), QStringLiteral("Seite 1"));
        QCOMPARE(form.TotalLabel->text(), QStringLiteral("Gesamtseitenzahl=1"));
        QCOMPARE(form.PagePanel->width(), form.PageLabel->sizeHint().width() + 20);
        QCOMPARE(form.TotalPanel->width(), form.TotalLabel->sizeHint().width() + 15);
        QStringList zooms;
        for (int i = 0; i < form.ZoomComboBox->count(); ++i)
            zooms << form.ZoomComboBox->itemText(i);
        QCOMPARE(zooms, QStringList({"x1", "x2", "x4", "x8", "x10"}));
    }

    void pagingButtonsAndKeys() {
        Preview p(210);
        QCOMPARE(p.form->TotalLabel->text(), QStringLiteral("Gesamtseitenzahl=5"));
        QCOMPARE(p.form->TotalPanel->width(), p.form->TotalLabel->sizeHint().width() + 15);
        QCOMPARE(p.paging(), QList<bool>({false, false, true, true}));
        struct Step {
            QToolButton* TPrnPreviewForm::*button; // nullptr: the key
            Qt::Key key;
            int seite;
            QList<bool> paging;
        };
        using F = TPrnPreviewForm;
        const Step steps[] = {
            {&F::NextPageSpeedButton, Qt::Key_unknown, 2, {true, true, true, true}},
            {&F::LastPageSpeedButton, Qt::Key_unknown, 5, {true, true, false, false}},
            {&F::PriorPageSpeedButton, Qt::Key_unknown, 4, {true, true, true, true}},
            {&F::FirstPageSpeedButton, Qt::Key_unknown, 1, {false, false, true, true}},
            {nullptr, Qt::Key_PageDown, 2, {true, true, true, true}},
            {nullptr, Qt::Key_End, 5, {true, true, false, false}},
            {nullptr, Qt::Key_PageDown, 5, {true, true, false, false}},
            {nullptr, Qt::Key_PageUp, 4, {true, true, true, true}},
            {nullptr, Qt::Key_Home, 1, {false, false, true, true}},
            {nullptr, Qt::Key_PageUp, 1, {false, false, true, true}},
        };
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        for (const Step& s : steps) {
            if (s.button)
                QTest::mouseClick(p.form.get()->*s.button, Qt::LeftButton);
            else
                QTest::keyClick(p.form->ScrollBox, s.key);
            QCOMPARE(p.form->layout().Seite, s.seite);
            QCOMPARE(p.form->PageLabel->text(), QStringLiteral("Seite %1").arg(s.seite));
            QCOMPARE(p.paging(), s.paging);
        }
        // Page 5 of 210 films begins with film 205.
        p.form->LastPageSpeedButtonClick();
        const auto& texts = p.form->page().texts;
        QVERIFY(
            std::any_of(texts.begin(), texts.end(), [](const PrintText& t) { return t.text == "Film 205"; }));
    }

    void aShortListHasOnePage() {
        Preview p(40);
        QCOMPARE(p.form->TotalLabel->text(), QStringLiteral("Gesamtseitenzahl=1"));
        QCOMPARE(p.paging(), QList<bool>({false, false, false, false}));
    }

    void printingTheDisplayedPageOrAll() {
        Preview p(210);
        p.form->NextPageSpeedButtonClick();
        p.form->NextPageSpeedButtonClick();
        p.form->ZoomComboBox->setCurrentIndex(2);
        QTest::mouseClick(p.form->PrintPageSpeedButton, Qt::LeftButton);
        QCOMPARE(p.asked.size(), 1);
        QCOMPARE(PdfPages(p.pdf()), 1);
        QCOMPARE(p.form->layout().Seite, 3);
        QCOMPARE(p.form->PageLabel->text(), QStringLiteral("Seite 3"));
        QCOMPARE(p.form->ZoomComboBox->currentText(), QStringLiteral("x1"));
        QCOMPARE(p.paging(), QList<bool>({true, true, true, true}));
        QVERIFY(!p.form->AbortSpeedButton->isEnabled());
        const QString text = PdfText(p.pdf());
        if (!text.isEmpty()) {
            QVERIFY2(text.startsWith("Kassotek Ausdruck vom 3.1.2027 Seite 3 von 5"), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Film 102 ")));
            QVERIFY(!text.contains(QStringLiteral("Film 101 ")));
        }

        QTest::mouseClick(p.form->PrintSpeedButton, Qt::LeftButton);
        QCOMPARE(PdfPages(p.pdf()), 5);
        QCOMPARE(p.form->layout().Seite, 1);
        QCOMPARE(p.paging(), QList<bool>({false, false, true, true}));
        const QString all = PdfText(p.pdf());
        if (!all.isEmpty())
            for (int page = 1; page <= 5; ++page)
                QVERIFY(all.contains(QStringLiteral("Seite %1 von 5").arg(page)));
    }

    void abortingAJobLeavesNoFile() {
        Preview p(210);
        int sheets = 0;
        p.form->sheetPrinted = [&](int done, int total) {
            sheets = done;
            QCOMPARE(total, 5);
            QVERIFY(p.form->printing());
            QVERIFY(p.form->PrintProgressBar->isVisible());
            QCOMPARE(p.form->PrintProgressBar->value(), done);
            // Only the abort button answers while the job runs.
            QVERIFY(!p.form->NextPageSpeedButton->isEnabled());
            QVERIFY(!p.form->close());
            if (done == 2)
                QTest::mouseClick(p.form->AbortSpeedButton, Qt::LeftButton);
        };
        QTest::mouseClick(p.form->PrintSpeedButton, Qt::LeftButton);
        QCOMPARE(sheets, 2);
        QVERIFY(!QFile::exists(p.pdf()));
        QVERIFY(p.t.dialogs.pending() == false);
        QVERIFY(!p.form->printing());
        QVERIFY(!p.form->PrintProgressBar->isVisible());
        QVERIFY(!p.form->AbortSpeedButton->isEnabled());
        QVERIFY(p.form->PrintSpeedButton->isEnabled());
        QVERIFY(p.form->isVisible());
    }

    void cancelledOrUnwritableFile() {
        Preview p(10);
        p.form->choosePdfFile = [](QWidget*, const QString&) { return QString(); };
        QVERIFY(!p.form->Print_Abstract(false));
        // A folder that does not exist: an error box, and nothing written.
        p.form->choosePdfFile = [&](QWidget*, const QString&) {
            return QString::fromStdString(p.dir.file("fehlt/liste.pdf"));
        };
        p.t.dialogs.expect(Box::Error, "Die PDF-Datei konnte nicht geschrieben werden:\r\n" +
                                           p.dir.file("fehlt/liste.pdf"));
        QVERIFY(!p.form->Print_Abstract(false));
        QVERIFY(!p.t.dialogs.pending());
        QVERIFY(p.dir.names().empty());
    }

    void smallerPaperFromTheSetup() {
        Preview p(120);
        QCOMPARE(p.form->layout().PageCount(), 3);
        p.form->LastPageSpeedButtonClick();
        p.form->setupPrinter = [](QPrinter& printer, QWidget*) {
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                              QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
            return true;
        };
        QTest::mouseClick(p.form->PrinterSetupSpeedButton, Qt::LeftButton);
        // A5 leaves 200 mm: 34 lines, 120 films on 4 pages; page 3 stays shown.
        QCOMPARE(p.form->layout().LinesPerPage, 34);
        QCOMPARE(p.form->TotalLabel->text(), QStringLiteral("Gesamtseitenzahl=4"));
        QCOMPARE(p.form->layout().Seite, 3);
        QCOMPARE(p.paging(), QList<bool>({true, true, true, true}));
        // A cancelled setup changes nothing.
        p.form->setupPrinter = [](QPrinter&, QWidget*) { return false; };
        p.form->PrinterSetupSpeedButtonClick();
        QCOMPARE(p.form->layout().PageCount(), 4);
    }

    void theSheetFitsTheWindowAndZooms() {
        Preview p(10);
        struct Case {
            QSize window;
            QRect sheet; // in the window's coordinates
        };
        // 200 x 287 mm: a tall window fits the width, a wide one the height.
        const Case cases[] = {
            {{600, 1000}, {10, 92, 580, 832}},
            {{900, 600}, {257, 35, 387, 555}},
        };
        for (const Case& k : cases) {
            p.form->resize(k.window);
            QTRY_COMPARE(p.form->size(), k.window);
            const QRect sheet(p.form->PrintImage->mapTo(p.form.get(), QPoint(0, 0)),
                              p.form->PrintImage->size());
            const QPoint corners[] = {sheet.topLeft() - k.sheet.topLeft(),
                                      sheet.bottomRight() - k.sheet.bottomRight()};
            for (const QPoint& off : corners)
                QVERIFY2(off.manhattanLength() <= 2, qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                                    .arg(sheet.x())
                                                                    .arg(sheet.y())
                                                                    .arg(sheet.width())
                                                                    .arg(sheet.height())));
        }
        QVERIFY(!p.form->ScrollBox->verticalScrollBar()->isVisible());
        p.form->ZoomComboBox->setCurrentIndex(2);
        QCOMPARE(p.form->zoom(), 4);
        QCOMPARE(p.form->GetZoomComboBoxIndex(), 2);
        QTRY_VERIFY(p.form->ScrollBox->verticalScrollBar()->isVisible());
        QVERIFY(p.form->ScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(p.form->PrintImage->width() > 4 * 380);
        p.form->ZoomComboBox->setCurrentIndex(0);
        QTRY_VERIFY(!p.form->ScrollBox->verticalScrollBar()->isVisible());
    }

    void printCommandOfTheMainWindow() {
        ListWindow l([](Collection& c) {
            for (int i = 1; i <= 60; ++i)
                c.appendFilm(MakeFilm("Film " + std::to_string(i), StDvd, i));
        });
        QVERIFY(!l.w->printPreview());
        QTest::mouseClick(l.w->PrintSpeedButton, Qt::LeftButton);
        TPrnPreviewForm* form = l.w->printPreview();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(!form->isModal());
        // The idle step draws the first page.
        QCOMPARE(form->Tag, int(TKassotekMainWindow::TagPreviewFirstPage));
        QVERIFY(form->page().texts.empty());
        l.w->ApplicationIdle();
        QCOMPARE(form->Tag, 0);
        QVERIFY(!form->page().texts.empty());
        QCOMPARE(form->layout().Seite, 1);
        QCOMPARE(form->layout().copy().RowCount(), 61);

        // The preview keeps the list it was opened with.
        l.c().Film(1).FilmName.Strng = "Anders";
        l.w->SetAusgabeData();
        QCOMPARE(std::string(form->layout().copy().Cell(1, 0)), std::string("Film 1"));
        QVERIFY(l.w->isEnabled());

        // The menu item opens a fresh preview in place of the old one.
        QPointer<TPrnPreviewForm> old = form;
        l.w->Drucken1->trigger();
        QTRY_VERIFY(!old);
        form = l.w->printPreview();
        QVERIFY(form);
        l.w->ApplicationIdle();
        QCOMPARE(form->Tag, 0);
        QCOMPARE(std::string(form->layout().copy().Cell(1, 0)), std::string("Anders"));

        // Closing the main window closes the preview.
        QPointer<TPrnPreviewForm> last = form;
        l.c().DataSaved = true;
        QVERIFY(l.w->close());
        QTRY_VERIFY(!last);
    }

    void printerSetupOfTheMainWindow() {
        ListWindow l([](Collection& c) { c.appendFilm(MakeFilm("Film", StDvd, 1)); });
        QStringList titles;
        WhenModal([&](QWidget* dialog) {
            titles << dialog->windowTitle();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QTest::mouseClick(l.w->PrinterSetupSpeedButton, Qt::LeftButton);
        QCOMPARE(titles, QStringList({"Drucker einrichten"}));
        QVERIFY(!l.t.dialogs.pending());
    }
};

QTEST_MAIN(PrintPreviewTest)
#include "test_print_preview.moc"
