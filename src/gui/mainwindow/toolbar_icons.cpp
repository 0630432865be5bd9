#include "mainwindow/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace kt {

namespace {

constexpr int Size = 20;

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Blue(30, 90, 180);
const QColor Green(20, 140, 40);
const QColor Red(200, 30, 30);
const QColor Yellow(240, 200, 60);
const QColor Shell(60, 60, 64);

void Page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
    p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void Cassette(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(Shell);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setBrush(QColor(250, 248, 236));
    p.drawRect(QRectF(r.left() + 2, r.top() + 1.5, r.width() - 4, r.height() * 0.3));
    p.setBrush(QColor(235, 235, 235));
    const double y = r.top() + r.height() * 0.66;
    const double rad = r.height() * 0.17;
    p.drawEllipse(QPointF(r.left() + r.width() * 0.3, y), rad, rad);
    p.drawEllipse(QPointF(r.left() + r.width() * 0.7, y), rad, rad);
}

void Film(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(r);
    p.setBrush(Paper);
    for (double x = r.left() + 1; x < r.right() - 1; x += 3) {
        p.drawRect(QRectF(x, r.top() + 1, 1.6, 1.6));
        p.drawRect(QRectF(x, r.bottom() - 2.6, 1.6, 1.6));
    }
    p.setBrush(QColor(120, 170, 230));
    p.drawRect(QRectF(r.left() + 1.5, r.top() + 4, r.width() / 2 - 2.5, r.height() - 8));
    p.drawRect(QRectF(r.center().x() + 1, r.top() + 4, r.width() / 2 - 2.5, r.height() - 8));
}

void Badge(QPainter& p, QColor colour, const QString& sign) {
    const QRectF r(11, 11, 9, 9);
    p.setPen(QPen(Paper, 1));
    p.setBrush(colour);
    p.drawEllipse(r);
    p.setPen(QPen(Paper, 1.6));
    if (sign == QLatin1String("+")) {
        p.drawLine(QPointF(15.5, 13), QPointF(15.5, 18));
        p.drawLine(QPointF(13, 15.5), QPointF(18, 15.5));
    } else if (sign == QLatin1String("check")) {
        p.drawPolyline(QPolygonF({QPointF(13, 15.5), QPointF(15, 17.5), QPointF(18.2, 13.2)}));
    } else if (sign == QLatin1String("pen")) {
        p.drawLine(QPointF(13.2, 17.8), QPointF(18, 13));
    }
}

void Printer(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 2.5, 9, 6));
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(2.5, 7.5, 15, 7), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 12.5, 9, 5));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawEllipse(QPointF(15, 9.8), 0.9, 0.9);
}

