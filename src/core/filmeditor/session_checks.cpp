#include "filmeditor/session_checks.h"

#include "filmeditor/field_checks.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

namespace kt {

using namespace literals;

namespace {

const char* const OnlyThisSession = "(Die Einstellung gilt NUR für DIESE Sitzung!)";

std::string Key(const std::string& title) {
    return UpperAZ(TrimText(title, 'A'));
}

std::string SimilarQuestion(const std::string& typed, const std::string& found, int kind) {
    return "Die Film-Namen \"" + typed + "\" (neu) und \r\n\"" + found +
           "\" (gef.) sind sich sehr ähnlich!"_cp +
           (kind == SimilarOnAccept
                ? "\r\nSoll der neue Film tatsächlich in die Datenbank übernommen werden?"_cp
                : std::string("\r\nSoll der neue Filmname so beibehalten werden?"));
}

} // namespace

bool NoSimilarFilmFound(const Collection& c, FilmEditorSession& session, const std::string& title, int kind,
                        int skipSlot, UserDialogs& ui) {
    if (session.TitleSimilarityCheck == SessionCheck::Off)
        return true;
    TraceLine("Ktk_FEd: NoSimilarFilmFound [ENTRY] kind=" + std::to_string(kind));
    const std::string wanted = Key(title);
    if (wanted.empty())
        return true;
    const auto& films = c.films();
    for (std::size_t i = 0; i < films.size(); ++i) {
        if (static_cast<int>(i) + 1 == skipSlot)
            continue;
        const std::string found = Key(films[i].FilmName.Strng);
        if (found.empty() ||
            (found.find(wanted) == std::string::npos && wanted.find(found) == std::string::npos))
            continue;
        if (ui.question(SimilarQuestion(title, films[i].FilmName.Strng, kind), Buttons::YesNo) !=
            Answer::Yes) {
            TraceLine("Ktk_FEd: NoSimilarFilmFound [EXIT] refused");
            return false;
        }
        if (session.TitleSimilarityCheck == SessionCheck::NotAsked) {
            const std::string keep =
                "Insbesondere im Fall von \"Serien-Verwaltung\" ist diese\r\n\"Prüfung\" auf ähnliche "
                "bereits "
                "vorhandene Filme lästig.\r\n\r\nMöchten Sie diese Ähnlichkeitsprüfung beibehalten?\r\n"_cp +
                ToCp1252(OnlyThisSession);
            if (ui.question(keep, Buttons::YesNo) == Answer::Yes) {
                session.TitleSimilarityCheck = SessionCheck::On;
            } else {
                // The check that is running still asks about the remaining films.
                session.TitleSimilarityCheck = SessionCheck::Off;
                ui.information("Prüfung hinsichtlich bereits vorhandener ähnlicher\r\nFilmnamen ist nun für "
                               "diese Sitzung deaktiviert!"_cp);
            }
        }
    }
    TraceLine("Ktk_FEd: NoSimilarFilmFound [EXIT] true");
    return true;
}

bool DuplicateNumberToChange(const Collection& c, FilmEditorSession& session, int casNr, int actFilm,
                             const std::string& label, UserDialogs& ui) {
    if (casNr == 0 || session.DuplicateNumberCheck == SessionCheck::Off ||
        !OtherFilmWithNumber(c, casNr, actFilm))
        return false;
    if (session.DuplicateNumberCheck == SessionCheck::NotAsked) {
        const std::string keep =
            "Die sicherheitshalber eingerichtete \"Prüfung\" auf bereits\r\nvorhandene "_cp + label +
            " kann lästig sein.\r\n\r\nMöchten Sie diese Ähnlichkeitsprüfung "
            "beibehalten?\r\n"_cp +
            ToCp1252(OnlyThisSession);
        if (ui.question(keep, Buttons::YesNo) != Answer::Yes) {
            session.DuplicateNumberCheck = SessionCheck::Off;
            ui.information("Ähnlichkeitsprüfung hins. "_cp + label +
                           " ist nun für diese Sitzung deaktiviert!"_cp);
            return false;
        }
        session.DuplicateNumberCheck = SessionCheck::On;
    }
    return ui.question("Achtung:\r\nDie " + label + " existiert bereits!\r\n\r\nEingabe ändern?"_cp,
                       Buttons::YesNo) == Answer::Yes;
}

} // namespace kt
