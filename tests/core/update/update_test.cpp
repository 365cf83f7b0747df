// The update check: the query and the reply reader, the state at start, the automatic trigger,
// what a reply does to the settings and the log, the reminder and the notice's buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/log.h"
#include "core/config/binary_io.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/update/update_check.h"
#include "core/update/update_query.h"
#include "core/update/update_reply.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_user_store.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string reply(VersionNumber v, std::string_view link = "https://example.org/get",
                  std::optional<std::string> userId = std::nullopt, uint8_t product = 1) {
    ByteWriter w;
    w.raw(kUpdateReplyMagic);
    w.byte(product);
    w.int16(v.major);
    w.int16(v.minor);
    w.int16(v.revision);
    w.byte(userId ? 1 : 0);
    if (userId) w.raw(*userId);
    w.text16(link);
    return w.take();
}

TEST(UpdateQuery, ParametersInOrderAndTheSkinCleaned) {
    const UpdateQuery q{false, "a&b c", "Őszi téma.v2", 42, {1, 9, 5}};
    EXPECT_EQ(buildUpdateQuery("https://upd.example/tv", q),
              "https://upd.example/tv/get_content_info.php?mode=data&check_type=auto"
              "&id=tempovirens&user_id=a%26b%20c&use_user_id=true&tempovirens_skin=_szi_t_ma_v2"
              "&tempovirens_entries=42&ver_maj=1&ver_min=9&ver_rev=5");
    EXPECT_EQ(cleanSkinName("metal-big_2"), "metal-big_2");

    test::TempDir dir;
    std::filesystem::create_directory(dir.file("data"));
    EXPECT_EQ(readUpdateEndpoint(dir.dir()), "");
    dir.write("data/update.cfg", "endpoint = \"https://upd.example/\"\r\n");
    EXPECT_EQ(readUpdateEndpoint(dir.dir()), "https://upd.example/");
    // Unquoted, "//" starts a comment and leaves "https:": that is no address.
    dir.write("data/update.cfg", "endpoint = https://upd.example/\r\n");
    EXPECT_EQ(readUpdateEndpoint(dir.dir()), "");
}

TEST(UpdateReplyReader, WholeBrokenAndUnknown) {
    const std::string whole = reply({2, 0, 1}, "https://example.org/get", std::string(32, 'K'));
    const UpdateReply r = parseUpdateReply(whole);
    EXPECT_EQ(r.status, UpdateReplyStatus::kValid);
    EXPECT_EQ(r.latest, (VersionNumber{2, 0, 1}));
    EXPECT_EQ(r.newUserId, std::string(32, 'K'));
    EXPECT_EQ(r.link, "https://example.org/get");
    // Every cut of a whole reply is invalid: never half a result.
    for (size_t n = 0; n < whole.size(); ++n) {
        const UpdateReply cut = parseUpdateReply(std::string_view(whole).substr(0, n));
        EXPECT_EQ(cut.status, UpdateReplyStatus::kInvalid) << n;
        EXPECT_FALSE(cut.newUserId);
        EXPECT_EQ(cut.link, "");
    }
    EXPECT_EQ(parseUpdateReply(reply({2, 0, 0}, "", std::nullopt, 2)).status,
              UpdateReplyStatus::kNoEntry);
    // The dialog opens the link with the desktop: only web addresses, only printable ids.
    const UpdateReply odd =
        parseUpdateReply(reply({2, 0, 0}, "file:///home/eva/.bashrc", std::string(31, 'a') + '\n'));
    EXPECT_EQ(odd.status, UpdateReplyStatus::kValid);
    EXPECT_EQ(odd.link, "");
    EXPECT_FALSE(odd.newUserId);
}

class UpdateCheckTest : public ::testing::Test {
protected:
    UpdateCheckTest() : clock(FakeClock::at(2024, 3, 9, 12, 0, 0)), log(clock) {
        std::filesystem::create_directory(prog.file("data"));
        prog.write("data/update.cfg", "endpoint = \"https://upd.example/tv\"\r\n");
        log.open(prog.file("calendar.log"));
        ctx = {&settings,  &clock,      &strings, &log,      &store,
               prog.dir(), "metal_big", 7,        {1, 9, 5}, [this] { return ++saves > 0; }};
    }
    // Starts a check and answers it with `result`; the status it ended with.
    int check(const DownloadResult& result, bool manual = false) {
        int status = 99;
        getOnlineVersion(state, ctx, &download, manual, [&status](int s) { status = s; });
        if (!download.pending.empty()) download.finish(result);
        return status;
    }
    int checkWith(const std::string& body) { return check(DownloadResult{true, body}); }
    std::string logText() { return prog.read("calendar.log"); }

    test::TempDir prog;
    FakeClock clock;
    Log log;
    HashTable settings;
    StringTable strings;
    FakeUserStore store;
    FakeDownload download;
    FakeShell shell;
    UpdateContext ctx;
    UpdateState state;
    int saves = 0;
};

