#include "statistics/statistik_form.h"

#include "dialogs/message_box.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "text/cp1252.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <QVBoxLayout>
#include <QValueAxis>

namespace kt {

namespace {

constexpr int OneRowWidth = 615;
constexpr int TwoRowWidth = 430;

int RowsForWidth(int width) {
    return width >= OneRowWidth ? 1 : width >= TwoRowWidth ? 2 : 3;
}

QColor ColorOf(uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QString LegendText(const QString& label, int32_t value) {
    return label + QStringLiteral("   ") + QString::number(value);
}

QChartView* MakeChartView(const char* name, QWidget* parent) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("erfasste Filme"));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

} // namespace

TForm_KT_Statistik::TForm_KT_Statistik(const Collection& collection, const Settings& settings,
                                       UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), collection_(collection), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form_KT_Statistik"));
    setWindowTitle(QStringLiteral("Kassotek: Statistik"));
    setMinimumSize(260, 210);
    setModal(true);
    setSizeGripEnabled(true);

    auto makeCombo = [this](const char* name, const QStringList& items, int start) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems(items);
        box->setCurrentIndex(start);
        // Wide enough for the longest item ("Tortendiagramm"); on a narrow window the rows wrap.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(14);
        return box;
    };
    ComboBoxSelection =
        makeCombo("ComboBoxSelection", {QStringLiteral("Kategorien"), QStringLiteral("Speichermedien")}, 0);
    ComboBoxAnzeigeArt = makeCombo("ComboBoxAnzeigeArt",
                                   {QStringLiteral("Balkendiagramm"), QStringLiteral("Tortendiagramm")}, 1);
    ComboBoxShowMarks =
        makeCombo("ComboBoxShowMarks", {QStringLiteral("anzeigen"), QStringLiteral("NICHT anzeigen")}, 1);
    const QString captions[3] = {QStringLiteral("Statistik geordnet nach:"), QStringLiteral("anzeigen als:"),
                                 QStringLiteral("Beschriftung:")};
    QComboBox* boxes[3] = {ComboBoxSelection, ComboBoxAnzeigeArt, ComboBoxShowMarks};
    for (int i = 0; i < 3; ++i) {
        selectionLabels_[i] = new QLabel(captions[i], this);
        selectionLabels_[i]->setBuddy(boxes[i]);
    }

    auto* selection = new QWidget(this);
    selection->setObjectName(QStringLiteral("PanelSelection"));
    selectionGrid_ = new QGridLayout(selection);
    selectionGrid_->setContentsMargins(0, 0, 0, 0);

    GroupBoxStatistik = new QGroupBox(QStringLiteral(" Statistik "), this);
    GroupBoxStatistik->setObjectName(QStringLiteral("GroupBoxStatistik"));
    ChartStatistikBar = MakeChartView("ChartStatistikBar", GroupBoxStatistik);
    ChartStatistikPie = MakeChartView("ChartStatistikPie", GroupBoxStatistik);
    auto* groupLayout = new QVBoxLayout(GroupBoxStatistik);
    groupLayout->addWidget(ChartStatistikBar);
    groupLayout->addWidget(ChartStatistikPie);

    SeriesBar = new QBarSeries;
    SeriesBar->setObjectName(QStringLiteral("SeriesBar"));
    SeriesBar->setName(QStringLiteral("erfasste Filme"));
    SeriesBar->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    SeriesBar->setBarWidth(0.9);
    ChartStatistikBar->chart()->addSeries(SeriesBar);
    auto* categories = new QBarCategoryAxis;
    categories->append(ComboBoxSelection->currentText());
    ChartStatistikBar->chart()->addAxis(categories, Qt::AlignBottom);
    SeriesBar->attachAxis(categories);
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%d"));
    ChartStatistikBar->chart()->addAxis(values, Qt::AlignLeft);
    SeriesBar->attachAxis(values);

    SeriesPie = new QPieSeries;
    SeriesPie->setObjectName(QStringLiteral("SeriesPie"));
    SeriesPie->setName(QStringLiteral("erfasste Filme"));
    ChartStatistikPie->chart()->addSeries(SeriesPie);

    SchliessenBtn = new QPushButton(QStringLiteral("&Schließen"), this);
    SchliessenBtn->setObjectName(QStringLiteral("SchliessenBtn"));
    SchliessenBtn->setToolTip(QStringLiteral("Statistik-Fenster schließen"));
    BildSpeichernBtn = new QPushButton(QStringLiteral("Als Bild speichern..."), this);
    BildSpeichernBtn->setObjectName(QStringLiteral("BildSpeichernBtn"));
    BildSpeichernBtn->setToolTip(QStringLiteral("das sichtbare Diagramm als PNG-Bild speichern"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BildSpeichernBtn);
    buttons->addWidget(SchliessenBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selection);
    layout->addWidget(GroupBoxStatistik, 1);
    layout->addLayout(buttons);

    chooseImageFile = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Diagramm als Bild speichern"), QString(),
                                            QStringLiteral("PNG-Bild (*.png)"));
    };

    connect(ComboBoxSelection, &QComboBox::currentIndexChanged, this, &TForm_KT_Statistik::BuildChart);
    connect(ComboBoxAnzeigeArt, &QComboBox::currentIndexChanged, this, &TForm_KT_Statistik::BuildChart);
    connect(ComboBoxShowMarks, &QComboBox::currentIndexChanged, this, &TForm_KT_Statistik::ShowMarks);
    connect(SchliessenBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BildSpeichernBtn, &QPushButton::clicked, this, &TForm_KT_Statistik::SaveImage);

    resize(760, 540);
    ArrangeSelection(RowsForWidth(width()));
    BuildChart();
    ShowMarks();
}

