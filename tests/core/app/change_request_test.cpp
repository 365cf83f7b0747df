// Changes handed over by the command-line tool: the request file's format, and the running
// calendar applying, refusing or passing them on.
#include "core/app/change_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app_harness.h"
#include "core/app/change_import.h"
#include "core/app/change_receiver.h"
#include "core/app/startup.h"
#include "core/calc/files.h"
#include "core/events/event_database_format.h"

namespace tv {
namespace {

using test::AppHarness;

ChangeRequest fullRequest() {
    ChangeRequest r;
    r.kind = ChangeKind::kAddEvent;
    r.userDataDir = "/home/éva/.local/share/Brimcove Tempovirens/";
    r.yes = true;
    r.event.name = "Fogorvos – Dr. Kő";
    r.event.comment = std::string("sor1\r\nsor2\0vég", 15);
    r.event.year = "2024";
    r.event.month = "3";
    r.event.day = "12";
    r.event.repeatIndex = 3;
    r.event.monthMask = 0x0A5;
    r.event.alarmOn = true;
    r.event.alarmHour = "7";
    r.event.alarmMinute = "05";
    r.event.length = "3";
    r.slot = 17;
    r.backupPath = "/tmp/mentés.backup";
    r.calendarFile = "/home/éva/naptár.ics";
    r.nearest = true;
    r.reportFile = "/run/user/1000/tempovirens-ical-report-1-2";
    return r;
}

TEST(ChangeRequestFile, EveryFieldComesBackAsWritten) {
    const ChangeRequest in = fullRequest();
    const std::optional<ChangeRequest> out = decodeChangeRequest(encodeChangeRequest(in));
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->kind, in.kind);
    EXPECT_EQ(out->userDataDir, in.userDataDir);
    EXPECT_TRUE(out->yes);
    EXPECT_EQ(out->event.name, in.event.name);
    EXPECT_EQ(out->event.comment, in.event.comment);
    EXPECT_EQ(out->event.repeatIndex, 3);
    EXPECT_EQ(out->event.monthMask, 0x0A5);
    EXPECT_EQ(out->event.alarmMinute, "05");
    EXPECT_FALSE(out->event.forecast.has_value());
    EXPECT_EQ(out->event.length, std::optional<std::string>("3"));
    EXPECT_EQ(out->slot, 17);
    EXPECT_EQ(out->backupPath, in.backupPath);
    EXPECT_EQ(out->calendarFile, in.calendarFile);
    EXPECT_TRUE(out->nearest);
    EXPECT_EQ(out->reportFile, in.reportFile);

    ChangeRequest sync;
    sync.kind = ChangeKind::kSyncRestore;
    sync.dryRun = true;
    sync.conflict = 12;
    const std::optional<ChangeRequest> back = decodeChangeRequest(encodeChangeRequest(sync));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->kind, ChangeKind::kSyncRestore);
    EXPECT_TRUE(back->dryRun);
    EXPECT_EQ(back->conflict, 12);
}

// A request names the file the calendar writes the import report to: only one of its own
// runtime folder, named as the tool names it, is taken.
TEST(ChangeRequestFile, AnImportReportGoesOnlyIntoTheRuntimeFolder) {
    const std::string run = "/run/user/1000/";
    EXPECT_TRUE(isImportReportFile(run + "tempovirens-ical-report-4711-00ff", run));
    EXPECT_TRUE(isImportReportFile(run + "tempovirens-ical-report-4711-00ff", "/run/user/1000"));
    EXPECT_FALSE(isImportReportFile(run + "tempovirens-ical-report-../../x", run));
    EXPECT_FALSE(isImportReportFile(run + "sub/tempovirens-ical-report-1", run));
    EXPECT_FALSE(isImportReportFile("/home/x/.bashrc", run));
    EXPECT_FALSE(isImportReportFile(run + "tempovirens-ical-report-1", ""));
}

