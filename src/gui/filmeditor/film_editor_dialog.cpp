#include "filmeditor/film_editor_dialog.h"

#include "app_context.h"
#include "catalogue/value_texts.h"
#include "filmeditor/cassette_chooser.h"
#include "filmeditor/field_checks.h"
#include "help/help_window.h"
#include "pictures/picture_file_dialogs.h"
#include "text/cp1252.h"
#include "widgets/radio_group.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

using namespace literals;

TFilmEigenschaftenDlg::TFilmEigenschaftenDlg(AppContext& ctx, int mode, QWidget* parent,
                                             CassetteChooser* chooser)
    : QDialog(parent), Bearbeiten(mode), ctx_(ctx) {
    ctx_.trace.TraceLine("KtkFEd: FormCreate [ENTRY] Bearbeiten=" + std::to_string(mode));
    if (chooser) {
        chooser_ = chooser;
    } else if (ctx_.cassetteChooser) {
        chooser_ = ctx_.cassetteChooser;
    } else {
        ownChooser_ = MakeCassetteEditorChooser(ctx_);
        chooser_ = ownChooser_.get();
    }
    setObjectName(QStringLiteral("FilmEigenschaftenDlg"));
    setWindowTitle(QStringLiteral("Kassotek - Filmverwaltung"));
    setModal(true);
    SetHelpContext(this, HelpFilmEditor);

    mainLayout_ = new QVBoxLayout(this);
    mainLayout_->setContentsMargins(10, 10, 10, 10);
    mainLayout_->setSpacing(8);
    buildTop();
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    mainLayout_->addWidget(PageControl1, 1);
    buildVideoPage();
    buildFilmPage();
    buildTechnicalPage();
    buildPicturesPage();
    buildButtons();

    resetControls();
    applyCatalogueLabels();
    switch (Bearbeiten) {
    case ModeEdit:
        setWindowTitle(QStringLiteral("Kassotek: Film bearbeiten "));
        break;
    case ModeNew:
        setWindowTitle(QStringLiteral("Kassotek: Film neu anlegen "));
        ctx_.collection.ActFilm = 0;
        break;
    case ModeView:
        setWindowTitle(QStringLiteral("Kassotek: Film ansehen "));
        CancelBtn->setEnabled(false);
        CancelBtn->hide();
        OKBtn->setText(QStringLiteral("Ansehen der Filmdaten be&enden"));
        buttonLayout_->removeWidget(OKBtn);
        buttonLayout_->addWidget(OKBtn, 0, 1, Qt::AlignHCenter);
        break;
    default:
        break;
    }
    CasCheckState = Bearbeiten == ModeNew ? CasNotChecked : CasFits;

    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(ComboBoxFilmName), static_cast<QWidget*>(FilmLengthMaskEdit),
                       static_cast<QWidget*>(NettoLengthMaskEdit), static_cast<QWidget*>(JahrMaskEdit),
                       static_cast<QWidget*>(CasNrMaskEdit)})
        watchExit(w);
    ComboBoxKategorie->lineEdit()->installEventFilter(this);
    ComboBoxSpeichermedium->lineEdit()->installEventFilter(this);
    resize(QSize(860, 590).expandedTo(minimumSizeHint()));
    ctx_.trace.TraceLine("KtkFEd: FormCreate [EXIT]");
}

TFilmEigenschaftenDlg::~TFilmEigenschaftenDlg() = default;

void TFilmEigenschaftenDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TFilmEigenschaftenDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activatedOnce_)
        FormActivate();
}

void TFilmEigenschaftenDlg::FormActivate() {
    pictureButtons();
    ApplyStorageMediumLayout();
    LendingEnable();
    if (!activatedOnce_) {
        // The focus is placed once; later activations (after a message or the chooser) keep it.
        activatedOnce_ = true;
        focusRequested();
    }
}

void TFilmEigenschaftenDlg::pictureButtons() {
    const TFilmV26* f = storedFilm();
    const int pics = f ? f->AnzPics() : 0;
    int inUse = 0;
    for (int n = 0; n < MaxPics; ++n)
        inUse += pictureInUse(n) ? 1 : 0;
    // Ten sub-pages in use leave no room, whether the pictures were stored or just added.
    ButtonAddPic->setEnabled((Bearbeiten == ModeNew || (Bearbeiten == ModeEdit && pics < MaxPics)) &&
                             inUse < MaxPics);
    ButtonAddPicAsLink->setEnabled(ButtonAddPic->isEnabled());
    ButtonDelPic->setEnabled((Bearbeiten == ModeEdit && pics > 0) || picAdded_);
}

