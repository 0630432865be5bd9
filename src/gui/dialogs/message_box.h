#pragma once

#include "model/dialogs.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kt {

struct Settings;

// The program's one door for message boxes: German buttons, Windows-1252 texts converted here.
class QtDialogs : public UserDialogs {
public:
    explicit QtDialogs(const Settings& settings, QWidget* parent = nullptr);

    void setParent(QWidget* parent) { parent_ = parent; }

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void notice(const std::string& text) override;
    Answer question(const std::string& text, Buttons buttons, BoxKind kind) override;
    // The program's own question box (TYesNoStopBoxForm).
    Answer threeWay(const ThreeWayQuestion& q) override;

private:
    const Settings& settings_;
    QPointer<QWidget> parent_;
};

// The window a box opens over: a showing wait box or start screen, else the active modal dialog,
// else `fallback`.
QWidget* BoxParent(QWidget* fallback);
// A box over a window that stays on top stays on top too.
void PlaceOnTop(QDialog& box);
// After a box has closed: activates the window it was opened over.
void ReturnActivation(QDialog& box);

// Windows-1252 bytes of the core <-> QString at the edge of the windows.
QString FromCp(const std::string& text);
std::string ToCp(const QString& text);
// A core text for the screen: CR LF (and a lone CR) become line breaks.
QString ScreenText(const std::string& text);

} // namespace kt
