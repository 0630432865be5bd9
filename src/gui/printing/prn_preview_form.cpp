#include "printing/prn_preview_form.h"

#include "dialogs/message_box.h"
#include "help/help_window.h"
#include "mainwindow/toolbar_icons.h"
#include "model/dialogs.h"
#include "persistence/save_transaction.h"
#include "printing/page_painter.h"
#include "text/helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace kt {

namespace {

const QColor Teal(0, 128, 128);

// While a job prints, only the abort button takes input; closing any window waits for the end.
class InputGuard : public QObject {
public:
    explicit InputGuard(QWidget* allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
    ~InputGuard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || watched == allowed_)
            return false;
        switch (event->type()) {
        case QEvent::Close:
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }

private:
    QObject* allowed_;
};

QIcon PageIcon(QWidget* owner, QStyle::StandardPixmap standard) {
    return owner->style()->standardIcon(standard);
}

// The print icon with a small sheet and a "1" on it: one page only.
QIcon OnePageIcon() {
    QPixmap pixmap = ToolIcon(ToolGlyph::Print).pixmap(20, 20);
    QPainter p(&pixmap);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 8.5, 8, 10));
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(10.5, 8.5, 8, 10), Qt::AlignCenter, QStringLiteral("1"));
    return QIcon(pixmap);
}

std::string TodayText() {
    return PrintDateText(NowAsDateTime());
}

} // namespace

std::shared_ptr<QPrinter> MakeProgramPrinter() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull() || printer->outputFormat() == QPrinter::PdfFormat) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageLayout(DefaultPrintPageLayout());
    }
    printer->setDocName(QString::fromLatin1(PrintJobTitle));
    return printer;
}

bool ShowPrinterSetup(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog only chooses printer and paper; printing starts elsewhere.
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

TPrintImage::TPrintImage(const PrintedPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName(QStringLiteral("PrintImage"));
}

void TPrintImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPage(painter, page_, QRectF(rect()));
}

