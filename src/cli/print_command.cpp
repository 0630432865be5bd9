#include "collection_io.h"
#include "list_options.h"
#include "tool.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "persistence/save_transaction.h"
#include "printing/page_painter.h"
#include "printing/print_layout.h"
#include "text/helpers.h"

#include <QByteArray>
#include <QGuiApplication>

#include <iostream>

namespace kt::cli {

namespace {

int RunPrint(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    std::vector<std::string> valued = ListValued;
    valued.push_back("--page");
    if (!ParseLoadCommand(args, 2, valued, ListFlags, opt, load, exit))
        return exit;
    long long pageNr = 0;
    if (opt.has("--page") && (!ParseInt(opt.value("--page"), pageNr) || pageNr < 1 || pageNr > 65535))
        return Fail(ExitUsage, "--page braucht eine Seitennummer ab 1.");
    const std::string out = opt.positional()[1];

    ConsoleDialogs ui(load.yes);
    ConfiguredList built;
    if (const int result = BuildConfiguredList(opt, load, ui, built); result != ExitOk)
        return result;
    auto& columns = built.run.columns;
    FilmList& list = *built.list;
    PrintLayout layout(MakePrintCopy(list, columns));

    // Fonts and the PDF writer need Qt Gui, which runs here without any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "kassotek-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const QPageLayout paper = DefaultPrintPageLayout();
    const std::string date = PrintDateText(NowAsDateTime());
    // The first page fixes the page length and so the page count.
    PrintedPage first;
    layout.Ausgabe(PrintAreaOf(paper), QtMeasureText(), date, first);
    if (pageNr > layout.PageCount())
        return Fail(ExitUsage, "Die Liste hat nur " + std::to_string(layout.PageCount()) +
                                   (layout.PageCount() == 1 ? " Seite." : " Seiten."));
    layout.Seite = pageNr > 0 ? static_cast<int>(pageNr) : 1;
    layout.SetStartCell();
    int pages = 0;
    const QByteArray pdf = PdfOfPages(layout, paper, pageNr > 0, date, [&pages](int done, int) {
        pages = done;
        return true;
    });
    if (pdf.isEmpty())
        return Fail(ExitFileError, "Das PDF konnte nicht erzeugt werden.");
    if (!WriteFileSafely(out, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))).ok)
        return Fail(ExitFileError, "Konnte " + out + " nicht schreiben!");
    std::cout << pages << '\n';
    return ExitOk;
}

const Registration
    print({"print",
           "print DATEI AUSGABE.pdf [--page N] [--config INI] [die Filter- und Sortieroptionen von list]\n"
           "        [--as-version N] [--yes]\n"
           "        die Filmliste als PDF drucken wie der Druckbefehl (A4 hoch, 5 mm Rand, alle Seiten oder\n"
           "        nur Seite N); gibt die Zahl der geschriebenen Seiten aus",
           &RunPrint});

} // namespace

} // namespace kt::cli
