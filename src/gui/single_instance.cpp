#include "single_instance.h"

#include "text/helpers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace kt {

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

std::string SingleInstanceLock::DefaultFolder() {
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const std::string value = EnvValue(name);
        if (!value.empty())
            return value;
    }
    return "/tmp";
}

std::string SingleInstanceLock::DefaultPath() {
    return WithBackslash(DefaultFolder()) + "Kassotek.lock";
}

bool SingleInstanceLock::acquire() {
    if (fd_ >= 0)
        return true;
    // O_NOFOLLOW: in a shared temporary folder the name could be a planted link.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && errno == EACCES)
        fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    // The holder's process number, for whoever looks at the file; the lock does not depend on it.
    if (::ftruncate(fd_, 0) == 0) {
        const std::string pid = std::to_string(::getpid()) + "\n";
        [[maybe_unused]] const ssize_t written = ::write(fd_, pid.data(), pid.size());
    }
    return true;
}

void SingleInstanceLock::release() {
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace kt

namespace kt {

std::string InstanceSocketPath(const std::string& lockPath) {
    const std::size_t slash = lockPath.rfind('/');
    return (slash == std::string::npos ? std::string() : lockPath.substr(0, slash + 1)) + "Kassotek.socket";
}

InstanceDoor::InstanceDoor(const std::string& socketPath, QObject* parent)
    : QObject(parent), path_(QFile::decodeName(QByteArray::fromStdString(socketPath))) {
    // Where the lock falls back to the shared temporary folder, other users must not knock.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceDoor::accept);
}

bool InstanceDoor::listen() {
    QLocalServer::removeServer(path_);
    return server_.listen(path_);
}

void InstanceDoor::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() < 4)
                return;
            const auto* b = reinterpret_cast<const uchar*>(buffer->constData());
            const quint32 size = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
            if (size == 0 || size > MaxMessage) {
                socket->abort();
                return;
            }
            if (quint32(buffer->size()) < 4 + size)
                return;
            const QByteArray file = buffer->mid(4, size);
            buffer->clear();
            socket->write("1");
            socket->flush();
            socket->disconnectFromServer();
            // A path with a NUL byte names no file.
            if (!file.contains('\0'))
                emit fileHandedOver(QFile::decodeName(file));
        });
    }
}

bool HandFileToRunningInstance(const std::string& socketPath, const QString& file, int waitMs) {
    const QByteArray bytes = QFile::encodeName(file);
    if (bytes.isEmpty() || quint32(bytes.size()) > InstanceDoor::MaxMessage)
        return false;
    QByteArray message(4, '\0');
    const auto size = quint32(bytes.size());
    for (int i = 0; i < 4; ++i)
        message[i] = char((size >> (8 * (3 - i))) & 0xFF);
    message += bytes;

    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    const QString name = QFile::decodeName(QByteArray::fromStdString(socketPath));
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(1000))
            break;
        if (clock.elapsed() >= waitMs)
            return false;
        QThread::msleep(200);
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(waitMs))
            return false;
    return socket.read(1) == "1";
}

} // namespace kt
