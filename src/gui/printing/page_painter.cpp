#include "printing/page_painter.h"

#include "text/cp1252.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <array>
#include <cmath>
#include <memory>

namespace kt {

namespace {

// Fonts are sized in 0.01 mm, the layout in 0.1 mm.
constexpr double FontUnits = 10.0;

QFont BaseFont(PrintFont font) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    // Unhinted and unkerned: widths that add up the same at every size and on every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setItalic(font != PrintFont::Rows);
    f.setBold(font == PrintFont::ColumnHeads);
    return f;
}

QString Text(std::string_view cp1252) {
    QString s;
    s.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char ch : cp1252)
        s += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(ch))));
    return s;
}

} // namespace

QFont PrintQFont(PrintFont font) {
    // The height of a font is that of its cell (ascent and descent), as the page layout counts it.
    QFont f = BaseFont(font);
    constexpr int Probe = 1000;
    f.setPixelSize(Probe);
    const double cell = QFontMetricsF(f).height();
    const double wanted = PrintFontHeight(font) * FontUnits;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted * Probe / (cell > 0 ? cell : Probe)))));
    return f;
}

MeasureText QtMeasureText() {
    auto metrics = std::make_shared<std::array<QFontMetricsF, 3>>(std::array<QFontMetricsF, 3>{
        QFontMetricsF(PrintQFont(PrintFont::Header)), QFontMetricsF(PrintQFont(PrintFont::ColumnHeads)),
        QFontMetricsF(PrintQFont(PrintFont::Rows))});
    return [metrics](PrintFont font, std::string_view text) {
        const double w = (*metrics)[static_cast<std::size_t>(font)].horizontalAdvance(Text(text));
        return static_cast<int>(std::lround(w / FontUnits));
    };
}

PrintArea PrintAreaOf(const QPageLayout& layout) {
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    // Whole millimetres, never more than the printer can reach.
    return {static_cast<int>(std::floor(mm.width() + 1e-6)),
            static_cast<int>(std::floor(mm.height() + 1e-6))};
}

QPageLayout DefaultPrintPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
}

void PaintPage(QPainter& painter, const PrintedPage& page, const QRectF& target) {
    if (page.width <= 0 || page.height <= 0 || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / (page.width * FontUnits), target.height() / (page.height * FontUnits));
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPen pen(Qt::black);
    pen.setWidthF(2 * FontUnits);
    painter.setPen(pen);
    for (const PrintLine& l : page.lines)
        painter.drawLine(QPointF(l.x1 * FontUnits, -l.y1 * FontUnits),
                         QPointF(l.x2 * FontUnits, -l.y2 * FontUnits));

    for (const PrintFont font : {PrintFont::Header, PrintFont::ColumnHeads, PrintFont::Rows}) {
        const QFont f = PrintQFont(font);
        const QFontMetricsF fm(f);
        painter.setFont(f);
        for (const PrintText& t : page.texts) {
            if (t.font != font)
                continue;
            const QString s = Text(t.text);
            const double y = -t.y * FontUnits;
            if (t.align == PrintAlign::LeftTop)
                painter.drawText(QPointF(t.x * FontUnits, y + fm.ascent()), s);
            else
                painter.drawText(QPointF(t.x * FontUnits - fm.horizontalAdvance(s) / 2, y - fm.descent()), s);
        }
    }
    painter.restore();
}

bool PrintPages(PrintLayout& layout, QPagedPaintDevice& device, QPainter& painter, bool onlyDisplayed,
                const std::string& date, const std::function<bool(int done, int total)>& pageDone) {
    const MeasureText measure = QtMeasureText();
    const QPageLayout pageLayout = device.pageLayout();
    const PrintArea area = PrintAreaOf(pageLayout);
    // 0.1 mm on the printable area, whose top left corner is the painter's origin.
    const QRectF mm = pageLayout.paintRect(QPageLayout::Millimeter);
    const double perUnitX = mm.width() > 0 ? device.width() / (mm.width() * 10) : 0;
    const double perUnitY = mm.height() > 0 ? device.height() / (mm.height() * 10) : 0;

    PrintedPage page;
    // The first page fixes the page length, so the last page is known after it.
    layout.Ausgabe(area, measure, date, page);
    const int last = onlyDisplayed ? layout.Seite : layout.PageCount();
    const int total = last - layout.Seite + 1;
    for (int done = 0;;) {
        if (done > 0) {
            if (!device.newPage())
                return false;
            layout.Ausgabe(area, measure, date, page);
        }
        PaintPage(painter, page, QRectF(0, 0, page.width * perUnitX, page.height * perUnitY));
        ++done;
        if (!pageDone(done, total))
            return false;
        if (layout.Seite >= last)
            return true;
        ++layout.Seite;
        layout.SetStartCell();
    }
}

QByteArray PdfOfPages(PrintLayout& layout, const QPageLayout& pageLayout, bool onlyDisplayed,
                      const std::string& date, const std::function<bool(int done, int total)>& pageDone) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool complete = false;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(pageLayout);
        writer.setTitle(QString::fromLatin1(PrintJobTitle));
        writer.setCreator(QStringLiteral("Kassotek"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        complete = PrintPages(layout, writer, painter, onlyDisplayed, date, pageDone);
        painter.end();
    }
    buffer.close();
    return complete ? bytes : QByteArray();
}

} // namespace kt
