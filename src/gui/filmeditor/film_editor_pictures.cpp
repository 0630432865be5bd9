#include "filmeditor/film_editor_dialog.h"

#include "app_context.h"
#include "mainwindow/data_file_dialogs.h"
#include "persistence/save_transaction.h"
#include "pictures/load_picture.h"
#include "pictures/pic_image.h"
#include "pictures/picture_codec.h"
#include "pictures/picture_file_dialogs.h"
#include "pictures/picture_flags.h"
#include "pictures/picture_window.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "widgets/radio_group.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>

#include <cmath>
#include <cstring>

// The page "&Bilder": up to ten pictures of the film on sub-pages, added, deleted, saved and shown.
namespace kt {

using namespace literals;

namespace {

constexpr int SizeOwn = 1; // the size setting "Bild in &Bildgröße anzeigen"
constexpr int ViewerAutomatic = 1;

// Size / 1024 rounded, halves to the even number.
long long RoundedKb(long long bytes) {
    const long long q = bytes / 1024;
    const long long r = bytes % 1024;
    if (r > 512 || (r == 512 && (q % 2) != 0))
        return q + 1;
    return q;
}

QSize ScreenArea(QWidget* w) {
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

} // namespace

bool TFilmEigenschaftenDlg::pictureInUse(int n) const {
    return PageControl2->isTabVisible(n);
}

QSize TFilmEigenschaftenDlg::thumbnailTarget() const {
    // Before the page was laid out the box has no size yet; the dialog's usual box is smaller
    // than this, so the reduced picture is sharp when shown.
    return ScrollBox[0]->size().expandedTo(QSize(800, 600));
}

bool TFilmEigenschaftenDlg::FillPictures() {
    const TFilmV26* f = storedFilm();
    if (!f)
        return true;
    filling_ = true;
    bool ok = true;
    for (int i = 0; i < f->AnzPics() && i < MaxPics; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const TPicRec& pic = f->Pics[n];
        const int32_t mode = PicStorageMode(pic.PicFlags);
        if (pic.PicData.empty() && mode == PicKept)
            break;
        if (!LoadPicture(ctx_, *Image[n], i, PicSizes, QSize(), false)) {
            ok = false;
            break;
        }
        // A linked file found missing was reported and stays so until the dialog is opened again.
        decodePending_[n] = !IsPicLink(pic.PicFlags) || PicSizes[n] >= 0;
        {
            const QSignalBlocker block(RadioGroupSavePicOpt);
            RadioGroupSavePicOpt->setItemIndex(mode == PicLink ? 1 : 0);
        }
        picBytes_[n] = IsPicLink(pic.PicFlags) ? TBArray() : pic.PicData;
        PageControl2->setTabVisible(i, true);
        Image[n]->show();
        EditBildTitel[n]->setText(FromCp(pic.PicText.Strng));
        EditBildTitel[n]->setEnabled(mode == PicKept);
    }
    filling_ = false;
    return ok;
}

void TFilmEigenschaftenDlg::decodePending(int n) {
    const auto k = static_cast<std::size_t>(n);
    const TFilmV26* f = storedFilm();
    if (!decodePending_[k] || !f || n >= f->AnzPics())
        return;
    decodePending_[k] = false;
    const TPicRec& pic = f->Pics[k];
    const bool thumbnails = ctx_.settings.PicSizeOption != SizeOwn;
    QByteArray bytes;
    if (IsPicLink(pic.PicFlags)) {
        const PictureBytes read = ReadPictureBytes(pic);
        if (read.missing)
            return;
        if (!read.problem.isEmpty()) {
            ctx_.dialogs().error(UnreadablePictureMessage(f->FilmName.Strng, n + 1, read.problem));
            return;
        }
        bytes = read.bytes;
    } else {
        bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(picBytes_[k].data()),
                                        static_cast<qsizetype>(picBytes_[k].size()));
    }
    ShowPictureBytes(ctx_, bytes, PicTypeOf(pic.PicFlags), *Image[k],
                     thumbnails ? thumbnailTarget() : QSize(), f->FilmName.Strng, n + 1);
    if (thumbnails)
        FitPicture(n);
}

void TFilmEigenschaftenDlg::FitPicture(int n) {
    TPicImage* image = Image[static_cast<std::size_t>(n)];
    const QSize pic = image->pictureSize();
    if (!pic.isValid() || pic.isEmpty())
        return;
    if (ctx_.settings.PicSizeOption == SizeOwn) {
        image->setStretch(false);
        return;
    }
    const QSize box = ScrollBox[static_cast<std::size_t>(n)]->size();
    if (pic.width() <= box.width() - 4 && pic.height() <= box.height() - 4) {
        image->setStretch(false);
        return;
    }
    int w = 0, h = 0;
    if (static_cast<double>(pic.height()) / box.height() > static_cast<double>(pic.width()) / box.width()) {
        h = box.height() - 5;
        w = static_cast<int>(std::lround(static_cast<double>(h) * pic.width() / pic.height()));
    } else {
        w = box.width() - 5;
        h = static_cast<int>(std::lround(static_cast<double>(w) * pic.height() / pic.width()));
    }
    image->setStretch(true);
    image->resize(std::max(w, 1), std::max(h, 1));
}

void TFilmEigenschaftenDlg::ButtonAddPicClick(bool asLink) {
    ctx_.trace.TraceLine("KtkFEd: ButtonAddPicClick [ENTRY] link=" + std::to_string(asLink));
    UserDialogs& ui = ctx_.dialogs();
    if (!pictureDialogs_) {
        ownPictureDialogs_ = std::make_unique<QtPictureFileDialogs>();
        pictureDialogs_ = ownPictureDialogs_.get();
    }
    const std::optional<QString> chosen = pictureDialogs_->open(this, asLink);
    if (!chosen)
        return;
    int free = -1;
    for (int n = 0; n < MaxPics && free < 0; ++n)
        if (!pictureInUse(n))
            free = n;
    if (free < 0)
        return;
    const auto n = static_cast<std::size_t>(free);
    const QString path = *chosen;
    const QFileInfo info(path);
    const QString ext = info.suffix().toUpper();
    int32_t type = PicTypeOfExtension("." + ext.toStdString());
    const bool convert = type == 0 && !asLink && IsConvertibleExtension(ext);
    if ((type == 0 && !convert) || (convert && !CanReadFormat(ext))) {
        ui.error("Nicht unterstütztes Graphik-Format!"_cp);
        return;
    }
    // A link keeps the path as Windows-1252 text, like every text of the film.
    if (asLink && FromCp(ToCp(path)) != path) {
        ui.error("Der Pfad \""_cp + ToCp(path) +
                 "\" enthält Zeichen, die in der Daten-Datei nicht gespeichert werden können.\r\n"
                 "Bitte, benennen Sie die Datei oder den Ordner um."_cp);
        return;
    }
    QFile file(path);
    QByteArray bytes;
    int size = -1;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
        size = file.error() == QFileDevice::NoError ? static_cast<int>(bytes.size()) : -1;
    }
    const std::string filmName = ToCp(ComboBoxFilmName->currentText());
    if (size < 0) {
        ui.error(UnreadablePictureMessage(filmName, free + 1,
                                          QStringLiteral("die Datei \"%1\" kann nicht gelesen werden (%2).")
                                              .arg(path, file.errorString())));
        return;
    }
    if (convert) {
        QByteArray jpeg;
        QString problem;
        if (!ConvertToJpeg(bytes, jpeg, problem)) {
            ui.error(UnreadablePictureMessage(filmName, free + 1, problem));
            return;
        }
        bytes = jpeg;
        size = static_cast<int>(bytes.size());
        type = PicJpg;
        ui.information("Das Bild \""_cp + ToCp(info.fileName()) +
                       "\" wurde in das JPEG-Format umgewandelt (Qualität 90)\r\n"
                       "und wird als \".JPG\"-Bild in der Daten-Datei gespeichert."_cp);
    }
    const bool thumbnails = ctx_.settings.PicSizeOption != SizeOwn;
    const DecodedPicture d =
        DecodePicture(reinterpret_cast<const uint8_t*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()), type, thumbnails ? thumbnailTarget() : QSize());
    if (!d.ok) {
        // Nothing is kept or linked that could never be shown.
        ui.error(UnreadablePictureMessage(filmName, free + 1, d.problem));
        return;
    }
    if (!asLink && LargePictureWarningDue(bytes.size()))
        ui.warning("Das Bild \""_cp + ToCp(info.fileName()) + "\" ist " +
                   std::to_string((bytes.size() + 512 * 1024) / (1024 * 1024)) +
                   " MB groß.\r\nIn der Daten-Datei gespeicherte Bilder vergrößern sie um ihre volle "
                   "Größe;\r\ngroße Bilder besser als Link hinzufügen."_cp);

    filling_ = true;
    PageControl2->setTabVisible(free, true);
    PageControl2->setCurrentIndex(free);
    filling_ = false;
    TPicImage* image = Image[n];
    image->setStretch(thumbnails);
    PicSizes[n] = size;
    image->setPicture(d.image, d.size);
    {
        const QSignalBlocker block(RadioGroupSavePicOpt);
        RadioGroupSavePicOpt->setItemIndex(asLink ? 1 : 0);
    }
    image->Tag = type + (asLink ? PicLink : PicKept);
    picBytes_[n] = asLink ? TBArray() : TBArray(bytes.begin(), bytes.end());
    decodePending_[n] = false;
    if (thumbnails)
        FitPicture(free);
    image->show();
    EditBildTitel[n]->setText(asLink ? path : info.completeBaseName());
    if (!asLink && convert)
        EditBildTitel[n]->setText(info.completeBaseName());
    EditBildTitel[n]->setEnabled(!asLink);
    picAdded_ = true;
    PicsChanged = true;
    PageControl2Change();
    ButtonDelPic->setEnabled(true);
    pictureButtons();
    ctx_.trace.TraceLine("KtkFEd: ButtonAddPicClick [EXIT] page=" + std::to_string(free + 1));
}

