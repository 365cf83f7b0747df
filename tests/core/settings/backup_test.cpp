// Backup and restore: the comment, the folder checks, save with its question and Backup_Last,
// restore with its checks, and a restore that never leaves the user's data half replaced.
#include "core/settings/backup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/app/log.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/event_database_format.h"
#include "core/events/holidays.h"
#include "core/names/pack_file.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::vector<std::string> listFolder(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(BackupComment, LayoutAndReadingBack) {
    const std::string c = buildBackupComment({2, 3, 1}, "PC", "Éva");
    EXPECT_EQ(c, std::string("Tempovirens\0\x80\x02\x80\x03\x80\x01\x02PC\x03\xc9va", 25));
    const auto read = readBackupComment(c);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->version, (VersionNumber{2, 3, 1}));
    EXPECT_EQ(read->user, "Éva");
    EXPECT_FALSE(readBackupComment(c.substr(0, 18))->hasNames);  // older writers stop here
    EXPECT_FALSE(readBackupComment("Tempovirens"));
    EXPECT_FALSE(readBackupComment(std::string("Tempovirex\0\x80\x02\x80\x03\x80\x01", 18)));
    // The names share what the version leaves of the comment's 255 bytes.
    const std::string longer = buildBackupComment({1, 0, 0}, std::string(300, 'c'), "user");
    EXPECT_EQ(longer.size(), PackFile::kMaxCommentBytes);
    EXPECT_EQ(readBackupComment(longer)->computer, std::string(235, 'c'));
}

TEST(BackupFolders, SystemFoldersAndNames) {
    for (const char* p : {"/", "/usr", "/usr/local/share", "/etc/", "/lib64", "/libx32/a",
                          "/var/tmp", "/proc/self", "/home/../etc", "//bin"}) {
        EXPECT_TRUE(isSystemFolder(p)) << p;
    }
    for (const char* p : {"/home/eva/Backups", "/tmp", "/mnt/usb", "/library", "/usrlocal"})
        EXPECT_FALSE(isSystemFolder(p)) << p;
    EXPECT_FALSE(isSystemFolder("/var/home/eva/mentések", "/var/home/eva"));  // a home under /var
    EXPECT_TRUE(isSystemFolder("/var/home/other", "/var/home/eva"));
    test::TempDir dir;
    fs::create_directory_symlink("/etc", dir.file("etc-link"));
    EXPECT_TRUE(isSystemFolder(dir.file("etc-link/sub")));  // judged by where it leads

    EXPECT_EQ(backupPathFor("/b", "  mentés  "), "/b/mentés.backup");
    EXPECT_EQ(backupPathFor("/b/", "x.backup"), "/b/x.backup");
}

// The user data folder, a folder for backups and every service the backup page has.
class BackupTest : public ::testing::Test {
protected:
    BackupTest() : clock(FakeClock::at(2024, 3, 9, 14, 30, 15)), log(clock) {
        fs::create_directory(user);
        fs::create_directory(backups);
        strings.table().add("sets_bk_q_restore", "restore? $1");
        strings.table().add("sets_bk_q_restore2", "restore? $1 $2 $3");
        strings.table().add("main_month_2", "március");
        log.open(root.file("test.log"));
        ctx = {user, root.dir(), &settings, &strings, &clock, &box, &shell, &log, {1, 0, 0}};
    }
    void writeUserFiles(const std::string& events, const std::string& cfg) {
        root.write("user/events.cdb", events);
        root.write("user/settings.cfg", cfg);
    }
    std::string userFile(const std::string& name) { return root.read("user/" + name); }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> t;
        for (const MessageRequest& r : box.shown)
            t.push_back(r.text);
        return t;
    }
    // A pack of these files with this comment; its path.
    std::string makePack(const std::string& comment,
                         const std::vector<std::pair<std::string, std::string>>& files) {
        fs::create_directories(root.file("scratch"));
        std::vector<std::string> paths;
        for (const auto& [name, bytes] : files) {
            root.write("scratch/" + name, bytes);
            paths.push_back(root.file("scratch/" + name));
        }
        EXPECT_EQ(PackFile::pack(backups + "made.backup", paths, comment, clock), PackResult::kOk);
        fs::remove_all(root.file("scratch"));
        return backups + "made.backup";
    }
    std::string ours(VersionNumber v) { return buildBackupComment(v, "pc", "u"); }
    RestoreHooks hooks() {
        return {[this] { calls.push_back("flag"); }, [this] { calls.push_back("reload"); }};
    }

    test::TempDir root;
    std::string user = root.dir() + "user/";
    std::string backups = root.dir() + "backups/";
    FakeClock clock;
    Log log;
    HashTable settings;
    StringTable strings;
    FakeMessageBox box;
    FakeShell shell;
    BackupContext ctx;
    std::vector<std::string> calls;
};

