#pragma once

#include "filmeditor/film_store.h"
#include "model/film.h"

#include <QDate>
#include <QDialog>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

namespace kt {

class AppContext;
class CassetteChooser;
class PictureFileDialogs;
class TPicImage;
class TRadioGroup;

// The film dialog: creates (mode 4), edits (mode 1) or shows (mode 3) one film.
// The caller sets ActFilm for modes 1 and 3, creates the dialog, calls SetValues for those modes,
// runs it and reads RedrawNecessary and NewSpeicherMedium afterwards.
class TFilmEigenschaftenDlg : public QDialog {
    Q_OBJECT
public:
    // The cassette check state.
    enum CasCheck : int { CasNotChecked = 0, CasDoesNotFit = 1, CasFits = 2 };
    // The close request.
    enum CloseRequest : int { CloseOk = 0, CloseCancel = 10, StayOpen = 11 };
    // Which controls a viewer locks: the film list's view command or the cassette editor's.
    enum class ViewLock { FilmList, CassetteEditor };

    // `chooser` replaces the cassette editor for the cassette and position choice; without one
    // the context's (tests) or the cassette editor is used.
    TFilmEigenschaftenDlg(AppContext& ctx, int mode, QWidget* parent = nullptr,
                          CassetteChooser* chooser = nullptr);
    ~TFilmEigenschaftenDlg() override;

    int mode() const { return Bearbeiten; }
    // The date picker's lowest date, shown as an empty field: the film has no recording date.
    static QDate EmptyDate() { return QDate(1752, 12, 31); }

    // Caller side: the category list, the medium for a new film (with the number proposal), the
    // control that gets the focus (catalogue index), the locks of a viewer.
    void FillCategoryList();
    void PreselectStorageMedium(int32_t lastStorageType);
    void SetFocusRequest(int attribute) { focusRequest_ = attribute; }
    void LockForViewing(ViewLock which);

    // Record <-> controls.
    bool SetValues();
    void GetDialogData();
    StoreOutcome GetValues();
    bool NoSimilarFilmFound(int kind);
    bool CheckLength_RestLength();

    // Handlers, public so that tests can run them as the events would.
    void OKBtnClick();
    void CancelBtnClick();
    void CasNrBtnClick();
    void PosOnCasBtnClick();
    void FormActivate();
    void ApplyStorageMediumLayout();
    bool FilmLengthMaskEditExit();
    bool NettoLengthMaskEditExit();
    void WerbungCheckBoxClick();
    bool JahrMaskEditExit();
    bool CasNrMaskEditExit();
    bool ComboBoxFilmNameExit();
    void RadioGroupVerleihstatusClick();
    void ComboBoxVerliehenAnChange();

    // The picture page.
    bool FillPictures();
    void ButtonAddPicClick(bool asLink);
    void ButtonDelPicClick();
    void ButtonSavePicClick();
    void RadioGroupSavePicOptClick(int chosen);
    void PageControl2Change();
    void ImageDblClick();
    // Fits the picture of sub-page `n` (from 0) into its scroll box, or shows it at its own size.
    void FitPicture(int n);
    // The open and save dialogs of the picture page (tests put scripted ones here).
    void setPictureFileDialogs(PictureFileDialogs* dialogs) { pictureDialogs_ = dialogs; }
    // The size of each sub-page's picture file in bytes, -1 when unknown or missing.
    std::array<int, MaxPics> PicSizes{};

    // The exit checks of fields the focus has left and that have not run yet; true when one of
    // them showed a message (a button click then does not go on).
    bool runPendingExits();

    // The medium of the box: the item whose text it shows (letter case ignored), -1 for a
    // typed medium that is not in the list.
    int SelectedMediumIndex() const;

    // Dialog state.
    int Bearbeiten;
    int FilmNr = 0;
    TFilmV26 FilmEdit_Film;
    int CasCheckState = CasNotChecked;
    int Tag = CloseOk; // the close request
    bool PicsChanged = false;
    bool TitlesChanged = false;
    bool RedrawNecessary = false;
    bool NewSpeicherMedium = false;
    // The cassette chooser's last choice in this dialog.
    int SelectedCas = 0;
    int SelectedCasNr = 0;
    int SelectedPos = 0;
    int SuggestFilmLength = 0;

    // Above the pages.
    QLabel* FilmNameLabel1;
    QComboBox* ComboBoxFilmName;
    QLabel* Label9;
    QComboBox* ComboBoxSpeichermedium;
    QLabel* Label15;
    QTabWidget* PageControl1;

