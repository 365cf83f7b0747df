#include "platform/qt/qt_document_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QUuid>

namespace tv {
namespace {

constexpr int kPollMs = 100;
constexpr int kWatchMs = 5000;  // a launcher that gives up does so at once

QString statusFilePath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return dir + QStringLiteral("/tempovirens-open-") +
           QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".failed");
}

}  // namespace

void openWithDesktop(const QString& file, QObject* context,
                     const std::function<void()>& noHandler) {
    const QUrl url = QUrl::fromLocalFile(file);
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && noHandler) noHandler();
        return;
    }
    const QString status = statusFilePath();
    const QStringList args = {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" || : > \"$2\""),
                              launcher, url.toString(), status};
    if (!QProcess::startDetached(QStringLiteral("/bin/sh"), args)) {
        if (noHandler) noHandler();
        return;
    }
    auto* timer = new QTimer(context);
    timer->setInterval(kPollMs);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, status, waited, noHandler] {
        *waited += kPollMs;
        const bool failed = QFile::exists(status);
        if (!failed && *waited < kWatchMs) return;
        timer->stop();
        timer->deleteLater();
        if (failed) {
            QFile::remove(status);
            if (noHandler) noHandler();
        }
    });
    timer->start();
}

}  // namespace tv
