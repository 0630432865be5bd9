#include "gui_test.h"
#include "main_window_support.h"
#include "statistics/statistik_form.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace kt;
using namespace kt::test;

namespace {

// Krimi x3, Komödie, one without category; four video films on two cassettes, two DVDs.
void FillSample(Collection& c) {
    c.appendCassette({1, 240, 60, 0});
    c.appendCassette({2, 240, 60, 0});
    const std::pair<const char*, int32_t> films[] = {{"Krimi", StVideo}, {"Krimi", StVideo},
                                                     {"Komödie", StDvd}, {"Krimi", StVideo},
                                                     {"", StVideo},      {"", StDvd}};
    int nr = 0;
    for (const auto& [category, medium] : films) {
        TFilmV26 f = MakeFilm("Film " + std::to_string(nr + 1), medium, nr + 1);
        f.Category.Strng = ToCp1252(category);
        f.CasNr = medium == StVideo ? 1 + nr % 2 : 0;
        c.appendFilm(std::move(f));
        ++nr;
    }
}

QStringList LegendTexts(QChartView* view) {
    QStringList out;
    for (QLegendMarker* m : view->chart()->legend()->markers())
        out << m->label();
    return out;
}

QStringList Items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class StatistikFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void startsAsThePieOfCategories() {
        TestContext t;
        FillSample(t.ctx.collection);
        TForm_KT_Statistik form(t.ctx.collection, t.ctx.settings, t.ctx.dialogs());
        QCOMPARE(form.windowTitle(), QStringLiteral("Kassotek: Statistik"));
        QCOMPARE(form.minimumSize(), QSize(260, 210));
        QVERIFY(form.isModal());
        QCOMPARE(Items(form.ComboBoxSelection), QStringList({"Kategorien", "Speichermedien"}));
        QCOMPARE(Items(form.ComboBoxAnzeigeArt), QStringList({"Balkendiagramm", "Tortendiagramm"}));
        QCOMPARE(Items(form.ComboBoxShowMarks), QStringList({"anzeigen", "NICHT anzeigen"}));
        QCOMPARE(form.ComboBoxSelection->currentText(), QStringLiteral("Kategorien"));
        QCOMPARE(form.ComboBoxAnzeigeArt->currentText(), QStringLiteral("Tortendiagramm"));
        QCOMPARE(form.ComboBoxShowMarks->currentText(), QStringLiteral("NICHT anzeigen"));
        QCOMPARE(form.SchliessenBtn->toolTip(), QStringLiteral("Statistik-Fenster schließen"));
        QCOMPARE(form.GroupBoxStatistik->title(), QStringLiteral(" Statistik "));
        QCOMPARE(form.findChild<QChartView*>("ChartStatistikPie"), form.ChartStatistikPie);
        QCOMPARE(form.findChild<QChartView*>("ChartStatistikBar"), form.ChartStatistikBar);
        form.show();
        QVERIFY(form.ChartStatistikPie->isVisible());
        QVERIFY(!form.ChartStatistikBar->isVisible());
        QCOMPARE(form.ChartStatistikPie->chart()->title(), QStringLiteral("erfasste Filme"));
        QCOMPARE(form.ChartStatistikBar->chart()->title(), QStringLiteral("erfasste Filme"));
        QCOMPARE(form.SeriesPie->name(), QStringLiteral("erfasste Filme"));
        QCOMPARE(form.SeriesPie->count(), 3);
        QCOMPARE(LegendTexts(form.ChartStatistikPie),
                 QStringList({"Komödie   1", "Krimi   3", "keine Angabe   2"}));
        QCOMPARE(form.SeriesPie->slices()[0]->color(), QColor(0x00, 0x80, 0x00));
        QCOMPARE(form.SeriesPie->slices()[2]->color(), QColor(0xFF, 0x00, 0x00));
        QVERIFY(!form.SeriesPie->slices()[0]->isLabelVisible());
    }

