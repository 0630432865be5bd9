#include "app_context.h"
#include "filmeditor/film_editor_dialog.h"
#include "filmeditor/film_store.h"
#include "model/dialogs.h"
#include "pictures/pic_image.h"
#include "pictures/picture_codec.h"
#include "pictures/picture_flags.h"

#include <QApplication>
#include <QBuffer>
#include <QImageWriter>
#include <QPixmap>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

// A cover of 4000 x 3000 pixels of about 2 MB: a gradient with grain, as a scanned cover has.
const QByteArray& Cover() {
    static const QByteArray bytes = [] {
        QImage image(4000, 3000, QImage::Format_RGB32);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> grain(-12, 12);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int g = grain(rng);
                row[x] = qRgb(std::clamp(x / 16 + g, 0, 255), std::clamp(y / 12 + g, 0, 255),
                              std::clamp(128 + g, 0, 255));
            }
        }
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(80);
        writer.write(image);
        std::fprintf(stderr, "cover: %lld bytes\n", static_cast<long long>(out.size()));
        return out;
    }();
    return bytes;
}

kt::TPicRec CoverRecord() {
    kt::TPicRec p;
    p.PicFlags = kt::PicJpg + kt::PicKept;
    p.PicData.assign(Cover().begin(), Cover().end());
    p.PicSize = static_cast<int32_t>(p.PicData.size());
    p.PicText.Strng = "Cover";
    return p;
}

// Decoding the cover reduced for the editor's box and drawing it there.
void BM_CoverIntoEditorBox(benchmark::State& state) {
    const QByteArray& cover = Cover();
    kt::TPicImage image;
    image.setStretch(true);
    image.resize(555, 416);
    for (auto _ : state) {
        const kt::DecodedPicture d =
            kt::DecodePicture(reinterpret_cast<const uint8_t*>(cover.constData()),
                              static_cast<std::size_t>(cover.size()), kt::PicJpg, QSize(800, 600));
        image.setPicture(d.image, d.size);
        benchmark::DoNotOptimize(image.grab().width());
    }
}
BENCHMARK(BM_CoverIntoEditorBox)->Unit(benchmark::kMillisecond);

// The same cover at its full size, as the list's picture window would need without scaling.
void BM_CoverFullSize(benchmark::State& state) {
    const QByteArray& cover = Cover();
    for (auto _ : state)
        benchmark::DoNotOptimize(kt::DecodePicture(reinterpret_cast<const uint8_t*>(cover.constData()),
                                                   static_cast<std::size_t>(cover.size()), kt::PicJpg)
                                     .image.width());
}
BENCHMARK(BM_CoverFullSize)->Unit(benchmark::kMillisecond);

// Opening the film editor on a film with ten such pictures, until it is shown; with `pictures`
// also turning to the page "&Bilder", which shows the first of them.
void OpenEditorTenPictures(benchmark::State& state, bool pictures) {
    kt::SilentDialogs ui;
    kt::AppContext ctx;
    ctx.setDialogs(&ui);
    kt::TFilmV26 f;
    f.FilmName.Strng = "Zehn Bilder";
    f.StorageType = kt::StDvd;
    f.FilmNr = 1;
    f.Pics.assign(10, CoverRecord());
    ctx.collection.appendFilm(f);
    ctx.collection.ActFilm = 1;
    for (auto _ : state) {
        kt::TFilmEigenschaftenDlg dlg(ctx, kt::ModeEdit);
        dlg.FillCategoryList();
        dlg.SetValues();
        dlg.show();
        QApplication::processEvents();
        if (pictures) {
            dlg.PageControl1->setCurrentWidget(dlg.TabSheetPictures);
            QApplication::processEvents();
        }
        benchmark::DoNotOptimize(dlg.isVisible());
    }
    ctx.setDialogs(nullptr);
}
void BM_OpenEditorTenPictures(benchmark::State& state) {
    OpenEditorTenPictures(state, false);
}
BENCHMARK(BM_OpenEditorTenPictures)->Unit(benchmark::kMillisecond);
void BM_OpenEditorTenPicturesShowFirst(benchmark::State& state) {
    OpenEditorTenPictures(state, true);
}
BENCHMARK(BM_OpenEditorTenPicturesShowFirst)->Unit(benchmark::kMillisecond);

} // namespace