TEST_F(UpdateCheckTest, StateAtStart) {
    // First start: the latest known version is our own, nothing is pending, the wait is a week.
    settings.setItem("Update_NextCheck", "0");
    updateStateAtStart(state, ctx);
    EXPECT_FALSE(state.updatePending);
    EXPECT_EQ(state.checkInterval, 604800);
    EXPECT_EQ(settings.item("Update_NextCheck"), "604800");
    EXPECT_EQ(settings.item("Update_LatestVerMin"), "9");
    EXPECT_GT(state.elapsed, int64_t{100} * 365 * 86400);  // never checked: long ago

    settings.setItem("Update_LatestVerMaj", "2");
    settings.setItem("Update_NextCheck", "0");
    settings.setItem("Update_LastTime", "2024-03-10T12:00:10");  // ahead counts as well
    updateStateAtStart(state, ctx);
    EXPECT_TRUE(state.updatePending);
    EXPECT_EQ(state.checkInterval, 0);
    EXPECT_EQ(state.elapsed, 86410);
}

TEST_F(UpdateCheckTest, AutomaticTriggerNeedsEveryCondition) {
    struct Case {
        const char* what;
        int64_t uptime, elapsed, interval;
        bool pending, started, fires;
    };
    // The 20-second tick is added to uptime and elapsed before the test.
    for (const Case& c :
         std::vector<Case>{{"all met", 581, 981, 1000, false, false, true},
                           {"uptime not over 600", 580, 5000, 1000, false, false, false},
                           {"elapsed not over the interval", 5000, 980, 1000, false, false, false},
                           {"never remind", 5000, 5000, -1, false, false, false},
                           {"already pending", 5000, 5000, 1000, true, false, false},
                           {"a scheduled start this tick", 5000, 5000, 1000, false, true, false}}) {
        state = UpdateState{};
        state.uptime = c.uptime;
        state.elapsed = c.elapsed;
        state.checkInterval = c.interval;
        state.updatePending = c.pending;
        EXPECT_EQ(updateTick(state, ctx, &download, 20, c.started), c.fires) << c.what;
        EXPECT_EQ(download.pending.size(), c.fires ? 1u : 0u) << c.what;
        while (!download.pending.empty())
            download.finish({});
    }
    EXPECT_THAT(logText(), HasSubstr("] Check for newer version\r\n"));
    EXPECT_THAT(download.urls.at(0), HasSubstr("check_type=auto&id=tempovirens&user_id=&"));
}

TEST_F(UpdateCheckTest, NoConnectionRecordsOnlyTheAttempt) {
    settings.setItem("Update_LatestVerMaj", "3");
    store.setString("UserID", "u-1");
    EXPECT_EQ(check(DownloadResult{false, ""}, true), kCheckNoConnection);
    EXPECT_THAT(download.urls.at(0), HasSubstr("/tv/get_content_info.php?mode=data&check_type="
                                               "manual&id=tempovirens&user_id=u-1&use_user_id="
                                               "true&tempovirens_skin=metal_big&tempovirens_"
                                               "entries=7&ver_maj=1&ver_min=9&ver_rev=5"));
    EXPECT_EQ(settings.item("Update_LastTime"), "2024-03-09T12:00:00");
    EXPECT_EQ(settings.item("Update_LatestVerMaj"), "3");
    EXPECT_EQ(saves, 1);
    EXPECT_THAT(logText(), HasSubstr("] fGetOnlineVersion(manual)\r\n"
                                     "  Error, can't connect to the server.\r\n"
                                     "  fGetOnlineVersion - Query done\r\n"));
}

// Regression: without a configured service the manual check said it could not connect.
TEST_F(UpdateCheckTest, WithoutAServiceItSaysNotConfigured) {
    std::filesystem::remove(prog.file("data/update.cfg"));
    EXPECT_EQ(check({}), kCheckNotConfigured);
    EXPECT_TRUE(download.urls.empty());  // nothing is requested
    EXPECT_EQ(saves, 1);                 // the attempt is recorded
    EXPECT_THAT(logText(), HasSubstr("No update service is configured"));
    EXPECT_THAT(logText(), Not(HasSubstr("can't connect")));

    FakeMessageBox box;
    EXPECT_FALSE(manualCheckFinished(state, ctx, &box, kCheckNotConfigured).has_value());
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "about_msg_noservice");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kInformation);
}

TEST_F(UpdateCheckTest, AnOutdatedVersionRemindsAtTheNextStart) {
    EXPECT_EQ(checkWith(reply({2, 0, 0}, "https://example.org/get", std::string(32, 'N'))),
              kCheckOutdated);
    EXPECT_EQ(settings.item("Update_NextCheck"), "0");
    EXPECT_EQ(settings.item("Update_LatestVerMaj"), "2");
    EXPECT_EQ(settings.item("Update_Link"), "https://example.org/get");
    EXPECT_EQ(store.getString("UserID"), std::string(32, 'N'));
    EXPECT_THAT(logText(), HasSubstr("  Version local: v1.9.5; online: v2.0.0\r\n"
                                     "  Current version is outdated\r\n"));

    clock.advanceSeconds(60);
    UpdateState next;
    updateStateAtStart(next, ctx);
    EXPECT_TRUE(next.updatePending);
    const auto dialog = updateReminder(next, ctx, false);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->link, "https://example.org/get");
    EXPECT_EQ(dialog->currentVersion, "v1.9.5");
    EXPECT_EQ(dialog->onlineVersion, "v2.0.0");
    EXPECT_EQ(settings.item("Update_LastTime"), "2024-03-09T12:01:00");
    EXPECT_THAT(logText(), HasSubstr("Current version is outdated, show alert (manual=False)"));
}

