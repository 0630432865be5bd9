#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QKeyEvent;
class QMenu;
class QPrinter;
class QSystemTrayIcon;
class QTableView;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace kt {

class AppContext;
class DataFileDialogs;
class ElidedLabel;
class ExportFileDialogs;
class FirstPictureDisplay;
class FilmList;
class FilmListModel;
class TCheckedComboBox;
class TFilmStringGrid;
class TNotepadForm;
class TPrnPreviewForm;
class UserDialogs;
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
    // Values of Tag: the start markers, a real end (no minimise question), the print preview's
    // request for its first page.
    static constexpr int TagFirstActivation = -9999;
    static constexpr int TagFirstResize = -1111;
    static constexpr int TagRealEnd = -1;
    static constexpr int TagPreviewFirstPage = 1000;

    explicit TKassotekMainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~TKassotekMainWindow() override;

    AppContext& context() { return ctx_; }
    int Tag = 0;

    // The film list (grid.cpp): its texts, the rebuilds and the current film.
    FilmList& filmList() { return *filmList_; }
    void Initialize_FilmStringGrid();
    void Initialize_FilmStringGrid_Headers();
    bool SetAusgabeData();
    bool SetAusgabeData_OneFilm();
    bool GetCurrentFilm();
    // The start-up step: the columns, the automatic load, the column positions, the cassette check.
    void InitFilmStringGrid();

    // What the grid does with the mouse and the keys (grid_interaction.cpp).
    void FilmStringGridSelectCell(int oldRow);
    void FilmStringGridClick();
    void FilmStringGridDblClick();
    bool FilmStringGridKeyPress(QKeyEvent* event);
    bool FilmStringGridText(const QString& text);
    void TypeAheadStep(char c);
    const QString& typeAheadText() const { return typeAheadText_; }
    bool typeAheadLocked() const { return typeAheadLock_; }
    void FilmStringGridColumnMoved(int fromColumn, int toColumn);
    void Resort_FilmString_Headers_and_Pos();
    // Widths dragged in the header go into the catalogue.
    void FilmStringGridMouseUp();

    // Loading (file_commands.cpp).
    bool DateiLaden(const std::string& fileName);
    // The list after a failed load: refreshed only when the readable films of a damaged file
    // were taken.
    void loadFailed(bool replaced);
    void RefreshCaption();
    // The file dialogs; the window starts with Qt's.
    void setFileDialogs(std::unique_ptr<DataFileDialogs> dialogs);
    // The save dialogs of the exports (export_commands.cpp); the window starts with Qt's.
    void setExportDialogs(std::shared_ptr<ExportFileDialogs> dialogs);
    // The open dialog of the imports (Excel or text); an empty path means cancelled. Tests replace it.
    std::function<QString(QWidget* parent, const QString& folder, bool excel)> chooseImportFile;
    // Recently used files at the end of the "&Datei" menu (recent_files.cpp).
    void Add2History(const std::string& path);
    void Adjust_FileMenu();
    void HistoryItemClick(QAction* item);
    QList<QAction*> historyItems() const;

    // Lifecycle (lifecycle.cpp).
    bool EndAllowed();
    // The close question; true when the window may close.
    bool FormCloseQuery();
    void Hide_to_Systray();
    void RestoreFromSystray();
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }
    // Whether the desktop has a notification area (a test may say so).
    void setTrayAvailable(bool available) { trayAvailable_ = available; }
    bool trayAvailable() const { return trayAvailable_; }
    void ApplicationIdle();
    void AppException(const std::string& message);
    void ToggleTraceOutput();
    // The session manager asks whether the session may end.
    bool EndOfSession();

    // Sorting: the seven buttons and the seven radio items follow FilmSort.
    void SetFilmSort(int order);
    void Update_SortSpeedbuttons();

    // Storage media: the selector and its hidden mirror submenu follow StorageMediaList.
    void AdjustSpeichermediumDependentElements_To_StorageTypeShow();
    void CheckedComboBoxShowStorageTypeChange();
    void DoSpeicherMediumAutoItemClick(QAction* item);
    // StorageTypeShow, the media's Selected flags and the mirror items from the selector's marks:
    // all four agree.
    void StorageTypeShowFromSelector();

    // The six panels of the status bar.
    void StatusBarRefresh();
    QString statusPanelText(int panel) const;
    bool twoRowToolbar() const { return twoRowToolbar_; }

    // Commands of the "&Datei" menu (file_commands.cpp).
    void Neu1Click();
    void Oeffnen1Click();
    // A file named on the command line or handed over by a second start: brings the window to
    // the front and opens the file as "Ö&ffnen..." opens a chosen one (the filter entry of its
    // extension, else entry 7), once no dialog and no other work is in the way.
    void OpenFileFromOutside(const QString& path);
    void Speichern1Click();
    void Speichernunter1Click();
    void ImportierenausTXTDatei1Click();
    void ImportierenausExcel1Click();
    void ExportierennachExcel1Click();
    void inTextdateiMIClick(QAction* caller);
    void Drucken1Click();
    void Druckereinrichtung1Click();
    // The print preview while it is open, and the printer it and the setup command share.
    TPrnPreviewForm* printPreview() const;
    QPrinter& printer();
    void Beenden1Click();
    void CloseSpeedButtonClick();
    // "&Anzeigen" (view_commands.cpp).
    void Statistik1Click();
    // "&Film" (film_commands.cpp).
    void FilmNeueingebenClick();
    void FilmBearbeitenClick();
    void FilmAnsehenClick();
    void FilmLoeschenClick();
    // The question before a film is deleted; true for "Ja".
    bool DeleteAllowed(const std::string& title);
    // "&Cassette" (cassette_commands.cpp).
    void CassetteNeuanlegenClick();
    void CassetteBearbeitenClick();
    void UeberpruefenClick();
    void RestaurierungderCassettendatenClick();
    // "&Extras" (extras_commands.cpp).
    void OptionenProgrammClick();
    // The switches of the options dialog for this run: the restoration item and its separator
    // are there only with AllowCasRestore, the storage-medium selector only works without the
    // override (OverrideStorageTypeShow).
    void AdjustToProgramOptions();
    void Filtern_Suchen_und_SortierenClick();
    void ErsetzenMIClick();
    // The filter button and menu item pressed exactly while a filter or a search is active
    // (filter_commands.cpp).
    void UpdateFilterControls();
    // The quick search of the tool bar: typing sets the search in every text field after a short
    // pause; Escape or an empty field ends it.
    void QuickSearchEdited();
    void ApplyQuickSearch();
    void EndQuickSearch();
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
    QLineEdit* QuickSearchEdit;
    QToolButton* NameSortSpeedButton;
    QToolButton* LengthSortSpeedButton;
    QToolButton* CasNrSortSpeedButton;
    QToolButton* CategorySortSpeedButton;
    QToolButton* CountrySortSpeedButton;
    QToolButton* YearSortSpeedButton;
    QToolButton* UnsortedSpeedButton;
    QToolButton* AboutSpeedButton;

    QGroupBox* FilmListeGroupBox;
    TFilmStringGrid* FilmStringGrid;

    QStatusBar* StatusBar1;

    // The seven orders in FilmSort's numbering.
    std::array<QToolButton*, SortOrders> sortButtons() const;
    std::array<QAction*, SortOrders> sortItems() const;

