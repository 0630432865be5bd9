#pragma once

#include "model/dialogs.h"

#include <QDialog>

class QButtonGroup;
class QPushButton;
class QGroupBox;

namespace kt {

class Collection;
class UserDialogs;
struct Settings;

// The restoration's choice of a default cassette length: "&OK" takes the chosen length,
// "Voreinstellung &nicht benutzen" none, "&Abbrechen" ends the restoration.
class TForm_DefaultCasLength : public QDialog {
    Q_OBJECT
public:
    enum Result { Cancelled = 0, Chosen = 1, NotUsed = 3 };

    explicit TForm_DefaultCasLength(QWidget* parent = nullptr);

    // The checked item of RadioGroup1, counted from 0 (300, 260, 240, 180, 120, 90 minutes).
    int ItemIndex() const;
    void SetItemIndex(int index);
    int DefaultLength() const;

private:
    QButtonGroup* items_;
};

// Shows the default-length dialog. False when it was cancelled; otherwise `minutes` is the chosen
// length, 0 for none.
bool AskDefaultCasLength(QWidget* parent, int& minutes);

// The command "&Restaurierung der Cassettendaten": after the question and the choice of a default
// length the whole cassette table is rebuilt from the films, reporting through `progress`. Only
// while the restoration option (AllowCasRestore) is set. True when the table was rebuilt.
bool RestaurierungClick(Collection& c, const Settings& settings, UserDialogs& ui, Progress& progress,
                        QWidget* parent = nullptr);
// The same with the plain wait window.
bool RestaurierungClick(Collection& c, const Settings& settings, UserDialogs& ui, QWidget* parent = nullptr);

} // namespace kt
