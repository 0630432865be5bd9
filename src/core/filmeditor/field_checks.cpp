#include "filmeditor/field_checks.h"

#include "cassettes/cassette_lookup.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <climits>

namespace kt {

using namespace literals;

namespace {

const char* const RetypeTail = "\r\n\r\nBitte, geben Sie ihn noch einmal ein!";

int Clamped(long long v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

int FieldNumberOr(const std::string& text, int empty, int invalid) {
    const std::string s = TrimText(text, 'A');
    if (s.empty())
        return empty;
    long long v = 0;
    return ParseInt(s, v) ? Clamped(v) : invalid;
}

int FieldNumber(const std::string& text) {
    return FieldNumberOr(text, 0, 0);
}

int CompletionIndex(const std::vector<std::string>& items, const std::string& typed) {
    if (typed.empty())
        return -1;
    const std::string prefix = UpperAZ(typed);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (UpperAZ(items[i]).compare(0, prefix.size(), prefix) == 0)
            return static_cast<int>(i);
    return -1;
}

int SuggestedDiscNumber(const Collection& c) {
    int highest = 0;
    bool any = false;
    for (const TFilmV26& f : c.films())
        if (f.StorageType > StVideo && (!any || f.CasNr > highest)) {
            highest = f.CasNr;
            any = true;
        }
    return any && highest >= 0 ? highest + 1 : 0;
}

bool OtherFilmWithNumber(const Collection& c, int casNr, int actFilm) {
    const auto& films = c.films();
    for (std::size_t i = 0; i < films.size(); ++i)
        if (static_cast<int>(i) + 1 != actFilm && films[i].StorageType > StVideo && films[i].CasNr == casNr)
            return true;
    return false;
}

bool CommercialsByLengths(int mediumIndex, const std::string& total, const std::string& net) {
    const std::string s = TrimText(total, 'A');
    return mediumIndex == 0 && !s.empty() && s != TrimText(net, 'A');
}

bool NetLongerThanTotal(const std::string& total, const std::string& net) {
    const int a = FieldNumberOr(total, -1, -1);
    const int b = FieldNumberOr(net, -1, -1);
    return a >= 0 && b >= 0 && a < b;
}

LengthRefusal CheckEditedLength(const Collection& c, const TFilmV26& stored, int newLength) {
    if (stored.StorageType != StVideo || stored.CasNr == 0 || stored.PosOnCas > MaxPosOnCas ||
        newLength <= stored.FilmLength)
        return LengthRefusal::None;
    const int pos = FindCassette(c, stored.CasNr);
    if (pos < 0)
        return LengthRefusal::None;
    // Only the last film of a tape can grow, and only into the rest behind it.
    if (PosOnCas_is_a_Gap(c, stored.CasNr, stored.PosOnCas))
        return LengthRefusal::FilmsBehind;
    const long long more = static_cast<long long>(newLength) - stored.FilmLength;
    return c.Cassette(pos).RestLength >= more ? LengthRefusal::None : LengthRefusal::ExceedsRest;
}

std::string LengthRefusalText(LengthRefusal refusal) {
    switch (refusal) {
    case LengthRefusal::ExceedsRest:
        return "Die neue Filmlänge ist zu groß!\r\nDie Gesamtzahl der Filmlängen auf der Cassette\r\n"
               "überschreitet die freie Restlänge der Cassette!!\r\n\r\nGesamt-Filmlänge wird gelöscht!"_cp +
               RetypeTail;
    case LengthRefusal::FilmsBehind:
        return "Auf der Cassette sind bereits Filme HINTER\r\ndem zu bearbeitenden Film gespeichert!\r\n"
               "Daher kann die Filmlänge NICHT mehr\r\nVERGRÖßERT werden!\r\n\r\nGesamt-Filmlänge wird gelöscht!"_cp +
               RetypeTail;
    case LengthRefusal::None:
        break;
    }
    return {};
}

std::string NetLengthText(bool totalEmptied) {
    return "Netto-Filmlänge kann nicht größer als Gesamtfilmlänge sein!\r\n"_cp +
           (totalEmptied ? "Gesamt-Filmlänge"_cp : "Netto-Filmlänge"_cp) + " wird gelöscht!"_cp + RetypeTail;
}

std::string YearQuestion(const std::string& yearText, int currentYear) {
    const std::string s = TrimText(yearText, 'A');
    long long year = 0;
    if (s.empty() || !ParseInt(s, year))
        return {};
    std::string text;
    if (year < 1900)
        text = "Im Jahr \"" + s + "\" wird es wohl kaum schon Filme gegeben haben.";
    else if (year > currentYear)
        text = "Das Jahr \"" + s + "\" liegt in der Zukunft.";
    else
        return {};
    return text + "\r\nWollen Sie dieses unrealistische Datum wirklich speichern?";
}

FitResult CassetteFit(const Collection& c, const TFilmV26* stored, int mediumIndex, int casNr, int length) {
    // The fit is a question of the medium chosen now, whatever the film was stored on.
    if (mediumIndex != 0 || casNr <= 0)
        return {};
    if (stored && stored->StorageType == StVideo && stored->CasNr == casNr)
        return {};
    const int pos = FindCassette(c, casNr);
    if (length < 0 || pos < 0)
        return {};
    const TCasRec& cas = c.Cassette(pos);
    const long long x = static_cast<long long>(cas.RestLength) - length;
    if (x < 0 && cas.GapLength < length)
        return {FitOutcome::DoesNotFit, Clamped(-x)};
    return {FitOutcome::Fits, 0};
}

std::string DoesNotFitText(int exceeded) {
    return "Film paßt nicht auf die Cassette!\r\n\r\nDie Cassetten-Länge wird um "_cp +
           std::to_string(exceeded) + " Minuten überschritten!"_cp;
}

} // namespace kt
