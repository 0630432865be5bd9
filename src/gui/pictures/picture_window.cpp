#include "pictures/picture_window.h"

#include "pictures/pic_image.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>

namespace kt {

namespace {

QPointer<TForm_Kassotek_Image>& ShowingWindow() {
    static QPointer<TForm_Kassotek_Image> window;
    return window;
}

} // namespace

QRect PictureWindowGeometry(QSize picture, const QRect& screen) {
    const int sw = screen.width();
    const int sh = screen.height();
    QSize size;
    if (picture.width() < sw - 10 && picture.height() < sh - 60)
        size = QSize(picture.width() + 12, picture.height() + 31);
    else
        size = QSize(sw - 30, sh - 60);
    QPoint at = screen.topLeft();
    if (size.width() < sw - 10)
        at.setX(screen.left() + (sw - size.width()) / 2);
    if (size.height() < sh - 60)
        at.setY(screen.top() + (sh - size.height()) / 2);
    return QRect(at, size);
}

QSize KeepAspect(QSize before, QSize after, double ratio) {
    if (ratio <= 0.0)
        return after;
    QSize out = after;
    if (std::abs(after.height() - before.height()) < std::abs(after.width() - before.width()))
        out.setHeight(static_cast<int>(after.width() / ratio));
    else
        out.setWidth(static_cast<int>(after.height() * ratio));
    return out;
}

TForm_Kassotek_Image::TForm_Kassotek_Image(QWidget* parent, bool onTop) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_Kassotek_Image"));
    setWindowTitle(QStringLiteral("Kassotek: Bild zum Film"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   (onTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags()));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    Image1 = new TPicImage;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setStretch(true);
    // The first size of the window need not have the picture's proportions: it is not distorted.
    Image1->setKeepAspect(true);
    ScrollBox1->setWidget(Image1);
    layout->addWidget(ScrollBox1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Seitenverhaeltnis1 = PopupMenu1->addAction(QStringLiteral("Seitenverhältnis beibehalten"));
    Seitenverhaeltnis1->setObjectName(QStringLiteral("Seitenverhaeltnis1"));
    FreiSkalierbar1 = PopupMenu1->addAction(QStringLiteral("frei skalierber"));
    FreiSkalierbar1->setObjectName(QStringLiteral("FreiSkalierbar1"));
    auto* group = new QActionGroup(this);
    for (QAction* a : {Seitenverhaeltnis1, FreiSkalierbar1}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    Seitenverhaeltnis1->setChecked(true);
    connect(Seitenverhaeltnis1, &QAction::triggered, this, &TForm_Kassotek_Image::Seitenverhaeltnis1Click);
    connect(FreiSkalierbar1, &QAction::triggered, this, &TForm_Kassotek_Image::FreiSkalierbar1Click);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });
}

TForm_Kassotek_Image::~TForm_Kassotek_Image() = default;

TForm_Kassotek_Image* TForm_Kassotek_Image::Showing() {
    TForm_Kassotek_Image* w = ShowingWindow();
    return w && w->isVisible() ? w : nullptr;
}

void TForm_Kassotek_Image::setPicture(const QImage& image, QSize size) {
    Image1->setPicture(image, size);
}

QSize TForm_Kassotek_Image::pictureSize() const {
    return Image1->pictureSize();
}

QSize TForm_Kassotek_Image::decoration() const {
    // The frame drawn around the window by the window manager; before it is known (an X11 window
    // manager tells it only after mapping) a tool window's usual frame, so that a picture that
    // fits shows at its own size.
    const QSize frame = frameGeometry().size() - geometry().size();
    return frame.width() > 0 && frame.height() > 0 ? frame : QSize(12, 31);
}

void TForm_Kassotek_Image::showEvent(QShowEvent* event) {
    ShowingWindow() = this;
    QDialog::showEvent(event);
    if (!placed_)
        FormActivate();
}

void TForm_Kassotek_Image::hideEvent(QHideEvent* event) {
    if (ShowingWindow() == this)
        ShowingWindow() = nullptr;
    QDialog::hideEvent(event);
}

void TForm_Kassotek_Image::FormActivate() {
    placed_ = true;
    const QSize picture = Image1->pictureSize();
    if (!picture.isValid() || picture.isEmpty())
        return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect outer = PictureWindowGeometry(picture, area);
    const QSize frame = frameGeometry().size() - geometry().size();
    const bool frameKnown = frame.width() > 0 && frame.height() > 0;
    adjusting_ = true;
    resize(outer.size() - decoration());
    // Without a known frame the position is taken for the inside: the title bar must stay on the
    // screen.
    move(frameKnown ? outer.topLeft() : outer.topLeft() + QPoint(6, 25));
    adjusting_ = false;
    ratio_ = static_cast<double>(picture.width()) / picture.height();
    remembered_ = size();
}

void TForm_Kassotek_Image::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (adjusting_ || ratio_ <= 0.0)
        return;
    if (Seitenverhaeltnis1->isChecked()) {
        const QSize kept = KeepAspect(remembered_, size(), ratio_);
        remembered_ = kept;
        if (kept != size()) {
            adjusting_ = true;
            resize(kept);
            adjusting_ = false;
        }
    }
    remembered_ = size();
}

void TForm_Kassotek_Image::Seitenverhaeltnis1Click() {
    Seitenverhaeltnis1->setChecked(true);
    Image1->setKeepAspect(true);
    if (ratio_ <= 0.0)
        return;
    // The width leads when the rule is switched on again.
    const QSize kept(width(), static_cast<int>(width() / ratio_));
    adjusting_ = true;
    resize(kept);
    adjusting_ = false;
    remembered_ = size();
}

void TForm_Kassotek_Image::FreiSkalierbar1Click() {
    FreiSkalierbar1->setChecked(true);
    Image1->setKeepAspect(false);
}

} // namespace kt
