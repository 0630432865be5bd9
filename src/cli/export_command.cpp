#include "collection_io.h"
#include "list_options.h"
#include "tool.h"

#include "catalogue/col_arrange.h"
#include "exchange/csv_export.h"
#include "exchange/excel_export.h"
#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "text/cp1252.h"
#include "text/helpers.h"

namespace kt::cli {

namespace {

enum class Target { Text, Csv, Excel97, Xlsx, Unknown };

Target TargetOf(const std::string& file) {
    const std::string ext = UpperAZ(FileExtOf(file));
    if (ext == ".TXT")
        return Target::Text;
    if (ext == ".CSV")
        return Target::Csv;
    if (ext == ".XLS")
        return Target::Excel97;
    if (ext == ".XLSX")
        return Target::Xlsx;
    return Target::Unknown;
}

bool ReadNumber(const Options& opt, const std::string& name, long long& value) {
    return !opt.has(name) || (ParseInt(opt.value(name), value) && value >= 0 && value <= 65535);
}

int RunExport(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    std::vector<std::string> valued = ListValued;
    valued.insert(valued.end(), {"--column", "--selected-row"});
    if (!ParseLoadCommand(args, 2, valued, ListFlags, opt, load, exit))
        return exit;
    const std::string output = opt.positional()[1];
    const Target target = TargetOf(output);
    if (target == Target::Unknown)
        return Fail(ExitUsage, "AUSGABE braucht die Endung .txt, .csv, .xls oder .xlsx.");
    if (opt.has("--column") && target != Target::Text)
        return Fail(ExitUsage, "--column gilt nur für die Textdatei (.txt).");
    long long column = 0, selectedRow = 1;
    if (!ReadNumber(opt, "--column", column))
        return Fail(ExitUsage, "--column braucht eine Spaltennummer ab 0.");
    if (!ReadNumber(opt, "--selected-row", selectedRow))
        return Fail(ExitUsage, "--selected-row braucht eine Zeilennummer ab 0.");

    ConsoleDialogs console(true);
    UserDialogs& ui = console;
    ConfiguredList built;
    if (const int result = BuildConfiguredList(opt, load, ui, built); result != ExitOk)
        return result;
    auto& [c, s, columns, trace] = built.run;
    FilmList& list = *built.list;
    if (column >= list.ColCount())
        return Fail(ExitUsage, "--column: die Liste hat nur die Spalten 0 bis " +
                                   std::to_string(list.ColCount() - 1) + ".");

    NoProgress progress;
    bool ok = false;
    switch (target) {
    case Target::Text:
    case Target::Csv: {
        const auto mode = opt.has("--column") ? TextExportMode::CurrentColumn : TextExportMode::AllColumns;
        if (!ListShowsFilms(list, ui))
            return ExitOk;
        if (ui.question(TextExportQuestion(mode), Buttons::YesNo) != Answer::Yes)
            return ExitOk;
        ok = target == Target::Csv ? ExportCsvFile(c, list, output, ui, progress)
                                   : ExportTextFile(c, list, mode, static_cast<int>(column),
                                                    static_cast<int>(selectedRow), output, ui, progress);
        break;
    }
    case Target::Excel97:
    case Target::Xlsx:
        if (ui.question(ExcelExportQuestion(), Buttons::YesNo) != Answer::Yes)
            return ExitOk;
        ok = ExportWorkbookFile(list, output,
                                target == Target::Xlsx ? WorkbookFormat::Xlsx : WorkbookFormat::Excel97, ui,
                                progress);
        break;
    case Target::Unknown:
        break;
    }
    return ok ? ExitOk : ExitFileError;
}

const Registration exportCommand(
    {"export",
     "export DATEI AUSGABE [--column N] [--selected-row R] [--config INI] [die Filter- und Sortieroptionen\n"
     "        von list] [--as-version N] [--yes]\n"
     "        die Filmliste wie list aufbauen und exportieren, in der Form der Endung von AUSGABE:\n"
     "        .txt Textdatei (mit --column N nur die Spalte N, ab 0 gezählt), .csv, .xls (Excel 97),\n"
     "        .xlsx; R ist die unterste markierte Zeile (Vorgabe 1), vor deren Block keine Sternchen\n"
     "        stehen; die Fragen des Exports werden mit Ja beantwortet",
     &RunExport});

} // namespace

} // namespace kt::cli
