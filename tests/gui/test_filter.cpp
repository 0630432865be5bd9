#include "dialogs/editor_form.h"
#include "filmlist/film_list.h"
#include "filter/filter_dialog.h"
#include "gui_test.h"
#include "help/help_window.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <algorithm>

using namespace kt;
using namespace kt::test;

namespace {

using Dlg = TFiltern_Suchen_Sortieren_TabbedNotebookDlg;

const char* const NoFilms = "Für diese Suchen-/Filtern-Einstellung wurden keine Videodaten gefunden.";

struct FilmRow {
    const char* title;
    const char* category;
    int length;
    bool commercials;
    bool twoChannel;
    int32_t lendStatus;
    int32_t storageType;
    const char* director;
    const char* lentTo;
};

// Six films with one distinguishing property each.
const FilmRow Films[] = {
    {"Das Boot", "Krieg", 150, true, false, 1, StVideo, "Wolfgang Petersen", ""},
    {"Bootleg", "Science Fiction", 90, false, true, 1, StDvd, "", ""},
    {"Ärger im Revier", "Science  Fiction", 100, false, false, 1, StVideo, "Steven Spielberg", ""},
    {"Käfer", "science fiction", 80, false, false, 0, StVideo, "", "Anna Nass"},
    {"Weißer Hai", "Abenteuer", 120, true, true, 1, StVideo, "steven SPIELBERG", ""},
    {"Zorro", "Abenteuer", 95, false, false, 1, StVideo, "STEVEN SPIELBERG", ""},
};

void Fill(Collection& c) {
    for (const FilmRow& s : Films) {
        TFilmV26 f = MakeFilm(s.title, s.storageType, c.AnzFilm() + 1);
        f.Category.Strng = s.category;
        f.FilmLength = static_cast<uint16_t>(s.length);
        f.Commercials = s.commercials;
        f.TwoChannel = s.twoChannel;
        f.LendStatus = s.lendStatus;
        f.Director.Strng = s.director;
        f.LentTo.Strng = s.lentTo;
        c.appendFilm(f);
        AddCategoryToList(c, f.Category.Strng);
    }
}

QStringList Set(QStringList titles) {
    titles.sort();
    return titles;
}

struct FilterWindow : ListWindow {
    QSignalSpy rebuilds;

    FilterWindow()
        : ListWindow(Fill), rebuilds(w->FilmStringGrid->model(), &QAbstractItemModel::modelReset) {}

    QStringList listed() const {
        QStringList l;
        for (const std::string& title : titles())
            l << QString::fromStdString(title);
        l.sort();
        return l;
    }
    FilterSearch& fs() { return t.ctx.filterSearch; }
    bool pressed() const { return w->FilterSuchSpeedButton->isChecked(); }
    // Runs the dialog from the menu item; `act` works it while it is open.
    void filter(const std::function<void(Dlg*)>& act) {
        WhenModalOf<Dlg>([act](Dlg* d) {
            // Keys reach the dialog once it is the active window.
            QTRY_VERIFY(d->isActiveWindow());
            act(d);
        });
        w->Filtern_Suchen_und_Sortieren->trigger();
    }
    void replace(const std::function<void(Dlg*)>& act) {
        WhenModalOf<Dlg>([act](Dlg* d) {
            QTRY_VERIFY(d->isActiveWindow());
            act(d);
        });
        w->ErsetzenMI->trigger();
    }
    bool marked(const char* category) {
        for (const TSelectableStr& c : t.ctx.collection.CategoryList)
            if (c.Name == ToCp1252(category))
                return c.Selected;
        return false;
    }
};

void Check(QListWidget* list, const QString& text, bool checked = true) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(text));
    items.first()->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