TEST_F(UpdateCheckTest, OtherReplies) {
    EXPECT_EQ(checkWith(reply({1, 9, 4})), kCheckRunningIsNewer);
    EXPECT_THAT(logText(), HasSubstr("  Current version is newer\r\n"));
    EXPECT_EQ(checkWith(reply({1, 9, 5})), kCheckUpToDate);
    EXPECT_THAT(logText(), HasSubstr("  Current version is up to date\r\n"));
    EXPECT_EQ(checkWith(reply({1, 10, 0})), kCheckOutdated);

    settings.setItem("Update_NextCheck", "3600");
    EXPECT_EQ(checkWith("<html>busy</html>"), kCheckInvalidReply);
    EXPECT_EQ(settings.item("Update_LatestVerMaj"), "0");
    EXPECT_EQ(settings.item("Update_Link"), "");
    EXPECT_EQ(settings.item("Update_NextCheck"), "3600");
    EXPECT_THAT(logText(), HasSubstr("  Invalid downloaded content.\r\n"
                                     "  Version local: v1.9.5; online: v0.0.0\r\n"));
    EXPECT_EQ(checkWith(reply({2, 0, 0}, "", std::nullopt, 0)), kCheckInvalidReply);
    EXPECT_THAT(logText(), HasSubstr("  There is no such entry.\r\n"));
}

TEST_F(UpdateCheckTest, AManualCheckSaysWhatItFound) {
    FakeMessageBox box;
    const struct {
        int status;
        const char* text;
        MessageIcon icon;
    } cases[] = {
        {kCheckUpToDate, "about_msg_up2date", MessageIcon::kInformation},
        {kCheckRunningIsNewer, "about_msg_up2date", MessageIcon::kInformation},
        {kCheckInvalidReply, "about_err_invalid", MessageIcon::kCritical},
        {kCheckNoConnection, "about_err_connect", MessageIcon::kCritical},
    };
    for (const auto& c : cases) {
        box.shown.clear();
        EXPECT_FALSE(manualCheckFinished(state, ctx, &box, c.status));
        ASSERT_EQ(box.shown.size(), 1u) << c.status;
        EXPECT_EQ(box.shown[0].text, c.text);
        EXPECT_EQ(box.shown[0].icon, c.icon);
        // Without a box (the window has gone) nothing is shown, and nothing breaks.
        EXPECT_FALSE(manualCheckFinished(state, ctx, nullptr, c.status));
    }
    box.shown.clear();
    settings.setItem("Update_LatestVerMaj", "2");
    const auto model = manualCheckFinished(state, ctx, &box, kCheckOutdated);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->currentVersion, "v1.9.5");
    EXPECT_TRUE(box.shown.empty());  // the dialog tells it instead
}

TEST_F(UpdateCheckTest, ReminderOnlyWhenDue) {
    state.updatePending = true;
    state.checkInterval = 3600;
    state.elapsed = 3599;
    EXPECT_FALSE(updateReminder(state, ctx, false));
    state.checkInterval = -1;
    state.elapsed = 1'000'000;
    EXPECT_FALSE(updateReminder(state, ctx, false));
    state.updatePending = false;
    state.checkInterval = 0;
    EXPECT_FALSE(updateReminder(state, ctx, false));
    EXPECT_EQ(settings.item("Update_LastTime"), "");
    ASSERT_TRUE(updateReminder(state, ctx, true));  // asked for, whatever the wait says
    EXPECT_THAT(logText(), HasSubstr("show alert (manual=True)"));
}

TEST_F(UpdateCheckTest, DialogButtonsSetTheNextWait) {
    updateDownloadClicked(state, ctx, &shell, "https://example.org/get");
    updateDownloadClicked(state, ctx, &shell, "");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://example.org/get"});
    EXPECT_EQ(shell.beeps, 1);
    EXPECT_EQ(settings.item("Update_NextCheck"), "86400");
    EXPECT_EQ(state.checkInterval, 86400);

    // "Never": no more reminders and no automatic checks.
    updateLaterClicked(state, ctx, 6);
    EXPECT_EQ(settings.item("Update_NextCheck"), "-1");
    state.updatePending = true;
    state.elapsed = 10'000'000;
    EXPECT_FALSE(updateReminder(state, ctx, false));
    state.updatePending = false;
    state.uptime = 10'000;
    EXPECT_FALSE(updateTick(state, ctx, &download, 20, false));
}

}  // namespace
}  // namespace tv