void TForm_KT_Statistik::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int rows = RowsForWidth(event->size().width());
    if (rows != rows_)
        ArrangeSelection(rows);
}

void TForm_KT_Statistik::ArrangeSelection(int rows) {
    rows_ = rows;
    QComboBox* boxes[3] = {ComboBoxSelection, ComboBoxAnzeigeArt, ComboBoxShowMarks};
    for (int i = 0; i < 3; ++i) {
        selectionGrid_->removeWidget(selectionLabels_[i]);
        selectionGrid_->removeWidget(boxes[i]);
    }
    for (int c = 0; c < selectionGrid_->columnCount(); ++c)
        selectionGrid_->setColumnStretch(c, 0);
    // One row: the three pairs side by side; two rows: two pairs above, one below; three: one each.
    const int perRow = rows == 1 ? 3 : rows == 2 ? 2 : 1;
    for (int i = 0; i < 3; ++i) {
        const int row = i / perRow;
        const int col = (i % perRow) * 2;
        selectionGrid_->addWidget(selectionLabels_[i], row, col);
        selectionGrid_->addWidget(boxes[i], row, col + 1);
    }
    selectionGrid_->setColumnStretch(perRow * 2, 1);
}

void TForm_KT_Statistik::BuildChart() {
    const bool bar = ComboBoxAnzeigeArt->currentIndex() == 0;
    if (collection_.AnzFilm() > 0) {
        SeriesBar->clear();
        SeriesPie->clear();
        points_ = BuildStatistik(collection_,
                                 ComboBoxSelection->currentIndex() == 0 ? StatistikOrder::Kategorien
                                                                        : StatistikOrder::Speichermedien,
                                 settings_.SortLength);
        if (bar) {
            int32_t highest = 0;
            for (const auto& p : points_) {
                // The legend shows a set's own label and resets any other text on updates.
                auto* set = new QBarSet(LegendText(FromCp(p.Label), p.Value));
                set->append(p.Value);
                set->setColor(ColorOf(p.Color));
                set->setBorderColor(Qt::black);
                // The mark stands inside the bar: white on the dark colours of the cycle.
                const QColor c = ColorOf(p.Color);
                set->setLabelColor(0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() < 140 ? Qt::white
                                                                                                : Qt::black);
                SeriesBar->append(set);
                highest = std::max(highest, p.Value);
            }
            // Whole numbers only, with room above the highest bar for its mark.
            if (auto* axis =
                    qobject_cast<QValueAxis*>(ChartStatistikBar->chart()->axes(Qt::Vertical).value(0))) {
                int step = 1;
                while (highest / step > 8)
                    step *= highest / step > 40 ? 5 : 2;
                axis->setTickType(QValueAxis::TicksDynamic);
                axis->setTickAnchor(0);
                axis->setTickInterval(step);
                axis->setRange(0, (highest / step + 1) * step);
            }
            // An empty category would not be taken; the bar group is named after the order.
            if (auto* group = qobject_cast<QBarCategoryAxis*>(
                    ChartStatistikBar->chart()->axes(Qt::Horizontal).value(0)))
                group->setCategories({ComboBoxSelection->currentText()});
        } else {
            int64_t total = 0;
            for (const auto& p : points_)
                total += p.Value;
            int32_t other = 0;
            int small = 0;
            for (const auto& p : points_)
                small += total > 0 && p.Value < OtherSliceShare * static_cast<double>(total);
            std::size_t position = 0;
            auto addSlice = [&](const QString& label, int32_t value, uint32_t color) {
                // Legend and mark both show the slice's label, so it carries the value.
                auto* slice = SeriesPie->append(LegendText(label, value), value);
                slice->setColor(ColorOf(color));
                slice->setBorderColor(Qt::black);
                ++position;
            };
            for (const auto& p : points_) {
                // A single small slice stays: gathering it would only rename it.
                if (small > 1 && p.Value < OtherSliceShare * static_cast<double>(total))
                    other += p.Value;
                else
                    addSlice(FromCp(p.Label), p.Value, p.Color);
            }
            if (other > 0)
                addSlice(QStringLiteral("Andere"), other, StatistikColor(position));
        }
    }
    ChartStatistikBar->setVisible(bar);
    ChartStatistikPie->setVisible(!bar);
    ShowMarks();
    (bar ? ChartStatistikBar : ChartStatistikPie)->update();
}

void TForm_KT_Statistik::ShowMarks() {
    const bool show = ComboBoxShowMarks->currentIndex() == 0;
    SeriesBar->setLabelsVisible(show);
    SeriesPie->setLabelsVisible(show);
}

void TForm_KT_Statistik::SaveImage() {
    QString path = chooseImageFile(this);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    QChartView* view = !ChartStatistikBar->isHidden() ? ChartStatistikBar : ChartStatistikPie;
    const QImage image = view->grab().toImage();
    // Written beside the target and renamed at the end: a failure leaves no half-written file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        file.cancelWriting();
        dialogs_.error(ToCp(QStringLiteral("Das Bild konnte nicht gespeichert werden:\r\n") + path));
    }
}

} // namespace kt
