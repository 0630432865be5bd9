#include "app_context.h"
#include "program/kassotek_application.h"
#include "program/program_run.h"

int main(int argc, char** argv) {
    kt::KassotekApplication app(argc, argv);
    // Ties the windows to the installed desktop entry (task bar icon, Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("de.kassotek.Kassotek"));
    kt::AppContext ctx;
    kt::ProgramRun program(ctx, QCoreApplication::arguments());
    return program.run();
}
