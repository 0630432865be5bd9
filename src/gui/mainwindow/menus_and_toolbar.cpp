#include "mainwindow/main_window.h"

#include "app_context.h"
#include "help/help_window.h"
#include "mainwindow/toolbar_icons.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

// The menus and the tool bar of the main window, with the names, captions, shortcuts and hints
// the rest of the program and the tests look them up by.
namespace kt {

using namespace kt::literals;

template <class Handler>
QAction* TKassotekMainWindow::addItem(QMenu* menu, const char* name, const QString& caption, Handler handler,
                                      const QKeySequence& shortcut) {
    auto* item = new QAction(caption, this);
    item->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    menu->addAction(item);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

namespace {

QMenu* AddMenu(QWidget* owner, QMenuBar* bar, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(QLatin1String(name));
    bar->addMenu(menu);
    return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

void TKassotekMainWindow::buildMenus() {
    buildFileMenu();
    buildViewMenu();
    buildFilmAndCassetteMenus();
    buildExtrasAndHelpMenus();
}

void TKassotekMainWindow::buildFileMenu() {
    using W = TKassotekMainWindow;
    Datei1 = AddMenu(this, menuBar(), "Datei1", QStringLiteral("&Datei"));
    Neu1 = addItem(Datei1, "Neu1", QStringLiteral("&Neu"), &W::Neu1Click);
    Oeffnen1 = addItem(Datei1, "Oeffnen1", QStringLiteral("Ö&ffnen..."), &W::Oeffnen1Click);
    Speichern1 = addItem(Datei1, "Speichern1", QStringLiteral("&Speichern"), &W::Speichern1Click,
                         QKeySequence(Qt::CTRL | Qt::Key_S));
    Speichernunter1 =
        addItem(Datei1, "Speichernunter1", QStringLiteral("Speichern &unter..."), &W::Speichernunter1Click);
    Datei1->addSeparator();
    ImportierenvonDaten1 =
        AddSubmenu(Datei1, "ImportierenvonDaten1", QStringLiteral("Importieren von Daten ..."));
    ImportierenausTXTDatei1 =
        addItem(ImportierenvonDaten1, "ImportierenausTXTDatei1", QStringLiteral("Importieren aus TXT-Datei"),
                &W::ImportierenausTXTDatei1Click);
    ImportierenausExcel1 = addItem(ImportierenvonDaten1, "ImportierenausExcel1",
                                   QStringLiteral("Importieren aus Excel"), &W::ImportierenausExcel1Click);
    ExportierenderangezeigtenDaten1 = AddSubmenu(Datei1, "ExportierenderangezeigtenDaten1",
                                                 QStringLiteral("Exportieren der angezeigten Daten ..."));
    ExportierennachExcel1 =
        addItem(ExportierenderangezeigtenDaten1, "ExportierennachExcel1",
                QStringLiteral("... in eine E&xcel-Datei"), &W::ExportierennachExcel1Click);
    inTextdateiMI =
        addItem(ExportierenderangezeigtenDaten1, "inTextdateiMI", QStringLiteral("... in eine &Textdatei"),
                [this] { inTextdateiMIClick(inTextdateiMI); });
    MInuraktuelleSpalteineineTextdateiexportieren =
        addItem(ExportierenderangezeigtenDaten1, "MInuraktuelleSpalteineineTextdateiexportieren",
                QStringLiteral("... nur aktuelle &Spalte in eine Textdatei"),
                [this] { inTextdateiMIClick(MInuraktuelleSpalteineineTextdateiexportieren); });
    Datei1->addSeparator();
    Drucken1 = addItem(Datei1, "Drucken1", QStringLiteral("&Drucken..."), &W::Drucken1Click);
    Druckereinrichtung1 = addItem(Datei1, "Druckereinrichtung1", QStringLiteral("Drucker&einrichtung..."),
                                  &W::Druckereinrichtung1Click);
    Datei1->addSeparator();
    Beenden1 = addItem(Datei1, "Beenden1", QStringLiteral("&Beenden"), &W::Beenden1Click);
    // The recently used files follow these twelve fixed entries.
}

void TKassotekMainWindow::buildViewMenu() {
    using W = TKassotekMainWindow;
    Anzeigen1 = AddMenu(this, menuBar(), "Anzeigen1", QStringLiteral("&Anzeigen"));
    Sortierennach1 = AddSubmenu(Anzeigen1, "Sortierennach1", QStringLiteral("S&ortieren nach ... "));
    sortItemGroup_ = new QActionGroup(this);
    sortItemGroup_->setExclusive(true);
    struct SortItem {
        QAction** member;
        const char* name;
        const char* caption;
    };
    const SortItem items[SortOrders] = {
        {&FilmnameMI, "FilmnameMI", "Film&name"},
        {&FilmlaengeMI, "FilmlaengeMI", "Film&länge"},
        {&CassettenNummerMI, "CassettenNummerMI", "Cassetten-&Nummer"},
        {&KategorieMI, "KategorieMI", "&Kategorie"},
        {&HerstellungslandMI, "HerstellungslandMI", "&Herstellungsland"},
        {&HerstellungsjahrMI, "HerstellungsjahrMI", "Herstellungs&jahr"},
        {&unsortiertMI, "unsortiertMI", "&unsortiert"},
    };
    for (int order = 0; order < SortOrders; ++order) {
        QAction* item = addItem(Sortierennach1, items[order].name, QString::fromUtf8(items[order].caption),
                                [this, order] { SetFilmSort(order); });
        item->setCheckable(true);
        sortItemGroup_->addAction(item);
        *items[order].member = item;
    }
    // Kept in step with the selector but never shown: the selector is the way to choose.
    Anzeigenvon1 = AddSubmenu(Anzeigen1, "Anzeigenvon1", QStringLiteral("&Anzeigen von ..."));
    Anzeigenvon1->menuAction()->setVisible(false);
    Anzeigenvon1->menuAction()->setEnabled(false);
    Anzeigen1->addSeparator();
    Statistik1 = addItem(Anzeigen1, "Statistik1", QStringLiteral("&Statistik"), &W::Statistik1Click);
}

void TKassotekMainWindow::buildFilmAndCassetteMenus() {
    using W = TKassotekMainWindow;
    Film1 = AddMenu(this, menuBar(), "Film1", QStringLiteral("&Film"));
    FilmNeueingeben = addItem(Film1, "FilmNeueingeben", QStringLiteral("&Neu eingeben"),
                              &W::FilmNeueingebenClick, QKeySequence(Qt::CTRL | Qt::Key_N));
    FilmBearbeiten = addItem(Film1, "FilmBearbeiten", QStringLiteral("&Bearbeiten"), &W::FilmBearbeitenClick);
    FilmAnsehen = addItem(Film1, "FilmAnsehen", QStringLiteral("&Ansehen"), &W::FilmAnsehenClick);
    Film1->addSeparator();
    FilmLoeschen = addItem(Film1, "FilmLoeschen", QStringLiteral("&Löschen"), &W::FilmLoeschenClick,
                           QKeySequence(Qt::CTRL | Qt::Key_L));

    Cassette1 = AddMenu(this, menuBar(), "Cassette1", QStringLiteral("&Cassette"));
    CassetteNeuanlegen = addItem(Cassette1, "CassetteNeuanlegen", QStringLiteral("&Neu anlegen"),
                                 &W::CassetteNeuanlegenClick, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
    CassetteBearbeiten =
        addItem(Cassette1, "CassetteBearbeiten", QStringLiteral("&Bearbeiten"), &W::CassetteBearbeitenClick);
    Ueberpruefen = addItem(Cassette1, "Ueberpruefen", QStringLiteral("Über&prüfung"), &W::UeberpruefenClick);
    RestaurierungSeparator = Cassette1->addSeparator();
    RestaurierungSeparator->setObjectName(QStringLiteral("RestaurierungSeparator"));
    RestaurierungderCassettendaten =
        addItem(Cassette1, "RestaurierungderCassettendaten",
                QStringLiteral("&Restaurierung der Cassettendaten"), &W::RestaurierungderCassettendatenClick);

    Kategorie1 = AddMenu(this, menuBar(), "Kategorie1", QStringLiteral("&Kategorie"));
    KategorieNeu1 = addItem(Kategorie1, "KategorieNeu1", QStringLiteral("&Neu"), &W::KategorieClick);
    KategorieBearbeiten1 =
        addItem(Kategorie1, "KategorieBearbeiten1", QStringLiteral("&Bearbeiten"), &W::KategorieClick);
    KategorieLoeschen1 =
        addItem(Kategorie1, "KategorieLoeschen1", QStringLiteral("&Löschen"), &W::KategorieClick);
    Kategorie1->menuAction()->setVisible(false);
}

void TKassotekMainWindow::buildExtrasAndHelpMenus() {
    using W = TKassotekMainWindow;
    Extras1 = AddMenu(this, menuBar(), "Extras1", QStringLiteral("&Extras"));
    OptionenProgramm = addItem(Extras1, "OptionenProgramm", QStringLiteral("allgemeine &Programmoptionen"),
                               &W::OptionenProgrammClick, QKeySequence(Qt::CTRL | Qt::Key_O));
    Extras1->addSeparator();
    Filtern_Suchen_und_Sortieren =
        addItem(Extras1, "Filtern_Suchen_und_Sortieren", QStringLiteral("&Filtern und suchen"),
                &W::Filtern_Suchen_und_SortierenClick, QKeySequence(Qt::CTRL | Qt::Key_F));
    Filtern_Suchen_und_Sortieren->setCheckable(true);
    ErsetzenMI = addItem(Extras1, "ErsetzenMI", QStringLiteral("&Ersetzen"), &W::ErsetzenMIClick,
                         QKeySequence(Qt::CTRL | Qt::Key_H));
    Extras1->addSeparator();
    Notizblock1 = addItem(Extras1, "Notizblock1", QStringLiteral("&Notizblock öffnen"), &W::Notizblock1Click);

    Hilfe1 = AddMenu(this, menuBar(), "Hilfe1", QStringLiteral("Hilfe"));
    // F1 itself is a window shortcut (and a key in the open menus): the caption names it.
    HilfeF1 = addItem(Hilfe1, "HilfeF1", QStringLiteral("&Hilfe  -  F1"), &W::HilfeF1Click);
    Inhaltsuebersicht1 = addItem(Hilfe1, "Inhaltsuebersicht1", QStringLiteral("Inhalts&übersicht der Hilfe"),
                                 &W::Inhaltsuebersicht1Click);
    Schnelleinstieg1 =
        addItem(Hilfe1, "Schnelleinstieg1", QStringLiteral("&Schnelleinstieg"), &W::Schnelleinstieg1Click);
    Hilfe1->addSeparator();
    Homepage1 =
        addItem(Hilfe1, "Homepage1", QStringLiteral("Home&page von Kassotek besuchen"), &W::Homepage1Click);
    Hilfe1->addSeparator();
    OptionenInfo =
        addItem(Hilfe1, "OptionenInfo", QStringLiteral("&Info über Kassotek"), &W::OptionenInfoClick);
}

template <class Handler>
QToolButton* TKassotekMainWindow::addButton(QHBoxLayout* row, const char* name, ToolGlyph glyph,
                                            const QString& hint, Handler handler) {
    auto* button = new QToolButton(SpeedbuttonPanel);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(ToolIcon(glyph));
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(26, 26);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    row->addWidget(button);
    connect(button, &QToolButton::clicked, this, handler);
    return button;
}

void TKassotekMainWindow::buildToolbar() {
    using W = TKassotekMainWindow;
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    SpeedbuttonPanel = panel;
    SpeedbuttonPanel->setObjectName(QStringLiteral("SpeedbuttonPanel"));
    SpeedbuttonPanel->setFixedHeight(32);
    SpeedbuttonPanel->installEventFilter(this);

    auto* left = new QWidget(SpeedbuttonPanel);
    auto* l = new QHBoxLayout(left);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    CloseSpeedButton = addButton(l, "CloseSpeedButton", ToolGlyph::Close, QStringLiteral("Kassotek beenden"),
                                 &W::CloseSpeedButtonClick);
    l->addSpacing(8);
    NewFileSpeedButton = addButton(l, "NewFileSpeedButton", ToolGlyph::NewFile,
                                   QStringLiteral("neue Film- und Cassettendatei anlegen"), &W::Neu1Click);
    OpenFileSpeedButton = addButton(l, "OpenFileSpeedButton", ToolGlyph::OpenFile,
                                    QStringLiteral("Film- und Cassettendatei öffnen"), &W::Oeffnen1Click);
    SaveFileSpeedButton =
        addButton(l, "SaveFileSpeedButton", ToolGlyph::SaveFile,
                  QStringLiteral("Film- und Cassettendatei speichern"), &W::Speichern1Click);
    l->addSpacing(8);
    PrintSpeedButton = addButton(l, "PrintSpeedButton", ToolGlyph::Print,
                                 QStringLiteral("aktuelle Filmliste drucken"), &W::Drucken1Click);
    PrinterSetupSpeedButton = addButton(l, "PrinterSetupSpeedButton", ToolGlyph::PrinterSetup,
                                        QStringLiteral("Drucker-Setup"), &W::Druckereinrichtung1Click);
    l->addSpacing(8);
    NewFilmSpeedButton = addButton(l, "NewFilmSpeedButton", ToolGlyph::NewFilm,
                                   QStringLiteral("neuen Film eingeben"), &W::FilmNeueingebenClick);
    NewCasSpeedButton = addButton(l, "NewCasSpeedButton", ToolGlyph::NewCassette,
                                  QStringLiteral("neue Cassette anlegen"), &W::CassetteNeuanlegenClick);
    CasBearbSpeedButton = addButton(l, "CasBearbSpeedButton", ToolGlyph::EditCassettes,
                                    QStringLiteral("Cassetten bearbeiten"), &W::CassetteBearbeitenClick);
    CasCheckSpeedButton = addButton(l, "CasCheckSpeedButton", ToolGlyph::CheckCassettes,
                                    QStringLiteral("Cassetteneinträge auf Intervalleinhaltung überprüfen"),
                                    &W::UeberpruefenClick);
    l->addSpacing(8);
    FilterSuchSpeedButton = addButton(l, "FilterSuchSpeedButton", ToolGlyph::Filter,
                                      QStringLiteral("\"Film filtern, suchen und ersetzen\"-Dialog"),
                                      &W::Filtern_Suchen_und_SortierenClick);
    FilterSuchSpeedButton->setCheckable(true);
    ProgOptionSpeedButton = addButton(l, "ProgOptionSpeedButton", ToolGlyph::Options,
                                      QStringLiteral("Kassotek-Programmoptionen"), &W::OptionenProgrammClick);
    NotepadSpeedButton = addButton(l, "NotepadSpeedButton", ToolGlyph::Notepad,
                                   QStringLiteral("Notizblock öffnen"), &W::Notizblock1Click);
    SpeedButtonStatistik = addButton(l, "SpeedButtonStatistik", ToolGlyph::Statistics,
                                     QStringLiteral("Statistiken anzeigen"), &W::Statistik1Click);

    rightGroup_ = new QWidget(SpeedbuttonPanel);
    auto* r = new QHBoxLayout(rightGroup_);
    r->setContentsMargins(0, 0, 0, 0);
    r->setSpacing(1);
    CheckedComboBoxShowStorageType = new TCheckedComboBox(rightGroup_);
    CheckedComboBoxShowStorageType->setObjectName(QStringLiteral("CheckedComboBoxShowStorageType"));
    CheckedComboBoxShowStorageType->setDialogs(&ctx_.dialogs());
    CheckedComboBoxShowStorageType->setCapSelectAll(QStringLiteral("&alle auswählen"));
    CheckedComboBoxShowStorageType->setCapDeSelectAll(QStringLiteral("alle a&bwählen"));
    CheckedComboBoxShowStorageType->setNotFocusColor(Qt::white);
    CheckedComboBoxShowStorageType->setItems(
        {QStringLiteral("Video-Cassette"), QStringLiteral("Kauf-Cassette"), QStringLiteral("DVD"),
         QStringLiteral("VCD"), QStringLiteral("SVCD"), QStringLiteral("DivX ;-)")});
    CheckedComboBoxShowStorageType->setFixedWidth(150);
    connect(CheckedComboBoxShowStorageType, &TCheckedComboBox::OnChange, this,
            &W::CheckedComboBoxShowStorageTypeChange);
    r->addWidget(CheckedComboBoxShowStorageType);
    r->addSpacing(8);
    buildQuickSearch(r);

    sortButtonGroup_ = new QButtonGroup(this);
    sortButtonGroup_->setExclusive(true);
    struct SortButton {
        QToolButton** member;
        const char* name;
        ToolGlyph glyph;
        const char* hint;
    };
    const SortButton buttons[SortOrders] = {
        {&NameSortSpeedButton, "NameSortSpeedButton", ToolGlyph::SortName, "sortieren nach Filmtiteln"},
        {&LengthSortSpeedButton, "LengthSortSpeedButton", ToolGlyph::SortLength, "sortieren nach Filmlänge"},
        {&CasNrSortSpeedButton, "CasNrSortSpeedButton", ToolGlyph::SortCasNr, ""},
        {&CategorySortSpeedButton, "CategorySortSpeedButton", ToolGlyph::SortCategory,
         "sortieren nach Kategorie"},
        {&CountrySortSpeedButton, "CountrySortSpeedButton", ToolGlyph::SortCountry,
         "sortieren nach Herkunftsland"},
        {&YearSortSpeedButton, "YearSortSpeedButton", ToolGlyph::SortYear, "sortieren nach Herstellungsjahr"},
        {&UnsortedSpeedButton, "UnsortedSpeedButton", ToolGlyph::Unsorted,
         "unsortiert = in der Eingabereihenfolge"},
    };
    for (int order = 0; order < SortOrders; ++order) {
        QToolButton* b =
            addButton(r, buttons[order].name, buttons[order].glyph, QString::fromUtf8(buttons[order].hint),
                      [this, order] { SetFilmSort(order); });
        b->setCheckable(true);
        sortButtonGroup_->addButton(b, order);
        *buttons[order].member = b;
    }
    CasNrSortSpeedButton->setToolTip(ScreenText(
        "sortieren nach Cassettennummer\r\n(bitte, beachten den zusätzlichen Parameter\r\nin \"Optionen, Anzeige allgemein\" beachten)"_cp));
    r->addSpacing(8);
    AboutSpeedButton = addButton(r, "AboutSpeedButton", ToolGlyph::About,
                                 QStringLiteral("Info über Kassotek"), &W::OptionenInfoClick);

    firstRow_ = new QHBoxLayout;
    firstRow_->setSpacing(0);
    firstRow_->addWidget(left);
    firstRow_->addStretch(1);
    firstRow_->addWidget(rightGroup_);
    secondRow_ = new QHBoxLayout;
    secondRow_->setSpacing(0);
    secondRow_->addStretch(1);
    auto* rows = new QVBoxLayout(SpeedbuttonPanel);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(8);
    rows->addLayout(firstRow_);
    rows->addLayout(secondRow_);
}

void TKassotekMainWindow::assignHelpContexts() {
    for (QObject* o : {static_cast<QObject*>(Datei1), static_cast<QObject*>(ImportierenvonDaten1),
                       static_cast<QObject*>(ExportierenderangezeigtenDaten1)}) {
        SetHelpContext(o, HelpFileMenu);
        for (QAction* a : static_cast<QMenu*>(o)->actions())
            SetHelpContext(a, HelpFileMenu);
    }
    SetHelpContext(Anzeigen1, HelpViewMenu);
    SetHelpContext(Sortierennach1, HelpViewMenu);
    SetHelpContext(Film1, HelpFilmMenu);
    SetHelpContext(Cassette1, HelpCassetteMenu);
    SetHelpContext(Extras1, HelpExtrasMenu);
    SetHelpContext(OptionenProgramm, HelpOptions);
    SetHelpContext(Filtern_Suchen_und_Sortieren, HelpFilter);
    SetHelpContext(OptionenInfo, HelpAbout);
    SetHelpContext(SpeedbuttonPanel, HelpToolbar);
    SetHelpContext(FilmListeGroupBox, HelpFilmList);
}

std::array<QToolButton*, TKassotekMainWindow::SortOrders> TKassotekMainWindow::sortButtons() const {
    return {NameSortSpeedButton,    LengthSortSpeedButton, CasNrSortSpeedButton, CategorySortSpeedButton,
            CountrySortSpeedButton, YearSortSpeedButton,   UnsortedSpeedButton};
}

std::array<QAction*, TKassotekMainWindow::SortOrders> TKassotekMainWindow::sortItems() const {
    return {FilmnameMI,         FilmlaengeMI,       CassettenNummerMI, KategorieMI,
            HerstellungslandMI, HerstellungsjahrMI, unsortiertMI};
}

} // namespace kt
