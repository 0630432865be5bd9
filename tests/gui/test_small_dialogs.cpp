#include "dialogs/about_form.h"
#include "dialogs/editor_form.h"
#include "dialogs/wait_form.h"
#include "gui_test.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace kt;
using namespace kt::test;

namespace {

TWaitForm* VisibleWaitForm() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TWaitForm*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void waitBoxFollowsTheProgress() {
        QPointer<TWaitForm> form;
        {
            WaitProgress progress;
            progress.start("Laden der Datei\r\nfilme.vd6", 200);
            form = VisibleWaitForm();
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Systemmeldung"));
            QCOMPARE(form->findChild<QLabel*>("Label1")->text(),
                     QStringLiteral("Laden der Datei\nfilme.vd6"));
            auto* gauge = form->findChild<QProgressBar*>("Gauge");
            QCOMPARE(gauge->maximum(), 200);
            QCOMPARE(gauge->value(), 0);
            progress.step(150);
            QCOMPARE(gauge->value(), 150);
            progress.step(999); // beyond the range: the bar stays full, nothing breaks
            QCOMPARE(gauge->value(), 200);

            // a second start reuses the box with the new text and range
            progress.start("Speichern", 0);
            QCOMPARE(VisibleWaitForm(), form.data());
            QCOMPARE(form->Label1->text(), QStringLiteral("Speichern"));
            QCOMPARE(form->Gauge->maximum(), 1); // an empty range is no busy animation
            progress.finish();
            QVERIFY(form.isNull());
            progress.step(5); // after finish nothing is left to move
        }
        {
            WaitProgress progress;
            progress.start("x", 10);
            form = VisibleWaitForm();
        } // destroyed without finish: the box goes with it
        QVERIFY(form.isNull());
    }

    void progressGoesToTheStartScreenWhileItExists() {
        TraceLog trace;
        AppContext ctx(trace);
        {
            TUeberForm start(ctx, TUeberForm::Mode::StartUp);
            start.showStartScreen();
            QCOMPARE(ctx.startScreenGauge(), start.Gauge);
            auto progress = ctx.makeProgress();
            progress->start("Laden", 40);
            QVERIFY(!VisibleWaitForm());
            progress->step(10);
            QCOMPARE(start.Gauge->maximum(), 40);
            QCOMPARE(start.Gauge->value(), 10);
            progress->finish();
            QCOMPARE(start.Gauge->value(), 40);
        }
        QVERIFY(!ctx.startScreenGauge());
        auto progress = ctx.makeProgress();
        progress->start("Laden", 5);
        QVERIFY(VisibleWaitForm());
        progress->finish();
        QVERIFY(!VisibleWaitForm());
    }

