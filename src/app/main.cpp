#include "mainwindow/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Jorvald's Kassotek"));
    kt::MainWindow window;
    window.show();
    return QApplication::exec();
}