TPrnPreviewForm::TPrnPreviewForm(PrintCopy copy, std::shared_ptr<QPrinter> printer, UserDialogs& dialogs,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), layout_(std::move(copy)), measure_(QtMeasureText()),
      printer_(std::move(printer)), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PrnPreviewForm"));
    setWindowTitle(QStringLiteral("Kassotek-Druckvorschau"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, Teal);
    setPalette(teal);
    setAutoFillBackground(true);

    setupPrinter = [](QPrinter& p, QWidget* parentWidget) { return ShowPrinterSetup(p, parentWidget); };
    choosePdfFile = [](QWidget* parentWidget, const QString& suggestion) {
        return QFileDialog::getSaveFileName(parentWidget, QStringLiteral("In PDF-Datei drucken"), suggestion,
                                            QStringLiteral("PDF-Dateien (*.pdf)"));
    };
    dateText = TodayText;

    SpeedBar = new QWidget(this);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setAutoFillBackground(true);
    SpeedBar->setPalette(QApplication::palette());
    auto* row = new QHBoxLayout(SpeedBar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    auto button = [&](const char* name, const QIcon& icon, const char* hint,
                      void (TPrnPreviewForm::*handler)()) {
        auto* b = new QToolButton(SpeedBar);
        b->setObjectName(QLatin1String(name));
        b->setIcon(icon);
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        b->setToolTip(QString::fromUtf8(hint));
        b->setFixedSize(29, 29);
        connect(b, &QToolButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    using F = TPrnPreviewForm;
    CloseSpeedButton = button("CloseSpeedButton", ToolIcon(ToolGlyph::Close), "Druckvorschau beenden",
                              &F::CloseSpeedButtonClick);
    PrintSpeedButton =
        button("PrintSpeedButton", ToolIcon(ToolGlyph::Print), "Drucken", &F::PrintSpeedButtonClick);
    PrintPageSpeedButton = button("PrintPageSpeedButton", OnePageIcon(), "angezeigte Seite drucken",
                                  &F::PrintPageSpeedButtonClick);
    PrinterSetupSpeedButton = button("PrinterSetupSpeedButton", ToolIcon(ToolGlyph::PrinterSetup),
                                     "Drucker-Setup", &F::PrinterSetupSpeedButtonClick);
    FirstPageSpeedButton = button("FirstPageSpeedButton", PageIcon(this, QStyle::SP_MediaSkipBackward),
                                  "zur ersten Seite springen", &F::FirstPageSpeedButtonClick);
    PriorPageSpeedButton = button("PriorPageSpeedButton", PageIcon(this, QStyle::SP_ArrowLeft),
                                  "Seite zurückblättern", &F::PriorPageSpeedButtonClick);
    NextPageSpeedButton = button("NextPageSpeedButton", PageIcon(this, QStyle::SP_ArrowRight),
                                 "Seite vorblättern", &F::NextPageSpeedButtonClick);
    LastPageSpeedButton = button("LastPageSpeedButton", PageIcon(this, QStyle::SP_MediaSkipForward),
                                 "zur letzten Seite springen", &F::LastPageSpeedButtonClick);
    AbortSpeedButton = button("AbortSpeedButton", PageIcon(this, QStyle::SP_BrowserStop),
                              "Druckvorgang abbrechen", &F::AbortSpeedButtonClick);
    row->addSpacing(6);

    auto panel = [&](const char* name, const char* labelName, QLabel*& label) {
        auto* frame = new QFrame(SpeedBar);
        frame->setObjectName(QLatin1String(name));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        auto* inner = new QHBoxLayout(frame);
        inner->setContentsMargins(0, 0, 0, 0);
        label = new QLabel(frame);
        label->setObjectName(QLatin1String(labelName));
        label->setAlignment(Qt::AlignCenter);
        inner->addWidget(label);
        row->addWidget(frame);
        return frame;
    };
    PagePanel = panel("PagePanel", "PageLabel", PageLabel);
    TotalPanel = panel("TotalPanel", "TotalLabel", TotalLabel);
    PageLabel->setText(QStringLiteral("Seite 1"));
    TotalLabel->setText(QStringLiteral("Gesamtseitenzahl=1"));

    ZoomComboBox = new QComboBox(SpeedBar);
    ZoomComboBox->setObjectName(QStringLiteral("ZoomComboBox"));
    for (const int factor : ZoomFactors)
        ZoomComboBox->addItem(QStringLiteral("x%1").arg(factor));
    ZoomComboBox->setToolTip(QStringLiteral("Vergrößerung"));
    ZoomComboBox->setFocusPolicy(Qt::ClickFocus);
    row->addWidget(ZoomComboBox);
    connect(ZoomComboBox, &QComboBox::currentIndexChanged, this, &TPrnPreviewForm::ZoomChanged);

    PrintProgressBar = new QProgressBar(SpeedBar);
    PrintProgressBar->setObjectName(QStringLiteral("PrintProgressBar"));
    PrintProgressBar->setFormat(QStringLiteral("%v von %m"));
    PrintProgressBar->setFixedWidth(130);
    PrintProgressBar->hide();
    row->addWidget(PrintProgressBar);
    row->addStretch(1);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->viewport()->setPalette(teal);
    ScrollBox->viewport()->setAutoFillBackground(true);
    SheetBox = new QWidget;
    SheetBox->setObjectName(QStringLiteral("SheetBox"));
    SheetBox->setPalette(teal);
    SheetBox->setAutoFillBackground(true);
    PrintImage = new TPrintImage(page_, SheetBox);
    ScrollBox->setWidget(SheetBox);
    setFocusProxy(ScrollBox);

    // Page keys page, whatever has the focus in the window.
    const std::pair<Qt::Key, QToolButton*> keys[] = {{Qt::Key_PageDown, NextPageSpeedButton},
                                                     {Qt::Key_PageUp, PriorPageSpeedButton},
                                                     {Qt::Key_Home, FirstPageSpeedButton},
                                                     {Qt::Key_End, LastPageSpeedButton}};
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, target, [target] {
            if (target->isEnabled())
                target->click();
        });
    }

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { HelpWindow::Show(HelpPrintPreview, this); });

    Adjust_SpeedBar();
    UpdatePageButtons();
    AbortSpeedButton->setEnabled(false);

    // Sizeable, centred on the screen, about the proportions of a sheet.
    setMinimumSize(360, 240);
    const QRect screen =
        (parent && parent->screen() ? parent->screen() : QApplication::primaryScreen())->availableGeometry();
    const int h = std::min(900, screen.height() - 60);
    // Wide enough for the tool bar with the progress of a job of thousands of pages.
    resize(std::min(screen.width() - 40, std::max(800, h * 3 / 4)), h);
    move(screen.center() - QPoint(width() / 2, height() / 2));
}