signals:
    // The window has closed for good: the program ends.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Whether the last DateiLaden put what it read in place of the collection.
    bool loadReplaced_ = false;
    void openChosenFile(const std::string& file, int filterIndex);
    void openWhenFree(const QString& path);
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildFilmAndCassetteMenus();
    void buildExtrasAndHelpMenus();
    void buildToolbar();
    void buildFilmList();
    void buildStatusBar();
    void buildQuickSearch(QHBoxLayout* row);
    // The quick search field shows the search text while a search is active, else nothing.
    void ShowSearchInQuickSearch();
    // Applies a quick search still waiting for its pause, before anything else reads the settings.
    void FlushQuickSearch();
    void assignHelpContexts();

    template <class Handler>
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, Handler handler,
                     const QKeySequence& shortcut = {});
    template <class Handler>
    QToolButton* addButton(QHBoxLayout* row, const char* name, ToolGlyph glyph, const QString& hint,
                           Handler handler);

    // The layout of the tool bar in one or two rows, by its width.
    void FormResize();
    void connectGrid();
    void applyColumnWidths();
    // The film slot shown in a grid row (a row beyond the last counts as the last), 0 for none.
    int FilmOfGridRow(int row);
    // After a rebuild the current film's row becomes the current row (when it is listed).
    void ShowCurrentFilmRow();
    // After a load or New: the list, the caption, the save controls and the status bar.
    void dataSetChanged();
    void UpdateSaveControls();
    // The unsaved-data question when the data would be replaced; true to go on.
    bool UnsavedDataMayGo();
    void FormClose();
    void firstShown(bool openQuickStart);
    void AskAboutTraceLevel();
    void buildTrayIcon();

    // Both imports: the settings, the file, the films and the closing steps (file_commands.cpp).
    void ImportFromChosenFile(bool excel);
    void traceCommand(const char* command, bool entry);

    AppContext& ctx_;
    // The one notepad window while it is open.
    QPointer<TNotepadForm> notepad_;
    QButtonGroup* sortButtonGroup_;
    QActionGroup* sortItemGroup_;
    QHBoxLayout* firstRow_;
    QHBoxLayout* secondRow_;
    QWidget* rightGroup_;
    bool twoRowToolbar_ = false;
    std::array<ElidedLabel*, StatusPanels> statusPanels_{};
    QString typeAheadText_;
    bool typeAheadLock_ = false;
    bool columnMovePending_ = false;
    // Set while the program itself puts the cursor back after a rebuild: no click action then.
    bool restoringCurrent_ = false;
    bool applyingWidths_ = false;
    int savedRow_ = 0;
    int savedColumn_ = 0;
    std::unique_ptr<FilmList> filmList_;
    FilmListModel* model_ = nullptr;
    std::unique_ptr<DataFileDialogs> fileDialogs_;
    std::shared_ptr<ExportFileDialogs> exportDialogs_;
    ExportFileDialogs& exportDialogs();
    // The bottom row of the grid's selection (the current row when nothing is selected).
    int SelectionBottomRow() const;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    bool trayAvailable_ = false;
    // "&Beenden" has already asked: the window closes without further questions.
    bool endConfirmed_ = false;
    QList<QAction*> historyItems_;
    QPointer<TPrnPreviewForm> preview_;
    std::shared_ptr<QPrinter> printer_;
    QTimer* quickSearchTimer_ = nullptr;
    // The first picture of the selected film, when the option asks for it.
    FirstPictureDisplay* firstPicture_ = nullptr;
};

} // namespace kt
