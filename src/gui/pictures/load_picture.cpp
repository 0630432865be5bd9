#include "pictures/load_picture.h"

#include "app_context.h"
#include "pictures/pic_image.h"
#include "pictures/picture_flags.h"
#include "text/cp1252.h"

#include <QFile>
#include <QFileInfo>

namespace kt {

using namespace literals;

QString LinkPath(const TPicRec& pic) {
    return FromCp(pic.PicText.Strng);
}

PictureBytes ReadPictureBytes(const TPicRec& pic) {
    PictureBytes out;
    if (!IsPicLink(pic.PicFlags)) {
        out.bytes = QByteArray(reinterpret_cast<const char*>(pic.PicData.data()),
                               static_cast<qsizetype>(pic.PicData.size()));
        return out;
    }
    const QString path = LinkPath(pic);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        out.missing = true;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.problem =
            QStringLiteral("die Datei \"%1\" kann nicht gelesen werden (%2).").arg(path, file.errorString());
        return out;
    }
    out.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        out.problem =
            QStringLiteral("die Datei \"%1\" kann nicht gelesen werden (%2).").arg(path, file.errorString());
    return out;
}

std::string MissingLinkMessage(const std::string& path) {
    return "Fehler in der Bild-Anzeige!\r\n\r\nKonnte die Datei \"" + path +
           "\" nicht finden!\r\n\r\nBitte, stellen Sie die Datei wieder her oder \r\n"
           "löschen Sie die Verknüfung auf der Bild-Registerseite."_cp;
}

std::string UnreadablePictureMessage(const std::string& filmName, int index, const QString& problem) {
    return "Das Bild "_cp + std::to_string(index) + " zum Film \"" + filmName +
           "\" kann nicht angezeigt werden:\r\n"_cp + ToCp(problem);
}

void ShowPictureBytes(AppContext& ctx, const QByteArray& bytes, int32_t type, TPicImage& image, QSize shown,
                      const std::string& filmName, int index) {
    const DecodedPicture d = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size()), type, shown);
    if (!d.ok) {
        ctx.trace.TraceLine("KtkPic: LoadPicture failed " + ToCp(d.problem));
        ctx.dialogs().error(UnreadablePictureMessage(filmName, index, d.problem));
        return;
    }
    if (d.partial)
        ctx.trace.TraceLine("KtkPic: LoadPicture partial " + ToCp(d.problem));
    image.setPicture(d.image, d.size);
}

bool LoadPictureOf(AppContext& ctx, const TFilmV26& film, int i, TPicImage& image, int& size, QSize shown,
                   bool decode) {
    if (i < 0 || i >= film.AnzPics())
        return false;
    const TPicRec& pic = film.Pics[static_cast<std::size_t>(i)];
    const int32_t type = PicTypeOf(pic.PicFlags);
    if (!IsKnownPicType(type))
        return false;
    static bool jpegRegistered = false;
    if (IsJpegType(type) && !jpegRegistered) {
        jpegRegistered = true;
        ctx.trace.TraceLine("KtkPic: JPEG-Graphik-Dateien (.JPG) registered");
    }
    image.clearPicture();
    image.setStretch(false);
    image.resize(1, 1);
    image.Tag = pic.PicFlags;
    if (IsPicLink(pic.PicFlags) && !QFileInfo(LinkPath(pic)).isFile()) {
        ctx.dialogs().error(MissingLinkMessage(pic.PicText.Strng));
        return true;
    }
    size = pic.PicSize;
    if (!decode)
        return true;
    const PictureBytes read = ReadPictureBytes(pic);
    if (read.missing) {
        ctx.dialogs().error(MissingLinkMessage(pic.PicText.Strng));
        return true;
    }
    if (!read.problem.isEmpty()) {
        ctx.dialogs().error(UnreadablePictureMessage(film.FilmName.Strng, i + 1, read.problem));
        return true;
    }
    ShowPictureBytes(ctx, read.bytes, type, image, shown, film.FilmName.Strng, i + 1);
    return true;
}

bool LoadPicture(AppContext& ctx, TPicImage& image, int i, std::array<int, MaxPics>& sizes, QSize shown,
                 bool decode) {
    Collection& c = ctx.collection;
    if (c.ActFilm == 0 || c.ActFilm > c.AnzFilm() || i < 0 || i >= MaxPics)
        return false;
    return LoadPictureOf(ctx, c.Film(c.ActFilm), i, image, sizes[static_cast<std::size_t>(i)], shown, decode);
}

} // namespace kt