    void startScreenAndInformationWindowDiffer() {
        TestContext t;
        TUeberForm start(t.ctx, TUeberForm::Mode::StartUp);
        start.showStartScreen();
        QCOMPARE(start.windowTitle(), QStringLiteral("Starten von Jorvald's Kassotek ..."));
        QVERIFY(start.PanelGauge->isVisible());
        QVERIFY(!start.OKBitBtn->isVisible());
        QVERIFY(!start.OKBitBtn->isEnabled());
        QVERIFY(start.CommentsPanel->geometry().top() >= start.PanelGauge->geometry().bottom());

        TUeberForm info(t.ctx, TUeberForm::Mode::Information);
        WhenModal([&](QWidget* w) {
            QCOMPARE(w, &info);
            QCOMPARE(info.windowTitle(), QStringLiteral("Information zu Kassotek"));
            QVERIFY(!info.PanelGauge->isVisible());
            QVERIFY(info.OKBitBtn->isVisible() && info.OKBitBtn->isEnabled());
            QVERIFY(info.VersionLabel->text().startsWith(QStringLiteral("Version: ")));
            QVERIFY(info.ReleaseLabel->text().contains(QRegularExpression("^Release:  \\d\\d(-\\d\\d){5}$")));
            QTest::mouseClick(info.OKBitBtn, Qt::LeftButton);
        });
        info.showInformation();
        QVERIFY(!info.isVisible());

        WhenModal([&](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        info.showInformation();
        QVERIFY(!info.isVisible());
    }

    void linksOpenAndCopyTheirTargets() {
        TestContext t;
        TUeberForm info(t.ctx, TUeberForm::Mode::Information);
        info.show();
        QTest::mouseClick(info.InternetLink, Qt::LeftButton);
        QTest::mouseClick(info.EMailLink, Qt::LeftButton);
        QCOMPARE(t.openedUrls.size(), std::size_t(2));
        QCOMPARE(t.openedUrls[0], QUrl(QLatin1String(MakerWebPage)));
        QCOMPARE(t.openedUrls[1].scheme(), QStringLiteral("mailto"));
        QCOMPARE(t.openedUrls[1].path(), QLatin1String(MakerMailAddress));
        QCOMPARE(t.openedUrls[1].query(), QStringLiteral("subject=Kassotek"));
        QVERIFY(info.InternetLink->toolTip().contains(QStringLiteral("aktuelle Informationen\nzu Kassotek")));

        for (QLabel* link : {info.InternetLink, info.EMailLink}) {
            QApplication::clipboard()->clear();
            WhenPopup([](QWidget* popup) {
                auto* menu = qobject_cast<QMenu*>(popup);
                QVERIFY(menu);
                QCOMPARE(menu->actions().size(), 1);
                QCOMPARE(menu->actions()[0]->text(),
                         QStringLiteral("Adresse in die Zwischenablage kopieren"));
                menu->actions()[0]->trigger();
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), link->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(link, &event);
            const QString expected =
                link == info.InternetLink ? QString::fromLatin1(MakerWebPage) : MakerMailTarget();
            QCOMPARE(QApplication::clipboard()->text(), expected);
        }
    }

    // A box of a long operation opens over the wait box or the start screen, stays on top like
    // them, and has the keyboard: Escape reaches it at once.
    void boxesOpenAboveTheWaitBoxAndTheStartScreen() {
        TestContext t;
        t.ctx.setDialogs(nullptr); // the real boxes
        QWidget mainWindow;
        mainWindow.show();
        t.ctx.setDialogParent(&mainWindow);
        const auto checkBox = [](QWidget* expectedParent) {
            WhenModal([expectedParent](QWidget* box) {
                QCOMPARE(box->parentWidget(), expectedParent);
                QCOMPARE(bool(box->windowFlags() & Qt::WindowStaysOnTopHint),
                         bool(expectedParent->windowFlags() & Qt::WindowStaysOnTopHint));
                QVERIFY(box->isModal());
                QCOMPARE(QApplication::activeModalWidget(), box);
                QTRY_VERIFY(QApplication::focusWidget() && box->isAncestorOf(QApplication::focusWidget()));
                if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                    QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            });
        };
        {
            WaitProgress progress(&mainWindow);
            progress.start("Laden der Filmdaten", 10);
            QVERIFY(progress.form());
            checkBox(progress.form());
            t.ctx.dialogs().warning("Die Cassettendatei fehlt.");
            checkBox(progress.form());
            QCOMPARE(t.ctx.dialogs().question("Datei trotzdem laden?", Buttons::YesNo), Answer::No);
            checkBox(progress.form());
            ThreeWayQuestion q;
            q.caption = "Kassotek";
            q.line1 = "Zeile 1";
            q.okCaption = "&OK";
            q.abortCaption = "&Abbruch";
            QCOMPARE(t.ctx.dialogs().threeWay(q), Answer::Cancel);
        }
        TUeberForm screen(t.ctx, TUeberForm::Mode::StartUp);
        screen.showStartScreen();
        checkBox(&screen);
        t.ctx.dialogs().error("Konnte Dateiformat NICHT erkennen!");
        screen.close();
        // Without them a box belongs to the window it was given.
        checkBox(&mainWindow);
        t.ctx.dialogs().error("Fehler");
        t.ctx.setDialogs(&t.dialogs);
    }

    void addressesWithoutAProgramAreShown() {
        TestContext t;
        t.ctx.openUrl = [](const QUrl&) { return false; };
        TUeberForm info(t.ctx, TUeberForm::Mode::Information);
        info.show();
        t.dialogs.expect(Box::Warning,
                         std::string("kein Browser eingerichtet, der diese Seite öffnen könnte:\r\n") +
                             MakerWebPage + "\r\n\r\nSie können die Adresse hier markieren und kopieren");
        QTest::mouseClick(info.InternetLink, Qt::LeftButton);
        t.dialogs.expect(Box::Warning,
                         std::string("kein E-Mail-Programm eingerichtet, das eine Nachricht an\r\n") +
                             MakerMailAddress + "\r\nschreiben könnte.");
        QTest::mouseClick(info.EMailLink, Qt::LeftButton);
    }

    void productPictureIsDrawn() {
        const QImage img = ProductPicture(QSize(200, 80)).toImage();
        QCOMPARE(img.size(), QSize(200, 80));
        QSet<QRgb> colours;
        for (int x = 0; x < img.width(); x += 4)
            colours.insert(img.pixel(x, img.height() / 2));
        QVERIFY(colours.size() > 5);
    }

    void editorTakesFiveDigits() {
        TEditorForm editor;
        QCOMPARE(editor.EingabeLabel->text(), QStringLiteral("EingabeLabel = "));
        QCOMPARE(editor.maskText(), QStringLiteral("     "));
        editor.setWindowTitle(QStringLiteral("Kassotek Editor"));
        editor.setLabel(QStringLiteral("Max. Länge des Films = "));
        editor.show();
        QVERIFY(editor.MaskEdit->geometry().left() >= editor.EingabeLabel->geometry().right());
        editor.MaskEdit->setFocus();
        editor.MaskEdit->home(false);
        QTest::keyClicks(editor.MaskEdit, QStringLiteral("9a0x1234"));
        QCOMPARE(editor.maskText(), QStringLiteral("90123"));
        editor.setMaskText(QStringLiteral("120"));
        QCOMPARE(editor.maskText(), QStringLiteral("120  "));
        editor.hide();

        WhenModal([](QWidget* w) { ClickButton(w, QStringLiteral("OK")); });
        QCOMPARE(editor.exec(), int(QDialog::Accepted));
        WhenModal([](QWidget* w) { ClickButton(w, QStringLiteral("Abbrechen")); });
        QCOMPARE(editor.exec(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "test_small_dialogs.moc"
