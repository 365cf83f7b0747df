#include "platform/qt/qt_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUrl>
#include <QVariantMap>

namespace tv {
namespace {

// The service answers at once or not at all; an alarm that waited longer would be stale.
constexpr int kCallTimeoutMs = 5000;
// The action keys: "default" is a click on the notification itself, "open" its button.
const QString kDefaultAction = QStringLiteral("default");
const QString kOpenAction = QStringLiteral("open");
// Urgency levels the desktop notification service knows.
constexpr uchar kNormalUrgency = 1;
constexpr uchar kCriticalUrgency = 2;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString escapeBodyMarkup(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
}

QtNotifier::QtNotifier(QString appName, QString desktopId, QDBusConnection bus)
    : appName_(std::move(appName)), desktopId_(std::move(desktopId)), bus_(std::move(bus)) {}

QtNotifier::QtNotifier(QString appName, QString desktopId)
    : appName_(std::move(appName)), desktopId_(std::move(desktopId)) {}

QDBusConnection& QtNotifier::bus() {
    if (!bus_) bus_ = QDBusConnection::sessionBus();
    return *bus_;
}

void QtNotifier::notify(const Notification& notification, std::function<void()> onAction) {
    if (!bus().isConnected()) return;
    if (!listening_) {
        bus().connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                      SLOT(actionInvoked(uint, QString)));
        bus().connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                      SLOT(notificationClosed(uint, uint)));
        listening_ = true;
    }
    // What the service can do decides the body's form and whether there are actions; its answer
    // (or its absence) comes back later.
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                            QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(ask, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notification, onAction = std::move(onAction)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<QStringList> reply = *w;
                if (reply.isError()) return;  // no service: the window and the sound remain
                send(notification, reply.value(), onAction);
            });
}

void QtNotifier::send(const Notification& n, const QStringList& capabilities,
                      std::function<void()> onAction) {
    QString body = qs(n.text);
    if (capabilities.contains(QStringLiteral("body-markup"))) body = escapeBodyMarkup(body);
    QStringList actions;
    if (!n.actionText.empty() && capabilities.contains(QStringLiteral("actions"))) {
        actions << kDefaultAction << qs(n.actionText) << kOpenAction << qs(n.actionText);
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"),
                 QVariant::fromValue<uchar>(n.urgent ? kCriticalUrgency : kNormalUrgency));
    hints.insert(QStringLiteral("desktop-entry"), desktopId_);
    const QString icon = n.icon.empty() ? QString() : QUrl::fromLocalFile(qs(n.icon)).toString();
    // An urgent one stays until it is dismissed or taken back; else the service decides.
    const int expireMs = n.urgent ? 0 : -1;

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << appName_ << uint{0} << icon << qs(n.title) << body << actions << hints << expireMs;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, onAction = std::move(onAction)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (!reply.isError()) shown_[reply.value()] = onAction;
            });
}

void QtNotifier::withdraw() {
    for (const auto& [id, action] : shown_) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("CloseNotification"));
        call << id;
        bus().asyncCall(call, kCallTimeoutMs);
    }
    shown_.clear();
}

void QtNotifier::actionInvoked(uint id, const QString& actionKey) {
    const auto it = shown_.find(id);
    if (it == shown_.end()) return;  // another program's notification
    if (actionKey != kDefaultAction && actionKey != kOpenAction) return;
    const std::function<void()> action = it->second;
    if (action) action();
}

void QtNotifier::notificationClosed(uint id, uint /*reason*/) {
    shown_.erase(id);
}

}  // namespace tv
