// A real Radicale for the sync tests: started on 127.0.0.1 with a free port and a folder of its
// own, with one user and one calendar, and stopped (killed if need be) when the test ends.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <csignal>
#include <fstream>
#include <string>

#include <sys/prctl.h>

#include "platform/qt/qt_caldav_client.h"
#include "support/temp_dir.h"

namespace tv::test {

inline constexpr const char* kPython = "/usr/bin/python3";
inline constexpr const char* kUser = "anna";
inline constexpr const char* kPassword = "titok";

inline int freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

class RadicaleServer {
public:
    RadicaleServer() {
        port_ = freePort();
        std::ofstream(dir_.file("users")) << kUser << ':' << kPassword << '\n';
        std::ofstream(dir_.file("config"))
            << "[server]\nhosts = 127.0.0.1:" << port_ << "\n"
            << "[auth]\ntype = htpasswd\nhtpasswd_filename = " << dir_.file("users")
            << "\nhtpasswd_encryption = plain\n"
            << "[storage]\nfilesystem_folder = " << dir_.file("collections") << "\n"
            << "[rights]\ntype = owner_only\n"
            << "[logging]\nlevel = error\n";
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.setStandardOutputFile(QProcess::nullDevice());
        // A test that crashes takes its server with it, instead of leaving it on the output pipe.
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process_.start(QString::fromLatin1(kPython),
                       {QStringLiteral("-m"), QStringLiteral("radicale"),
                        QStringLiteral("--config"), QString::fromStdString(dir_.file("config"))});
        up_ = process_.waitForStarted(5000) && waitForPort();
    }
    ~RadicaleServer() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    bool up() const { return up_; }
    int port() const { return port_; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    std::string calendar() const { return std::string("/") + kUser + "/cal/"; }
    CalDavAccount account(int port = 0) const {
        return {"http://127.0.0.1:" + std::to_string(port != 0 ? port : port_) + "/", kUser,
                kPassword};
    }

    // A new calendar for the test.
    bool makeCalendar(const std::string& href) {
        QtCalDavClient client(account());
        const QByteArray body =
            "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" "
            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>Naptár"
            "</d:displayname></d:prop></d:set></c:mkcalendar>";
        const QUrl url(QString::fromStdString(this->url() + href.substr(1)));
        return client.send("MKCALENDAR", url, body, {}).status.http == 201;
    }

private:
    bool waitForPort() {
        const QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            if (process_.state() != QProcess::Running) return false;
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
            if (probe.waitForConnected(200)) return true;
            QThread::msleep(100);
        }
        return false;
    }

    TempDir dir_;
    int port_ = 0;
    QProcess process_;
    bool up_ = false;
};

}  // namespace tv::test
