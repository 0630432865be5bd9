#include "dialogs/wait_form.h"

#include "dialogs/message_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

TWaitForm::TWaitForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("WaitForm"));
    setWindowTitle(QStringLiteral("Systemmeldung"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(Label1);
    layout->addWidget(Gauge);
    setFixedSize(360, 96);
}

namespace {

// The range of a bar; an empty range still shows a bar, not the busy animation.
void StartBar(QProgressBar* bar, int max) {
    bar->setRange(0, max > 0 ? max : 1);
    bar->setValue(0);
}

// QProgressBar repaints by itself on a visible change, so a step costs nothing otherwise.
void StepBar(QProgressBar* bar, int pos) {
    bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
}

} // namespace

void BarProgress::start(const std::string&, int max) {
    if (bar_)
        StartBar(bar_, max);
}

void BarProgress::step(int pos) {
    if (bar_)
        StepBar(bar_, pos);
}

void BarProgress::finish() {
    if (bar_)
        bar_->setValue(bar_->maximum());
}

WaitProgress::~WaitProgress() {
    finish();
}

void WaitProgress::start(const std::string& text, int max) {
    if (!form_) {
        form_ = new TWaitForm(parent_);
        if (QScreen* screen = parent_ ? parent_->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = form_->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            form_->move(frame.topLeft());
        }
    }
    form_->Label1->setText(ScreenText(text));
    StartBar(form_->Gauge, max);
    form_->show();
    form_->raise();
    // The work that follows runs without the event loop: the box must be on screen now.
    form_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WaitProgress::step(int pos) {
    if (form_)
        StepBar(form_->Gauge, pos);
}

void WaitProgress::finish() {
    delete form_.data();
}

} // namespace kt