void SortArrow(QPainter& p) {
    p.setPen(QPen(Blue, 1.4));
    p.drawLine(QPointF(3.5, 3), QPointF(3.5, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawPolygon(QPolygonF({QPointF(0.5, 13.5), QPointF(6.5, 13.5), QPointF(3.5, 18.5)}));
}

void SortText(QPainter& p, const QString& text, double pixelSize = 8.5) {
    SortArrow(p);
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(static_cast<int>(pixelSize));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Ink);
    p.drawText(QRectF(6, 0, 14, 20), Qt::AlignCenter, text);
}

void Draw(QPainter& p, ToolGlyph glyph) {
    switch (glyph) {
    case ToolGlyph::Close:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(150, 105, 60));
        p.drawRect(QRectF(3.5, 2.5, 9, 15));
        p.setBrush(Ink);
        p.drawEllipse(QPointF(10.5, 10.5), 0.8, 0.8);
        p.setPen(QPen(Red, 2));
        p.drawLine(QPointF(12, 10), QPointF(18.5, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(Red);
        p.drawPolygon(QPolygonF({QPointF(15.5, 6.5), QPointF(19.5, 10), QPointF(15.5, 13.5)}));
        break;
    case ToolGlyph::NewFile:
        Page(p, QRectF(4.5, 1.5, 11, 16));
        p.setPen(QPen(Yellow.darker(130), 1.2));
        p.drawLine(QPointF(14, 13), QPointF(19, 18));
        p.drawLine(QPointF(19, 13), QPointF(14, 18));
        p.drawLine(QPointF(16.5, 12), QPointF(16.5, 19));
        break;
    case ToolGlyph::OpenFile:
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(235, 190, 80));
        p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(7, 4.5), QPointF(8.5, 6.5), QPointF(16.5, 6.5),
                                 QPointF(16.5, 16.5), QPointF(1.5, 16.5)}));
        p.setBrush(QColor(250, 215, 120));
        p.drawPolygon(
            QPolygonF({QPointF(4.5, 9.5), QPointF(19.5, 9.5), QPointF(16.5, 16.5), QPointF(1.5, 16.5)}));
        break;
    case ToolGlyph::SaveFile:
        p.setPen(QPen(QColor(20, 40, 90), 1));
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1, 1);
        p.setBrush(Paper);
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
        p.setBrush(Blue);
        p.drawRect(QRectF(11, 3.5, 2, 4));
        break;
    case ToolGlyph::Print:
        Printer(p);
        break;
    case ToolGlyph::PrinterSetup:
        Printer(p);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Yellow);
        p.drawEllipse(QPointF(15.5, 15.5), 3.6, 3.6);
        p.setBrush(QColor(90, 90, 90));
        p.drawEllipse(QPointF(15.5, 15.5), 1.2, 1.2);
        break;
    case ToolGlyph::NewFilm:
        Film(p, QRectF(1, 3, 15, 11));
        Badge(p, Green, QStringLiteral("+"));
        break;
    case ToolGlyph::NewCassette:
        Cassette(p, QRectF(1.5, 3.5, 16, 10));
        Badge(p, Green, QStringLiteral("+"));
        break;
    case ToolGlyph::EditCassettes:
        Cassette(p, QRectF(1.5, 3.5, 16, 10));
        Badge(p, Blue, QStringLiteral("pen"));
        break;
    case ToolGlyph::CheckCassettes:
        Cassette(p, QRectF(1.5, 3.5, 16, 10));
        Badge(p, QColor(0, 130, 90), QStringLiteral("check"));
        break;
    case ToolGlyph::Filter:
        p.setPen(QPen(QColor(20, 60, 120), 1));
        p.setBrush(QColor(90, 150, 220));
        p.drawPolygon(QPolygonF({QPointF(2, 3), QPointF(17, 3), QPointF(11, 10), QPointF(11, 16),
                                 QPointF(8, 18), QPointF(8, 10)}));
        p.setPen(QPen(Ink, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(15, 14), 2.6, 2.6);
        p.drawLine(QPointF(17, 16), QPointF(19.3, 18.3));
        break;
    case ToolGlyph::Options: {
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.setBrush(QColor(150, 150, 158));
        QPainterPath gear;
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8.0;
            const double r = (i % 2 == 0) ? 8.5 : 6.3;
            const QPointF pt(10 + r * std::cos(a), 10 + r * std::sin(a));
            if (i == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
        gear.closeSubpath();
        p.drawPath(gear);
        p.setBrush(Paper);
        p.drawEllipse(QPointF(10, 10), 2.6, 2.6);
        break;
    }
    case ToolGlyph::Notepad:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(255, 250, 190));
        p.drawRect(QRectF(3.5, 2.5, 13, 16));
        p.setPen(QPen(QColor(120, 140, 200), 1));
        for (double y = 7.5; y < 17; y += 3)
            p.drawLine(QPointF(5, y), QPointF(15, y));
        p.setPen(QPen(Red, 1));
        for (double x = 6; x < 16; x += 3)
            p.drawLine(QPointF(x, 1), QPointF(x, 4));
        break;
    case ToolGlyph::Statistics:
        p.setPen(QPen(Ink, 1));
        p.drawLine(QPointF(2, 18.5), QPointF(18.5, 18.5));
        p.setBrush(Red);
        p.drawRect(QRectF(3.5, 10.5, 3, 8));
        p.setBrush(Green);
        p.drawRect(QRectF(8.5, 4.5, 3, 14));
        p.setBrush(Blue);
        p.drawRect(QRectF(13.5, 8.5, 3, 10));
        break;
    case ToolGlyph::About: {
        p.setPen(QPen(QColor(20, 60, 140), 1));
        p.setBrush(QColor(50, 110, 210));
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        QFont f(QStringLiteral("Serif"));
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Paper);
        p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("i"));
        break;
    }
    case ToolGlyph::SortName:
        SortText(p, QStringLiteral("Az"));
        break;
    case ToolGlyph::SortLength:
        SortArrow(p);
        p.setPen(QPen(Ink, 1));
        p.setBrush(Paper);
        p.drawEllipse(QPointF(13, 10), 6, 6);
        p.setPen(QPen(Ink, 1.3));
        p.drawLine(QPointF(13, 10), QPointF(13, 5.8));
        p.drawLine(QPointF(13, 10), QPointF(16, 11.5));
        break;
    case ToolGlyph::SortCasNr:
        SortArrow(p);
        Cassette(p, QRectF(6.5, 3.5, 13, 8.5));
        {
            QFont f(QStringLiteral("Sans"));
            f.setPixelSize(7);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Ink);
            p.drawText(QRectF(6, 12, 14, 8), Qt::AlignCenter, QStringLiteral("Nr"));
        }
        break;
    case ToolGlyph::SortCategory:
        SortText(p, QStringLiteral("Kat"), 7.5);
        break;
    case ToolGlyph::SortCountry:
        SortArrow(p);
        p.setPen(QPen(QColor(20, 80, 60), 1));
        p.setBrush(QColor(120, 190, 230));
        p.drawEllipse(QPointF(13, 10), 6, 6);
        p.setBrush(QColor(70, 160, 70));
        p.drawEllipse(QPointF(11.5, 8.5), 2.5, 2);
        p.drawEllipse(QPointF(15, 12.5), 2, 1.6);
        break;
    case ToolGlyph::SortYear:
        SortArrow(p);
        p.setPen(QPen(Ink, 1));
        p.setBrush(Paper);
        p.drawRect(QRectF(7.5, 4.5, 11, 12));
        p.setBrush(Red);
        p.drawRect(QRectF(7.5, 4.5, 11, 3));
        {
            QFont f(QStringLiteral("Sans"));
            f.setPixelSize(7);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Ink);
            p.drawText(QRectF(7.5, 7.5, 11, 9), Qt::AlignCenter, QStringLiteral("J"));
        }
        break;
    case ToolGlyph::Unsorted:
        p.setPen(QPen(Ink, 1.4));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(7, 4.5 + i * 4), QPointF(18, 4.5 + i * 4));
        p.setPen(QPen(Green, 1.4));
        p.drawLine(QPointF(3.5, 17), QPointF(3.5, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawPolygon(QPolygonF({QPointF(0.5, 6.5), QPointF(6.5, 6.5), QPointF(3.5, 1.5)}));
        break;
    }
}

} // namespace

QIcon ToolIcon(ToolGlyph glyph) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(Size * scale, Size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        Draw(p, glyph);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace kt
