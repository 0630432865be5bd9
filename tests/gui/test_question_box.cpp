#include "dialogs/message_box.h"
#include "dialogs/yes_no_stop_box.h"
#include "gui_test.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using kt::Answer;
using kt::TYesNoStopBoxForm;
using namespace kt::test;

Q_DECLARE_METATYPE(TYesNoStopBoxForm::Result)

class QuestionBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void theBoxHasItsNamedControls() {
        TYesNoStopBoxForm box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Sicherheitsabfrage"));
        QCOMPARE(box.findChild<QPushButton*>("OkBitBtn")->text(), QStringLiteral("&OK"));
        QCOMPARE(box.findChild<QPushButton*>("NoBitBtn")->text(), QStringLiteral("&Nein"));
        QCOMPARE(box.findChild<QPushButton*>("AbbruchBitBtn")->text(), QStringLiteral("&Abbruch"));
        QVERIFY(box.findChild<QLabel*>("YesNoStopBoxLabel1"));
        QVERIFY(box.findChild<QLabel*>("YesNoStopBoxLabel2"));
        QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
    }

    // How the box was left, and what it answers.
    void resultOfEachWayOut_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<TYesNoStopBoxForm::Result>("expected");
        QTest::newRow("OK clicked") << "ok-click" << TYesNoStopBoxForm::Ok;
        QTest::newRow("No clicked") << "no-click" << TYesNoStopBoxForm::No;
        QTest::newRow("No focused, space") << "no-focus-space" << TYesNoStopBoxForm::No;
        QTest::newRow("No by its accelerator alone") << "no-accelerator" << TYesNoStopBoxForm::Abort;
        QTest::newRow("Abort clicked") << "abort-click" << TYesNoStopBoxForm::Abort;
        QTest::newRow("Escape") << "escape" << TYesNoStopBoxForm::Abort;
        QTest::newRow("window closed") << "close" << TYesNoStopBoxForm::Abort;
    }
    void resultOfEachWayOut() {
        QFETCH(QString, how);
        QFETCH(TYesNoStopBoxForm::Result, expected);
        TYesNoStopBoxForm box;
        box.setLines(QStringLiteral("Zeile 1"), QStringLiteral("Zeile 2"));
        WhenModal([&](QWidget* w) {
            QCOMPARE(w, &box);
            if (how == "ok-click") {
                QTest::mouseClick(box.OkBitBtn, Qt::LeftButton);
            } else if (how == "no-click") {
                QTest::mouseClick(box.NoBitBtn, Qt::LeftButton);
            } else if (how == "no-focus-space") {
                box.NoBitBtn->setFocus();
                QTest::keyClick(box.NoBitBtn, Qt::Key_Space);
            } else if (how == "no-accelerator") {
                // Shortcuts reach only the active window; on a busy machine activation can lag.
                box.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&box));
                QVERIFY(box.OkBitBtn->hasFocus() || !box.NoBitBtn->hasFocus());
                QTest::keyClick(&box, Qt::Key_N, Qt::AltModifier);
                // The accelerator animates a click; give it the time to come through.
                QTRY_VERIFY(!box.isVisible());
            } else if (how == "abort-click") {
                QTest::mouseClick(box.AbbruchBitBtn, Qt::LeftButton);
            } else if (how == "escape") {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.close();
            }
        });
        QCOMPARE(box.run(), expected);
    }

    // The door's three-way question shows the program's box with the caller's texts.
    void threeWayUsesTheProgramsBox_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Answer>("expected");
        QTest::newRow("save") << "Jetzt sichern" << Answer::Ok;
        QTest::newRow("do not save") << "Nicht sichern" << Answer::No;
        QTest::newRow("abort") << "Abbruch" << Answer::Cancel;
    }
    void threeWayUsesTheProgramsBox() {
        QFETCH(QString, button);
        QFETCH(Answer, expected);
        kt::Settings settings;
        kt::QtDialogs door(settings);
        kt::ThreeWayQuestion q;
        q.caption = "Kassotek";
        q.line1 = kt::ToCp(QStringLiteral("Die Videodaten wurden geändert, aber noch nicht gesichert."));
        q.line2 = "Zweite Zeile";
        q.okCaption = "Jetzt &sichern";
        q.noCaption = "&Nicht sichern";
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<TYesNoStopBoxForm*>(w);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("Kassotek"));
            QCOMPARE(box->YesNoStopBoxLabel1->text(),
                     QStringLiteral("Die Videodaten wurden geändert, aber noch nicht gesichert."));
            QCOMPARE(box->YesNoStopBoxLabel2->text(), QStringLiteral("Zweite Zeile"));
            ClickButton(w, button);
        });
        QCOMPARE(door.threeWay(q), expected);
    }

    void threeWayKeepsTheStandardNoCaption() {
        kt::Settings settings;
        kt::QtDialogs door(settings);
        kt::ThreeWayQuestion q;
        q.line1 = "Frage";
        WhenModal([&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Sicherheitsabfrage"));
            QVERIFY(FindButton(w, QStringLiteral("OK")));
            QVERIFY(FindButton(w, QStringLiteral("Abbruch")));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QCOMPARE(door.threeWay(q), Answer::Cancel);
    }

    // The message boxes: German buttons, line breaks, and what Escape answers.
    void questionButtonsAndEscape_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("press");
        QTest::addColumn<Answer>("expected");
        const int yesNo = int(kt::Buttons::YesNo), yesNoCancel = int(kt::Buttons::YesNoCancel);
        QTest::newRow("yes") << yesNo << QStringList{"Ja", "Nein"} << "Ja" << Answer::Yes;
        QTest::newRow("no") << yesNo << QStringList{"Ja", "Nein"} << "Nein" << Answer::No;
        QTest::newRow("escape on yes/no") << yesNo << QStringList{"Ja", "Nein"} << "" << Answer::No;
        QTest::newRow("cancel") << yesNoCancel << QStringList{"Ja", "Nein", "Abbrechen"} << "Abbrechen"
                                << Answer::Cancel;
        QTest::newRow("escape on yes/no/cancel")
            << yesNoCancel << QStringList{"Ja", "Nein", "Abbrechen"} << "" << Answer::Cancel;
        QTest::newRow("ok") << int(kt::Buttons::Ok) << QStringList{"OK"} << "" << Answer::Ok;
        QTest::newRow("escape on ok/cancel")
            << int(kt::Buttons::OkCancel) << QStringList{"OK", "Abbrechen"} << "" << Answer::Cancel;
    }
    void questionButtonsAndEscape() {
        QFETCH(int, buttons);
        QFETCH(QStringList, captions);
        QFETCH(QString, press);
        QFETCH(Answer, expected);
        kt::Settings settings;
        kt::QtDialogs door(settings);
        WhenModal([&](QWidget* w) {
            const auto found = w->findChildren<QPushButton*>();
            QCOMPARE(found.size(), captions.size());
            for (const QString& c : captions)
                QVERIFY2(FindButton(w, c), qPrintable(c));
            if (press.isEmpty())
                QTest::keyClick(w, Qt::Key_Escape);
            else
                ClickButton(w, press);
        });
        QCOMPARE(door.question("Weiter?", kt::Buttons(buttons), kt::BoxKind::Confirmation), expected);
    }

    void boxTextsArePlainWithLineBreaks() {
        kt::Settings settings;
        kt::QtDialogs door(settings);
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            shown = box->text();
            format = box->textFormat();
            QCOMPARE(box->windowTitle(), QStringLiteral("Fehler"));
            ClickButton(w, QStringLiteral("OK"));
        });
        door.error(kt::ToCp(QStringLiteral("Der Film \"<b>Ärger</b>\"\r\nzweite Zeile")));
        QCOMPARE(shown, QStringLiteral("Der Film \"<b>Ärger</b>\"\nzweite Zeile"));
        QCOMPARE(format, Qt::PlainText);
    }

    void informationOnlyWhileShowAllMsg() {
        kt::Settings settings;
        kt::QtDialogs door(settings);
        int boxes = 0;
        settings.ShowAllMsg = false;
        door.information("still");
        QCOMPARE(boxes, 0); // no box: nothing waits for a click, so the call returned at once
        settings.ShowAllMsg = true;
        WhenModal([&](QWidget* w) {
            ++boxes;
            ClickButton(w, QStringLiteral("OK"));
        });
        door.information("gezeigt");
        QCOMPARE(boxes, 1);
        // notice is shown whatever the setting says
        settings.ShowAllMsg = false;
        WhenModal([&](QWidget* w) {
            ++boxes;
            QCOMPARE(qobject_cast<QMessageBox*>(w)->windowTitle(), QStringLiteral("Information"));
            ClickButton(w, QStringLiteral("OK"));
        });
        door.notice("immer");
        QCOMPARE(boxes, 2);
    }
};

QTEST_MAIN(QuestionBoxTest)
#include "test_question_box.moc"
