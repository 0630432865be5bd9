#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace kt {

// The application object of the program: an exception that escapes an event handler reaches
// `onException` (the main window's exception handler) instead of ending the program.
class KassotekApplication : public QApplication {
    Q_OBJECT
public:
    KassotekApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    std::function<void(const std::string& message)> onException;
};

} // namespace kt
