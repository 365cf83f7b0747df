#include "platform/qt/qt_single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include "platform/posix/local_hand_over.h"

namespace tv {
namespace {

constexpr int kConnectTimeoutMs = 1000;
// The first start may hold the lock a moment before it listens.
constexpr int kConnectAttempts = 20;
constexpr int kRetryPauseMs = 100;
const char* const kBufferProperty = "tvMessage";

bool ownFolder(const std::string& dir) {
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

// Qt's own fallback says so on stderr at every start; ours is a private folder too, quietly.
std::string privateTempFolder() {
    std::string dir = QDir::tempPath().toStdString() + "/runtime-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    if (!ownFolder(dir)) return {};
    ::chmod(dir.c_str(), 0700);
    return dir;
}

std::string runtimeDir() {
    // A command run without the session's environment (cron, ssh) still meets the calendar in
    // the folder the session has.
    std::string session = sessionRuntimeFolder();
    if (!session.empty()) return session;
    std::string own = privateTempFolder();
    if (!own.empty()) return own;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir.toStdString();
}

}  // namespace

QtSingleInstance::QtSingleInstance() : QtSingleInstance(runtimeDir()) {}

std::string QtSingleInstance::defaultFolder() {
    return QtSingleInstance(runtimeDir()).folder();
}

QtSingleInstance::QtSingleInstance(const std::string& dir) : dir_(dir) {
    while (dir_.size() > 1 && dir_.back() == '/')
        dir_.pop_back();
}

QtSingleInstance::~QtSingleInstance() {
    if (server_ != nullptr) server_->close();
}

std::string QtSingleInstance::socketPath() const {
    return dir_ + "/" + kSocketName;
}

bool QtSingleInstance::tryLock() {
    QDir().mkpath(QString::fromStdString(dir_));
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(QString::fromStdString(dir_ + "/" + kLockName));
        // A calendar runs for days: only a dead owner makes the lock stale, never its age.
        lock_->setStaleLockTime(0);
    }
    if (lock_->tryLock(0)) return true;
    lock_.reset();
    return false;
}

bool QtSingleInstance::firstAnswers() const {
    QLocalSocket probe;
    probe.connectToServer(QString::fromStdString(socketPath()));
    const bool up = probe.waitForConnected(kConnectTimeoutMs);
    probe.abort();
    return up;
}

bool QtSingleInstance::becomePrimary(Receiver receiver) {
    // The lock's holder is the first calendar when it listens; one that does not listen is the
    // command-line tool in the middle of a change, and we wait until it has written.
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!tryLock()) {
        if (firstAnswers() || deadline.hasExpired()) return false;
        QThread::msleep(kRetryPauseMs);
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

QtSingleInstance::Claim QtSingleInstance::claimForWriting() {
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!tryLock()) {
        if (firstAnswers()) return Claim::kCalendarRuns;
        if (deadline.hasExpired()) return Claim::kBusy;
        QThread::msleep(kRetryPauseMs);
    }
    return Claim::kOwned;
}

void QtSingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // A sender that never finishes its message does not keep the socket.
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] { socket->abort(); });
        timeout->start(kReadTimeoutMs);
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
    // The message is whole: handling it may take longer than reading it did.
    if (auto* timeout = socket->findChild<QTimer*>()) timeout->stop();
    const std::string text(buffer.constData(), static_cast<size_t>(zero));

    // The handler may run the event loop; the sender may be gone when it returns.
    QPointer<QLocalSocket> guard(socket);
    std::string answer = receiver_ ? receiver_(text) : std::string("ok");
    if (!guard) return;
    answer.resize(std::min(answer.size(), static_cast<size_t>(kMaxMessageBytes - 1)));
    // The answer tells the sender that its request has been handled, and how.
    if (socket->state() == QLocalSocket::ConnectedState) {
        QByteArray bytes(answer.data(), static_cast<qsizetype>(answer.size()));
        bytes.append('\0');
        socket->write(bytes);
        socket->flush();
        socket->disconnectFromServer();
    }
}

std::optional<std::string> QtSingleInstance::request(const std::string& message,
                                                     int replyTimeoutMs) {
    if (message.size() + 1 > static_cast<size_t>(kMaxMessageBytes)) return std::nullopt;
    QLocalSocket socket;
    const QString path = QString::fromStdString(socketPath());
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        socket.connectToServer(path);
        if (socket.waitForConnected(kConnectTimeoutMs)) break;
        socket.abort();
        QThread::msleep(kRetryPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState) return std::nullopt;

    QByteArray bytes(message.data(), static_cast<qsizetype>(message.size()));
    bytes.append('\0');
    socket.write(bytes);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs)) return std::nullopt;
    // Wait like the window message did: until the first has handled it.
    QByteArray reply;
    const QDeadlineTimer deadline(replyTimeoutMs);
    while (!reply.contains('\0') && reply.size() < kMaxMessageBytes && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) break;
        reply += socket.read(kMaxMessageBytes - reply.size());
    }
    const qsizetype zero = reply.indexOf('\0');
    if (zero < 0) return std::nullopt;
    return std::string(reply.constData(), static_cast<size_t>(zero));
}

bool QtSingleInstance::send(const std::string& message) {
    const std::optional<std::string> answer = request(message);
    return answer.has_value() && answer->starts_with("ok");
}

}  // namespace tv
