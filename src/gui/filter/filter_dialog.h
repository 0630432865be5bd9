#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace kt {

class AppContext;
class TRadioGroup;

// The filter, search and replace dialog. It only edits the program-wide filter and search
// settings (and runs the replace of the core); the list is rebuilt by the caller.
class TFiltern_Suchen_Sortieren_TabbedNotebookDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFiltern_Suchen_Sortieren_TabbedNotebookDlg(AppContext& ctx, QWidget* parent = nullptr);

    // Only the replace page: the other tabs and the activate button hidden, the end button centred.
    void ShowReplaceOnly();
    // Values changed by the last "Er&setzen".
    int ReplaceCount() const { return replaceCount_; }
    // Whether one of the three text fields holds text (the search text, the two replace texts).
    bool AnyTextEntered() const;

    QTabWidget* PageControl1;
    // "Filme &filtern"
    QWidget* TabSheetFilmeFiltern;
    QCheckBox* Filter2KanaltonCheckBox;
    QCheckBox* FilterWerbungCheckBox;
    QCheckBox* FilterLaengeCheckBox;
    QPushButton* FilterLaengeButton;
    QCheckBox* CheckBoxNurVerliehene;
    QCheckBox* FilterKategorieCheckBox;
    QListWidget* CheckListBoxSelectedCategories;
    // "Filme &durchsuchen"
    QWidget* TabSheetFilmeDurchsuchen;
    QLineEdit* SuchenEdit;
    QListWidget* CheckListBoxSuchenNach;
    TRadioGroup* RadioGroupAllStorageTypes;
    // "Suchen/Ersetzen"
    QWidget* TabSheetErsetzen;
    QListWidget* CheckListBoxErsetzenIn;
    QLineEdit* EditBisher;
    QLineEdit* EditNeuStr;
    QCheckBox* CheckBoxCaseSensitiv;
    QPushButton* BitBtnErsetzen;

    QPushButton* StartBitBtn;
    QPushButton* DeaktivierenBtn;

    // Every way of closing (both buttons, Escape, the close box, the replace) takes the settings
    // from the controls.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildFilterPage();
    void buildSearchPage();
    void buildReplacePage();
    void FormCreate();
    // The switches, the search list and the search text from the settings.
    void LoadControls();
    void FilterLaengeButtonClick();
    void PageControl1Change(int index);
    void StartBitBtnClick();
    void DeaktivierenBtnClick();
    void BitBtnErsetzenClick();
    void TakeOverSettings();

    AppContext& ctx_;
    int replaceCount_ = 0;
};

} // namespace kt
