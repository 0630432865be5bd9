#include "casseditor/not_ok_cas_form.h"

#include "cassettes/cassette_check.h"
#include "dialogs/message_box.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

using namespace literals;

TNotOKCasForm::TNotOKCasForm(const Collection& c, UserDialogs& ui, QWidget* parent)
    : QDialog(parent), c_(c), ui_(ui), list_(new QListWidget),
      refreshBtn_(new QPushButton(QStringLiteral("&Aktualisieren"))),
      endBtn_(new QPushButton(QStringLiteral("&Ende"))), helpBtn_(new QPushButton(QStringLiteral("&Hilfe"))) {
    setObjectName(QStringLiteral("NotOKCasForm"));
    setWindowTitle(QStringLiteral("Unstimmige Cassetten"));
    // A tool window that can be minimised but not resized.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* group = new QGroupBox(QStringLiteral(" Liste "));
    list_->setObjectName(QStringLiteral("NotOKCasListBox"));
    QFont mono = list_->font();
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFamily(QStringLiteral("monospace"));
    list_->setFont(mono);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(list_);

    refreshBtn_->setObjectName(QStringLiteral("AktualisierenBitBtn"));
    refreshBtn_->setDefault(true);
    endBtn_->setObjectName(QStringLiteral("EndeBitBtn"));
    endBtn_->setAutoDefault(false);
    helpBtn_->setObjectName(QStringLiteral("HelpBitBtn"));
    helpBtn_->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(refreshBtn_);
    buttons->addWidget(endBtn_);
    buttons->addWidget(helpBtn_);
    buttons->addStretch();
    auto* main = new QHBoxLayout(this);
    main->addWidget(group, 1);
    main->addLayout(buttons);
    resize(300, 260);

    connect(refreshBtn_, &QPushButton::clicked, this, &TNotOKCasForm::AktualisierenBitBtnClick);
    connect(endBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn_, &QPushButton::clicked, this, &TNotOKCasForm::helpRequested);
    Check();
}

void TNotOKCasForm::Check() {
    TraceLine("Notokcas: Check [ENTRY]");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    list_->clear();
    // The entries come in ascending order already; the blanks in front keep them sorted as text.
    for (const std::string& entry : NotOKCasListEntries(c_))
        list_->addItem(FromCp(entry));
    problemsFound_ = list_->count() > 0;
    QApplication::restoreOverrideCursor();
    TraceLine("Notokcas: Check [EXIT] found=" + std::to_string(list_->count()));
}

bool TNotOKCasForm::CloseWhenEmpty() {
    if (list_->count() > 0 || closing_)
        return false;
    closing_ = true;
    ui_.notice("Keine unstimmigen Cassettendaten gefunden!");
    accept();
    return true;
}

void TNotOKCasForm::AktualisierenBitBtnClick() {
    Check();
    if (!CloseWhenEmpty())
        accept();
}

bool TNotOKCasForm::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        CloseWhenEmpty();
    return handled;
}

bool UeberpruefenClick(const Collection& c, UserDialogs& ui, QWidget* parent) {
    TraceLine("Notokcas: UeberpruefenClick [ENTRY]");
    TNotOKCasForm form(c, ui, parent);
    const bool found = form.ProblemsFound();
    if (found)
        form.exec();
    else
        // The answer to a command the user gave: shown even while informative boxes are off.
        ui.notice(
            "Überprüfung der Cassettendaten durchgeführt!\r\nKeine unstimmigen Cassettendaten gefunden!"_cp);
    TraceLine("Notokcas: UeberpruefenClick [EXIT] found=" + std::string(found ? "yes" : "no"));
    return found;
}

} // namespace kt
