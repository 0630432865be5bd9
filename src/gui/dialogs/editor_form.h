#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kt {

// A one-line input box for a number of up to five digits; the caller sets caption and label.
class TEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditorForm(QWidget* parent = nullptr);

    // The label's text; the edit field stays directly to its right.
    void setLabel(const QString& text);
    // Five characters, a blank for every empty place (as the field was filled).
    QString maskText() const;
    // Fills the field from the left; characters other than digits and blanks are dropped.
    void setMaskText(const QString& text);

    QLabel* EingabeLabel;
    QLineEdit* MaskEdit;
    QPushButton* OKBitBtn;
    QPushButton* AbbruchBitBtn;
};

} // namespace kt
