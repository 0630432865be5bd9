#include "film_generator.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "model/dialogs.h"
#include "printing/page_painter.h"
#include "printing/print_layout.h"
#include "printing/prn_preview_form.h"
#include "settings/settings.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <benchmark/benchmark.h>

namespace {

// The list of 20000 films as the main window shows it with the built-in columns.
const kt::PrintCopy& Copy() {
    static const kt::PrintCopy copy = [] {
        kt::Collection c = kt::bench::GenerateCollection(20000);
        kt::Settings s;
        s.StorageTypeShow = 0x7FFFFFFF;
        kt::ColArrange ca;
        kt::FilterSearch fs;
        kt::SilentDialogs ui;
        kt::FilmList list(c, s, ca, fs);
        list.SetAusgabeData(ui);
        return kt::MakePrintCopy(list, ca);
    }();
    return copy;
}

const kt::PrintArea A4 = kt::PrintAreaOf(kt::DefaultPrintPageLayout());

// Taking the copy of the list when the preview opens.
void BM_CopyList(benchmark::State& state) {
    kt::Collection c = kt::bench::GenerateCollection(20000);
    kt::Settings s;
    s.StorageTypeShow = 0x7FFFFFFF;
    kt::ColArrange ca;
    kt::FilterSearch fs;
    kt::SilentDialogs ui;
    kt::FilmList list(c, s, ca, fs);
    list.SetAusgabeData(ui);
    for (auto _ : state)
        benchmark::DoNotOptimize(kt::MakePrintCopy(list, ca).RowCount());
}
BENCHMARK(BM_CopyList)->Unit(benchmark::kMillisecond);

// Laying out one page (the middle of the list) and drawing it as the preview does.
void BM_PreviewPage(benchmark::State& state) {
    kt::PrintLayout layout(Copy());
    const kt::MeasureText measure = kt::QtMeasureText();
    kt::PrintedPage page;
    layout.Ausgabe(A4, measure, "3.1.2027", page);
    QImage sheet(600, 861, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        layout.Seite = layout.PageCount() / 2;
        layout.Ausgabe(A4, measure, "3.1.2027", page);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        kt::PaintPage(painter, page, QRectF(sheet.rect()));
    }
    state.counters["pages"] = layout.PageCount();
    state.counters["texts"] = static_cast<double>(page.texts.size());
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);

// The preview window as the user pages through it: layout, fitting and painting of the sheet.
void BM_PreviewWindowPaging(benchmark::State& state) {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(kt::DefaultPrintPageLayout());
    kt::SilentDialogs ui;
    kt::TPrnPreviewForm form(Copy(), printer, ui);
    form.show();
    form.FirstPageSpeedButtonClick();
    for (auto _ : state) {
        if (form.layout().Seite == form.layout().PageCount())
            form.FirstPageSpeedButtonClick();
        else
            form.NextPageSpeedButtonClick();
        benchmark::DoNotOptimize(form.PrintImage->grab().size());
    }
}
BENCHMARK(BM_PreviewWindowPaging)->Unit(benchmark::kMillisecond);

// The whole list as a PDF.
void BM_WholeListToPdf(benchmark::State& state) {
    std::size_t bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        kt::PrintLayout layout(Copy());
        const QByteArray pdf =
            kt::PdfOfPages(layout, kt::DefaultPrintPageLayout(), false, "3.1.2027", [&pages](int done, int) {
                pages = done;
                return true;
            });
        bytes = static_cast<std::size_t>(pdf.size());
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WholeListToPdf)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
