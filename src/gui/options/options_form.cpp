#include "options/options_form.h"

#include "app_context.h"
#include "catalogue/col_arrange.h"
#include "dialogs/message_box.h"
#include "filmlist/sorting.h"
#include "mainwindow/data_file_dialogs.h"
#include "text/cp1252.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <vector>

namespace kt {

using namespace kt::literals;

namespace {

QCheckBox* NewCheckBox(const QString& caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

TRadioGroup* NewRadioGroup(const QString& caption, const QStringList& items, const char* name,
                           QWidget* parent) {
    auto* group = new TRadioGroup(caption, items, 1, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QListWidget* NewList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

TOptionenForm::TOptionenForm(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("OptionenForm"));
    setWindowTitle(QStringLiteral("Kassotek - Optionen"));
    chooseFolder = [](QWidget* p, const QString& start) {
        return QFileDialog::getExistingDirectory(p, QStringLiteral("Auslagerungsordner festlegen"), start);
    };

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    buildGeneralPage();
    buildSecurityPage();
    buildColumnsPage();
    buildDisplayPage();
    buildHeaderPage();

    OKBitBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    CancelBitBtn = new QPushButton(QStringLiteral("&Abbrechen"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    CancelBitBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(CancelBitBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    connect(OKBitBtn, &QPushButton::clicked, this, &TOptionenForm::OKBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &TOptionenForm::reject);

    FormCreate();
    // Wide enough for every page's tab.
    resize(std::max(sizeHint().width(), PageControl1->tabBar()->sizeHint().width() + 60),
           sizeHint().height());
}

void TOptionenForm::buildGeneralPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    auto* start = new QGroupBox(QStringLiteral(" Starten und beenden "), page);
    auto* sv = new QVBoxLayout(start);
    OpenFile_CheckBox = NewCheckBox(QStringLiteral("Letzte Video-&Datei bei Programmstart öffnen"),
                                    "OpenFile_CheckBox", start);
    DirectoryCheckBox = NewCheckBox(QStringLiteral("Letztes &Verzeichnis als Arbeitsverzeichnis"),
                                    "DirectoryCheckBox", start);
    sv->addWidget(OpenFile_CheckBox);
    sv->addWidget(DirectoryCheckBox);
    v->addWidget(start);

    auto* sort = new QGroupBox(QStringLiteral(" Sortieren "), page);
    auto* sh = new QHBoxLayout(sort);
    auto* sortLabel = new QLabel(QStringLiteral("&Sortierlänge:"), sort);
    SortLengthMaskEdit = new QLineEdit(sort);
    SortLengthMaskEdit->setObjectName(QStringLiteral("SortLengthMaskEdit"));
    SortLengthMaskEdit->setMaxLength(2);
    SortLengthMaskEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[ 0-9]{0,2}")), SortLengthMaskEdit));
    SortLengthMaskEdit->setFixedWidth(
        SortLengthMaskEdit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    sortLabel->setBuddy(SortLengthMaskEdit);
    sh->addWidget(sortLabel);
    sh->addWidget(SortLengthMaskEdit);
    sh->addWidget(new QLabel(QStringLiteral("Zeichen, nach denen sortiert wird"), sort));
    sh->addStretch();
    v->addWidget(sort);

    auto* temp = new QGroupBox(QStringLiteral(" Auslagerungsordner festlegen "), page);
    auto* th = new QHBoxLayout(temp);
    TempDirButton = new QPushButton(QStringLiteral("Ordner auswählen"), temp);
    TempDirButton->setObjectName(QStringLiteral("TempDirButton"));
    TempDirButton->setAutoDefault(false);
    TempDirLabel = new QLabel(temp);
    TempDirLabel->setObjectName(QStringLiteral("TempDirLabel"));
    TempDirLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    th->addWidget(TempDirButton);
    th->addWidget(TempDirLabel, 1);
    v->addWidget(temp);
    connect(TempDirButton, &QPushButton::clicked, this, &TOptionenForm::TempDirButtonClick);

    auto* minimise = new QGroupBox(QStringLiteral(" minimieren "), page);
    auto* mh = new QHBoxLayout(minimise);
    MinimizeRadioGroup = NewRadioGroup(
        QStringLiteral(" ... mit dem Ziel ... "),
        {QStringLiteral("&Taskbar"), QStringLiteral("&Systray"), QStringLiteral("Taskbar &und Systray")},
        "MinimizeRadioGroup", minimise);
    MinimizeCheckBox = NewCheckBox(QStringLiteral("beim Beenden  &ohne"), "MinimizeCheckBox", minimise);
    auto* confirm = new QVBoxLayout;
    confirm->addWidget(MinimizeCheckBox);
    auto* confirmLabel = new QLabel(QStringLiteral("Rückfrage minimieren"), minimise);
    confirmLabel->setObjectName(QStringLiteral("MinimizeLabel"));
    confirm->addWidget(confirmLabel);
    confirm->addStretch();
    mh->addWidget(MinimizeRadioGroup);
    mh->addLayout(confirm);
    v->addWidget(minimise);
    v->addStretch();

    PageControl1->addTab(page, QStringLiteral("&Allgemein"));
}

void TOptionenForm::buildSecurityPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral(" Sicherheits-Einstellungen "), page);
    auto* gv = new QVBoxLayout(group);
    AllowCasEditCheckBox =
        NewCheckBox(QStringLiteral("Cassettenbasisdaten &editierbar"), "AllowCasEditCheckBox", group);
    BkOnFOpenCheckBox =
        NewCheckBox(QStringLiteral("&Sicherungskopien der Datendateien anlegen"), "BkOnFOpenCheckBox", group);
    SaveToIniCheckBox =
        NewCheckBox(QStringLiteral("&Optionen in \"Kassotek.INI\" sichern"), "SaveToIniCheckBox", group);
    CheckBoxActiveCasRestore = NewCheckBox(QStringLiteral("&Restaurierungsmöglichkeit der Cassettendaten"),
                                           "CheckBoxActiveCasRestore", group);
    CheckBoxActiveCasRestore->setToolTip(ScreenText(
        "ACHTUNG:\r\n\r\nDurch diesen Schalter wird nur der Menüpunkt\r\nRestaurierungsmöglichkeit im "
        "Cassetten-Menü freigeschaltet!"_cp));
    // The second caption line is a label of its own; clicking it works the box.
    FreischaltenLabel = new QLabel(QStringLiteral("freischalten"), group);
    FreischaltenLabel->setObjectName(QStringLiteral("FreischaltenLabel"));
    FreischaltenLabel->installEventFilter(this);
    FreischaltenLabel->setIndent(CheckBoxActiveCasRestore->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                 6);
    CheckBoxOverrideSpMediumsAnzeige =
        NewCheckBox(QStringLiteral("Auswahl des Speichermediums übersteuern(=alle anz.)"),
                    "CheckBoxOverrideSpMediumsAnzeige", group);
    gv->addWidget(AllowCasEditCheckBox);
    gv->addWidget(BkOnFOpenCheckBox);
    gv->addWidget(SaveToIniCheckBox);
    gv->addWidget(CheckBoxActiveCasRestore);
    gv->addWidget(FreischaltenLabel);
    gv->addWidget(CheckBoxOverrideSpMediumsAnzeige);
    v->addWidget(group);
    RadioGroupSuggestPosOnCas =
        NewRadioGroup(QStringLiteral(" bei neuem Film auf Video-Cassette "),
                      {QStringLiteral("Cassette und Position auf Cassette &vorschlagen"),
                       QStringLiteral("&letzte Cassette vorschlagen, falls ausreichend"),
                       QStringLiteral("gar &nichts vorschlagen")},
                      "RadioGroupSuggestPosOnCas", page);
    v->addWidget(RadioGroupSuggestPosOnCas);
    v->addStretch();
    connect(AllowCasEditCheckBox, &QCheckBox::toggled, this, &TOptionenForm::AllowCasEditCheckBoxClick);
    connect(CheckBoxOverrideSpMediumsAnzeige, &QCheckBox::toggled, this, &TOptionenForm::OverrideClick);
    PageControl1->addTab(page, QStringLiteral("&Sicherheit"));
}

void TOptionenForm::buildColumnsPage() {
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    CheckListBoxCols2Show = NewList("CheckListBoxCols2Show", page);
    h->addWidget(CheckListBoxCols2Show, 1);
    auto* note = new QVBoxLayout;
    auto* hint = new QLabel(QStringLiteral("Hinweis:"), page);
    hint->setObjectName(QStringLiteral("HinweisLabel"));
    QFont bold = hint->font();
    bold.setBold(true);
    hint->setFont(bold);
    hint->setAutoFillBackground(true);
    QPalette yellow = hint->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    hint->setPalette(yellow);
    auto* text = new QLabel(
        QStringLiteral("Diese Auswahl entschei- det NICHT über die Rei- henfolge der Spalten!"), page);
    text->setObjectName(QStringLiteral("HinweisText"));
    text->setWordWrap(true);
    text->setMaximumWidth(160);
    note->addWidget(hint);
    note->addWidget(text);
    note->addStretch();
    h->addLayout(note);
    connect(CheckListBoxCols2Show, &QListWidget::itemChanged, this, &TOptionenForm::Cols2ShowClickCheck);
    PageControl1->addTab(page, QStringLiteral("anzu&zeigende Spalten"));
}

void TOptionenForm::buildDisplayPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    CheckBoxShowAllMsg =
        NewCheckBox(QStringLiteral("alle Benachrichtungsfenster anzeigen"), "CheckBoxShowAllMsg", page);
    CheckBoxShowAllMsg->setToolTip(
        ScreenText("auch die rein informativen; \r\nWarn- und Fehlermeldungen \r\nwerden IMMER angezeigt!"));
    CheckBox_BoldFixedRowColFilmStringGrid =
        NewCheckBox(QStringLiteral("Darstellung der festen Reihe/Spalte hervorheben"),
                    "CheckBox_BoldFixedRowColFilmStringGrid", page);
    CheckBoxCenterFilmTitel =
        NewCheckBox(QStringLiteral("Filmtitel zentrieren"), "CheckBoxCenterFilmTitel", page);
    RadioGroupPicSizeOptions = NewRadioGroup(
        QStringLiteral(" Bildanzeigemöglichkeiten 1 "),
        {QStringLiteral("Bild als &Thumbnail anzeigen"), QStringLiteral("Bild in &Bildgröße anzeigen")},
        "RadioGroupPicSizeOptions", page);
    RadioGroupPicAutoShowOptions =
        NewRadioGroup(QStringLiteral(" Bildanzeigemöglichkeiten 2 "),
                      {QStringLiteral("Bild nach &Doppelklick in Originalgröße anzeigen"),
                       QStringLiteral("Bild &automatisch in Originalgröße anzeigen")},
                      "RadioGroupPicAutoShowOptions", page);
    CheckBoxShowFirstPicAutomatically =
        NewCheckBox(QStringLiteral("1. Bild bei Selektion in Hauptliste automatisch anzeigen "),
                    "CheckBoxShowFirstPicAutomatically", page);
    RadioGroupCasSubSortBy =
        NewRadioGroup(QStringLiteral(" Unter-Sortierung bei \"Sortieren nach Cassettennr.\"  "),
                      {QStringLiteral("nach &Position auf Cassette"), QStringLiteral("nach Film&name")},
                      "RadioGroupCasSubSortBy", page);
    g->addWidget(CheckBoxShowAllMsg, 0, 0, 1, 2);
    g->addWidget(CheckBox_BoldFixedRowColFilmStringGrid, 1, 0, 1, 2);
    g->addWidget(CheckBoxCenterFilmTitel, 2, 0, 1, 2);
    g->addWidget(RadioGroupPicSizeOptions, 3, 0);
    g->addWidget(RadioGroupPicAutoShowOptions, 3, 1);
    g->addWidget(CheckBoxShowFirstPicAutomatically, 4, 0, 1, 2);
    g->addWidget(RadioGroupCasSubSortBy, 5, 0, 1, 2);
    g->setRowStretch(6, 1);
    connect(CheckBox_BoldFixedRowColFilmStringGrid, &QCheckBox::clicked, this, [this] { changed_ = true; });
    PageControl1->addTab(page, QStringLiteral("Anzei&ge allgemein"));
}

void TOptionenForm::buildHeaderPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* lists = new QHBoxLayout;
    ListBoxCellArrayInformation = NewList("ListBoxCellArrayInformation", page);
    HeaderPageControl = new QTabWidget(page);
    HeaderPageControl->setObjectName(QStringLiteral("HeaderPageControl"));
    ListBoxCellArrayHeader = NewList("ListBoxCellArrayHeader", HeaderPageControl);
    ListBoxFilmEditorEntry = NewList("ListBoxFilmEditorEntry", HeaderPageControl);
    HeaderPageControl->addTab(ListBoxCellArrayHeader, QStringLiteral("Header"));
    HeaderPageControl->addTab(ListBoxFilmEditorEntry, QStringLiteral("&Eintrag"));
    HeaderPageControl->setTabToolTip(1, QStringLiteral("Eintrag im Film-Editor"));
    lists->addWidget(ListBoxCellArrayInformation, 1);
    lists->addWidget(HeaderPageControl, 1);
    v->addLayout(lists, 1);
    auto* edit = new QHBoxLayout;
    EditHeaderLabel = new QLabel(QStringLiteral("Header"), page);
    EditHeaderLabel->setObjectName(QStringLiteral("EditHeaderLabel"));
    EditHeader = new QLineEdit(page);
    EditHeader->setObjectName(QStringLiteral("EditHeader"));
    EditHeaderLabel->setBuddy(EditHeader);
    edit->addWidget(EditHeaderLabel);
    edit->addWidget(EditHeader, 1);
    v->addLayout(edit);

    const std::array<QListWidget*, 3> lists3{ListBoxCellArrayInformation, ListBoxCellArrayHeader,
                                             ListBoxFilmEditorEntry};
    for (QListWidget* list : lists3) {
        connect(list, &QListWidget::currentRowChanged, this, &TOptionenForm::selectHeaderRow);
        // The rows stay side by side when one list is scrolled.
        for (QListWidget* other : lists3)
            if (other != list)
                connect(list->verticalScrollBar(), &QScrollBar::valueChanged, other->verticalScrollBar(),
                        &QScrollBar::setValue);
    }
    connect(HeaderPageControl, &QTabWidget::currentChanged, this, &TOptionenForm::HeaderPageChange);
    connect(EditHeader, &QLineEdit::textEdited, this, &TOptionenForm::EditHeaderChange);
    PageControl1->addTab(page, QStringLiteral("Header festlegen"));
}

void TOptionenForm::FormCreate() {
    ctx_.trace.TraceLine("Ktk_opt: FormCreate [ENTRY]");
    const Settings& s = ctx_.settings;
    const ColArrange& ca = ctx_.colArrange;
    // Filling is no user's click: no reaction and no message.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QObject* o : std::initializer_list<QObject*>{
             AllowCasEditCheckBox, CheckBoxOverrideSpMediumsAnzeige, CheckListBoxCols2Show,
             ListBoxCellArrayInformation, ListBoxCellArrayHeader, ListBoxFilmEditorEntry, HeaderPageControl,
             EditHeader, CheckBox_BoldFixedRowColFilmStringGrid})
        quiet.push_back(std::make_unique<QSignalBlocker>(o));

