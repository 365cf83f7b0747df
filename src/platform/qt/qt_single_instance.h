// One calendar per user: a lock file in the runtime folder decides who is first; the first
// listens on a local socket there, and later starts hand it one short text and wait for the
// answer, which comes only after the first has handled it. The socket is a plain Unix one served
// from the event loop, so the calendar needs no network library to be single. The command-line tool
// takes the same lock (without listening) while it writes the user's files itself, so that it and a
// calendar never write them at the same time.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "core/ports/single_instance.h"
#include "platform/posix/local_hand_over.h"

class QLockFile;
class QSocketNotifier;

namespace tv {

class QtSingleInstance : public QObject, public SingleInstance {
    Q_OBJECT
public:
    // Text plus its closing zero byte, as the message always travelled; the answer likewise.
    static constexpr int kMaxMessageBytes = 255;
    static constexpr int kReadTimeoutMs = 1000;
    static constexpr int kReplyTimeoutMs = kHandOverReplyTimeoutMs;
    // How long a start waits for a lock whose holder does not listen: the command-line tool
    // holds it only while it writes one change.
    static constexpr int kLockWaitMs = 10000;
    static constexpr const char* kSocketName = kInstanceSocketName;
    static constexpr const char* kLockName = kInstanceLockName;

    // $XDG_RUNTIME_DIR (a private folder in the temporary folder when it is unset).
    QtSingleInstance();
    // An explicit runtime folder (tests).
    explicit QtSingleInstance(const std::string& runtimeDir);
    ~QtSingleInstance() override;

    bool becomePrimary(Receiver receiver) override;
    bool send(const std::string& message) override;

    // The command-line tool's side. kOwned: no calendar runs, and the lock is ours until this
    // object goes; kCalendarRuns: hand the change over; kBusy: the lock stayed held by someone
    // who does not listen (another tool) for kLockWaitMs.
    enum class Claim { kOwned, kCalendarRuns, kBusy };
    Claim claimForWriting();
    // Sends a message and returns the first instance's answer; nothing when none came.
    std::optional<std::string> request(const std::string& message,
                                       int replyTimeoutMs = kReplyTimeoutMs);

    std::string socketPath() const;
    // The folder of the lock and the socket, with a trailing "/".
    std::string folder() const { return dir_ + "/"; }
    // The folder a default instance uses, with a trailing "/".
    static std::string defaultFolder();

private:
    class Connection;

    bool tryLock();
    bool listen();
    void accept();
    void readFrom(Connection* connection);
    void drop(Connection* connection);

    std::string dir_;
    std::unique_ptr<QLockFile> lock_;
    int listener_ = -1;
    QSocketNotifier* acceptor_ = nullptr;
    Receiver receiver_;
};

}  // namespace tv
