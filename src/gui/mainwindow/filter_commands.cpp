#include "mainwindow/main_window.h"

#include "app_context.h"
#include "filmlist/film_list.h"
#include "filter/filter_dialog.h"
#include "filter/filter_search.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <utility>
#include <vector>

// The filter, search and replace commands and the quick search of the tool bar. The dialog edits
// the settings, the core's list applies them; here only the decisions about rebuilding.
namespace kt {

namespace {

// The pause after the last key before the quick search rebuilds the list.
constexpr int QuickSearchPauseMs = 150;

std::vector<bool> CategoryMarks(const TKategorie& categories) {
    std::vector<bool> marks;
    marks.reserve(categories.size());
    for (const TSelectableStr& category : categories)
        marks.push_back(category.Selected);
    return marks;
}

bool AnyActive(const FilterSearch& fs) {
    return fs.FilterIsActive() || fs.SearchIsActive();
}

class QuickSearchLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> escape;
    // The field gives way first when the single tool bar row is narrow.
    QSize minimumSizeHint() const override { return {0, QLineEdit::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {maximumWidth(), QLineEdit::sizeHint().height()}; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && escape) {
            escape();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// Line edits take Ctrl+E for themselves (end of line), so the window's shortcut never sees it
// there; in them the key goes to the quick search as well.
class QuickSearchKey : public QObject {
public:
    QuickSearchKey(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier) {
                // Taken as a key press rather than a shortcut; the press itself focuses the field.
                event->accept();
                if (event->type() == QEvent::KeyPress)
                    action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

// The door for a rebuild while the user types: a search without a hit is seen in the list and the
// status bar at once, and a box at every pause would take the keys away.
class WithoutEmptyResultBox : public UserDialogs {
public:
    explicit WithoutEmptyResultBox(UserDialogs& target) : target_(target) {}
    void error(const std::string& text) override {
        if (text != ErrorText(11, {}))
            target_.error(text);
    }
    void warning(const std::string& text) override { target_.warning(text); }
    void information(const std::string& text) override { target_.information(text); }
    void notice(const std::string& text) override { target_.notice(text); }
    Answer question(const std::string& text, Buttons buttons, BoxKind kind) override {
        return target_.question(text, buttons, kind);
    }
    Answer threeWay(const ThreeWayQuestion& q) override { return target_.threeWay(q); }

private:
    UserDialogs& target_;
};

} // namespace

void TKassotekMainWindow::Filtern_Suchen_und_SortierenClick() {
    traceCommand("Filtern_Suchen_und_SortierenClick", true);
    FlushQuickSearch();
    FilterSearch& fs = ctx_.filterSearch;
    const bool wasActive = AnyActive(fs);
    const std::vector<bool> marks = CategoryMarks(ctx_.collection.CategoryList);
    bool rebuild = false;
    {
        TFiltern_Suchen_Sortieren_TabbedNotebookDlg dlg(ctx_, this);
        dlg.exec();
        rebuild = AnyActive(fs) != wasActive || CategoryMarks(ctx_.collection.CategoryList) != marks ||
                  dlg.AnyTextEntered();
    }
    UpdateFilterControls();
    ShowSearchInQuickSearch();
    // A changed setting the decision above does not see (a switch of a filter that stays active, a
    // new maximum length) would rebuild at the next activation; doing it here, once, spares a
    // second rebuild and a second box for an empty result.
    if (rebuild || fs.FSS_Changed) {
        Update_SortSpeedbuttons();
        SetAusgabeData();
    }
    fs.FSS_Changed = false;
    traceCommand("Filtern_Suchen_und_SortierenClick", false);
}

void TKassotekMainWindow::ErsetzenMIClick() {
    traceCommand("ErsetzenMIClick", true);
    FlushQuickSearch();
    FilterSearch& fs = ctx_.filterSearch;
    const bool wasActive = AnyActive(fs);
    int count = 0;
    {
        TFiltern_Suchen_Sortieren_TabbedNotebookDlg dlg(ctx_, this);
        dlg.ShowReplaceOnly();
        dlg.exec();
        count = dlg.ReplaceCount();
    }
    // Closing with "Filtern und suchen be&enden" has switched filter and search off: the list and
    // the button follow, so that they show what the settings say.
    UpdateFilterControls();
    ShowSearchInQuickSearch();
    if (count > 0 || AnyActive(fs) != wasActive || fs.FSS_Changed)
        SetAusgabeData();
    fs.FSS_Changed = false;
    traceCommand("ErsetzenMIClick", false);
}

void TKassotekMainWindow::UpdateFilterControls() {
    const bool active = AnyActive(ctx_.filterSearch);
    FilterSuchSpeedButton->setChecked(active);
    Filtern_Suchen_und_Sortieren->setChecked(active);
}

void TKassotekMainWindow::buildQuickSearch(QHBoxLayout* row) {
    auto* edit = new QuickSearchLineEdit(rightGroup_);
    QuickSearchEdit = edit;
    edit->setObjectName(QStringLiteral("QuickSearchEdit"));
    edit->setPlaceholderText(QStringLiteral("Schnellsuche"));
    edit->setToolTip(QStringLiteral("Schnellsuche in Titel, Stars, Inhalt, Bemerkungen, Regisseur und "
                                    "\"verliehen an\" (Strg+E, Esc beendet sie)"));
    edit->setClearButtonEnabled(true);
    edit->setMaximumWidth(180);
    edit->escape = [this] { EndQuickSearch(); };
    row->addWidget(edit, 1);
    row->addSpacing(8);

    quickSearchTimer_ = new QTimer(this);
    quickSearchTimer_->setObjectName(QStringLiteral("QuickSearchTimer"));
    quickSearchTimer_->setSingleShot(true);
    quickSearchTimer_->setInterval(QuickSearchPauseMs);
    connect(quickSearchTimer_, &QTimer::timeout, this, &TKassotekMainWindow::ApplyQuickSearch);
    connect(edit, &QLineEdit::textEdited, this, &TKassotekMainWindow::QuickSearchEdited);
    // Enter applies at once.
    connect(edit, &QLineEdit::returnPressed, this, &TKassotekMainWindow::FlushQuickSearch);

    // An action of the window, as the menu items are: it works also while no widget has the focus.
    auto* focus = new QAction(this);
    focus->setObjectName(QStringLiteral("QuickSearchShortcut"));
    focus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(focus);
    auto focusField = [this] {
        QuickSearchEdit->setFocus(Qt::ShortcutFocusReason);
        QuickSearchEdit->selectAll();
    };
    connect(focus, &QAction::triggered, this, focusField);
    auto* key = new QuickSearchKey(this, focusField);
    edit->installEventFilter(key);
    for (QLineEdit* other : CheckedComboBoxShowStorageType->findChildren<QLineEdit*>())
        other->installEventFilter(key);
}

void TKassotekMainWindow::QuickSearchEdited() {
    quickSearchTimer_->start();
}

void TKassotekMainWindow::FlushQuickSearch() {
    if (quickSearchTimer_->isActive())
        ApplyQuickSearch();
}

void TKassotekMainWindow::ApplyQuickSearch() {
    quickSearchTimer_->stop();
    FilterSearch& fs = ctx_.filterSearch;
    const FilterSearch before = fs;
    const std::string text = ToCp(QuickSearchEdit->text());
    fs.SuchText = text;
    for (int k = SearchTitle; k <= SearchLentTo; ++k)
        fs.SuchenIn[static_cast<std::size_t>(k)] = !text.empty();
    DeriveActiveFlags(fs, ctx_.collection.CategoryList);
    if (fs != before) {
        traceCommand("ApplyQuickSearch", true);
        WithoutEmptyResultBox door(ctx_.dialogs());
        filmList_->SetAusgabeData(door);
        UpdateFilterControls();
        traceCommand("ApplyQuickSearch", false);
    }
    const bool noHit = fs.SearchIsActive() && filmList_->FilledRows() == 0;
    QuickSearchEdit->setStyleSheet(noHit ? QStringLiteral("QLineEdit { color: #c00000; }") : QString());
}

void TKassotekMainWindow::EndQuickSearch() {
    QuickSearchEdit->clear();
    ApplyQuickSearch();
    FilmStringGrid->setFocus(Qt::OtherFocusReason);
}

void TKassotekMainWindow::ShowSearchInQuickSearch() {
    quickSearchTimer_->stop();
    const FilterSearch& fs = ctx_.filterSearch;
    const QSignalBlocker block(QuickSearchEdit);
    QuickSearchEdit->setText(fs.SearchIsActive() ? FromCp(fs.SuchText) : QString());
    QuickSearchEdit->setStyleSheet(QString());
}

} // namespace kt
