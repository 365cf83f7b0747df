// Sync through a proxy that makes Radicale fail: every run that meets a fault may stop, and once
// the fault is gone the machines hold the same events, none lost, none doubled.
#include <gtest/gtest.h>

#include "platform/qt/qt_caldav_client.h"
#include "support/sync_machine.h"
#include "sync/fault_proxy.h"
#include "sync/radicale_server.h"

namespace tv {
namespace {

using test::FaultProxy;
using test::SyncMachine;
using test::userEvent;
using Kind = FaultProxy::Kind;

class RadicaleFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.up()) << "Radicale did not start";
        ASSERT_TRUE(server.makeCalendar(server.calendar()));
        a.add(userEvent("Egy", 2025, 1, 1));
        a.add(userEvent("Kettő", 2025, 1, 2));
        converge();
    }
    void converge() {
        proxy.clear();
        proxy.dropEtags = false;
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(a.sync(dav, true).stop, SyncStop::kDone);
            ASSERT_EQ(b.sync(dav, true).stop, SyncStop::kDone);
        }
        EXPECT_EQ(a.contents(), b.contents());
        std::vector<DavEntry> entries;
        ASSERT_TRUE(direct.listEtags(server.calendar(), entries).ok());
        EXPECT_EQ(entries.size(), a.contents().size());
    }
    // Work on both sides that the next runs carry.
    void work(const std::string& tag) {
        a.add(userEvent("A " + tag, 2025, 3, 1));
        a.edit(a.slotNamed("Egy"), [&](EventRecord& r) { r.comment = "a " + tag; });
        b.add(userEvent("B " + tag, 2025, 4, 1));
        b.edit(b.slotNamed("Kettő"), [&](EventRecord& r) { r.comment = "b " + tag; });
    }

    test::RadicaleServer server;
    FaultProxy proxy{server.port()};
    QtCalDavClient dav{server.account(proxy.port())};
    QtCalDavClient direct{server.account()};
    SyncMachine a{server.calendar()};
    SyncMachine b{server.calendar()};
};

TEST_F(RadicaleFaults, ErrorStatusesOnEveryKindOfRequest) {
    int round = 0;
    for (const char* method : {"REPORT", "PUT", "DELETE"}) {
        for (int status : {500, 503}) {
            const std::string tag = std::to_string(++round);
            work(tag);
            b.remove(b.slotNamed("B " + std::to_string(round - 1)));
            a.sync(dav);
            proxy.add({method, {}, Kind::kStatus, status, 0});
            const SyncReport r = b.sync(dav);
            if (std::string(method) != "DELETE" || round > 1) {
                EXPECT_NE(r.stop, SyncStop::kDone) << method << ' ' << status;
            }
            converge();
        }
    }
}

TEST_F(RadicaleFaults, ConnectionsCutBeforeAndAfterThePutWasApplied) {
    for (Kind kind : {Kind::kCutBefore, Kind::kCutAfter}) {
        const std::string tag = kind == Kind::kCutBefore ? "before" : "after";
        work(tag);
        // Twice: the network layer tries a request once more on a new connection by itself.
        proxy.add({"PUT", {}, kind, 0, 0});
        proxy.add({"PUT", {}, kind, 0, 0});
        EXPECT_EQ(a.sync(dav).stop, SyncStop::kNetwork) << tag;
        converge();
    }
    EXPECT_EQ(a.contents().size(), 6u);
}

TEST_F(RadicaleFaults, SlowAnswersAndAnswersWithoutEtags) {
    work("lassú");
    proxy.add({"REPORT", {}, Kind::kSlow, 0, 1500});
    proxy.add({"PUT", {}, Kind::kSlow, 0, 500});
    EXPECT_EQ(a.sync(dav).stop, SyncStop::kDone);
    proxy.dropEtags = true;
    const SyncReport r = b.sync(dav);
    EXPECT_EQ(r.stop, SyncStop::kDone) << r.error;
    EXPECT_EQ(a.sync(dav).stop, SyncStop::kDone);
    converge();
}

TEST_F(RadicaleFaults, ATokenTheServerDisownsStartsOverWithTheWholeList) {
    work("token");
    a.sync(dav);
    proxy.add({"REPORT", "sync-token>http", Kind::kStatus, 403, 0});
    EXPECT_EQ(b.sync(dav).stop, SyncStop::kDone);
    converge();
}

}  // namespace
}  // namespace tv
