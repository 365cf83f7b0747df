// An in-memory CalDAV calendar and clients of it, for the sync tests: ETags, If-Match and
// If-None-Match, a change log behind sync tokens, and faults on demand.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/ports/caldav.h"
#include "core/sync/event_ics.h"

namespace tv {

class FakeCalDavServer {
public:
    static constexpr const char* kCalendar = "/cal/";

    struct Object {
        std::string etag;
        std::string ics;
    };

    // A fault for the next request of that operation ("put", "remove", "multiget", "sync",
    // "list", "state"): the status it answers (0: the connection is cut), and whether a put or
    // remove is carried out before the answer is lost.
    struct Fault {
        std::string operation;
        int status = 500;
        bool applyFirst = false;
    };
    std::vector<Fault> faults;
    bool syncTokens = true;  // answers sync-collection; otherwise 501 and ctag listing only
    bool etagsInListing = true;
    int requests = 0;

    std::map<std::string, Object> objects;  // by href

    // Writes as another client would (a phone), bypassing our client.
    void store(const std::string& href, const std::string& ics) { write(href, ics); }
    void drop(const std::string& href) {
        if (objects.erase(href) != 0) log_.push_back({++revision_, href});
    }
    // Forgets the change log: every older token becomes invalid.
    void forgetTokens() { oldestToken_ = revision_; }

    // Returns true and fills `status` when a fault is due for `operation`.
    bool faultFor(const std::string& operation, DavStatus& status, bool& applyFirst) {
        ++requests;
        for (auto it = faults.begin(); it != faults.end(); ++it) {
            if (it->operation != operation) continue;
            status = {it->status, "injected fault"};
            applyFirst = it->applyFirst;
            faults.erase(it);
            return true;
        }
        return false;
    }

    std::string write(const std::string& href, const std::string& ics) {
        const std::string etag = "\"e" + std::to_string(++etagCounter_) + "\"";
        objects[href] = {etag, ics};
        log_.push_back({++revision_, href});
        return etag;
    }

    std::string token() const { return "tok-" + std::to_string(revision_); }
    std::string ctag() const { return "ctag-" + std::to_string(revision_); }

    // Changes after the token; false when the token is unknown.
    bool changesSince(const std::string& token, std::vector<std::string>& hrefs) const {
        long from = 0;
        if (!token.empty()) {
            if (token.rfind("tok-", 0) != 0) return false;
            try {
                from = std::stol(token.substr(4));
            } catch (...) {
                return false;
            }
            if (from < oldestToken_ || from > revision_) return false;
        }
        for (const auto& [rev, href] : log_) {
            if (rev > from) hrefs.push_back(href);
        }
        return true;
    }

private:
    struct Change {
        long revision;
        std::string href;
    };
    std::vector<Change> log_;
    long revision_ = 0;
    long oldestToken_ = 0;
    long etagCounter_ = 0;
};

class FakeCalDavClient : public CalDavClient {
public:
    explicit FakeCalDavClient(FakeCalDavServer& server) : s_(server) {}

    DavStatus discover(std::vector<DavCalendar>& calendars) override {
        DavStatus f;
        bool apply = false;
        if (s_.faultFor("discover", f, apply)) return f;
        calendars.push_back({FakeCalDavServer::kCalendar, "Naptár", s_.ctag(), s_.token(), true});
        return {207, {}};
    }
    DavStatus calendarState(const std::string&, DavCalendar& state) override {
        DavStatus f;
        bool apply = false;
        if (s_.faultFor("state", f, apply)) return f;
        state = {FakeCalDavServer::kCalendar, "Naptár", s_.ctag(),
                 s_.syncTokens ? s_.token() : std::string(), true};
        return {207, {}};
    }
    DavStatus syncCollection(const std::string&, const std::string& token,
                             std::vector<DavEntry>& changed, std::vector<std::string>& removed,
                             std::string& newToken) override {
        DavStatus f;
        bool apply = false;
        if (s_.faultFor("sync", f, apply)) return f;
        if (!s_.syncTokens) return {501, "not implemented"};
        std::vector<std::string> hrefs;
        if (!s_.changesSince(token, hrefs)) return {403, "valid-sync-token"};
        std::map<std::string, bool> seen;
        for (const std::string& h : hrefs) {
            if (seen[h]) continue;
            seen[h] = true;
            const auto it = s_.objects.find(h);
            if (it == s_.objects.end()) {
                if (!token.empty()) removed.push_back(h);
            } else {
                changed.push_back({h, s_.etagsInListing ? it->second.etag : std::string()});
            }
        }
        newToken = s_.token();
        return {207, {}};
    }
    DavStatus listEtags(const std::string&, std::vector<DavEntry>& entries) override {
        DavStatus f;
        bool apply = false;
        if (s_.faultFor("list", f, apply)) return f;
        for (const auto& [href, o] : s_.objects)
            entries.push_back({href, s_.etagsInListing ? o.etag : std::string()});
        return {207, {}};
    }
    DavStatus multiget(const std::string&, const std::vector<std::string>& hrefs,
                       std::vector<DavObject>& objects) override {
        DavStatus f;
        bool apply = false;
        if (s_.faultFor("multiget", f, apply)) return f;
        for (const std::string& h : hrefs) {
            const auto it = s_.objects.find(h);
            if (it == s_.objects.end()) {
                objects.push_back({h, {}, {}, 404});
            } else {
                objects.push_back(
                    {h, s_.etagsInListing ? it->second.etag : std::string(), it->second.ics, 200});
            }
        }
        return {207, {}};
    }
    DavStatus put(const std::string& href, const std::string& ics, const std::string& ifMatch,
                  std::string& etag) override {
        DavStatus f;
        bool apply = false;
        const bool fault = s_.faultFor("put", f, apply);
        if (fault && !apply) return f;
        const auto it = s_.objects.find(href);
        if (ifMatch.empty()
                ? it != s_.objects.end()
                : (it == s_.objects.end() || (ifMatch != "*" && it->second.etag != ifMatch))) {
            return {412, "precondition failed"};
        }
        // A calendar keeps one UID in one place.
        const std::string uid = readIcsEvent(ics).uid;
        for (const auto& [h, o] : s_.objects) {
            if (h != href && !uid.empty() && readIcsEvent(o.ics).uid == uid) {
                return {409, "no-uid-conflict"};
            }
        }
        const std::string newEtag = s_.write(href, ics);
        if (fault) return f;
        if (s_.etagsInListing) etag = newEtag;
        return {201, {}};
    }
    DavStatus remove(const std::string& href, const std::string& ifMatch) override {
        DavStatus f;
        bool apply = false;
        const bool fault = s_.faultFor("remove", f, apply);
        if (fault && !apply) return f;
        const auto it = s_.objects.find(href);
        if (it == s_.objects.end()) return {404, "not found"};
        if (!ifMatch.empty() && ifMatch != "*" && it->second.etag != ifMatch) {
            return {412, "precondition failed"};
        }
        s_.drop(href);
        if (fault) return f;
        return {204, {}};
    }

private:
    FakeCalDavServer& s_;
};

}  // namespace tv
