#include "catalogue/col_arrange.h"

#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <algorithm>

namespace kt {

using namespace literals;

std::array<TColArEntry, ColCount> ColArrange::BuiltIn() {
    struct Row {
        const char* header;
        const char* longName;
        const char* editLabel;
        int width;
    };
    static const Row rows[ColCount] = {
        {"Filmtitel", "Filmtitel", "Film&name:", 280},
        {"Länge", "Länge des Films (insg.)", "Film&länge", 46},
        {"Cas.Nr.", "Cassetten-Nummer", "&Cassettennr.", 52},
        {"Pos.", "Position auf Cassette", "&Position auf Cassette", 39},
        {"Kategorie", "Kategorie", "&Kategorie", 152},
        {"Regisseur", "Regisseur", "&Regisseur", 234},
        {"Land", "Land", "Herst.-&Land", 52},
        {"Jahr", "Jahr", "Herst.-&Jahr", 52},
        {"2KT", "2-Kanalton", "Zweikanalton vorh.", 31},
        {"W.", "Werbung Ja/Nein", "durch &Werbung unterbrochen", 20},
        {"Wertung", "Wertung", "eigene Wertung", 130},
        {"Karte", "Karte vorhanden", "Katalog-Karte vorhanden", 195},
        {"Stars", "Stars", "Stars", 325},
        {"Inhalt", "Inhalt", "Inhalt des Films", 780},
        {"Bemerkung", "Bemerkung", "Bemerkungen zum Film", 585},
        {"Aufz.datum", "Aufzeichnungsdatum", "Aufzeichnungsdatum", 130},
        {"Sprache", "Sprache", "Sprachen", 182},
        {"verliehen an", "verliehen an", "Verleihstatus", 156},
        {"Tonformat", "Tonformat", "Tonformat", 96},
        {"Bildformat", "Bildformat", "Bildformat", 96},
        {"FSK", "FSK", "FSK", 96},
        {"DVD-Reg.code", "DVD-Regionalcode", "DVD: Regionalcode", 96},
        {"Speichermedium", "Speichermedium", "zu finden auf einer", 236},
        {"Anz. CDs", "Anz. CDs/DVDs", "Anz. CDs/DVDs", 104},
        {"Bilder", "Bilder", "Bilder", 78},
    };
    std::array<TColArEntry, ColCount> table;
    for (int i = 0; i < ColCount; ++i) {
        auto& e = table[static_cast<std::size_t>(i)];
        e.Header = ToCp1252(rows[i].header);
        e.Pos = i;
        e.Width = rows[i].width;
        e.Show = true;
        e.LongName = ToCp1252(rows[i].longName);
        e.EditLabel = ToCp1252(rows[i].editLabel);
        e.ImportPos = 0;
    }
    return table;
}

int ColumnOfEntry(const ColArrange& ca, int index) {
    const int pos = ca[index].Pos;
    int n = 0;
    for (const auto& e : ca.Entry)
        if (e.Show && e.Pos >= 0 && e.Pos <= pos - 1)
            ++n;
    return n;
}

int CountShownColumns(const ColArrange& ca) {
    return static_cast<int>(std::count_if(ca.Entry.begin(), ca.Entry.end(), [](const auto& e) { return e.Show; }));
}

int CountPlacedColumns(const ColArrange& ca) {
    return static_cast<int>(
        std::count_if(ca.Entry.begin(), ca.Entry.end(), [](const auto& e) { return e.Pos != -1; }));
}

int EntryOfHeader(const ColArrange& ca, const std::string& header) {
    for (int i = 0; i < ColCount; ++i)
        if (ca[i].Header == header)
            return i;
    return -1;
}

int MaxColArrangePos(const ColArrange& ca) {
    int m = -1;
    for (const auto& e : ca.Entry)
        m = std::max(m, e.Pos);
    return m;
}

bool Check_ColArrangePos(ColArrange& ca) {
    TraceLine("Ktk_Sys: Check_ColArrangePos [ENTRY]");
    int n = 1;
    for (int i = 1; i < ColCount; ++i)
        if (ca[i].Show)
            ++n;
    // Repeated positions or hidden entries that keep one can keep the highest position at n or
    // above for ever; a pass that closes no gap ends the loop.
    while (MaxColArrangePos(ca) >= n) {
        const int highest = MaxColArrangePos(ca);
        bool changed = false;
        for (int p = 1; p <= highest; ++p) {
            const bool used =
                std::any_of(ca.Entry.begin(), ca.Entry.end(), [p](const auto& e) { return e.Pos == p; });
            if (used)
                continue;
            for (auto& e : ca.Entry)
                if (e.Pos > p) {
                    --e.Pos;
                    changed = true;
                }
        }
        if (!changed)
            break;
    }
    TraceLine("Ktk_Sys: Check_ColArrangePos [EXIT]");
    return true;
}

} // namespace kt
