#include "program/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace kt {

QString QtGermanTranslationFile() {
    return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath(QStringLiteral("qtbase_de.qm"));
}

bool InstallQtTranslations(QCoreApplication& app) {
    // The program speaks German whatever the system's language is.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QtGermanTranslationFile())) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kt
