#include "gui_test.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using kt::TCheckedComboBox;
using namespace kt::test;

namespace {

const QStringList Media = {"Video-Cassette", "Kauf-Cassette", "DVD", "VCD", "SVCD", "DivX ;-)"};

// A box with the six media and scripted dialogs for its message.
struct Fixture {
    ScriptedDialogs dialogs;
    TCheckedComboBox box;
    QSignalSpy changes{&box, &TCheckedComboBox::OnChange};
    explicit Fixture(const QStringList& items = Media) {
        box.setDialogs(&dialogs);
        box.setItems(items);
    }
};

void ClickRow(QListWidget* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class CheckedComboBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void defaults() {
        TCheckedComboBox box;
        QCOMPARE(box.CapSelectAll(), QStringLiteral("&Select All"));
        QCOMPARE(box.CapDeSelectAll(), QStringLiteral("&DeSelect All"));
        QCOMPARE(box.NotFocusColor(), QColor(Qt::white));
        QCOMPARE(box.Sorted(), false);
        QCOMPARE(box.Columns(), 0);
        QCOMPARE(box.DropDownLines(), 6);
        QCOMPARE(box.width(), 121);
        QCOMPARE(box.height(), box.fontMetrics().height() + 8);
        QCOMPARE(box.property("Items").toStringList(), QStringList());
        box.resize(200, box.height());
        box.show();
        QCOMPARE(box.edit()->width(), 200 - TCheckedComboBox::ButtonWidth - 3);
        QCOMPARE(box.button()->width(), TCheckedComboBox::ButtonWidth);
        QVERIFY(box.button()->geometry().left() > box.edit()->geometry().right());
    }

    void textFollowsTheOrderOfTicking() {
        Fixture f;
        f.box.SetItemChecked(2, true);
        f.box.SetItemChecked(0, true);
        QCOMPARE(f.box.Text(), QStringLiteral("DVD,Video-Cassette"));
        QCOMPARE(f.box.edit()->text(), f.box.Text());
        QCOMPARE(f.box.CheckedCount(), 2);
        f.box.SetItemChecked(2, false);
        QCOMPARE(f.box.Text(), QStringLiteral("Video-Cassette"));
        QCOMPARE(f.changes.count(), 3);
        QVERIFY(f.box.IsItemChecked(0));
        QVERIFY(!f.box.IsItemChecked(2));
    }

    // Unticking removes the element with one comma, wherever it stands.
    void removingAnElement_data() {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first") << 0 << "Kauf-Cassette,DVD";
        QTest::newRow("middle") << 1 << "Video-Cassette,DVD";
        QTest::newRow("last") << 2 << "Video-Cassette,Kauf-Cassette";
    }
    void removingAnElement() {
        QFETCH(int, removed);
        QFETCH(QString, expected);
        Fixture f;
        for (int i = 0; i < 3; ++i)
            f.box.SetItemChecked(i, true);
        f.box.SetItemChecked(removed, false);
        QCOMPARE(f.box.Text(), expected);
        QCOMPARE(f.box.CheckedCount(), 2);
    }

    void nothingChangesForNoChangeOrAnIndexOutside() {
        Fixture f;
        f.box.SetItemChecked(1, true);
        f.changes.clear();
        f.box.SetItemChecked(1, true);
        f.box.SetItemChecked(3, false);
        f.box.SetItemChecked(6, true);
        f.box.SetItemChecked(-1, true);
        QCOMPARE(f.changes.count(), 0);
        QCOMPARE(f.box.Text(), QStringLiteral("Kauf-Cassette"));
        QVERIFY(!f.box.IsItemChecked(6));
        QVERIFY(!f.box.IsItemChecked(-1));
    }

    void selectAllGivesListOrderAndDeselectAllEmpties() {
        Fixture f;
        f.box.SetItemChecked(4, true);
        f.box.SetItemChecked(1, true);
        f.changes.clear();
        f.box.SelectAll();
        QCOMPARE(f.box.Text(), Media.join(','));
        QCOMPARE(f.box.CheckedCount(), 6);
        f.box.DeselectAll();
        QCOMPARE(f.box.Text(), QString());
        QCOMPARE(f.box.CheckedCount(), 0);
        QCOMPARE(f.changes.count(), 2);
        for (int i = 0; i < 6; ++i)
            QVERIFY(!f.box.IsItemChecked(i));
    }

    // The shown text holds at most 255 characters; a refused item stays unticked.
    void lengthLimit_data() {
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("fits");
        QTest::newRow("255 characters fit") << 54 << true;
        QTest::newRow("256 characters are refused") << 55 << false;
        QTest::newRow("far too long") << 300 << false;
    }
    void lengthLimit() {
        QFETCH(int, second);
        QFETCH(bool, fits);
        Fixture f({QString(200, 'a'), QString(second, 'b'), "c"});
        f.box.SetItemChecked(0, true);
        f.changes.clear();
        if (!fits)
            f.dialogs.expect(Box::Notice, "There is no room for Selected");
        f.box.SetItemChecked(1, true);
        QCOMPARE(f.box.IsItemChecked(1), fits);
        QCOMPARE(f.box.Text().size(), fits ? 201 + second : 200);
        QCOMPARE(f.box.CheckedCount(), fits ? 2 : 1);
        QCOMPARE(f.changes.count(), fits ? 1 : 0);
        f.dialogs.verify();
    }

    void replacingItemsUnticksAll() {
        Fixture f;
        f.box.SetItemChecked(0, true);
        f.box.SetItemChecked(3, true);
        f.changes.clear();
        f.box.setItems({"A", "B"});
        QCOMPARE(f.box.Text(), QString());
        QCOMPARE(f.box.CheckedCount(), 0);
        QVERIFY(!f.box.IsItemChecked(0) && !f.box.IsItemChecked(1));
        QCOMPARE(f.box.dropDownList()->count(), 2);
        QCOMPARE(f.box.dropDownList()->item(0)->checkState(), Qt::Unchecked);
        f.box.addItem("C");
        QCOMPARE(f.box.Items(), (QStringList{"A", "B", "C"}));
        QCOMPARE(f.changes.count(), 0);
    }

    void sortedKeepsItemsInOrder() {
        Fixture f({"dvd", "Band", "alpha"});
        f.box.setSorted(true);
        QCOMPARE(f.box.Items(), (QStringList{"alpha", "Band", "dvd"}));
        f.box.addItem("Carl");
        QCOMPARE(f.box.Items(), (QStringList{"alpha", "Band", "Carl", "dvd"}));
    }

    void dropDownLinesOutsideSixToTenAreIgnored_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("4") << 4 << 6;
        QTest::newRow("12") << 12 << 6;
        QTest::newRow("6") << 6 << 6;
        QTest::newRow("10") << 10 << 10;
        QTest::newRow("8") << 8 << 8;
    }
    void dropDownLinesOutsideSixToTenAreIgnored() {
        QFETCH(int, value);
        QFETCH(int, expected);
        TCheckedComboBox box;
        box.setDropDownLines(value);
        QCOMPARE(box.DropDownLines(), expected);
    }

