#include "main_window_support.h"
#include "picture_fixture.h"
#include "temp_folder.h"

#include "mainwindow/film_string_grid.h"
#include "pictures/first_picture.h"
#include "pictures/picture_flags.h"
#include "pictures/picture_window.h"

using namespace kt;
using namespace kt::test;

namespace {

TPicRec KeptJpeg(const QByteArray& bytes) {
    TPicRec p;
    p.PicFlags = PicJpg + PicKept;
    p.PicData.assign(bytes.begin(), bytes.end());
    p.PicSize = static_cast<int32_t>(bytes.size());
    return p;
}

// Films in title order: without pictures, with a cover, a missing link, damaged bytes, two scenes.
struct PictureList {
    TempFolder dir;
    std::string missing = dir.file("fehlt.jpg");
    std::unique_ptr<ListWindow> l;
    PictureList() {
        l = std::make_unique<ListWindow>([this](Collection& c) {
            c.appendFilm(MakeFilm("A ohne Bild", StDvd, 1));
            TFilmV26 b = MakeFilm("B Cover", StDvd, 2);
            b.Pics = {KeptJpeg(Jpeg(320, 200))};
            c.appendFilm(b);
            TFilmV26 cc = MakeFilm("C fehlt", StDvd, 3);
            TPicRec link;
            link.PicFlags = PicJpg + PicLink;
            link.PicText.Strng = missing;
            cc.Pics = {link};
            c.appendFilm(cc);
            TFilmV26 d = MakeFilm("D kaputt", StDvd, 4);
            d.Pics = {KeptJpeg(QByteArray("\xFF\xD8 kaputt"))};
            c.appendFilm(d);
            TFilmV26 e = MakeFilm("E Szenen", StDvd, 5);
            e.Pics = {KeptJpeg(Jpeg(100, 80)), KeptJpeg(Jpeg(10, 10))};
            c.appendFilm(e);
        });
        l->t.ctx.settings.ShowFirstPicAutomatically = true;
    }
    TForm_Kassotek_Image* shown() const { return TForm_Kassotek_Image::Showing(); }
};

} // namespace

class PictureListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }
    void init() { FirstPictureDisplay::Patience() = std::chrono::milliseconds(150); }

    void selectingAFilmShowsItsFirstPicture() {
        PictureList p;
        ScriptedDialogs& boxes = p.l->t.dialogs;
        p.l->select(2);
        QTRY_VERIFY(p.shown());
        TForm_Kassotek_Image* first = p.shown();
        QCOMPARE(first->pictureSize(), QSize(320, 200));
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!first->isModal());
        QCOMPARE(first->windowTitle(), QStringLiteral("Kassotek: Bild zum Film"));
        // A film without pictures leaves the window as it is.
        p.l->select(1);
        QCOMPARE(p.shown(), first);
        p.l->select(5);
        QTRY_COMPARE(p.shown() ? p.shown()->pictureSize() : QSize(), QSize(100, 80));
        // A missing link and damaged bytes: the box, and no window.
        struct Case {
            int row;
            std::string box;
        };
        const Case cases[] = {
            {3, "Konnte die Datei \"" + p.missing + "\" nicht finden!"},
            {4, "Das Bild 1 zum Film \"D kaputt\" kann nicht angezeigt werden:"},
        };
        for (const Case& k : cases) {
            boxes.expect(Box::Error, k.box);
            p.l->select(k.row);
            QTRY_VERIFY(!boxes.pending());
            QVERIFY(!p.shown());
        }
        // Without the option nothing opens.
        p.l->t.ctx.settings.ShowFirstPicAutomatically = false;
        p.l->select(2);
        QTest::qWait(50);
        QVERIFY(!p.shown());
    }

    void arrowKeysKeepTheListAndTheLatestPictureWins() {
        PictureList p;
        p.l->focus();
        p.l->select(1);
        // Nothing waits: every picture arrives later, and only the current film's is shown.
        FirstPictureDisplay::Patience() = std::chrono::milliseconds(0);
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_Down); // B
        p.l->t.dialogs.expect(Box::Error, "nicht finden");
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_Down); // C: its box comes when it is read
        QTRY_VERIFY(!p.l->t.dialogs.pending());
        p.l->t.dialogs.expect(Box::Error, "D kaputt");
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_Down); // D
        QTRY_VERIFY(!p.l->t.dialogs.pending());
        p.l->t.dialogs.expect(Box::Error, "nicht finden");
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_Up); // C again
        QTRY_VERIFY(!p.l->t.dialogs.pending());
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_Up); // B
        QTest::keyClick(p.l->w->FilmStringGrid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(p.l->currentTitle(), QStringLiteral("E Szenen"));
        QTRY_VERIFY(p.shown());
        QCOMPARE(p.shown()->pictureSize(), QSize(100, 80));
        QTest::qWait(100);
        QCOMPARE(p.shown()->pictureSize(), QSize(100, 80));
        QVERIFY(p.l->w->FilmStringGrid->hasFocus());
    }
};

QTEST_MAIN(PictureListTest)
#include "test_picture_list.moc"