// Clicks a check box on its indicator (the box may be wider than its caption).
void Tick(QCheckBox* box) {
    QVERIFY(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class FilterDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }
    void cleanup() {
        if (HelpWindow* help = HelpWindow::Instance())
            delete help;
    }

    void dialogShowsThePagesAndTheSettings() {
        FilterWindow f;
        f.fs().FilternVon[FilterNoCommercials] = true;
        f.fs().FilternVon[FilterCategories] = true;
        f.fs().SuchenIn[SearchStars] = true;
        f.fs().SuchText = ToCp1252("Grün");
        f.t.ctx.collection.CategoryList[0].Selected = true; // Krieg
        // No film has such a star: the search, taken over by the close box, lists none.
        f.t.dialogs.expect(Box::Error, NoFilms);
        f.filter([](Dlg* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Kassotek: Filtern und durchsuchen von Filmen"));
            QCOMPARE(HelpContextOf(d), 415);
            QTabWidget* pages = d->PageControl1;
            QCOMPARE(pages->currentIndex(), 0);
            QStringList tabs;
            for (int i = 0; i < pages->count(); ++i)
                tabs << pages->tabText(i);
            QCOMPARE(tabs, QStringList({"Filme &filtern", "Filme &durchsuchen", "Suchen/Ersetzen"}));
            QCOMPARE(d->FilterLaengeCheckBox->text(), QStringLiteral("nur Filme mit L&ängen <= ?? min."));
            QCOMPARE(d->FilterLaengeButton->text(), QStringLiteral("Länge &einstellen"));
            QVERIFY(d->FilterWerbungCheckBox->isChecked());
            QVERIFY(!d->Filter2KanaltonCheckBox->isChecked());
            QVERIFY(d->FilterKategorieCheckBox->isChecked());
            QVERIFY(d->CheckListBoxSelectedCategories->isEnabled());
            // Sorted, each name once, checked by the marks.
            QListWidget* cats = d->CheckListBoxSelectedCategories;
            QCOMPARE(Texts(cats), QStringList({"Abenteuer", "Krieg", "Science  Fiction", "Science Fiction"}));
            QCOMPARE(cats->item(1)->checkState(), Qt::Checked);
            QCOMPARE(cats->item(0)->checkState(), Qt::Unchecked);
            Tick(d->FilterKategorieCheckBox);
            QVERIFY(!cats->isEnabled());

            QCOMPARE(d->SuchenEdit->text(), QStringLiteral("Grün"));
            QCOMPARE(Texts(d->CheckListBoxSuchenNach),
                     QStringList({"im Filmtitel", "in der Liste der Stars", "in der Inhaltsbeschreibung",
                                  "unter Bemerkungen", "unter Regisseur", "im \"verliehen-an\"-Feld"}));
            QCOMPARE(d->CheckListBoxSuchenNach->item(1)->checkState(), Qt::Checked);
            QCOMPARE(d->CheckListBoxSuchenNach->item(0)->checkState(), Qt::Unchecked);
            QCOMPARE(d->RadioGroupAllStorageTypes->title(), QStringLiteral(" suchen in ... "));
            QCOMPARE(d->RadioGroupAllStorageTypes->ItemIndex(), 0);
            QCOMPARE(d->RadioGroupAllStorageTypes->button(1)->text(),
                     QStringLiteral("&allen Speichermedien"));

            QCOMPARE(Texts(d->CheckListBoxErsetzenIn),
                     QStringList({"Film-Name", "Kategorie", "HerstellungsLand", "Stars", "Regisseur",
                                  "Inhalt", "Bemerkung", "Verliehen an (Name)", "Verliehen an (Adresse)",
                                  "Bilder (Pfadangabe!)"}));
            QVERIFY(d->EditBisher->text().isEmpty() && d->EditNeuStr->text().isEmpty());
            QVERIFY(!d->CheckBoxCaseSensitiv->isChecked());
            // The replace page has no activate button.
            QVERIFY(d->StartBitBtn->isEnabled());
            pages->setCurrentIndex(2);
            QVERIFY(!d->StartBitBtn->isEnabled());
            pages->setCurrentIndex(1);
            QVERIFY(d->StartBitBtn->isEnabled());
            QCOMPARE(d->StartBitBtn->text(), QStringLiteral("Filtern und suchen &aktivieren"));
            QCOMPARE(d->DeaktivierenBtn->text(), QStringLiteral("Filtern und suchen be&enden"));
            QTest::keyClick(d, Qt::Key_F1);
            QTRY_VERIFY(HelpWindow::Instance() && HelpWindow::Instance()->isVisible());
            QCOMPARE(HelpWindow::Instance()->browser()->source().fileName(), QStringLiteral("415.html"));
            d->close();
        });
        // The close box took the unchecked category switch over.
        QVERIFY(!f.fs().FilternVon[FilterCategories]);
        QVERIFY(f.fs().FilternVon[FilterNoCommercials]);
        QVERIFY(f.fs().FilterIsActive());
        QVERIFY(f.pressed());
        QVERIFY(f.w->Filtern_Suchen_und_Sortieren->isChecked());
    }

    void search_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<bool>("allMedia");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title in any case")
            << "BOOT" << QList<int>{0} << true << QStringList{"Das Boot", "Bootleg"};
        // Upper-casing is a-z only: ä does not find Ä.
        QTest::newRow("umlaut") << "ä" << QList<int>{0} << false << QStringList{"Käfer"};
        QTest::newRow("director") << "spielberg" << QList<int>{4} << false
                                  << QStringList{"Ärger im Revier", "Weißer Hai", "Zorro"};
        QTest::newRow("borrower") << "nass" << QList<int>{5} << false << QStringList{"Käfer"};
        QTest::newRow("field not chosen") << "nass" << QList<int>{0, 4} << false << QStringList{};
        QTest::newRow("switches without text")
            << "" << QList<int>{0, 1} << false
            << QStringList{"Das Boot", "Ärger im Revier", "Käfer", "Weißer Hai", "Zorro"};
        QTest::newRow("shown media only") << "leg" << QList<int>{0} << false << QStringList{};
        QTest::newRow("all media") << "leg" << QList<int>{0} << true << QStringList{"Bootleg"};
    }
    void search() {
        QFETCH(QString, text);
        QFETCH(QList<int>, fields);
        QFETCH(bool, allMedia);
        QFETCH(QStringList, expected);
        FilterWindow f;
        // DVDs are not shown.
        f.t.ctx.settings.StorageTypeShow = StVideo;
        f.w->AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        f.w->SetAusgabeData();
        if (expected.isEmpty())
            f.t.dialogs.expect(Box::Error, NoFilms);
        f.filter([&](Dlg* d) {
            QTest::keyClick(d, Qt::Key_D, Qt::AltModifier);
            QCOMPARE(d->PageControl1->currentWidget(), d->TabSheetFilmeDurchsuchen);
            d->SuchenEdit->setText(text);
            for (int k : fields)
                d->CheckListBoxSuchenNach->item(k)->setCheckState(Qt::Checked);
            if (allMedia)
                d->RadioGroupAllStorageTypes->button(1)->click();
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(f.listed(), Set(expected));
        const bool active = !text.isEmpty();
        QCOMPARE(f.fs().SearchIsActive(), active);
        QCOMPARE(f.pressed(), active);
        QCOMPARE(f.w->Filtern_Suchen_und_Sortieren->isChecked(), active);
        // The quick search field shows the dialog's search.
        QCOMPARE(f.w->QuickSearchEdit->text(), text);
        QCOMPARE(f.rebuilds.count(), 2); // the medium change above and the dialog's
        QVERIFY(!f.fs().FSS_Changed);
    }

    void filter_data() {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two-channel") << QStringList{"Filter2KanaltonCheckBox"} << QStringList{} << 0
                                     << QStringList{"Bootleg", "Weißer Hai"};
        QTest::newRow("lent only") << QStringList{"CheckBoxNurVerliehene"} << QStringList{} << 0
                                   << QStringList{"Käfer"};
        // Blanks do not count, case does.
        QTest::newRow("category") << QStringList{"FilterKategorieCheckBox"} << QStringList{"Science Fiction"}
                                  << 0 << QStringList{"Bootleg", "Ärger im Revier"};
        QTest::newRow("two categories")
            << QStringList{"FilterKategorieCheckBox"} << QStringList{"Krieg", "Abenteuer"} << 0
            << QStringList{"Das Boot", "Weißer Hai", "Zorro"};
        // Marks without the switch mark nothing.
        QTest::newRow("marks without switch")
            << QStringList{"Filter2KanaltonCheckBox"} << QStringList{"Krieg"} << 0
            << QStringList{"Bootleg", "Weißer Hai"};
        QTest::newRow("length") << QStringList{"FilterLaengeCheckBox"} << QStringList{} << 95
                                << QStringList{"Bootleg", "Käfer", "Zorro"};
        // Without a length only the advertising criterion acts.
        QTest::newRow("length unset")
            << QStringList{"FilterLaengeCheckBox", "FilterWerbungCheckBox"} << QStringList{} << 0
            << QStringList{"Bootleg", "Ärger im Revier", "Käfer", "Zorro"};
        QTest::newRow("all criteria") << QStringList{"FilterLaengeCheckBox", "FilterWerbungCheckBox",
                                                     "Filter2KanaltonCheckBox", "FilterKategorieCheckBox"}
                                      << QStringList{"Science Fiction"} << 95 << QStringList{"Bootleg"};
    }
    void filter() {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, categories);
        QFETCH(int, maxLength);
        QFETCH(QStringList, expected);
        FilterWindow f;
        f.fs().MaxFilmLaenge = static_cast<uint16_t>(maxLength);
        f.filter([&](Dlg* d) {
            for (const QString& name : boxes)
                Tick(d->findChild<QCheckBox*>(name));
            for (const QString& c : categories)
                Check(d->CheckListBoxSelectedCategories, c);
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(f.listed(), Set(expected));
        QVERIFY(f.pressed());
        QCOMPARE(f.rebuilds.count(), 1);
    }

    // The marks are taken over by the activate button only; the close box keeps the switches.
    void categoryMarksAndTheRebuildDecision() {
        FilterWindow f;
        f.filter([](Dlg* d) {
            Tick(d->FilterKategorieCheckBox);
            Check(d->CheckListBoxSelectedCategories, "Krieg");
            d->close();
        });
        QVERIFY(f.fs().FilternVon[FilterCategories]);
        QVERIFY(!f.marked("Krieg"));
        QVERIFY(!f.fs().FilterIsActive());
        QVERIFY(!f.pressed());
        QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));

        f.filter([](Dlg* d) {
            QVERIFY(d->FilterKategorieCheckBox->isChecked());
            QCOMPARE(d->CheckListBoxSelectedCategories->findItems("Krieg", Qt::MatchExactly)[0]->checkState(),
                     Qt::Unchecked);
            Check(d->CheckListBoxSelectedCategories, "Krieg");
            Check(d->CheckListBoxSelectedCategories, "Abenteuer");
            QTest::keyClick(d, Qt::Key_A, Qt::AltModifier);
        });
        QVERIFY(f.marked("Krieg") && f.marked("Abenteuer"));
        QCOMPARE(f.listed(), Set({"Das Boot", "Weißer Hai", "Zorro"}));
        const int before = f.rebuilds.count();

        // Only the marks change, the filter stays active: rebuilt.
        f.filter([](Dlg* d) {
            Check(d->CheckListBoxSelectedCategories, "Krieg", false);
            Check(d->CheckListBoxSelectedCategories, "Abenteuer", false);
            Check(d->CheckListBoxSelectedCategories, "Science Fiction");
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(f.rebuilds.count(), before + 1);
        QCOMPARE(f.listed(), Set({"Bootleg", "Ärger im Revier"}));

        // Nothing changed: not rebuilt.
        f.filter([](Dlg* d) { QTest::mouseClick(d->StartBitBtn, Qt::LeftButton); });
        QCOMPARE(f.rebuilds.count(), before + 1);

        // Switching the category filter off by the activate button clears every mark.
        f.filter([](Dlg* d) {
            Tick(d->FilterKategorieCheckBox);
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QVERIFY(!f.marked("Science Fiction"));
        QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));
        QVERIFY(!f.pressed());
    }

    void lengthBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("stored");
        QTest::newRow("ninety and a blank") << "90 " << true << 90;
        QTest::newRow("letters") << "abc" << true << 300;
        QTest::newRow("too large") << "70000" << true << 300;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("cancelled") << "90" << false << 120;
    }
    void lengthBox() {
        QFETCH(QString, typed);
        QFETCH(bool, confirmed);
        QFETCH(int, stored);
        FilterWindow f;
        f.fs().MaxFilmLaenge = 120;
        f.fs().FilternVon[FilterMaxLength] = true;
        DeriveActiveFlags(f.fs(), f.c().CategoryList);
        f.w->SetAusgabeData();
        f.filter([&](Dlg* d) {
            Tick(d->FilterWerbungCheckBox);
            WhenModalOf<TEditorForm>([&](TEditorForm* box) {
                QCOMPARE(box->windowTitle(), QStringLiteral("Kassotek Editor"));
                QCOMPARE(box->EingabeLabel->text(), QStringLiteral("Max. Länge des Films = "));
                QCOMPARE(box->maskText(), QStringLiteral("120  "));
                box->MaskEdit->selectAll();
                QTest::keyClick(box->MaskEdit, Qt::Key_Delete);
                box->MaskEdit->home(false);
                QTest::keyClicks(box->MaskEdit, typed);
                QTest::mouseClick(confirmed ? box->OKBitBtn : box->AbbruchBitBtn, Qt::LeftButton);
            });
            QTest::mouseClick(d->FilterLaengeButton, Qt::LeftButton);
            // What was set before the box is still set.
            QVERIFY(d->FilterWerbungCheckBox->isChecked());
            Tick(d->FilterWerbungCheckBox);
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(int(f.fs().MaxFilmLaenge), stored);
        // The switches are as before, but the list follows a new length.
        QStringList want;
        for (const FilmRow& s : Films)
            if (stored == 0 || s.length <= stored)
                want << QString::fromUtf8(s.title);
        QCOMPARE(f.listed(), Set(want));
        QVERIFY(!f.fs().FSS_Changed);
    }

    void endingResetsEverything() {
        for (const bool byEscape : {false, true}) {
            FilterWindow f;
            f.fs().FilternVon[FilterTwoChannel] = true;
            f.fs().SuchenIn[SearchTitle] = true;
            f.fs().SuchText = "e";
            f.fs().MaxFilmLaenge = 100;
            f.fs().SearchAllStorageTypes = true;
            f.t.ctx.collection.CategoryList[1].Selected = true;
            DeriveActiveFlags(f.fs(), f.c().CategoryList);
            f.w->SetAusgabeData();
            f.w->UpdateFilterControls();
            QCOMPARE(f.listed(), Set({"Bootleg", "Weißer Hai"}));
            f.rebuilds.clear();
            f.filter([&](Dlg* d) {
                if (byEscape)
                    QTest::keyClick(d->SuchenEdit, Qt::Key_Escape);
                else
                    QTest::mouseClick(d->DeaktivierenBtn, Qt::LeftButton);
            });
            QVERIFY(f.fs() == FilterSearch{});
            // The marks stay.
            QVERIFY(f.t.ctx.collection.CategoryList[1].Selected);
            QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));
            QCOMPARE(f.rebuilds.count(), 1);
            QVERIFY(!f.pressed());
            QVERIFY(!f.w->Filtern_Suchen_und_Sortieren->isChecked());
        }
    }

    // A setting without a hit: one box, the settings kept, list and status bar agree; Ctrl+F and
    // Escape give every film back.
    void emptyResultByKeyboard() {
        FilterWindow f;
        f.focus();
        f.t.dialogs.expect(Box::Error, NoFilms);
        WhenModalOf<Dlg>([](Dlg* d) {
            QTRY_VERIFY(d->isActiveWindow());
            QTest::keyClick(d, Qt::Key_D, Qt::AltModifier);
            QTest::keyClick(d, Qt::Key_N, Qt::AltModifier);
            QVERIFY(d->SuchenEdit->hasFocus());
            QTest::keyClicks(d->SuchenEdit, "Xanadu");
            d->CheckListBoxSuchenNach->item(0)->setCheckState(Qt::Checked);
            QTest::keyClick(d->SuchenEdit, Qt::Key_Return);
        });
        QTest::keyClick(f.w->FilmStringGrid, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(!f.t.dialogs.pending());
        QVERIFY(f.fs().SearchIsActive());
        QCOMPARE(f.fs().SuchText, std::string("Xanadu"));
        QVERIFY(f.pressed());
        QCOMPARE(f.w->filmList().FilledRows(), 0);
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 0/6"));
        QVERIFY(!f.w->GetCurrentFilm());
        QCOMPARE(f.rebuilds.count(), 1);

        f.focus();
        WhenModalOf<Dlg>([](Dlg* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QTest::keyClick(f.w->FilmStringGrid, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 6/6"));
        QVERIFY(!f.pressed());
        QCOMPARE(f.rebuilds.count(), 2);
        QVERIFY(f.w->GetCurrentFilm());
    }

    void toolButtonOpensTheDialog() {
        FilterWindow f;
        WhenModalOf<Dlg>([](Dlg* d) {
            Tick(d->CheckBoxNurVerliehene);
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QTest::mouseClick(f.w->FilterSuchSpeedButton, Qt::LeftButton);
        QCOMPARE(f.listed(), Set({"Käfer"}));
        QVERIFY(f.pressed());
        // Clicking the pressed button opens the dialog and does not raise the button by itself.
        WhenModalOf<Dlg>([](Dlg* d) { d->close(); });
        QTest::mouseClick(f.w->FilterSuchSpeedButton, Qt::LeftButton);
        QVERIFY(f.pressed());
    }

    void replace_data() {
        QTest::addColumn<QString>("bisher");
        QTest::addColumn<QString>("neu");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("directors");
        QTest::newRow("any case") << "Spielberg"
                                  << "Spielberg, S." << false << 3
                                  << QStringList{"Wolfgang Petersen",    "",
                                                 "Steven Spielberg, S.", "",
                                                 "steven Spielberg, S.", "STEVEN Spielberg, S."};
        QTest::newRow("case matched")
            << "Spielberg"
            << "Spielberg, S." << true << 1
            << QStringList{"Wolfgang Petersen", "", "Steven Spielberg, S.", "", "steven SPIELBERG",
                           "STEVEN SPIELBERG"};
        QTest::newRow("no hit") << "Hitchcock"
                                << "X" << false << 0 << QStringList{"Wolfgang Petersen", "",
                                                                    "Steven Spielberg",  "",
                                                                    "steven SPIELBERG",  "STEVEN SPIELBERG"};
    }
    // Through the menu: every film is changed, also one the list does not show; the list is
    // rebuilt only after a change.
    void replace() {
        QFETCH(QString, bisher);
        QFETCH(QString, neu);
        QFETCH(bool, caseSensitive);
        QFETCH(int, count);
        QFETCH(QStringList, directors);
        FilterWindow f;
        f.t.ctx.settings.StorageTypeShow = StDvd;
        f.w->AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        f.w->SetAusgabeData();
        f.rebuilds.clear();
        f.c().DataSaved = true;
        f.t.dialogs.expect(Box::Information,
                           "Es wurden " + std::to_string(count) + " Änderung(en) durchgeführt!");
        f.replace([&](Dlg* d) {
            QVERIFY(d->TabSheetErsetzen->isVisible());
            QVERIFY(!d->PageControl1->isTabVisible(0) && !d->PageControl1->isTabVisible(1));
            QVERIFY(!d->StartBitBtn->isVisible());
            QVERIFY(d->CheckListBoxErsetzenIn->hasFocus());
            const int centre = d->DeaktivierenBtn->geometry().center().x();
            QVERIFY(std::abs(centre - d->width() / 2) < 4);
            Check(d->CheckListBoxErsetzenIn, "Regisseur");
            QTest::keyClicks(d->EditBisher, bisher);
            QTest::keyClicks(d->EditNeuStr, neu);
            d->CheckBoxCaseSensitiv->setChecked(caseSensitive);
            QTest::keyClick(d, Qt::Key_S, Qt::AltModifier);
        });
        QVERIFY(!f.t.dialogs.pending());
        for (int i = 1; i <= f.c().AnzFilm(); ++i)
            QCOMPARE(FromCp(f.c().Film(i).Director.Strng), directors[i - 1]);
        QCOMPARE(f.c().DataSaved, count == 0);
        QCOMPARE(f.rebuilds.count(), count > 0 ? 1 : 0);
        QCOMPARE(f.listed(), Set({"Bootleg"}));
    }

    void replaceWithoutAField() {
        FilterWindow f;
        // Yes: the dialog stays open for the choice; a field chosen, the replace runs.
        f.t.dialogs.expectQuestion("Es wurde kein Feld angegeben, in dem geändert werden soll!", Answer::Yes);
        f.t.dialogs.expect(Box::Information, "Es wurden 1 Änderung(en) durchgeführt!");
        f.replace([&](Dlg* d) {
            QTest::keyClicks(d->EditBisher, "Zorro");
            QTest::keyClicks(d->EditNeuStr, "Zorro II");
            QTest::mouseClick(d->BitBtnErsetzen, Qt::LeftButton);
            QVERIFY(d->isVisible());
            QVERIFY(d->CheckListBoxErsetzenIn->hasFocus());
            QCOMPARE(d->EditBisher->text(), QStringLiteral("Zorro"));
            Check(d->CheckListBoxErsetzenIn, "Film-Name");
            QTest::mouseClick(d->BitBtnErsetzen, Qt::LeftButton);
        });
        QVERIFY(!f.t.dialogs.pending());
        QVERIFY(f.listed().contains("Zorro II"));

        // No: nothing changes, the count 0 is reported, the list is not rebuilt.
        f.rebuilds.clear();
        f.c().DataSaved = true;
        f.t.dialogs.expectQuestion("Angabe nachholen?", Answer::No);
        f.t.dialogs.expect(Box::Information, "Es wurden 0 Änderung(en) durchgeführt!");
        f.replace([&](Dlg* d) {
            QTest::keyClicks(d->EditBisher, "Zorro");
            QTest::mouseClick(d->BitBtnErsetzen, Qt::LeftButton);
        });
        QVERIFY(!f.t.dialogs.pending());
        QVERIFY(f.c().DataSaved);
        QCOMPARE(f.rebuilds.count(), 0);
    }

    // Ending the replace-only dialog switches filter and search off; list and button follow.
    void replaceDialogEndsTheFilter() {
        FilterWindow f;
        f.filter([](Dlg* d) {
            Tick(d->CheckBoxNurVerliehene);
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(f.listed(), Set({"Käfer"}));
        f.rebuilds.clear();
        f.replace([](Dlg* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QVERIFY(!f.fs().FilterIsActive());
        QVERIFY(!f.pressed());
        QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));
        QCOMPARE(f.rebuilds.count(), 1);
        // Nothing active: ending again rebuilds nothing.
        f.replace([](Dlg* d) { QTest::mouseClick(d->DeaktivierenBtn, Qt::LeftButton); });
        QCOMPARE(f.rebuilds.count(), 1);
    }

    // The search as you type: Ctrl+E, the pause, the pressed button, Escape.
    void quickSearch() {
        FilterWindow f;
        f.focus();
        QLineEdit* edit = f.w->QuickSearchEdit;
        QCOMPARE(edit->placeholderText(), QStringLiteral("Schnellsuche"));
        // Ctrl+E reaches the field from the grid and from the line edit of the medium selector.
        auto* selectorText = f.w->CheckedComboBoxShowStorageType->findChild<QLineEdit*>();
        QVERIFY(selectorText);
        selectorText->setFocus();
        QTest::keyClick(selectorText, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(edit->hasFocus());
        f.w->FilmStringGrid->setFocus();
        QTest::keyClick(f.w->FilmStringGrid, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(edit->hasFocus());
        QTest::keyClicks(edit, "spiel");
        // Nothing before the pause.
        QCOMPARE(f.rebuilds.count(), 0);
        QTRY_COMPARE(f.listed(), Set({"Ärger im Revier", "Weißer Hai", "Zorro"}));
        QCOMPARE(f.rebuilds.count(), 1);
        QVERIFY(f.pressed());
        QVERIFY(f.w->Filtern_Suchen_und_Sortieren->isChecked());
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 3/6"));
        // The text of a borrower counts as well; no box when nothing matches.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "nasz");
        QTRY_COMPARE(f.w->filmList().FilledRows(), 0);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_S);
        QTRY_COMPARE(f.listed(), Set({"Käfer"}));

        // The dialog shows the same search.
        f.filter([](Dlg* d) {
            QCOMPARE(d->SuchenEdit->text(), QStringLiteral("nass"));
            for (int k = 0; k < d->CheckListBoxSuchenNach->count(); ++k)
                QCOMPARE(d->CheckListBoxSuchenNach->item(k)->checkState(), Qt::Checked);
            d->close();
        });
        QCOMPARE(f.listed(), Set({"Käfer"}));

        const int before = f.rebuilds.count();
        f.focus();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(f.listed().size(), qsizetype(std::size(Films)));
        QCOMPARE(f.rebuilds.count(), before + 1);
        QVERIFY(!f.fs().SearchIsActive());
        QVERIFY(!f.pressed());
        QVERIFY(f.w->FilmStringGrid->hasFocus());

        // Emptying the field ends it as well; a filter set in the dialog stays.
        f.fs().FilternVon[FilterLentOnly] = true;
        DeriveActiveFlags(f.fs(), f.c().CategoryList);
        edit->setFocus();
        QTest::keyClicks(edit, "x");
        QTRY_VERIFY(f.fs().SearchIsActive());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTRY_VERIFY(!f.fs().SearchIsActive());
        QCOMPARE(f.listed(), Set({"Käfer"}));
        QVERIFY(f.pressed());
    }

    // Just above the width of the two-row layout the single row still holds every control side by side.
    void quickSearchFitsTheSingleRow() {
        FilterWindow f;
        f.w->resize(TKassotekMainWindow::TwoRowWidth + 6, 500);
        QTRY_VERIFY(!f.w->twoRowToolbar());
        QWidget* panel = f.w->SpeedbuttonPanel;
        auto left = [&](QWidget* w) { return w->mapTo(panel, QPoint(0, 0)).x(); };
        QWidget* selector = f.w->CheckedComboBoxShowStorageType;
        QLineEdit* edit = f.w->QuickSearchEdit;
        QVERIFY(left(selector) >= left(f.w->SpeedButtonStatistik) + f.w->SpeedButtonStatistik->width());
        QVERIFY(left(edit) >= left(selector) + selector->width());
        QVERIFY(left(f.w->NameSortSpeedButton) >= left(edit) + edit->width());
        QVERIFY(left(f.w->AboutSpeedButton) + f.w->AboutSpeedButton->width() <= panel->width());
        // With room to spare the field has its full width.
        f.w->resize(1100, 500);
        QTRY_COMPARE(edit->width(), 180);
    }

    // A quick search still waiting for its pause is applied before the dialog reads the settings.
    void quickSearchBeforeTheDialog() {
        FilterWindow f;
        f.w->QuickSearchEdit->setFocus();
        QTest::keyClicks(f.w->QuickSearchEdit, "boot");
        f.filter([](Dlg* d) {
            QCOMPARE(d->SuchenEdit->text(), QStringLiteral("boot"));
            QTest::mouseClick(d->StartBitBtn, Qt::LeftButton);
        });
        QCOMPARE(f.listed(), Set({"Das Boot", "Bootleg"}));
        QTest::qWait(250);
        QCOMPARE(f.listed(), Set({"Das Boot", "Bootleg"}));
    }
};

QTEST_MAIN(FilterDialogTest)
#include "test_filter.moc"