    OpenFile_CheckBox->setChecked(s.OpenFileAtStart);
    DirectoryCheckBox->setChecked(s.SaveDir);
    // The field holds two digits; a larger value from the configuration shows as 99 and stays
    // as it is unless the user types another.
    shownSortLength_ = QStringLiteral("%1").arg(std::min(int(s.SortLength), 99), 2);
    SortLengthMaskEdit->setText(shownSortLength_);
    TempDirLabel->setText(PathText(s.TempDir));
    MinimizeRadioGroup->setItemIndex(s.MinimizeTarget);
    MinimizeCheckBox->setChecked(!s.MinimizeConfirm);

    AllowCasEditCheckBox->setChecked(s.AllowCasEdit);
    BkOnFOpenCheckBox->setChecked(s.CreateBakOnFOpen);
    SaveToIniCheckBox->setChecked(s.SaveOption);
    CheckBoxActiveCasRestore->setChecked(false);
    CheckBoxOverrideSpMediumsAnzeige->setChecked(s.OverrideStorageTypeShow);
    RadioGroupSuggestPosOnCas->setItemIndex(s.SuggestPosOnCas);

    CheckListBoxCols2Show->clear();
    for (int i = 0; i < ColCount; ++i) {
        auto* item = new QListWidgetItem(FromCp(ca[i].LongName), CheckListBoxCols2Show);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(ca[i].Show ? Qt::Checked : Qt::Unchecked);
        if (i == ColTitle) {
            item->setCheckState(Qt::Checked);
            item->setFlags(Qt::ItemIsUserCheckable); // greyed: the title is always shown
        }
    }

