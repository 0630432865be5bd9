#include "mainwindow/main_window.h"

#include "app_context.h"
#include "casseditor/not_ok_cas_form.h"
#include "catalogue/col_arrange.h"
#include "exchange/import_file.h"
#include "exchange/import_file_dialog.h"
#include "exchange/txt_import_form.h"
#include "filmlist/film_list.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/film_string_grid.h"
#include "persistence/data_file_commands.h"
#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "widgets/checked_combo_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QToolButton>

namespace kt {

using namespace kt::literals;

namespace {

QString DialogFolder(const std::string& currentFile) {
    if (currentFile.empty())
        return QDir::homePath();
    return QFileInfo(PathText(currentFile)).absolutePath();
}

// Long work that lets the window repaint between its steps; the user's input waits until it ends.
class ResponsiveProgress : public Progress {
public:
    explicit ResponsiveProgress(Progress& inner) : inner_(inner) {}
    void start(const std::string& text, int max) override { inner_.start(text, max); }
    void step(int pos) override {
        inner_.step(pos);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void finish() override { inner_.finish(); }

private:
    Progress& inner_;
};

} // namespace

void TKassotekMainWindow::setFileDialogs(std::unique_ptr<DataFileDialogs> dialogs) {
    fileDialogs_ = std::move(dialogs);
}

void TKassotekMainWindow::RefreshCaption() {
    const std::string& file = ctx_.collection.CurrentDataFile;
    QString title = QStringLiteral("Jorvald's Kassotek");
    if (!file.empty())
        title += QStringLiteral(" - ") + QFileInfo(PathText(file)).fileName();
    setWindowTitle(title);
}

void TKassotekMainWindow::UpdateSaveControls() {
    const bool unsaved = !ctx_.collection.DataSaved;
    if (Speichern1->isEnabled() != unsaved)
        Speichern1->setEnabled(unsaved);
    if (SaveFileSpeedButton->isEnabled() != unsaved)
        SaveFileSpeedButton->setEnabled(unsaved);
}

void TKassotekMainWindow::dataSetChanged() {
    RefreshCaption();
    UpdateSaveControls();
    StatusBarRefresh();
}

bool TKassotekMainWindow::UnsavedDataMayGo() {
    return ctx_.collection.DataSaved || EndAllowed();
}

void TKassotekMainWindow::InitFilmStringGrid() {
    traceCommand("InitFilmStringGrid", true);
    Collection& c = ctx_.collection;
    Initialize_FilmStringGrid();
    if (ctx_.settings.OpenFileAtStart && !c.CurrentDataFile.empty()) {
        bool accepted = false;
        {
            BusyCursor busy(ctx_.dialogs());
            accepted = AcceptAutoLoadVersion(c, busy);
            if (accepted) {
                std::string errorText;
                auto progress = ctx_.makeProgress();
                const std::string file = c.CurrentDataFile;
                bool replaced = false;
                if (Load_Video_Data(c, file, errorText, busy, *progress, &replaced)) {
                    SetAusgabeData();
                    restoringCurrent_ = true;
                    FilmStringGrid->setCurrentCell(1, 1);
                    restoringCurrent_ = false;
                    RefreshCaption();
                    if (!GetCurrentFilm())
                        busy.error("Konnte akutellen Film nicht bestimmen!");
                } else {
                    // A start without the file works on an empty collection without a name, so
                    // that a save cannot write over the file that did not load.
                    if (!replaced)
                        c.CurrentDataFile.clear();
                    loadFailed(replaced);
                    // ActError 0: the load has told the user itself, or the user declined.
                    if (c.ActError != 0)
                        busy.warning(ErrorText(c.ActError, errorText));
                }
            } else {
                c.CurrentDataFile.clear();
            }
        }
        dataSetChanged();
        if (!accepted) {
            traceCommand("InitFilmStringGrid", false);
            return;
        }
    }
    Check_ColArrangePos(ctx_.colArrange);
    UeberpruefenClick();
    traceCommand("InitFilmStringGrid", false);
}

void TKassotekMainWindow::loadFailed(bool replaced) {
    // Only the readable films of a damaged file replace the collection; otherwise the list still
    // shows the collection in use, untouched.
    if (!replaced)
        return;
    if (ctx_.collection.AnzFilm() == 0)
        Initialize_FilmStringGrid();
    else
        SetAusgabeData();
}

bool TKassotekMainWindow::DateiLaden(const std::string& fileName) {
    traceCommand("DateiLaden", true);
    Collection& c = ctx_.collection;
    bool ok = false;
    {
        BusyCursor busy(ctx_.dialogs());
        std::string errorText;
        auto progress = ctx_.makeProgress();
        ok = Load_Video_Data(c, fileName, errorText, busy, *progress, &loadReplaced_);
        progress.reset();
        if (ok) {
            Resort_FilmString_Headers_and_Pos();
            Initialize_FilmStringGrid();
            Add2History(fileName);
            Adjust_FileMenu();
            SetAusgabeData();
            c.CurrentDataFile = fileName;
            // The unsaved-data question came before the load: what is in memory now is the file.
            c.DataSaved = true;
            FormResize();
        } else {
            loadFailed(loadReplaced_);
            if (c.ActError != 0)
                busy.error("Fehler beim Laden: " + ErrorText(c.ActError, errorText));
        }
    }
    dataSetChanged();
    traceCommand("DateiLaden", false);
    return ok;
}

void TKassotekMainWindow::Neu1Click() {
    traceCommand("Neu1Click", true);
    Tag = TagRealEnd;
    if (!FormCloseQuery()) {
        traceCommand("Neu1Click", false);
        return;
    }
    Collection& c = ctx_.collection;
    if (!c.CurrentDataFile.empty())
        EraseSemaphoreFile(c, c.CurrentDataFile);
    c.resetData();
    Initialize_FilmStringGrid();
    FilmStringGrid->viewport()->update();
    dataSetChanged();
    traceCommand("Neu1Click", false);
}

void TKassotekMainWindow::Oeffnen1Click() {
    traceCommand("Oeffnen1Click", true);
    Collection& c = ctx_.collection;
    const auto choice = fileDialogs_->open(this, DialogFolder(c.CurrentDataFile));
    if (!choice) {
        if (ctx_.settings.ShowAllMsg)
            ctx_.dialogs().warning("Keine Datei ausgewählt!"_cp);
    } else {
        openChosenFile(PathBytes(choice->path), choice->filterIndex);
    }
    update();
    traceCommand("Oeffnen1Click", false);
}

void TKassotekMainWindow::openChosenFile(const std::string& file, int filterIndex) {
    Collection& c = ctx_.collection;
    // The data in memory are to be replaced: unsaved changes are asked about first, before the
    // questions that set the data version (a save from here still needs the old one).
    // A load that does not happen or fails keeps the data version of the collection in use.
    const int version = c.DataVerMinor;
    if (UnsavedDataMayGo()) {
        if (AcceptOpenChoice(c, file, filterIndex, ctx_.dialogs()) && !DateiLaden(file) && !loadReplaced_)
            c.DataVerMinor = version;
    }
}

void TKassotekMainWindow::OpenFileFromOutside(const QString& path) {
    RestoreFromSystray();
    openWhenFree(path);
}

void TKassotekMainWindow::openWhenFree(const QString& path) {
    // A box, a menu or long work (the hourglass) is in progress: a collection replaced under it
    // would pull the data from under that command. Try again when it has ended.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        QGuiApplication::overrideCursor()) {
        QTimer::singleShot(250, this, [this, path] { openWhenFree(path); });
        return;
    }
    traceCommand("OpenFileFromOutside", true);
    const std::string file = PathBytes(path);
    const int filterIndex = HasStandardSuffix(file) ? VersionOfFileName(file) + 1 : 7;
    openChosenFile(file, filterIndex);
    update();
    traceCommand("OpenFileFromOutside", false);
}

void TKassotekMainWindow::Speichern1Click() {
    traceCommand("Speichern1Click", true);
    SaveResult result = SaveResult::Failed;
    {
        BusyCursor busy(ctx_.dialogs());
        auto progress = ctx_.makeProgress();
        result = SaveCurrentDataFile(ctx_.collection, busy, *progress);
    }
    if (result == SaveResult::SaveAsNeeded)
        Speichernunter1Click();
    dataSetChanged();
    traceCommand("Speichern1Click", false);
}

void TKassotekMainWindow::Speichernunter1Click() {
    traceCommand("Speichernunter1Click", true);
    Collection& c = ctx_.collection;
    const auto choice = fileDialogs_->save(this, DialogFolder(c.CurrentDataFile));
    if (!choice) {
        if (ctx_.settings.ShowAllMsg)
            ctx_.dialogs().warning("Keine Datei ausgewählt!"_cp);
    } else {
        BusyCursor busy(ctx_.dialogs());
        auto progress = ctx_.makeProgress();
        SaveDataFileAs(c, PathBytes(choice->path), busy, *progress);
    }
    dataSetChanged();
    traceCommand("Speichernunter1Click", false);
}

void TKassotekMainWindow::ImportierenausTXTDatei1Click() {
    traceCommand("ImportierenausTXTDatei1Click", true);
    ImportFromChosenFile(false);
    traceCommand("ImportierenausTXTDatei1Click", false);
}

void TKassotekMainWindow::ImportierenausExcel1Click() {
    traceCommand("ImportierenausExcel1Click", true);
    ImportFromChosenFile(true);
    traceCommand("ImportierenausExcel1Click", false);
}

void TKassotekMainWindow::ImportFromChosenFile(bool excel) {
    Collection& c = ctx_.collection;
    if (!ImportSpaltenAbfolgeFestlegen(ctx_, this, excel))
        return;
    const QString chosen = chooseImportFile ? chooseImportFile(this, DialogFolder(c.CurrentDataFile), excel)
                                            : ChooseImportFile(this, DialogFolder(c.CurrentDataFile), excel);
    if (chosen.isEmpty()) {
        if (ctx_.settings.ShowAllMsg)
            ctx_.dialogs().warning("Keine Datei ausgewählt!"_cp);
        return;
    }
    // The name stays as chosen: upper-casing it would miss every lower-case name here.
    const std::string file = PathBytes(chosen);
    if (!FileExists(file)) {
        ctx_.dialogs().error("Fehler:\r\n\r\nKonnte "_cp + FileNameText(file) + " nicht finden!");
        return;
    }
    const std::string ext = UpperAZ(FileExtOf(file));
    const ImportKind kind = excel ? (ext == ".XLSX" ? ImportKind::Xlsx : ImportKind::Xls)
                                  : (ext == ".CSV" ? ImportKind::Csv : ImportKind::Text);
    repaint();
    ImportResult result;
    std::string failure;
    {
        BusyCursor busy(ctx_.dialogs());
        auto progress = ctx_.makeProgress();
        ResponsiveProgress responsive(*progress);
        try {
            result = ImportFromFile(file, kind, ctx_.settings, c, ctx_.colArrange, busy, responsive);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unbekannter Fehler";
        }
    }
    // The closing steps, also after an error: the films made so far stay.
    const bool changed = result.read && (result.count > 0 || result.stopped || !failure.empty());
    if (changed || !failure.empty()) {
        Resort_FilmString_Headers_and_Pos();
        // Every medium is shown, the new ones included.
        int32_t all = 0;
        for (std::size_t i = 0; i < c.StorageMediaList.size(); ++i)
            all |= StorageTypeOfMedium(static_cast<int>(i));
        ctx_.settings.StorageTypeShow = all;
        AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        for (int i = 0; i < CheckedComboBoxShowStorageType->Items().size(); ++i)
            CheckedComboBoxShowStorageType->SetItemChecked(i, true);
        Initialize_FilmStringGrid();
        SetAusgabeData();
        if (c.AnzFilm() > 0)
            c.DataSaved = false;
    }
    if (!failure.empty())
        ctx_.dialogs().error("Fehler beim Importieren aus "_cp + FileNameText(file) + ":\r\n" + failure);
    else if (result.read)
        ctx_.dialogs().information(ImportedText(result.count, file));
    // Cassette numbers and positions came as they stood: an inconsistent cassette shows at once.
    if (result.storedVideo)
        kt::UeberpruefenClick(c, ctx_.dialogs(), this, false);
    dataSetChanged();
}

void TKassotekMainWindow::Beenden1Click() {
    traceCommand("Beenden1Click", true);
    if (ctx_.collection.DataSaved || EndAllowed()) {
        endConfirmed_ = true;
        if (!close())
            endConfirmed_ = false;
    }
    traceCommand("Beenden1Click", false);
}

void TKassotekMainWindow::CloseSpeedButtonClick() {
    close();
}

} // namespace kt
