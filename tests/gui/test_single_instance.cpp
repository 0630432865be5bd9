#include "single_instance.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using kt::SingleInstanceLock;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondLockFailsWhileTheFirstIsHeld() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("Kassotek.lock").toStdString();
        SingleInstanceLock first(path);
        QVERIFY(first.acquire());
        QVERIFY(first.acquire()); // asking again keeps it
        SingleInstanceLock second(path);
        QVERIFY(!second.acquire());
        QVERIFY(!second.held());
        first.release();
        QVERIFY(second.acquire());
        QVERIFY(!first.acquire());
    }

    void theLockEndsWithItsOwner() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("Kassotek.lock").toStdString();
        {
            SingleInstanceLock scoped(path);
            QVERIFY(scoped.acquire());
        }
        SingleInstanceLock next(path);
        QVERIFY(next.acquire());
    }

    // A program killed while it held the lock leaves the file, but not the lock.
    void aCrashedHolderDoesNotBlock() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("Kassotek.lock").toStdString();
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            SingleInstanceLock lock(path);
            const char ok = lock.acquire() ? '1' : '0';
            [[maybe_unused]] auto n = ::write(ready[1], &ok, 1);
            ::pause();
            ::_exit(0);
        }
        char ok = 0;
        QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
        QCOMPARE(ok, '1');
        SingleInstanceLock parent(path);
        QVERIFY(!parent.acquire());
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(QFile::exists(QString::fromStdString(path)));
        QVERIFY(parent.acquire());
        ::close(ready[0]);
        ::close(ready[1]);
    }

    void aStaleFileDoesNotMatter() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("Kassotek.lock").toStdString();
        std::ofstream(path) << "4711\nKassotek lief hier einmal\n";
        SingleInstanceLock lock(path);
        QVERIFY(lock.acquire());
        std::ifstream in(path);
        std::string pid;
        std::getline(in, pid);
        QCOMPARE(pid, std::to_string(::getpid()));
    }

    void aLinkInPlaceOfTheFileIsNotFollowed() {
        QTemporaryDir dir;
        const QString target = dir.filePath("elsewhere");
        const QString path = dir.filePath("Kassotek.lock");
        QVERIFY(QFile::link(target, path));
        SingleInstanceLock lock(path.toStdString());
        QVERIFY(!lock.acquire());
        QVERIFY(!QFile::exists(target));
    }

    void defaultPlaceIsTheRuntimeFolder() {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QCOMPARE(QString::fromStdString(SingleInstanceLock::DefaultPath()),
                 runtime.filePath("Kassotek.lock"));
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", "/var/tmp/");
        QCOMPARE(SingleInstanceLock::DefaultPath(), std::string("/var/tmp/Kassotek.lock"));
        qunsetenv("TMPDIR");
        QCOMPARE(SingleInstanceLock::DefaultPath(), std::string("/tmp/Kassotek.lock"));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "test_single_instance.moc"
