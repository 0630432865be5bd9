#pragma once

#include "mainwindow/data_file_dialogs.h"
#include "model/collection.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kt {
class FilmList;
}

namespace kt::test {

// The open and save dialogs as a script: every call takes the next answer of its kind (nothing
// = cancelled); a call without an answer fails the test.
class ScriptedFileDialogs : public DataFileDialogs {
public:
    std::optional<DataFileChoice> open(QWidget* parent, const QString& folder) override;
    std::optional<DataFileChoice> save(QWidget* parent, const QString& folder) override;

    ScriptedFileDialogs& openAnswer(std::optional<DataFileChoice> answer);
    ScriptedFileDialogs& saveAnswer(std::optional<DataFileChoice> answer);
    bool pending() const { return !openAnswers_.empty() || !saveAnswers_.empty(); }

    int opened = 0;
    int saved = 0;
    QStringList folders;

private:
    struct Answer {
        bool chosen = false;
        DataFileChoice choice;
    };
    std::optional<DataFileChoice> take(std::deque<Answer>& answers, const char* what);
    std::deque<Answer> openAnswers_;
    std::deque<Answer> saveAnswers_;
};

// A film as the tests need it, numbered `nr`.
TFilmV26 MakeFilm(const std::string& titleUtf8, int32_t storageType = StVideo, int nr = 0);

// Writes `films` (and `cassettes`) as a film data file of version 2.6 with its cassette file.
void WriteDataFile(const std::string& file, const std::vector<TFilmV26>& films,
                   const std::vector<TCasRec>& cassettes = {});

// The titles of the listed rows, in grid order.
std::vector<std::string> ListedTitles(const FilmList& list);

} // namespace kt::test
