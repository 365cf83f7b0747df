#include "platform/qt/qt_caldav_client.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace tv {
namespace {

constexpr int kCancelPollMs = 100;
const QByteArray kPropfind = "PROPFIND";
const QByteArray kReport = "REPORT";

using Headers = QList<QPair<QByteArray, QByteArray>>;

Headers depthHeader(int depth) {
    return {{"Depth", QByteArray::number(depth)},
            {"Content-Type", "application/xml; charset=utf-8"}};
}

std::string text(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool sameCollection(const std::string& a, const std::string& b) {
    auto trim = [](std::string s) {
        while (s.size() > 1 && s.back() == '/')
            s.pop_back();
        return s;
    };
    return trim(a) == trim(b);
}

}  // namespace

QtCalDavClient::QtCalDavClient(CalDavAccount account, const std::atomic<bool>* cancel)
    : account_(std::move(account)),
      base_(QUrl(QString::fromStdString(account_.url))),
      cancel_(cancel),
      manager_(std::make_unique<QNetworkAccessManager>()) {
    // Redirects are followed by hand: only to addresses we would have accepted ourselves.
    manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

QtCalDavClient::~QtCalDavClient() = default;

bool QtCalDavClient::allowedAddress(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty()) return false;
    if (url.scheme() == QLatin1String("https")) return true;
    if (url.scheme() != QLatin1String("http")) return false;
    if (url.host() == QLatin1String("localhost")) return true;
    const QHostAddress host(url.host());
    return !host.isNull() && host.isLoopback();
}

QUrl QtCalDavClient::resolve(const std::string& href) const {
    return base_.resolved(QUrl(QString::fromStdString(href)));
}

QtCalDavClient::Reply QtCalDavClient::sendOnce(const QByteArray& verb, const QUrl& url,
                                               const QByteArray& body, const Headers& headers) {
    Reply out;
    if (!allowedAddress(url)) {
        out.status = {0, "only https addresses (or this machine's own) are used"};
        return out;
    }
    if (cancel_ != nullptr && cancel_->load()) {
        out.status = {0, "cancelled"};
        return out;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(kTransferTimeoutMs);
    const QByteArray credentials =
        QByteArray::fromStdString(account_.user + ":" + account_.password).toBase64();
    request.setRawHeader("Authorization", "Basic " + credentials);
    request.setRawHeader("User-Agent", "Tempovirens");
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply* reply = manager_->sendCustomRequest(request, verb, body);

    QEventLoop loop;
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > kMaxReplyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(kDeadlineMs);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, reply, [this, reply] {
        if (cancel_ != nullptr && cancel_->load()) reply->abort();
    });
    poll.start(kCancelPollMs);
    if (!reply->isFinished()) loop.exec();

    const int http = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge) {
        out.status = {0, "the answer was too large"};
    } else if (http == 0) {
        out.status = {0, reply->errorString().toStdString()};
    } else {
        out.status = {http, http >= 300 ? reply->errorString().toStdString() : std::string()};
        out.body = reply->readAll();
        out.etag = reply->rawHeader("ETag");
        if (reply->hasRawHeader("Location")) {
            out.location = url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        }
    }
    reply->deleteLater();
    return out;
}

QtCalDavClient::Reply QtCalDavClient::send(const QByteArray& verb, const QUrl& url,
                                           const QByteArray& body, const Headers& headers) {
    QUrl target = url;
    for (int hop = 0;; ++hop) {
        Reply r = sendOnce(verb, target, body, headers);
        const int s = r.status.http;
        const bool redirect = s == 301 || s == 302 || s == 303 || s == 307 || s == 308;
        if (!redirect || hop >= kMaxRedirects || !r.location.isValid()) return r;
        // Never from https down to plain http.
        if (target.scheme() == QLatin1String("https") &&
            r.location.scheme() != QLatin1String("https")) {
            return r;
        }
        target = r.location;
    }
}

DavStatus QtCalDavClient::multistatus(const QByteArray& verb, const QUrl& url, int depth,
                                      const QByteArray& body, dav::Multistatus& out) {
    const Reply r = send(verb, url, body, depthHeader(depth));
    if (!r.status.ok()) return r.status;
    out = dav::parseMultistatus(r.body);
    if (!out.ok) return {0, "the server's answer could not be read"};
    return r.status;
}

