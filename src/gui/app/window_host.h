// What the start-up, tray and alarm logic of the core ask of the windows, done with the real
// calendar window, splash and tray icon. It owns those three.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <memory>
#include <string>

#include "core/app/window_host.h"

namespace tv {

class CalendarApp;
class MainWindow;
class SplashWindow;
class Surface;
class TrayIcon;

class WindowHost : public CalendarWindowHost, public TrayHost {
public:
    explicit WindowHost(CalendarApp& app);
    ~WindowHost() override;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    MainWindow* window() const;
    TrayIcon* trayIcon() const { return tray_.get(); }
    // The start has shown what it shows: the tray icon may go into the desktop's tray now.
    void startDone();
    // The small program icon the skins draw into their title.
    void loadIcon(const std::string& file);

    // CalendarWindowHost
    void showSplash() override;
    void hideSplash() override;
    void stepDone() override;
    void processEvents() override;
    bool loadSkin(const std::string& skin) override;
    void initCalendarWindow() override;
    void composeScreen() override;
    void showWindow(bool focus) override;
    void bringToFront() override;
    void setMainTimer(bool on) override;
    void setAutoRefresh(bool on) override;
    PixelRect windowRect() const override;
    PixelRect workArea() const override;
    PixelRect screen() const override;
    void moveWindow(int x, int y) override;
    bool isFullScreenForeground() const override;
    void showUpdateNotice(const UpdateDialogModel& model) override;
    bool showSettingsModal() override;
    void runCommand(CommandCode code) override;
    void refreshDay() override;
    void redraw() override;
    void refreshEvents() override;
    bool modalOpen() const override;
    void flashTaskbar() override;
    void setAlarmTimer(bool on) override;
    void stopTimers() override;
    void saveThemeState() override;
    void releaseWindow() override;
    void closeAllWindows() override;
    void showHelpPage(const std::string& file) override;
    void endProcess() override;

    // TrayHost
    void addIcon(const std::string& tip) override;
    void removeIcon() override;
    void showTrayMenu() override;
    bool trayAreaAvailable() const override;

private:
    MainWindow& ensureWindow();

    CalendarApp& app_;
    QPointer<MainWindow> window_;
    std::unique_ptr<SplashWindow> splash_;
    QElapsedTimer splashAsked_;  // invalid: no splash wanted
    std::unique_ptr<TrayIcon> tray_;
    bool startDone_ = false;
    std::unique_ptr<Surface> icon_;
};

}  // namespace tv
