#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace kt {

class Collection;
class UserDialogs;

// "Unstimmige Cassetten": the list positions of all cassettes whose lengths do not agree with
// their films. The check runs when the window is created and on "&Aktualisieren".
class TNotOKCasForm : public QDialog {
    Q_OBJECT
public:
    TNotOKCasForm(const Collection& c, UserDialogs& ui, QWidget* parent = nullptr);

    // Fills the list anew; no message box.
    void Check();
    bool ProblemsFound() const { return problemsFound_; }

public slots:
    void AktualisierenBitBtnClick();

signals:
    void helpRequested();

protected:
    bool event(QEvent* e) override;

private:
    // An empty list has nothing to show: say so and close.
    bool CloseWhenEmpty();

    const Collection& c_;
    UserDialogs& ui_;
    QListWidget* list_;
    QPushButton* refreshBtn_;
    QPushButton* endBtn_;
    QPushButton* helpBtn_;
    bool problemsFound_ = false;
    bool closing_ = false;
};

// The command "Über&prüfung": checks all cassettes and shows the window modally only when it
// found inconsistent ones; otherwise a message says that all are consistent. True when it found some.
bool UeberpruefenClick(const Collection& c, UserDialogs& ui, QWidget* parent = nullptr);

} // namespace kt
