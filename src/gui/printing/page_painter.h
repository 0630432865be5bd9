#pragma once

// Qt Gui only (no widgets): the tool's print command uses this file too.

#include "printing/print_layout.h"

#include <QFont>
#include <QPageLayout>
#include <QRectF>

#include <functional>
#include <string>

class QPagedPaintDevice;
class QPainter;

namespace kt {

// The font of a printed page, its pixel size in 0.01 mm (ten times finer than the layout, so that
// the cell heights of the fonts come out exactly).
QFont PrintQFont(PrintFont font);
// Widths in 0.1 mm of the fonts above, the same on every device, so the preview lays out what the
// printer prints.
MeasureText QtMeasureText();

// The printable area of a page layout in whole millimetres.
PrintArea PrintAreaOf(const QPageLayout& layout);
// A4 portrait with 5 mm margins all round: 200 x 287 mm to print on.
QPageLayout DefaultPrintPageLayout();

// Draws `page` with its 0.1 mm units mapped onto `target` (the painter's coordinates), y downward.
void PaintPage(QPainter& painter, const PrintedPage& page, const QRectF& target);

// Draws pages of `layout` on `device` (a printer or a PDF writer whose painter is `painter`), one
// sheet each, in 0.1 mm on the printable area: the displayed page only, or all from the displayed
// one to the last. Seite advances as each page is drawn. `pageDone(done, total)` follows each
// sheet; false from it stops the job. True when every page was drawn.
bool PrintPages(PrintLayout& layout, QPagedPaintDevice& device, QPainter& painter, bool onlyDisplayed,
                const std::string& date, const std::function<bool(int done, int total)>& pageDone);

// The pages as a PDF document (all, or only the displayed page), titled "Kassotek-Datenausdruck".
// Empty when stopped by `pageDone`.
QByteArray PdfOfPages(PrintLayout& layout, const QPageLayout& pageLayout, bool onlyDisplayed,
                      const std::string& date, const std::function<bool(int done, int total)>& pageDone);

// The title of every print job.
inline constexpr const char* PrintJobTitle = "Kassotek-Datenausdruck";

} // namespace kt
