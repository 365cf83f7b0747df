// The XML of CalDAV: the request bodies we send and the multistatus answers we read, on Qt's
// stream reader. Every answer is read as data from a stranger: unknown elements are skipped,
// values are taken only from a propstat whose status is 2xx, and a broken document reads as
// "not ok" without ever stopping the program.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace tv::dav {

struct Response {
    std::string href;  // a path on the server, as the server wrote it
    int status = 200;  // the response's own status, when it gave one (404 for a removed member)
    std::string etag;
    std::string calendarData;
    std::string ctag;
    std::string syncToken;
    std::string displayName;
    std::string principal;  // current-user-principal
    std::string home;       // calendar-home-set
    bool calendar = false;  // resourcetype has caldav:calendar
    bool events = true;     // supported-calendar-component-set allows VEVENT (or says nothing)
};

struct Multistatus {
    bool ok = false;
    std::vector<Response> responses;
    std::string syncToken;  // the report's new token (sync-collection)
};

Multistatus parseMultistatus(const QByteArray& body);

// An absolute address in an answer becomes its path, so that every href compares as a path.
std::string hrefPath(const std::string& href);

QByteArray propfindBody(const std::vector<const char*>& properties);
QByteArray syncCollectionBody(const std::string& token);
QByteArray multigetBody(const std::vector<std::string>& hrefs);

// Property names for propfindBody.
inline constexpr const char* kEtag = "d:getetag";
inline constexpr const char* kResourceType = "d:resourcetype";
inline constexpr const char* kDisplayName = "d:displayname";
inline constexpr const char* kPrincipal = "d:current-user-principal";
inline constexpr const char* kSyncToken = "d:sync-token";
inline constexpr const char* kHomeSet = "c:calendar-home-set";
inline constexpr const char* kComponents = "c:supported-calendar-component-set";
inline constexpr const char* kCtag = "cs:getctag";

}  // namespace tv::dav
