#include "mainwindow/main_window.h"

#include "app_context.h"
#include "cassettes/cassette_check.h"
#include "text/cp1252.h"

#include <QStringList>

namespace kt {

using namespace kt::literals;

// The cassette commands open the cassette editor and the check window once they exist.
void TKassotekMainWindow::CassetteNeuanlegenClick() {
    NotYetAvailable("CassetteNeuanlegenClick");
}
void TKassotekMainWindow::CassetteBearbeitenClick() {
    NotYetAvailable("CassetteBearbeitenClick");
}

void TKassotekMainWindow::UeberpruefenClick() {
    traceCommand("UeberpruefenClick", true);
    const std::vector<std::string> entries = NotOKCasListEntries(ctx_.collection);
    if (!entries.empty()) {
        // Until the list window exists, the positions are listed in a box.
        std::string text = "Unstimmige Cassetten (Listenposition):";
        for (const std::string& e : entries)
            text += "\r\n" + e;
        ctx_.dialogs().warning(text);
    } else if (Tag == 0) {
        ctx_.dialogs().information(
            "Überprüfung der Cassettendaten durchgeführt!\r\nKeine unstimmigen Cassettendaten gefunden!"_cp);
    }
    traceCommand("UeberpruefenClick", false);
}

void TKassotekMainWindow::RestaurierungderCassettendatenClick() {
    NotYetAvailable("RestaurierungderCassettendatenClick");
}

} // namespace kt
