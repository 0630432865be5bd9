#include "casseditor/wait_progress.h"

#include "dialogs/message_box.h"

#include <QProgressDialog>

#include <algorithm>

namespace kt {

WaitProgress::WaitProgress(QWidget* parent) : parent_(parent) {}

WaitProgress::~WaitProgress() = default;

void WaitProgress::start(const std::string& text, int max) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(parent_);
        dialog_->setObjectName(QStringLiteral("WaitProgress"));
        dialog_->setWindowTitle(QStringLiteral("Systemmeldung"));
        dialog_->setCancelButton(nullptr);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    }
    dialog_->setLabelText(FromCp(text));
    dialog_->setRange(0, std::max(1, max));
    dialog_->setValue(0);
    dialog_->show();
}

void WaitProgress::step(int pos) {
    // Repainting costs more than the work of one step; a few hundred updates are plenty.
    if (!dialog_)
        return;
    const int span = std::max(1, dialog_->maximum() / 200);
    if (pos % span == 0 || pos >= dialog_->maximum())
        dialog_->setValue(pos);
}

void WaitProgress::finish() {
    if (dialog_)
        dialog_->hide();
}

} // namespace kt
