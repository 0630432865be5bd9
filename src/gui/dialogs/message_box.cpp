#include "dialogs/message_box.h"

#include "dialogs/yes_no_stop_box.h"
#include "settings/settings.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kt {

QString FromCp(const std::string& text) {
    return QString::fromStdString(ToUtf8(text));
}
std::string ToCp(const QString& text) {
    return ToCp1252(text.toStdString());
}

QString ScreenText(const std::string& text) {
    QString s = FromCp(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QtDialogs::QtDialogs(const Settings& settings, QWidget* parent) : settings_(settings), parent_(parent) {}

QWidget* BoxParent(QWidget* fallback) {
    // The wait box and the start screen stay above every other window: a box of the operation
    // they accompany belongs to them, or it would open hidden behind them.
    QWidget* onTop = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::Dialog &&
            (w->windowFlags() & Qt::WindowStaysOnTopHint) && !qobject_cast<QMessageBox*>(w))
            onTop = w;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && !onTop)
        return modal; // the dialog the user works in gets the activation back when the box closes
    return onTop ? onTop : fallback;
}

void ReturnActivation(QDialog& box) {
    // The window manager may hand the activation to any window once the box is gone (the main
    // window, blocked behind a modal dialog): the keyboard goes back to where the user was.
    if (QWidget* parent = box.parentWidget(); parent && parent->isVisible())
        parent->window()->activateWindow();
}

void PlaceOnTop(QDialog& box) {
    if (QWidget* parent = box.parentWidget(); parent && (parent->windowFlags() & Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

namespace {

QMessageBox::Icon IconOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return QMessageBox::Critical;
    case BoxKind::Warning:
        return QMessageBox::Warning;
    case BoxKind::Information:
        return QMessageBox::Information;
    case BoxKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString TitleOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return QStringLiteral("Fehler");
    case BoxKind::Warning:
        return QStringLiteral("Warnung");
    case BoxKind::Information:
        return QStringLiteral("Information");
    case BoxKind::Confirmation:
        return QStringLiteral("Bestätigung");
    }
    return {};
}

// Film titles may hold "<" or "&": the text is never taken for markup. The text can be selected
// (and Ctrl+C copies it all), so that an address or a file name in it can be taken over.
void Prepare(QMessageBox& box, const std::string& text) {
    box.setTextFormat(Qt::PlainText);
    box.setText(ScreenText(text));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    PlaceOnTop(box);
}

// Runs a box with the keyboard in it: a box that opens while the wait box is showing would
// otherwise leave the activation with the window below.
int Run(QDialog& box) {
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    const int result = box.exec();
    ReturnActivation(box);
    return result;
}

void Show(QWidget* parent, BoxKind kind, const std::string& text) {
    QMessageBox box(IconOf(kind), TitleOf(kind), QString(), QMessageBox::NoButton, BoxParent(parent));
    Prepare(box, text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    Run(box);
}

} // namespace

void QtDialogs::error(const std::string& text) {
    Show(parent_, BoxKind::Error, text);
}
void QtDialogs::warning(const std::string& text) {
    Show(parent_, BoxKind::Warning, text);
}

void QtDialogs::information(const std::string& text) {
    if (settings_.ShowAllMsg)
        Show(parent_, BoxKind::Information, text);
}

void QtDialogs::notice(const std::string& text) {
    Show(parent_, BoxKind::Information, text);
}

Answer QtDialogs::question(const std::string& text, Buttons buttons, BoxKind kind) {
    QMessageBox box(IconOf(kind), TitleOf(kind), QString(), QMessageBox::NoButton, BoxParent(parent_));
    Prepare(box, text);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* retry = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        break;
    case Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
    case Buttons::YesRetry:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        retry = box.addButton(QStringLiteral("&Wiederholen"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(yes ? yes : ok);
    // Escape (and closing the box) takes the most careful answer the box offers.
    box.setEscapeButton(cancel ? cancel : no ? no : retry ? retry : ok);
    Run(box);
    const auto* clicked = box.clickedButton();
    if (clicked == ok)
        return Answer::Ok;
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    if (clicked == cancel)
        return Answer::Cancel;
    if (clicked == retry)
        return Answer::Retry;
    return cancel ? Answer::Cancel : no ? Answer::No : retry ? Answer::Retry : Answer::Ok;
}

Answer QtDialogs::threeWay(const ThreeWayQuestion& q) {
    TYesNoStopBoxForm box(BoxParent(parent_));
    PlaceOnTop(box);
    box.setWindowTitle(FromCp(q.caption));
    box.setLines(ScreenText(q.line1), ScreenText(q.line2));
    box.OkBitBtn->setText(FromCp(q.okCaption));
    if (!q.noCaption.empty())
        box.NoBitBtn->setText(FromCp(q.noCaption));
    box.AbbruchBitBtn->setText(FromCp(q.abortCaption));
    switch (box.run()) {
    case TYesNoStopBoxForm::Ok:
        return Answer::Ok;
    case TYesNoStopBoxForm::No:
        return Answer::No;
    case TYesNoStopBoxForm::Abort:
        break;
    }
    return Answer::Cancel;
}

} // namespace kt