    CheckBoxShowAllMsg->setChecked(s.ShowAllMsg);
    CheckBox_BoldFixedRowColFilmStringGrid->setChecked(s.MarkFilmList);
    CheckBoxCenterFilmTitel->setChecked(s.CenterFilmTitel);
    RadioGroupPicSizeOptions->setItemIndex(s.PicSizeOption);
    RadioGroupPicAutoShowOptions->setItemIndex(s.PicAutoShowOption);
    CheckBoxShowFirstPicAutomatically->setChecked(s.ShowFirstPicAutomatically);
    RadioGroupCasSubSortBy->setItemIndex(s.CasSubSort);

    std::vector<std::string> names;
    for (int i = 0; i < ColCount; ++i)
        names.push_back(ca[i].LongName);
    std::vector<uint32_t> order(ColCount);
    std::iota(order.begin(), order.end(), 0u);
    StringSortIndices(order, names, s.SortLength);
    for (uint32_t i : order) {
        const TColArEntry& e = ca[static_cast<int>(i)];
        ListBoxCellArrayInformation->addItem(FromCp(e.LongName));
        ListBoxCellArrayHeader->addItem(FromCp(e.Header));
        ListBoxFilmEditorEntry->addItem(FromCp(e.EditLabel));
    }
    HeaderPageControl->setCurrentIndex(0);
    PageControl1->setCurrentIndex(0);
    quiet.clear();
    selectHeaderRow(0);
    HeaderPageChange();
    ctx_.trace.TraceLine("Ktk_opt: FormCreate [EXIT]");
}

void TOptionenForm::AllowCasEditCheckBoxClick(bool checked) {
    ctx_.settings.AllowCasEdit = checked;
    if (!checked)
        return;
    const Answer a = ctx_.dialogs().question(
        "Wenn Sie Ihre Cassettenbasisdaten manuell verändern, \r\nkann das gesamte Datenbanksystem "
        "zusammenbrechen.\r\nWollen Sie diese Freischaltung der Datenbearbeitung wirklich?"_cp,
        Buttons::YesNo, BoxKind::Confirmation);
    if (a != Answer::Yes) {
        const QSignalBlocker block(AllowCasEditCheckBox);
        AllowCasEditCheckBox->setChecked(false);
        ctx_.settings.AllowCasEdit = false;
    }
}

void TOptionenForm::OverrideClick(bool checked) {
    if (checked)
        ctx_.dialogs().information(
            "Sie können hier die Auswahl der Speichermedien deaktivieren,\r\nso dass auch ungültige "
            "Speichermedien mit angezeigt werden.\r\nDeaktivieren Sie diesen Schalter, um die Auswahl wieder "
            "zu aktivieren!"_cp);
}

void TOptionenForm::Cols2ShowClickCheck(QListWidgetItem* item) {
    changed_ = true;
    for (int i = 0; i < CheckListBoxCols2Show->count(); ++i)
        if (i != ColTitle && CheckListBoxCols2Show->item(i)->checkState() == Qt::Checked)
            return;
    {
        const QSignalBlocker block(CheckListBoxCols2Show);
        item->setCheckState(Qt::Checked);
    }
    ctx_.dialogs().error("Achtung: Es müssen mindestens 2 Spalten aktiviert sein!"_cp);
}

void TOptionenForm::TempDirButtonClick() {
    const QString chosen = chooseFolder(this, PathText(ctx_.settings.TempDir));
    if (chosen.isEmpty())
        return;
    std::string folder = PathBytes(chosen);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    ctx_.settings.TempDir = folder;
    TempDirLabel->setText(PathText(folder));
}

void TOptionenForm::selectHeaderRow(int row) {
    if (row < 0 || row >= ListBoxCellArrayInformation->count())
        return;
    for (QListWidget* list : {ListBoxCellArrayInformation, ListBoxCellArrayHeader, ListBoxFilmEditorEntry}) {
        const QSignalBlocker block(list);
        list->setCurrentRow(row);
    }
    QListWidget* shown =
        HeaderPageControl->currentIndex() == 0 ? ListBoxCellArrayHeader : ListBoxFilmEditorEntry;
    EditHeader->setText(shown->item(row)->text());
}

void TOptionenForm::HeaderPageChange() {
    EditHeaderLabel->setText(HeaderPageControl->currentIndex() == 0 ? QStringLiteral("Header")
                                                                    : QStringLiteral("Film-Editor"));
    selectHeaderRow(ListBoxCellArrayInformation->currentRow());
}

void TOptionenForm::EditHeaderChange(const QString& text) {
    QListWidget* shown =
        HeaderPageControl->currentIndex() == 0 ? ListBoxCellArrayHeader : ListBoxFilmEditorEntry;
    if (QListWidgetItem* item = shown->currentItem())
        item->setText(text);
}

bool TOptionenForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FreischaltenLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        CheckBoxActiveCasRestore->toggle();
        CheckBoxActiveCasRestore->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOptionenForm::OKBitBtnClick() {
    ctx_.trace.TraceLine("Ktk_opt: OKBitBtnClick [ENTRY]");
    Settings& s = ctx_.settings;
    ColArrange& ca = ctx_.colArrange;

    // An empty field keeps the sort length; one outside the two digits' sensible range is refused
    // before anything is applied.
    const QString digits = SortLengthMaskEdit->text().remove(QLatin1Char(' '));
    int sortLength = s.SortLength;
    if (!digits.isEmpty() && SortLengthMaskEdit->text() != shownSortLength_) {
        sortLength = digits.toInt();
        if (sortLength < 1 || sortLength > 99) {
            ctx_.dialogs().error("Die Sortierlänge muss zwischen 1 und 99 Zeichen liegen."_cp);
            PageControl1->setCurrentIndex(0);
            SortLengthMaskEdit->setFocus();
            ctx_.trace.TraceLine("Ktk_opt: OKBitBtnClick [EXIT] sort length refused");
            return;
        }
    }

    s.SaveDir = DirectoryCheckBox->isChecked();
    s.OpenFileAtStart = OpenFile_CheckBox->isChecked();
    s.SortLength = static_cast<uint8_t>(sortLength);
    s.SaveOption = SaveToIniCheckBox->isChecked();
    s.CreateBakOnFOpen = BkOnFOpenCheckBox->isChecked();
    s.MinimizeTarget = static_cast<uint8_t>(std::max(0, MinimizeRadioGroup->ItemIndex()));
    s.MinimizeConfirm = !MinimizeCheckBox->isChecked();
    s.MarkFilmList = CheckBox_BoldFixedRowColFilmStringGrid->isChecked();
    s.AllowCasRestore = CheckBoxActiveCasRestore->isChecked();
    s.ShowAllMsg = CheckBoxShowAllMsg->isChecked();
    s.CenterFilmTitel = CheckBoxCenterFilmTitel->isChecked();
    s.SuggestPosOnCas = static_cast<uint8_t>(std::max(0, RadioGroupSuggestPosOnCas->ItemIndex()));

    const bool override = CheckBoxOverrideSpMediumsAnzeige->isChecked();
    const auto casSubSort = static_cast<uint8_t>(std::max(0, RadioGroupCasSubSortBy->ItemIndex()));
    if (override != s.OverrideStorageTypeShow || casSubSort != s.CasSubSort)
        changed_ = true;
    s.OverrideStorageTypeShow = override;
    s.CasSubSort = casSubSort;

    s.ShowFirstPicAutomatically = CheckBoxShowFirstPicAutomatically->isChecked();

    for (int row = 0; row < CheckListBoxCols2Show->count(); ++row) {
        const std::string name = ToCp(CheckListBoxCols2Show->item(row)->text());
        for (int i = 0; i < ColCount; ++i)
            if (ca[i].LongName == name)
                ca[i].Show = CheckListBoxCols2Show->item(row)->checkState() == Qt::Checked;
    }
    ca[ColTitle].Show = true;

    for (int i = 0; i < ColCount; ++i) {
        TColArEntry& e = ca[i];
        for (int row = 0; row < ListBoxCellArrayInformation->count(); ++row) {
            if (ToCp(ListBoxCellArrayInformation->item(row)->text()) != e.LongName)
                continue;
            e.Header = ToCp(ListBoxCellArrayHeader->item(row)->text());
            e.EditLabel = ToCp(ListBoxFilmEditorEntry->item(row)->text());
        }
        if (!e.Show)
            e.Pos = -1;
        else if (e.Pos == -1)
            e.Pos = MaxColArrangePos(ca) + 1;
    }
    Check_ColArrangePos(ca);

    s.PicSizeOption = std::max(0, RadioGroupPicSizeOptions->ItemIndex());
    s.PicAutoShowOption = std::max(0, RadioGroupPicAutoShowOptions->ItemIndex());
    ctx_.trace.TraceLine(std::string("Ktk_opt: OKBitBtnClick [EXIT] changed=") + (changed_ ? "1" : "0"));
    accept();
}

} // namespace kt
