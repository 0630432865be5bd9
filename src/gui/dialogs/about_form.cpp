#include "dialogs/about_form.h"

#include "app_context.h"
#include "text/helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace kt {

const char* const MakerWebPage = "https://www.jorvald.example/kassotek/";
const char* const MakerMailAddress = "kassotek@jorvald.example";

QString MakerMailTarget() {
    return QStringLiteral("mailto:%1?subject=Kassotek").arg(QLatin1String(MakerMailAddress));
}

namespace {

const char* const ReleaseCode = "02-06-16-04-25-11";
constexpr int DesignWidth = 540;

// A link that opens its target on a click and offers to copy it from its context menu.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& caption, QString target, std::function<void(const QString&)> open,
              QWidget* parent)
        : QLabel(parent), target_(std::move(target)), open_(std::move(open)) {
        setText(caption);
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 200));
        setPalette(p);
        setFocusPolicy(Qt::NoFocus);
    }

    const QString& target() const { return target_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            open_(target_);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("LinkMenu"));
        QAction* copy = menu.addAction(QStringLiteral("Adresse in die Zwischenablage kopieren"));
        connect(copy, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(target_); });
        menu.exec(event->globalPos());
    }

private:
    QString target_;
    std::function<void(const QString&)> open_;
};

void DrawReel(QPainter& p, QPointF centre, double radius) {
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    p.setBrush(QColor(245, 245, 245));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(60, 45, 35));
    p.drawEllipse(centre, radius * 0.78, radius * 0.78);
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(centre, radius * 0.34, radius * 0.34);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3.0;
        p.drawLine(centre, centre + QPointF(std::cos(a), std::sin(a)) * radius * 0.30);
    }
}

} // namespace

QPixmap ProductPicture(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(24, 52, 98));
    sky.setColorAt(1, QColor(10, 22, 46));
    p.fillRect(pm.rect(), sky);

    // A video cassette, a little tilted, on the left.
    const double h = size.height() * 0.62;
    const double w = h * 1.75;
    p.save();
    p.translate(size.height() * 0.2 + w / 2, size.height() / 2.0);
    p.rotate(-8);
    const QRectF body(-w / 2, -h / 2, w, h);
    p.setPen(QPen(QColor(15, 15, 15), 1.5));
    p.setBrush(QColor(38, 38, 40));
    p.drawRoundedRect(body, 6, 6);
    const QRectF label(body.left() + w * 0.08, body.top() + h * 0.08, w * 0.84, h * 0.30);
    p.setBrush(QColor(250, 248, 236));
    p.drawRect(label);
    p.setPen(QColor(180, 30, 30));
    QFont lf(QStringLiteral("Sans"));
    lf.setPixelSize(qMax(6, int(h * 0.13)));
    lf.setBold(true);
    p.setFont(lf);
    p.drawText(label, Qt::AlignCenter, QStringLiteral("KASSOTEK"));
    const QRectF window(body.left() + w * 0.22, body.top() + h * 0.46, w * 0.56, h * 0.36);
    p.setPen(QPen(QColor(15, 15, 15), 1));
    p.setBrush(QColor(20, 20, 22));
    p.drawRoundedRect(window, 4, 4);
    const double r = window.height() * 0.42;
    DrawReel(p, QPointF(window.left() + window.width() * 0.25, window.center().y()), r);
    DrawReel(p, QPointF(window.left() + window.width() * 0.75, window.center().y()), r * 0.8);
    p.restore();

    // The name and a line on the right.
    const double textLeft = size.height() * 0.35 + w;
    QFont title(QStringLiteral("Serif"));
    title.setPixelSize(qMax(10, size.height() / 4));
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(QColor(255, 214, 90));
    const QRectF titleRect(textLeft, size.height() * 0.18, size.width() - textLeft - 8, size.height() * 0.36);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kassotek"));
    QFont sub(QStringLiteral("Sans"));
    sub.setPixelSize(qMax(8, size.height() / 10));
    p.setFont(sub);
    p.setPen(QColor(220, 228, 240));
    const QRectF subRect(textLeft, size.height() * 0.56, size.width() - textLeft - 8, size.height() * 0.3);
    p.drawText(subRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Jorvald's Filmkatalog\nfür Cassetten, DVDs und mehr"));
    return pm;
}

