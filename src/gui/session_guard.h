// The end of the desktop session reaches the calendar through its event loop. SIGTERM, SIGINT
// and SIGHUP (log-out, shutdown, a terminal closed, `kill`) write their number into a pipe that
// a socket notifier watches, since a signal handler may do nothing else; the session manager's
// commit request and the application's aboutToQuit are connected directly. The end saves what
// closing the window saves, once, and the process exits with status 0.
#pragma once

#include <signal.h>

#include <QObject>

class QSessionManager;
class QSocketNotifier;

namespace tv {

class CalendarApp;

class SessionGuard : public QObject {
    Q_OBJECT
public:
    explicit SessionGuard(CalendarApp& app);
    ~SessionGuard() override;
    SessionGuard(const SessionGuard&) = delete;
    SessionGuard& operator=(const SessionGuard&) = delete;

    // False when the signal pipe could not be made: the signals then keep their default action.
    bool signalsCaught() const { return notifier_ != nullptr; }

private:
    void readSignals();
    void commitData(QSessionManager& manager);
    void end(const char* reason);

    CalendarApp& app_;
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] = {};
};

}  // namespace tv