    void selectionAndTypeRebuildTheChart() {
        TestContext t;
        FillSample(t.ctx.collection);
        TForm_KT_Statistik form(t.ctx.collection, t.ctx.settings, t.ctx.dialogs());
        form.show();
        form.ComboBoxSelection->setCurrentIndex(1);
        QCOMPARE(form.SeriesPie->count(), 2);
        QCOMPARE(LegendTexts(form.ChartStatistikPie), QStringList({"DVD   2", "Video-Cassette   2"}));

        form.ComboBoxAnzeigeArt->setCurrentIndex(0);
        QVERIFY(form.ChartStatistikBar->isVisible());
        QVERIFY(!form.ChartStatistikPie->isVisible());
        QCOMPARE(form.SeriesBar->count(), 2);
        QCOMPARE(form.SeriesBar->barSets()[1]->label(), QStringLiteral("Video-Cassette   2"));
        QCOMPARE(form.SeriesBar->barSets()[1]->at(0), 2.0);
        QCOMPARE(form.SeriesBar->barSets()[1]->color(), QColor(0x00, 0x00, 0xFF));
        QCOMPARE(LegendTexts(form.ChartStatistikBar), QStringList({"DVD   2", "Video-Cassette   2"}));

        form.ComboBoxSelection->setCurrentIndex(0);
        QCOMPARE(form.SeriesBar->count(), 3);
        QCOMPARE(LegendTexts(form.ChartStatistikBar),
                 QStringList({"Komödie   1", "Krimi   3", "keine Angabe   2"}));
        QCOMPARE(form.SeriesBar->barSets()[1]->at(0), 3.0);

        // The marks follow "Beschriftung:" on both series without a rebuild.
        QBarSet* before = form.SeriesBar->barSets()[0];
        form.ComboBoxShowMarks->setCurrentIndex(0);
        QVERIFY(form.SeriesBar->isLabelsVisible());
        QCOMPARE(form.SeriesBar->barSets()[0], before);
        form.ComboBoxAnzeigeArt->setCurrentIndex(1);
        QVERIFY(form.SeriesPie->slices()[0]->isLabelVisible());
        QCOMPARE(form.SeriesPie->slices()[1]->label(), QStringLiteral("Krimi   3"));
        form.ComboBoxShowMarks->setCurrentIndex(1);
        QVERIFY(!form.SeriesPie->slices()[0]->isLabelVisible());
        QCOMPARE(LegendTexts(form.ChartStatistikPie),
                 QStringList({"Komödie   1", "Krimi   3", "keine Angabe   2"}));
        QVERIFY(!form.SeriesBar->isLabelsVisible());
    }

    // Slices under 2 % of all films are gathered, unless only one of them is small.
    void smallSlicesBecomeAndere() {
        TestContext t;
        Collection& c = t.ctx.collection;
        auto add = [&c](const char* category, int count) {
            for (int i = 0; i < count; ++i) {
                TFilmV26 f = MakeFilm("F", StDvd, c.AnzFilm() + 1);
                f.Category.Strng = category;
                c.appendFilm(std::move(f));
            }
        };
        add("A", 60);
        add("B", 37);
        add("C", 1);
        add("D", 1);
        add("E", 1);
        TForm_KT_Statistik form(c, t.ctx.settings, t.ctx.dialogs());
        QCOMPARE(form.points().size(), std::size_t(5));
        QCOMPARE(LegendTexts(form.ChartStatistikPie), QStringList({"A   60", "B   37", "Andere   3"}));
        QCOMPARE(form.SeriesPie->slices()[2]->color(), QColor(0xFF, 0x00, 0x00));
        form.ComboBoxAnzeigeArt->setCurrentIndex(0);
        QCOMPARE(form.SeriesBar->count(), 5); // the bar chart shows every entry

        TestContext t2;
        Collection& c2 = t2.ctx.collection;
        for (int i = 0; i < 99; ++i)
            c2.appendFilm(MakeFilm("F", StDvd, i + 1));
        c2.appendFilm(MakeFilm("F", StVideo, 100));
        c2.Film(100).CasNr = 0;
        TForm_KT_Statistik lone(c2, t2.ctx.settings, t2.ctx.dialogs());
        lone.ComboBoxSelection->setCurrentIndex(1);
        QCOMPARE(LegendTexts(lone.ChartStatistikPie), QStringList({"DVD   99", "Video-Cassette   1"}));
    }

