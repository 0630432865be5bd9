#include "filter/replace.h"

#include "model/collection.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <algorithm>

namespace kt {

using namespace literals;

const std::vector<std::string>& ReplaceFieldNames() {
    static const std::vector<std::string> names = {"Film-Name",
                                                   "Kategorie",
                                                   "HerstellungsLand",
                                                   "Stars",
                                                   "Regisseur",
                                                   "Inhalt",
                                                   "Bemerkung",
                                                   "Verliehen an (Name)",
                                                   "Verliehen an (Adresse)",
                                                   "Bilder (Pfadangabe!)"};
    return names;
}

namespace {

// Replaces the first occurrence of `old` (upper-cased already unless case counts) in `value`.
bool ReplaceFirst(std::string& value, const std::string& old, const std::string& with, bool caseSensitive) {
    if (old.empty() || old.size() > value.size())
        return false;
    const std::size_t p = caseSensitive ? value.find(old) : UpperAZ(value).find(old);
    if (p == std::string::npos)
        return false;
    value.replace(p, old.size(), with);
    return true;
}

} // namespace

ReplaceResult ReplaceInAllFilms(Collection& c, const ReplaceRequest& rq, UserDialogs& ui) {
    TraceLine("Filtsuch: BitBtnErsetzenClick [ENTRY]");
    ReplaceResult result;
    const std::string old = rq.CaseSensitiv ? rq.Bisher : UpperAZ(rq.Bisher);
    if (std::none_of(rq.In.begin(), rq.In.end(), [](bool b) { return b; })) {
        const Answer a =
            ui.question("Es wurde kein Feld angegeben, in dem geändert werden soll!\r\nAngabe nachholen?"_cp,
                        Buttons::YesNo);
        if (a == Answer::Yes) {
            result.KeepOpen = true;
            TraceLine("Filtsuch: BitBtnErsetzenClick [EXIT] no field");
            return result;
        }
    }
    auto replace = [&](std::string& value) {
        if (ReplaceFirst(value, old, rq.NeuStr, rq.CaseSensitiv)) {
            c.DataSaved = false;
            ++result.Count;
        }
    };
    std::vector<std::string> newCategories;
    for (TFilmV26& f : c.films()) {
        std::string* fields[] = {&f.FilmName.Strng, &f.Category.Strng, &f.Country.Strng,
                                 &f.Stars.Strng,    &f.Director.Strng, &f.Content.Strng,
                                 &f.Remark.Strng,   &f.LentTo.Strng,   &f.LenderAddress.Strng};
        for (int k = 0; k < ReplacePicText; ++k) {
            if (!rq.In[static_cast<std::size_t>(k)])
                continue;
            const int before = result.Count;
            replace(*fields[k]);
            if (k == ReplaceCategory && result.Count != before &&
                std::find(newCategories.begin(), newCategories.end(), *fields[k]) == newCategories.end())
                newCategories.push_back(*fields[k]);
        }
        if (rq.In[ReplacePicText])
            for (std::size_t j = 0; j < f.Pics.size() && j < static_cast<std::size_t>(MaxPics); ++j)
                replace(f.Pics[j].PicText.Strng);
    }
    // A category made by the replace is offered in the lists like one that was loaded.
    for (const std::string& category : newCategories)
        AddCategoryToList(c, category);
    ui.information("Es wurden " + std::to_string(result.Count) + " Änderung(en) durchgeführt!"_cp);
    TraceLine("Filtsuch: BitBtnErsetzenClick [EXIT] count=" + std::to_string(result.Count));
    return result;
}

} // namespace kt
