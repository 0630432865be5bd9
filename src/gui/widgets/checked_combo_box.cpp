#include "widgets/checked_combo_box.h"

#include "model/dialogs.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

// The borderless window under the control. A press on the control's button closes it without
// reaching the button, so that the click does not open it again at once.
class TCheckedComboBox::DropDown : public QFrame {
public:
    explicit DropDown(TCheckedComboBox* owner) : QFrame(owner, Qt::Popup), owner_(owner) {
        setObjectName(QStringLiteral("CheckedComboBoxDropDown"));
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (!rect().contains(event->position().toPoint())) {
            const QToolButton* b = owner_->button_;
            const QRect button(b->mapToGlobal(QPoint(0, 0)), b->size());
            setAttribute(Qt::WA_NoMouseReplay, button.contains(event->globalPosition().toPoint()));
        }
        QFrame::mousePressEvent(event);
    }

private:
    TCheckedComboBox* owner_;
};

namespace {

QIcon PopupGlyph() {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 110, 0), 1.6));
    p.drawPolyline(QPolygonF({QPointF(1, 3.5), QPointF(3, 5.5), QPointF(6.5, 1)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(3, 7.5), QPointF(11, 7.5), QPointF(7, 11.5)}));
    return QIcon(pm);
}

} // namespace

TCheckedComboBox::TCheckedComboBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("CheckedComboBoxEdit"));
    edit_->setReadOnly(true);
    edit_->setFrame(false);
    edit_->installEventFilter(this);

    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("CheckedComboBoxButton"));
    button_->setAutoRaise(true);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setIcon(PopupGlyph());
    button_->setIconSize(QSize(12, 12));
    connect(button_, &QToolButton::clicked, this, &TCheckedComboBox::ButtonClick);

    dropDown_ = new DropDown(this);
    list_ = new QListWidget(dropDown_);
    list_->setObjectName(QStringLiteral("CheckedComboBoxList"));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    auto* layout = new QVBoxLayout(dropDown_);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { toggleFromList(list_->row(item)); });

    selectAllAction_ = new QAction(capSelectAll_, list_);
    deselectAllAction_ = new QAction(capDeSelectAll_, list_);
    connect(selectAllAction_, &QAction::triggered, this, &TCheckedComboBox::SelectAll);
    connect(deselectAllAction_, &QAction::triggered, this, &TCheckedComboBox::DeselectAll);
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    list_->addAction(selectAllAction_);
    list_->addAction(deselectAllAction_);

    resize(121, sizeHint().height());
    updateColour();
}

TCheckedComboBox::~TCheckedComboBox() = default;

QSize TCheckedComboBox::sizeHint() const {
    return QSize(121, fontMetrics().height() + 8);
}
QSize TCheckedComboBox::minimumSizeHint() const {
    return QSize(ButtonWidth + 24, fontMetrics().height() + 8);
}

