// A CalDAV server as sync sees it: one account, requests that block until answered (sync runs
// off the window's thread, or in the command-line tool). Addresses are server-relative paths
// ("/calendars/anna/home/"), as the server's own answers give them.
#pragma once

#include <string>
#include <vector>

namespace tv {

// Where and as whom sync logs in.
struct CalDavAccount {
    std::string url;  // the server address the user typed
    std::string user;
    std::string password;
};

struct DavStatus {
    int http = 0;       // 0: no answer (connection refused or cut, time-out, TLS, cancelled)
    std::string error;  // for the log and the report
    bool ok() const { return http >= 200 && http < 300; }
};

struct DavCalendar {
    std::string href;
    std::string displayName;
    std::string ctag;
    std::string syncToken;
    bool events = true;  // holds VEVENTs (a task list does not)
};

struct DavEntry {
    std::string href;
    std::string etag;
};

struct DavObject {
    std::string href;
    std::string etag;
    std::string ics;
    int status = 200;  // per object; 404 when it is gone
};

class CalDavClient {
public:
    virtual ~CalDavClient() = default;

    // The calendars of the account the server address leads to (its well-known address, the
    // principal, the calendar home).
    virtual DavStatus discover(std::vector<DavCalendar>& calendars) = 0;
    // ctag and sync token of one calendar.
    virtual DavStatus calendarState(const std::string& href, DavCalendar& state) = 0;
    // What changed since `token` (empty: everything). A token the server no longer knows answers
    // 403 or 409.
    virtual DavStatus syncCollection(const std::string& href, const std::string& token,
                                     std::vector<DavEntry>& changed,
                                     std::vector<std::string>& removed, std::string& newToken) = 0;
    // Every object of the calendar with its ETag.
    virtual DavStatus listEtags(const std::string& href, std::vector<DavEntry>& entries) = 0;
    // The objects, in one request.
    virtual DavStatus multiget(const std::string& calendar, const std::vector<std::string>& hrefs,
                               std::vector<DavObject>& objects) = 0;
    // Writes an object: with `ifMatch` empty only when none exists yet (If-None-Match: *),
    // otherwise only over that ETag. `etag` receives the new ETag when the server gives one.
    virtual DavStatus put(const std::string& href, const std::string& ics,
                          const std::string& ifMatch, std::string& etag) = 0;
    // Deletes an object if it still has that ETag (any when empty).
    virtual DavStatus remove(const std::string& href, const std::string& ifMatch) = 0;
};

}  // namespace tv
