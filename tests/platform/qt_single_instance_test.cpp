#include "platform/qt/qt_single_instance.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QThread>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using ::testing::ElementsAre;

// The server needs an event loop; one application serves the whole test program.
// Runs `sender` on its own thread, as a second process would, while this thread serves the
// first instance's event loop. The deadline only guards against a hang.
void runBeside(const std::function<void()>& sender) {
    std::atomic<bool> done{false};
    std::thread t([&] {
        sender();
        done = true;
    });
    QDeadlineTimer guard(20000);
    while (!done && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    t.join();
    QCoreApplication::processEvents();
}

// A raw connection to the socket, the way a foreign or broken client would make one.
class RawClient {
public:
    explicit RawClient(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(fd_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return connected_; }
    void write(const QByteArray& bytes) {
        (void)::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
    }
    // True when the other side has closed the connection within `ms`.
    bool closedWithin(int ms) {
        pollfd p{fd_, POLLIN, 0};
        char c = 0;
        return ::poll(&p, 1, ms) == 1 && ::recv(fd_, &c, 1, 0) == 0;
    }

private:
    int fd_;
    bool connected_ = false;
};

// Raw bytes to the socket, then wait for the first to close the connection.
void sendRaw(const std::string& path, const QByteArray& bytes) {
    RawClient client(path);
    if (!client.connected()) return;
    client.write(bytes);
    client.closedWithin(5000);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    test::TempDir runtime;
    std::vector<std::string> received;
    QtSingleInstance::Receiver collect() {
        return [this](const std::string& m) {
            received.push_back(m);
            return std::string("ok");
        };
    }
};

TEST_F(SingleInstanceTest, TheSecondStartHandsItsRequestToTheFirstAndWaits) {
    QtSingleInstance first(runtime.dir());
    QtSingleInstance second(runtime.dir());
    std::atomic<bool> senderDone{false};
    bool doneWhenHandled = true;
    ASSERT_TRUE(first.becomePrimary([&](const std::string& m) {
        received.push_back(m);
        doneWhenHandled = senderDone;
        return std::string("ok");
    }));
    ASSERT_FALSE(second.becomePrimary([](const std::string&) { return std::string(); }));

    bool ok = false;
    runBeside([&] {
        ok = second.send("launch");
        senderDone = true;
    });
    EXPECT_TRUE(ok);
    EXPECT_THAT(received, ElementsAre("launch"));
    EXPECT_FALSE(doneWhenHandled);  // the sender was still waiting while the first handled it
}

// The second start that reaches the first before the toolkit starts speaks the same protocol.
TEST_F(SingleInstanceTest, TheEarlyHandOverReachesTheFirstWithoutQt) {
    EXPECT_EQ(sendToRunningCalendar(runtime.dir(), "launch", 1000), std::nullopt);  // nobody

    QtSingleInstance first(runtime.dir());
    ASSERT_TRUE(first.becomePrimary([&](const std::string& m) {
        received.push_back(m);
        return std::string("shown");
    }));
    std::optional<std::string> answer;
    runBeside([&] { answer = sendToRunningCalendar(runtime.dir(), "launch-dev", 5000); });
    EXPECT_EQ(answer, "shown");
    EXPECT_THAT(received, ElementsAre("launch-dev"));
    EXPECT_EQ(sendToRunningCalendar(runtime.dir(), std::string(255, 'x'), 1000), std::nullopt);
}

TEST_F(SingleInstanceTest, OverLongMessagesNeverArrive) {
    QtSingleInstance first(runtime.dir());
    ASSERT_TRUE(first.becomePrimary(collect()));
    QtSingleInstance sender(runtime.dir());
    EXPECT_FALSE(sender.send(std::string(255, 'x')));  // 255 bytes + the zero do not fit

    const std::string path = first.socketPath();
    runBeside([&] { sendRaw(path, QByteArray(300, 'a')); });
    runBeside([&] { sendRaw(path, QByteArray(255, 'b') + '\0'); });
    EXPECT_TRUE(received.empty());

    // The longest that fits, and a text cut at its first zero byte.
    const std::string longest(254, 'c');
    runBeside([&] { EXPECT_TRUE(sender.send(longest)); });
    runBeside([&] { sendRaw(path, QByteArray("launch\0-dev", 12)); });
    EXPECT_THAT(received, ElementsAre(longest, "launch"));
}

TEST_F(SingleInstanceTest, ALockLeftByADeadRunIsTakenOver) {
    const QString lockPath = QString::fromStdString(runtime.dir()) + QtSingleInstance::kLockName;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        lock.tryLock(0);
        _exit(0);  // dies holding the lock: no destructor removes it
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(lockPath));

    QtSingleInstance first(runtime.dir());
    // The dead run's socket file is still there too.
    runtime.write(QtSingleInstance::kSocketName, "stale");
    ASSERT_TRUE(first.becomePrimary(collect()));

    QtSingleInstance second(runtime.dir());
    EXPECT_FALSE(second.becomePrimary([](const std::string&) { return std::string(); }));
    runBeside([&] { EXPECT_TRUE(second.send("launch-dev")); });
    EXPECT_THAT(received, ElementsAre("launch-dev"));
}

TEST_F(SingleInstanceTest, AStartWaitsForAToolThatHoldsTheLockWhileItWrites) {
    const QString lockPath = QString::fromStdString(runtime.dir()) + QtSingleInstance::kLockName;
    const pid_t tool = fork();
    ASSERT_GE(tool, 0);
    if (tool == 0) {
        QLockFile lock(lockPath);
        lock.tryLock(0);
        QThread::msleep(600);  // writing its change
        lock.unlock();
        _exit(0);
    }
    // The tool has the lock before the calendar starts.
    for (int i = 0; i < 100 && !QFile::exists(lockPath); ++i)
        QThread::msleep(10);
    QtSingleInstance calendar(runtime.dir());
    EXPECT_TRUE(calendar.becomePrimary(collect()));
    waitpid(tool, nullptr, 0);

    // A tool that comes now finds the calendar and hands its change over.
    QtSingleInstance::Claim claim = QtSingleInstance::Claim::kOwned;
    std::optional<std::string> answer;
    runBeside([&] {
        QtSingleInstance second(runtime.dir());
        claim = second.claimForWriting();
        answer = second.request("apply 1-a");
    });
    EXPECT_EQ(claim, QtSingleInstance::Claim::kCalendarRuns);
    EXPECT_EQ(answer, std::optional<std::string>("ok"));
    EXPECT_THAT(received, ElementsAre("apply 1-a"));
}

// A probe that only connects, and a sender that never finishes its message, hold up nobody: the
// next request is served at once, and the stalled one is cut off after the read time-out.
TEST_F(SingleInstanceTest, AStalledSenderHoldsUpNobodyAndIsCutOff) {
    QtSingleInstance first(runtime.dir());
    ASSERT_TRUE(first.becomePrimary(collect()));
    const std::string path = first.socketPath();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the user's own

    { RawClient probe(path); }
    RawClient stalled(path);
    ASSERT_TRUE(stalled.connected());
    stalled.write("launch-b");  // no closing zero byte
    QtSingleInstance second(runtime.dir());
    runBeside([&] { EXPECT_TRUE(second.send("launch")); });
    EXPECT_THAT(received, ElementsAre("launch"));

    bool cut = false;
    runBeside([&] { cut = stalled.closedWithin(QtSingleInstance::kReadTimeoutMs + 3000); });
    EXPECT_TRUE(cut);
    EXPECT_THAT(received, ElementsAre("launch"));
}

TEST_F(SingleInstanceTest, TheSocketGoesWithTheFirst) {
    std::string path;
    {
        QtSingleInstance first(runtime.dir());
        ASSERT_TRUE(first.becomePrimary(collect()));
        path = first.socketPath();
        EXPECT_TRUE(calendarListens(runtime.dir()));
    }
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(calendarListens(runtime.dir()));
    EXPECT_EQ(sendToRunningCalendar(runtime.dir(), "launch", 1000), std::nullopt);
}

}  // namespace
}  // namespace tv
