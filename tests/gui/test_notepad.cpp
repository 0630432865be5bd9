#include "env_guard.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "notepad/memo_files.h"
#include "notepad/notepad_form.h"
#include "temp_folder.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

#include <filesystem>
#include <memory>

#include <unistd.h>

using namespace kt;
using namespace kt::test;

namespace {

struct Notepad {
    TempFolder dir;
    TestContext t;
    std::unique_ptr<TNotepadForm> form;

    void open() {
        form = std::make_unique<TNotepadForm>(t.ctx, dir.path());
        form->show();
    }
    // Closes as the user does; true when the window went away.
    bool close() {
        QTest::mouseClick(form->findChild<QPushButton*>("CloseBtn"), Qt::LeftButton);
        return !form->isVisible();
    }
    void reopen() {
        if (form && form->isVisible())
            QVERIFY(close());
        open();
    }
    QPlainTextEdit* memo(int n) const {
        return form->findChild<QPlainTextEdit*>(QStringLiteral("Memo%1").arg(n));
    }
    QStringList texts() const {
        QStringList out;
        for (int i = 0; i < form->pageCount(); ++i)
            out << form->memo(i)->toPlainText();
        return out;
    }
};

QStringList TabTexts(const TNotepadForm& form) {
    QStringList out;
    for (int i = 0; i < form.TabSet1->count(); ++i)
        out << form.TabSet1->tabText(i);
    return out;
}

} // namespace

class NotepadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void noFilesGiveFiveEmptyPagesAndNothingIsWritten() {
        Notepad n;
        n.open();
        QCOMPARE(n.form->windowTitle(), QStringLiteral("Kassotek Notizblock"));
        QVERIFY(!n.form->isModal());
        QCOMPARE(TabTexts(*n.form), QStringList({"Seite 1", "Seite 2", "Seite 3", "Seite 4", "Seite 5"}));
        QCOMPARE(n.texts(), QStringList({"", "", "", "", ""}));
        for (int i = 1; i <= 5; ++i)
            QVERIFY(n.memo(i));
        QCOMPARE(n.form->Notebook1->currentIndex(), 0);
        QVERIFY(n.form->NewPageBtn->isDefault());
        QCOMPARE(n.form->CloseBtn->text(), QStringLiteral("S&chließen"));
        QCOMPARE(n.form->DeletePageBtn->text(), QStringLiteral("Blatt &löschen"));
        QVERIFY(n.close());
        QVERIFY(n.dir.names().empty());
    }

    void pagesWithTextAreNumberedWithoutGaps() {
        Notepad n;
        n.open();
        n.form->TabSet1->setCurrentIndex(1);
        QCOMPARE(n.form->Notebook1->currentIndex(), 1);
        n.memo(2)->setPlainText(QStringLiteral("Zweite Seite\nmit Ä und €"));
        n.memo(5)->setPlainText(QStringLiteral("fünf"));
        QVERIFY(n.close());
        QCOMPARE(n.dir.names(), std::vector<std::string>({"Memo1.TXT", "Memo2.TXT"}));
        // Windows-1252 with CR LF after every line.
        QCOMPARE(ReadBytes(n.dir.file("Memo1.TXT")), std::string("Zweite Seite\r\nmit \xC4 und \x80\r\n"));
        QCOMPARE(ReadBytes(n.dir.file("Memo2.TXT")), std::string("f\xFCnf\r\n"));
        n.open();
        QCOMPARE(n.texts(), QStringList({"Zweite Seite\nmit Ä und €", "fünf", "", "", ""}));
    }

    void sevenFilesOpenSevenPagesInNumericOrder() {
        Notepad n;
        for (int i : {1, 2, 3, 4, 5, 6, 10})
            WriteBytes(n.dir.file("Memo" + std::to_string(i) + ".TXT"), "Text " + std::to_string(i) + "\r\n");
        WriteBytes(n.dir.file("Notiz.TXT"), "kein Memo\r\n");
        n.open();
        QCOMPARE(n.form->pageCount(), 7);
        QCOMPARE(TabTexts(*n.form).last(), QStringLiteral("Seite 7"));
        QCOMPARE(n.texts(),
                 QStringList({"Text 1", "Text 2", "Text 3", "Text 4", "Text 5", "Text 6", "Text 10"}));
        QVERIFY(n.memo(7));
        // Saved again without gaps; the file numbered 10 is now the seventh.
        QVERIFY(n.close());
        QCOMPARE(n.dir.names(),
                 std::vector<std::string>({"Memo1.TXT", "Memo2.TXT", "Memo3.TXT", "Memo4.TXT", "Memo5.TXT",
                                           "Memo6.TXT", "Memo7.TXT", "Notiz.TXT"}));
        QCOMPARE(ReadBytes(n.dir.file("Memo7.TXT")), std::string("Text 10\r\n"));
    }

    void newAndDeletedPages() {
        Notepad n;
        n.open();
        n.form->NewPageBtn->click();
        QCOMPARE(n.form->pageCount(), 6);
        QCOMPARE(n.form->Notebook1->currentIndex(), 5);
        QCOMPARE(n.form->TabSet1->currentIndex(), 5);
        QCOMPARE(TabTexts(*n.form).last(), QStringLiteral("Seite 6"));
        QVERIFY(n.memo(6));
        // Deleting takes the last page, whichever page is shown.
        n.memo(6)->setPlainText(QStringLiteral("weg"));
        n.memo(1)->setPlainText(QStringLiteral("bleibt"));
        n.form->TabSet1->setCurrentIndex(0);
        n.form->DeletePageBtn->click();
        QCOMPARE(n.form->pageCount(), 5);
        QCOMPARE(n.form->Notebook1->currentIndex(), 4);
        QCOMPARE(n.texts(), QStringList({"bleibt", "", "", "", ""}));
        for (int i = 0; i < 6; ++i) // one more than there are pages: nothing happens
            n.form->DeletePageBtn->click();
        QCOMPARE(n.form->pageCount(), 0);
        QCOMPARE(n.form->TabSet1->count(), 0);
        QVERIFY(n.close());
        QVERIFY(n.dir.names().empty());
    }

    // Files from an earlier run that are no longer backed by a page must not come back.
    void staleFilesAreRemoved_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("emptied");       // page number emptied before closing, 0 none
        QTest::addColumn<int>("deleted");       // pages deleted from the end
        QTest::addColumn<QStringList>("after"); // the texts of the pages at the next opening

        QTest::newRow("middle page emptied")
            << QStringList({"a", "b", "c"}) << 2 << 0 << QStringList({"a", "c", "", "", ""});
        QTest::newRow("last page emptied")
            << QStringList({"a", "b", "c"}) << 3 << 0 << QStringList({"a", "b", "", "", ""});
        QTest::newRow("pages deleted")
            << QStringList({"a", "b", "c", "d", "e", "f"}) << 0 << 4 << QStringList({"a", "b", "", "", ""});
        QTest::newRow("all deleted") << QStringList({"a", "b"}) << 0 << 5
                                     << QStringList({"", "", "", "", ""});
    }
    void staleFilesAreRemoved() {
        QFETCH(QStringList, before);
        QFETCH(int, emptied);
        QFETCH(int, deleted);
        QFETCH(QStringList, after);
        Notepad n;
        for (int i = 0; i < before.size(); ++i)
            WriteBytes(n.dir.file("Memo" + std::to_string(i + 1) + ".TXT"), before[i].toStdString() + "\r\n");
        // A file the window did not load is not its to remove.
        n.open();
        WriteBytes(n.dir.file("Memo9.TXT"), "neu\r\n");
        if (emptied)
            n.memo(emptied)->clear();
        for (int i = 0; i < deleted; ++i)
            n.form->DeletePageBtn->click();
        QVERIFY(n.close());
        std::filesystem::remove(n.dir.file("Memo9.TXT"));
        n.open();
        QCOMPARE(n.texts(), after);
    }

    void aWriteErrorKeepsTheWindowAndTheText() {
        Notepad n;
        // A folder in the way of "Memo1.TXT" makes the write fail for every user, root included.
        std::filesystem::create_directory(n.dir.file("Memo1.TXT"));
        n.open();
        n.memo(1)->setPlainText(QStringLiteral("wichtig"));
        n.t.dialogs.expect(Box::Question, "Die Notizen konnten nicht gespeichert werden:", Answer::No);
        QVERIFY(!n.close());
        QVERIFY(n.t.dialogs.shown.back().utf8().find("Memo1.TXT") != std::string::npos);
        QCOMPARE(n.memo(1)->toPlainText(), QStringLiteral("wichtig"));
        // Once the way is clear the note is saved.
        std::filesystem::remove(n.dir.file("Memo1.TXT"));
        QVERIFY(n.close());
        QCOMPARE(ReadBytes(n.dir.file("Memo1.TXT")), std::string("wichtig\r\n"));
    }

    void aReadOnlyFolder() {
        Notepad n;
        WriteBytes(n.dir.file("Memo1.TXT"), "alt\r\n");
        std::filesystem::permissions(n.dir.path(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::access(n.dir.path().c_str(), W_OK) == 0)
            QSKIP("the folder stays writable for this user");
        // Unchanged notes do not need the folder: the window closes.
        n.open();
        QVERIFY(n.close());
        n.open();
        n.memo(1)->setPlainText(QStringLiteral("neu"));
        n.t.dialogs.expect(Box::Question, "Die Notizen konnten nicht gespeichert werden:", Answer::No);
        QVERIFY(!n.close());
        n.t.dialogs.expect(Box::Question, "Die Notizen konnten nicht gespeichert werden:", Answer::Yes);
        QVERIFY(n.close());
        QCOMPARE(ReadBytes(n.dir.file("Memo1.TXT")), std::string("alt\r\n"));
        QCOMPARE(n.dir.names(), std::vector<std::string>({"Memo1.TXT"}));
    }

    // The command opens one window beside the configuration and the end of the program saves it.
    void mainWindowCommandAndEnd() {
        TempFolder dir;
        EnvGuard env("KASSOTEK_PROGRAM_DIR", dir.path().c_str());
        QCOMPARE(MemoFolder(), dir.path());
        ListWindow g([](Collection&) {});
        g.w->Notizblock1->trigger();
        auto* form = g.w->findChild<TNotepadForm*>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        form->memo(0)->setPlainText(QStringLiteral("Einkaufsliste"));
        form->showMinimized();
        g.w->Notizblock1->trigger();
        QCOMPARE(g.w->findChildren<TNotepadForm*>().size(), qsizetype(1));
        QVERIFY(!form->isMinimized());
        g.w->close();
        QVERIFY(!g.w->isVisible());
        QCOMPARE(ReadBytes(dir.file("Memo1.TXT")), std::string("Einkaufsliste\r\n"));
    }
};

QTEST_MAIN(NotepadTest)
#include "test_notepad.moc"
