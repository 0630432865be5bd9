#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace kt {

// A framed group of radio buttons addressed by item index, -1 for none selected.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(const QString& caption, const QStringList& items, int columns = 1,
                         QWidget* parent = nullptr);

    int ItemIndex() const;
    // An index outside the items clears the selection. Emits no signal.
    void setItemIndex(int index);
    int count() const;
    QRadioButton* button(int index) const;
    // The selected button, else the first: where the focus goes when the group is asked for it.
    QWidget* focusTarget() const;

signals:
    // The user picked item `index`.
    void clicked(int index);

private:
    QButtonGroup* group_;
    QGridLayout* layout_;
};

} // namespace kt
