#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace kt {

class AppContext;

// The notepad: a non-modal window of text pages kept in "Memo1.TXT", "Memo2.TXT", … in `folder`.
class TNotepadForm : public QDialog {
    Q_OBJECT
public:
    TNotepadForm(AppContext& ctx, const std::string& folder, QWidget* parent = nullptr);

    int pageCount() const;
    QPlainTextEdit* memo(int index) const;

    QStackedWidget* Notebook1;
    QTabBar* TabSet1;
    QPushButton* CloseBtn;
    QPushButton* NewPageBtn;
    QPushButton* DeletePageBtn;

public slots:
    void NewPageBtnClick();
    void DeletePageBtnClick();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // Saves the pages; false when the window has to stay open.
    bool FormCloseQuery();
    void TabSet1Click(int index);
    void SetTabset(int pageIndex);
    void addPage();

    AppContext& ctx_;
    std::string folder_;
    std::vector<std::string> loaded_; // the memo files this window read
    bool filling_ = false;
};

} // namespace kt
