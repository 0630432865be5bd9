#include "filmeditor/film_editor_dialog.h"

#include "app_context.h"
#include "catalogue/value_texts.h"
#include "filmeditor/cassette_chooser.h"
#include "filmeditor/field_checks.h"
#include "help/help_window.h"
#include "pictures/pic_image.h"
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

namespace {

QString Amp(const std::string& cp) {
    return FromCp(cp).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QLabel* Label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLineEdit* DigitEdit(QWidget* parent, const char* name, int digits) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(digits);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 14);
    return e;
}

QComboBox* EditableCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // Completion follows the dialog's own rules, not Qt's.
    c->setCompleter(nullptr);
    return c;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QLatin1String(name));
    m->setTabChangesFocus(true);
    return m;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

TRadioGroup* Radio(QWidget* parent, const char* name, const QString& title, const QStringList& items,
                   int columns = 1) {
    auto* r = new TRadioGroup(title, items, columns, parent);
    r->setObjectName(QLatin1String(name));
    return r;
}

} // namespace

void TFilmEigenschaftenDlg::buildTop() {
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(8);
    FilmNameLabel1 = Label(this, "FilmNameLabel1");
    ComboBoxFilmName = EditableCombo(this, "ComboBoxFilmName");
    ComboBoxFilmName->setMaxVisibleItems(20);
    // With thousands of titles the box must not measure every item.
    ComboBoxFilmName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxFilmName->setMinimumContentsLength(40);
    if (auto* view = qobject_cast<QListView*>(ComboBoxFilmName->view()))
        view->setUniformItemSizes(true);
    FilmNameLabel1->setBuddy(ComboBoxFilmName);
    Label9 = Label(this, "Label9");
    ComboBoxSpeichermedium = EditableCombo(this, "ComboBoxSpeichermedium");
    ComboBoxSpeichermedium->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxSpeichermedium->setMinimumContentsLength(18);
    Label9->setBuddy(ComboBoxSpeichermedium);
    Label15 = Label(this, "Label15");
    top->addWidget(FilmNameLabel1, 0, 0);
    top->addWidget(ComboBoxFilmName, 0, 1, 1, 2);
    top->addWidget(Label9, 1, 0);
    top->addWidget(ComboBoxSpeichermedium, 1, 1);
    top->setColumnStretch(2, 1);
    mainLayout_->addLayout(top);
}

