#pragma once

#include <QMainWindow>

#include <array>
#include <string>

class QAction;
class QActionGroup;
class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QTableView;
class QToolButton;
class QVBoxLayout;

namespace kt {

class AppContext;
class TCheckedComboBox;
enum class ToolGlyph;

// The program's main window: menu bar, tool bar, the film list and the status bar.
// The command handlers live in one file per menu (file_, view_, film_, cassette_, extras_,
// help_commands.cpp); this class only builds the window and keeps its controls in step.
class TKassotekMainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int SortOrders = 7;
    static constexpr int StatusPanels = 6;
    // Below this tool bar width the tool bar takes two rows.
    static constexpr int TwoRowWidth = 810;

    explicit TKassotekMainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~TKassotekMainWindow() override;

    AppContext& context() { return ctx_; }

    // Sorting: the seven buttons and the seven radio items follow FilmSort.
    void SetFilmSort(int order);
    void Update_SortSpeedbuttons();

    // Storage media: the selector and its hidden mirror submenu follow StorageMediaList.
    void AdjustSpeichermediumDependentElements_To_StorageTypeShow();
    void CheckedComboBoxShowStorageTypeChange();
    void DoSpeicherMediumAutoItemClick(QAction* item);

    // The six panels of the status bar.
    void StatusBarRefresh();
    QString statusPanelText(int panel) const;
    bool twoRowToolbar() const { return twoRowToolbar_; }

    // Commands of the "&Datei" menu (file_commands.cpp).
    void Neu1Click();
    void Oeffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void ImportierenausTXTDatei1Click();
    void ImportierenausExcel1Click();
    void ExportierennachExcel1Click();
    void inTextdateiMIClick(QAction* caller);
    void Drucken1Click();
    void Druckereinrichtung1Click();
    void Beenden1Click();
    void CloseSpeedButtonClick();
    // "&Anzeigen" (view_commands.cpp).
    void Statistik1Click();
    // "&Film" (film_commands.cpp).
    void FilmNeueingebenClick();
    void FilmBearbeitenClick();
    void FilmAnsehenClick();
    void FilmLoeschenClick();
    // "&Cassette" (cassette_commands.cpp).
    void CassetteNeuanlegenClick();
    void CassetteBearbeitenClick();
    void UeberpruefenClick();
    void RestaurierungderCassettendatenClick();
    // "&Extras" (extras_commands.cpp).
    void OptionenProgrammClick();
    void Filtern_Suchen_und_SortierenClick();
    void ErsetzenMIClick();
    void Notizblock1Click();
    // "Hilfe" (help_commands.cpp).
    void HilfeF1Click();
    void Inhaltsuebersicht1Click();
    void Schnelleinstieg1Click();
    void Homepage1Click();
    void OptionenInfoClick();
    // The hidden "&Kategorie" menu: its commands do nothing.
    void KategorieClick() {}

    // Menus and their items; each carries its name as objectName.
    QMenu* Datei1;
    QAction* Neu1;
    QAction* Oeffnen1;
    QAction* Speichern1;
    QAction* Speichernunter1;
    QMenu* ImportierenvonDaten1;
    QAction* ImportierenausTXTDatei1;
    QAction* ImportierenausExcel1;
    QMenu* ExportierenderangezeigtenDaten1;
    QAction* ExportierennachExcel1;
    QAction* inTextdateiMI;
    QAction* MInuraktuelleSpalteineineTextdateiexportieren;
    QAction* Drucken1;
    QAction* Druckereinrichtung1;
    QAction* Beenden1;

    QMenu* Anzeigen1;
    QMenu* Sortierennach1;
    QAction* FilmnameMI;
    QAction* FilmlaengeMI;
    QAction* CassettenNummerMI;
    QAction* KategorieMI;
    QAction* HerstellungslandMI;
    QAction* HerstellungsjahrMI;
    QAction* unsortiertMI;
    QMenu* Anzeigenvon1;
    QAction* Statistik1;

