// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). Every call is asynchronous, so a missing
// or slow service never holds up the window; without one nothing is shown, quietly.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <map>
#include <optional>

#include "core/ports/notifier.h"

class QDBusPendingCallWatcher;

namespace tv {

class QtNotifier : public QObject, public Notifier {
    Q_OBJECT

public:
    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kInterface = "org.freedesktop.Notifications";

    // `appName` and `desktopId` say whose notifications these are (the desktop groups them under
    // the launcher of that id). Without a `bus`, the session bus, reached at the first
    // notification: a start that shows none does not wait for the bus.
    QtNotifier(QString appName, QString desktopId);
    QtNotifier(QString appName, QString desktopId, QDBusConnection bus);

    void notify(const Notification& notification, std::function<void()> onAction) override;
    void withdraw() override;

private slots:
    void actionInvoked(uint id, const QString& actionKey);
    void notificationClosed(uint id, uint reason);

private:
    void send(const Notification& notification, const QStringList& capabilities,
              std::function<void()> onAction);

    QString appName_;
    QString desktopId_;
    QDBusConnection& bus();

    std::optional<QDBusConnection> bus_;
    bool listening_ = false;
    // The notifications still shown, by the service's id, with what their action does.
    std::map<uint, std::function<void()>> shown_;
};

// Text for a service that reads the body as markup: &, < and > written as entities.
QString escapeBodyMarkup(const QString& text);

}  // namespace tv