DavStatus QtCalDavClient::discover(std::vector<DavCalendar>& calendars) {
    // The principal: from the address itself, or from the host's well-known address.
    dav::Multistatus m;
    const QByteArray principalBody = dav::propfindBody({dav::kPrincipal, dav::kResourceType});
    DavStatus st = multistatus(kPropfind, base_, 0, principalBody, m);
    std::string principal;
    for (const dav::Response& r : m.responses) {
        if (!r.principal.empty()) principal = r.principal;
    }
    if (principal.empty()) {
        st = multistatus(kPropfind, base_.resolved(QUrl(QStringLiteral("/.well-known/caldav"))), 0,
                         principalBody, m);
        for (const dav::Response& r : m.responses) {
            if (!r.principal.empty()) principal = r.principal;
        }
    }
    if (principal.empty()) return st.ok() ? DavStatus{404, "no CalDAV account found there"} : st;

    st = multistatus(kPropfind, resolve(principal), 0, dav::propfindBody({dav::kHomeSet}), m);
    if (!st.ok()) return st;
    std::string home;
    for (const dav::Response& r : m.responses) {
        if (!r.home.empty()) home = r.home;
    }
    if (home.empty()) return {404, "the account has no calendar home"};

    st = multistatus(kPropfind, resolve(home), 1,
                     dav::propfindBody({dav::kResourceType, dav::kDisplayName, dav::kComponents,
                                        dav::kCtag, dav::kSyncToken}),
                     m);
    if (!st.ok()) return st;
    for (const dav::Response& r : m.responses) {
        if (!r.calendar || r.status >= 300) continue;
        calendars.push_back({r.href, r.displayName, r.ctag, r.syncToken, r.events});
    }
    return st;
}

DavStatus QtCalDavClient::calendarState(const std::string& href, DavCalendar& state) {
    dav::Multistatus m;
    DavStatus st = multistatus(
        kPropfind, resolve(href), 0,
        dav::propfindBody({dav::kResourceType, dav::kDisplayName, dav::kCtag, dav::kSyncToken}), m);
    if (!st.ok()) return st;
    for (const dav::Response& r : m.responses) {
        if (!sameCollection(r.href, href)) continue;
        state = {href, r.displayName, r.ctag, r.syncToken, r.events};
    }
    return st;
}

DavStatus QtCalDavClient::syncCollection(const std::string& href, const std::string& token,
                                         std::vector<DavEntry>& changed,
                                         std::vector<std::string>& removed, std::string& newToken) {
    dav::Multistatus m;
    DavStatus st = multistatus(kReport, resolve(href), 1, dav::syncCollectionBody(token), m);
    if (!st.ok()) return st;
    for (const dav::Response& r : m.responses) {
        if (sameCollection(r.href, href)) continue;
        if (r.status == 404) {
            removed.push_back(r.href);
        } else if (r.status < 300) {
            changed.push_back({r.href, r.etag});
        }
    }
    newToken = m.syncToken;
    return st;
}

DavStatus QtCalDavClient::listEtags(const std::string& href, std::vector<DavEntry>& entries) {
    dav::Multistatus m;
    DavStatus st = multistatus(kPropfind, resolve(href), 1,
                               dav::propfindBody({dav::kEtag, dav::kResourceType}), m);
    if (!st.ok()) return st;
    for (const dav::Response& r : m.responses) {
        if (sameCollection(r.href, href) || r.status >= 300) continue;
        entries.push_back({r.href, r.etag});
    }
    return st;
}

DavStatus QtCalDavClient::multiget(const std::string& calendar,
                                   const std::vector<std::string>& hrefs,
                                   std::vector<DavObject>& objects) {
    dav::Multistatus m;
    DavStatus st = multistatus(kReport, resolve(calendar), 1, dav::multigetBody(hrefs), m);
    if (!st.ok()) return st;
    for (dav::Response& r : m.responses) {
        const int status = r.status != 200 ? r.status : (r.calendarData.empty() ? 404 : 200);
        objects.push_back({r.href, r.etag, std::move(r.calendarData), status});
    }
    return st;
}

DavStatus QtCalDavClient::put(const std::string& href, const std::string& ics,
                              const std::string& ifMatch, std::string& etag) {
    Headers headers = {{"Content-Type", "text/calendar; charset=utf-8"}};
    if (ifMatch.empty()) {
        headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
    } else {
        headers.append(qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(ifMatch)));
    }
    const Reply r = send("PUT", resolve(href), QByteArray::fromStdString(ics), headers);
    if (r.status.ok()) etag = text(r.etag);
    return r.status;
}

DavStatus QtCalDavClient::remove(const std::string& href, const std::string& ifMatch) {
    Headers headers;
    if (!ifMatch.empty())
        headers.append(qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(ifMatch)));
    return send("DELETE", resolve(href), {}, headers).status;
}

}  // namespace tv
