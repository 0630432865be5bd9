#include "exchange/txt_import_form.h"

#include "app_context.h"
#include "catalogue/col_arrange.h"
#include "dialogs/message_box.h"
#include "exchange/import_entry.h"
#include "help/help_window.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kt {

using namespace kt::literals;

namespace {

// The editor of a position cell filters its keys through the form.
class PositionDelegate : public QStyledItemDelegate {
public:
    PositionDelegate(QObject* filter, QObject* parent) : QStyledItemDelegate(parent), filter_(filter) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->installEventFilter(filter_);
        return editor;
    }

private:
    QObject* filter_;
};

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high, int value, const QString& hint) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(low, high);
    spin->setValue(std::clamp(value, low, high));
    spin->setToolTip(hint);
    return spin;
}

int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

TForm_TXT_Import::TForm_TXT_Import(AppContext& ctx, bool excelMode, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ctx_(ctx),
      excel_(excelMode) {
    setObjectName(QStringLiteral("Form_TXT_Import"));
    setWindowTitle(QStringLiteral("Kassotek: Import-Filter"));
    setModal(true);
    const Settings& s = ctx_.settings;
    auto* layout = new QVBoxLayout(this);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* general = new QWidget(PageControl1);
    general->setObjectName(QStringLiteral("AllgemeinTabSheet"));
    auto* g = new QGridLayout(general);
    g->addWidget(new QLabel(QStringLiteral("Anzahl zu überlesender Kopfzeilen = "), general), 0, 0);
    KopfzeilenSpinEdit = Spin(general, "KopfzeilenSpinEdit", 0, 100, s.ImportKopfzeilen,
                              QStringLiteral("gilt nur für den Text-Im-/Export; für Excel s. dort"));
    KopfzeilenSpinEdit->setEnabled(!excel_);
    g->addWidget(KopfzeilenSpinEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Trennzeichen zwischen den Infor. ="), general), 1, 0);
    TrennzeichenEdit = new QLineEdit(FromCp(std::string(1, s.ImportTrennz)), general);
    TrennzeichenEdit->setObjectName(QStringLiteral("TrennzeichenEdit"));
    TrennzeichenEdit->setMaxLength(1);
    TrennzeichenEdit->setMaximumWidth(40);
    g->addWidget(TrennzeichenEdit, 1, 1);
    HinweisLabel = new QLabel(general);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    HinweisLabel->setWordWrap(true);
    HinweisLabel->setStyleSheet(QStringLiteral("color: red; font-style: italic;"));
    HinweisLabel->setText(
        excel_
            ? QStringLiteral("Hinweis: beim Import aus Excel wird das Trennzeichen automatisch zwischen den "
                             "Spalten eingesetzt! Es darf also NICHT in den Import-Daten enthalten sein!")
            : QStringLiteral(
                  "Hinweis: das Trennzeichen wird im zu im- portierenden Text erwartet! Es darf also "
                  "NICHT in den eigentlichen Import-Daten enthalten sein!"));
    g->addWidget(HinweisLabel, 2, 0, 1, 2);
    g->setRowStretch(3, 1);
    PageControl1->addTab(general, QStringLiteral("&allgemeine Einstellungen"));

    ExcelTabSheet = new QWidget(PageControl1);
    ExcelTabSheet->setObjectName(QStringLiteral("ExcelTabSheet"));
    auto* e = new QGridLayout(ExcelTabSheet);
    FirstRowSpinEdit =
        Spin(ExcelTabSheet, "FirstRowSpinEdit", 1, 2000, ClampToInt(s.FirstRow2Read + 1LL),
             QStringLiteral("erste Zeile, die Filmdaten enthält; notwendig um die Kopfzeile zu überlesen"));
    AnzRowsSpinEdit =
        Spin(ExcelTabSheet, "AnzRowsSpinEdit", 0, 2000, s.AnzRows2Read,
             QStringLiteral("Anzahl tatsächlich zu lesender Zeilen; darf NICHT Headerzeilen enthalten!"));
    FirstColSpinEdit =
        Spin(ExcelTabSheet, "FirstColSpinEdit", 1, 2000, ClampToInt(s.FirstCol2Read + 1LL),
             QStringLiteral("erste Spalte, in der Filmdaten stehen; damit ist es möglich, Spalten links "
                            "von den Daten zu überlesen"));
    AnzColsSpinEdit = Spin(ExcelTabSheet, "AnzColsSpinEdit", 0, 2000, s.AnzCols2Read,
                           QStringLiteral("Anzahl Spalten, die tatsächlich Filmdaten enthalten"));
    const std::pair<const char*, QSpinBox*> spins[] = {{"erste zu lesende Zeile: ", FirstRowSpinEdit},
                                                       {"Anzahl zu lesender Zeilen: ", AnzRowsSpinEdit},
                                                       {"erste zu lesende Spalte: ", FirstColSpinEdit},
                                                       {"Anzahl zu lesender Spalten: ", AnzColsSpinEdit}};
    for (int i = 0; i < 4; ++i) {
        e->addWidget(new QLabel(QString::fromUtf8(spins[i].first), ExcelTabSheet), i, 0);
        e->addWidget(spins[i].second, i, 1);
    }
    e->setRowStretch(4, 1);
    if (excel_)
        PageControl1->addTab(ExcelTabSheet, QStringLiteral("Import aus &Excel"));
    else
        ExcelTabSheet->hide();
    PageControl1->setCurrentIndex(0);
    layout->addWidget(PageControl1);

    auto* group = new QGroupBox(QStringLiteral(" Informations-Positionen "), this);
    auto* gl = new QVBoxLayout(group);
    PositionsStringGrid = new QTableWidget(ColCount, 2, group);
    PositionsStringGrid->setObjectName(QStringLiteral("PositionsStringGrid"));
    PositionsStringGrid->setHorizontalHeaderLabels({QStringLiteral("Eintrag"), QStringLiteral("Position")});
    PositionsStringGrid->verticalHeader()->hide();
    PositionsStringGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    PositionsStringGrid->setItemDelegateForColumn(1, new PositionDelegate(this, PositionsStringGrid));
    for (int n = 0; n < ColCount; ++n) {
        auto* name =
            new QTableWidgetItem(QStringLiteral("[%1] ").arg(n + 1) + FromCp(ctx_.colArrange[n].Header));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        PositionsStringGrid->setItem(n, 0, name);
        auto* pos = new QTableWidgetItem(QString::number(ctx_.colArrange[n].ImportPos));
        // Pictures are never imported: their row takes no key.
        pos->setFlags(n == ColPics ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                   : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        PositionsStringGrid->setItem(n, 1, pos);
    }
    PositionsStringGrid->setCurrentCell(0, 1);
    gl->addWidget(PositionsStringGrid);
    auto* note =
        new QLabel(QStringLiteral("HINWEISE: Die Spalten-Positionsangaben müssen GRÖSSER  Null sein, Angaben "
                                  "GLEICH Null bedeuten, dass die Information NICHT in der Import-Textdatei "
                                  "enthalten ist."),
                   group);
    note->setWordWrap(true);
    gl->addWidget(note);
    layout->addWidget(group, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &TForm_TXT_Import::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    PositionsStringGrid->installEventFilter(this);
    SetHelpContext(this, HelpImport);
    resize(460, 620);
}

int32_t TForm_TXT_Import::positionOf(int entry) const {
    const QTableWidgetItem* item = PositionsStringGrid->item(entry, 1);
    long long v = 0;
    if (!item || !ParseInt(item->text().toStdString(), v) || v < INT32_MIN || v > INT32_MAX)
        return 0;
    return static_cast<int32_t>(v);
}

bool TForm_TXT_Import::PositionKeyAllowed(const QString& typed, const QString& text) {
    if (typed.size() != 1)
        return true; // keys without a character (arrows, Tab, Delete) are no key press here
    const QChar c = typed.at(0);
    if (c.isDigit() && c.unicode() < 128)
        return true;
    if (c == QLatin1Char('-'))
        return !text.contains(QLatin1Char('-'));
    return c == QChar(8) || c == QChar(27) || c == QLatin1Char('\r') || c == QLatin1Char('\t');
}

bool TForm_TXT_Import::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* editor = qobject_cast<QLineEdit*>(watched)) {
            if (!PositionKeyAllowed(key->text(), editor->text()))
                return true;
        } else if (watched == PositionsStringGrid) {
            // A key that starts editing a cell: refused in the pictures row and for other characters.
            const int row = PositionsStringGrid->currentRow();
            const QTableWidgetItem* item = PositionsStringGrid->currentItem();
            if (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                (row == ColPics || (item && !PositionKeyAllowed(key->text(), QString()))))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_TXT_Import::keyPressEvent(QKeyEvent* event) {
    // Escape is swallowed: only the two buttons close the dialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm_TXT_Import::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (excel_ && !hintShown_ && !ctx_.settings.ImportHinweis) {
        hintShown_ = true;
        ctx_.settings.ImportHinweis = true;
        ctx_.dialogs().information(
            "Bitte beachten Sie die Hinweise auf Einschränkungen \r\nund Randbedingungen für "
            "den Import aus Excel-Dateien\"!"_cp);
    }
}

void TForm_TXT_Import::OKBtnClick() {
    Settings& s = ctx_.settings;
    // A cell still being edited gives its text to the grid first.
    if (auto* editor = PositionsStringGrid->viewport()->findChild<QLineEdit*>())
        emit PositionsStringGrid->itemDelegateForColumn(1)->commitData(editor);
    s.Trennzeichen = SeparatorOf(ToCp(TrennzeichenEdit->text()), s.Trennzeichen);
    if (excel_) {
        s.FirstCol2Read = FirstColSpinEdit->value() - 1;
        s.AnzCols2Read = AnzColsSpinEdit->value();
        s.FirstRow2Read = FirstRowSpinEdit->value() - 1;
        s.AnzRows2Read = AnzRowsSpinEdit->value();
        if (s.AnzRows2Read == 0 || s.AnzCols2Read == 0) {
            ctx_.dialogs().error(
                "Fehler: Es werden gemäß der Einstellungen KEINE Daten importiert!\r\n"
                "Kontrollieren Sie die Einstellungen auf der Seite \"Import aus Excel\"."_cp);
            return;
        }
    }
    accept();
}

bool ImportSpaltenAbfolgeFestlegen(AppContext& ctx, QWidget* parent, bool excelMode) {
    TForm_TXT_Import form(ctx, excelMode, parent);
    for (;;) {
        if (form.exec() != QDialog::Accepted)
            return false;
        std::array<int32_t, ImportCheckedEntries> positions{};
        for (int e = 0; e < ImportCheckedEntries; ++e)
            positions[static_cast<std::size_t>(e)] = form.positionOf(e);
        const std::string message = CheckImportPositions(positions);
        if (message.empty())
            break;
        ctx.dialogs().error(message);
    }
    for (int e = 0; e < ColCount; ++e)
        ctx.colArrange[e].ImportPos = form.positionOf(e);
    Settings& s = ctx.settings;
    s.ImportKopfzeilen = form.KopfzeilenSpinEdit->value();
    s.ImportTrennz = SeparatorOf(ToCp(form.TrennzeichenEdit->text()), s.ImportTrennz);
    return true;
}

} // namespace kt
