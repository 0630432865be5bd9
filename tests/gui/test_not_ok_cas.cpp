#include "../core/cassette_fixture.h"
#include "casseditor/not_ok_cas_form.h"
#include "gui_test.h"
#include "model/collection.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kt;
using namespace kt::test;

namespace {

// Twelve cassettes of 240 minutes; those in `bad` have a rest that does not fit.
Collection Cassettes(std::initializer_list<int> bad) {
    Collection c;
    for (int nr = 1; nr <= 12; ++nr)
        c.appendCassette(Cas(static_cast<uint16_t>(nr), 240, 240));
    for (int pos : bad)
        c.Cassette(pos).RestLength = 100;
    return c;
}

QStringList Entries(const QWidget* form) {
    QStringList items;
    const auto* list = form->findChild<QListWidget*>(QStringLiteral("NotOKCasListBox"));
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

} // namespace

class NotOKCas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void listsThePositionsPaddedInOrder() {
        Collection c = Cassettes({11, 2});
        ScriptedDialogs ui;
        TNotOKCasForm form(c, ui);
        QCOMPARE(form.windowTitle(), QStringLiteral("Unstimmige Cassetten"));
        QVERIFY(form.ProblemsFound());
        QCOMPARE(Entries(&form), QStringList({"   2", "  11"}));
        QCOMPARE(c.LastReportedBadCas, 0);
        const struct {
            const char* name;
            const char* text;
        } buttons[] = {
            {"AktualisierenBitBtn", "&Aktualisieren"}, {"EndeBitBtn", "&Ende"}, {"HelpBitBtn", "&Hilfe"}};
        for (const auto& b : buttons)
            QCOMPARE(form.findChild<QPushButton*>(b.name)->text(), QString::fromUtf8(b.text));
        QVERIFY(form.findChild<QPushButton*>("AktualisierenBitBtn")->isDefault());
    }

    void commandShowsTheWindowOnlyWithFindings() {
        for (bool bad : {true, false}) {
            Collection c = bad ? Cassettes({3}) : Cassettes({});
            ScriptedDialogs ui(false); // shown even while informative boxes are off
            QStringList shown;
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [&] {
                if (auto* w = QApplication::activeModalWidget()) {
                    shown = Entries(w);
                    QTest::mouseClick(w->findChild<QPushButton*>("EndeBitBtn"), Qt::LeftButton);
                }
            });
            closer.start(0);
            if (!bad)
                ui.expect(Box::Notice, "Überprüfung der Cassettendaten durchgeführt!\r\n"
                                       "Keine unstimmigen Cassettendaten gefunden!");
            QCOMPARE(UeberpruefenClick(c, ui), bad);
            QTest::qWait(1);
            QCOMPARE(shown, bad ? QStringList({"   3"}) : QStringList());
        }
    }

    void aktualisierenChecksAgainAndCloses() {
        for (bool repaired : {true, false}) {
            Collection c = Cassettes({2, 11});
            ScriptedDialogs ui;
            TNotOKCasForm form(c, ui);
            form.show();
            c.Cassette(11).RestLength = 240;
            if (repaired) {
                c.Cassette(2).RestLength = 240;
                ui.expect(Box::Notice, "Keine unstimmigen Cassettendaten gefunden!");
            }
            QTest::mouseClick(form.findChild<QPushButton*>("AktualisierenBitBtn"), Qt::LeftButton);
            QVERIFY(!form.isVisible());
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QCOMPARE(form.ProblemsFound(), !repaired);
            QCOMPARE(Entries(&form), repaired ? QStringList() : QStringList({"   2"}));
        }
    }
};

QTEST_MAIN(NotOKCas)
#include "test_not_ok_cas.moc"