TEST_F(BackupTest, SaveWritesBothFilesWithTheBackupTimeInside) {
    writeUserFiles("EVENTS", "old settings");
    settings.setItem("Backup_Last", "2024-01-01T10:00:00");
    const auto saveAll = [&] {
        root.write("user/settings.cfg", "Backup_Last = " + settings.item("Backup_Last"));
    };
    EXPECT_EQ(saveBackup(ctx, backups, "mentés", saveAll), BackupSaveResult::kSaved);
    EXPECT_EQ(settings.item("Backup_Last"), "2024-03-09T14:30:15");
    EXPECT_THAT(boxTexts(), ElementsAre("sets_bksave_done"));

    PackFile pack;
    ASSERT_EQ(pack.openPack(backups + "mentés.backup"), PackResult::kOk);
    ASSERT_EQ(pack.entries().size(), 2u);
    EXPECT_EQ(pack.entries()[0].name, "events.cdb");
    std::string cfg;
    ASSERT_EQ(pack.readEntry(1, cfg), PackResult::kOk);
    EXPECT_EQ(cfg, "Backup_Last = 2024-03-09T14:30:15");
    EXPECT_EQ(readBackupComment(pack.comment())->computer, "testhost");
}

TEST_F(BackupTest, SaveRefusalsAndFailuresKeepBackupLast) {
    settings.setItem("Backup_Last", "2024-01-01T10:00:00");
    int saves = 0;
    const auto saveAll = [&] { ++saves; };
    EXPECT_EQ(saveBackup(ctx, backups, "   ", saveAll), BackupSaveResult::kNoFileName);
    EXPECT_EQ(saveBackup(ctx, backups + "missing", "b", saveAll), BackupSaveResult::kNoFolder);
    EXPECT_EQ(saveBackup(ctx, "/etc", "b", saveAll), BackupSaveResult::kSystemFolder);
    EXPECT_EQ(saves, 0);
    // No events.cdb: the pack cannot be written.
    EXPECT_EQ(saveBackup(ctx, backups, "b", saveAll), BackupSaveResult::kFailed);
    EXPECT_THAT(boxTexts(),
                ElementsAre("sets_bk_nodir", "sets_bk_err_sysdir", "sets_bksave_failed"));
    EXPECT_EQ(settings.item("Backup_Last"), "2024-01-01T10:00:00");

    // Cancelling the overwrite question keeps the old backup and the old time.
    writeUserFiles("EVENTS", "cfg");
    root.write("backups/b.backup", "older backup");
    box.script = {MessageAnswer::kCancel, MessageAnswer::kOk};
    EXPECT_EQ(saveBackup(ctx, backups, "b.backup", saveAll), BackupSaveResult::kCancelled);
    EXPECT_EQ(box.shown.back().buttons, MessageButtons::kOkCancel);
    EXPECT_EQ(root.read("backups/b.backup"), "older backup");
    EXPECT_EQ(settings.item("Backup_Last"), "2024-01-01T10:00:00");
    EXPECT_EQ(saveBackup(ctx, backups, "b", saveAll), BackupSaveResult::kSaved);
    EXPECT_NE(root.read("backups/b.backup"), "older backup");
}

TEST_F(BackupTest, RestoreReplacesTheUsersFilesAndReloads) {
    writeUserFiles("BACKED UP EVENTS", "backed up cfg");
    ASSERT_EQ(saveBackup(ctx, backups, "b", {}), BackupSaveResult::kSaved);
    writeUserFiles("NEWER EVENTS", "newer cfg");
    root.write("user/userpic_index.dat", "untouched");
    box.shown.clear();

    EXPECT_EQ(restoreBackup(ctx, backups + "b.backup", hooks()), RestoreResult::kRestored);
    EXPECT_EQ(userFile("events.cdb"), "BACKED UP EVENTS");
    EXPECT_EQ(userFile("settings.cfg"), "backed up cfg");
    EXPECT_THAT(listFolder(user), ElementsAre("events.cdb", "settings.cfg", "userpic_index.dat"));
    EXPECT_THAT(calls, ElementsAre("flag", "reload"));
    EXPECT_THAT(boxTexts(), ElementsAre("restore? 2024. március 9. 14:30 testhost tester",
                                        "sets_bk_restoredone"));
    EXPECT_THAT(root.read("test.log"), ::testing::HasSubstr("  Unpack backup file (v1.0.0)\r\n"));
}