void TFilmEigenschaftenDlg::ButtonDelPicClick() {
    const int n = PageControl2->currentIndex();
    if (n < 0 || !pictureInUse(n))
        return;
    const auto k = static_cast<std::size_t>(n);
    Image[k]->hide();
    Image[k]->clearPicture();
    Image[k]->Tag = 0;
    EditBildTitel[k]->clear();
    picBytes_[k].clear();
    decodePending_[k] = false;
    PicSizes[k] = -1;
    filling_ = true;
    PageControl2->setTabVisible(n, false);
    filling_ = false;
    PicsChanged = true;
    PageControl2Change();
    pictureButtons();
}

void TFilmEigenschaftenDlg::RadioGroupSavePicOptClick(int chosen) {
    const int n = PageControl2->currentIndex();
    const int32_t tag = n >= 0 && pictureInUse(n) ? Image[static_cast<std::size_t>(n)]->Tag : 0;
    const int mode = tag != 0 && PicStorageMode(tag) == PicLink ? 1 : 0;
    {
        const QSignalBlocker block(RadioGroupSavePicOpt);
        RadioGroupSavePicOpt->setItemIndex(mode);
    }
    if (chosen != mode)
        ctx_.dialogs().error("Diese Einstellung kann nur beim Hinzufügen eines Bildes festgelegt werden!"_cp);
}