void TFilmEigenschaftenDlg::buildVideoPage() {
    TabSheetCassette = new QWidget;
    TabSheetCassette->setObjectName(QStringLiteral("TabSheetCassette"));
    PageControl1->addTab(TabSheetCassette, QStringLiteral("&Video-Daten"));
    auto* page = new QGridLayout(TabSheetCassette);
    page->setContentsMargins(10, 10, 10, 10);
    page->setHorizontalSpacing(12);

    GroupBoxCassette = Group(TabSheetCassette, "GroupBoxCassette", QString());
    auto* g = new QGridLayout(GroupBoxCassette);
    cassetteLayout_ = g;
    g->setHorizontalSpacing(6);
    FilmLength1 = Label(GroupBoxCassette, "FilmLength1");
    FilmLengthMaskEdit = DigitEdit(GroupBoxCassette, "FilmLengthMaskEdit", 3);
    FilmLengthMaskEdit->setToolTip(QStringLiteral("Länge des Films in Minuten"));
    FilmLength1->setBuddy(FilmLengthMaskEdit);
    LabelMinInsgesamt = Label(GroupBoxCassette, "LabelMinInsgesamt");
    NettoLengthMaskEdit = DigitEdit(GroupBoxCassette, "NettoLengthMaskEdit", 3);
    LabelMinNetto = Label(GroupBoxCassette, "LabelMinNetto");
    auto* lengths = new QHBoxLayout;
    lengths->setSpacing(4);
    lengths->addWidget(FilmLengthMaskEdit);
    lengths->addWidget(LabelMinInsgesamt);
    lengths->addWidget(NettoLengthMaskEdit);
    lengths->addWidget(LabelMinNetto);
    lengths->addStretch(1);
    WerbungCheckBox = new QCheckBox(GroupBoxCassette);
    WerbungCheckBox->setObjectName(QStringLiteral("WerbungCheckBox"));

    Label2 = Label(GroupBoxCassette, "Label2");
    CasNrMaskEdit = DigitEdit(GroupBoxCassette, "CasNrMaskEdit", 4);
    Label2->setBuddy(CasNrMaskEdit);
    CasNrBtn = new QPushButton(QStringLiteral("&Cassette auswählen"), GroupBoxCassette);
    CasNrBtn->setObjectName(QStringLiteral("CasNrBtn"));
    auto* number = new QHBoxLayout;
    numberRow_ = number;
    number->setSpacing(6);
    number->addWidget(CasNrMaskEdit);
    number->addWidget(CasNrBtn);
    Label15->setParent(GroupBoxCassette);
    number->addWidget(Label15);
    number->addStretch(1);

    LabelPosOnCas = Label(GroupBoxCassette, "LabelPosOnCas");
    PosOnCasMaskEdit = DigitEdit(GroupBoxCassette, "PosOnCasMaskEdit", 3);
    LabelPosOnCas->setBuddy(PosOnCasMaskEdit);
    PosOnCasBtn = new QPushButton(QStringLiteral("&Position auf Cassette auswählen"), GroupBoxCassette);
    PosOnCasBtn->setObjectName(QStringLiteral("PosOnCasBtn"));
    auto* position = new QHBoxLayout;
    position->setSpacing(6);
    position->addWidget(PosOnCasMaskEdit);
    position->addWidget(PosOnCasBtn);
    position->addStretch(1);

    AufzdatumLabel = Label(GroupBoxCassette, "AufzdatumLabel");
    AufzeichnungsDateTimePicker = new QDateEdit(GroupBoxCassette);
    AufzeichnungsDateTimePicker->setObjectName(QStringLiteral("AufzeichnungsDateTimePicker"));
    AufzeichnungsDateTimePicker->setCalendarPopup(true);
    AufzeichnungsDateTimePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // The day before the first real date stands for "no date" and shows as an empty field.
    AufzeichnungsDateTimePicker->setDateRange(EmptyDate(), QDate(9999, 12, 31));
    AufzeichnungsDateTimePicker->setSpecialValueText(QStringLiteral(" "));
    AufzeichnungsDateTimePicker->calendarWidget()->installEventFilter(this);
    AufzdatumLabel->setBuddy(AufzeichnungsDateTimePicker);
    LabelAnzDVDs = Label(GroupBoxCassette, "LabelAnzDVDs");
    ComboBoxAnzDVDs = EditableCombo(GroupBoxCassette, "ComboBoxAnzDVDs");
    for (int i = 1; i <= 10; ++i)
        ComboBoxAnzDVDs->addItem(QString::number(i));
    ComboBoxAnzDVDs->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), ComboBoxAnzDVDs));
    ComboBoxAnzDVDs->setFixedWidth(CasNrMaskEdit->width() + 28);
    LabelAnzDVDs->setBuddy(ComboBoxAnzDVDs);

    g->addWidget(FilmLength1, 0, 0);
    g->addLayout(lengths, 0, 1);
    g->addWidget(WerbungCheckBox, 1, 1);
    g->addWidget(Label2, 2, 0);
    g->addLayout(number, 2, 1);
    g->addWidget(LabelPosOnCas, 3, 0);
    g->addLayout(position, 3, 1);
    g->addWidget(AufzdatumLabel, 4, 0);
    g->addWidget(AufzeichnungsDateTimePicker, 4, 1, Qt::AlignLeft);
    g->addWidget(LabelAnzDVDs, 5, 0);
    g->addWidget(ComboBoxAnzDVDs, 5, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);
    g->setRowStretch(6, 1);

    KarteRadioGroup = Radio(TabSheetCassette, "KarteRadioGroup", QStringLiteral(" Katalog-Karte "),
                            {QStringLiteral("Karte vorhanden"), QStringLiteral("Karte nicht vorhanden"),
                             QStringLiteral("Karte nicht geprüft")},
                            3);

    GroupBoxVerleihstatus =
        Group(TabSheetCassette, "GroupBoxVerleihstatus", QStringLiteral(" Verleihstatus "));
    auto* lend = new QVBoxLayout(GroupBoxVerleihstatus);
    RadioGroupVerleihstatus = Radio(GroupBoxVerleihstatus, "RadioGroupVerleihstatus", QString(),
                                    {QStringLiteral("&verliehen an"), QStringLiteral("&nicht verliehen")}, 2);
    RadioGroupVerleihstatus->setFlat(true);
    ComboBoxVerliehenAn = EditableCombo(GroupBoxVerleihstatus, "ComboBoxVerliehenAn");
    LabelAnschrift = Label(GroupBoxVerleihstatus, "LabelAnschrift", QStringLiteral("Ans&chrift:"));
    MemoAnschrift = Memo(GroupBoxVerleihstatus, "MemoAnschrift");
    LabelAnschrift->setBuddy(MemoAnschrift);
    MemoAnschrift->setFixedHeight(MemoAnschrift->fontMetrics().lineSpacing() * 5 + 14);
    lend->addWidget(RadioGroupVerleihstatus);
    lend->addWidget(ComboBoxVerliehenAn);
    lend->addWidget(LabelAnschrift);
    lend->addWidget(MemoAnschrift);
    lend->addStretch(1);

    GroupBoxSprachen = Group(TabSheetCassette, "GroupBoxSprachen", QString());
    auto* lang = new QVBoxLayout(GroupBoxSprachen);
    CheckListBoxSprache = new QListWidget(GroupBoxSprachen);
    CheckListBoxSprache->setObjectName(QStringLiteral("CheckListBoxSprache"));
    // Six columns of languages side by side keep the list to three lines.
    CheckListBoxSprache->setFlow(QListView::LeftToRight);
    CheckListBoxSprache->setWrapping(true);
    CheckListBoxSprache->setResizeMode(QListView::Adjust);
    int widest = 0;
    for (const std::string& name : LanguageNames()) {
        auto* item = new QListWidgetItem(FromCp(name), CheckListBoxSprache);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        widest = std::max(widest, CheckListBoxSprache->fontMetrics().horizontalAdvance(item->text()));
    }
    const int line = CheckListBoxSprache->fontMetrics().height() + 6;
    CheckListBoxSprache->setGridSize(QSize(widest + 44, line));
    CheckListBoxSprache->setMinimumWidth(6 * (widest + 44) + 24);
    CheckListBoxSprache->setFixedHeight(3 * line + 10);
    lang->addWidget(CheckListBoxSprache);

    page->addWidget(GroupBoxCassette, 0, 0);
    page->addWidget(KarteRadioGroup, 1, 0);
    page->addWidget(GroupBoxVerleihstatus, 0, 1, 2, 1);
    page->addWidget(GroupBoxSprachen, 2, 0, 1, 2);
    page->setRowStretch(3, 1);
    page->setColumnStretch(0, 3);
    page->setColumnStretch(1, 2);
}

