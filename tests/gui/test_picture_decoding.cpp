#include "gui_test.h"
#include "picture_fixture.h"

#include "pictures/jpeg_decoder.h"
#include "pictures/pic_image.h"
#include "pictures/picture_codec.h"
#include "pictures/picture_flags.h"
#include "pictures/picture_window.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>

using namespace kt;
using namespace kt::test;

namespace {

DecodedPicture Decode(const QByteArray& bytes, int32_t type, QSize shown = {}) {
    return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()), type, shown);
}

} // namespace

class PictureDecodingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void jpegDecodesFullyOrScaledByTheShownSize() {
        const QByteArray jpeg = Jpeg(400, 300);
        struct Case {
            QSize shown;
            QSize image;
        };
        const Case cases[] = {
            {{}, {400, 300}},         {{400, 300}, {400, 300}}, {{201, 150}, {400, 300}},
            {{200, 150}, {200, 150}}, {{200, 10}, {200, 150}},  {{100, 75}, {100, 75}},
            {{99, 74}, {100, 75}},    {{50, 37}, {50, 38}},     {{1, 1}, {50, 38}},
        };
        for (const Case& k : cases) {
            const DecodedPicture d = Decode(jpeg, PicJpg, k.shown);
            QVERIFY(d.ok && !d.partial);
            QCOMPARE(d.size, QSize(400, 300));
            QCOMPARE(d.image.size(), k.image);
            const QImage& im = d.image;
            QVERIFY(Near(im.pixel(im.width() / 4, im.height() / 2), Qt::red));
            QVERIFY(Near(im.pixel(im.width() * 3 / 4, im.height() / 2), Qt::blue));
        }
    }

    void scaleFactorIsTheLargestReductionThatStillFills() {
        struct Case {
            int w, h, shownW, shownH, denom;
        };
        const Case cases[] = {
            {4000, 3000, 4000, 3000, 1}, {4000, 3000, 2001, 1500, 1}, {4000, 3000, 2000, 1500, 2},
            {4000, 3000, 1000, 750, 4},  {4000, 3000, 999, 10, 4},    {4000, 3000, 500, 375, 8},
            {4000, 3000, 1, 1, 8},       {4000, 3000, 0, 0, 1},       {15, 15, 1, 1, 8},
            {0, 0, 10, 10, 1},
        };
        for (const Case& k : cases)
            QCOMPARE(JpegScaleDenom(k.w, k.h, k.shownW, k.shownH), k.denom);
    }

    void truncatedJpegShowsAsFarAsItGoes() {
        const QByteArray jpeg = Jpeg(64, 256);
        // Cut in the middle of the scan data, after all tables.
        const qsizetype scan = jpeg.indexOf("\xFF\xDA");
        QVERIFY(scan > 0);
        const DecodedPicture d = Decode(jpeg.left(scan + (jpeg.size() - scan) / 2), PicJpg);
        QVERIFY(d.ok);
        QVERIFY(d.partial);
        QVERIFY(!d.problem.isEmpty());
        QCOMPARE(d.image.size(), QSize(64, 256));
        QVERIFY(Near(d.image.pixel(10, 5), Qt::red));
        QVERIFY(Near(d.image.pixel(54, 5), Qt::blue));
        // The missing end is grey.
        QVERIFY(Near(d.image.pixel(10, 250), QColor(0x80, 0x80, 0x80), 8));
    }

    void damagedDataEndInAMessageNotACrash() {
        const QByteArray jpeg = Jpeg(64, 64);
        QByteArray scrambled = jpeg;
        for (qsizetype i = jpeg.indexOf("\xFF\xDA") + 16; i < scrambled.size() - 2; i += 7)
            scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
        QByteArray badHeader = jpeg;
        const qsizetype frame = badHeader.indexOf("\xFF\xC0");
        QVERIFY(frame > 0);
        badHeader[frame + 5] = 0; // a picture of no rows
        badHeader[frame + 6] = 0;
        QByteArray huge = jpeg; // a few hundred bytes announcing 20000 x 20000 pixels
        for (const int at : {5, 7}) {
            huge[frame + at] = 0x4E;
            huge[frame + at + 1] = 0x20;
        }
        struct Case {
            const char* name;
            QByteArray bytes;
            int32_t type;
            bool ok;
        };
        const Case cases[] = {
            {"empty", QByteArray(), PicJpg, false},
            {"only the start marker", QByteArray("\xFF\xD8", 2), PicJpg, false},
            {"start marker and rubbish", QByteArray("\xFF\xD8\xFF\xC0 rubbish rubbish rubbish"), PicJpeg,
             false},
            {"not a picture", QByteArray("just some text"), PicJpg, false},
            {"header damaged", badHeader, PicJpg, false},
            {"too large to decode", huge, PicJpg, false},
            {"bitmap rubbish", QByteArray("BM rubbish"), PicBmp, false},
            // Damaged scan data still give a picture of the announced size.
            {"scan data damaged", scrambled, PicJpg, true},
            // A PNG behind a JPEG name is shown all the same.
            {"PNG named JPEG", Encoded(TwoColours(8, 8), "PNG"), PicJpg, true},
        };
        for (const Case& k : cases) {
            const DecodedPicture d = Decode(k.bytes, k.type);
            QVERIFY2(d.ok == k.ok, k.name);
            if (!k.ok) {
                QVERIFY2(d.image.isNull(), k.name);
                QVERIFY2(!d.problem.isEmpty(), k.name);
            } else {
                QVERIFY2(!d.image.isNull() && d.image.size() == d.size, k.name);
            }
        }
    }

    void otherTypes() {
        const DecodedPicture bmp = Decode(Encoded(TwoColours(30, 20), "BMP"), PicBmp);
        QVERIFY(bmp.ok);
        QCOMPARE(bmp.size, QSize(30, 20));
        QVERIFY(Near(bmp.image.pixel(2, 2), Qt::red, 0));
        // Metafiles: a placeholder, whatever the bytes.
        for (const int32_t type : {PicEmf, PicWmf}) {
            const DecodedPicture d = Decode(QByteArray(3000, 'x'), type);
            QVERIFY(d.ok);
            QCOMPARE(d.image.size(), QSize(240, 160));
        }
    }

    void conversionKeepsThePictureAsJpeg() {
        QImage transparent(20, 10, QImage::Format_ARGB32);
        transparent.fill(Qt::transparent);
        QByteArray jpeg;
        QString problem;
        QVERIFY(ConvertToJpeg(Encoded(transparent, "PNG"), jpeg, problem));
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const DecodedPicture d = Decode(jpeg, PicJpg);
        QCOMPARE(d.size, QSize(20, 10));
        QVERIFY(Near(d.image.pixel(5, 5), Qt::white, 4));
        QVERIFY(!ConvertToJpeg(QByteArray("no picture"), jpeg, problem));
        QVERIFY(!problem.isEmpty());
    }

    void windowGeometryFollowsTheScreen() {
        struct Case {
            QSize picture;
            QRect screen;
            QRect window;
        };
        const Case cases[] = {
            {{2000, 1500}, {0, 0, 1024, 768}, {15, 0, 994, 708}},
            {{300, 200}, {0, 0, 1024, 768}, {356, 268, 312, 231}},
            // Just too wide or too high: the screen less its margins.
            {{1014, 100}, {0, 0, 1024, 768}, {15, 0, 994, 708}},
            {{1013, 707}, {0, 0, 1024, 768}, {0, 0, 1025, 738}},
            {{100, 708}, {0, 0, 1024, 768}, {15, 0, 994, 708}},
            // The free area of a screen with a panel on the left.
            {{300, 200}, {100, 0, 1024, 768}, {456, 268, 312, 231}},
        };
        for (const Case& k : cases)
            QCOMPARE(PictureWindowGeometry(k.picture, k.screen), k.window);
    }

    void resizingKeepsTheAspectRatioUntilFreed() {
        struct Case {
            QSize before, after, kept;
        };
        const Case cases[] = {
            {{300, 200}, {400, 200}, {400, 266}}, // the right edge dragged: the height follows
            {{300, 200}, {300, 300}, {450, 300}}, // the bottom edge: the width follows
            {{300, 200}, {310, 260}, {390, 260}}, // both, the height more
        };
        for (const Case& k : cases)
            QCOMPARE(KeepAspect(k.before, k.after, 1.5), k.kept);

        TForm_Kassotek_Image w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Kassotek: Bild zum Film"));
        QCOMPARE(w.Seitenverhaeltnis1->text(), QStringLiteral("Seitenverhältnis beibehalten"));
        QCOMPARE(w.FreiSkalierbar1->text(), QStringLiteral("frei skalierber"));
        w.setPicture(TwoColours(300, 200), QSize(300, 200));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.Seitenverhaeltnis1->isChecked());
        QCOMPARE(TForm_Kassotek_Image::Showing(), &w);
        const QSize start = w.size();
        w.resize(start.width() + 150, start.height());
        QCOMPARE(w.size(), QSize(start.width() + 150, static_cast<int>((start.width() + 150) / 1.5)));
        w.FreiSkalierbar1->trigger();
        QVERIFY(w.FreiSkalierbar1->isChecked() && !w.Seitenverhaeltnis1->isChecked());
        w.resize(500, 150);
        QCOMPARE(w.size(), QSize(500, 150));
        // The picture fills whatever the window is.
        QTRY_COMPARE(w.Image1->size(), w.ScrollBox1->viewport()->size());
        // Back to the kept ratio: the width leads.
        w.Seitenverhaeltnis1->trigger();
        QCOMPARE(w.size(), QSize(500, 333));
        QTest::keyClick(&w, Qt::Key_Escape);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(!TForm_Kassotek_Image::Showing());
    }
};

QTEST_MAIN(PictureDecodingTest)
#include "test_picture_decoding.moc"
