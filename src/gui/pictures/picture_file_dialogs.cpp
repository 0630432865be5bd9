#include "pictures/picture_file_dialogs.h"

#include "pictures/picture_codec.h"
#include "pictures/picture_flags.h"

#include <QFileDialog>
#include <QStringList>

namespace kt {

namespace {

bool& LargeWarned() {
    static bool warned = false;
    return warned;
}

// Linux names are case-sensitive: each pattern in both cases.
QString Patterns(const QStringList& exts) {
    QStringList out;
    for (const QString& e : exts)
        out << QStringLiteral("*.") + e.toLower() << QStringLiteral("*.") + e.toUpper();
    return out.join(QLatin1Char(' '));
}

const int32_t SaveTypes[] = {PicJpg, PicJpeg, PicBmp, PicEmf, PicWmf};

QString SaveFilter(int32_t type) {
    switch (type) {
    case PicJpg:
        return QStringLiteral("JPEG-Graphik-Dateien (%1)").arg(Patterns({"jpg"}));
    case PicJpeg:
        return QStringLiteral("JPEG-Graphik-Dateien (%1)").arg(Patterns({"jpeg"}));
    case PicBmp:
        return QStringLiteral("Bitmaps (%1)").arg(Patterns({"bmp"}));
    case PicEmf:
        return QStringLiteral("Erweiterte Metadateien (%1)").arg(Patterns({"emf"}));
    default:
        return QStringLiteral("Metadateien (%1)").arg(Patterns({"wmf"}));
    }
}

} // namespace

std::optional<QString> QtPictureFileDialogs::open(QWidget* parent, bool asLink) {
    QStringList exts = {"jpg", "jpeg", "bmp", "emf", "wmf"};
    QStringList filters;
    if (!asLink)
        for (const char* e : {"png", "gif", "webp"})
            if (CanReadFormat(QString::fromLatin1(e).toUpper()))
                exts << QString::fromLatin1(e);
    filters << QStringLiteral("Alle Bilder (%1)").arg(Patterns(exts))
            << QStringLiteral("JPEG-Graphik-Dateien (%1)").arg(Patterns({"jpg", "jpeg"}))
            << QStringLiteral("Bitmaps (%1)").arg(Patterns({"bmp"}))
            << QStringLiteral("Metadateien (%1)").arg(Patterns({"emf", "wmf"}))
            << QStringLiteral("Alle Dateien (*)");
    QFileDialog dialog(parent, asLink ? QStringLiteral("Bild als Link hinzufügen")
                                      : QStringLiteral("Bild hinzufügen"));
    dialog.setObjectName(QStringLiteral("OpenPictureDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<PictureSaveChoice> QtPictureFileDialogs::save(QWidget* parent, int32_t type,
                                                            const QString& name) {
    QStringList filters;
    for (int32_t t : SaveTypes)
        filters << SaveFilter(t);
    QFileDialog dialog(parent, QStringLiteral("Bild speichern als"));
    dialog.setObjectName(QStringLiteral("SavePictureDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(SaveFilter(type));
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    PictureSaveChoice choice;
    choice.path = dialog.selectedFiles().constFirst();
    const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    choice.type = index >= 0 ? SaveTypes[index] : type;
    return choice;
}

bool LargePictureWarningDue(long long bytes) {
    if (bytes <= LargePictureBytes || LargeWarned())
        return false;
    LargeWarned() = true;
    return true;
}

void ResetLargePictureWarning() {
    LargeWarned() = false;
}

} // namespace kt
