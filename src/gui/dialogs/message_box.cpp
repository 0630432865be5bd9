#include "dialogs/message_box.h"

#include "settings/settings.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kt {

QString FromCp(const std::string& text) { return QString::fromStdString(ToUtf8(text)); }
std::string ToCp(const QString& text) { return ToCp1252(text.toStdString()); }

QtDialogs::QtDialogs(const Settings& settings, QWidget* parent) : settings_(settings), parent_(parent) {}

namespace {

// CR LF in the core's texts is one line break on screen.
QString BoxText(const std::string& text) {
    QString s = FromCp(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QMessageBox::Icon IconOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error: return QMessageBox::Critical;
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString TitleOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error: return QStringLiteral("Fehler");
    case BoxKind::Warning: return QStringLiteral("Warnung");
    case BoxKind::Information: return QStringLiteral("Information");
    case BoxKind::Confirmation: return QStringLiteral("Bestätigung");
    }
    return {};
}

void Show(QWidget* parent, BoxKind kind, const std::string& text) {
    QMessageBox box(IconOf(kind), TitleOf(kind), BoxText(text), QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

void QtDialogs::error(const std::string& text) { Show(parent_, BoxKind::Error, text); }
void QtDialogs::warning(const std::string& text) { Show(parent_, BoxKind::Warning, text); }

void QtDialogs::information(const std::string& text) {
    if (settings_.ShowAllMsg)
        Show(parent_, BoxKind::Information, text);
}

void QtDialogs::notice(const std::string& text) { Show(parent_, BoxKind::Information, text); }

Answer QtDialogs::question(const std::string& text, Buttons buttons, BoxKind kind) {
    QMessageBox box(IconOf(kind), TitleOf(kind), BoxText(text), QMessageBox::NoButton, parent_);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
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
    }
    box.setDefaultButton(yes ? yes : ok);
    if (cancel)
        box.setEscapeButton(cancel);
    else if (no)
        box.setEscapeButton(no);
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked == ok)
        return Answer::Ok;
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    return no && !cancel ? Answer::No : Answer::Cancel;
}

Answer QtDialogs::threeWay(const ThreeWayQuestion& q) {
    // Placeholder until the program's own question box exists: same buttons and results.
    QMessageBox box(QMessageBox::Question, FromCp(q.caption), BoxText(q.line1 + "\r\n" + q.line2),
                    QMessageBox::NoButton, parent_);
    auto* ok = box.addButton(FromCp(q.okCaption), QMessageBox::AcceptRole);
    auto* no = box.addButton(q.noCaption.empty() ? QStringLiteral("&Nein") : FromCp(q.noCaption),
                             QMessageBox::NoRole);
    auto* abort = box.addButton(FromCp(q.abortCaption), QMessageBox::RejectRole);
    box.setEscapeButton(abort);
    box.exec();
    if (box.clickedButton() == ok)
        return Answer::Ok;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

} // namespace kt