TEST(ChangeRequestFile, OnlyAWholeRequestIsTaken) {
    const std::string bytes = encodeChangeRequest(fullRequest());
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(decodeChangeRequest(bytes.substr(0, n)).has_value()) << n;
    EXPECT_FALSE(decodeChangeRequest(bytes + "x").has_value());
    std::string otherKind = bytes;
    otherKind[9] = 8;
    EXPECT_FALSE(decodeChangeRequest(otherKind).has_value());
    std::string hugeName = bytes;
    hugeName[10] = '\x81';  // the folder's length, far beyond the file
    EXPECT_FALSE(decodeChangeRequest(hugeName).has_value());
}

TEST(ChangeRequestFile, IdsCannotLeaveTheRuntimeFolderAndAnswersFitTheChannel) {
    EXPECT_TRUE(isChangeId("4711-00ff00ff00ff00ff"));
    for (const char* bad : {"", "../settings.cfg", "a/b", "a b", "ä"})
        EXPECT_FALSE(isChangeId(bad)) << bad;
    EXPECT_FALSE(isChangeId(std::string(65, 'a')));

    // "error", the line break and 247 bytes: the cut would fall inside the "ő".
    const std::string reply =
        encodeChangeReply({"error", "", std::string(247, 'x') + "ő and more"}, 254);
    EXPECT_EQ(reply.size(), 253u);
    // A cut between whole characters keeps everything up to the limit.
    EXPECT_EQ(encodeChangeReply({"error", "", std::string(300, 'x')}, 254).size(), 254u);
    EXPECT_EQ(encodeChangeReply({"done", "1", ""}, 254), "done 1");
    const ChangeReply back = decodeChangeReply("done 24 1\nElső sor\nmásodik");
    EXPECT_EQ(back.word, "done");
    EXPECT_EQ(back.result, "24 1");
    EXPECT_EQ(back.notes, "Első sor\nmásodik");
}

// A running calendar with its runtime folder; the tool's request files go there.
struct ReceiverHarness : AppHarness {
    ReceiverHarness() {
        platform.paths.runtimeDir = runtime.dir();
        state.strings.loadFile(program.file("data/hun_strings.dat"));
        startCalendar(ctx, "");
    }
    std::string send(const ChangeRequest& r, const std::string& id = "1-a", unsigned mode = 0600) {
        const std::string file = runtime.dir() + std::string(kChangeFilePrefix) + id;
        EXPECT_TRUE(saveFileAtomic(file, encodeChangeRequest(r), ".tmp", mode));
        ::chmod(file.c_str(), mode);
        return receiveMessage(ctx, std::string(kApplyMessage) + id);
    }
    ChangeRequest addRequest(const std::string& name) {
        ChangeRequest r;
        r.userDataDir = platform.paths.userDataDir;
        r.event.name = name;
        r.event.year = "2024";
        r.event.month = "3";
        r.event.day = "12";
        r.event.alarmOn = true;
        r.event.alarmHour = "9";
        r.event.alarmMinute = "30";
        return r;
    }
    int named(const std::string& name) const {
        int n = 0;
        for (const EventRecord& e : state.events.records())
            n += e.used() && e.name == name ? 1 : 0;
        return n;
    }
    test::TempDir runtime;
};

TEST(ChangeReceiver, AnAddIsAppliedSavedAndShownAtOnce) {
    ReceiverHarness h;
    h.window.calls.clear();
    const std::string reply = h.send(h.addRequest("Fogorvos"));
    const ChangeReply r = decodeChangeReply(reply);
    ASSERT_EQ(r.word, "done") << reply;
    const int slot = std::stoi(r.result);
    EXPECT_EQ(h.state.events[slot].name, "Fogorvos");
    EXPECT_THAT(h.window.calls, ::testing::ElementsAre("refreshEvents"));
    std::string bytes;
    ASSERT_EQ(readWholeFile(h.userFile("events.cdb"), bytes), ReadResult::kOk);
    EventTable disk;
    decodeEventDatabase(bytes, disk);
    EXPECT_EQ(disk[slot].name, "Fogorvos");

    // The same delete without and with the answer given in advance.
    ChangeRequest del;
    del.kind = ChangeKind::kDeleteEvent;
    del.userDataDir = h.platform.paths.userDataDir;
    del.slot = slot;
    EXPECT_EQ(decodeChangeReply(h.send(del, "2-a")).word, "error");
    EXPECT_EQ(h.named("Fogorvos"), 1);
    del.yes = true;
    EXPECT_EQ(h.send(del, "2-b"), "done " + std::to_string(slot));
    EXPECT_EQ(h.named("Fogorvos"), 0);
}

