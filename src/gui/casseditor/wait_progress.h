#pragma once

#include "model/dialogs.h"

#include <memory>

class QProgressDialog;
class QWidget;

namespace kt {

// A plain wait window for long work: caption "Systemmeldung", a text line and a progress bar.
// Any other Progress (the program's own wait window, the start screen's bar) can stand in.
class WaitProgress : public Progress {
public:
    explicit WaitProgress(QWidget* parent = nullptr);
    ~WaitProgress() override;

    void start(const std::string& text, int max) override;
    void step(int pos) override;
    void finish() override;

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace kt
