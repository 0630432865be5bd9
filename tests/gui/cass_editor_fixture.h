#pragma once

#include "../core/cassette_fixture.h"
#include "casseditor/cas_edit_dlg.h"
#include "casseditor/cas_grid.h"
#include "gui_test.h"
#include "model/collection.h"
#include "settings/settings.h"

#include <QAbstractButton>
#include <QTest>

#include <memory>
#include <vector>

namespace kt::test {

// One cassette editor over its own collection; the dialog goes before the scripted boxes, so that
// boxes left expected are reported when the fixture ends.
struct EditorFixture {
    explicit EditorFixture(bool showAllMsg = true) : ui(showAllMsg) {}

    Collection c;
    Settings s;
    ScriptedDialogs ui;
    CasChooserState st;
    std::unique_ptr<TCasEditDlg> dlg;

    TCasEditDlg& open(int mode) {
        st.Bearbeiten = mode;
        dlg = std::make_unique<TCasEditDlg>(c, s, ui, st);
        dlg->show();
        return *dlg;
    }

    template <class T> T* child(const char* name) const {
        return dlg->findChild<T*>(QString::fromLatin1(name));
    }
    CasGridView* grid() const { return child<CasGridView>("CasEditDlgStringGrid"); }
    QString cell(int col, int row) const { return dlg->Grid().Cells(col, row); }

    // The numbers of the listed cassettes, top to bottom.
    std::vector<int> numbers() const {
        std::vector<int> nrs;
        for (int row = 1; row <= dlg->Grid().Rows(); ++row)
            nrs.push_back(cell(0, row).toInt());
        return nrs;
    }

    void clickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton) const {
        CasGridView* view = grid();
        const QModelIndex at = view->model()->index(row - 1, col);
        view->scrollTo(at);
        QTest::mouseClick(view->viewport(), button, {}, view->visualRect(at).center());
    }

    // As a user double-clicks: the first click selects the cell.
    void doubleClickCell(int col, int row) const {
        CasGridView* view = grid();
        const QModelIndex at = view->model()->index(row - 1, col);
        view->scrollTo(at);
        const QPoint p = view->visualRect(at).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, p);
    }

    void click(const char* name) const {
        auto* b = child<QAbstractButton>(name);
        QVERIFY2(b != nullptr, name);
        QVERIFY2(b->isEnabled(), name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

} // namespace kt::test
