#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace kt {

// Help topic numbers of the program's windows and menus.
enum HelpTopic : int {
    HelpQuickStart = 303,
    HelpFilmList = 402,
    HelpToolbar = 403,
    HelpFileMenu = 407,
    HelpFilmMenu = 408,
    HelpCassetteMenu = 409,
    HelpViewMenu = 410,
    HelpAbout = 411,
    HelpExtrasMenu = 412,
    HelpOptions = 413,
    HelpFilter = 415,
    HelpImport = 416,
    HelpFilmEditor = 420,
    HelpPrintPreview = 431,
    HelpContents = 0,
};

// The URL of a topic's page; topic 0 and unknown topics give the contents page.
QUrl HelpPageUrl(int topic);
bool HelpTopicExists(int topic);

// The help window of the program: one page per topic, shown in a text browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showTopic(int topic);
    // Sizes and centres the window on its screen's usable area.
    void fitToScreen();
    QTextBrowser* browser() const { return browser_; }

    // The one help window, created on first use and brought to the front.
    static HelpWindow* Show(int topic, QWidget* owner);
    static HelpWindow* Instance();

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

// The help topic of a widget or one of its parents (property "helpContext"); 0 when none has one.
int HelpContextOf(const QObject* object);
void SetHelpContext(QObject* object, int topic);

} // namespace kt
