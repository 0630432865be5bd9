#include "mainwindow/main_window.h"

#include "app_context.h"
#include "help/help_window.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

using namespace kt::literals;

TKassotekMainWindow::TKassotekMainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    traceCommand("FormCreate", true);
    setObjectName(QStringLiteral("KassotekMainWindow"));
    setWindowTitle(QStringLiteral("Jorvald's Kassotek"));
    setMinimumSize(426, 210);
    resize(1024, 700);
    ctx_.setDialogParent(this);

    buildMenus();
    buildToolbar();
    buildFilmList();
    buildStatusBar();
    assignHelpContexts();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(SpeedbuttonPanel);
    layout->addWidget(FilmListeGroupBox, 1);
    setCentralWidget(central);

    Initialize_FilmStringGrid();
    Speichern1->setEnabled(false);
    SaveFileSpeedButton->setEnabled(false);
    AdjustSpeichermediumDependentElements_To_StorageTypeShow();
    Update_SortSpeedbuttons();
    StatusBarRefresh();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("HelpShortcut"));
    connect(help, &QShortcut::activated, this, &TKassotekMainWindow::HilfeF1Click);
    for (QMenu* menu : findChildren<QMenu*>())
        menu->installEventFilter(this);
    traceCommand("FormCreate", false);
}

TKassotekMainWindow::~TKassotekMainWindow() {
    if (ctx_.dialogParent() == this)
        ctx_.setDialogParent(nullptr);
}

void TKassotekMainWindow::buildFilmList() {
    FilmListeGroupBox = new QGroupBox(QStringLiteral(" Film&liste "), this);
    FilmListeGroupBox->setObjectName(QStringLiteral("FilmListeGroupBox"));
    FilmStringGrid = new QTableView(FilmListeGroupBox);
    FilmStringGrid->setObjectName(QStringLiteral("FilmStringGrid"));
    FilmStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FilmStringGrid->verticalHeader()->hide();
    FilmStringGrid->verticalHeader()->setDefaultSectionSize(17);
    FilmStringGrid->horizontalHeader()->setDefaultSectionSize(240);
    FilmStringGrid->horizontalHeader()->setSectionsMovable(true);
    FilmStringGrid->horizontalHeader()->setHighlightSections(false);
    FilmStringGrid->setAlternatingRowColors(false);
    auto* layout = new QVBoxLayout(FilmListeGroupBox);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(FilmStringGrid);
}

void TKassotekMainWindow::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < StatusPanels; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(4, 0, 4, 0);
        StatusBar1->addWidget(panel);
        statusPanels_[static_cast<std::size_t>(i)] = panel;
    }
    statusPanels_[5]->setText(QStringLiteral("     "));
}

void TKassotekMainWindow::FormResize() {
    const int width = SpeedbuttonPanel->width();
    if (width < TwoRowWidth && !twoRowToolbar_) {
        firstRow_->removeWidget(rightGroup_);
        secondRow_->insertWidget(0, rightGroup_);
        SpeedbuttonPanel->setFixedHeight(66);
        twoRowToolbar_ = true;
    } else if (width > TwoRowWidth && twoRowToolbar_) {
        secondRow_->removeWidget(rightGroup_);
        firstRow_->addWidget(rightGroup_);
        SpeedbuttonPanel->setFixedHeight(32);
        twoRowToolbar_ = false;
    }
}

bool TKassotekMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SpeedbuttonPanel && event->type() == QEvent::Resize) {
        FormResize();
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            int topic = menu->activeAction() ? HelpContextOf(menu->activeAction()) : 0;
            if (topic == 0)
                topic = HelpContextOf(menu);
            for (QMenu* m : findChildren<QMenu*>())
                m->hide();
            HelpWindow::Show(topic, this);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TKassotekMainWindow::Initialize_FilmStringGrid() {
    // Until the film-list model arrives the grid shows the catalogue's headers and one empty row.
    QStringList headers;
    std::vector<std::pair<int, int>> columns; // (position, entry)
    for (int n = 0; n < ColCount; ++n)
        if (ctx_.colArrange[n].Show && ctx_.colArrange[n].Pos >= 0)
            columns.emplace_back(ColumnOfEntry(ctx_.colArrange, n), n);
    std::sort(columns.begin(), columns.end());
    auto* model = new QStandardItemModel(1, static_cast<int>(columns.size()), FilmStringGrid);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        model->setHorizontalHeaderItem(c,
                                       new QStandardItem(FromCp(ctx_.colArrange[columns[c].second].Header)));
    QAbstractItemModel* old = FilmStringGrid->model();
    FilmStringGrid->setModel(model);
    delete old;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const int width = ctx_.colArrange[columns[c].second].Width;
        FilmStringGrid->setColumnWidth(c, width < 2 ? 50 : width);
    }
}

void TKassotekMainWindow::SetAusgabeData() {
    // The film-list core rebuilds the rows here.
}

int TKassotekMainWindow::listedFilms() const {
    // The film-list core reports the listed rows; the placeholder lists none.
    return 0;
}

QString TKassotekMainWindow::statusPanelText(int panel) const {
    return statusPanels_.at(static_cast<std::size_t>(panel))->text();
}

void TKassotekMainWindow::StatusBarRefresh() {
    const Collection& c = ctx_.collection;
    const std::string file = c.CurrentDataFile.empty() ? std::string("n.a") : c.CurrentDataFile;
    const QString texts[5] = {
        QStringLiteral("Kassotek ") + QString::fromStdString(ProgramVersionText()),
        QStringLiteral("Datei: ") + FromCp(file),
        QStringLiteral("Anzahl Filme: %1/%2").arg(listedFilms()).arg(c.AnzFilm()),
        QStringLiteral("Anzahl Cassetten: %1").arg(c.AnzCas()),
        QStringLiteral(" ") + typeAheadText_,
    };
    for (int i = 0; i < 5; ++i)
        statusPanels_[static_cast<std::size_t>(i)]->setText(texts[i]);
    for (QLabel* panel : statusPanels_) {
        const int text = panel->fontMetrics().horizontalAdvance(panel->text());
        panel->setFixedWidth(std::max(50, text + 12 + 2 * panel->frameWidth() + 8));
    }
}

void TKassotekMainWindow::traceCommand(const char* command, bool entry) {
    ctx_.trace.TraceLine(std::string("KtkMain: ") + command + (entry ? " [ENTRY]" : " [EXIT]"));
}

void TKassotekMainWindow::NotYetAvailable(const char* command) {
    traceCommand(command, true);
    ctx_.dialogs().notice("Diese Funktion ist noch nicht verfügbar."_cp);
    traceCommand(command, false);
}

} // namespace kt