void TCheckedComboBox::setItems(const QStringList& items) {
    items_ = items;
    if (sorted_)
        std::sort(items_.begin(), items_.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    checked_.assign(static_cast<std::size_t>(items_.size()), false);
    order_.clear();
    refreshText();
    reloadList();
}

void TCheckedComboBox::addItem(const QString& item) {
    setItems(items_ + QStringList{item});
}

void TCheckedComboBox::setCapSelectAll(const QString& caption) {
    capSelectAll_ = caption;
    selectAllAction_->setText(caption);
}

void TCheckedComboBox::setCapDeSelectAll(const QString& caption) {
    capDeSelectAll_ = caption;
    deselectAllAction_->setText(caption);
}

void TCheckedComboBox::setNotFocusColor(const QColor& colour) {
    notFocusColor_ = colour;
    updateColour();
}

void TCheckedComboBox::setSorted(bool sorted) {
    if (sorted == sorted_)
        return;
    sorted_ = sorted;
    if (sorted_)
        setItems(items_);
}

void TCheckedComboBox::setColumns(int columns) {
    columns_ = std::max(0, columns);
}

void TCheckedComboBox::setDropDownLines(int lines) {
    if (lines >= 6 && lines <= 10)
        dropDownLines_ = lines;
}

bool TCheckedComboBox::tick(int index) {
    const QString& item = items_[index];
    if (text_.size() + item.size() + 1 >= MaxTextLength + 1) {
        if (isDroppedDown())
            hideDropDown();
        if (dialogs_)
            dialogs_->notice("There is no room for Selected");
        return false;
    }
    const bool present = std::any_of(order_.begin(), order_.end(), [&](int i) { return items_[i] == item; });
    if (present)
        return false;
    order_.push_back(index);
    checked_[static_cast<std::size_t>(index)] = true;
    refreshText();
    return true;
}

bool TCheckedComboBox::untick(int index) {
    auto it = std::find(order_.begin(), order_.end(), index);
    if (it == order_.end())
        return false;
    order_.erase(it);
    checked_[static_cast<std::size_t>(index)] = false;
    refreshText();
    return true;
}

void TCheckedComboBox::SelectAll() {
    order_.clear();
    for (int i = 0; i < items_.size(); ++i)
        order_.push_back(i);
    checked_.assign(checked_.size(), true);
    refreshText();
    syncList();
    emit OnChange();
}

void TCheckedComboBox::DeselectAll() {
    order_.clear();
    checked_.assign(checked_.size(), false);
    refreshText();
    syncList();
    emit OnChange();
}

void TCheckedComboBox::SetItemChecked(int index, bool checked) {
    if (index < 0 || index >= items_.size() || IsItemChecked(index) == checked)
        return;
    const bool changed = checked ? tick(index) : untick(index);
    syncList();
    if (changed)
        emit OnChange();
}

bool TCheckedComboBox::IsItemChecked(int index) const {
    return index >= 0 && index < static_cast<int>(checked_.size()) &&
           checked_[static_cast<std::size_t>(index)];
}

void TCheckedComboBox::toggleFromList(int row) {
    if (row < 0 || row >= items_.size())
        return;
    // An item whose text is refused is shown unticked again: the list never claims more than the text.
    const bool changed = IsItemChecked(row) ? untick(row) : tick(row);
    syncList();
    if (changed)
        emit OnChange();
}

void TCheckedComboBox::refreshText() {
    QStringList parts;
    for (int i : order_)
        parts << items_[i];
    text_ = parts.join(QLatin1Char(','));
    edit_->setText(text_);
    edit_->setCursorPosition(0);
    setToolTip(text_);
}

void TCheckedComboBox::reloadList() {
    list_->clear();
    for (const QString& item : items_) {
        auto* it = new QListWidgetItem(item, list_);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        it->setCheckState(Qt::Unchecked);
    }
}

void TCheckedComboBox::syncList() {
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(IsItemChecked(i) ? Qt::Checked : Qt::Unchecked);
}

QWidget* TCheckedComboBox::dropDownWindow() const {
    return dropDown_;
}
bool TCheckedComboBox::isDroppedDown() const {
    return dropDown_->isVisible();
}
void TCheckedComboBox::hideDropDown() {
    dropDown_->hide();
}

void TCheckedComboBox::ButtonClick() {
    if (isDroppedDown())
        hideDropDown();
    else
        showDropDown();
}

void TCheckedComboBox::showDropDown() {
    if (columns_ > 1)
        dropDownLines_ = static_cast<int>(items_.size()) / columns_ + 1;
    dropDownLines_ = std::clamp(dropDownLines_, 6, 10);

    dropDown_->setFont(font());
    list_->setFont(font());
    if (columns_ > 1) {
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(true);
        list_->setResizeMode(QListView::Adjust);
    } else {
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(false);
    }
    syncList();
    const int line = list_->count() > 0 ? list_->sizeHintForRow(0) : fontMetrics().height() + 2;
    const int height = dropDownLines_ * line + 4;
    if (columns_ > 1)
        list_->setGridSize(QSize(std::max(1, (width() - 4) / columns_), line));
    else
        list_->setGridSize(QSize());

    QPoint pos = mapToGlobal(QPoint(0, this->height()));
    if (const QScreen* screen = this->screen()) {
        if (pos.y() + height > screen->geometry().bottom() - 20)
            pos = mapToGlobal(QPoint(0, -height));
    }
    dropDown_->setGeometry(QRect(pos, QSize(width(), height)));
    dropDown_->show();
    list_->setFocus(Qt::PopupFocusReason);
    if (list_->count() > 0 && !list_->currentItem())
        list_->setCurrentRow(0);
}

void TCheckedComboBox::updateColour() {
    QPalette p = edit_->palette();
    p.setColor(QPalette::Base, edit_->hasFocus() ? QColor(Qt::white) : notFocusColor_);
    edit_->setPalette(p);
}

void TCheckedComboBox::layoutChildren() {
    const int fw = frameWidth();
    const int h = std::max(0, height() - 2 * fw);
    button_->setGeometry(width() - fw - ButtonWidth, fw, ButtonWidth, h);
    edit_->setGeometry(fw, fw, std::max(0, width() - ButtonWidth - 3), h);
}

void TCheckedComboBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutChildren();
}

void TCheckedComboBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        layoutChildren();
    }
}

bool TCheckedComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        switch (event->type()) {
        case QEvent::FocusIn:
            updateColour();
            emit OnEnter();
            break;
        case QEvent::FocusOut:
            updateColour();
            emit OnExit();
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F4 ||
                (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
                showDropDown();
                return true;
            }
            break;
        }
        default:
            break;
        }
    } else if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            hideDropDown();
            return true;
        }
        if (key->key() == Qt::Key_Space && list_->currentItem()) {
            toggleFromList(list_->currentRow());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace kt
