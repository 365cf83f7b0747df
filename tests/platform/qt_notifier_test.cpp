// The desktop notification against a notification service of our own: a private session bus
// (dbus-daemon started here) and a fake org.freedesktop.Notifications on it.
#include "platform/qt/qt_notifier.h"
#include "support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace tv {
namespace {

// Answers as a desktop's notification service does and keeps what it was asked.
class FakeNotificationService : public QDBusVirtualObject {
public:
    QStringList capabilities{"actions", "body", "body-markup"};
    QList<QVariantList> notifies;
    QList<uint> closed;

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
        const QString member = message.member();
        QDBusMessage reply = message.createReply();
        if (member == QLatin1String("GetCapabilities")) {
            reply << capabilities;
        } else if (member == QLatin1String("Notify")) {
            notifies << message.arguments();
            reply << uint(100 + notifies.size());
        } else if (member == QLatin1String("CloseNotification")) {
            const uint id = message.arguments().value(0).toUInt();
            closed << id;
            emitSignal(bus, "NotificationClosed", {id, uint{3}});
        } else {
            return false;
        }
        bus.send(reply);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    static void emitSignal(const QDBusConnection& bus, const char* name, const QVariantList& args) {
        QDBusMessage signal = QDBusMessage::createSignal(QtNotifier::kPath, QtNotifier::kInterface,
                                                         QString::fromLatin1(name));
        signal.setArguments(args);
        bus.send(signal);
    }
};

class NotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        // D-Bus delivers through the event loop; one application serves the whole test program.
        test::ensureApplication();
        // Without the bus daemon there is no bus to test on; scripts/setup installs it.
        const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (program.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed: no private bus";
        daemon.start(program, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon did not start";
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        if (daemon.state() == QProcess::NotRunning) return;
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    QDBusConnection connect(const QString& name) {
        return QDBusConnection::connectToBus(address, name);
    }
    void startService() {
        QDBusConnection bus = connect(QStringLiteral("service"));
        ASSERT_TRUE(bus.registerService(QtNotifier::kService));
        ASSERT_TRUE(bus.registerVirtualObject(QtNotifier::kPath, &service));
    }
    void emitSignal(const char* name, const QVariantList& args) {
        FakeNotificationService::emitSignal(QDBusConnection(QStringLiteral("service")), name, args);
    }

    static Notification alarm() {
        Notification n;
        n.title = "Fogorvos";
        n.text = "Ébresztés: 8:05\nTej & <kenyér>";
        n.actionText = "A naptár megnyitása";
        n.icon = "/usr/share/tempovirens/icons/tempovirens_256.png";
        n.urgent = true;
        return n;
    }

    QProcess daemon;
    QString address;
    FakeNotificationService service;
};

TEST_F(NotifierTest, NotifyCarriesTheAlarmAndItsActionOpensTheCalendar) {
    startService();
    QtNotifier notifier(QStringLiteral("Tempovirens"), QStringLiteral("hu.brimcove.tempovirens"),
                        connect(QStringLiteral("client")));
    int opened = 0;
    notifier.notify(alarm(), [&opened] { ++opened; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.notifies.size() == 1; }, 5000));

    const QVariantList args = service.notifies.at(0);
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args.at(0).toString(), QStringLiteral("Tempovirens"));
    EXPECT_EQ(args.at(1).toUInt(), 0u);
    EXPECT_EQ(args.at(2).toString(),
              QStringLiteral("file:///usr/share/tempovirens/icons/tempovirens_256.png"));
    EXPECT_EQ(args.at(3).toString(), QStringLiteral("Fogorvos"));
    EXPECT_EQ(args.at(4).toString(),
              QStringLiteral("Ébresztés: 8:05\nTej &amp; &lt;kenyér&gt;"));  // the body is markup
    EXPECT_EQ(args.at(5).toStringList(),
              (QStringList{"default", "A naptár megnyitása", "open", "A naptár megnyitása"}));
    const QVariantMap hints = qdbus_cast<QVariantMap>(args.at(6));
    EXPECT_EQ(hints.value(QStringLiteral("urgency")).value<uchar>(), 2);  // critical
    EXPECT_EQ(hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("hu.brimcove.tempovirens"));
    EXPECT_EQ(args.at(7).toInt(), 0);  // stays until dismissed

    const uint id = 101;
    emitSignal("ActionInvoked", {id + 7, QStringLiteral("default")});  // another program's
    emitSignal("ActionInvoked", {id, QStringLiteral("open")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 5000));
    emitSignal("ActionInvoked", {id, QStringLiteral("default")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 2; }, 5000));

    // Once closed it is forgotten; taking back the rest asks the service to close them.
    emitSignal("NotificationClosed", {id, uint{2}});
    notifier.notify(alarm(), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.notifies.size() == 2; }, 5000));
    QTest::qWait(100);
    emitSignal("ActionInvoked", {id, QStringLiteral("default")});
    notifier.withdraw();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !service.closed.isEmpty(); }, 5000));
    EXPECT_EQ(service.closed, QList<uint>{102});
    EXPECT_EQ(opened, 2);
}

TEST_F(NotifierTest, APlainServiceGetsPlainTextAndNoActions) {
    service.capabilities = {QStringLiteral("body")};
    startService();
    QtNotifier notifier(QStringLiteral("Tempovirens"), QStringLiteral("hu.brimcove.tempovirens"),
                        connect(QStringLiteral("client")));
    Notification quiet = alarm();
    quiet.urgent = false;
    notifier.notify(quiet, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.notifies.size() == 1; }, 5000));
    const QVariantList args = service.notifies.at(0);
    EXPECT_EQ(args.at(4).toString(), QStringLiteral("Ébresztés: 8:05\nTej & <kenyér>"));
    EXPECT_TRUE(args.at(5).toStringList().isEmpty());
    EXPECT_EQ(qdbus_cast<QVariantMap>(args.at(6)).value(QStringLiteral("urgency")).value<uchar>(),
              1);
    EXPECT_EQ(args.at(7).toInt(), -1);
}

TEST_F(NotifierTest, WithoutAServiceNothingWaitsAndNothingBreaks) {
    QtNotifier notifier(QStringLiteral("Tempovirens"), QStringLiteral("hu.brimcove.tempovirens"),
                        connect(QStringLiteral("client")));
    QElapsedTimer took;
    took.start();
    notifier.notify(alarm(), [] { FAIL() << "no notification was shown"; });
    notifier.withdraw();
    EXPECT_LT(took.elapsed(), 1000);
    QTest::qWait(300);  // the service's absence comes back as an error reply, quietly

    // No bus at all (no desktop session) is as quiet.
    QtNotifier unconnected(QStringLiteral("Tempovirens"), QStringLiteral("x"),
                           QDBusConnection(QStringLiteral("no such connection")));
    unconnected.notify(alarm(), {});
    unconnected.withdraw();
}

// The program's notifier reaches the session bus only when it first has something to show: the
// bus named after it was made is the one it uses (ctest runs each test in a process of its
// own, so no earlier test has opened the session bus).
TEST_F(NotifierTest, TheSessionBusIsReachedAtTheFirstNotification) {
    QtNotifier notifier(QStringLiteral("Tempovirens"), QStringLiteral("hu.brimcove.tempovirens"));
    startService();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    notifier.notify(alarm(), {});
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.notifies.size() == 1; }, 5000));
}

}  // namespace
}  // namespace tv