    void dropDownOpensBelowWithItsLines() {
        Fixture f;
        f.box.move(100, 100);
        f.box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.box));
        f.box.SetItemChecked(2, true);
        QTest::mouseClick(f.box.button(), Qt::LeftButton);
        QVERIFY(f.box.isDroppedDown());
        QWidget* drop = f.box.dropDownWindow();
        QListWidget* list = f.box.dropDownList();
        QCOMPARE(drop->geometry().topLeft(), f.box.mapToGlobal(QPoint(0, f.box.height())));
        QCOMPARE(drop->width(), f.box.width());
        QCOMPARE(drop->height(), 6 * list->sizeHintForRow(0) + 4);
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        const QList<QAction*> menu = list->actions();
        QCOMPARE(menu.size(), 2);
        QCOMPARE(menu[0]->text(), QStringLiteral("&Select All"));
        QCOMPARE(menu[1]->text(), QStringLiteral("&DeSelect All"));

        // Ticking in the list
        ClickRow(list, 0);
        QCOMPARE(f.box.Text(), QStringLiteral("DVD,Video-Cassette"));
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        ClickRow(list, 2);
        QCOMPARE(f.box.Text(), QStringLiteral("Video-Cassette"));
        QCOMPARE(f.changes.count(), 3);

        // The context menu's commands
        menu[0]->trigger();
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->item(i)->checkState(), Qt::Checked);
        menu[1]->trigger();
        QCOMPARE(f.box.Text(), QString());

        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!f.box.isDroppedDown());
    }

    void pressingTheButtonAgainOnlyCloses() {
        Fixture f;
        f.box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.box));
        QTest::mouseClick(f.box.button(), Qt::LeftButton);
        QVERIFY(f.box.isDroppedDown());
        QTest::mouseClick(f.box.button(), Qt::LeftButton);
        QVERIFY(!f.box.isDroppedDown());
        QTest::mouseClick(f.box.button(), Qt::LeftButton);
        QVERIFY(f.box.isDroppedDown());
        f.box.hideDropDown();
    }

    void dropDownOpensAboveNearTheScreenBottom() {
        Fixture f;
        const QRect screen = f.box.screen()->geometry();
        f.box.move(50, screen.bottom() - f.box.height() - 30);
        f.box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.box));
        f.box.showDropDown();
        QCOMPARE(f.box.dropDownWindow()->geometry().bottom() + 1, f.box.mapToGlobal(QPoint(0, 0)).y());
        f.box.hideDropDown();
    }

    void columnsSetTheLines() {
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QStringLiteral("Medium %1").arg(i);
        Fixture f(many);
        f.box.setColumns(2);
        f.box.show();
        f.box.showDropDown();
        QCOMPARE(f.box.DropDownLines(), 10); // 20 div 2 + 1 = 11, at most 10
        f.box.hideDropDown();
        f.box.setItems(many.mid(0, 4));
        f.box.showDropDown();
        QCOMPARE(f.box.DropDownLines(), 6); // 4 div 2 + 1 = 3, at least 6
        f.box.hideDropDown();
    }

    // A ticked item whose text could not be added is unticked again in the list.
    void refusedItemIsUntickedInTheList_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("message");
        QTest::newRow("does not fit") << QStringList{QString(250, 'x'), "zu lang"} << true;
        QTest::newRow("already present") << QStringList{"DVD", "DVD"} << false;
    }
    void refusedItemIsUntickedInTheList() {
        QFETCH(QStringList, items);
        QFETCH(bool, message);
        Fixture f(items);
        f.box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.box));
        f.box.SetItemChecked(0, true);
        f.changes.clear();
        f.box.showDropDown();
        if (message)
            f.dialogs.expect(Box::Notice, "There is no room for Selected");
        ClickRow(f.box.dropDownList(), 1);
        QCOMPARE(f.box.dropDownList()->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(!f.box.IsItemChecked(1));
        QCOMPARE(f.box.Text(), items[0]);
        QCOMPARE(f.changes.count(), 0);
        f.box.hideDropDown();
        f.dialogs.verify();
    }

    void editColourFollowsTheFocus() {
        QWidget window;
        auto* other = new QLineEdit(&window);
        auto* box = new TCheckedComboBox(&window);
        box->move(0, 40);
        QSignalSpy enter(box, &TCheckedComboBox::OnEnter);
        QSignalSpy exit(box, &TCheckedComboBox::OnExit);
        box->setNotFocusColor(QColor(255, 255, 200));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QCOMPARE(box->edit()->palette().color(QPalette::Base), QColor(255, 255, 200));
        box->edit()->setFocus();
        QTRY_COMPARE(enter.count(), 1);
        QCOMPARE(box->edit()->palette().color(QPalette::Base), QColor(Qt::white));
        other->setFocus();
        QTRY_COMPARE(exit.count(), 1);
        QCOMPARE(box->edit()->palette().color(QPalette::Base), QColor(255, 255, 200));
    }
};

QTEST_MAIN(CheckedComboBoxTest)
#include "test_checked_combo_box.moc"
