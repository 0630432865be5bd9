#include "help/help_window.h"

#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

using namespace kt;

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void everyTopicHasAPage() {
        for (int topic : {303, 402, 403, 407, 408, 409, 410, 411, 412, 413, 415, 416, 430, 431}) {
            QVERIFY2(HelpTopicExists(topic), qPrintable(QString::number(topic)));
            QCOMPARE(HelpPageUrl(topic).fileName(), QStringLiteral("%1.html").arg(topic));
        }
        QVERIFY(!HelpTopicExists(404));
        QCOMPARE(HelpPageUrl(404).fileName(), QStringLiteral("index.html"));
        QCOMPARE(HelpPageUrl(HelpContents).fileName(), QStringLiteral("index.html"));
    }

    // Every page has a title, links only to pages that exist, and is reachable from the index.
    void pagesAndLinks() {
        const QStringList pages = {"index", "303", "402", "403", "407", "408",
                                   "409",   "410", "411", "412", "413", "415", "416", "430", "431"};
        QSet<QString> linkedFromIndex;
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& page : pages) {
            QFile file(QStringLiteral(":/help/%1.html").arg(page));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains(QRegularExpression("<title>[^<]+</title>")), qPrintable(page));
            for (auto m = href.globalMatch(html); m.hasNext();) {
                const QString target = m.next().captured(1);
                QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target),
                         qPrintable(page + " -> " + target));
                if (page == QLatin1String("index"))
                    linkedFromIndex.insert(target);
            }
        }
        for (const QString& page : pages.mid(1))
            QVERIFY2(linkedFromIndex.contains(page + ".html"), qPrintable(page));
    }

    // The window fits the usable screen (at most 80 % of it, centred) and Escape closes it.
    void theWindowFitsTheScreenAndEscapeClosesIt() {
        HelpWindow* help = HelpWindow::Show(HelpContents, nullptr);
        const QRect area = help->screen()->availableGeometry();
        QVERIFY(help->width() <= area.width() * 0.8 + 1);
        QVERIFY(help->height() <= area.height() * 0.8 + 1);
        QVERIFY(area.contains(help->frameGeometry()));
        // Centred up to the window frame, which is not known before the window shows.
        QVERIFY(qAbs(help->frameGeometry().center().x() - area.center().x()) <= 4);
        QVERIFY(qAbs(help->frameGeometry().center().y() - area.center().y()) <= 4);
        QPointer<HelpWindow> guard(help);
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!guard); // closed and deleted
    }

    void theWindowFollowsLinks() {
        HelpWindow* help = HelpWindow::Show(HelpQuickStart, nullptr);
        QCOMPARE(help->browser()->documentTitle(), QStringLiteral("Schnelleinstieg"));
        QCOMPARE(help->windowTitle(), QStringLiteral("Kassotek Hilfe - Schnelleinstieg"));
        help->browser()->setSource(QUrl(QStringLiteral("402.html")));
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("402.html"));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Schnellsuche")));
        help->browser()->backward();
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("303.html"));
        QCOMPARE(HelpWindow::Show(HelpFilter, nullptr), help); // one window, reused
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("415.html"));
        delete help;
    }
};

QTEST_MAIN(HelpTest)
#include "test_help.moc"
