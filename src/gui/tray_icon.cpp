#include "gui/tray_icon.h"

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/ui/menus.h"
#include "gui/app/calendar_app.h"
#include "platform/qt/qt_popup_menu.h"

namespace tv {

TrayIcon::TrayIcon(CalendarApp& app, const std::string& tip) : app_(app), tip_(tip) {
    timer_ = new QTimer(this);
    timer_->setInterval(kTrayTickSeconds * 1000);
    connect(timer_, &QTimer::timeout, this, [this] { trayTick(app_.context()); });
    timer_->start();
}

void TrayIcon::appear() {
    if (appearing_) return;
    appearing_ = true;
    QTimer::singleShot(0, this, [this] {
        icon_ = new QSystemTrayIcon(this);
        // The program's icon, read once when the calendar started.
        icon_->setIcon(QApplication::windowIcon());
        icon_->setToolTip(QString::fromStdString(tip_));
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason r) {
                    switch (r) {
                        case QSystemTrayIcon::Trigger:
                            trayIconClicked(app_.context(), TrayClick::kSingle);
                            break;
                        case QSystemTrayIcon::DoubleClick:
                            trayIconClicked(app_.context(), TrayClick::kDouble);
                            break;
                        case QSystemTrayIcon::Context:
                            trayIconClicked(app_.context(), TrayClick::kRight);
                            break;
                        default:
                            break;
                    }
                });
        // Without a tray area the form still keeps the process and its tick.
        if (QSystemTrayIcon::isSystemTrayAvailable()) icon_->show();
    });
}

TrayIcon::~TrayIcon() {
    if (icon_ != nullptr) icon_->hide();
}

void TrayIcon::showMenu() {
    if (menuOpen_) return;
    menuOpen_ = true;
    AppState& s = app_.state();
    const auto menu = PopupMenu::fromModel(buildTrayMenu(s.settings, s.strings));
    const int chosen = menu->show();
    menuOpen_ = false;
    if (app_.platform().messageBox == nullptr) return;
    switch (resolveTrayMenu(chosen, s.strings, *app_.platform().messageBox)) {
        case TrayCommand::kOpenCalendar:
            loadUpCalendar(app_.context(), LoadMode::kRaise);
            break;
        case TrayCommand::kExitProgram:
            exitProgram(app_.context());
            break;
        case TrayCommand::kNone:
            break;
    }
}

}  // namespace tv