void TFilmEigenschaftenDlg::focusRequested() {
    if (Bearbeiten == ModeView) {
        OKBtn->setFocus();
        return;
    }
    const int n = focusRequest_;
    focusRequest_ = 0;
    QWidget* target = ComboBoxFilmName;
    if (n >= 1 && n <= 24) {
        switch (n) {
        case 1:
        case 2:
        case 3:
        case 9:
        case 11:
        case 15:
        case 16:
        case 17:
        case 23:
            PageControl1->setCurrentWidget(TabSheetCassette);
            break;
        case 18:
        case 19:
        case 21:
            PageControl1->setCurrentWidget(TabSheetTechnischeDaten);
            break;
        case 24:
            PageControl1->setCurrentWidget(TabSheetPictures);
            PageControl2->setCurrentIndex(0);
            break;
        case 22:
            break;
        default:
            PageControl1->setCurrentWidget(TabSheetFilm);
            break;
        }
        const bool cassette = SelectedMediumIndex() == 0;
        QWidget* byAttribute[25] = {
            nullptr,
            FilmLengthMaskEdit,
            cassette ? static_cast<QWidget*>(CasNrBtn) : CasNrMaskEdit,
            cassette ? static_cast<QWidget*>(PosOnCasBtn) : ComboBoxAnzDVDs,
            ComboBoxKategorie,
            DirectorEdit,
            CountryEdit,
            JahrMaskEdit,
            ZweikanaltonCheckBox,
            WerbungCheckBox,
            BewertungRadioGroup->focusTarget(),
            KarteRadioGroup->focusTarget(),
            MemoStars,
            InhaltMemo,
            BemerkungMemo,
            AufzeichnungsDateTimePicker,
            CheckListBoxSprache,
            ComboBoxVerliehenAn,
            RadioGroupTon->focusTarget(),
            RadioGroupBildformat->focusTarget(),
            ComboBoxFSK,
            RadioGroupDVD_RegCode->focusTarget(),
            ComboBoxSpeichermedium,
            ComboBoxAnzDVDs,
            TabSheetPicture[0],
        };
        QWidget* w = byAttribute[n];
        // Hidden or disabled controls, and those on a hidden page, cannot take the focus.
        if (n == 24 && !PageControl2->isTabVisible(0))
            w = nullptr;
        if (w && w->isEnabled() && w->isVisibleTo(this) && w->focusPolicy() != Qt::NoFocus)
            target = w;
    }
    target->setFocus(Qt::OtherFocusReason);
}

bool TFilmEigenschaftenDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (int n = 0; n < MaxPics; ++n)
            if (watched == ScrollBox[static_cast<std::size_t>(n)] && pictureInUse(n))
                FitPicture(n);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            !qobject_cast<QPlainTextEdit*>(watched) && !qobject_cast<QAbstractButton*>(watched)) {
            auto* combo = qobject_cast<QComboBox*>(watched);
            if (!combo || !combo->view()->isVisible()) {
                enterKey();
                return true;
            }
        }
        // Keys typed into an editable box reach the box first, which hands them to its line
        // without filters; tests may type into the line directly.
        QComboBox* completing = nullptr;
        for (QComboBox* box : {ComboBoxKategorie, ComboBoxSpeichermedium})
            if (watched == box || watched == box->lineEdit())
                completing = box;
        if (completing) {
            const QString text = key->text();
            if (!text.isEmpty() && text.at(0).isPrint() &&
                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                return completeTyping(completing, text);
        }
    } else if (event->type() == QEvent::FocusOut) {
        onExit(watched, event);
    } else if (event->type() == QEvent::Show && watched == AufzeichnungsDateTimePicker->calendarWidget() &&
               AufzeichnungsDateTimePicker->date() == EmptyDate()) {
        // A film without a date: the calendar opens at today, not at the empty marker's month.
        const QDate today = QDate::currentDate();
        AufzeichnungsDateTimePicker->calendarWidget()->setCurrentPage(today.year(), today.month());
    }
    return QDialog::eventFilter(watched, event);
}

bool TFilmEigenschaftenDlg::completeTyping(QComboBox* box, const QString& key) {
    QLineEdit* e = box->lineEdit();
    const QString text = e->text();
    QString typed;
    if (e->hasSelectedText() && e->selectionStart() + e->selectedText().size() == text.size())
        typed = text.left(e->selectionStart());
    else if (!e->hasSelectedText() && e->cursorPosition() == text.size())
        typed = text;
    else
        return false;
    typed += key;
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        items.push_back(ToCp(box->itemText(i)));
    const int i = CompletionIndex(items, ToCp(typed));
    if (i < 0)
        return false;
    const QString item = box->itemText(i);
    if (box == ComboBoxSpeichermedium)
        box->setCurrentIndex(i);
    box->setEditText(item);
    e->setSelection(static_cast<int>(typed.size()), static_cast<int>(item.size() - typed.size()));
    return true;
}

