#include "help/help_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

// Resources of a static library need an explicit start, outside any namespace.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace kt {

namespace {

QPointer<HelpWindow> theHelpWindow;

QString PagePath(int topic) {
    return QStringLiteral(":/help/%1.html").arg(topic);
}

} // namespace

bool HelpTopicExists(int topic) {
    InitHelpResources();
    return topic > 0 && QFile::exists(PagePath(topic));
}

QUrl HelpPageUrl(int topic) {
    if (HelpTopicExists(topic))
        return QUrl(QStringLiteral("qrc") + PagePath(topic));
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitHelpResources();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kassotek Hilfe"));
    setAttribute(Qt::WA_DeleteOnClose);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    auto* contents = new QToolButton(this);
    contents->setObjectName(QStringLiteral("HelpContentsButton"));
    contents->setText(QStringLiteral("&Inhalt"));
    contents->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    contents->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    back_ = new QToolButton(this);
    back_->setObjectName(QStringLiteral("HelpBackButton"));
    back_->setText(QStringLiteral("&Zurück"));
    back_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    forward_ = new QToolButton(this);
    forward_->setObjectName(QStringLiteral("HelpForwardButton"));
    forward_->setText(QStringLiteral("&Vor"));
    forward_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("&Schließen"));
    close->setToolButtonStyle(Qt::ToolButtonTextOnly);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    connect(contents, &QToolButton::clicked, this, [this] { showTopic(HelpContents); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Kassotek Hilfe")
                                       : QStringLiteral("Kassotek Hilfe - ") + title);
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(640, 560);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::fitToScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Within the usable area (without panels and task bars), at most 80 % of it, centred.
    const QRect area = screen->availableGeometry();
    const QSize size = QSize(640, 560).boundedTo(area.size() * 0.8);
    resize(size);
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void HelpWindow::showTopic(int topic) {
    browser_->setSource(HelpPageUrl(topic));
}

HelpWindow* HelpWindow::Instance() {
    return theHelpWindow;
}

HelpWindow* HelpWindow::Show(int topic, QWidget* owner) {
    if (!theHelpWindow) {
        theHelpWindow = new HelpWindow(owner ? owner->window() : nullptr);
        theHelpWindow->fitToScreen();
    }
    theHelpWindow->showTopic(topic);
    theHelpWindow->show();
    theHelpWindow->raise();
    theHelpWindow->activateWindow();
    return theHelpWindow;
}

int HelpContextOf(const QObject* object) {
    for (const QObject* o = object; o; o = o->parent()) {
        const QVariant v = o->property("helpContext");
        if (v.isValid() && v.toInt() > 0)
            return v.toInt();
    }
    return 0;
}

void SetHelpContext(QObject* object, int topic) {
    object->setProperty("helpContext", topic);
}

} // namespace kt