    QMenu* Film1;
    QAction* FilmNeueingeben;
    QAction* FilmBearbeiten;
    QAction* FilmAnsehen;
    QAction* FilmLoeschen;

    QMenu* Cassette1;
    QAction* CassetteNeuanlegen;
    QAction* CassetteBearbeiten;
    QAction* Ueberpruefen;
    QAction* RestaurierungSeparator;
    QAction* RestaurierungderCassettendaten;

    QMenu* Extras1;
    QAction* OptionenProgramm;
    QAction* Filtern_Suchen_und_Sortieren;
    QAction* ErsetzenMI;
    QAction* Notizblock1;

    QMenu* Hilfe1;
    QAction* HilfeF1;
    QAction* Inhaltsuebersicht1;
    QAction* Schnelleinstieg1;
    QAction* Homepage1;
    QAction* OptionenInfo;

    QMenu* Kategorie1;
    QAction* KategorieNeu1;
    QAction* KategorieBearbeiten1;
    QAction* KategorieLoeschen1;

    // The tool bar, left to right.
    QWidget* SpeedbuttonPanel;
    QToolButton* CloseSpeedButton;
    QToolButton* NewFileSpeedButton;
    QToolButton* OpenFileSpeedButton;
    QToolButton* SaveFileSpeedButton;
    QToolButton* PrintSpeedButton;
    QToolButton* PrinterSetupSpeedButton;
    QToolButton* NewFilmSpeedButton;
    QToolButton* NewCasSpeedButton;
    QToolButton* CasBearbSpeedButton;
    QToolButton* CasCheckSpeedButton;
    QToolButton* FilterSuchSpeedButton;
    QToolButton* ProgOptionSpeedButton;
    QToolButton* NotepadSpeedButton;
    QToolButton* SpeedButtonStatistik;
    TCheckedComboBox* CheckedComboBoxShowStorageType;
    QToolButton* NameSortSpeedButton;
    QToolButton* LengthSortSpeedButton;
    QToolButton* CasNrSortSpeedButton;
    QToolButton* CategorySortSpeedButton;
    QToolButton* CountrySortSpeedButton;
    QToolButton* YearSortSpeedButton;
    QToolButton* UnsortedSpeedButton;
    QToolButton* AboutSpeedButton;

    QGroupBox* FilmListeGroupBox;
    // The film list. Its model (the composed cell texts of the listed films) comes with the
    // film-list core; until then it shows the catalogue's column headers only.
    QTableView* FilmStringGrid;

    QStatusBar* StatusBar1;

    // The seven orders in FilmSort's numbering.
    std::array<QToolButton*, SortOrders> sortButtons() const;
    std::array<QAction*, SortOrders> sortItems() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildFilmAndCassetteMenus();
    void buildExtrasAndHelpMenus();
    void buildToolbar();
    void buildFilmList();
    void buildStatusBar();
    void assignHelpContexts();

    template <class Handler>
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, Handler handler,
                     const QKeySequence& shortcut = {});
    template <class Handler>
    QToolButton* addButton(QHBoxLayout* row, const char* name, ToolGlyph glyph, const QString& hint,
                           Handler handler);

    // The layout of the tool bar in one or two rows, by its width.
    void FormResize();
    // The grid's columns and rows; the film-list core fills them.
    void Initialize_FilmStringGrid();
    void SetAusgabeData();
    int listedFilms() const;

    // A command whose window is not built yet says so and does nothing else.
    void NotYetAvailable(const char* command);
    void traceCommand(const char* command, bool entry);

    AppContext& ctx_;
    QButtonGroup* sortButtonGroup_;
    QActionGroup* sortItemGroup_;
    QHBoxLayout* firstRow_;
    QHBoxLayout* secondRow_;
    QWidget* rightGroup_;
    bool twoRowToolbar_ = false;
    std::array<QLabel*, StatusPanels> statusPanels_{};
    QString typeAheadText_;
};

} // namespace kt