void TFilmEigenschaftenDlg::enterKey() {
    focusNextChild();
    for (int guard = 0; guard < 4 && qobject_cast<QTabBar*>(QApplication::focusWidget()); ++guard)
        focusNextChild();
    if (QApplication::focusWidget() != OKBtn || Bearbeiten == ModeView)
        return;
    // At the end of a page the next page begins (after the last, the first).
    const int next = (PageControl1->currentIndex() + 1) % PageControl1->count();
    PageControl1->setCurrentIndex(next);
    QWidget* first = OKBtn;
    if (next == 1)
        first = ComboBoxKategorie;
    else if (next == 2)
        first = RadioGroupBildformat->focusTarget();
    else if (next == 3)
        for (QWidget* w : GroupBoxAuswahl->findChildren<QWidget*>())
            if (w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
                first = w;
                break;
            }
    first->setFocus(Qt::TabFocusReason);
}

void TFilmEigenschaftenDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // No default button: Enter on a field walks on, on a button presses it.
        if (auto* b = qobject_cast<QPushButton*>(QApplication::focusWidget()); b && isAncestorOf(b))
            b->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFilmEigenschaftenDlg::reject() {
    // Escape and the close box leave without storing, whatever an earlier OK attempt decided.
    CancelBtnClick();
}

void TFilmEigenschaftenDlg::CancelBtnClick() {
    pendingExits_.clear();
    Tag = CloseCancel;
    QDialog::reject();
}

void TFilmEigenschaftenDlg::onExit(QObject* watched, QEvent* event) {
    if (Bearbeiten == ModeView || !isVisible())
        return;
    QWidget* owner = nullptr;
    for (QWidget* w : {static_cast<QWidget*>(ComboBoxFilmName), static_cast<QWidget*>(FilmLengthMaskEdit),
                       static_cast<QWidget*>(NettoLengthMaskEdit), static_cast<QWidget*>(JahrMaskEdit),
                       static_cast<QWidget*>(CasNrMaskEdit)})
        if (watched == w || (w == ComboBoxFilmName && watched == ComboBoxFilmName->lineEdit()))
            owner = w;
    if (!owner)
        return;
    // Switching to a message box or a drop-down list does not leave the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    QWidget* now = QApplication::focusWidget();
    if (now && (now == owner || owner->isAncestorOf(now)))
        return;
    if (std::find(pendingExits_.begin(), pendingExits_.end(), owner) == pendingExits_.end())
        pendingExits_.push_back(owner);
    // The check runs from the event loop, after the focus change is complete.
    if (!pendingScheduled_) {
        pendingScheduled_ = true;
        QTimer::singleShot(0, this, &TFilmEigenschaftenDlg::runPendingSoon);
    }
}

void TFilmEigenschaftenDlg::runPendingSoon() {
    pendingScheduled_ = false;
    if (!isVisible())
        pendingExits_.clear(); // the dialog has closed: nothing is left to check
    if (pendingExits_.empty())
        return;
    // While a mouse button is held the click is not finished; a button's click runs the checks.
    if (QApplication::mouseButtons() != Qt::NoButton) {
        pendingScheduled_ = true;
        QTimer::singleShot(20, this, &TFilmEigenschaftenDlg::runPendingSoon);
        return;
    }
    runPendingExits();
}

bool TFilmEigenschaftenDlg::runPendingExits() {
    bool interrupted = false;
    while (!pendingExits_.empty()) {
        QWidget* w = pendingExits_.front();
        pendingExits_.erase(pendingExits_.begin());
        interrupted = runExit(w) || interrupted;
    }
    return interrupted;
}

bool TFilmEigenschaftenDlg::runExit(QWidget* w) {
    if (w == ComboBoxFilmName)
        return ComboBoxFilmNameExit();
    if (w == FilmLengthMaskEdit)
        return FilmLengthMaskEditExit();
    if (w == NettoLengthMaskEdit)
        return NettoLengthMaskEditExit();
    if (w == JahrMaskEdit)
        return JahrMaskEditExit();
    if (w == CasNrMaskEdit)
        return CasNrMaskEditExit();
    return false;
}

void TFilmEigenschaftenDlg::watchExit(QWidget* w) {
    w->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
}

} // namespace kt