TPrnPreviewForm::~TPrnPreviewForm() = default;

void TPrnPreviewForm::Adjust_SpeedBar() {
    PagePanel->setFixedWidth(PageLabel->sizeHint().width() + 20);
    TotalPanel->setFixedWidth(TotalLabel->sizeHint().width() + 15);
}

int TPrnPreviewForm::GetZoomComboBoxIndex() const {
    const auto* at = std::find(std::begin(ZoomFactors), std::end(ZoomFactors), zoom_);
    return at == std::end(ZoomFactors) ? 0 : static_cast<int>(at - std::begin(ZoomFactors));
}

void TPrnPreviewForm::ZoomChanged(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(ZoomFactors)))
        return;
    zoom_ = ZoomFactors[index];
    BlattAnpassen();
}

void TPrnPreviewForm::BlattAnpassen() {
    const PrintArea area = PrintAreaOf(printer_->pageLayout());
    const double ratio = area.druckbreite > 0 && area.DruckHoehe > 0
                             ? double(area.druckbreite) / area.DruckHoehe
                             : 200.0 / 287.0;
    const int clientW = width();
    const int clientH = height();
    const int availW = std::max(clientW - 10, 1);
    const int availH = std::max(clientH - SpeedBarHeight, 1);
    double left = 0, top = 0, w = 0, h = 0;
    if (double(availW) / availH > ratio) {
        h = clientH - 45;
        w = h * ratio;
        left = (clientW - w) / 2;
        top = SpeedBarHeight;
    } else {
        w = clientW - 20;
        h = w / ratio;
        left = 10;
        top = clientH / 2 + 8 - h / 2;
    }
    w = std::max(1.0, w * zoom_);
    h = std::max(1.0, h * zoom_);
    // A zoomed sheet keeps a margin and scrolls; below the bar everything is the scroll box's.
    const int sheetW = static_cast<int>(std::lround(w));
    const int sheetH = static_cast<int>(std::lround(h));
    const int x = std::max(10, static_cast<int>(std::lround(zoom_ == 1 ? left : (clientW - w) / 2)));
    const int y = std::max(zoom_ == 1 ? 0 : 10, static_cast<int>(std::lround(top)) - SpeedBarHeight);
    const QSize view = ScrollBox->maximumViewportSize();
    SheetBox->resize(std::max(view.width(), x + sheetW + 10), std::max(view.height(), y + sheetH + 10));
    PrintImage->setGeometry(x, y, sheetW, sheetH);
    PrintImage->update();
}

void TPrnPreviewForm::Ausgabe() {
    const PrintArea area = PrintAreaOf(printer_->pageLayout());
    layout_.Ausgabe(area, measure_, dateText(), page_);
    PageLabel->setText(QStringLiteral("Seite %1").arg(layout_.Seite));
    TotalLabel->setText(QStringLiteral("Gesamtseitenzahl=%1").arg(layout_.PageCount()));
    Adjust_SpeedBar();
    UpdatePageButtons();
    BlattAnpassen();
}

void TPrnPreviewForm::SetStartCell() {
    layout_.SetStartCell();
    PageLabel->setText(QStringLiteral("Seite %1").arg(layout_.Seite));
}

void TPrnPreviewForm::UpdatePageButtons() {
    const bool back = !printing_ && layout_.Seite > 1;
    const bool forward = !printing_ && layout_.Seite < layout_.PageCount();
    FirstPageSpeedButton->setEnabled(back);
    PriorPageSpeedButton->setEnabled(back);
    NextPageSpeedButton->setEnabled(forward);
    LastPageSpeedButton->setEnabled(forward);
}

void TPrnPreviewForm::ShowPage(int seite) {
    layout_.Seite = std::clamp(seite, 1, layout_.PageCount());
    SetStartCell();
    Ausgabe();
}

void TPrnPreviewForm::PrinterChanged() {
    layout_.ResetPageLength();
    Ausgabe();
}

void TPrnPreviewForm::CloseSpeedButtonClick() {
    close();
}

void TPrnPreviewForm::FirstPageSpeedButtonClick() {
    ShowPage(1);
}
void TPrnPreviewForm::PriorPageSpeedButtonClick() {
    ShowPage(layout_.Seite - 1);
}
void TPrnPreviewForm::NextPageSpeedButtonClick() {
    ShowPage(layout_.Seite + 1);
}
void TPrnPreviewForm::LastPageSpeedButtonClick() {
    ShowPage(layout_.PageCount());
}

