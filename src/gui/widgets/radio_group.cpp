#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace kt {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)), layout_(new QGridLayout(this)) {
    layout_->setContentsMargins(8, 4, 8, 6);
    layout_->setVerticalSpacing(2);
    const int cols = columns < 1 ? 1 : columns;
    const int rows = (static_cast<int>(items.size()) + cols - 1) / cols;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        layout_->addWidget(b, i % rows, i / rows);
    }
    layout_->setRowStretch(rows, 1);
    connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

int TRadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = group_->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(false);
    group_->setExclusive(true);
}

int TRadioGroup::count() const {
    return static_cast<int>(group_->buttons().size());
}

QRadioButton* TRadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

QWidget* TRadioGroup::focusTarget() const {
    if (QAbstractButton* b = group_->checkedButton())
        return b;
    return group_->button(0);
}

} // namespace kt
