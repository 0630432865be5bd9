#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace kt {

struct PictureSaveChoice {
    QString path;
    int32_t type = 0; // the file type chosen in the dialog's filter list
};

// The file dialogs of the picture page; tests put scripted ones in their place.
class PictureFileDialogs {
public:
    virtual ~PictureFileDialogs() = default;
    // An existing picture file; nothing when cancelled. `asLink`: only the types a link may have.
    virtual std::optional<QString> open(QWidget* parent, bool asLink) = 0;
    // The file to save a kept picture of `type` as, proposed `name`; asks before overwriting.
    virtual std::optional<PictureSaveChoice> save(QWidget* parent, int32_t type, const QString& name) = 0;
};

class QtPictureFileDialogs : public PictureFileDialogs {
public:
    std::optional<QString> open(QWidget* parent, bool asLink) override;
    std::optional<PictureSaveChoice> save(QWidget* parent, int32_t type, const QString& name) override;
};

// Warns once per program run that a kept picture makes the data file grow; true when the warning
// is due for a picture of `bytes` bytes (and counts as given).
bool LargePictureWarningDue(long long bytes);
void ResetLargePictureWarning(); // tests
constexpr long long LargePictureBytes = 5LL * 1024 * 1024;

} // namespace kt
