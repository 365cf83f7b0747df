// The CalDAV protocol on QNetworkAccessManager. Each request blocks its caller on a local event
// loop, so the client belongs on a thread of its own (the calendar's sync worker) or in the
// command-line tool; it must never run on the window's thread. HTTPS only, except to this
// machine; every request has a time-out, and answers are capped.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <atomic>
#include <memory>
#include <string>

#include "core/ports/caldav.h"
#include "platform/qt/caldav_xml.h"

class QNetworkAccessManager;
class QNetworkRequest;

namespace tv {

class QtCalDavClient : public CalDavClient {
public:
    static constexpr int kTransferTimeoutMs = 30000;
    static constexpr int kDeadlineMs = 120000;
    static constexpr qint64 kMaxReplyBytes = qint64{64} << 20;
    static constexpr int kMaxRedirects = 5;

    // `cancel`, when given, stops the request under way (the program is ending).
    explicit QtCalDavClient(CalDavAccount account, const std::atomic<bool>* cancel = nullptr);
    ~QtCalDavClient() override;

    // Whether the address may be used: https, or http to a loopback address.
    static bool allowedAddress(const QUrl& url);

    DavStatus discover(std::vector<DavCalendar>& calendars) override;
    DavStatus calendarState(const std::string& href, DavCalendar& state) override;
    DavStatus syncCollection(const std::string& href, const std::string& token,
                             std::vector<DavEntry>& changed, std::vector<std::string>& removed,
                             std::string& newToken) override;
    DavStatus listEtags(const std::string& href, std::vector<DavEntry>& entries) override;
    DavStatus multiget(const std::string& calendar, const std::vector<std::string>& hrefs,
                       std::vector<DavObject>& objects) override;
    DavStatus put(const std::string& href, const std::string& ics, const std::string& ifMatch,
                  std::string& etag) override;
    DavStatus remove(const std::string& href, const std::string& ifMatch) override;

    struct Reply {
        DavStatus status;
        QByteArray body;
        QByteArray etag;
        QUrl location;  // a redirect's target
    };
    // One request, following redirects to allowed addresses. Public for the tests.
    Reply send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
               const QList<QPair<QByteArray, QByteArray>>& headers);

private:
    Reply sendOnce(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                   const QList<QPair<QByteArray, QByteArray>>& headers);
    QUrl resolve(const std::string& href) const;
    // PROPFIND or REPORT with a multistatus answer.
    DavStatus multistatus(const QByteArray& verb, const QUrl& url, int depth,
                          const QByteArray& body, dav::Multistatus& out);

    CalDavAccount account_;
    QUrl base_;
    const std::atomic<bool>* cancel_;
    std::unique_ptr<QNetworkAccessManager> manager_;
};

}  // namespace tv
