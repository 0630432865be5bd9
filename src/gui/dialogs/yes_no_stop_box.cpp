#include "dialogs/yes_no_stop_box.h"

#include "dialogs/message_box.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace kt {

TYesNoStopBoxForm::TYesNoStopBoxForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("YesNoStopBoxForm"));
    setWindowTitle(QStringLiteral("Sicherheitsabfrage"));
    setModal(true);

    YesNoStopBoxLabel1 = new QLabel(this);
    YesNoStopBoxLabel1->setObjectName(QStringLiteral("YesNoStopBoxLabel1"));
    YesNoStopBoxLabel2 = new QLabel(this);
    YesNoStopBoxLabel2->setObjectName(QStringLiteral("YesNoStopBoxLabel2"));
    for (QLabel* label : {YesNoStopBoxLabel1, YesNoStopBoxLabel2}) {
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
    }

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    OkBitBtn = new QPushButton(QStringLiteral("&OK"), this);
    OkBitBtn->setObjectName(QStringLiteral("OkBitBtn"));
    NoBitBtn = new QPushButton(QStringLiteral("&Nein"), this);
    NoBitBtn->setObjectName(QStringLiteral("NoBitBtn"));
    AbbruchBitBtn = new QPushButton(QStringLiteral("&Abbruch"), this);
    AbbruchBitBtn->setObjectName(QStringLiteral("AbbruchBitBtn"));
    OkBitBtn->setDefault(true);
    for (QPushButton* b : {OkBitBtn, NoBitBtn, AbbruchBitBtn})
        b->setMinimumWidth(96);
    NoBitBtn->installEventFilter(this);

    auto* lines = new QVBoxLayout;
    lines->addWidget(YesNoStopBoxLabel1);
    lines->addWidget(YesNoStopBoxLabel2);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(lines, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBitBtn);
    buttons->addWidget(NoBitBtn);
    buttons->addWidget(AbbruchBitBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(OkBitBtn, &QPushButton::clicked, this, [this] { finish(Ok); });
    connect(NoBitBtn, &QPushButton::clicked, this, &TYesNoStopBoxForm::NoBitBtnClick);
    connect(AbbruchBitBtn, &QPushButton::clicked, this, [this] { finish(Abort); });
}

void TYesNoStopBoxForm::setLines(const QString& line1, const QString& line2) {
    YesNoStopBoxLabel1->setText(line1);
    YesNoStopBoxLabel2->setText(line2);
}

TYesNoStopBoxForm::Result TYesNoStopBoxForm::run() {
    result_ = Abort;
    // The keyboard belongs in the box even when it opens over the wait box or the start screen.
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
    });
    exec();
    ReturnActivation(*this);
    return result_;
}

bool TYesNoStopBoxForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NoBitBtn && event->type() == QEvent::MouseButtonPress)
        noPressedByMouse_ = true;
    return QDialog::eventFilter(watched, event);
}

void TYesNoStopBoxForm::NoBitBtnClick() {
    const bool used = NoBitBtn->hasFocus() || noPressedByMouse_;
    noPressedByMouse_ = false;
    finish(used ? No : Abort);
}

void TYesNoStopBoxForm::finish(Result result) {
    result_ = result;
    // Escape and closing the window reject, which leaves the preset Abort.
    if (result == Abort)
        reject();
    else
        accept();
}

} // namespace kt