TEST(ChangeReceiver, InTheTrayTheAlarmListTakesTheNewEvent) {
    ReceiverHarness h;
    unloadCalendar(h.ctx, UnloadMode::kClose);
    ChangeRequest r = h.addRequest("Hívás");
    r.event.day = "9";  // today, 09:30: still ahead
    ASSERT_EQ(decodeChangeReply(h.send(r)).word, "done");
    ASSERT_EQ(h.state.lists.alarms.size(), 1u);
    EXPECT_EQ(h.state.lists.alarms[0].name, "Hívás");
    EXPECT_FALSE(h.window.has("refreshEvents"));
}

TEST(ChangeReceiver, ABackupLandsWhereTheToolAskedForIt) {
    ReceiverHarness h;
    test::TempDir out;
    ChangeRequest r;
    r.kind = ChangeKind::kSaveBackup;
    r.userDataDir = h.platform.paths.userDataDir;
    r.backupPath = out.file("mentés.backup");
    EXPECT_EQ(decodeChangeReply(h.send(r, "8")).word, "done");
    EXPECT_TRUE(std::filesystem::exists(out.file("mentés.backup")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.dir()), {}), 1);
}

TEST(ChangeReceiver, RefusesWhatItMustNotApply) {
    ReceiverHarness h;
    const int before = h.state.events.eventCount();

    // A window of the calendar works on the table.
    h.window.modal = true;
    EXPECT_EQ(decodeChangeReply(h.send(h.addRequest("A"), "1")).word, "error");
    h.window.modal = false;
    // Another data folder is not this calendar's to write.
    ChangeRequest other = h.addRequest("B");
    other.userDataDir = h.runtime.dir();
    EXPECT_EQ(h.send(other, "2"), "elsewhere");
    // A file others may read is not taken, nor a name outside the folder.
    EXPECT_EQ(decodeChangeReply(h.send(h.addRequest("C"), "3", 0644)).word, "error");
    EXPECT_EQ(decodeChangeReply(receiveMessage(h.ctx, "apply ../3")).word, "error");
    // A refusal of the editor comes back with its text.
    ChangeRequest bad = h.addRequest("D");
    bad.event.month = "13";
    const ChangeReply refused = decodeChangeReply(h.send(bad, "4"));
    EXPECT_EQ(refused.word, "error");
    EXPECT_FALSE(refused.notes.empty());

    // A request whose file is not there, and a calendar already on its way out.
    const ChangeReply missing =
        decodeChangeReply(receiveMessage(h.ctx, std::string(kApplyMessage) + "5-gone"));
    EXPECT_EQ(missing.word, "error");
    EXPECT_EQ(missing.notes, "the change request could not be read");
    h.state.ended = true;
    const ChangeReply ending = decodeChangeReply(h.send(h.addRequest("E"), "6"));
    EXPECT_EQ(ending.word, "error");
    EXPECT_NE(ending.notes.find("busy"), std::string::npos) << ending.notes;
    h.state.ended = false;

    EXPECT_EQ(h.state.events.eventCount(), before);
    // The second start's words still work, and answer "ok".
    EXPECT_EQ(receiveMessage(h.ctx, "launch"), "ok");
}

}  // namespace
}  // namespace tv
