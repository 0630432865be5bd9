#pragma once

#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QStringList>

#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;

namespace kt {

class UserDialogs;

// A drop-down list of check boxes. The closed control shows the ticked items' texts joined by
// "," in the order in which they were ticked; the text holds at most 255 characters.
class TCheckedComboBox : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE setItems)
    Q_PROPERTY(QString CapSelectAll READ CapSelectAll WRITE setCapSelectAll)
    Q_PROPERTY(QString CapDeSelectAll READ CapDeSelectAll WRITE setCapDeSelectAll)
    Q_PROPERTY(QColor NotFocusColor READ NotFocusColor WRITE setNotFocusColor)
    Q_PROPERTY(bool Sorted READ Sorted WRITE setSorted)
    Q_PROPERTY(int Columns READ Columns WRITE setColumns)
    Q_PROPERTY(int DropDownLines READ DropDownLines WRITE setDropDownLines)
    Q_PROPERTY(QString Text READ Text)
    Q_PROPERTY(int CheckedCount READ CheckedCount)
public:
    static constexpr int MaxTextLength = 255;
    static constexpr int ButtonWidth = 16;

    explicit TCheckedComboBox(QWidget* parent = nullptr);
    ~TCheckedComboBox() override;

    // Where the message about a text that does not fit goes; without it the item is refused quietly.
    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }

    QStringList Items() const { return items_; }
    // Every change of the items unticks them all and empties the text (no OnChange).
    void setItems(const QStringList& items);
    void addItem(const QString& item);
    QString CapSelectAll() const { return capSelectAll_; }
    void setCapSelectAll(const QString& caption);
    QString CapDeSelectAll() const { return capDeSelectAll_; }
    void setCapDeSelectAll(const QString& caption);
    QColor NotFocusColor() const { return notFocusColor_; }
    void setNotFocusColor(const QColor& colour);
    bool Sorted() const { return sorted_; }
    void setSorted(bool sorted);
    int Columns() const { return columns_; }
    void setColumns(int columns);
    int DropDownLines() const { return dropDownLines_; }
    // Only 6 to 10 are taken; other values leave the property as it was.
    void setDropDownLines(int lines);

    QString Text() const { return text_; }
    int CheckedCount() const { return static_cast<int>(order_.size()); }

    void SelectAll();
    void DeselectAll();
    // An index outside the list does nothing; an item whose text does not fit stays unticked.
    void SetItemChecked(int index, bool checked);
    bool IsItemChecked(int index) const;

    void showDropDown();
    void hideDropDown();
    bool isDroppedDown() const;
    QListWidget* dropDownList() const { return list_; }
    QWidget* dropDownWindow() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Free for the owner, as the tag of a control: the main window marks its own changes with it.
    int Tag = 0;

    QLineEdit* edit() const { return edit_; }
    QToolButton* button() const { return button_; }

signals:
    void OnChange();
    void OnEnter();
    void OnExit();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DropDown;
    friend class DropDown;

    bool tick(int index);
    bool untick(int index);
    void toggleFromList(int row);
    void refreshText();
    void reloadList();
    void syncList();
    void updateColour();
    void layoutChildren();
    void ButtonClick();

    QStringList items_;
    std::vector<bool> checked_;
    std::vector<int> order_; // ticked items in the order of ticking
    QString text_;
    QString capSelectAll_ = QStringLiteral("&Select All");
    QString capDeSelectAll_ = QStringLiteral("&DeSelect All");
    QColor notFocusColor_ = Qt::white;
    bool sorted_ = false;
    int columns_ = 0;
    int dropDownLines_ = 6;

    QLineEdit* edit_;
    QToolButton* button_;
    DropDown* dropDown_;
    QListWidget* list_;
    QAction* selectAllAction_;
    QAction* deselectAllAction_;
    UserDialogs* dialogs_ = nullptr;
};

} // namespace kt
