#include "app_context.h"
#include "mainwindow/main_window.h"
#include "single_instance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Jorvald's Kassotek"));
    kt::AppContext ctx;
    kt::SingleInstanceLock lock;
    if (!lock.acquire()) {
        ctx.dialogs().warning(
            "Kassotek befindet sich bereits im Speicher und kann nicht noch einmal geladen werden, "
            "weil es keine Multi-Userversion ist!");
        return 0;
    }
    kt::TKassotekMainWindow window(ctx);
    window.showMaximized();
    return QApplication::exec();
}
