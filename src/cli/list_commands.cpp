#include "collection_io.h"
#include "list_options.h"
#include "tool.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "filter/replace.h"
#include "model/collection.h"
#include "settings/config_file.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <iostream>
#include <sstream>

namespace kt::cli {

namespace {

// "1,3,6" into the numbers 1..`highest`; false for anything else.
bool ParseFields(const std::string& text, int highest, std::vector<int>& fields) {
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        long long n = 0;
        if (!ParseInt(item, n) || n < 1 || n > highest)
            return false;
        fields.push_back(static_cast<int>(n));
    }
    return !fields.empty();
}

bool ParseByte(const Options& opt, const std::string& name, long long highest, long long& value,
               std::string& error) {
    if (!opt.has(name))
        return true;
    if (ParseInt(opt.value(name), value) && value >= 0 && value <= highest)
        return true;
    error = name + " braucht eine Zahl von 0 bis " + std::to_string(highest) + ".";
    return false;
}

// A cell as one line: line breaks and tabs become \r, \n and \t.
std::string CellLine(std::string_view cell) {
    std::string out;
    for (char ch : ToUtf8(cell)) {
        if (ch == '\r')
            out += "\\r";
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\t')
            out += "\\t";
        else
            out += ch;
    }
    return out;
}

} // namespace

const std::vector<std::string> ListValued = {"--config", "--sort",       "--show",      "--search",
                                             "--in",     "--max-length", "--categories"};
const std::vector<std::string> ListFlags = {"--all-media", "--search-all-media", "--no-commercials",
                                            "--two-channel", "--lent-only"};

// The options of `list` on top of the configuration's settings.
bool ApplyListOptions(const Options& opt, Settings& s, Collection& c, FilterSearch& fs, std::string& error) {
    long long v = 0;
    if (!ParseByte(opt, "--sort", 6, v, error))
        return false;
    if (opt.has("--sort"))
        s.FilmSort = static_cast<uint8_t>(v);
    if (opt.has("--show")) {
        long long mask = 0;
        if (!ParseInt(opt.value("--show"), mask) || mask < 0 || mask > 0x7FFFFFFF) {
            error = "--show braucht eine Bitmaske (0 bis 2147483647).";
            return false;
        }
        s.StorageTypeShow = static_cast<int32_t>(mask);
    }
    ApplyStorageTypeShow(s, c);
    s.OverrideStorageTypeShow = opt.has("--all-media");
    if (opt.has("--search") != opt.has("--in")) {
        error = "--search und --in gehören zusammen.";
        return false;
    }
    if (opt.has("--search")) {
        std::vector<int> fields;
        if (!ParseFields(opt.value("--in"), SearchLentTo, fields)) {
            error = "--in braucht Suchfelder von 1 bis 6, durch Kommas getrennt.";
            return false;
        }
        for (int f : fields)
            fs.SuchenIn[static_cast<std::size_t>(f)] = true;
        fs.SuchText = ToCp1252(opt.value("--search"));
        fs.SearchAllStorageTypes = opt.has("--search-all-media");
    }
    if (!ParseByte(opt, "--max-length", 65535, v, error))
        return false;
    if (opt.has("--max-length")) {
        fs.FilternVon[FilterMaxLength] = true;
        fs.MaxFilmLaenge = static_cast<uint16_t>(v);
    }
    fs.FilternVon[FilterNoCommercials] = opt.has("--no-commercials");
    fs.FilternVon[FilterTwoChannel] = opt.has("--two-channel");
    fs.FilternVon[FilterLentOnly] = opt.has("--lent-only");
    if (opt.has("--categories")) {
        fs.FilternVon[FilterCategories] = true;
        std::stringstream in(ToCp1252(opt.value("--categories")));
        std::string name;
        while (std::getline(in, name, ','))
            for (auto& cat : c.CategoryList)
                if (cat.Name == name)
                    cat.Selected = true;
    }
    DeriveActiveFlags(fs, c.CategoryList);
    return true;
}

