#pragma once

#include "printing/print_layout.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QToolButton;

namespace kt {

class UserDialogs;

// The program's printer: the default printer that CUPS offers, else PDF output on A4 with 5 mm
// margins. Printing to a PDF file is always possible.
std::shared_ptr<QPrinter> MakeProgramPrinter();
// The printer setup dialog (the system's printers and "In PDF-Datei drucken"); true when confirmed.
bool ShowPrinterSetup(QPrinter& printer, QWidget* parent);

// The white sheet of the preview: draws the page laid out last, scaled to its own size.
class TPrintImage : public QWidget {
    Q_OBJECT
public:
    TPrintImage(const PrintedPage& page, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PrintedPage& page_;
};

// "Kassotek-Druckvorschau": the film list as it is printed, page by page, with printing of all
// pages or of the displayed one. It works on the copy of the list it was opened with and does
// not block the main window.
class TPrnPreviewForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int SpeedBarHeight = 35;
    // The zoom list's factors, item by item.
    static constexpr int ZoomFactors[] = {1, 2, 4, 8, 10};

    TPrnPreviewForm(PrintCopy copy, std::shared_ptr<QPrinter> printer, UserDialogs& dialogs,
                    QWidget* parent = nullptr);
    ~TPrnPreviewForm() override;

    // 1000 while the preview waits for its first page (the main window's idle step draws it).
    int Tag = 0;

    PrintLayout& layout() { return layout_; }
    const PrintedPage& page() const { return page_; }
    QPrinter& printer() { return *printer_; }
    int zoom() const { return zoom_; }
    bool printing() const { return printing_; }

    // Lays out the displayed page on the current printer's area and shows it.
    void Ausgabe();
    // Fits the sheet into the window (times the zoom factor).
    void BlattAnpassen();
    void SetStartCell();
    // Prints all pages or the displayed one; false when nothing was printed (cancelled, aborted,
    // failed).
    bool Print_Abstract(bool onlyDisplayed);
    void Adjust_SpeedBar();
    int GetZoomComboBoxIndex() const;
    // The printer's paper or printer changed: the page length is found anew.
    void PrinterChanged();

    void CloseSpeedButtonClick();
    void PrintSpeedButtonClick();
    void PrintPageSpeedButtonClick();
    void PrinterSetupSpeedButtonClick();
    void FirstPageSpeedButtonClick();
    void PriorPageSpeedButtonClick();
    void NextPageSpeedButtonClick();
    void LastPageSpeedButtonClick();
    void AbortSpeedButtonClick();

    // The dialogs; tests replace them. The PDF file is asked for with the printer's output file
    // name as suggestion; empty when cancelled.
    std::function<bool(QPrinter&, QWidget*)> setupPrinter;
    std::function<QString(QWidget*, const QString& suggestion)> choosePdfFile;
    // Today as the header shows it.
    std::function<std::string()> dateText;
    // After each printed sheet (tests abort from here).
    std::function<void(int done, int total)> sheetPrinted;

    QWidget* SpeedBar;
    QToolButton* CloseSpeedButton;
    QToolButton* PrintSpeedButton;
    QToolButton* PrintPageSpeedButton;
    QToolButton* PrinterSetupSpeedButton;
    QToolButton* FirstPageSpeedButton;
    QToolButton* PriorPageSpeedButton;
    QToolButton* NextPageSpeedButton;
    QToolButton* LastPageSpeedButton;
    QToolButton* AbortSpeedButton;
    QFrame* PagePanel;
    QLabel* PageLabel;
    QFrame* TotalPanel;
    QLabel* TotalLabel;
    QComboBox* ZoomComboBox;
    QProgressBar* PrintProgressBar;
    QScrollArea* ScrollBox;
    QWidget* SheetBox;
    TPrintImage* PrintImage;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // After paging: the start row, the label, the buttons, the page.
    void ShowPage(int seite);
    void UpdatePageButtons();
    void ZoomChanged(int index);
    bool PrintToPdf(bool onlyDisplayed, const std::string& date);
    bool PrintToPrinter(bool onlyDisplayed, const std::string& date);
    void BeginJob(int pages);
    bool SheetDone(int done, int total);
    void EndJob();

    PrintLayout layout_;
    PrintedPage page_;
    MeasureText measure_;
    std::shared_ptr<QPrinter> printer_;
    UserDialogs& dialogs_;
    int zoom_ = 1;
    bool printing_ = false;
    bool abortRequested_ = false;
    std::unique_ptr<QObject> inputGuard_;
};

} // namespace kt