void TFilmEigenschaftenDlg::PageControl2Change() {
    const int n = PageControl2->currentIndex();
    if (n < 0)
        return;
    const auto k = static_cast<std::size_t>(n);
    const bool used = pictureInUse(n);
    if (used)
        decodePending(n);
    if (used && ctx_.settings.PicAutoShowOption == ViewerAutomatic)
        ImageDblClick();
    if (used && PicSizes[k] < 0) {
        LabelPicSize->setText(QStringLiteral("Datei fehlt"));
        LabelPicSize->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    } else {
        LabelPicSize->setText(used ? QStringLiteral("Größe: %1 kB").arg(RoundedKb(PicSizes[k])) : QString());
        LabelPicSize->setStyleSheet(QString());
    }
    const int32_t tag = used ? Image[k]->Tag : 0;
    const bool link = tag != 0 && PicStorageMode(tag) == PicLink;
    const QSignalBlocker block(RadioGroupSavePicOpt);
    RadioGroupSavePicOpt->setItemIndex(link ? 1 : 0);
    EditBildTitel[k]->setEnabled(used && PicStorageMode(tag) == PicKept);
}

void TFilmEigenschaftenDlg::ImageDblClick() {
    const int n = PageControl2->currentIndex();
    if (n < 0 || !pictureInUse(n) || Image[static_cast<std::size_t>(n)]->Tag == 0)
        return;
    if (TForm_Kassotek_Image* showing = TForm_Kassotek_Image::Showing()) {
        // The film list's window cannot be reached while this dialog is open: it makes room.
        if (showing->isModal()) {
            ctx_.dialogs().error("Erst das Bild-Fenster schließen!"_cp);
            return;
        }
        showing->close();
    }
    const auto k = static_cast<std::size_t>(n);
    const int32_t tag = Image[k]->Tag;
    const int32_t type = PicTypeOf(tag);
    QByteArray bytes;
    if (IsPicLink(tag)) {
        TPicRec link;
        link.PicFlags = tag;
        link.PicText.Strng = ToCp(EditBildTitel[k]->text());
        const PictureBytes read = ReadPictureBytes(link);
        if (read.missing) {
            ctx_.dialogs().error(MissingLinkMessage(link.PicText.Strng));
            return;
        }
        if (!read.problem.isEmpty()) {
            ctx_.dialogs().error(
                UnreadablePictureMessage(ToCp(ComboBoxFilmName->currentText()), n + 1, read.problem));
            return;
        }
        bytes = read.bytes;
    } else {
        bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(picBytes_[k].data()),
                                        static_cast<qsizetype>(picBytes_[k].size()));
    }
    // The window is never larger than the screen: no need to decode beyond it.
    const DecodedPicture d = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size()), type, ScreenArea(this));
    if (!d.ok) {
        ctx_.dialogs().error(
            UnreadablePictureMessage(ToCp(ComboBoxFilmName->currentText()), n + 1, d.problem));
        return;
    }
    TForm_Kassotek_Image viewer(this);
    viewer.setPicture(d.image, d.size);
    viewer.resize(d.size + QSize(10, 10));
    viewer.exec();
}

