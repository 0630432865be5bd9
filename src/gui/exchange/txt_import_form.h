#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace kt {

class AppContext;

// The import settings ("Kassotek: Import-Filter"): separator, header lines or the worksheet's rows
// and columns, and the field number of every catalogue entry. Escape does not close it.
class TForm_TXT_Import : public QDialog {
    Q_OBJECT
public:
    TForm_TXT_Import(AppContext& ctx, bool excelMode, QWidget* parent = nullptr);

    bool excelMode() const { return excel_; }

    QTabWidget* PageControl1;
    QSpinBox* KopfzeilenSpinEdit;
    QLineEdit* TrennzeichenEdit;
    QLabel* HinweisLabel;
    QWidget* ExcelTabSheet;
    QSpinBox* FirstRowSpinEdit;
    QSpinBox* AnzRowsSpinEdit;
    QSpinBox* FirstColSpinEdit;
    QSpinBox* AnzColsSpinEdit;
    QTableWidget* PositionsStringGrid;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The grid's value of catalogue entry `entry` (0 to 24); 0 when it is no whole number.
    int32_t positionOf(int entry) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKBtnClick();
    // Whether a typed character may go into a position cell that holds `text`.
    static bool PositionKeyAllowed(const QString& typed, const QString& text);

    AppContext& ctx_;
    bool excel_;
    bool hintShown_ = false;
};

// Shows the settings until the field numbers have neither duplicates nor gaps, then stores them;
// false when the user aborted.
bool ImportSpaltenAbfolgeFestlegen(AppContext& ctx, QWidget* parent, bool excelMode);

} // namespace kt
