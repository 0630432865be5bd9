#include "../core/cassette_fixture.h"
#include "casseditor/default_cas_length.h"
#include "cassettes/cassette_check.h"
#include "cassettes/cassette_restore.h"
#include "dialogs/message_box.h"
#include "gui_test.h"
#include "model/collection.h"
#include "settings/settings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace kt;
using namespace kt::test;

namespace {

struct RecordingProgress : Progress {
    QStringList texts;
    std::vector<int> maxima;
    int finished = 0;
    void start(const std::string& text, int max) override {
        texts << FromCp(text);
        maxima.push_back(max);
    }
    void step(int) override {}
    void finish() override { ++finished; }
};

// Films of 100 and 90 minutes on cassette 3, one of 350 on cassette 5, a DVD numbered 7; the
// cassette table is damaged.
Collection Damaged() {
    Collection c;
    c.appendCassette(Cas(3, 60, 5, 7));
    c.appendCassette(Cas(9, 120, 0));
    AddFilm(c, Film("A", 3, 1, 100));
    AddFilm(c, Film("B", 3, 2, 90));
    AddFilm(c, Film("C", 5, 1, 350));
    AddFilm(c, Film("D", 7, 1, 100, StDvd));
    return c;
}

// Answers the default-length dialog once it is shown: the item to check (-1 leaves it) and the button.
void AnswerDefaultLength(int item, const char* button, bool* seen) {
    QTimer::singleShot(0, [=] {
        auto* form = qobject_cast<TForm_DefaultCasLength*>(QApplication::activeModalWidget());
        QVERIFY(form != nullptr);
        *seen = true;
        QCOMPARE(form->ItemIndex(), 2); // "240 min." comes preselected
        if (item >= 0)
            form->SetItemIndex(item);
        QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

} // namespace

class CassRestoration : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void defaultLengthDialog() {
        TForm_DefaultCasLength form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Kassotek"));
        QStringList items;
        for (auto* b : form.findChildren<QRadioButton*>())
            items << b->text();
        QCOMPARE(items,
                 QStringList({"300 min.", "260 min.", "240 min.", "180 min.", "120 min.", "  90 min."}));
        const int minutes[] = {300, 260, 240, 180, 120, 90};
        for (int i = 0; i < 6; ++i) {
            form.SetItemIndex(i);
            QCOMPARE(form.DefaultLength(), minutes[i]);
        }
        QCOMPARE(form.findChild<QPushButton*>("BitBtn1")->text(), QStringLiteral("&OK"));
        QCOMPARE(form.findChild<QPushButton*>("BitBtn2")->text(), QStringLiteral("&Abbrechen"));
        QCOMPARE(form.findChild<QPushButton*>("BitBtn3")->text(),
                 QStringLiteral("Voreinstellung &nicht benutzen"));
    }

    void restorationWithAndWithoutDefault() {
        const std::vector<TCasRec> noDefault = {Cas(1, 90, 90), Cas(2, 90, 90), Cas(3, 240, 50),
                                                Cas(4, 90, 90), Cas(5, WithLongPlay(300, true), 250)};
        const std::vector<TCasRec> with240 = {Cas(1, 240, 240), Cas(2, 240, 240), Cas(3, 240, 50),
                                              Cas(4, 240, 240), Cas(5, WithLongPlay(300, true), 250)};
        const struct {
            const char* what;
            bool option;
            Answer answer;
            const char* button; // nullptr: the dialog must not appear
            int item;
            const std::vector<TCasRec>* expected; // nullptr: unchanged
        } cases[] = {
            {"option off", false, Answer::Yes, nullptr, -1, nullptr},
            {"not wanted", true, Answer::No, nullptr, -1, nullptr},
            {"cancelled", true, Answer::Yes, "BitBtn2", -1, nullptr},
            {"no default", true, Answer::Yes, "BitBtn3", 0, &noDefault},
            {"default 240", true, Answer::Yes, "BitBtn1", -1, &with240},
        };
        for (const auto& t : cases) {
            Collection c = Damaged();
            const std::vector<TCasRec> before = c.cassettes();
            Settings s;
            s.AllowCasRestore = t.option;
            ScriptedDialogs ui;
            if (t.option)
                ui.expectQuestion("Wollen Sie die Restaurierungsfunktion jetzt wirklich ausführen??",
                                  t.answer);
            bool seen = false;
            if (t.button != nullptr)
                AnswerDefaultLength(t.item, t.button, &seen);
            RecordingProgress progress;
            const bool done = RestaurierungClick(c, s, ui, progress);
            QVERIFY2(seen == (t.button != nullptr), t.what);
            QVERIFY2(done == (t.expected != nullptr), t.what);
            QVERIFY2(c.cassettes() == (t.expected ? *t.expected : before), t.what);
            QVERIFY2(c.DataSaved == (t.expected == nullptr), t.what);
            if (t.expected != nullptr) {
                QVERIFY(NotOKCassettes(c).empty());
                QCOMPARE(progress.texts,
                         QStringList({"Analyse der Filmdaten: Bestimmung der Anzahl Cassetten ",
                                      "Analyse der Filmdaten: Bestimmung der Details der Cassetten ",
                                      "Analyse der Filmdaten: Bestimmung der Gesamtlänge der Cassetten "}));
                QCOMPARE(progress.maxima, std::vector<int>({4, 4, 5}));
                QCOMPARE(progress.finished, 1);
            } else {
                QVERIFY(progress.texts.isEmpty());
            }
        }
    }

    void waitWindowVersion() {
        Collection c = Damaged();
        Settings s;
        s.AllowCasRestore = true;
        ScriptedDialogs ui;
        ui.expectQuestion("Restaurierungsfunktion", Answer::Yes);
        bool seen = false;
        AnswerDefaultLength(-1, "BitBtn3", &seen);
        QVERIFY(RestaurierungClick(c, s, ui));
        QVERIFY(seen);
        QCOMPARE(c.AnzCas(), 5);
    }
};

QTEST_MAIN(CassRestoration)
#include "test_cass_restoration.moc"
