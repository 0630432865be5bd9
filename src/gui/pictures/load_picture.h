#pragma once

#include "model/film.h"
#include "pictures/picture_codec.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <array>
#include <string>

namespace kt {

class AppContext;
class TPicImage;

// A picture's bytes: the kept ones, or the linked file's content. Safe to call off the UI thread.
struct PictureBytes {
    QByteArray bytes;
    bool missing = false; // a linked file that does not exist
    QString problem;      // a linked file that could not be read
};
PictureBytes ReadPictureBytes(const TPicRec& pic);

// The link's file name on this system (the link is kept as Windows-1252 text).
QString LinkPath(const TPicRec& pic);

// The box for a linked file that is not there (Windows-1252).
std::string MissingLinkMessage(const std::string& path);
// The box for a picture that cannot be shown: names the film and the picture (1-based).
std::string UnreadablePictureMessage(const std::string& filmName, int index, const QString& problem);

// Puts picture `i` (from 0) of `film` into `image` and its size into `size`: the tag becomes the
// picture's flags; a missing linked file shows its box and leaves `size` alone; a picture that
// cannot be decoded shows its box and leaves the image empty. False only for an unknown type.
// `shown` is the largest size the picture will be shown at (empty: its own size). Without
// `decode` only the tag, the size and the linked file's presence are settled; the caller decodes
// the picture when it is first shown.
bool LoadPictureOf(AppContext& ctx, const TFilmV26& film, int i, TPicImage& image, int& size,
                   QSize shown = {}, bool decode = true);

// The same for the current film, with one size per sub-page.
bool LoadPicture(AppContext& ctx, TPicImage& image, int i, std::array<int, MaxPics>& sizes, QSize shown = {},
                 bool decode = true);

// Decodes `bytes` of a picture of `type` into `image`; a picture that cannot be shown leaves the
// image empty and says so, naming the film and the picture (1-based).
void ShowPictureBytes(AppContext& ctx, const QByteArray& bytes, int32_t type, TPicImage& image, QSize shown,
                      const std::string& filmName, int index);

} // namespace kt
