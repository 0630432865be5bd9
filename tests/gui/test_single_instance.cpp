#include "single_instance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using kt::InstanceDoor;
using kt::SingleInstanceLock;

namespace {

QByteArray Framed(const QByteArray& path, quint32 size) {
    QByteArray m(4, '\0');
    for (int i = 0; i < 4; ++i)
        m[i] = char((size >> (8 * (3 - i))) & 0xFF);
    return m + path;
}

} // namespace

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

    // What a second start sends arrives as the path; a message that is not well formed is dropped
    // without taking anything from the running program.
    void theDoorTakesOnlyWellFormedMessages() {
        QTemporaryDir dir;
        const std::string socketPath = kt::InstanceSocketPath(dir.filePath("Kassotek.lock").toStdString());
        QCOMPARE(QString::fromStdString(socketPath), dir.filePath("Kassotek.socket"));
        // A socket file left by a program that crashed is replaced.
        std::ofstream(socketPath) << "alt";
        InstanceDoor door(socketPath);
        QVERIFY(door.listen());
        QSignalSpy handed(&door, &InstanceDoor::fileHandedOver);
        const QByteArray umlaut = QFile::encodeName(QStringLiteral("/tmp/Filme Größe.VD6"));
        const struct {
            QByteArray message;
            QByteArray answer;
            QString file;
        } cases[] = {
            {Framed(umlaut, quint32(umlaut.size())), "1", QStringLiteral("/tmp/Filme Größe.VD6")},
            {Framed("/tmp/a.VD6", 0), "", {}},
            {Framed("", InstanceDoor::MaxMessage + 1), "", {}},
            {Framed(QByteArray("/tmp/a\0b.VD6", 12), 12), "1", {}},
        };
        for (const auto& c : cases) {
            handed.clear();
            QLocalSocket client;
            client.connectToServer(QString::fromStdString(socketPath));
            QVERIFY(client.waitForConnected(2000));
            client.write(c.message);
            QTRY_VERIFY(client.bytesAvailable() > 0 || client.state() == QLocalSocket::UnconnectedState);
            QCOMPARE(client.readAll(), c.answer);
            QTest::qWait(10);
            QCOMPARE(handed.size(), c.file.isEmpty() ? 0 : 1);
            if (!c.file.isEmpty())
                QCOMPARE(handed.at(0).at(0).toString(), c.file);
        }
        // A message that comes in pieces is read whole.
        handed.clear();
        QLocalSocket slow;
        slow.connectToServer(QString::fromStdString(socketPath));
        QVERIFY(slow.waitForConnected(2000));
        const QByteArray whole = Framed("/tmp/b.VD5", 10);
        slow.write(whole.left(3));
        slow.flush();
        QTest::qWait(20);
        slow.write(whole.mid(3));
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed.at(0).at(0).toString(), QStringLiteral("/tmp/b.VD5"));
    }

    void aSecondStartHandsOverThroughTheDoor() {
        QTemporaryDir dir;
        const std::string socketPath = kt::InstanceSocketPath(dir.filePath("Kassotek.lock").toStdString());
        // Nobody listens: the second start gives up after its wait.
        QVERIFY(!kt::HandFileToRunningInstance(socketPath, QStringLiteral("/tmp/a.VD6"), 300));
        InstanceDoor door(socketPath);
        QVERIFY(door.listen());
        QSignalSpy handed(&door, &InstanceDoor::fileHandedOver);
        // The second start blocks on its answer; the door answers from this thread's event loop.
        auto second = std::async(std::launch::async, [&socketPath] {
            return kt::HandFileToRunningInstance(socketPath, QStringLiteral("/home/u/Filme.VD6"));
        });
        QTRY_VERIFY(second.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(second.get());
        QCOMPARE(handed.size(), 1);
        QCOMPARE(handed.at(0).at(0).toString(), QStringLiteral("/home/u/Filme.VD6"));
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
