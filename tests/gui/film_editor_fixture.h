#pragma once

#include "filmeditor/cassette_chooser.h"
#include "filmeditor/film_editor_dialog.h"
#include "gui_test.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <deque>
#include <string>
#include <vector>

namespace kt::test {

// Stands in for the cassette editor: records what it was asked and answers from a queue.
class FakeChooser : public CassetteChooser {
public:
    CassetteChoiceResult choose(const CassetteChoiceRequest& request, QWidget*) override {
        requests.push_back(request);
        if (answers.empty()) {
            QTest::qFail("the cassette chooser was opened unexpectedly", __FILE__, __LINE__);
            return {};
        }
        const CassetteChoiceResult r = answers.front();
        answers.pop_front();
        return r;
    }
    // OK with cassette `nr` at list position `listPos` (and position `pos`).
    void okCassette(int listPos, int nr, int pos = 0) { answers.push_back({1, listPos, nr, pos}); }
    void cancelled() { answers.push_back({2, 0, 0, 0}); }

    std::vector<CassetteChoiceRequest> requests;
    std::deque<CassetteChoiceResult> answers;
};

inline TCasRec Cas(uint16_t nr, uint16_t total, int16_t rest, uint16_t gap = 0) {
    TCasRec c;
    c.Nr = nr;
    c.TotalLength = total;
    c.RestLength = rest;
    c.GapLength = gap;
    return c;
}

// Appends a film numbered like a loaded one; the title is UTF-8.
inline TFilmV26& PutFilm(Collection& c, const std::string& title, int32_t storage, int casNr = 0, int pos = 0,
                         int length = 0) {
    TFilmV26 f;
    f.FilmName.Strng = ToCp1252(title);
    f.StorageType = storage;
    f.CasNr = casNr;
    f.PosOnCas = pos;
    f.FilmLength = length;
    f.FilmNr = c.AnzFilm() + 1;
    c.appendFilm(f);
    return c.Film(c.AnzFilm());
}

// A fresh program state with a fake chooser in place of the cassette editor.
struct EditorContext {
    TestContext t;
    FakeChooser chooser;
    Collection& c = t.ctx.collection;
    EditorContext() { t.ctx.cassetteChooser = &chooser; }
    ~EditorContext() { t.ctx.cassetteChooser = nullptr; }
};

inline void TypeInto(QWidget* w, const QString& text) {
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
    QTest::keyClicks(w, text);
}

// True when `w` or a part of it (the line of an editable box) has the focus.
inline bool HasFocus(QWidget* w) {
    QWidget* f = QApplication::focusWidget();
    return f && (f == w || w->isAncestorOf(f) || f->focusProxy() == w);
}

inline QString Plain(QString s) {
    return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace kt::test
