#include "casseditor/default_cas_length.h"

#include "dialogs/wait_form.h"
#include "cassettes/cassette_restore.h"
#include "model/collection.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kt {

TForm_DefaultCasLength::TForm_DefaultCasLength(QWidget* parent)
    : QDialog(parent), items_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("Form_DefaultCasLength"));
    setWindowTitle(QStringLiteral("Kassotek"));
    auto* group = new QGroupBox(QStringLiteral(" Standard-Cassettenlänge "));
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* groupLayout = new QVBoxLayout(group);
    const char* const texts[] = {"300 min.", "260 min.", "240 min.", "180 min.", "120 min.", "  90 min."};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(texts[i]));
        b->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        items_->addButton(b, i);
        groupLayout->addWidget(b);
    }
    SetItemIndex(2);

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"));
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setAutoDefault(false);
    auto* notUsed = new QPushButton(QStringLiteral("Voreinstellung &nicht benutzen"));
    notUsed->setObjectName(QStringLiteral("BitBtn3"));
    notUsed->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(notUsed);
    buttons->addStretch();
    auto* main = new QHBoxLayout(this);
    main->addWidget(group);
    main->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    connect(notUsed, &QPushButton::clicked, this, [this] { done(NotUsed); });
}

int TForm_DefaultCasLength::ItemIndex() const {
    return items_->checkedId();
}

void TForm_DefaultCasLength::SetItemIndex(int index) {
    if (QAbstractButton* b = items_->button(index))
        b->setChecked(true);
}

int TForm_DefaultCasLength::DefaultLength() const {
    const int index = ItemIndex();
    return index >= 0 && index < 6 ? DefaultCasLengths[index] : 0;
}

bool AskDefaultCasLength(QWidget* parent, int& minutes) {
    TForm_DefaultCasLength form(parent);
    const int result = form.exec();
    if (result == TForm_DefaultCasLength::Chosen)
        minutes = form.DefaultLength();
    else if (result == TForm_DefaultCasLength::NotUsed)
        minutes = 0;
    return result == TForm_DefaultCasLength::Chosen || result == TForm_DefaultCasLength::NotUsed;
}

bool RestaurierungClick(Collection& c, const Settings& settings, UserDialogs& ui, Progress& progress,
                        QWidget* parent) {
    if (!settings.AllowCasRestore)
        return false;
    TraceLine("Notokcas: RestaurierungClick [ENTRY]");
    if (ui.question(RestorationQuestion(), Buttons::YesNo) != Answer::Yes) {
        TraceLine("Notokcas: RestaurierungClick [EXIT] not wanted");
        return false;
    }
    int minutes = 0;
    if (!AskDefaultCasLength(parent, minutes)) {
        TraceLine("Notokcas: RestaurierungClick [EXIT] cancelled");
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = RestoreCassetteData(c, minutes, progress);
    QApplication::restoreOverrideCursor();
    if (!ok)
        ui.error(ErrorText(c.ActError, ""));
    TraceLine("Notokcas: RestaurierungClick [EXIT] AnzCas=" + std::to_string(c.AnzCas()));
    return ok;
}

bool RestaurierungClick(Collection& c, const Settings& settings, UserDialogs& ui, QWidget* parent) {
    WaitProgress progress(parent);
    return RestaurierungClick(c, settings, ui, progress, parent);
}

} // namespace kt
