#pragma once

#include <QString>

class QCoreApplication;

namespace kt {

// The file of Qt's German texts (file dialogs, standard buttons, edit menus) in Qt's folder of
// translations; the file may be absent when the translations package is not installed.
QString QtGermanTranslationFile();
// Loads Qt's German texts into `app`; false (and Qt's English texts) when the file is missing.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace kt
