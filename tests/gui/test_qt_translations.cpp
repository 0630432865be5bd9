#include "program/qt_translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kt;

class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    // Qt's own file dialog speaks German once the program has loaded Qt's translations.
    void fileDialogIsGerman() {
        if (!QFile::exists(QtGermanTranslationFile()))
            QSKIP("Qt's German translations (qt6-translations-l10n) are not installed");
        QVERIFY(InstallQtTranslations(*qApp));
        QFileDialog dialog(nullptr, QStringLiteral("Datei öffnen"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Abbrechen"));
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Öffnen"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text().remove(QLatin1Char('&'));
        QVERIFY2(labels.join(QLatin1Char('|')).contains(QStringLiteral("Dateiname")),
                 qPrintable(labels.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "test_qt_translations.moc"
