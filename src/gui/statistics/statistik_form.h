#pragma once

#include "statistics/statistics.h"

#include <QDialog>

#include <functional>
#include <vector>

class QChartView;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QBarSeries;
class QPieSeries;

namespace kt {

class Collection;
struct Settings;
class UserDialogs;

// How the films of the whole table divide into categories or storage media, as bar or pie chart.
// Opened modally; it remembers nothing between openings.
class TForm_KT_Statistik : public QDialog {
    Q_OBJECT
public:
    TForm_KT_Statistik(const Collection& collection, const Settings& settings, UserDialogs& dialogs,
                       QWidget* parent = nullptr);

    // Slices below this share of all films are gathered into the slice "Andere".
    static constexpr double OtherSliceShare = 0.02;

    // Rows the selection bar stands in (1 to 3), by the window's width.
    int selectionRows() const { return rows_; }
    // The points of the chart built last, in chart order (before any gathering into "Andere").
    const std::vector<ChartPoint>& points() const { return points_; }

    // Chooses the image file of "Als Bild speichern..."; empty when cancelled. Tests replace it.
    std::function<QString(QWidget*)> chooseImageFile;

    QComboBox* ComboBoxSelection;
    QComboBox* ComboBoxAnzeigeArt;
    QComboBox* ComboBoxShowMarks;
    QPushButton* SchliessenBtn;
    QPushButton* BildSpeichernBtn;
    QGroupBox* GroupBoxStatistik;
    QChartView* ChartStatistikBar;
    QChartView* ChartStatistikPie;
    QBarSeries* SeriesBar;
    QPieSeries* SeriesPie;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildChart();
    void ShowMarks();
    void ArrangeSelection(int rows);
    void SaveImage();

    const Collection& collection_;
    const Settings& settings_;
    UserDialogs& dialogs_;
    std::vector<ChartPoint> points_;
    QGridLayout* selectionGrid_;
    QLabel* selectionLabels_[3];
    int rows_ = 0;
};

} // namespace kt
