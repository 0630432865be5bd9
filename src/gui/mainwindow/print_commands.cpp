#include "mainwindow/main_window.h"

#include "app_context.h"
#include "filmlist/film_list.h"
#include "printing/print_layout.h"
#include "printing/prn_preview_form.h"

#include <QPrinter>

namespace kt {

TPrnPreviewForm* TKassotekMainWindow::printPreview() const {
    return preview_.data();
}

QPrinter& TKassotekMainWindow::printer() {
    if (!printer_)
        printer_ = MakeProgramPrinter();
    return *printer_;
}

void TKassotekMainWindow::Drucken1Click() {
    traceCommand("Drucken1Click", true);
    // Each preview shows the list as it is when asked for; an older one makes room, unless it
    // is still printing.
    if (preview_ && !preview_->close()) {
        preview_->raise();
        preview_->activateWindow();
        traceCommand("Drucken1Click", false);
        return;
    }
    printer();
    auto* form =
        new TPrnPreviewForm(MakePrintCopy(*filmList_, ctx_.colArrange), printer_, ctx_.dialogs(), this);
    preview_ = form;
    // The idle step draws the first page once the window is there.
    form->Tag = TagPreviewFirstPage;
    form->show();
    traceCommand("Drucken1Click", false);
}

void TKassotekMainWindow::Druckereinrichtung1Click() {
    traceCommand("Druckereinrichtung1Click", true);
    if (ShowPrinterSetup(printer(), this) && preview_)
        preview_->PrinterChanged();
    traceCommand("Druckereinrichtung1Click", false);
}

} // namespace kt
