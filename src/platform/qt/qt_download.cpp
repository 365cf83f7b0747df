#include "platform/qt/qt_download.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace tv {

QtDownload::QtDownload() = default;
QtDownload::~QtDownload() = default;

void QtDownload::get(const std::string& url, Done done) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme() != QLatin1String("https")) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(DownloadResult{}); });
        return;
    }
    // The manager loads the TLS backend; most runs never check, so it is made on demand.
    if (manager_ == nullptr) manager_ = new QNetworkAccessManager(this);

    QNetworkRequest request(address);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager_->get(request);

    auto body = std::make_shared<std::string>();
    auto finished = std::make_shared<bool>(false);
    auto deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply] { reply->abort(); });
    deadline->start(kDeadlineMs);

    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body] {
        const qint64 room = kMaxReplyBytes - static_cast<qint64>(body->size());
        if (room <= 0) {
            reply->abort();
            return;
        }
        const QByteArray chunk = reply->read(room);
        body->append(chunk.constData(), static_cast<size_t>(chunk.size()));
        if (static_cast<qint64>(body->size()) >= kMaxReplyBytes) reply->abort();
    });
    QObject::connect(
        reply, &QNetworkReply::finished, this, [reply, body, finished, done = std::move(done)] {
            if (*finished) return;
            *finished = true;
            DownloadResult result;
            const QByteArray rest = reply->read(kMaxReplyBytes - static_cast<qint64>(body->size()));
            body->append(rest.constData(), static_cast<size_t>(rest.size()));
            result.ok = reply->error() == QNetworkReply::NoError;
            if (result.ok) result.body = *body;
            reply->deleteLater();
            done(result);
        });
}

}  // namespace tv
