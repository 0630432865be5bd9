#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <string>

namespace kt {

// The lock that lets only one Kassotek run per user: flock on "Kassotek.lock" in
// $XDG_RUNTIME_DIR (else the temporary folder). The system drops the lock when the holder
// ends in any way, so a file left behind by a crash never blocks the next start.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(std::string path = DefaultPath());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this object now holds the lock (also when it held it already).
    bool acquire();
    void release();
    bool held() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    static std::string DefaultFolder();
    static std::string DefaultPath();

private:
    std::string path_;
    int fd_ = -1;
};

// The socket through which a second start hands a file to the running program: "Kassotek.socket"
// in the folder of the lock file.
std::string InstanceSocketPath(const std::string& lockPath);

// The running program's end of that socket. Only the holder of the lock listens, so a socket file
// that is left over can go. A message is the length of the path (4 bytes, big-endian) and the
// path as the file system's bytes; the answer is one byte "1".
class InstanceDoor : public QObject {
    Q_OBJECT
public:
    explicit InstanceDoor(const std::string& socketPath, QObject* parent = nullptr);
    bool listen();

    static constexpr quint32 MaxMessage = 64 * 1024;

signals:
    void fileHandedOver(const QString& path);

private:
    void accept();

    QString path_;
    QLocalServer server_;
};

// Hands `file` (an absolute path) to the program that holds the lock; true once it answered.
// Keeps trying to connect for `waitMs`, since that program may still be starting.
bool HandFileToRunningInstance(const std::string& socketPath, const QString& file, int waitMs = 5000);

} // namespace kt
