#include "gui/session_guard.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>

#include "core/app/app_state.h"
#include "core/app/session_end.h"
#include "core/app/startup.h"
#include "gui/app/calendar_app.h"

namespace tv {
namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
// A signal during a load (or a handed-over change) waits for it to finish; the end would pull
// the window from under it.
constexpr int kRetryWhileLoadingMs = 100;

// The write end of the pipe: the one thing a signal handler may touch.
int gSignalWriteEnd = -1;

void onSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    if (::write(gSignalWriteEnd, &byte, 1) < 0) {
        // The pipe is full: an earlier signal is already waiting to be handled.
    }
    errno = saved;
}

const char* signalName(int number) {
    switch (number) {
        case SIGTERM:
            return "SIGTERM";
        case SIGINT:
            return "SIGINT";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "signal";
    }
}

}  // namespace

SessionGuard::SessionGuard(CalendarApp& app) : app_(app) {
    int fds[2];
    if (gSignalWriteEnd < 0 && ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        gSignalWriteEnd = fds[1];
        notifier_ = new QSocketNotifier(fds[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionGuard::readSignals);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &action, &previous_[i]);
    }
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (gui != nullptr) {
        connect(gui, &QGuiApplication::commitDataRequest, this, &SessionGuard::commitData);
        // The log-on start comes from the autostart entry; a session that restarted the calendar
        // as well would start it twice.
        connect(gui, &QGuiApplication::saveStateRequest, this,
                [](QSessionManager& m) { m.setRestartHint(QSessionManager::RestartNever); });
    }
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { end("quit"); });
}

SessionGuard::~SessionGuard() {
    if (notifier_ == nullptr) return;
    for (size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previous_[i], nullptr);
    const int readEnd = static_cast<int>(notifier_->socket());
    delete notifier_;
    ::close(readEnd);
    ::close(gSignalWriteEnd);
    gSignalWriteEnd = -1;
}

void SessionGuard::readSignals() {
    char bytes[16];
    const ssize_t n = ::read(static_cast<int>(notifier_->socket()), bytes, sizeof bytes);
    if (n <= 0) return;
    end(signalName(bytes[0]));
}

void SessionGuard::commitData(QSessionManager& manager) {
    manager.setRestartHint(QSessionManager::RestartNever);
    commitSessionData(app_.context());
}

void SessionGuard::end(const char* reason) {
    if (calendarBusy(app_.state())) {
        QTimer::singleShot(kRetryWhileLoadingMs, this, [this, reason] { end(reason); });
        return;
    }
    endSession(app_.context(), reason);
}

}  // namespace tv
