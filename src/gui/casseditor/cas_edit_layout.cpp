#include "casseditor/cas_edit_dlg.h"

#include "casseditor/cas_grid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kt {

namespace {

constexpr int DefaultColWidth = 64;
const char* const TotalItems[] = {"300", "260", "240", "180", "120", " 90", " 60"};

// Up to three characters; anything typed that is not a digit becomes a blank.
class LengthValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& ch : input)
            if (!ch.isDigit())
                ch = QLatin1Char(' ');
        return input.size() <= 3 ? Acceptable : Invalid;
    }
};

} // namespace

void TCasEditDlg::BuildControls() {
    setObjectName(QStringLiteral("CasEditDlg"));
    setWindowTitle(QStringLiteral("Verwaltung der Videocassetten"));

    model_ = new CasGridModel(this);
    grid_ = new CasGridView;
    grid_->setObjectName(QStringLiteral("CasEditDlgStringGrid"));
    grid_->setToolTip(QStringLiteral("Liste aller Cassetten und Einträge auf den Cassette"));
    grid_->setModel(model_);
    grid_->horizontalHeader()->setDefaultSectionSize(DefaultColWidth);
    const int lpWidth = grid_->horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("LP")) + 3 +
                        2 * grid_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid_);
    grid_->setColumnWidth(1, lpWidth);
    for (int col = CasGridModel::FirstPosCol; col <= CasGridModel::LastPosCol; ++col)
        grid_->setColumnWidth(col, 3 * DefaultColWidth + 1);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur) {
                if (cur.isValid())
                    CurrentCellChanged(cur.column(), cur.row() + 1);
            });
    connect(grid_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& at) { CasEditDlgStringGridDblClick(at.column(), at.row() + 1); });
    connect(grid_, &CasGridView::rightClicked, this,
            [this](const QModelIndex& at) { CasEditDlgStringGridRightClick(at.column(), at.row() + 1); });
    // While a cassette is being created the list keeps showing it, however it is scrolled.
    const auto keepNewRow = [this](int) {
        if (!listLockedForNew_ || reselecting_ || model_->Rows() == 0)
            return;
        reselecting_ = true;
        grid_->selectionModel()->setCurrentIndex(model_->index(model_->Rows() - 1, 1),
                                                 QItemSelectionModel::ClearAndSelect);
        reselecting_ = false;
    };
    connect(grid_->verticalScrollBar(), &QAbstractSlider::valueChanged, this, keepNewRow);
    connect(grid_->horizontalScrollBar(), &QAbstractSlider::valueChanged, this, keepNewRow);

    listGroup_ = new QGroupBox(QStringLiteral(" &Videocassettenliste "));
    listGroup_->setObjectName(QStringLiteral("CasListGroupBox"));
    auto* listLayout = new QVBoxLayout(listGroup_);
    listLayout->addWidget(grid_);

    // The editor fields.
    editGroup_ = new QGroupBox(QStringLiteral(" Cassetten-Editor "));
    editGroup_->setObjectName(QStringLiteral("CasEditGroupBox"));
    casNrEdit_ = new QLineEdit;
    casNrEdit_->setObjectName(QStringLiteral("CasNrMaskEdit"));
    casNrEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), casNrEdit_));
    totalBox_ = new QComboBox;
    totalBox_->setObjectName(QStringLiteral("TotalLengthComboBox"));
    for (const char* item : TotalItems)
        totalBox_->addItem(QString::fromLatin1(item));
    totalBox_->installEventFilter(this);
    longplayBox_ = new QCheckBox(QStringLiteral("Long-&Play Cassette"));
    longplayBox_->setObjectName(QStringLiteral("CheckBoxLongplay"));
    restEdit_ = new QLineEdit;
    restEdit_->setObjectName(QStringLiteral("RestLengthMaskEdit"));
    restEdit_->setToolTip(QStringLiteral("Verbleibende freie bzw. Restlänge der Cassette in Minuten"));
    restEdit_->setValidator(new LengthValidator(restEdit_));
    restEdit_->installEventFilter(this);
    gapEdit_ = new QLineEdit;
    gapEdit_->setObjectName(QStringLiteral("GapLengthMaskEdit"));
    gapEdit_->setToolTip(QStringLiteral(
        "Länge des größten durch das Löschen eines Films entstandene \"Loch\" auf der Cassette in Minuten"));
    gapEdit_->setValidator(new LengthValidator(gapEdit_));
    gapEdit_->installEventFilter(this);
    for (QLineEdit* e : {casNrEdit_, restEdit_, gapEdit_})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    totalBox_->setFixedWidth(casNrEdit_->width() + 24);
    delCasBtn_ = new QPushButton(QStringLiteral("&Cassette löschen"));
    delCasBtn_->setObjectName(QStringLiteral("BitBtnDelCas"));
    newCasBtn_ = new QPushButton(QStringLiteral("ne&ue Cassette anlegen"));
    newCasBtn_->setObjectName(QStringLiteral("BitBtnNewCassette"));
    for (QPushButton* b : {delCasBtn_, newCasBtn_})
        b->setAutoDefault(false);

    auto* form = new QGridLayout(editGroup_);
    const auto addRow = [form](int row, const QString& text, QWidget* field) {
        auto* label = new QLabel(text);
        label->setBuddy(field);
        form->addWidget(label, row, 0);
        form->addWidget(field, row, 1, Qt::AlignLeft);
    };
    addRow(0, QStringLiteral("&Cassettennummer: "), casNrEdit_);
    addRow(1, QStringLiteral("&Gesamtlänge der Cassette: "), totalBox_);
    form->addWidget(longplayBox_, 2, 1);
    addRow(3, QStringLiteral("&Restlänge der Cassette: "), restEdit_);
    addRow(4, QStringLiteral("\"&Lochlänge\" auf der Cassette: "), gapEdit_);
    auto* casButtons = new QHBoxLayout;
    casButtons->addWidget(delCasBtn_);
    casButtons->addWidget(newCasBtn_);
    form->addLayout(casButtons, 5, 0, 1, 2);

    // The sort choice.
    sortGroup_ = new QGroupBox(QStringLiteral(" Sortieren nach der "));
    sortGroup_->setObjectName(QStringLiteral("CasSortRadioGroup"));
    sortButtons_ = new QButtonGroup(this);
    auto* sortLayout = new QVBoxLayout(sortGroup_);
    const QString sortItems[] = {
        QStringLiteral("Cassetten&nummer"), QStringLiteral("Gesa&mtlänge der Cassette"),
        QStringLiteral("Restlän&ge der Cassette"), QStringLiteral("\"L&ochlänge\" der Cassette")};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(sortItems[i]);
        b->setObjectName(QStringLiteral("CasSortRadioGroupItem%1").arg(i));
        sortButtons_->addButton(b, i);
        sortLayout->addWidget(b);
    }

    // The move group.
    moveGroup_ = new QGroupBox(QStringLiteral(" Film verschieben "));
    moveGroup_->setObjectName(QStringLiteral("MoveFilmGroupBox"));
    moveNameLabel_ = new QLabel;
    moveNameLabel_->setObjectName(QStringLiteral("MoveFilmNameLabel"));
    moveNameLabel_->setMinimumWidth(200);
    srcBox_ = new QCheckBox;
    srcBox_->setObjectName(QStringLiteral("SrcFilmCheckBox"));
    tgtBox_ = new QCheckBox;
    tgtBox_->setObjectName(QStringLiteral("TgtFilmCheckBox"));
    moveBtn_ = new QPushButton(QStringLiteral("&Tabellen aktualisieren"));
    moveBtn_->setObjectName(QStringLiteral("MoveFilmOKtBtn"));
    moveBtn_->setAutoDefault(false);
    auto* moveLayout = new QVBoxLayout(moveGroup_);
    moveLayout->addWidget(moveNameLabel_);
    moveLayout->addWidget(srcBox_);
    moveLayout->addWidget(tgtBox_);
    moveLayout->addWidget(moveBtn_, 0, Qt::AlignRight);

    helpBtn_ = new QPushButton(QStringLiteral("&Hilfe"));
    helpBtn_->setObjectName(QStringLiteral("HelpBitBtn"));
    helpBtn_->setAutoDefault(false);
    cancelBtn_ = new QPushButton(QStringLiteral("&Abbruch"));
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn_->setToolTip(QStringLiteral("Änderungen in der Cassettenliste ins Programm NICHT übernehmen"));
    cancelBtn_->setAutoDefault(false);
    okBtn_ = new QPushButton(QStringLiteral("&OK"));
    okBtn_->setObjectName(QStringLiteral("OkBtn"));
    okBtn_->setToolTip(QStringLiteral("Änderungen in der Cassettenliste ins Programm übernehmen"));
    okBtn_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpBtn_);
    buttons->addStretch();
    buttons->addWidget(cancelBtn_);
    buttons->addWidget(okBtn_);

    auto* right = new QVBoxLayout;
    right->addWidget(editGroup_);
    right->addWidget(sortGroup_);
    right->addWidget(moveGroup_);
    right->addStretch();
    right->addLayout(buttons);
    auto* main = new QHBoxLayout(this);
    main->addWidget(listGroup_, 1);
    main->addLayout(right);
    resize(1020, 600);

    connect(okBtn_, &QPushButton::clicked, this, &TCasEditDlg::OkBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &TCasEditDlg::CancelBtnClick);
    connect(helpBtn_, &QPushButton::clicked, this,
            [this] { emit helpRequested(QApplication::focusWidget()); });
    connect(newCasBtn_, &QPushButton::clicked, this, &TCasEditDlg::BitBtnNewCassetteClick);
    connect(delCasBtn_, &QPushButton::clicked, this, &TCasEditDlg::BitBtnDelCasClick);
    connect(sortButtons_, &QButtonGroup::idClicked, this, &TCasEditDlg::CasSortRadioGroupClick);
    connect(totalBox_, &QComboBox::activated, this, &TCasEditDlg::TotalLengthComboBoxChange);
    connect(longplayBox_, &QCheckBox::clicked, this, &TCasEditDlg::TotalLengthComboBoxChange);
    connect(restEdit_, &QLineEdit::textChanged, this, [this] { LengthFieldChanged(true); });
    connect(gapEdit_, &QLineEdit::textChanged, this, [this] { LengthFieldChanged(false); });
    connect(srcBox_, &QCheckBox::clicked, this, &TCasEditDlg::SrcFilmCheckBoxClick);
    connect(tgtBox_, &QCheckBox::clicked, this, &TCasEditDlg::TgtFilmCheckBoxClick);
    connect(moveBtn_, &QPushButton::clicked, this, &TCasEditDlg::MoveFilmOKtBtnClick);
}

} // namespace kt
