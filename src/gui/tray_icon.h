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

    QSystemTrayIcon* icon() const { return icon_; }
    QTimer* timer() const { return timer_; }
    void showMenu();

private:
    CalendarApp& app_;
    QSystemTrayIcon* icon_ = nullptr;
    QTimer* timer_ = nullptr;
    bool menuOpen_ = false;
};

}  // namespace tv
