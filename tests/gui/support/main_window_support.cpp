#include "main_window_support.h"

#include "filmlist/film_list.h"
#include "persistence/film_data_file.h"
#include "scripted_dialogs.h"
#include "text/cp1252.h"

#include <QTest>

namespace kt::test {

std::optional<DataFileChoice> ScriptedFileDialogs::take(std::deque<Answer>& answers, const char* what) {
    if (answers.empty()) {
        QTest::qFail(what, __FILE__, __LINE__);
        return std::nullopt;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    if (!answer.chosen)
        return std::nullopt;
    return answer.choice;
}

std::optional<DataFileChoice> ScriptedFileDialogs::open(QWidget*, const QString& folder) {
    ++opened;
    folders << folder;
    return take(openAnswers_, "open dialog shown without an answer");
}

std::optional<DataFileChoice> ScriptedFileDialogs::save(QWidget*, const QString& folder) {
    ++saved;
    folders << folder;
    return take(saveAnswers_, "save dialog shown without an answer");
}

ScriptedFileDialogs& ScriptedFileDialogs::openAnswer(std::optional<DataFileChoice> answer) {
    openAnswers_.push_back({answer.has_value(), answer.value_or(DataFileChoice{})});
    return *this;
}

ScriptedFileDialogs& ScriptedFileDialogs::saveAnswer(std::optional<DataFileChoice> answer) {
    saveAnswers_.push_back({answer.has_value(), answer.value_or(DataFileChoice{})});
    return *this;
}

TFilmV26 MakeFilm(const std::string& titleUtf8, int32_t storageType, int nr) {
    TFilmV26 f;
    f.FilmName.Strng = ToCp1252(titleUtf8);
    f.StorageType = storageType;
    f.FilmNr = nr;
    f.FilmLength = 90;
    return f;
}

void WriteDataFile(const std::string& file, const std::vector<TFilmV26>& films,
                   const std::vector<TCasRec>& cassettes) {
    Collection c;
    int nr = 0;
    for (TFilmV26 f : films) {
        if (f.FilmNr == 0)
            f.FilmNr = ++nr;
        else
            nr = f.FilmNr;
        c.appendFilm(f);
    }
    for (const TCasRec& cas : cassettes)
        c.appendCassette(cas);
    std::string name = file;
    std::string errorText;
    ScriptedDialogs ui;
    NoProgress progress;
    QVERIFY2(Save_Video_Data(c, name, errorText, ui, progress), file.c_str());
}

std::vector<std::string> ListedTitles(const FilmList& list) {
    std::vector<std::string> titles;
    for (int r = 1; r <= list.FilledRows(); ++r)
        titles.push_back(ToUtf8(std::string(list.Cell(r, 0))));
    return titles;
}

} // namespace kt::test
