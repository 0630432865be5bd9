#include "mainwindow/main_window.h"

#include "app_context.h"
#include "filmlist/film_list.h"
#include "help/help_window.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/film_list_model.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/toolbar_icons.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "widgets/elided_label.h"

#include <QAbstractEventDispatcher>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

using namespace kt::literals;

TKassotekMainWindow::TKassotekMainWindow(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), fileDialogs_(std::make_unique<QtDataFileDialogs>()),
      trayAvailable_(QSystemTrayIcon::isSystemTrayAvailable()) {
    traceCommand("FormCreate", true);
    setObjectName(QStringLiteral("KassotekMainWindow"));
    setWindowTitle(QStringLiteral("Jorvald's Kassotek"));
    setWindowIcon(ToolIcon(ToolGlyph::About));
    setMinimumSize(426, 210);
    resize(1024, 700);
    ctx_.setDialogParent(this);
    // The configuration read that follows may change these.
    ctx_.trace.WriteMasterAlways = 2;
    ctx_.trace.MasterStoreLevel = 1;
    ctx_.collection.DataVerMain = PrgVerMain;
    ctx_.collection.DataVerMinor = PrgVerMinor;
    ctx_.settings.TempDir = Settings::DefaultTempDir();

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
    AdjustToProgramOptions();
    StatusBarRefresh();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("HelpShortcut"));
    connect(help, &QShortcut::activated, this, &TKassotekMainWindow::HilfeF1Click);
    auto* traceSwitch = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_F11), this);
    traceSwitch->setObjectName(QStringLiteral("TraceShortcut"));
    connect(traceSwitch, &QShortcut::activated, this, &TKassotekMainWindow::ToggleTraceOutput);
    for (QMenu* menu : findChildren<QMenu*>())
        menu->installEventFilter(this);
    // The idle handler runs whenever the event loop has nothing left to do.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TKassotekMainWindow::ApplicationIdle);
    traceCommand("FormCreate", false);
}

TKassotekMainWindow::~TKassotekMainWindow() {
    if (ctx_.dialogParent() == this)
        ctx_.setDialogParent(nullptr);
    // The model goes before the list it listens to.
    FilmStringGrid->setModel(nullptr);
    delete model_;
    model_ = nullptr;
}

void TKassotekMainWindow::buildFilmList() {
    FilmListeGroupBox = new QGroupBox(QStringLiteral(" Film&liste "), this);
    FilmListeGroupBox->setObjectName(QStringLiteral("FilmListeGroupBox"));
    filmList_ =
        std::make_unique<FilmList>(ctx_.collection, ctx_.settings, ctx_.colArrange, ctx_.filterSearch);
    filmList_->ResortPendingColumns = [this] {
        if (columnMovePending_)
            Resort_FilmString_Headers_and_Pos();
    };
    model_ = new FilmListModel(*filmList_);
    FilmStringGrid = new TFilmStringGrid(ctx_, FilmListeGroupBox);
    FilmStringGrid->setObjectName(QStringLiteral("FilmStringGrid"));
    FilmStringGrid->setFilmModel(model_);
    FilmListeGroupBox->setFocusProxy(FilmStringGrid);
    auto* layout = new QVBoxLayout(FilmListeGroupBox);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(FilmStringGrid);
    connectGrid();
}

void TKassotekMainWindow::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < StatusPanels; ++i) {
        auto* panel = new ElidedLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        StatusBar1->addWidget(panel);
        statusPanels_[static_cast<std::size_t>(i)] = panel;
    }
    statusPanels_[5]->setFullText(QStringLiteral("     "));
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

QString TKassotekMainWindow::statusPanelText(int panel) const {
    return statusPanels_.at(static_cast<std::size_t>(panel))->fullText();
}

void TKassotekMainWindow::StatusBarRefresh() {
    const std::vector<std::string> texts =
        StatusPanelTexts(ctx_.collection, filmList_->FilledRows(), ToCp(typeAheadText_));
    for (std::size_t i = 0; i < texts.size() && i < statusPanels_.size(); ++i)
        statusPanels_[i]->setFullText(FromCp(texts[i]));
    // The file name as the file system spells it.
    if (!ctx_.collection.CurrentDataFile.empty())
        statusPanels_[1]->setFullText(QStringLiteral("Datei: ") + PathText(ctx_.collection.CurrentDataFile));
}

void TKassotekMainWindow::traceCommand(const char* command, bool entry) {
    ctx_.trace.TraceLine(std::string("KtkMain: ") + command + (entry ? " [ENTRY]" : " [EXIT]"));
}

} // namespace kt