    // "&Video-Daten"
    QWidget* TabSheetCassette;
    QGroupBox* GroupBoxCassette;
    QLabel* FilmLength1;
    QLineEdit* FilmLengthMaskEdit;
    QLabel* LabelMinInsgesamt;
    QLineEdit* NettoLengthMaskEdit;
    QLabel* LabelMinNetto;
    QCheckBox* WerbungCheckBox;
    QLabel* Label2;
    QLineEdit* CasNrMaskEdit;
    QPushButton* CasNrBtn;
    QLabel* LabelPosOnCas;
    QLineEdit* PosOnCasMaskEdit;
    QPushButton* PosOnCasBtn;
    QLabel* AufzdatumLabel;
    QDateEdit* AufzeichnungsDateTimePicker;
    QLabel* LabelAnzDVDs;
    QComboBox* ComboBoxAnzDVDs;
    TRadioGroup* KarteRadioGroup;
    QGroupBox* GroupBoxVerleihstatus;
    TRadioGroup* RadioGroupVerleihstatus;
    QComboBox* ComboBoxVerliehenAn;
    QLabel* LabelAnschrift;
    QPlainTextEdit* MemoAnschrift;
    QGroupBox* GroupBoxSprachen;
    QListWidget* CheckListBoxSprache;

    // "Informationen zum &Film"
    QWidget* TabSheetFilm;
    QGroupBox* GroupBoxInhalt;
    QPlainTextEdit* InhaltMemo;
    QLabel* StarsLabel;
    QPlainTextEdit* MemoStars;
    QGroupBox* GroupBoxBemerkung;
    QPlainTextEdit* BemerkungMemo;
    QLabel* DirectorLabel;
    QLineEdit* DirectorEdit;
    QLabel* CountryLabel;
    QLineEdit* CountryEdit;
    QLabel* YearLabel;
    QLineEdit* JahrMaskEdit;
    QCheckBox* ZweikanaltonCheckBox;
    QLabel* Label8;
    QComboBox* ComboBoxKategorie;
    TRadioGroup* BewertungRadioGroup;
    QGroupBox* GroupBoxFSK;
    QComboBox* ComboBoxFSK;

    // "&Technische Daten"
    QWidget* TabSheetTechnischeDaten;
    TRadioGroup* RadioGroupTon;
    TRadioGroup* RadioGroupBildformat;
    TRadioGroup* RadioGroupDVD_RegCode;

    // "&Bilder"
    QWidget* TabSheetPictures;
    QTabWidget* PageControl2;
    std::array<QWidget*, MaxPics> TabSheetPicture{};
    std::array<QScrollArea*, MaxPics> ScrollBox{};
    std::array<TPicImage*, MaxPics> Image{};
    std::array<QLineEdit*, MaxPics> EditBildTitel{};
    QLabel* LabelPicSize;
    QLabel* LabelPicNote;
    QGroupBox* GroupBoxAuswahl;
    QPushButton* ButtonAddPic;
    QPushButton* ButtonAddPicAsLink;
    QPushButton* ButtonDelPic;
    QPushButton* ButtonSavePic;
    TRadioGroup* RadioGroupSavePicOpt;

    QPushButton* HelpBitBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTop();
    void buildVideoPage();
    void buildFilmPage();
    void buildTechnicalPage();
    void buildPicturesPage();
    void buildButtons();
    void applyCatalogueLabels();
    void resetControls();
    void watchExit(QWidget* w);
    void onExit(QObject* watched, QEvent* event);
    void runPendingSoon();
    bool runExit(QWidget* w);
    bool completeTyping(QComboBox* box, const QString& key);
    void enterKey();
    void focusRequested();
    void applyViewLock();
    void mediumChanged();
    void pictureButtons();
    void LendingEnable();
    void collectPictures(PictureEdit& pics) const;
    bool pictureInUse(int n) const;
    void decodePending(int n);
    QSize thumbnailTarget() const;

    const TFilmV26* storedFilm() const;
    std::string numberLabelName() const;

    AppContext& ctx_;
    QVBoxLayout* mainLayout_;
    QGridLayout* buttonLayout_;
    QGridLayout* cassetteLayout_;
    QHBoxLayout* numberRow_;
    std::unique_ptr<CassetteChooser> ownChooser_;
    CassetteChooser* chooser_;
    int focusRequest_ = 0;
    bool activatedOnce_ = false;
    bool filling_ = false;
    bool viewLocked_ = false;
    ViewLock viewLock_ = ViewLock::FilmList;
    int lastMediumIndex_ = -2;
    bool dateTouched_ = false;
    std::vector<QWidget*> pendingExits_;
    bool pendingScheduled_ = false;
    // The title the similarity check last let pass on leaving the field.
    QString checkedTitle_;
    // The bytes each kept picture is stored with: the stored ones, or the added file's.
    std::array<TBArray, MaxPics> picBytes_;
    bool picAdded_ = false;
    // Stored pictures are decoded when their sub-page is first shown, not when the dialog opens.
    std::array<bool, MaxPics> decodePending_{};
    std::unique_ptr<PictureFileDialogs> ownPictureDialogs_;
    PictureFileDialogs* pictureDialogs_ = nullptr;
};

} // namespace kt