void TFilmEigenschaftenDlg::ButtonSavePicClick() {
    const int n = PageControl2->currentIndex();
    if (n < 0 || !pictureInUse(n) || Image[static_cast<std::size_t>(n)]->Tag == 0)
        return;
    const auto k = static_cast<std::size_t>(n);
    const int32_t tag = Image[k]->Tag;
    UserDialogs& ui = ctx_.dialogs();
    if (IsPicLink(tag)) {
        const std::string path = ToCp(EditBildTitel[k]->text());
        const std::size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        ui.information("Das Bild ist bereits im Pfad\r\n\""_cp + folder + "\"\r\nals \"" + name +
                       "\" gespeichert.\r\n\r\nBitte, kopieren Sie das Bild dort.");
        return;
    }
    if (!pictureDialogs_) {
        ownPictureDialogs_ = std::make_unique<QtPictureFileDialogs>();
        pictureDialogs_ = ownPictureDialogs_.get();
    }
    const int32_t type = PicTypeOf(tag);
    const QString ownExt = QString::fromStdString(PicTypeExtension(type));
    const QString proposed = QFileInfo(EditBildTitel[k]->text()).completeBaseName() + ownExt.toLower();
    const std::optional<PictureSaveChoice> choice = pictureDialogs_->save(this, type, proposed);
    if (!choice)
        return;
    // The picture keeps its own type: the name gets its extension unless it has it already.
    QFileInfo chosen(choice->path);
    QString target = choice->path;
    if (QStringLiteral(".") + chosen.suffix().toUpper() != ownExt)
        target = chosen.dir().filePath(chosen.completeBaseName() + ownExt);
    if (target != choice->path && QFileInfo::exists(target) &&
        ui.question("Die Datei \""_cp + PathBytes(target) +
                        "\" besteht bereits.\r\nSoll sie ersetzt werden?"_cp,
                    Buttons::YesNo, BoxKind::Warning) != Answer::Yes)
        return;
    const TBArray& data = picBytes_[k];
    const WriteOutcome w = WriteFileSafely(
        PathBytes(target), std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (!w.ok) {
        ui.error("Das Bild konnte nicht gespeichert werden:\r\n"_cp + ToCp(target) + "\r\n" +
                 std::strerror(w.error));
        return;
    }
    if (choice->type != type)
        ui.error(
            "Der Graphik-Typ kann leider nicht geändert werden!\r\nDie Datei wurde mit der Endung \""_cp +
            ToCp(ownExt) + "\" gespeichert.");
}

void TFilmEigenschaftenDlg::collectPictures(PictureEdit& pics) const {
    pics.picsChanged = PicsChanged;
    pics.titlesChanged = TitlesChanged;
    const TFilmV26* stored = storedFilm();
    if (PicsChanged) {
        for (int n = 0; n < MaxPics; ++n) {
            const auto k = static_cast<std::size_t>(n);
            const int32_t t = pictureInUse(n) ? Image[k]->Tag : 0;
            if (!IsKnownPicType(PicTypeOf(t)))
                continue;
            TPicRec p;
            p.PicFlags = t;
            p.PicText.Strng = ToCp(EditBildTitel[k]->text());
            if (PicStorageMode(t) == PicKept) {
                // The bytes as they came: a JPEG is never encoded again.
                p.PicData = picBytes_[k];
                p.PicSize = static_cast<int32_t>(p.PicData.size());
            } else {
                p.PicSize = PicSizes[k] < 0 ? 0 : PicSizes[k];
            }
            pics.pics.push_back(std::move(p));
        }
    } else if (TitlesChanged) {
        std::size_t k = 0;
        for (int n = 0; n < MaxPics; ++n) {
            const int32_t t = pictureInUse(n) ? Image[static_cast<std::size_t>(n)]->Tag : 0;
            if (!IsKnownPicType(PicTypeOf(t)))
                continue;
            const QString text = EditBildTitel[static_cast<std::size_t>(n)]->text();
            // A title shown as stored keeps its stored bytes.
            const std::string* original =
                stored && k < stored->Pics.size() ? &stored->Pics[k].PicText.Strng : nullptr;
            pics.titles.push_back(original && FromCp(*original) == text ? *original : ToCp(text));
            ++k;
        }
    }
}

} // namespace kt