TEST_F(BackupTest, RestoreChecksTheProductAndTheVersionBeforeItAsks) {
    writeUserFiles("MINE", "mine");
    root.write("backups/text.backup", "not a pack");
    EXPECT_EQ(restoreBackup(ctx, backups + "text.backup", hooks()), RestoreResult::kNotOpened);
    EXPECT_TRUE(box.shown.empty());  // silently
    EXPECT_EQ(restoreBackup(ctx, makePack("Another calendar", {{"a", "X"}}), hooks()),
              RestoreResult::kInvalidFile);

    ctx.running = {2, 2, 9};
    EXPECT_EQ(restoreBackup(ctx, makePack(ours({2, 3, 0}), {{"a", "X"}}), hooks()),
              RestoreResult::kNewerVersion);
    EXPECT_THAT(boxTexts(), ElementsAre("sets_bk_invalidfile", "sets_bk_wrongver"));
    // An older minor asks.
    box.script = {MessageAnswer::kCancel};
    ctx.running = {2, 3, 0};
    EXPECT_EQ(restoreBackup(ctx, makePack(ours({2, 2, 9}), {{"a", "X"}}), hooks()),
              RestoreResult::kCancelled);
    // Without names, the short question.
    ctx.running = {2, 2, 0};
    box.shown.clear();
    box.script = {MessageAnswer::kCancel};
    EXPECT_EQ(restoreBackup(ctx, makePack(ours({2, 1, 2}).substr(0, 18), {{"a", "X"}}), hooks()),
              RestoreResult::kCancelled);
    EXPECT_THAT(boxTexts(), ElementsAre("restore? 2024. március 9. 14:30"));
    EXPECT_TRUE(calls.empty());
    EXPECT_THAT(listFolder(user), ElementsAre("events.cdb", "settings.cfg"));
}

TEST_F(BackupTest, AFailedRestoreChangesNothing) {
    writeUserFiles("MINE", "mine");
    const std::string path =
        makePack(ours({1, 0, 0}), {{"events.cdb", "THEIRS"}, {"xxxxxxxxxxxx", "evil"}});
    const std::string whole = root.read("backups/made.backup");
    std::string escaping = whole;
    escaping.replace(escaping.find("xxxxxxxxxxxx"), 12, "../../escape");

    for (const std::string& bytes : {whole.substr(0, whole.size() - 2), escaping}) {
        root.write("backups/made.backup", bytes);
        EXPECT_EQ(restoreBackup(ctx, path, hooks()), RestoreResult::kInvalidFile);
        EXPECT_EQ(userFile("events.cdb"), "MINE");
        EXPECT_THAT(listFolder(user), ElementsAre("events.cdb", "settings.cfg"));
    }
    EXPECT_FALSE(fs::exists(root.dir() + "escape"));

    // A file that cannot be put in place brings back the ones moved before it.
    fs::create_directory(user + "logs");
    makePack(ours({1, 0, 0}), {{"events.cdb", "THEIRS"}, {"settings.cfg", "x"}, {"logs", "f"}});
    EXPECT_EQ(restoreBackup(ctx, path, hooks()), RestoreResult::kWriteFailed);
    EXPECT_EQ(userFile("events.cdb"), "MINE");
    EXPECT_EQ(userFile("settings.cfg"), "mine");
    EXPECT_THAT(listFolder(user), ElementsAre("events.cdb", "logs", "settings.cfg"));
    EXPECT_TRUE(calls.empty());
}

