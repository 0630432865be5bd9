#include "notepad/notepad_form.h"

#include "app_context.h"
#include "dialogs/message_box.h"
#include "notepad/memo_files.h"
#include "text/cp1252.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace kt {

using namespace kt::literals;

TNotepadForm::TNotepadForm(AppContext& ctx, const std::string& folder, QWidget* parent)
    : QDialog(parent, Qt::Window), ctx_(ctx), folder_(folder) {
    setObjectName(QStringLiteral("NotepadForm"));
    setWindowTitle(QStringLiteral("Kassotek Notizblock"));
    setModal(false);
    resize(520, 380);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    TabSet1 = new QTabBar(this);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setExpanding(false);
    TabSet1->setUsesScrollButtons(true);

    CloseBtn = new QPushButton(QStringLiteral("S&chließen"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setAutoDefault(false);
    NewPageBtn = new QPushButton(QStringLiteral("&Neues Blatt"), this);
    NewPageBtn->setObjectName(QStringLiteral("NewPageBtn"));
    NewPageBtn->setDefault(true);
    DeletePageBtn = new QPushButton(QStringLiteral("Blatt &löschen"), this);
    DeletePageBtn->setObjectName(QStringLiteral("DeletePageBtn"));
    DeletePageBtn->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CloseBtn);
    buttons->addStretch();
    buttons->addWidget(NewPageBtn);
    buttons->addWidget(DeletePageBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Notebook1, 1);
    layout->addWidget(TabSet1);
    layout->addLayout(buttons);

    connect(CloseBtn, &QPushButton::clicked, this, &TNotepadForm::close);
    connect(NewPageBtn, &QPushButton::clicked, this, &TNotepadForm::NewPageBtnClick);
    connect(DeletePageBtn, &QPushButton::clicked, this, &TNotepadForm::DeletePageBtnClick);
    connect(TabSet1, &QTabBar::currentChanged, this, &TNotepadForm::TabSet1Click);

    FormCreate();
}

int TNotepadForm::pageCount() const {
    return Notebook1->count();
}

QPlainTextEdit* TNotepadForm::memo(int index) const {
    return qobject_cast<QPlainTextEdit*>(Notebook1->widget(index));
}

void TNotepadForm::FormCreate() {
    ctx_.trace.TraceLine("Notepad: FormCreate [ENTRY]");
    for (int i = 0; i < 5; ++i)
        addPage();
    const std::vector<MemoFile> files = LoadMemoFiles(folder_);
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (static_cast<int>(k) >= pageCount())
            addPage();
        memo(static_cast<int>(k))->setPlainText(FromCp(files[k].text));
        loaded_.push_back(files[k].name);
    }
    SetTabset(0);
    if (pageCount() > 0)
        memo(0)->setFocus();
    ctx_.trace.TraceLine("Notepad: FormCreate [EXIT] files=" + std::to_string(files.size()));
}

void TNotepadForm::addPage() {
    const int n = pageCount() + 1;
    auto* edit = new QPlainTextEdit(Notebook1);
    edit->setObjectName(QStringLiteral("Memo%1").arg(n));
    edit->setFrameShape(QFrame::StyledPanel);
    Notebook1->addWidget(edit);
}

void TNotepadForm::SetTabset(int pageIndex) {
    filling_ = true;
    while (TabSet1->count() > 0)
        TabSet1->removeTab(TabSet1->count() - 1);
    for (int i = 0; i < pageCount(); ++i)
        TabSet1->addTab(QStringLiteral("Seite %1").arg(i + 1));
    filling_ = false;
    if (pageIndex >= 0 && pageIndex < pageCount()) {
        TabSet1->setCurrentIndex(pageIndex);
        Notebook1->setCurrentIndex(pageIndex);
    }
}

void TNotepadForm::TabSet1Click(int index) {
    if (!filling_ && index >= 0 && index < pageCount())
        Notebook1->setCurrentIndex(index);
}

void TNotepadForm::NewPageBtnClick() {
    addPage();
    SetTabset(pageCount() - 1);
    memo(pageCount() - 1)->setFocus();
}

void TNotepadForm::DeletePageBtnClick() {
    if (pageCount() == 0)
        return;
    QWidget* last = Notebook1->widget(pageCount() - 1);
    Notebook1->removeWidget(last);
    delete last;
    SetTabset(pageCount() - 1);
}

bool TNotepadForm::FormCloseQuery() {
    ctx_.trace.TraceLine("Notepad: FormCloseQuery [ENTRY]");
    std::vector<std::string> texts;
    for (int i = 0; i < pageCount(); ++i)
        texts.push_back(ToCp(memo(i)->toPlainText()));
    const MemoSaveResult r = SaveMemoFiles(folder_, texts, loaded_);
    bool close = true;
    if (r.ok) {
        // What is on disk now is exactly what was written.
        loaded_.clear();
        for (int k = 1, i = 0; i < static_cast<int>(texts.size()); ++i)
            if (!texts[static_cast<std::size_t>(i)].empty())
                loaded_.push_back("Memo" + std::to_string(k++) + ".TXT");
    } else if (r.textsSaved) {
        ctx_.dialogs().warning("Eine alte Notiz-Datei konnte nicht gelöscht werden:\r\n"_cp +
                               ToCp1252(r.file) + "\r\n(" + r.reason + ")");
    } else {
        const Answer a = ctx_.dialogs().question(
            "Die Notizen konnten nicht gespeichert werden:\r\n"_cp + ToCp1252(r.file) + "\r\n(" + r.reason +
                ")\r\n\r\nNotizblock trotzdem schließen? Die nicht gespeicherten Notizen gehen dann verloren."_cp,
            Buttons::YesNo, BoxKind::Error);
        close = a == Answer::Yes;
    }
    ctx_.trace.TraceLine(std::string("Notepad: FormCloseQuery [EXIT] ") + (close ? "close" : "stay"));
    return close;
}

void TNotepadForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
        QWidget::closeEvent(event);
    } else {
        event->ignore();
    }
}

// Escape closes through the same door as every other way.
void TNotepadForm::reject() {
    close();
}

} // namespace kt
