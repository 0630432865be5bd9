#include "program/kassotek_application.h"

#include "program/qt_translations.h"
#include "text/cp1252.h"

#include <exception>

namespace kt {

KassotekApplication::KassotekApplication(int& argc, char** argv) : QApplication(argc, argv) {
    InstallQtTranslations(*this);
}

bool KassotekApplication::notify(QObject* receiver, QEvent* event) {
    std::string message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        message = ToCp1252(e.what());
    } catch (...) {
        message = "Unbekannter Fehler";
    }
    if (onException)
        onException(message);
    return false;
}

} // namespace kt
