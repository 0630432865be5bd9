#include "dialogs/message_box.h"

#include "dialogs/yes_no_stop_box.h"
#include "settings/settings.h"
#include "text/cp1252.h"

#include <QMessageBox>
#include <QPushButton>

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

// Film titles may hold "<" or "&": the text is never taken for markup.
void Prepare(QMessageBox& box, const std::string& text) {
    box.setTextFormat(Qt::PlainText);
    box.setText(ScreenText(text));
}

void Show(QWidget* parent, BoxKind kind, const std::string& text) {
    QMessageBox box(IconOf(kind), TitleOf(kind), QString(), QMessageBox::NoButton, parent);
    Prepare(box, text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
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
    QMessageBox box(IconOf(kind), TitleOf(kind), QString(), QMessageBox::NoButton, parent_);
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
    box.exec();
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
    TYesNoStopBoxForm box(parent_);
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
