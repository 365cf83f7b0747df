// Small HTTPS replies through QNetworkAccessManager, never blocking the window: a stalled
// transfer gives up after 10 s, any request after 30 s, and replies are cut off at 64 KiB.
#pragma once

#include <QObject>

#include "core/ports/download.h"

class QNetworkAccessManager;

namespace tv {

class QtDownload : public QObject, public Download {
    Q_OBJECT
public:
    static constexpr int kTransferTimeoutMs = 10000;
    static constexpr int kDeadlineMs = 30000;
    static constexpr qint64 kMaxReplyBytes = 64 * 1024;

    QtDownload();
    ~QtDownload() override;

    // Anything but an https address fails at once (still through `done`, later).
    void get(const std::string& url, Done done) override;

private:
    QNetworkAccessManager* manager_ = nullptr;
};

}  // namespace tv
