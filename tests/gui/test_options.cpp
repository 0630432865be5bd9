#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "options/options_form.h"
#include "settings/config_file.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {

const char* const TwoColumns = "Achtung: Es müssen mindestens 2 Spalten aktiviert sein!";
const char* const CasEditQuestion = "Wenn Sie Ihre Cassettenbasisdaten manuell verändern,";

struct Options {
    TestContext t;
    std::unique_ptr<TOptionenForm> form;

    void open() {
        form = std::make_unique<TOptionenForm>(t.ctx);
        form->show();
    }
    void ok() { QTest::mouseClick(form->OKBitBtn, Qt::LeftButton); }
    void cancel() { QTest::mouseClick(form->CancelBitBtn, Qt::LeftButton); }
    QListWidgetItem* column(int entry) const { return form->CheckListBoxCols2Show->item(entry); }
    // Toggles a column item from the keyboard as the user does.
    void toggleColumn(int entry) {
        QListWidget* list = form->CheckListBoxCols2Show;
        list->setCurrentItem(column(entry));
        QTest::keyClick(list, Qt::Key_Space);
    }
    int rowOf(const char* longNameUtf8) const {
        const auto items =
            form->ListBoxCellArrayInformation->findItems(QString::fromUtf8(longNameUtf8), Qt::MatchExactly);
        return items.isEmpty() ? -1 : form->ListBoxCellArrayInformation->row(items.first());
    }
};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void openingFillsEveryControlWithoutMessages() {
        Options o;
        Settings& s = o.t.ctx.settings;
        s.SortLength = 5;
        s.MinimizeConfirm = false;
        s.MinimizeTarget = 2;
        s.AllowCasRestore = true;
        // Both boxes would ask or inform when clicked; filling must not.
        s.AllowCasEdit = true;
        s.OverrideStorageTypeShow = true;
        s.CasSubSort = 1;
        s.PicAutoShowOption = 1;
        o.t.ctx.colArrange[ColDirector].Show = false;
        o.open();
        QCOMPARE(o.form->windowTitle(), QStringLiteral("Kassotek - Optionen"));
        QCOMPARE(o.form->PageControl1->currentIndex(), 0);
        QStringList pages;
        for (int i = 0; i < o.form->PageControl1->count(); ++i)
            pages << o.form->PageControl1->tabText(i);
        QCOMPARE(pages, QStringList({"&Allgemein", "&Sicherheit", "anzu&zeigende Spalten",
                                     "Anzei&ge allgemein", "Header festlegen"}));
        QCOMPARE(o.form->SortLengthMaskEdit->text(), QStringLiteral(" 5"));
        QVERIFY(o.form->MinimizeCheckBox->isChecked());
        QCOMPARE(o.form->MinimizeRadioGroup->ItemIndex(), 2);
        QVERIFY(!o.form->CheckBoxActiveCasRestore->isChecked());
        QVERIFY(o.form->AllowCasEditCheckBox->isChecked());
        QVERIFY(o.form->CheckBoxOverrideSpMediumsAnzeige->isChecked());
        QCOMPARE(o.form->RadioGroupCasSubSortBy->ItemIndex(), 1);
        QCOMPARE(o.form->RadioGroupPicAutoShowOptions->ItemIndex(), 1);
        QCOMPARE(o.form->CheckListBoxCols2Show->count(), ColCount);
        QCOMPARE(o.column(ColDirector)->checkState(), Qt::Unchecked);
        QCOMPARE(o.column(ColLength)->text(), QStringLiteral("Länge des Films (insg.)"));
        // The title is always shown and cannot be changed.
        QCOMPARE(o.column(ColTitle)->checkState(), Qt::Checked);
        QVERIFY(!(o.column(ColTitle)->flags() & Qt::ItemIsEnabled));
        QVERIFY(!o.form->CheckBoxShowAllMsg->toolTip().isEmpty());
        // The last page: sorted by long name, the three lists row by row, the title list shown.
        QCOMPARE(o.form->ListBoxCellArrayInformation->count(), ColCount);
        QCOMPARE(o.form->ListBoxCellArrayInformation->item(0)->text(), QStringLiteral("2-Kanalton"));
        QCOMPARE(o.form->ListBoxCellArrayInformation->item(1)->text(), QStringLiteral("Anz. CDs/DVDs"));
        const int row = o.rowOf("Cassetten-Nummer");
        QVERIFY(row > 0);
        QCOMPARE(o.form->ListBoxCellArrayHeader->item(row)->text(), QStringLiteral("Cas.Nr."));
        QCOMPARE(o.form->ListBoxFilmEditorEntry->item(row)->text(), QStringLiteral("&Cassettennr."));
        QCOMPARE(o.form->HeaderPageControl->currentIndex(), 0);
        QCOMPARE(o.form->EditHeaderLabel->text(), QStringLiteral("Header"));
        o.cancel();
        QVERIFY(!o.form->isVisible());
        QVERIFY(!o.form->changed());
    }

    void sortLength_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty keeps") << "" << 25 << false;
        QTest::newRow("blanks keep") << "  " << 25 << false;
        QTest::newRow("one digit") << " 7" << 7 << false;
        QTest::newRow("two digits") << "99" << 99 << false;
        QTest::newRow("zero") << " 0" << 25 << true;
        QTest::newRow("double zero") << "00" << 25 << true;
    }
    void sortLength() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(bool, refused);
        Options o;
        o.open();
        o.form->SortLengthMaskEdit->setText(typed);
        o.form->OpenFile_CheckBox->setChecked(true);
        if (refused)
            o.t.dialogs.expect(Box::Error, "Die Sortierlänge muss zwischen 1 und 99 Zeichen liegen.");
        o.ok();
        QCOMPARE(int(o.t.ctx.settings.SortLength), stored);
        // A refused value applies nothing and keeps the dialog open for a correction.
        QCOMPARE(o.form->isVisible(), refused);
        QCOMPARE(o.t.ctx.settings.OpenFileAtStart, !refused);
    }

    // Values the two digits cannot hold come from a hand-edited configuration; untouched, they stay.
    void anUntouchedSortLengthStays() {
        for (int stored : {0, 150}) {
            Options o;
            o.t.ctx.settings.SortLength = static_cast<uint8_t>(stored);
            o.open();
            o.ok();
            QCOMPARE(int(o.t.ctx.settings.SortLength), stored);
        }
    }

    void okStoresTheSettings() {
        Options o;
        o.open();
        o.form->DirectoryCheckBox->setChecked(false);
        o.form->BkOnFOpenCheckBox->setChecked(false);
        o.form->SaveToIniCheckBox->setChecked(true);
        o.form->MinimizeRadioGroup->setItemIndex(1);
        o.form->MinimizeCheckBox->setChecked(true);
        o.form->CheckBoxShowAllMsg->setChecked(false);
        o.form->CheckBoxCenterFilmTitel->setChecked(true);
        o.form->RadioGroupSuggestPosOnCas->setItemIndex(2);
        o.form->CheckBoxShowFirstPicAutomatically->setChecked(true);
        o.form->RadioGroupPicSizeOptions->setItemIndex(1);
        o.form->RadioGroupPicAutoShowOptions->setItemIndex(1);
        o.ok();
        const Settings& s = o.t.ctx.settings;
        QVERIFY(!s.SaveDir);
        QVERIFY(!s.CreateBakOnFOpen);
        QVERIFY(s.SaveOption);
        QCOMPARE(int(s.MinimizeTarget), 1);
        QVERIFY(!s.MinimizeConfirm);
        QVERIFY(!s.ShowAllMsg);
        QVERIFY(s.CenterFilmTitel);
        QCOMPARE(int(s.SuggestPosOnCas), 2);
        QVERIFY(s.ShowFirstPicAutomatically);
        QCOMPARE(s.PicSizeOption, 1);
        QCOMPARE(s.PicAutoShowOption, 1);
        QVERIFY(!o.form->changed());
        // The picture switch reaches the configuration.
        IniFile ini;
        WriteConfiguration(ini, s, o.t.ctx.collection, o.t.ctx.colArrange, o.t.trace);
        QCOMPARE(ini.value("COMMON", "ShowFirstPicAutomatically"), std::optional<std::string>("1"));
    }

    // Unchecking the last column besides the title re-checks it, whichever column it is.
    void atLeastTwoColumns_data() {
        QTest::addColumn<int>("entry");
        QTest::newRow("length") << int(ColLength);
        QTest::newRow("director") << int(ColDirector);
        QTest::newRow("pictures") << int(ColPics);
    }
    void atLeastTwoColumns() {
        QFETCH(int, entry);
        Options o;
        for (int i = 1; i < ColCount; ++i) {
            o.t.ctx.colArrange[i].Show = i == entry;
            o.t.ctx.colArrange[i].Pos = i == entry ? 1 : -1;
        }
        o.open();
        o.t.dialogs.expect(Box::Error, TwoColumns);
        o.toggleColumn(entry);
        QCOMPARE(o.column(entry)->checkState(), Qt::Checked);
        QVERIFY(o.form->changed());
        // With a second column checked it may go.
        o.toggleColumn(ColYear);
        o.toggleColumn(entry);
        QCOMPARE(o.column(entry)->checkState(), Qt::Unchecked);
        o.ok();
        QVERIFY(!o.t.ctx.colArrange[entry].Show);
        QCOMPARE(o.t.ctx.colArrange[entry].Pos, -1);
        QCOMPARE(o.t.ctx.colArrange[ColYear].Pos, 1);
    }

    void aNewlyShownColumnComesLast() {
        Options o;
        ColArrange& ca = o.t.ctx.colArrange;
        for (int i : {int(ColPos), int(ColYear)}) {
            ca[i].Show = false;
            ca[i].Pos = -1;
        }
        Check_ColArrangePos(ca);
        o.open();
        o.toggleColumn(ColPos);
        o.toggleColumn(ColPics); // hidden at the same time
        o.ok();
        QVERIFY(o.form->changed());
        QVERIFY(ca[ColPos].Show);
        QCOMPARE(ca[ColPos].Pos, 22);
        QCOMPARE(ca[ColPics].Pos, -1);
        QCOMPARE(ca[ColYear].Pos, -1);
        QCOMPARE(ca[ColCategory].Pos, 3);
        QCOMPARE(ca[ColDiscs].Pos, 21);
        QCOMPARE(CountShownColumns(ca), 23);
    }

    void headersAndLabels() {
        Options o;
        o.open();
        const int row = o.rowOf("Kategorie");
        o.form->ListBoxCellArrayInformation->setCurrentRow(row);
        QCOMPARE(o.form->ListBoxCellArrayHeader->currentRow(), row);
        QCOMPARE(o.form->ListBoxFilmEditorEntry->currentRow(), row);
        QCOMPARE(o.form->EditHeader->text(), QStringLiteral("Kategorie"));
        o.form->EditHeader->selectAll();
        QTest::keyClicks(o.form->EditHeader, QStringLiteral("Genre"));
        QCOMPARE(o.form->ListBoxCellArrayHeader->item(row)->text(), QStringLiteral("Genre"));
        // Arrow keys move all three lists within their bounds.
        QTest::keyClick(o.form->ListBoxCellArrayHeader, Qt::Key_Down);
        QCOMPARE(o.form->ListBoxCellArrayInformation->currentRow(), row + 1);
        o.form->ListBoxCellArrayInformation->setCurrentRow(ColCount - 1);
        QTest::keyClick(o.form->ListBoxCellArrayInformation, Qt::Key_Down);
        QCOMPARE(o.form->ListBoxFilmEditorEntry->currentRow(), ColCount - 1);
        o.cancel();
        QCOMPARE(ToUtf8(o.t.ctx.colArrange[ColCategory].Header), std::string("Kategorie"));

        o.open();
        o.form->ListBoxCellArrayHeader->setCurrentRow(row);
        o.form->EditHeader->selectAll();
        QTest::keyClicks(o.form->EditHeader, QStringLiteral("Genre"));
        // The other tab edits the film editor's label of the same row.
        o.form->HeaderPageControl->setCurrentIndex(1);
        QCOMPARE(o.form->EditHeaderLabel->text(), QStringLiteral("Film-Editor"));
        QCOMPARE(o.form->EditHeader->text(), QStringLiteral("&Kategorie"));
        o.form->EditHeader->selectAll();
        QTest::keyClicks(o.form->EditHeader, QStringLiteral("&Genre"));
        o.ok();
        QCOMPARE(ToUtf8(o.t.ctx.colArrange[ColCategory].Header), std::string("Genre"));
        QCOMPARE(ToUtf8(o.t.ctx.colArrange[ColCategory].EditLabel), std::string("&Genre"));
        QCOMPARE(ToUtf8(o.t.ctx.colArrange[ColDirector].Header), std::string("Regisseur"));
        IniFile ini;
        WriteConfiguration(ini, o.t.ctx.settings, o.t.ctx.collection, o.t.ctx.colArrange, o.t.trace);
        QCOMPARE(ini.value("Spaltentitel", "4"), std::optional<std::string>("Genre"));
    }

    void cassetteEditingAsksAndActsAtOnce() {
        Options o;
        o.open();
        o.t.dialogs.expectQuestion(CasEditQuestion, Answer::No);
        o.form->AllowCasEditCheckBox->click();
        QVERIFY(!o.form->AllowCasEditCheckBox->isChecked());
        QVERIFY(!o.t.ctx.settings.AllowCasEdit);
        o.t.dialogs.expectQuestion(CasEditQuestion, Answer::Yes);
        o.form->AllowCasEditCheckBox->click();
        QVERIFY(o.t.ctx.settings.AllowCasEdit);
        o.cancel();
        QVERIFY(o.t.ctx.settings.AllowCasEdit);
        // Unchecking asks nothing.
        o.open();
        o.form->AllowCasEditCheckBox->click();
        QVERIFY(!o.t.ctx.settings.AllowCasEdit);
    }

    void aNewSwapFolderStaysAfterCancel() {
        Options o;
        o.open();
        QString asked;
        o.form->chooseFolder = [&](QWidget*, const QString& start) {
            asked = start;
            return QStringLiteral("/tmp/Auslagerung");
        };
        const QString before = QString::fromStdString(o.t.ctx.settings.TempDir);
        o.form->TempDirButton->click();
        QCOMPARE(asked, before);
        QCOMPARE(o.t.ctx.settings.TempDir, std::string("/tmp/Auslagerung/"));
        QCOMPARE(o.form->TempDirLabel->text(), QStringLiteral("/tmp/Auslagerung/"));
        o.cancel();
        QCOMPARE(o.t.ctx.settings.TempDir, std::string("/tmp/Auslagerung/"));
        // A cancelled chooser changes nothing.
        o.open();
        o.form->chooseFolder = [](QWidget*, const QString&) { return QString(); };
        o.form->TempDirButton->click();
        QCOMPARE(o.t.ctx.settings.TempDir, std::string("/tmp/Auslagerung/"));
    }

    void restorationStartsUncheckedEveryTime() {
        Options o;
        o.open();
        // The second caption line works the box.
        QTest::mouseClick(o.form->FreischaltenLabel, Qt::LeftButton);
        QVERIFY(o.form->CheckBoxActiveCasRestore->isChecked());
        o.ok();
        QVERIFY(o.t.ctx.settings.AllowCasRestore);
        o.open();
        QVERIFY(!o.form->CheckBoxActiveCasRestore->isChecked());
        o.ok();
        QVERIFY(!o.t.ctx.settings.AllowCasRestore);
    }

    void overrideAndSubSortMarkAChange() {
        Options o;
        o.open();
        o.t.dialogs.expect(Box::Information, "Sie können hier die Auswahl der Speichermedien deaktivieren,");
        o.form->CheckBoxOverrideSpMediumsAnzeige->click();
        o.ok();
        QVERIFY(o.form->changed());
        QVERIFY(o.t.ctx.settings.OverrideStorageTypeShow);
        o.open();
        o.form->RadioGroupCasSubSortBy->setItemIndex(1);
        o.ok();
        QVERIFY(o.form->changed());
        QCOMPARE(int(o.t.ctx.settings.CasSubSort), 1);
        o.open();
        o.form->CheckBox_BoldFixedRowColFilmStringGrid->click();
        o.cancel();
        QVERIFY(o.form->changed());
        QVERIFY(o.t.ctx.settings.MarkFilmList);
    }

    // Ctrl+O in the main window: the list follows the dialog, and so do the menu and the selector.
    void theMainWindowFollowsTheDialog() {
        ListWindow g([](Collection&) {});
        const auto headers = [&] {
            QStringList out;
            const FilmList& list = g.w->filmList();
            for (int col = 0; col < list.ColCount(); ++col)
                out << FromCp(std::string(list.Cell(0, col)));
            return out;
        };
        QVERIFY(headers().contains(QStringLiteral("Regisseur")));
        QVERIFY(!g.w->RestaurierungderCassettendaten->isVisible());
        g.focus();
        WhenModalOf<TOptionenForm>([](TOptionenForm* f) {
            f->CheckListBoxCols2Show->item(ColDirector)->setCheckState(Qt::Unchecked);
            f->CheckBoxActiveCasRestore->setChecked(true);
            f->OKBitBtn->click();
        });
        QTest::keyClick(g.w.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(!headers().contains(QStringLiteral("Regisseur")));
        QCOMPARE(headers().size(), ColCount - 1);
        QVERIFY(g.w->RestaurierungderCassettendaten->isVisible());
        QVERIFY(g.w->RestaurierungderCassettendaten->isEnabled());

        // Without a change only the titles are refreshed.
        WhenModalOf<TOptionenForm>([](TOptionenForm* f) {
            QListWidget* names = f->ListBoxCellArrayInformation;
            names->setCurrentItem(names->findItems(QStringLiteral("Jahr"), Qt::MatchExactly).first());
            f->EditHeader->selectAll();
            QTest::keyClicks(f->EditHeader, QStringLiteral("Baujahr"));
            f->OKBitBtn->click();
        });
        g.w->OptionenProgramm->trigger();
        QVERIFY(headers().contains(QStringLiteral("Baujahr")));
        QVERIFY(!g.w->RestaurierungderCassettendaten->isVisible());
        QVERIFY(g.w->CheckedComboBoxShowStorageType->isEnabled());

        g.t.dialogs.expect(Box::Information, "Sie können hier die Auswahl");
        WhenModalOf<TOptionenForm>([](TOptionenForm* f) {
            f->CheckBoxOverrideSpMediumsAnzeige->click();
            f->OKBitBtn->click();
        });
        g.w->OptionenProgramm->trigger();
        QVERIFY(!g.w->CheckedComboBoxShowStorageType->isEnabled());
    }
};

QTEST_MAIN(OptionsTest)
#include "test_options.moc"