int BuildConfiguredList(const Options& opt, const LoadOptions& load, UserDialogs& ui, ConfiguredList& out) {
    if (const int loaded = LoadConfiguredCollection(opt, load, out.run); loaded != ExitOk)
        return loaded;
    auto& [c, s, columns, trace] = out.run;
    std::string error;
    if (!ApplyListOptions(opt, s, c, out.fs, error))
        return Fail(ExitUsage, error);
    Check_ColArrangePos(columns);
    out.list = std::make_unique<FilmList>(c, s, columns, out.fs);
    out.list->SetAusgabeData(ui);
    return ExitOk;
}

namespace {

int RunList(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 1, ListValued, ListFlags, opt, load, exit))
        return exit;
    ConsoleDialogs ui(load.yes);
    ConfiguredList built;
    if (const int result = BuildConfiguredList(opt, load, ui, built); result != ExitOk)
        return result;
    auto& [c, s, columns, trace] = built.run;
    const FilmList& list = *built.list;
    for (int r = 0; r < list.RowCount(); ++r) {
        for (int col = 0; col < list.ColCount(); ++col)
            std::cout << (col ? "\t" : "") << CellLine(list.Cell(r, col));
        std::cout << '\n';
    }
    std::cout << "SortedFilm:";
    for (int r = 0; r < list.FilledRows(); ++r)
        std::cout << ' ' << c.SortedFilm[static_cast<std::size_t>(r)];
    std::cout << '\n';
    const auto panels = StatusPanelTexts(c, list.FilledRows(), {});
    for (int p = 1; p <= 3; ++p)
        std::cout << ToUtf8(panels[static_cast<std::size_t>(p)]) << '\n';
    return ExitOk;
}

int RunReplace(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 2, {"--find", "--with", "--in"}, {"--case-sensitive"}, opt, load, exit))
        return exit;
    ReplaceRequest rq;
    std::vector<int> fields;
    if (!opt.has("--find") || !opt.has("--with") || !opt.has("--in"))
        return Fail(ExitUsage, "replace braucht --find, --with und --in.");
    if (!ParseFields(opt.value("--in"), ReplaceFieldCount, fields))
        return Fail(ExitUsage, "--in braucht Felder von 1 bis 10, durch Kommas getrennt.");
    for (int f : fields)
        rq.In[static_cast<std::size_t>(f - 1)] = true;
    rq.Bisher = ToCp1252(opt.value("--find"));
    rq.NeuStr = ToCp1252(opt.value("--with"));
    rq.CaseSensitiv = opt.has("--case-sensitive");

    Collection c;
    ConsoleDialogs ui(load.yes);
    if (!LoadCollection(c, opt.positional()[0], load.asVersion, ui))
        return ExitFileError;
    const ReplaceResult result = ReplaceInAllFilms(c, rq, ui);
    ConsoleDialogs saveUi(false);
    if (!SaveCollectionAs(c, opt.positional()[1], saveUi))
        return ExitFileError;
    std::cout << result.Count << '\n';
    return ExitOk;
}

const Registration list(
    {"list",
     "list DATEI [--config INI] [--sort N] [--show MASKE] [--all-media] [--search TEXT --in FELDER]\n"
     "        [--search-all-media] [--categories NAME,NAME] [--max-length MIN] [--no-commercials]\n"
     "        [--two-channel] [--lent-only] [--as-version N] [--yes]\n"
     "        die Filmliste ausgeben wie das Hauptfenster (Zellen durch Tabulator getrennt, \\r \\n \\t\n"
     "        in Zellen); FELDER 1 Titel, 2 Stars, 3 Inhalt, 4 Bemerkung, 5 Regisseur, 6 verliehen an",
     &RunList});
const Registration replace(
    {"replace",
     "replace DATEI AUSGABE --find TEXT --with TEXT --in FELDER [--case-sensitive] [--as-version N] [--yes]\n"
     "        Text in allen Filmen ersetzen und als AUSGABE sichern; FELDER 1 Film-Name, 2 Kategorie,\n"
     "        3 HerstellungsLand, 4 Stars, 5 Regisseur, 6 Inhalt, 7 Bemerkung, 8 Verliehen an (Name),\n"
     "        9 Verliehen an (Adresse), 10 Bilder (Pfadangabe!)",
     &RunReplace});

} // namespace

} // namespace kt::cli