void TFilmEigenschaftenDlg::buildFilmPage() {
    TabSheetFilm = new QWidget;
    TabSheetFilm->setObjectName(QStringLiteral("TabSheetFilm"));
    PageControl1->addTab(TabSheetFilm, QStringLiteral("Informationen zum &Film"));
    auto* page = new QGridLayout(TabSheetFilm);
    page->setContentsMargins(10, 10, 10, 10);
    page->setHorizontalSpacing(12);

    auto* left = new QGridLayout;
    left->setVerticalSpacing(6);
    left->setHorizontalSpacing(8);
    DirectorLabel = Label(TabSheetFilm, "DirectorLabel");
    DirectorEdit = new QLineEdit(TabSheetFilm);
    DirectorEdit->setObjectName(QStringLiteral("DirectorEdit"));
    DirectorLabel->setBuddy(DirectorEdit);
    CountryLabel = Label(TabSheetFilm, "CountryLabel");
    CountryEdit = new QLineEdit(TabSheetFilm);
    CountryEdit->setObjectName(QStringLiteral("CountryEdit"));
    CountryEdit->setToolTip(QStringLiteral("Vier-Buchstaben-Kürzel für das Herstellungsland des Films"));
    CountryEdit->setFixedWidth(CountryEdit->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWW")) + 14);
    CountryLabel->setBuddy(CountryEdit);
    YearLabel = Label(TabSheetFilm, "YearLabel");
    JahrMaskEdit = DigitEdit(TabSheetFilm, "JahrMaskEdit", 4);
    YearLabel->setBuddy(JahrMaskEdit);
    ZweikanaltonCheckBox = new QCheckBox(QStringLiteral("&Zweikanalton vorh."), TabSheetFilm);
    ZweikanaltonCheckBox->setObjectName(QStringLiteral("ZweikanaltonCheckBox"));
    Label8 = Label(TabSheetFilm, "Label8");
    ComboBoxKategorie = EditableCombo(TabSheetFilm, "ComboBoxKategorie");
    ComboBoxKategorie->setMaxVisibleItems(20);
    Label8->setBuddy(ComboBoxKategorie);
    QStringList ratings;
    for (const std::string& r : ctx_.collection.RatingTexts)
        ratings << Amp(r);
    BewertungRadioGroup = Radio(TabSheetFilm, "BewertungRadioGroup", QString(), ratings, 2);
    GroupBoxFSK = Group(TabSheetFilm, "GroupBoxFSK", QString());
    auto* fsk = new QVBoxLayout(GroupBoxFSK);
    ComboBoxFSK = new QComboBox(GroupBoxFSK);
    ComboBoxFSK->setObjectName(QStringLiteral("ComboBoxFSK"));
    ComboBoxFSK->addItem(QStringLiteral("nicht eingegeben"));
    for (const std::string& f : FskNames())
        ComboBoxFSK->addItem(FromCp(f));
    fsk->addWidget(ComboBoxFSK);

    left->addWidget(Label8, 0, 0);
    left->addWidget(ComboBoxKategorie, 0, 1);
    left->addWidget(DirectorLabel, 1, 0);
    left->addWidget(DirectorEdit, 1, 1);
    left->addWidget(CountryLabel, 2, 0);
    left->addWidget(CountryEdit, 2, 1, Qt::AlignLeft);
    left->addWidget(YearLabel, 3, 0);
    left->addWidget(JahrMaskEdit, 3, 1, Qt::AlignLeft);
    left->addWidget(ZweikanaltonCheckBox, 4, 1);
    left->addWidget(BewertungRadioGroup, 5, 0, 1, 2);
    left->addWidget(GroupBoxFSK, 6, 0, 1, 2);
    left->setRowStretch(7, 1);
    left->setColumnStretch(1, 1);

    auto* right = new QVBoxLayout;
    GroupBoxInhalt = Group(TabSheetFilm, "GroupBoxInhalt", QString());
    auto* content = new QVBoxLayout(GroupBoxInhalt);
    InhaltMemo = Memo(GroupBoxInhalt, "InhaltMemo");
    content->addWidget(InhaltMemo);
    StarsLabel = Label(TabSheetFilm, "StarsLabel");
    MemoStars = Memo(TabSheetFilm, "MemoStars");
    MemoStars->setFixedHeight(MemoStars->fontMetrics().lineSpacing() * 3 + 12);
    StarsLabel->setBuddy(MemoStars);
    GroupBoxBemerkung = Group(TabSheetFilm, "GroupBoxBemerkung", QString());
    auto* remark = new QVBoxLayout(GroupBoxBemerkung);
    BemerkungMemo = Memo(GroupBoxBemerkung, "BemerkungMemo");
    remark->addWidget(BemerkungMemo);
    right->addWidget(GroupBoxInhalt, 3);
    right->addWidget(StarsLabel);
    right->addWidget(MemoStars);
    right->addWidget(GroupBoxBemerkung, 2);

    page->addLayout(left, 0, 0);
    page->addLayout(right, 0, 1);
    page->setColumnStretch(0, 2);
    page->setColumnStretch(1, 3);
}

void TFilmEigenschaftenDlg::buildTechnicalPage() {
    TabSheetTechnischeDaten = new QWidget;
    TabSheetTechnischeDaten->setObjectName(QStringLiteral("TabSheetTechnischeDaten"));
    PageControl1->addTab(TabSheetTechnischeDaten, QStringLiteral("&Technische Daten"));
    auto* page = new QHBoxLayout(TabSheetTechnischeDaten);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(12);
    // Accelerators are unique within each group.
    const QStringList sound = {
        QStringLiteral("&nicht eingegeben"),
        QStringLiteral("&Mono"),
        QStringLiteral("&PCM/LPCM"),
        QStringLiteral("Ste&reo"),
        QStringLiteral("Dolby Surr&ound-ProLogic"),
        QStringLiteral("Dolby Di&gital (AC-3)"),
        QStringLiteral("Dolby Digital E&X"),
        QStringLiteral("DT&S"),
        QStringLiteral("&DTS-ES"),
        QStringLiteral("T&HX"),
    };
    const QStringList picture = {
        QStringLiteral("&nicht eingegeben"),    QStringLiteral(" 4:3 (Fernseh&bild)"),
        QStringLiteral(" 4:3 (&anamorphic)"),   QStringLiteral(" 4:3 (&LB=Letterbox)"),
        QStringLiteral(" 4:3 (&PS=Pan&&Scan)"), QStringLiteral("1&4:9"),
        QStringLiteral("1&6:9 (Breitbild)"),
    };
    QStringList region;
    const auto& regions = DvdRegionNames();
    for (std::size_t i = 0; i < regions.size(); ++i)
        region << (i == 0 ? QStringLiteral("&nicht eingegeben") : QLatin1Char('&') + Amp(regions[i]));
    RadioGroupBildformat = Radio(TabSheetTechnischeDaten, "RadioGroupBildformat", QString(), picture);
    RadioGroupTon = Radio(TabSheetTechnischeDaten, "RadioGroupTon", QString(), sound);
    RadioGroupDVD_RegCode = Radio(TabSheetTechnischeDaten, "RadioGroupDVD_RegCode", QString(), region);
    page->addWidget(RadioGroupBildformat, 2, Qt::AlignTop);
    page->addWidget(RadioGroupTon, 2, Qt::AlignTop);
    page->addWidget(RadioGroupDVD_RegCode, 4, Qt::AlignTop);
}

void TFilmEigenschaftenDlg::buildPicturesPage() {
    TabSheetPictures = new QWidget;
    TabSheetPictures->setObjectName(QStringLiteral("TabSheetPictures"));
    PageControl1->addTab(TabSheetPictures, QStringLiteral("&Bilder"));
    auto* page = new QHBoxLayout(TabSheetPictures);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(12);

    PageControl2 = new QTabWidget(TabSheetPictures);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    for (int i = 0; i < MaxPics; ++i) {
        const auto n = static_cast<std::size_t>(i);
        auto* sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheetPicture%1").arg(i + 1));
        auto* v = new QVBoxLayout(sheet);
        ScrollBox[n] = new QScrollArea(sheet);
        ScrollBox[n]->setObjectName(QStringLiteral("ScrollBox%1").arg(i + 1));
        Image[n] = new TPicImage;
        Image[n]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        Image[n]->setToolTip(QStringLiteral("Doppelklick öffnet großes Fenster"));
        Image[n]->hide();
        ScrollBox[n]->setWidget(Image[n]);
        ScrollBox[n]->installEventFilter(this);
        connect(Image[n], &TPicImage::doubleClicked, this, &TFilmEigenschaftenDlg::ImageDblClick);
        EditBildTitel[n] = new QLineEdit(sheet);
        EditBildTitel[n]->setObjectName(QStringLiteral("EditBildTitel%1").arg(i + 1));
        v->addWidget(ScrollBox[n], 1);
        v->addWidget(EditBildTitel[n]);
        connect(EditBildTitel[n], &QLineEdit::textEdited, this, [this] { TitlesChanged = true; });
        TabSheetPicture[n] = sheet;
        PageControl2->addTab(sheet,
                             i < 9 ? QStringLiteral("Bild &%1").arg(i + 1) : QStringLiteral("Bild 1&0"));
    }

    auto* side = new QVBoxLayout;
    LabelPicSize = Label(TabSheetPictures, "LabelPicSize");
    GroupBoxAuswahl = Group(TabSheetPictures, "GroupBoxAuswahl", QStringLiteral(" Auswahl "));
    auto* choose = new QVBoxLayout(GroupBoxAuswahl);
    ButtonAddPic = new QPushButton(QStringLiteral("Bild &hinzufügen"), GroupBoxAuswahl);
    ButtonAddPic->setObjectName(QStringLiteral("ButtonAddPic"));
    ButtonAddPicAsLink = new QPushButton(QStringLiteral("Bild hinzufügen als &Link"), GroupBoxAuswahl);
    ButtonAddPicAsLink->setObjectName(QStringLiteral("ButtonAddPicAsLink"));
    ButtonDelPic = new QPushButton(QStringLiteral("Bild löschen"), GroupBoxAuswahl);
    ButtonDelPic->setObjectName(QStringLiteral("ButtonDelPic"));
    ButtonSavePic = new QPushButton(QStringLiteral("Bild speichern als"), GroupBoxAuswahl);
    ButtonSavePic->setObjectName(QStringLiteral("ButtonSavePic"));
    RadioGroupSavePicOpt =
        Radio(GroupBoxAuswahl, "RadioGroupSavePicOpt", QStringLiteral(" Bild speichern ... "),
              {QStringLiteral("in Daten-Datei"), QStringLiteral("als Link")});
    RadioGroupSavePicOpt->setToolTip(ScreenText(
        "die Bilddaten können gespeichert werden\r\n1.) in der Kassotek-Datendatei gespeichert;\r\nACHTUNG: "
        "dadurch steigt die Dateigröße drastisch an!\r\n2.) als Verknüpfung/Link auf die Bilddatei; es "
        "werden "
        "also\r\nPfad und Dateiname gespeichert\r\nACHTUNG: das Bild MUSS sich dann an der angegebenen "
        "Stelle "
        "befinden!"_cp));
    for (QPushButton* b : {ButtonAddPic, ButtonAddPicAsLink, ButtonDelPic, ButtonSavePic})
        choose->addWidget(b);
    connect(ButtonAddPic, &QPushButton::clicked, this, [this] { ButtonAddPicClick(false); });
    connect(ButtonAddPicAsLink, &QPushButton::clicked, this, [this] { ButtonAddPicClick(true); });
    connect(ButtonDelPic, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::ButtonDelPicClick);
    connect(ButtonSavePic, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::ButtonSavePicClick);
    connect(RadioGroupSavePicOpt, &TRadioGroup::clicked, this,
            &TFilmEigenschaftenDlg::RadioGroupSavePicOptClick);
    connect(PageControl2, &QTabWidget::currentChanged, this, [this] {
        if (!filling_)
            PageControl2Change();
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (!filling_ && PageControl1->currentWidget() == TabSheetPictures)
            PageControl2Change();
    });
    choose->addWidget(RadioGroupSavePicOpt);
    LabelPicNote =
        Label(TabSheetPictures, "LabelPicNote",
              QStringLiteral("die Darstellung der Bilder kann via Optionen [Bilder] beeinflusst werden!"));
    LabelPicNote->setWordWrap(true);
    side->addWidget(LabelPicSize);
    side->addWidget(GroupBoxAuswahl);
    side->addWidget(LabelPicNote);
    side->addStretch(1);

    page->addWidget(PageControl2, 3);
    page->addLayout(side, 1);
}

void TFilmEigenschaftenDlg::buildButtons() {
    buttonLayout_ = new QGridLayout;
    HelpBitBtn = new QPushButton(QStringLiteral("&Hilfe"), this);
    HelpBitBtn->setObjectName(QStringLiteral("HelpBitBtn"));
    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton),
                            QStringLiteral("&Eintragungen in die Datenbank übernehmen"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                QStringLiteral("&Abbruch, Daten nicht übernehmen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    // Leaving through these buttons does not run the checks of the field that had the focus.
    CancelBtn->setFocusPolicy(Qt::TabFocus);
    HelpBitBtn->setFocusPolicy(Qt::TabFocus);
    for (QPushButton* b : {HelpBitBtn, OKBtn, CancelBtn})
        b->setAutoDefault(false);
    // The last page control is followed by OK, which the Enter walk turns into the next page.
    setTabOrder(CancelBtn, HelpBitBtn);
    auto* right = new QHBoxLayout;
    right->addWidget(OKBtn);
    right->addWidget(CancelBtn);
    buttonLayout_->addWidget(HelpBitBtn, 0, 0, Qt::AlignLeft);
    buttonLayout_->addLayout(right, 0, 2, Qt::AlignRight);
    buttonLayout_->setColumnStretch(0, 1);
    buttonLayout_->setColumnStretch(1, 1);
    buttonLayout_->setColumnStretch(2, 1);
    mainLayout_->addLayout(buttonLayout_);

    connect(OKBtn, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::CancelBtnClick);
    connect(HelpBitBtn, &QPushButton::clicked, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        const int topic = focus && isAncestorOf(focus) ? HelpContextOf(focus) : HelpContextOf(this);
        HelpWindow::Show(topic, this);
    });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, HelpBitBtn, &QPushButton::click);
    connect(CasNrBtn, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::CasNrBtnClick);
    connect(PosOnCasBtn, &QPushButton::clicked, this, &TFilmEigenschaftenDlg::PosOnCasBtnClick);
    connect(WerbungCheckBox, &QCheckBox::clicked, this, &TFilmEigenschaftenDlg::WerbungCheckBoxClick);
    connect(ComboBoxSpeichermedium, &QComboBox::editTextChanged, this, &TFilmEigenschaftenDlg::mediumChanged);
    connect(FilmLengthMaskEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { SuggestFilmLength = FieldNumber(ToCp(text)); });
    connect(RadioGroupVerleihstatus, &TRadioGroup::clicked, this,
            &TFilmEigenschaftenDlg::RadioGroupVerleihstatusClick);
    connect(ComboBoxVerliehenAn, &QComboBox::editTextChanged, this,
            &TFilmEigenschaftenDlg::ComboBoxVerliehenAnChange);
    connect(AufzeichnungsDateTimePicker, &QDateEdit::dateChanged, this, [this] {
        if (filling_)
            return;
        dateTouched_ = true;
        AufzeichnungsDateTimePicker->setPalette(QPalette());
        ctx_.collection.DataSaved = false;
    });
    // A viewer shows the stored check marks whatever is clicked.
    for (QCheckBox* box : {ZweikanaltonCheckBox, WerbungCheckBox})
        connect(box, &QCheckBox::toggled, this, [this, box] {
            if (Bearbeiten != ModeView || filling_)
                return;
            const TFilmV26* f = storedFilm();
            const bool stored = f && (box == WerbungCheckBox ? f->Commercials : f->TwoChannel);
            const QSignalBlocker block(box);
            box->setChecked(stored);
        });
}