TUeberForm::TUeberForm(AppContext& ctx, Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ctx_(ctx), mode_(mode) {
    setObjectName(QStringLiteral("UeberForm"));
    setWindowTitle(mode == Mode::StartUp ? QStringLiteral("Starten von Jorvald's Kassotek ...")
                                         : QStringLiteral("Information zu Kassotek"));

    PicturePanel = new QLabel(this);
    PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
    PicturePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PicturePanel->setPixmap(ProductPicture(QSize(DesignWidth, 130)));

    PanelGauge = new QFrame(this);
    PanelGauge->setObjectName(QStringLiteral("PanelGauge"));
    GaugeLabel = new QLabel(QStringLiteral("Laden der Filmdaten ...."), PanelGauge);
    Gauge = new QProgressBar(PanelGauge);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 1);
    Gauge->setValue(0);
    Gauge->setTextVisible(false);
    Gauge->setFixedHeight(14);
    auto* gaugeLayout = new QHBoxLayout(PanelGauge);
    gaugeLayout->setContentsMargins(4, 0, 4, 0);
    gaugeLayout->addWidget(GaugeLabel);
    gaugeLayout->addWidget(Gauge, 1);
    // The bar's panel is what moves the comments 30 pixels down in start-up mode.
    PanelGauge->setFixedHeight(30);

    CommentsPanel = new QFrame(this);
    CommentsPanel->setObjectName(QStringLiteral("CommentsPanel"));
    CommentsPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const std::string version = ProgramVersionText();
    VersionLabel = new QLabel(QStringLiteral("Version: ") + QString::fromStdString(version), CommentsPanel);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    ReleaseLabel = new QLabel(QStringLiteral("Release:  ") + QLatin1String(ReleaseCode), CommentsPanel);
    ReleaseLabel->setObjectName(QStringLiteral("ReleaseLabel"));
    NotesLabel = new QLabel(CommentsPanel);
    NotesLabel->setObjectName(QStringLiteral("NotesLabel"));
    NotesLabel->setWordWrap(true);
    NotesLabel->setText(QStringLiteral(
        "Kassotek führt den Katalog Ihrer Filmsammlung und der Cassetten, DVDs und anderen Medien, "
        "auf denen die Filme gespeichert sind.\n\n"
        "Sichern Sie Ihre Filmdaten regelmäßig auch auf einem anderen Datenträger. Kassotek ist "
        "sorgfältig geprüft; die Benutzung erfolgt dennoch auf eigene Gefahr. Für verlorene Daten "
        "oder Schäden, die aus dem Gebrauch des Programms entstehen, wird keine Haftung übernommen."));

    auto open = [this](const QString& target) { ctx_.openAddress(QUrl(target)); };
    InternetLink =
        new LinkLabel(QLatin1String(MakerWebPage), QLatin1String(MakerWebPage), open, CommentsPanel);
    InternetLink->setObjectName(QStringLiteral("InternetLink"));
    InternetLink->setToolTip(QStringLiteral(
        "im Internet finden Sie aktuelle Informationen\nzu Kassotek unter ... (bitte einfache anklicken!)"));
    EMailLink = new LinkLabel(QLatin1String(MakerMailAddress), MakerMailTarget(), open, CommentsPanel);
    EMailLink->setObjectName(QStringLiteral("EMailLink"));
    EMailLink->setToolTip(QStringLiteral(
        "Hinweise, Anregungen und Kritik\nschreiben Sie bitte an ... (bitte einfach anklicken!)"));

    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(15);
    versionRow->addWidget(VersionLabel);
    versionRow->addWidget(ReleaseLabel);
    versionRow->addStretch();
    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(new QLabel(QStringLiteral("Internet:"), CommentsPanel));
    linkRow->addWidget(InternetLink);
    linkRow->addSpacing(16);
    linkRow->addWidget(new QLabel(QStringLiteral("EMail:"), CommentsPanel));
    linkRow->addWidget(EMailLink);
    linkRow->addStretch();
    auto* comments = new QVBoxLayout(CommentsPanel);
    comments->addLayout(versionRow);
    comments->addWidget(NotesLabel);
    comments->addLayout(linkRow);

    OKBitBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setMinimumWidth(96);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OKBitBtn);
    buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(PicturePanel);
    layout->addWidget(PanelGauge);
    layout->addWidget(CommentsPanel);
    layout->addLayout(buttonRow);
    // A wrapped label in a fixed-size window needs its height given for its width.
    const int notesWidth = DesignWidth - 24;
    NotesLabel->setFixedSize(notesWidth, NotesLabel->heightForWidth(notesWidth));

    const bool info = mode == Mode::Information;
    PanelGauge->setVisible(!info);
    OKBitBtn->setVisible(info);
    OKBitBtn->setEnabled(info);
    if (info)
        OKBitBtn->setDefault(true);
}

TUeberForm::~TUeberForm() {
    if (ctx_.startScreenGauge() == Gauge)
        ctx_.setStartScreenGauge(nullptr);
}

namespace {

void CentreOnScreen(QWidget* w) {
    if (QScreen* screen = w->screen()) {
        QRect frame = w->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        w->move(frame.topLeft());
    }
}

} // namespace

void TUeberForm::showStartScreen() {
    ctx_.setStartScreenGauge(Gauge);
    adjustSize();
    CentreOnScreen(this);
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TUeberForm::showInformation() {
    adjustSize();
    CentreOnScreen(this);
    exec();
}

} // namespace kt
