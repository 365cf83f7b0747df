#include "platform/qt/qt_single_instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include "platform/posix/local_hand_over.h"

namespace tv {
namespace {

// The first start may hold the lock a moment before it listens.
constexpr int kConnectAttempts = 20;
constexpr int kRetryPauseMs = 100;
constexpr int kBacklog = 16;

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

// One accepted sender: its socket, what it has sent so far, and the time it has left to finish
// its message.
class QtSingleInstance::Connection : public QObject {
public:
    Connection(int socket, QObject* parent)
        : QObject(parent), fd(socket), readable(socket, QSocketNotifier::Read, this) {
        timeout.setSingleShot(true);
    }
    ~Connection() override {
        readable.setEnabled(false);
        ::close(fd);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const int fd;
    QSocketNotifier readable;
    QTimer timeout;
    std::string buffer;
};

QtSingleInstance::QtSingleInstance() : QtSingleInstance(runtimeDir()) {}

std::string QtSingleInstance::defaultFolder() {
    return QtSingleInstance(runtimeDir()).folder();
}

QtSingleInstance::QtSingleInstance(const std::string& dir) : dir_(dir) {
    while (dir_.size() > 1 && dir_.back() == '/')
        dir_.pop_back();
}

QtSingleInstance::~QtSingleInstance() {
    if (listener_ < 0) return;
    delete acceptor_;  // before its socket closes
    ::close(listener_);
    // Ours while we hold the lock; a later start would remove it anyway.
    ::unlink(socketPath().c_str());
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

bool QtSingleInstance::becomePrimary(Receiver receiver) {
    // The lock's holder is the first calendar when it listens; one that does not listen is the
    // command-line tool in the middle of a change, and we wait until it has written.
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!tryLock()) {
        if (calendarListens(dir_) || deadline.hasExpired()) return false;
        QThread::msleep(kRetryPauseMs);
    }

    receiver_ = std::move(receiver);
    if (!listen()) {
        // Still first: we just cannot be reached. Later starts then end quietly.
        qWarning("single instance: cannot listen on %s: %s", socketPath().c_str(),
                 std::strerror(errno));
    }
    return true;
}

bool QtSingleInstance::listen() {
    const std::string path = instanceSocketPath(dir_);
    if (path.empty()) {
        errno = ENAMETOOLONG;
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // We hold the lock, so a socket file left there is from a run that died. The file is made
    // the user's alone before listen(): nobody can connect to it earlier.
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, kBacklog) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    listener_ = fd;
    acceptor_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(acceptor_, &QSocketNotifier::activated, this, &QtSingleInstance::accept);
    return true;
}

QtSingleInstance::Claim QtSingleInstance::claimForWriting() {
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!tryLock()) {
        if (calendarListens(dir_)) return Claim::kCalendarRuns;
        if (deadline.hasExpired()) return Claim::kBusy;
        QThread::msleep(kRetryPauseMs);
    }
    return Claim::kOwned;
}

void QtSingleInstance::accept() {
    while (true) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;  // none waiting (or the peer left already)
        }
        auto* c = new Connection(fd, this);  // a child: it goes with us at the latest
        connect(&c->readable, &QSocketNotifier::activated, this, [this, c] { readFrom(c); });
        // A sender that never finishes its message does not keep the socket.
        connect(&c->timeout, &QTimer::timeout, this, [this, c] { drop(c); });
        c->timeout.start(kReadTimeoutMs);
        readFrom(c);
    }
}

void QtSingleInstance::drop(Connection* c) {
    c->readable.setEnabled(false);
    c->timeout.stop();
    // From inside one of its own signals: it goes when the event loop is back.
    c->deleteLater();
}

void QtSingleInstance::readFrom(Connection* c) {
    char chunk[kMaxMessageBytes];
    const ssize_t n = ::recv(c->fd, chunk, kMaxMessageBytes - c->buffer.size(), 0);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (n <= 0) {
        drop(c);  // gone before its message was whole
        return;
    }
    c->buffer.append(chunk, static_cast<size_t>(n));
    const size_t zero = c->buffer.find('\0');
    if (zero == std::string::npos) {
        if (c->buffer.size() >= kMaxMessageBytes) drop(c);  // longer than any message we send
        return;
    }
    // The message is whole: handling it may take longer than reading it did, and may run the
    // event loop, so this connection is out of the loop's reach meanwhile.
    c->readable.setEnabled(false);
    c->timeout.stop();
    const std::string text = c->buffer.substr(0, zero);
    std::string answer = receiver_ ? receiver_(text) : std::string("ok");
    answer.resize(std::min(answer.size(), static_cast<size_t>(kMaxMessageBytes - 1)));
    // The answer tells the sender that its request has been handled, and how. It fits in the
    // socket's buffer whole; a sender that left meanwhile does not get it.
    answer.push_back('\0');
    (void)::send(c->fd, answer.data(), answer.size(), MSG_NOSIGNAL);
    drop(c);
}

std::optional<std::string> QtSingleInstance::request(const std::string& message,
                                                     int replyTimeoutMs) {
    if (message.size() + 1 > static_cast<size_t>(kMaxMessageBytes)) return std::nullopt;
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        // Wait like the window message did: until the first has handled it.
        HandOver h = handOverToCalendar(dir_, message, replyTimeoutMs);
        if (h.reached) return std::move(h.answer);
        QThread::msleep(kRetryPauseMs);
    }
    return std::nullopt;
}

bool QtSingleInstance::send(const std::string& message) {
    const std::optional<std::string> answer = request(message);
    return answer.has_value() && answer->starts_with("ok");
}

}  // namespace tv