void TFilmEigenschaftenDlg::applyCatalogueLabels() {
    const ColArrange& ca = ctx_.colArrange;
    const auto label = [&](int n) { return FromCp(ca[n].EditLabel); };
    FilmNameLabel1->setText(label(ColTitle));
    FilmLength1->setText(label(ColLength));
    Label2->setText(label(ColCasNr));
    LabelPosOnCas->setText(label(ColPos));
    Label8->setText(label(ColCategory));
    DirectorLabel->setText(label(ColDirector));
    CountryLabel->setText(label(ColCountry));
    YearLabel->setText(label(ColYear));
    ZweikanaltonCheckBox->setText(label(ColTwoChannel));
    WerbungCheckBox->setText(label(ColCommercials));
    BewertungRadioGroup->setTitle(label(ColRating));
    KarteRadioGroup->setTitle(label(ColCard));
    StarsLabel->setText(label(ColStars));
    GroupBoxInhalt->setTitle(label(ColContent));
    GroupBoxBemerkung->setTitle(label(ColRemark));
    AufzdatumLabel->setText(label(ColRecDate));
    GroupBoxSprachen->setTitle(label(ColLanguages));
    GroupBoxVerleihstatus->setTitle(label(ColLentTo));
    RadioGroupTon->setTitle(label(ColSound));
    RadioGroupBildformat->setTitle(label(ColPicture));
    GroupBoxFSK->setTitle(label(ColFsk));
    RadioGroupDVD_RegCode->setTitle(label(ColRegion));
    Label9->setText(label(ColStorage));
    LabelAnzDVDs->setText(label(ColDiscs));
    PageControl1->setTabText(PageControl1->indexOf(TabSheetPictures), label(ColPics));
}

