#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

namespace kt {

class AppContext;
class TRadioGroup;

// The options dialog: the program settings and the display side of the field catalogue.
// "&OK" applies; a few controls act at once. The caller reads changed() afterwards.
class TOptionenForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionenForm(AppContext& ctx, QWidget* parent = nullptr);

    // The list's layout or order has to be rebuilt.
    bool changed() const { return changed_; }

    // The platform's folder chooser; tests replace it. An empty result means cancelled.
    std::function<QString(QWidget* parent, const QString& start)> chooseFolder;

    QTabWidget* PageControl1;
    // "&Allgemein"
    QCheckBox* OpenFile_CheckBox;
    QCheckBox* DirectoryCheckBox;
    QLineEdit* SortLengthMaskEdit;
    QPushButton* TempDirButton;
    QLabel* TempDirLabel;
    TRadioGroup* MinimizeRadioGroup;
    QCheckBox* MinimizeCheckBox;
    // "&Sicherheit"
    QCheckBox* AllowCasEditCheckBox;
    QCheckBox* BkOnFOpenCheckBox;
    QCheckBox* SaveToIniCheckBox;
    QCheckBox* CheckBoxActiveCasRestore;
    QLabel* FreischaltenLabel;
    QCheckBox* CheckBoxOverrideSpMediumsAnzeige;
    TRadioGroup* RadioGroupSuggestPosOnCas;
    // "anzu&zeigende Spalten"
    QListWidget* CheckListBoxCols2Show;
    // "Anzei&ge allgemein"
    QCheckBox* CheckBoxShowAllMsg;
    QCheckBox* CheckBox_BoldFixedRowColFilmStringGrid;
    QCheckBox* CheckBoxCenterFilmTitel;
    TRadioGroup* RadioGroupPicSizeOptions;
    TRadioGroup* RadioGroupPicAutoShowOptions;
    QCheckBox* CheckBoxShowFirstPicAutomatically;
    TRadioGroup* RadioGroupCasSubSortBy;
    // "Header festlegen"
    QTabWidget* HeaderPageControl;
    QListWidget* ListBoxCellArrayInformation;
    QListWidget* ListBoxCellArrayHeader;
    QListWidget* ListBoxFilmEditorEntry;
    QLabel* EditHeaderLabel;
    QLineEdit* EditHeader;

    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGeneralPage();
    void buildSecurityPage();
    void buildColumnsPage();
    void buildDisplayPage();
    void buildHeaderPage();
    void FormCreate();

    void AllowCasEditCheckBoxClick(bool checked);
    void OverrideClick(bool checked);
    void Cols2ShowClickCheck(QListWidgetItem* item);
    void TempDirButtonClick();
    void selectHeaderRow(int row);
    void HeaderPageChange();
    void EditHeaderChange(const QString& text);
    void OKBitBtnClick();

    AppContext& ctx_;
    bool changed_ = false;
    QString shownSortLength_;
};

} // namespace kt
