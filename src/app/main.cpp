#include "app_context.h"
#include "program/kassotek_application.h"
#include "program/program_run.h"

int main(int argc, char** argv) {
    kt::KassotekApplication app(argc, argv);
    kt::AppContext ctx;
    kt::ProgramRun program(ctx, QCoreApplication::arguments());
    return program.run();
}
