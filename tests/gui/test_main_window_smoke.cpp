#include "gui_test.h"
#include "mainwindow/main_window.h"

#include <QTest>

class MainWindowSmoke : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kt::test::InstallQtFailHook(); }
    void captionIsTheProgramName() {
        kt::MainWindow w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Jorvald's Kassotek"));
    }
};

QTEST_MAIN(MainWindowSmoke)
#include "test_main_window_smoke.moc"