TEST_F(BackupTest, AnOldGenerationBackupIsMigratedOnReload) {
    ctx.running = {2, 0, 0};
    writeUserFiles("MINE", "mine");
    const std::string old = makePack(ours({1, 1, 4}).substr(0, 18),
                                     {{"config.qzi", "old config"}, {"dates.qzi", "old dates"}});
    EXPECT_EQ(restoreBackup(ctx, old, hooks()), RestoreResult::kRestored);
    EXPECT_THAT(listFolder(user), ElementsAre("config.qzi", "dates.qzi"));

    // Our own 1.1 backups record names and restore as they are.
    const std::string own =
        makePack(ours({1, 1, 0}), {{"events.cdb", "THEIRS"}, {"settings.cfg", "theirs"}});
    EXPECT_EQ(restoreBackup(ctx, own, {}), RestoreResult::kRestored);
    EXPECT_EQ(userFile("events.cdb"), "THEIRS");
}

// Good Friday came after backups of older versions: a user who switched it off must not get it
// back from one, and a user who kept it gets it again at the reload (nothing to carry).
TEST_F(BackupTest, AFeastTurnedDownStaysTurnedDownAfterAnOlderBackup) {
    EventTable older;
    createBuiltinHolidays(older, 0);
    for (int row = kFixedHolidayCount + 1; row < kGoodFridayRow; ++row)
        addBuiltinHolidayRow(older, row);
    const std::string olderEvents = encodeEventDatabase(older, clock.now());
    const std::string backup = makePack(
        ours({1, 0, 0}), {{"events.cdb", olderEvents}, {"settings.cfg", "Skin = \"x\"\n"}});
    const auto restoredMark = [this] {
        HashTable restored;
        readConfig(restored, user + "settings.cfg");
        return restored.item("Feast_GoodFridayOffered");
    };

    EventTable current = older;
    addBuiltinHolidayRow(current, kGoodFridayRow);
    writeUserFiles(encodeEventDatabase(current, clock.now()), "Feast_GoodFridayOffered = 1\n");
    ASSERT_EQ(restoreBackup(ctx, backup, {}), RestoreResult::kRestored);
    EXPECT_EQ(restoredMark(), "");  // kept it: offered again after the reload

    current.deleteEvent(current.slotCount() - 1);  // a feast is switched off, not removed
    writeUserFiles(encodeEventDatabase(current, clock.now()), "Feast_GoodFridayOffered = 1\n");
    ASSERT_EQ(restoreBackup(ctx, backup, {}), RestoreResult::kRestored);
    EXPECT_EQ(restoredMark(), "1");
    EXPECT_EQ(userFile("events.cdb"), olderEvents);

    // Turned down before a restore that already carried the mark, and the mark not yet saved
    // by the running program: both still count.
    writeUserFiles(olderEvents, "Skin = \"x\"\n");
    settings.setItem("Feast_GoodFridayOffered", "1");
    ASSERT_EQ(restoreBackup(ctx, backup, {}), RestoreResult::kRestored);
    EXPECT_EQ(restoredMark(), "1");
}

TEST(BackupLastText, DaysAndWeeksAgo) {
    StringTable s;
    for (auto [k, v] : {std::pair{"sets_bk_lasttime", "$1 ($2)"},
                        {"sets_bk_days_ago", "$1 d"},
                        {"sets_bk_weeks_ago", "$1 w"},
                        {"sets_bk_dayweek_ago", "$1 w $2 d"},
                        {"main_month_2", "március"}}) {
        s.table().add(k, v);
    }
    const Date today = Date::serial(2024, 3, 23);
    EXPECT_EQ(lastBackupText("", today, s), "sets_nobackup");
    EXPECT_EQ(lastBackupText("soon", today, s), "sets_nobackup");
    EXPECT_EQ(lastBackupText("2024-03-23T09:05:07", today, s),
              "2024. március 23. 9:05 (sets_bk_today)");
    for (const auto& [ago, text] :
         std::vector<std::pair<int, std::string>>{{1, "sets_bk_yesterday1"},
                                                  {2, "sets_bk_yesterday2"},
                                                  {6, "6 d"},
                                                  {7, "1 w"},
                                                  {9, "1 w 2 d"},
                                                  {14, "2 w"},
                                                  {-1, " "}}) {
        const DateTime when = DateTime::of(Date::serial(2024, 3, 23 - ago), 23, 59, 0);
        EXPECT_THAT(lastBackupText(isoDateTime(when), today, s),
                    ::testing::EndsWith("(" + text + ")"))
            << ago;
    }
}

}  // namespace
}  // namespace tv
