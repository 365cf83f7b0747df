#include "platform/qt/qt_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

namespace tv {

bool QtShell::openDocument(const std::string& target) {
    const QString t = QString::fromStdString(target);
    // A path on disk needs a file URL; anything with a scheme goes as it is.
    const QUrl url = QFileInfo::exists(t) ? QUrl::fromLocalFile(t) : QUrl(t);
    return QDesktopServices::openUrl(url);
}

void QtShell::beep() {
    QApplication::beep();
}

bool QtShell::openDateTimeSettings() {
    // The desktops that have a date and time page of their own, tried in order.
    struct Tool {
        const char* program;
        QStringList args;
    };
    const Tool tools[] = {
        {"gnome-control-center", {QStringLiteral("datetime")}},
        {"systemsettings", {QStringLiteral("kcm_clock")}},
        {"xfce4-datetime-settings", {}},
        {"cinnamon-settings", {QStringLiteral("calendar")}},
    };
    for (const Tool& t : tools) {
        const QString exe = QStandardPaths::findExecutable(QLatin1String(t.program));
        if (!exe.isEmpty() && QProcess::startDetached(exe, t.args)) return true;
    }
    return false;
}

std::string QtShell::computerName() const {
    return QSysInfo::machineHostName().toStdString();
}

std::string QtShell::userName() const {
    const QByteArray user = qgetenv("USER");
    return user.isEmpty() ? std::string("user") : user.toStdString();
}

}  // namespace tv
