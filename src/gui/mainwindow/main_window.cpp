#include "mainwindow/main_window.h"

namespace kt {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("KassotekMainWindow"));
    setWindowTitle(QStringLiteral("Jorvald's Kassotek"));
    resize(1024, 700);
}

} // namespace kt
