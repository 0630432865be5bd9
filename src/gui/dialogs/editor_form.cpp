#include "dialogs/editor_form.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kt {

namespace {
constexpr int Places = 5;
constexpr QChar Blank = u'_';
} // namespace

TEditorForm::TEditorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("EditorForm"));
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    EingabeLabel = new QLabel(QStringLiteral("EingabeLabel = "), panel);
    EingabeLabel->setObjectName(QStringLiteral("EingabeLabel"));
    MaskEdit = new QLineEdit(panel);
    MaskEdit->setObjectName(QStringLiteral("MaskEdit"));
    // Five optional digits, "_" marking an empty place.
    MaskEdit->setInputMask(QStringLiteral("00000;_"));
    MaskEdit->setText(QString());
    MaskEdit->setFixedWidth(MaskEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    EingabeLabel->setBuddy(MaskEdit);

    OKBitBtn = new QPushButton(QStringLiteral("&OK"), panel);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    AbbruchBitBtn = new QPushButton(QStringLiteral("&Abbrechen"), panel);
    AbbruchBitBtn->setObjectName(QStringLiteral("AbbruchBitBtn"));
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbruchBitBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(EingabeLabel);
    row->addWidget(MaskEdit);
    row->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(AbbruchBitBtn);
    auto* inner = new QVBoxLayout(panel);
    inner->addLayout(row);
    inner->addSpacing(6);
    inner->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
}

void TEditorForm::setLabel(const QString& text) {
    EingabeLabel->setText(text);
}

QString TEditorForm::maskText() const {
    QString text = MaskEdit->displayText().left(Places);
    text.replace(Blank, QLatin1Char(' '));
    return text.leftJustified(Places, QLatin1Char(' '));
}

void TEditorForm::setMaskText(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
    MaskEdit->setText(digits.left(Places));
}

} // namespace kt
