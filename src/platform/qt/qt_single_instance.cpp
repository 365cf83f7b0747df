#include "platform/qt/qt_single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace tv {
namespace {

constexpr int kConnectTimeoutMs = 1000;
// The first start may hold the lock a moment before it listens.
constexpr int kConnectAttempts = 20;
constexpr int kRetryPauseMs = 100;
const char* const kBufferProperty = "tvMessage";

std::string runtimeDir() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir.toStdString();
}

}  // namespace

QtSingleInstance::QtSingleInstance() : QtSingleInstance(runtimeDir()) {}

QtSingleInstance::QtSingleInstance(const std::string& dir) : dir_(dir) {}

QtSingleInstance::~QtSingleInstance() {
    if (server_ != nullptr) server_->close();
}

std::string QtSingleInstance::socketPath() const {
    return dir_ + "/" + kSocketName;
}

bool QtSingleInstance::becomePrimary(Receiver receiver) {
    QDir().mkpath(QString::fromStdString(dir_));
    lock_ = std::make_unique<QLockFile>(QString::fromStdString(dir_ + "/" + kLockName));
    // A calendar runs for days: only a dead owner makes the lock stale, never its age.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }

    receiver_ = std::move(receiver);
    const QString path = QString::fromStdString(socketPath());
    // We hold the lock, so a socket file left there is from a run that died.
    QLocalServer::removeServer(path);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        // Still first: we just cannot be reached. Later starts then end quietly.
        qWarning("single instance: cannot listen on %s: %s", qPrintable(path),
                 qPrintable(server_->errorString()));
        return true;
    }
    connect(server_, &QLocalServer::newConnection, this, &QtSingleInstance::accept);
    return true;
}

void QtSingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // A sender that never finishes its message does not keep the socket.
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
        readFrom(socket);
    }
}

void QtSingleInstance::readFrom(QLocalSocket* socket) {
    QByteArray buffer = socket->property(kBufferProperty).toByteArray();
    buffer += socket->read(kMaxMessageBytes - buffer.size());
    const qsizetype zero = buffer.indexOf('\0');
    if (zero < 0) {
        if (buffer.size() >= kMaxMessageBytes) {
            socket->abort();  // longer than any message we send: not ours
        } else {
            socket->setProperty(kBufferProperty, buffer);
        }
        return;
    }
    socket->setProperty(kBufferProperty, QByteArray());
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const std::string text(buffer.constData(), static_cast<size_t>(zero));
    if (receiver_) receiver_(text);
    // The answer tells the sender that its request has been handled.
    if (socket->state() == QLocalSocket::ConnectedState) {
        socket->write("ok", 3);
        socket->flush();
        socket->disconnectFromServer();
    }
}

bool QtSingleInstance::send(const std::string& message) {
    if (message.size() + 1 > static_cast<size_t>(kMaxMessageBytes)) return false;
    QLocalSocket socket;
    const QString path = QString::fromStdString(socketPath());
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        socket.connectToServer(path);
        if (socket.waitForConnected(kConnectTimeoutMs)) break;
        socket.abort();
        QThread::msleep(kRetryPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState) return false;

    QByteArray bytes(message.data(), static_cast<qsizetype>(message.size()));
    bytes.append('\0');
    socket.write(bytes);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs)) return false;
    // Wait like the window message did: until the first has brought its window up.
    QByteArray reply;
    QDeadlineTimer deadline(kReplyTimeoutMs);
    while (!reply.contains('\0') && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) break;
        reply += socket.readAll();
    }
    return reply.startsWith("ok");
}

}  // namespace tv