    void emptyTableOpensWithEmptyCharts() {
        TestContext t;
        TForm_KT_Statistik form(t.ctx.collection, t.ctx.settings, t.ctx.dialogs());
        form.show();
        QCOMPARE(form.SeriesPie->count(), 0);
        form.ComboBoxAnzeigeArt->setCurrentIndex(0);
        form.ComboBoxSelection->setCurrentIndex(1);
        QCOMPARE(form.SeriesBar->count(), 0);
        QVERIFY(form.ChartStatistikBar->isVisible());
    }

    void selectionBarRowsFollowTheWidth() {
        TestContext t;
        FillSample(t.ctx.collection);
        TForm_KT_Statistik form(t.ctx.collection, t.ctx.settings, t.ctx.dialogs());
        form.show();
        const struct {
            int width;
            int rows;
        } cases[] = {{700, 1}, {615, 1}, {614, 2}, {430, 2}, {429, 3}, {260, 3}, {615, 1}};
        for (const auto& tc : cases) {
            form.resize(tc.width, 400);
            QTRY_COMPARE(form.width(), tc.width);
            QCOMPARE(form.selectionRows(), tc.rows);
            auto arranged = [&form](int rows) {
                const int y1 = form.ComboBoxSelection->y(), y2 = form.ComboBoxAnzeigeArt->y(),
                          y3 = form.ComboBoxShowMarks->y();
                return rows == 1   ? y1 == y2 && y2 == y3
                       : rows == 2 ? y1 == y2 && y3 > y2
                                   : y1 < y2 && y2 < y3;
            };
            QTRY_VERIFY2(arranged(tc.rows), qPrintable(QString::number(tc.width)));
            QVERIFY(form.ComboBoxSelection->geometry().right() < form.width());
        }
    }

    void savesTheVisibleChartAsPng() {
        TestContext t;
        FillSample(t.ctx.collection);
        TempFolder dir;
        TForm_KT_Statistik form(t.ctx.collection, t.ctx.settings, t.ctx.dialogs());
        form.show();
        const QString file = QString::fromStdString(dir.file("diagramm"));
        form.chooseImageFile = [&file](QWidget*) { return file; };
        QTest::mouseClick(form.BildSpeichernBtn, Qt::LeftButton);
        QImage image(file + QStringLiteral(".png"));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), form.ChartStatistikPie->grab().size());

        // A folder that does not exist: an error, and no file.
        const QString bad = QString::fromStdString(dir.file("fehlt/bild.png"));
        form.chooseImageFile = [&bad](QWidget*) { return bad; };
        t.dialogs.expect(Box::Error, ToCp1252("Das Bild konnte nicht gespeichert werden:\r\n") + ToCp(bad));
        QTest::mouseClick(form.BildSpeichernBtn, Qt::LeftButton);
        QVERIFY(!t.dialogs.pending());
        QVERIFY(!QFile::exists(bad));
    }

    void mainWindowOpensItModally() {
        ListWindow s(FillSample);
        for (auto trigger : std::initializer_list<std::function<void()>>{
                 [&s] { s.w->findChild<QAction*>("Statistik1")->trigger(); },
                 [&s] {
                     QTest::mouseClick(s.w->findChild<QToolButton*>("SpeedButtonStatistik"), Qt::LeftButton);
                 }}) {
            QPointer<TForm_KT_Statistik> opened;
            WhenModalOf<TForm_KT_Statistik>([&opened](TForm_KT_Statistik* f) {
                opened = f;
                QCOMPARE(f->SeriesPie->count(), 3);
                QTest::mouseClick(f->SchliessenBtn, Qt::LeftButton);
            });
            trigger();
            QVERIFY(!opened); // destroyed when closed
        }
    }
};

QTEST_MAIN(StatistikFormTest)
#include "test_statistik_form.moc"
