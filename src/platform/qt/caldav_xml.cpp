#include "platform/qt/caldav_xml.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

namespace tv::dav {
namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
const QString kCalServer = QStringLiteral("http://calendarserver.org/ns/");
constexpr int kMaxDepth = 64;

// "HTTP/1.1 404 Not Found" -> 404; 0 when it is not a status line.
int statusCode(const QString& line) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.size() < 2) return 0;
    bool ok = false;
    const int code = parts[1].toInt(&ok);
    return ok && code >= 100 && code <= 599 ? code : 0;
}

bool is(const QXmlStreamReader& x, const QString& ns, const char* name) {
    return x.namespaceUri() == ns && x.name() == QLatin1String(name);
}

// The values of one propstat, taken over only when its status is 2xx.
struct Props {
    std::string etag, data, ctag, token, name, principal, home;
    bool calendar = false;
    bool componentsSeen = false;
    bool events = false;
};

void readProp(QXmlStreamReader& x, Props& p) {
    // Inside <prop>: one element per property.
    int depth = 0;
    QString property;
    QString propertyNs;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (++depth > kMaxDepth) {
                x.raiseError(QStringLiteral("too deep"));
                return;
            }
            if (depth == 1) {
                property = x.name().toString();
                propertyNs = x.namespaceUri().toString();
                if (is(x, kDav, "getetag"))
                    p.etag = x.readElementText().trimmed().toStdString();
                else if (is(x, kCalDav, "calendar-data"))
                    p.data = x.readElementText().toStdString();
                else if (is(x, kCalServer, "getctag"))
                    p.ctag = x.readElementText().trimmed().toStdString();
                else if (is(x, kDav, "sync-token"))
                    p.token = x.readElementText().trimmed().toStdString();
                else if (is(x, kDav, "displayname"))
                    p.name = x.readElementText().trimmed().toStdString();
                else if (is(x, kCalDav, "supported-calendar-component-set"))
                    p.componentsSeen = true;
                else
                    continue;
                if (x.isEndElement()) --depth;
                continue;
            }
            if (is(x, kDav, "href") && propertyNs == kDav &&
                property == QLatin1String("current-user-principal")) {
                p.principal = x.readElementText().trimmed().toStdString();
                --depth;
            } else if (is(x, kDav, "href") && propertyNs == kCalDav &&
                       property == QLatin1String("calendar-home-set")) {
                p.home = x.readElementText().trimmed().toStdString();
                --depth;
            } else if (is(x, kCalDav, "calendar") && property == QLatin1String("resourcetype")) {
                p.calendar = true;
            } else if (is(x, kCalDav, "comp") &&
                       x.attributes().value(QLatin1String("name")) == QLatin1String("VEVENT")) {
                p.events = true;
            }
        } else if (x.isEndElement()) {
            if (depth == 0) return;  // </prop>
            --depth;
        }
    }
}

void readPropstat(QXmlStreamReader& x, Response& r) {
    Props p;
    int status = 0;
    while (x.readNextStartElement()) {
        if (is(x, kDav, "prop")) {
            readProp(x, p);
        } else if (is(x, kDav, "status")) {
            status = statusCode(x.readElementText());
        } else {
            x.skipCurrentElement();
        }
    }
    if (status < 200 || status > 299) return;
    if (!p.etag.empty()) r.etag = p.etag;
    if (!p.data.empty()) r.calendarData = p.data;
    if (!p.ctag.empty()) r.ctag = p.ctag;
    if (!p.token.empty()) r.syncToken = p.token;
    if (!p.name.empty()) r.displayName = p.name;
    if (!p.principal.empty()) r.principal = hrefPath(p.principal);
    if (!p.home.empty()) r.home = hrefPath(p.home);
    r.calendar = r.calendar || p.calendar;
    if (p.componentsSeen) r.events = p.events;
}

Response readResponse(QXmlStreamReader& x) {
    Response r;
    while (x.readNextStartElement()) {
        if (is(x, kDav, "href")) {
            r.href = hrefPath(x.readElementText().trimmed().toStdString());
        } else if (is(x, kDav, "status")) {
            r.status = statusCode(x.readElementText());
        } else if (is(x, kDav, "propstat")) {
            readPropstat(x, r);
        } else {
            x.skipCurrentElement();
        }
    }
    return r;
}

QByteArray document(const std::function<void(QXmlStreamWriter&)>& body) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    body(w);
    w.writeEndDocument();
    return out;
}

void namespaces(QXmlStreamWriter& w) {
    w.writeNamespace(kDav, QStringLiteral("d"));
    w.writeNamespace(kCalDav, QStringLiteral("c"));
    w.writeNamespace(kCalServer, QStringLiteral("cs"));
}

// "d:getetag" -> the element in its namespace.
void emptyElement(QXmlStreamWriter& w, const char* prefixed) {
    const QString name = QString::fromLatin1(prefixed);
    const QString prefix = name.section(QLatin1Char(':'), 0, 0);
    const QString ns = prefix == QLatin1String("c")    ? kCalDav
                       : prefix == QLatin1String("cs") ? kCalServer
                                                       : kDav;
    w.writeEmptyElement(ns, name.section(QLatin1Char(':'), 1));
}

}  // namespace

std::string hrefPath(const std::string& href) {
    if (href.rfind("http://", 0) != 0 && href.rfind("https://", 0) != 0) return href;
    const QUrl url(QString::fromStdString(href));
    return url.path(QUrl::FullyEncoded).toStdString();
}

Multistatus parseMultistatus(const QByteArray& body) {
    Multistatus m;
    QXmlStreamReader x(body);
    if (!x.readNextStartElement() || !is(x, kDav, "multistatus")) return m;
    while (x.readNextStartElement()) {
        if (is(x, kDav, "response")) {
            m.responses.push_back(readResponse(x));
        } else if (is(x, kDav, "sync-token")) {
            m.syncToken = x.readElementText().trimmed().toStdString();
        } else {
            x.skipCurrentElement();
        }
    }
    m.ok = !x.hasError();
    return m;
}

QByteArray propfindBody(const std::vector<const char*>& properties) {
    return document([&](QXmlStreamWriter& w) {
        namespaces(w);
        w.writeStartElement(kDav, QStringLiteral("propfind"));
        w.writeStartElement(kDav, QStringLiteral("prop"));
        for (const char* p : properties)
            emptyElement(w, p);
        w.writeEndElement();
        w.writeEndElement();
    });
}

QByteArray syncCollectionBody(const std::string& token) {
    return document([&](QXmlStreamWriter& w) {
        namespaces(w);
        w.writeStartElement(kDav, QStringLiteral("sync-collection"));
        w.writeTextElement(kDav, QStringLiteral("sync-token"), QString::fromStdString(token));
        w.writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
        w.writeStartElement(kDav, QStringLiteral("prop"));
        emptyElement(w, kEtag);
        w.writeEndElement();
        w.writeEndElement();
    });
}

QByteArray multigetBody(const std::vector<std::string>& hrefs) {
    return document([&](QXmlStreamWriter& w) {
        namespaces(w);
        w.writeStartElement(kCalDav, QStringLiteral("calendar-multiget"));
        w.writeStartElement(kDav, QStringLiteral("prop"));
        emptyElement(w, kEtag);
        emptyElement(w, "c:calendar-data");
        w.writeEndElement();
        for (const std::string& h : hrefs)
            w.writeTextElement(kDav, QStringLiteral("href"), QString::fromStdString(h));
        w.writeEndElement();
    });
}

}  // namespace tv::dav
