#include "filter/filter_dialog.h"

#include "app_context.h"
#include "dialogs/editor_form.h"
#include "dialogs/message_box.h"
#include "filter/filter_search.h"
#include "filter/replace.h"
#include "help/help_window.h"
#include "text/cp1252.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kt {

using namespace kt::literals;

namespace {

QCheckBox* NewCheckBox(const QString& caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QListWidget* NewCheckList(const char* name, const QStringList& items, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return list;
}

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

bool Checked(const QListWidget* list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

void SetChecked(QListWidget* list, int row, bool checked) {
    list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

constexpr int ReplacePage = 2;

} // namespace

TFiltern_Suchen_Sortieren_TabbedNotebookDlg::TFiltern_Suchen_Sortieren_TabbedNotebookDlg(AppContext& ctx,
                                                                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("Filtern_Suchen_Sortieren_TabbedNotebookDlg"));
    setWindowTitle(QStringLiteral("Kassotek: Filtern und durchsuchen von Filmen"));
    SetHelpContext(this, HelpFilter);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    buildFilterPage();
    buildSearchPage();
    buildReplacePage();

    StartBitBtn = NewButton(QStringLiteral("Filtern und suchen &aktivieren"), "StartBitBtn", this);
    StartBitBtn->setDefault(true);
    DeaktivierenBtn = NewButton(QStringLiteral("Filtern und suchen be&enden"), "DeaktivierenBtn", this);
    // The pair is centred, so the end button alone is centred when the other one is hidden.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(StartBitBtn);
    buttons->addWidget(DeaktivierenBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    connect(PageControl1, &QTabWidget::currentChanged, this,
            &TFiltern_Suchen_Sortieren_TabbedNotebookDlg::PageControl1Change);
    connect(StartBitBtn, &QPushButton::clicked, this,
            &TFiltern_Suchen_Sortieren_TabbedNotebookDlg::StartBitBtnClick);
    connect(DeaktivierenBtn, &QPushButton::clicked, this,
            &TFiltern_Suchen_Sortieren_TabbedNotebookDlg::DeaktivierenBtnClick);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { HelpWindow::Show(HelpFilter, this); });

    FormCreate();
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::buildFilterPage() {
    TabSheetFilmeFiltern = new QWidget;
    TabSheetFilmeFiltern->setObjectName(QStringLiteral("TabSheetFilmeFiltern"));
    QWidget* page = TabSheetFilmeFiltern;
    Filter2KanaltonCheckBox =
        NewCheckBox(QStringLiteral("nur mit &Zweikanalton anzeigen"), "Filter2KanaltonCheckBox", page);
    FilterWerbungCheckBox =
        NewCheckBox(QStringLiteral("nur Filme ohne &Werbung anzeigen"), "FilterWerbungCheckBox", page);
    FilterLaengeCheckBox =
        NewCheckBox(QStringLiteral("nur Filme mit L&ängen <= ?? min."), "FilterLaengeCheckBox", page);
    FilterLaengeButton = NewButton(QStringLiteral("Länge &einstellen"), "FilterLaengeButton", page);
    CheckBoxNurVerliehene =
        NewCheckBox(QStringLiteral("nur verliehene Filme anzeigen"), "CheckBoxNurVerliehene", page);
    FilterKategorieCheckBox =
        NewCheckBox(QStringLiteral("nur Filme d. markierten Kateg&orien?"), "FilterKategorieCheckBox", page);
    CheckListBoxSelectedCategories = NewCheckList("CheckListBoxSelectedCategories", {}, page);

    auto* length = new QHBoxLayout;
    length->addWidget(FilterLaengeCheckBox);
    length->addWidget(FilterLaengeButton);
    length->addStretch();
    auto* v = new QVBoxLayout(page);
    v->addWidget(Filter2KanaltonCheckBox);
    v->addWidget(FilterWerbungCheckBox);
    v->addLayout(length);
    v->addWidget(CheckBoxNurVerliehene);
    v->addSpacing(6);
    v->addWidget(FilterKategorieCheckBox);
    v->addWidget(CheckListBoxSelectedCategories, 1);
    PageControl1->addTab(page, QStringLiteral("Filme &filtern"));

    connect(FilterLaengeButton, &QPushButton::clicked, this,
            &TFiltern_Suchen_Sortieren_TabbedNotebookDlg::FilterLaengeButtonClick);
    connect(FilterKategorieCheckBox, &QCheckBox::toggled, CheckListBoxSelectedCategories,
            &QWidget::setEnabled);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::buildSearchPage() {
    TabSheetFilmeDurchsuchen = new QWidget;
    TabSheetFilmeDurchsuchen->setObjectName(QStringLiteral("TabSheetFilmeDurchsuchen"));
    QWidget* page = TabSheetFilmeDurchsuchen;
    auto* label = new QLabel(QStringLiteral("Suchen &nach "), page);
    SuchenEdit = new QLineEdit(page);
    SuchenEdit->setObjectName(QStringLiteral("SuchenEdit"));
    label->setBuddy(SuchenEdit);
    CheckListBoxSuchenNach =
        NewCheckList("CheckListBoxSuchenNach",
                     {QStringLiteral("im Filmtitel"), QStringLiteral("in der Liste der Stars"),
                      QStringLiteral("in der Inhaltsbeschreibung"), QStringLiteral("unter Bemerkungen"),
                      QStringLiteral("unter Regisseur"), QStringLiteral("im \"verliehen-an\"-Feld")},
                     page);
    RadioGroupAllStorageTypes = new TRadioGroup(
        QStringLiteral(" suchen in ... "),
        {QStringLiteral("ange&zeigten Speichermedien"), QStringLiteral("&allen Speichermedien")}, 1, page);
    RadioGroupAllStorageTypes->setObjectName(QStringLiteral("RadioGroupAllStorageTypes"));
    RadioGroupAllStorageTypes->setItemIndex(0);

    auto* text = new QHBoxLayout;
    text->addWidget(label);
    text->addWidget(SuchenEdit, 1);
    auto* v = new QVBoxLayout(page);
    v->addLayout(text);
    v->addWidget(CheckListBoxSuchenNach, 1);
    v->addWidget(RadioGroupAllStorageTypes);
    PageControl1->addTab(page, QStringLiteral("Filme &durchsuchen"));
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::buildReplacePage() {
    TabSheetErsetzen = new QWidget;
    TabSheetErsetzen->setObjectName(QStringLiteral("TabSheetErsetzen"));
    QWidget* page = TabSheetErsetzen;
    QStringList fields;
    for (const std::string& name : ReplaceFieldNames())
        fields << FromCp(name);
    CheckListBoxErsetzenIn = NewCheckList("CheckListBoxErsetzenIn", fields, page);
    auto* oldLabel = new QLabel(QStringLiteral("bisherige Zeichenkette:"), page);
    EditBisher = new QLineEdit(page);
    EditBisher->setObjectName(QStringLiteral("EditBisher"));
    oldLabel->setBuddy(EditBisher);
    auto* newLabel = new QLabel(QStringLiteral("neue Zeichenkette: "), page);
    EditNeuStr = new QLineEdit(page);
    EditNeuStr->setObjectName(QStringLiteral("EditNeuStr"));
    newLabel->setBuddy(EditNeuStr);
    CheckBoxCaseSensitiv =
        NewCheckBox(QStringLiteral("Gross-Kleinschreibung beachten"), "CheckBoxCaseSensitiv", page);
    BitBtnErsetzen = NewButton(QStringLiteral("Er&setzen"), "BitBtnErsetzen", page);

    auto* texts = new QGridLayout;
    texts->addWidget(oldLabel, 0, 0);
    texts->addWidget(EditBisher, 0, 1);
    texts->addWidget(newLabel, 1, 0);
    texts->addWidget(EditNeuStr, 1, 1);
    auto* last = new QHBoxLayout;
    last->addWidget(CheckBoxCaseSensitiv);
    last->addStretch();
    last->addWidget(BitBtnErsetzen);
    auto* h = new QHBoxLayout(page);
    h->addWidget(CheckListBoxErsetzenIn, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(texts);
    right->addStretch();
    right->addLayout(last);
    h->addLayout(right, 2);
    PageControl1->addTab(page, QStringLiteral("Suchen/Ersetzen"));

    connect(BitBtnErsetzen, &QPushButton::clicked, this,
            &TFiltern_Suchen_Sortieren_TabbedNotebookDlg::BitBtnErsetzenClick);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::FormCreate() {
    const FilterSearch& fs = ctx_.filterSearch;
    LoadControls();
    RadioGroupAllStorageTypes->setItemIndex(fs.SearchAllStorageTypes ? 1 : 0);
    QStringList names;
    for (const TSelectableStr& category : ctx_.collection.CategoryList)
        names << FromCp(category.Name);
    names.sort(Qt::CaseInsensitive);
    CheckListBoxSelectedCategories->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, CheckListBoxSelectedCategories);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        bool marked = false;
        for (const TSelectableStr& category : ctx_.collection.CategoryList)
            marked = marked || (category.Selected && FromCp(category.Name) == name);
        item->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
    }
    CheckListBoxSelectedCategories->setEnabled(FilterKategorieCheckBox->isChecked());
    PageControl1->setCurrentIndex(0);
    PageControl1Change(0);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::LoadControls() {
    const FilterSearch& fs = ctx_.filterSearch;
    FilterKategorieCheckBox->setChecked(fs.FilternVon[FilterCategories]);
    FilterLaengeCheckBox->setChecked(fs.FilternVon[FilterMaxLength]);
    FilterWerbungCheckBox->setChecked(fs.FilternVon[FilterNoCommercials]);
    Filter2KanaltonCheckBox->setChecked(fs.FilternVon[FilterTwoChannel]);
    CheckBoxNurVerliehene->setChecked(fs.FilternVon[FilterLentOnly]);
    for (int k = SearchTitle; k <= SearchLentTo; ++k)
        SetChecked(CheckListBoxSuchenNach, k - 1, fs.SuchenIn[static_cast<std::size_t>(k)]);
    SuchenEdit->setText(FromCp(fs.SuchText));
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::showEvent(QShowEvent* event) {
    // Loaded each time the dialog comes up, not when it becomes active again after its own length
    // box or a message box: that would throw away what the user has just set.
    if (!event->spontaneous())
        LoadControls();
    QDialog::showEvent(event);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::ShowReplaceOnly() {
    PageControl1->setCurrentWidget(TabSheetErsetzen);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetFilmeFiltern), false);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetFilmeDurchsuchen), false);
    StartBitBtn->hide();
    CheckListBoxErsetzenIn->setFocus();
    CheckListBoxErsetzenIn->setCurrentRow(0);
}

bool TFiltern_Suchen_Sortieren_TabbedNotebookDlg::AnyTextEntered() const {
    return !SuchenEdit->text().isEmpty() || !EditBisher->text().isEmpty() || !EditNeuStr->text().isEmpty();
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::FilterLaengeButtonClick() {
    FilterSearch& fs = ctx_.filterSearch;
    TEditorForm box(this);
    box.setWindowTitle(QStringLiteral("Kassotek Editor"));
    box.setLabel(QStringLiteral("Max. Länge des Films = "));
    box.setMaskText(fs.MaxFilmLaenge == 0 ? QString() : QString::number(fs.MaxFilmLaenge));
    if (box.exec() != QDialog::Accepted)
        return;
    fs.MaxFilmLaenge = MaxFilmLaengeOfText(ToCp(box.maskText()));
    fs.FSS_Changed = true;
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::PageControl1Change(int index) {
    StartBitBtn->setEnabled(index != ReplacePage);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::StartBitBtnClick() {
    QListWidget* list = CheckListBoxSelectedCategories;
    if (list->count() > 0) {
        const bool byCategory = FilterKategorieCheckBox->isChecked();
        for (TSelectableStr& category : ctx_.collection.CategoryList) {
            bool marked = false;
            if (byCategory) {
                const QString name = FromCp(category.Name);
                for (int i = 0; i < list->count(); ++i)
                    if (list->item(i)->text() == name)
                        marked = Checked(list, i);
            }
            category.Selected = marked;
        }
    }
    accept();
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::DeaktivierenBtnClick() {
    ResetFilterSearch(ctx_.filterSearch);
    LoadControls();
    RadioGroupAllStorageTypes->setItemIndex(0);
    reject();
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::BitBtnErsetzenClick() {
    ReplaceRequest request;
    for (int k = 0; k < ReplaceFieldCount; ++k)
        request.In[static_cast<std::size_t>(k)] = Checked(CheckListBoxErsetzenIn, k);
    request.Bisher = ToCp(EditBisher->text());
    request.NeuStr = ToCp(EditNeuStr->text());
    request.CaseSensitiv = CheckBoxCaseSensitiv->isChecked();
    replaceCount_ = 0;
    const ReplaceResult result = ReplaceInAllFilms(ctx_.collection, request, ctx_.dialogs());
    if (result.KeepOpen) {
        CheckListBoxErsetzenIn->setFocus();
        if (!CheckListBoxErsetzenIn->currentItem())
            CheckListBoxErsetzenIn->setCurrentRow(0);
        return;
    }
    replaceCount_ = result.Count;
    accept();
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::TakeOverSettings() {
    FilterSearch& fs = ctx_.filterSearch;
    std::array<bool, 6> filter = fs.FilternVon;
    filter[FilterCategories] = FilterKategorieCheckBox->isChecked();
    filter[FilterMaxLength] = FilterLaengeCheckBox->isChecked();
    filter[FilterNoCommercials] = FilterWerbungCheckBox->isChecked();
    filter[FilterTwoChannel] = Filter2KanaltonCheckBox->isChecked();
    filter[FilterLentOnly] = CheckBoxNurVerliehene->isChecked();
    std::array<bool, 7> search = fs.SuchenIn;
    for (int k = SearchTitle; k <= SearchLentTo; ++k)
        search[static_cast<std::size_t>(k)] = Checked(CheckListBoxSuchenNach, k - 1);
    const std::string text = ToCp(SuchenEdit->text());
    const bool allMedia = RadioGroupAllStorageTypes->ItemIndex() == 1;

    bool differs = text != fs.SuchText || allMedia != fs.SearchAllStorageTypes;
    for (int k = FilterCategories; k <= FilterLentOnly; ++k)
        differs =
            differs || filter[static_cast<std::size_t>(k)] != fs.FilternVon[static_cast<std::size_t>(k)];
    for (int k = SearchTitle; k <= SearchLentTo; ++k)
        differs = differs || search[static_cast<std::size_t>(k)] != fs.SuchenIn[static_cast<std::size_t>(k)];
    // A new maximum length set in this run counts as a change as well, even with the switches
    // unchanged: the list must follow it.
    fs.FSS_Changed = fs.FSS_Changed || differs;
    fs.FilternVon = filter;
    fs.SuchenIn = search;
    fs.SuchText = text;
    fs.SearchAllStorageTypes = allMedia;
    DeriveActiveFlags(fs, ctx_.collection.CategoryList);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::done(int result) {
    TakeOverSettings();
    QDialog::done(result);
}

void TFiltern_Suchen_Sortieren_TabbedNotebookDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        DeaktivierenBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kt