void TPrnPreviewForm::PrinterSetupSpeedButtonClick() {
    if (setupPrinter(*printer_, this))
        PrinterChanged();
}

void TPrnPreviewForm::PrintSpeedButtonClick() {
    FirstPageSpeedButtonClick();
    Print_Abstract(false);
    ShowPage(1);
}

void TPrnPreviewForm::PrintPageSpeedButtonClick() {
    const int shown = layout_.Seite;
    Print_Abstract(true);
    ShowPage(shown);
}

void TPrnPreviewForm::AbortSpeedButtonClick() {
    if (printing_)
        abortRequested_ = true;
}

bool TPrnPreviewForm::Print_Abstract(bool onlyDisplayed) {
    if (printing_)
        return false;
    ZoomComboBox->setCurrentIndex(0);
    const std::string date = dateText();
    return printer_->outputFormat() == QPrinter::PdfFormat ? PrintToPdf(onlyDisplayed, date)
                                                           : PrintToPrinter(onlyDisplayed, date);
}

bool TPrnPreviewForm::PrintToPdf(bool onlyDisplayed, const std::string& date) {
    QString file = choosePdfFile(this, printer_->outputFileName());
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    BeginJob(onlyDisplayed ? 1 : layout_.PageCount());
    const QByteArray pdf = PdfOfPages(layout_, printer_->pageLayout(), onlyDisplayed, date,
                                      [this](int done, int total) { return SheetDone(done, total); });
    EndJob();
    if (pdf.isEmpty())
        return false;
    // The whole document is written beside the target and renamed: never a half-written PDF.
    const WriteOutcome out =
        WriteFileSafely(QFile::encodeName(file).toStdString(), std::string_view(pdf.constData(), pdf.size()));
    if (!out.ok) {
        dialogs_.error(ToCp(QStringLiteral("Die PDF-Datei konnte nicht geschrieben werden:\r\n") + file));
        return false;
    }
    printer_->setOutputFileName(file);
    return true;
}

bool TPrnPreviewForm::PrintToPrinter(bool onlyDisplayed, const std::string& date) {
    printer_->setDocName(QString::fromLatin1(PrintJobTitle));
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        dialogs_.error(ToCp(QStringLiteral("Der Druckauftrag konnte nicht begonnen werden (Drucker ") +
                            printer_->printerName() + QStringLiteral(")!")));
        return false;
    }
    BeginJob(onlyDisplayed ? 1 : layout_.PageCount());
    const bool complete = PrintPages(layout_, *printer_, painter, onlyDisplayed, date,
                                     [this](int done, int total) { return SheetDone(done, total); });
    if (!complete)
        printer_->abort();
    painter.end();
    EndJob();
    return complete;
}

void TPrnPreviewForm::BeginJob(int pages) {
    printing_ = true;
    abortRequested_ = false;
    for (QToolButton* b : SpeedBar->findChildren<QToolButton*>())
        b->setEnabled(b == AbortSpeedButton);
    ZoomComboBox->setEnabled(false);
    PrintProgressBar->setRange(0, std::max(pages, 1));
    PrintProgressBar->setValue(0);
    PrintProgressBar->show();
    inputGuard_ = std::make_unique<InputGuard>(AbortSpeedButton);
}

bool TPrnPreviewForm::SheetDone(int done, int total) {
    PrintProgressBar->setMaximum(std::max(total, 1));
    PrintProgressBar->setValue(done);
    if (sheetPrinted)
        sheetPrinted(done, total);
    // The abort button must be able to answer between two sheets.
    QCoreApplication::processEvents();
    return !abortRequested_;
}

void TPrnPreviewForm::EndJob() {
    inputGuard_.reset();
    printing_ = false;
    PrintProgressBar->hide();
    for (QToolButton* b : SpeedBar->findChildren<QToolButton*>())
        b->setEnabled(b != AbortSpeedButton);
    ZoomComboBox->setEnabled(true);
    UpdatePageButtons();
}

void TPrnPreviewForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SpeedBar->setGeometry(0, 0, width(), SpeedBarHeight);
    ScrollBox->setGeometry(0, SpeedBarHeight, width(), std::max(0, height() - SpeedBarHeight));
    BlattAnpassen();
}

void TPrnPreviewForm::closeEvent(QCloseEvent* event) {
    // A running job ends first; the user aborts it with its button.
    if (printing_) {
        abortRequested_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace kt
