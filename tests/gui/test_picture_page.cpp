#include "film_editor_fixture.h"
#include "picture_fixture.h"
#include "temp_folder.h"

#include "filmeditor/film_editor_open.h"
#include "pictures/pic_image.h"
#include "pictures/picture_file_dialogs.h"
#include "pictures/picture_flags.h"
#include "pictures/picture_window.h"
#include "widgets/radio_group.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>

#include <deque>

using namespace kt;
using namespace kt::test;
using Dlg = TFilmEigenschaftenDlg;

namespace {

// The open and save dialogs as a script; a call without an answer fails the test.
class ScriptedPictureDialogs : public PictureFileDialogs {
public:
    std::optional<QString> open(QWidget*, bool asLink) override {
        links.push_back(asLink);
        if (opens.empty()) {
            QTest::qFail("an open dialog nobody expected", __FILE__, __LINE__);
            return std::nullopt;
        }
        const auto a = opens.front();
        opens.pop_front();
        return a;
    }
    std::optional<PictureSaveChoice> save(QWidget*, int32_t type, const QString& name) override {
        saveRequests.push_back({name, type});
        if (saves.empty()) {
            QTest::qFail("a save dialog nobody expected", __FILE__, __LINE__);
            return std::nullopt;
        }
        const auto a = saves.front();
        saves.pop_front();
        return a;
    }
    std::deque<std::optional<QString>> opens;
    std::deque<std::optional<PictureSaveChoice>> saves;
    std::vector<bool> links;
    std::vector<PictureSaveChoice> saveRequests;
};

TPicRec Kept(const QByteArray& bytes, int32_t type, const char* title, int32_t size = -1) {
    TPicRec p;
    p.PicFlags = type + PicKept;
    p.PicData.assign(bytes.begin(), bytes.end());
    p.PicSize = size >= 0 ? size : static_cast<int32_t>(bytes.size());
    p.PicText.Strng = title;
    return p;
}

TPicRec Link(const std::string& path, int32_t type, int32_t size = 1234) {
    TPicRec p;
    p.PicFlags = type + PicLink;
    p.PicText.Strng = ToCp1252(path);
    p.PicSize = size;
    return p;
}

// A film editor over one DVD film with `pics`, opened as the film list opens it.
struct PicturePage {
    EditorContext e;
    TempFolder dir;
    ScriptedPictureDialogs files;
    std::unique_ptr<Dlg> dlg;
    QByteArray jpeg = Jpeg(120, 90);

    void film(std::vector<TPicRec> pics, int mode = ModeEdit) {
        TFilmV26& f = PutFilm(e.c, "Der Film", StDvd);
        f.FilmLength = 90;
        f.Pics = std::move(pics);
        e.c.ActFilm = static_cast<uint16_t>(e.c.AnzFilm());
        dlg = std::make_unique<Dlg>(e.t.ctx, mode);
        dlg->setPictureFileDialogs(&files);
        dlg->FillCategoryList();
    }
    bool open() {
        const bool ok = dlg->SetValues();
        if (ok) {
            dlg->show();
            dlg->PageControl1->setCurrentWidget(dlg->TabSheetPictures);
        }
        return ok;
    }
    std::string file(const char* name, const QByteArray& bytes) {
        const std::string path = dir.file(name);
        WriteFile(path, bytes);
        return path;
    }
    void add(const std::string& path, bool asLink) {
        files.opens.push_back(QString::fromStdString(path));
        (asLink ? dlg->ButtonAddPicAsLink : dlg->ButtonAddPic)->click();
        QVERIFY(files.opens.empty());
    }
    std::vector<int> shownPages() const {
        std::vector<int> out;
        for (int i = 0; i < MaxPics; ++i)
            if (dlg->PageControl2->isTabVisible(i))
                out.push_back(i + 1);
        return out;
    }
    const TFilmV26& stored() { return e.c.Film(e.c.ActFilm); }
    void accept() {
        dlg->OKBtnClick();
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
    }
};

} // namespace

class PicturePageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }
    void init() { ResetLargePictureWarning(); }

    void fillingFollowsTheFlags() {
        PicturePage p;
        const std::string bmp = p.file("b.bmp", Encoded(TwoColours(40, 30), "BMP"));
        const std::string jpg = p.file("c.JPEG", p.jpeg);
        p.film({Kept(p.jpeg, PicJpg, "Cover"), Kept(p.jpeg, PicJpeg, "Szene"),
                Kept(Encoded(TwoColours(20, 10), "BMP"), PicBmp, "Bitmap"),
                Kept(QByteArray(500, 'e'), PicEmf, "E"), Kept(QByteArray(500, 'w'), PicWmf, "W"),
                Link(bmp, PicBmp), Link(jpg, PicJpeg),
                // No storage bit counts as kept.
                Kept(p.jpeg, PicJpg, "ohne Bit")});
        p.e.c.Film(1).Pics.back().PicFlags = PicJpg;
        QVERIFY(p.open());
        QCOMPARE(p.shownPages(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        const int32_t tags[] = {129, 130, 132, 136, 144, 260, 258, 1};
        const QSize sizes[] = {{120, 90},  {120, 90}, {20, 10},  {240, 160},
                               {240, 160}, {40, 30},  {120, 90}, {120, 90}};
        for (int i = 0; i < 8; ++i) {
            const auto n = static_cast<std::size_t>(i);
            // Decoded when the sub-page is first shown.
            QCOMPARE(p.dlg->Image[n]->hasPicture(), i == 0);
            p.dlg->PageControl2->setCurrentIndex(i);
            QCOMPARE(p.dlg->Image[n]->Tag, tags[i]);
            QCOMPARE(p.dlg->Image[n]->pictureSize(), sizes[i]);
            QVERIFY(p.dlg->Image[n]->hasPicture());
            const bool link = i == 5 || i == 6;
            QCOMPARE(p.dlg->EditBildTitel[n]->isEnabled(), !link);
            QCOMPARE(p.dlg->RadioGroupSavePicOpt->ItemIndex(), link ? 1 : 0);
        }
        QCOMPARE(p.dlg->EditBildTitel[5]->text(), QString::fromStdString(bmp));
        QVERIFY(!p.dlg->PageControl2->isTabVisible(8));
    }

    void fillingStops() {
        struct Case {
            const char* name;
            int32_t secondFlags;
            bool secondHasData;
            bool shown;
            std::vector<int> pages;
        };
        const Case cases[] = {
            {"unknown type", 128 + 3, true, false, {}},
            {"no type", 0, true, false, {}},
            {"kept without bytes", PicJpg + PicKept, false, true, {1}},
            {"kept without bytes, no bits", PicJpg, false, true, {1}},
            {"link without bytes", PicJpg + PicLink, false, true, {1, 2, 3}},
        };
        for (const Case& k : cases) {
            PicturePage p;
            TPicRec second = Kept(p.jpeg, PicJpg, "zwei");
            second.PicFlags = k.secondFlags;
            if (!k.secondHasData) {
                second.PicData.clear();
                second.PicText.Strng = ToCp1252(p.file("zwei.jpg", p.jpeg));
            }
            p.film({Kept(p.jpeg, PicJpg, "eins"), second, Kept(p.jpeg, PicJpg, "drei")});
            QVERIFY2(p.open() == k.shown, k.name);
            if (k.shown)
                QVERIFY2(p.shownPages() == k.pages, k.name);
        }
    }

    void sizeLabel() {
        struct Case {
            int32_t size;
            const char* text;
        };
        const Case cases[] = {{2047, "Größe: 2 kB"}, {2560, "Größe: 2 kB"}, {1536, "Größe: 2 kB"},
                              {3584, "Größe: 4 kB"}, {1023, "Größe: 1 kB"}, {511, "Größe: 0 kB"}};
        PicturePage p;
        std::vector<TPicRec> pics;
        for (const Case& k : cases)
            pics.push_back(Kept(p.jpeg, PicJpg, "x", k.size));
        pics.push_back(Link(p.dir.file("fehlt.jpg"), PicJpg));
        p.film(pics);
        p.e.t.dialogs.expect(
            Box::Error, "Fehler in der Bild-Anzeige!\r\n\r\nKonnte die Datei \"" + p.dir.file("fehlt.jpg") +
                            "\" nicht finden!\r\n\r\nBitte, stellen Sie die Datei wieder her "
                            "oder \r\nlöschen Sie die Verknüfung auf der Bild-Registerseite.");
        QVERIFY(p.open());
        for (int i = 0; i < 6; ++i) {
            p.dlg->PageControl2->setCurrentIndex(i);
            QCOMPARE(p.dlg->LabelPicSize->text(), QString::fromUtf8(cases[i].text));
            QVERIFY(p.dlg->LabelPicSize->styleSheet().isEmpty());
        }
        p.dlg->PageControl2->setCurrentIndex(6);
        QCOMPARE(p.dlg->LabelPicSize->text(), QStringLiteral("Datei fehlt"));
        QVERIFY(p.dlg->LabelPicSize->styleSheet().contains(QStringLiteral("red")));
        QVERIFY(p.dlg->LabelPicSize->styleSheet().contains(QStringLiteral("bold")));
        // The missing link is stored again when the pictures are stored anew.
        p.dlg->PageControl2->setCurrentIndex(0);
        p.dlg->ButtonDelPic->click();
        p.accept();
        QCOMPARE(p.stored().AnzPics(), 6);
        QCOMPARE(p.stored().Pics[5].PicText.Strng, p.dir.file("fehlt.jpg"));
        QCOMPARE(p.stored().Pics[5].PicFlags, PicJpg + PicLink);
    }

    void addingKeptOrAsLink() {
        struct Case {
            const char* name;
            const char* file;
            bool asLink;
            int32_t tag;
            const char* error; // the box instead of a picture
            bool convertedInfo;
        };
        const Case cases[] = {
            {"kept JPEG", "Titel.jpg", false, 129, nullptr, false},
            {"kept .JPEG", "Titel.JPEG", false, 130, nullptr, false},
            {"kept BMP", "Titel.bmp", false, 132, nullptr, false},
            {"linked JPEG", "Titel.jpg", true, 257, nullptr, false},
            {"linked EMF", "Titel.emf", true, 264, nullptr, false},
            {"kept PNG becomes JPEG", "Titel.png", false, 129, nullptr, true},
            {"kept WebP becomes JPEG", "Titel.webp", false, 129, nullptr, true},
            {"linked PNG", "Titel.png", true, 0, "Nicht unterstütztes Graphik-Format!", false},
            {"linked WebP", "Titel.webp", true, 0, "Nicht unterstütztes Graphik-Format!", false},
            {"text file", "Titel.txt", false, 0, "Nicht unterstütztes Graphik-Format!", false},
            {"no extension", "Titel", true, 0, "Nicht unterstütztes Graphik-Format!", false},
            {"JPEG name, text inside", "Kaputt.jpg", false, 0, "Das Bild 1 zum Film \"Der Film\" kann nicht",
             false},
        };
        for (const Case& k : cases) {
            PicturePage p;
            const QString ext = QString::fromLatin1(k.file).section(QLatin1Char('.'), 1).toUpper();
            QByteArray bytes = p.jpeg;
            if (ext == QLatin1String("WEBP") && !CanReadFormat(ext)) {
                qWarning("No WebP plugin here (qt6-image-formats-plugins): %s skipped", k.name);
                continue;
            }
            if (ext == QLatin1String("BMP") || ext == QLatin1String("PNG") || ext == QLatin1String("WEBP"))
                bytes = Encoded(TwoColours(50, 40), qPrintable(ext));
            if (std::string(k.file) == "Kaputt.jpg" || ext == QLatin1String("EMF"))
                bytes = QByteArray("no picture at all");
            const std::string path = p.file(k.file, bytes);
            p.film({});
            QVERIFY(p.open());
            if (k.error)
                p.e.t.dialogs.expect(Box::Error, k.error);
            if (k.convertedInfo)
                p.e.t.dialogs.expect(Box::Information, "in das JPEG-Format umgewandelt (Qualität 90)");
            p.add(path, k.asLink);
            QVERIFY2(!p.e.t.dialogs.pending(), k.name);
            if (k.error) {
                QVERIFY2(p.shownPages().empty(), k.name);
                QVERIFY2(!p.dlg->PicsChanged, k.name);
                continue;
            }
            QVERIFY2(p.shownPages() == std::vector<int>{1}, k.name);
            QCOMPARE(p.dlg->Image[0]->Tag, k.tag);
            QCOMPARE(p.dlg->PageControl2->currentIndex(), 0);
            QCOMPARE(p.dlg->RadioGroupSavePicOpt->ItemIndex(), k.asLink ? 1 : 0);
            QCOMPARE(p.dlg->EditBildTitel[0]->text(),
                     k.asLink ? QString::fromStdString(path) : QStringLiteral("Titel"));
            QCOMPARE(p.dlg->EditBildTitel[0]->isEnabled(), !k.asLink);
            QVERIFY(p.dlg->ButtonDelPic->isEnabled());
            QVERIFY(p.dlg->PicsChanged);
            p.accept();
            const TPicRec& stored = p.stored().Pics.at(0);
            QCOMPARE(stored.PicFlags, k.tag);
            if (k.asLink) {
                QVERIFY(stored.PicData.empty());
                QCOMPARE(stored.PicText.Strng, path);
                QCOMPARE(stored.PicSize, int32_t(bytes.size()));
            } else if (k.convertedInfo) {
                QVERIFY(stored.PicData.size() > 2 && stored.PicData[0] == 0xFF && stored.PicData[1] == 0xD8);
                QCOMPARE(stored.PicSize, int32_t(stored.PicData.size()));
            } else {
                // The file's bytes, not a new encoding of them.
                QVERIFY(stored.PicData == TBArray(bytes.begin(), bytes.end()));
                QCOMPARE(stored.PicSize, int32_t(bytes.size()));
                QCOMPARE(stored.PicText.Strng, std::string("Titel"));
            }
        }
    }

    void deletingAndAddingKeepsTheSubPageOrder() {
        PicturePage p;
        const QByteArray a = Jpeg(10, 10), b = Jpeg(20, 10), c = Jpeg(30, 10);
        p.film({Kept(a, PicJpg, "a"), Kept(b, PicJpg, "b"), Kept(c, PicJpg, "c")});
        QVERIFY(p.open());
        p.dlg->PageControl2->setCurrentIndex(1);
        p.dlg->ButtonDelPic->click();
        QCOMPARE(p.shownPages(), (std::vector<int>{1, 3}));
        const std::string neu = p.file("neu.bmp", Encoded(TwoColours(8, 8), "BMP"));
        p.add(neu, false);
        QCOMPARE(p.shownPages(), (std::vector<int>{1, 2, 3}));
        QCOMPARE(p.dlg->PageControl2->currentIndex(), 1);
        p.accept();
        const auto& pics = p.stored().Pics;
        QCOMPARE(pics.size(), std::size_t(3));
        QCOMPARE(pics[0].PicText.Strng, std::string("a"));
        QCOMPARE(pics[1].PicText.Strng, std::string("neu"));
        QCOMPARE(pics[1].PicFlags, PicBmp + PicKept);
        QCOMPARE(pics[2].PicText.Strng, std::string("c"));
        QVERIFY(pics[0].PicData == TBArray(a.begin(), a.end()));
        QVERIFY(pics[2].PicData == TBArray(c.begin(), c.end()));
    }

    void tenPicturesLeaveNoRoom() {
        for (const int stored : {9, 10}) {
            PicturePage p;
            p.film(std::vector<TPicRec>(static_cast<std::size_t>(stored), Kept(p.jpeg, PicJpg, "x")));
            QVERIFY(p.open());
            p.dlg->FormActivate();
            QCOMPARE(p.dlg->ButtonAddPic->isEnabled(), stored < 10);
            QCOMPARE(p.dlg->ButtonAddPicAsLink->isEnabled(), stored < 10);
            if (stored == 10)
                continue;
            p.add(p.file("zehn.jpg", p.jpeg), true);
            QCOMPARE(p.shownPages().size(), std::size_t(10));
            QCOMPARE(p.dlg->PageControl2->currentIndex(), 9);
            QVERIFY(!p.dlg->ButtonAddPic->isEnabled());
            // A deletion makes room again.
            p.dlg->ButtonDelPic->click();
            QVERIFY(p.dlg->ButtonAddPic->isEnabled());
        }
        // A viewer adds and deletes nothing.
        PicturePage v;
        v.film({Kept(v.jpeg, PicJpg, "x")}, ModeView);
        QVERIFY(v.open());
        v.dlg->FormActivate();
        QVERIFY(!v.dlg->ButtonAddPic->isEnabled() && !v.dlg->ButtonDelPic->isEnabled());
    }

    void titleOnlyEditKeepsTheBytes() {
        PicturePage p;
        const QByteArray damaged = p.jpeg.left(p.jpeg.size() - 40) + QByteArray(40, '\x11');
        p.film({Kept(p.jpeg, PicJpg, "alt"), Link(p.file("l.jpg", p.jpeg), PicJpg),
                Kept(damaged, PicJpg, "zwei")});
        QVERIFY(p.open());
        const TFilmV26 before = p.stored();
        p.dlg->PageControl2->setCurrentIndex(2);
        p.dlg->EditBildTitel[2]->selectAll();
        QTest::keyClicks(p.dlg->EditBildTitel[2], QStringLiteral("neu"));
        QVERIFY(p.dlg->TitlesChanged && !p.dlg->PicsChanged);
        p.accept();
        const TFilmV26& after = p.stored();
        QCOMPARE(after.AnzPics(), 3);
        QCOMPARE(after.Pics[2].PicText.Strng, std::string("neu"));
        for (std::size_t i = 0; i < 3; ++i) {
            QVERIFY(after.Pics[i].PicData == before.Pics[i].PicData);
            QCOMPARE(after.Pics[i].PicFlags, before.Pics[i].PicFlags);
            QCOMPARE(after.Pics[i].PicSize, before.Pics[i].PicSize);
        }
        QCOMPARE(after.Pics[1].PicText.Strng, before.Pics[1].PicText.Strng);
    }

    void storageModeSnapsBack() {
        PicturePage p;
        p.film({Kept(p.jpeg, PicJpg, "k"), Link(p.file("l.jpg", p.jpeg), PicJpg)});
        QVERIFY(p.open());
        struct Case {
            int page;
            int clicked;
            bool message;
        };
        const Case cases[] = {{0, 1, true}, {0, 0, false}, {1, 0, true}, {1, 1, false}};
        for (const Case& k : cases) {
            p.dlg->PageControl2->setCurrentIndex(k.page);
            if (k.message)
                p.e.t.dialogs.expect(
                    Box::Error, "Diese Einstellung kann nur beim Hinzufügen eines Bildes festgelegt werden!");
            p.dlg->RadioGroupSavePicOpt->button(k.clicked)->click();
            QVERIFY(!p.e.t.dialogs.pending());
            QCOMPARE(p.dlg->RadioGroupSavePicOpt->ItemIndex(), k.page);
        }
    }

    void savingACopy() {
        PicturePage p;
        const QByteArray bmp = Encoded(TwoColours(8, 8), "BMP");
        const std::string link = p.file("verlinkt.jpg", p.jpeg);
        p.film({Kept(bmp, PicBmp, "Bitmap"), Link(link, PicJpg), Kept(p.jpeg, PicJpg, "Cover")});
        QVERIFY(p.open());
        struct Case {
            int page;
            const char* chosen;
            int32_t chosenType;
            const char* written;
            const char* error;
        };
        const Case cases[] = {
            {0, "kopie.jpg", PicJpg, "kopie.BMP",
             "Der Graphik-Typ kann leider nicht geändert werden!\r\nDie Datei wurde mit der Endung \".BMP\" "
             "gespeichert."},
            {0, "kopie2.bmp", PicBmp, "kopie2.bmp", nullptr},
            {2, "cover.JPG", PicJpg, "cover.JPG", nullptr},
        };
        for (const Case& k : cases) {
            p.dlg->PageControl2->setCurrentIndex(k.page);
            p.files.saves.push_back(
                PictureSaveChoice{QString::fromStdString(p.dir.file(k.chosen)), k.chosenType});
            if (k.error)
                p.e.t.dialogs.expect(Box::Error, k.error);
            p.dlg->ButtonSavePic->click();
            QVERIFY(!p.e.t.dialogs.pending());
            const QByteArray& expected = k.page == 0 ? bmp : p.jpeg;
            QCOMPARE(QByteArray::fromStdString(ReadBytes(p.dir.file(k.written))), expected);
        }
        QCOMPARE(p.files.saveRequests.at(0).path, QStringLiteral("Bitmap.bmp"));
        QCOMPARE(p.files.saveRequests.at(0).type, PicBmp);
        QCOMPARE(p.files.saveRequests.at(2).path, QStringLiteral("Cover.jpg"));
        // A link is not copied.
        p.dlg->PageControl2->setCurrentIndex(1);
        p.e.t.dialogs.expect(Box::Information, "Das Bild ist bereits im Pfad\r\n\"" + p.dir.path() +
                                                   "\"\r\nals \"verlinkt.jpg\" gespeichert.\r\n\r\nBitte, "
                                                   "kopieren Sie das Bild dort.");
        p.dlg->ButtonSavePic->click();
        QVERIFY(!p.e.t.dialogs.pending());
        QCOMPARE(p.files.saveRequests.size(), std::size_t(3));
    }

    void unreadablePicturesAreNamedAndKept() {
        PicturePage p;
        const QByteArray rubbish("\xFF\xD8 this is no picture");
        p.film({Kept(p.jpeg, PicJpg, "gut"), Kept(rubbish, PicJpg, "kaputt"),
                Link(p.file("text.jpg", "hallo"), PicJpg)});
        QVERIFY(p.open());
        QCOMPARE(p.shownPages(), (std::vector<int>{1, 2, 3}));
        for (const int page : {2, 3}) {
            p.e.t.dialogs.expect(Box::Error, "Das Bild " + std::to_string(page) +
                                                 " zum Film \"Der Film\" kann nicht angezeigt werden:");
            p.dlg->PageControl2->setCurrentIndex(page - 1);
            QVERIFY(!p.e.t.dialogs.pending());
            QVERIFY(!p.dlg->Image[static_cast<std::size_t>(page - 1)]->hasPicture());
        }
        // Shown once, said once.
        p.dlg->PageControl2->setCurrentIndex(1);
        // Deleting another picture stores the unreadable one with its bytes.
        p.dlg->PageControl2->setCurrentIndex(0);
        p.dlg->ButtonDelPic->click();
        p.accept();
        QCOMPARE(p.stored().AnzPics(), 2);
        QVERIFY(p.stored().Pics[0].PicData == TBArray(rubbish.begin(), rubbish.end()));
    }

    void largeKeptPicturesWarnOncePerRun() {
        PicturePage p;
        p.film({});
        QVERIFY(p.open());
        const std::string big = p.file("gross.bmp", Encoded(TwoColours(1400, 1300), "BMP"));
        QVERIFY(std::filesystem::file_size(big) > std::uintmax_t(LargePictureBytes));
        p.add(big, true); // a link makes nothing grow
        p.e.t.dialogs.expect(Box::Warning, "MB groß.");
        p.add(big, false);
        QVERIFY(!p.e.t.dialogs.pending());
        p.add(big, false);
        QCOMPARE(p.shownPages().size(), std::size_t(3));
    }

    void viewerOnDoubleClickOrAutomatically() {
        PicturePage p;
        p.e.t.ctx.settings.PicAutoShowOption = 0;
        p.film({Kept(p.jpeg, PicJpg, "a"), Kept(Jpeg(60, 40), PicJpg, "b")});
        QVERIFY(p.open());
        QSize seen;
        bool refused = false;
        WhenModalOf<TForm_Kassotek_Image>([&](TForm_Kassotek_Image* w) {
            seen = w->pictureSize();
            // A second viewer while this one shows is refused.
            p.e.t.dialogs.expect(Box::Error, "Erst das Bild-Fenster schließen!");
            p.dlg->ImageDblClick();
            refused = !p.e.t.dialogs.pending();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseDClick(p.dlg->Image[0], Qt::LeftButton);
        QTRY_VERIFY(!TForm_Kassotek_Image::Showing());
        QCOMPARE(seen, QSize(120, 90));
        QVERIFY(refused);
        // With the automatic setting a sub-page change opens it.
        p.e.t.ctx.settings.PicAutoShowOption = 1;
        WhenModalOf<TForm_Kassotek_Image>([&](TForm_Kassotek_Image* w) {
            seen = w->pictureSize();
            w->close();
        });
        p.dlg->PageControl2->setCurrentIndex(1);
        QTRY_VERIFY(!TForm_Kassotek_Image::Showing());
        QCOMPARE(seen, QSize(60, 40));
    }

    void thumbnailsFitTheBoxOrShowTheirOwnSize() {
        for (const int option : {0, 1}) {
            PicturePage p;
            p.e.t.ctx.settings.PicSizeOption = option;
            p.film({Kept(Jpeg(2000, 500), PicJpg, "breit"), Kept(Jpeg(300, 1600), PicJpg, "hoch"),
                    Kept(Jpeg(40, 30), PicJpg, "klein")});
            QVERIFY(p.open());
            for (int i = 0; i < 3; ++i) {
                p.dlg->PageControl2->setCurrentIndex(i);
                const auto n = static_cast<std::size_t>(i);
                QScrollArea* box = p.dlg->ScrollBox[n];
                TPicImage* image = p.dlg->Image[n];
                const QSize pic = image->pictureSize();
                if (option == 1 || i == 2) {
                    QTRY_COMPARE(image->size(), pic);
                    continue;
                }
                // The longer side fills the box less 5 pixels, the other follows the ratio.
                QTRY_VERIFY(image->width() == box->width() - 5 || image->height() == box->height() - 5);
                QVERIFY(image->width() <= box->width() - 5 && image->height() <= box->height() - 5);
                QVERIFY(std::abs(double(image->width()) / image->height() -
                                 double(pic.width()) / pic.height()) < 0.05);
            }
        }
    }
};

QTEST_MAIN(PicturePageTest)
#include "test_picture_page.moc"
