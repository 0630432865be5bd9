#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kt {

class AppContext;

// The maker's addresses, shown in the information window and used by the Help menu.
extern const char* const MakerWebPage;
extern const char* const MakerMailAddress;
// The mail target of the e-mail link: the address with the subject.
QString MakerMailTarget();
// The product picture of the information window, drawn rather than loaded.
QPixmap ProductPicture(const QSize& size);

// Information window and start screen in one: the start screen shows the loading bar, the
// information window its OK button.
class TUeberForm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { StartUp, Information };

    TUeberForm(AppContext& ctx, Mode mode, QWidget* parent = nullptr);
    ~TUeberForm() override;

    // Start screen: shown without waiting and painted at once; its bar becomes the context's
    // start-screen bar until the window is destroyed.
    void showStartScreen();
    // Information window: modal, closed by OK or Escape.
    void showInformation();

    Mode mode() const { return mode_; }

    QLabel* PicturePanel;
    QFrame* PanelGauge;
    QLabel* GaugeLabel;
    QProgressBar* Gauge;
    QFrame* CommentsPanel;
    QLabel* VersionLabel;
    QLabel* ReleaseLabel;
    QLabel* NotesLabel;
    QLabel* InternetLink;
    QLabel* EMailLink;
    QPushButton* OKBitBtn;

private:
    AppContext& ctx_;
    Mode mode_;
};

} // namespace kt
