#pragma once

#include "model/dialogs.h"

#include <QDialog>
#include <QPointer>
#include <QProgressBar>

class QLabel;

namespace kt {

// "Systemmeldung": one message line and a bar; it has no behaviour of its own.
class TWaitForm : public QDialog {
    Q_OBJECT
public:
    explicit TWaitForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QProgressBar* Gauge;
};

// Moves an existing bar (the start screen's) without a window of its own.
class BarProgress : public Progress {
public:
    explicit BarProgress(QProgressBar* bar) : bar_(bar) {}
    void start(const std::string& text, int max) override;
    void step(int pos) override;
    void finish() override;

private:
    QPointer<QProgressBar> bar_;
};

// Shows the wait box from start() to finish(); the box is centred on the screen.
class WaitProgress : public Progress {
public:
    explicit WaitProgress(QWidget* parent = nullptr) : parent_(parent) {}
    ~WaitProgress() override;
    void start(const std::string& text, int max) override;
    void step(int pos) override;
    void finish() override;

    TWaitForm* form() const { return form_; }

private:
    QPointer<QWidget> parent_;
    QPointer<TWaitForm> form_;
};

} // namespace kt