void TFilmEigenschaftenDlg::resetControls() {
    FilmNr = 0;
    focusRequest_ = 0;
    PicsChanged = TitlesChanged = RedrawNecessary = NewSpeicherMedium = false;
    SelectedCas = SelectedCasNr = SelectedPos = 0;
    filling_ = true;
    for (int i = 0; i < MaxPics; ++i) {
        PageControl2->setTabVisible(i, false);
        Image[static_cast<std::size_t>(i)]->hide();
        Image[static_cast<std::size_t>(i)]->Tag = 0;
    }
    filling_ = false;
    PicSizes.fill(-1);
    PageControl1->setCurrentIndex(0);
    PageControl2->setCurrentIndex(0);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->clear();
    // A title belongs to a picture: the fields of unused sub-pages take no text.
    for (QLineEdit* e : EditBildTitel)
        e->setEnabled(false);
    for (QPlainTextEdit* m : findChildren<QPlainTextEdit*>())
        m->clear();
    ComboBoxFilmName->setEditText(QString());
    ComboBoxKategorie->setEditText(QString());
    ComboBoxVerliehenAn->setEditText(QString());
    KarteRadioGroup->setItemIndex(2);
    BewertungRadioGroup->setItemIndex(-1);
    RadioGroupTon->setItemIndex(0);
    RadioGroupBildformat->setItemIndex(0);
    RadioGroupDVD_RegCode->setItemIndex(0);
    RadioGroupSavePicOpt->setItemIndex(0);
    ComboBoxFSK->setCurrentIndex(0);
    filling_ = true;
    AufzeichnungsDateTimePicker->setDate(QDate::currentDate());
    filling_ = false;
    ComboBoxAnzDVDs->setEditText(QStringLiteral("1"));
    CheckListBoxSprache->item(0)->setCheckState(Qt::Checked);
    RadioGroupVerleihstatus->setItemIndex(LendNotLent);

    // The media that a storage type can name: at most the first 32.
    const TSpeichermedium& media = ctx_.collection.StorageMediaList;
    for (std::size_t i = 0; i < media.size() && i < MaxStorageMedia; ++i)
        ComboBoxSpeichermedium->addItem(FromCp(media[i].Name));
    ComboBoxSpeichermedium->setCurrentIndex(0);

    // The titles of all films, sorted, for picking a title that exists.
    QStringList titles;
    titles.reserve(ctx_.collection.AnzFilm());
    for (const TFilmV26& f : ctx_.collection.films())
        titles << FromCp(f.FilmName.Strng);
    titles.sort(Qt::CaseInsensitive);
    ComboBoxFilmName->addItems(titles);
    ComboBoxFilmName->setEditText(QString());

    // The borrowers ever entered, for every mode: a new film can be lent at once.
    QStringList lenders;
    for (const std::string& n : ctx_.collection.LenderNames)
        lenders << FromCp(n);
    lenders.sort(Qt::CaseInsensitive);
    ComboBoxVerliehenAn->addItems(lenders);
    ComboBoxVerliehenAn->setEditText(QString());
}

void TFilmEigenschaftenDlg::FillCategoryList() {
    QStringList names;
    for (const TSelectableStr& cat : ctx_.collection.CategoryList)
        names << FromCp(cat.Name);
    names.sort(Qt::CaseInsensitive);
    const QString text = ComboBoxKategorie->currentText();
    ComboBoxKategorie->clear();
    ComboBoxKategorie->addItems(names);
    ComboBoxKategorie->setEditText(text);
}

void TFilmEigenschaftenDlg::PreselectStorageMedium(int32_t lastStorageType) {
    int index = 0;
    for (int i = 0; i < ComboBoxSpeichermedium->count(); ++i)
        if (StorageTypeOfMedium(i) == lastStorageType) {
            index = i;
            break;
        }
    ComboBoxSpeichermedium->setCurrentIndex(index);
    ComboBoxSpeichermedium->setEditText(ComboBoxSpeichermedium->itemText(index));
    mediumChanged();
    PageControl1->setCurrentWidget(TabSheetCassette);
}

} // namespace kt
