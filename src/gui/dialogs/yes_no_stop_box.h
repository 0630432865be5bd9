#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kt {

// The program's own three-button question box. A No counts only when the No button itself was
// used (clicked, or pressed while it held the focus); its accelerator alone gives Abort.
class TYesNoStopBoxForm : public QDialog {
    Q_OBJECT
public:
    enum Result { Ok, No, Abort };

    explicit TYesNoStopBoxForm(QWidget* parent = nullptr);

    void setLines(const QString& line1, const QString& line2);
    // Shows the box modally; Escape and closing the box give Abort.
    Result run();
    Result result() const { return result_; }

    QLabel* YesNoStopBoxLabel1;
    QLabel* YesNoStopBoxLabel2;
    QPushButton* OkBitBtn;
    QPushButton* NoBitBtn;
    QPushButton* AbbruchBitBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish(Result result);
    void NoBitBtnClick();

    Result result_ = Abort;
    bool noPressedByMouse_ = false;
};

} // namespace kt
