// The tray icon and the form's 20-second tick; the rules are the core's tray
// logic, this class only owns the toolkit objects.
#pragma once

#include <QObject>
#include <string>

class QSystemTrayIcon;
class QTimer;

namespace tv {

class CalendarApp;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(CalendarApp& app, const std::string& tip);
    ~TrayIcon() override;

    // Puts the icon into the desktop's tray, once the event loop runs: asking for a tray area
    // waits on the session bus (and without one, on the attempt to start one), so a start does
    // it only after its window is up. Until then icon() is null; the tick runs all the same.
    void appear();
    QSystemTrayIcon* icon() const { return icon_; }
    QTimer* timer() const { return timer_; }
    void showMenu();

private:
    CalendarApp& app_;
    std::string tip_;
    bool appearing_ = false;
    QSystemTrayIcon* icon_ = nullptr;
    QTimer* timer_ = nullptr;
    bool menuOpen_ = false;
};

}  // namespace tv
