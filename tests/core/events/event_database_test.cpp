#include "core/events/event_database.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/app/log.h"
#include "core/app/version.h"
#include "core/config/binary_io.h"
#include "core/config/string_table.h"
#include "core/events/event_database_format.h"
#include "core/events/legacy_qzi_builder.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "support/event_tables.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using namespace std::string_literals;

const DateTime kWritten = DateTime::of(Date::serial(2024, 3, 9), 12, 34, 56);

bool sameTable(const EventTable& a, const EventTable& b) {
    return a.records() == b.records() && a.eventCount() == b.eventCount() &&
           a.pictureMarks() == b.pictureMarks() && a.wisdomMarks() == b.wisdomMarks();
}

std::string i16(int v) {
    ByteWriter w;
    w.int16(v);
    return w.take();
}

TEST(EventDbFormat, WritesTheDocumentedBytes) {
    EventTable t;
    t.appendEventSlot();
    EventRecord& r = t.records().back();
    r.inUse = -1;
    r.name = "Szülinap";
    r.year = 1980;
    r.month = 2048;  // December alone in a month mask
    r.day = 7;
    r.forecastDays = -1;
    r.anniversary = 1;
    r.repeat = 3;
    r.alarmOn = 1;
    r.alarmHour = 7;
    r.alarmMinute = 30;
    r.extraDays = 2;
    r.hue = 240;
    t.pictureMarks()[5] = 255;
    t.wisdomMarks() = {0, 255, 0};

    const std::string stamp = "\x87\xE8\x03\x09\x0C\x22\x38"s;
    // Empty texts are a zero length and nothing else; -1 is 7F FF.
    const std::string record = "\x00"s + "\x80\x08Sz\xFClinap" + "\x80\x00\x80\x00\x00"s +
                               "\x87\xBC" + "\x88\x00"s + "\x07" + "\x7F\xFF" +
                               "\x01\x03\x00\x01\x01\x07\x1E"s + "\x80\x02"s + "\x80\xF0";
    std::string marks(400, '\0');
    marks[5] = '\xFF';
    const std::string expected = "QZCALENDAR_DB\x01\x01"s + i16(kVersionMajor) +
                                 i16(kVersionMinor) + i16(kVersionRevision) + stamp + stamp +
                                 "\x00\x80\x01"s + record + "\x02" + marks + "\x03\x80\x03"s +
                                 "\x00\xFF\x00"s + "\x00"s;
    EXPECT_EQ(encodeEventDatabase(t, kWritten), expected);

    EventTable back;
    EXPECT_EQ(decodeEventDatabase(expected, back).status, EventDbStatus::kWhole);
    EXPECT_TRUE(sameTable(back, t));
}

TEST(EventDbFormat, SavingDropsFreeSlotsAndLoadingRenumbers) {
    EventTable t = test::mixedEventTable(8, 3);
    t.deleteEvent(3);
    t.deleteEvent(4);
    t.records()[2].ruleKey = std::string(300, 'k');  // one length byte: cut to 255
    EventTable back;
    ASSERT_EQ(decodeEventDatabase(encodeEventDatabase(t, kWritten), back).status,
              EventDbStatus::kWhole);
    ASSERT_EQ(back.slotCount(), 6);
    const int kept[] = {0, 1, 2, 5, 6, 7};
    for (int i = 0; i < 6; ++i) {
        EventRecord expected = t[kept[i]];
        expected.slot = static_cast<int16_t>(i);
        if (i == 2) expected.ruleKey.resize(255);
        EXPECT_EQ(back[i], expected) << i;
    }
    EXPECT_EQ(back.eventCount(), 6);
    EXPECT_EQ(back.wisdomMarks(), t.wisdomMarks());
}

TEST(EventDbFormat, ReadsVersion10RecordsWithoutTheLongFields) {
    const std::string record = "\x01"s + i16(3) + "Nap" + i16(0) + i16(0) + "\x00"s + i16(0) +
                               i16(5) + "\x01" + i16(1) + "\x00\x01\x01\x01\x00\x00\x00"s;
    const std::string v10 = "QZCALENDAR_DB\x01\x00"s + std::string(20, '\x80') + "\x00"s + i16(1) +
                            record + "\x02" + std::string(400, '\0') + "\x03" + i16(0) + "\x00"s;
    EventTable back;
    const EventDbReadReport report = decodeEventDatabase(v10, back);
    ASSERT_EQ(report.status, EventDbStatus::kWhole) << report.note;
    ASSERT_EQ(back.eventCount(), 1);
    EXPECT_EQ(back[0].name, "Nap");
    EXPECT_EQ(back[0].month, 5);
    EXPECT_EQ(back[0].active, 1);
    EXPECT_EQ(back[0].extraDays, 0);
    EXPECT_EQ(back[0].hue, 0);
    EXPECT_EQ(encodeEventDatabase(back, kWritten)[14], '\x01');  // written back as 1.1
}

TEST(EventDbFormat, CutOrLyingFilesGiveOnlyWholeEvents) {
    const EventTable t = test::mixedEventTable(6);
    const std::string bytes = encodeEventDatabase(t, kWritten);
    EventTable back;
    for (size_t len = 0; len < bytes.size(); ++len) {
        const EventDbReadReport r = decodeEventDatabase(bytes.substr(0, len), back);
        ASSERT_EQ(r.status, len < 13 ? EventDbStatus::kNoMagic : EventDbStatus::kCut) << len;
        ASSERT_EQ(back.eventCount(), r.loadedEvents);
        for (int i = 0; i < back.eventCount(); ++i)
            ASSERT_EQ(back[i], t[i]) << len;
    }

    const size_t countAt = 13 + 2 + 20 + 1;
    std::string claimsMore = bytes;
    claimsMore.replace(countAt, 2, i16(30000));
    EventDbReadReport r = decodeEventDatabase(claimsMore, back);
    EXPECT_EQ(r.status, EventDbStatus::kCut);
    EXPECT_EQ(r.note, "the file holds 6 of the 30000 events it claims");
    EXPECT_EQ(r.loadedEvents, 6);  // the marks behind them are not taken for events
    EXPECT_EQ(back.wisdomMarks(), t.wisdomMarks());

    std::string longName = bytes;
    longName.replace(countAt + 3, 2, i16(32000));  // the first name runs past the end
    EXPECT_EQ(decodeEventDatabase(longName, back).status, EventDbStatus::kCut);
    EXPECT_EQ(back.eventCount(), 0);
    EXPECT_EQ(back.pictureMarks(), t.pictureMarks());

    std::string manyMarks = bytes;
    manyMarks.replace(bytes.size() - 1 - 17 - 2, 2, i16(32767));
    EXPECT_EQ(decodeEventDatabase(manyMarks, back).status, EventDbStatus::kCut);
    EXPECT_EQ(back.eventCount(), 6);  // what came before the lie stays
    EXPECT_TRUE(back.wisdomMarks().empty());

    r = decodeEventDatabase(bytes + "tail", back);
    EXPECT_EQ(r.status, EventDbStatus::kCut);
    EXPECT_NE(r.note.find("4 bytes after the end mark"), std::string::npos);

    std::string newer = bytes;
    for (auto [major, minor] : {std::pair{2, 0}, std::pair{1, 2}, std::pair{0, 1}}) {
        newer[13] = static_cast<char>(major);
        newer[14] = static_cast<char>(minor);
        EXPECT_EQ(decodeEventDatabase(newer, back).status, EventDbStatus::kUnknownVersion);
        EXPECT_EQ(back.eventCount(), 0);
    }
}

TEST(EventDbFormat, TheMarksNeverStartInsideTheHeader) {
    EventTable t;
    t.pictureMarks().fill(7);
    std::string bytes = encodeEventDatabase(t, kWritten);
    // One byte of the event count gone: the marks' shape still ends the file, but it now starts
    // inside the count, so it cannot be the marks section; the file is cut, and no mark is read.
    const size_t countAt = 13 + 2 + 20 + 1;
    ASSERT_EQ(bytes[countAt + 2], '\x02');
    bytes.erase(countAt, 1);
    EventTable back;
    EXPECT_EQ(decodeEventDatabase(bytes, back).status, EventDbStatus::kCut);
    EXPECT_EQ(back.eventCount(), 0);
    EXPECT_EQ(back.pictureMarks()[0], 0);
    EXPECT_EQ(back.pictureMarks()[399], 0);
}

class EventDbFiles : public ::testing::Test {
protected:
    void SetUp() override {
        strings.table().add("err_db_version", "Ismeretlen formátum, másolat: $1.\\nFolytatja?");
        strings.table().add("err_db_version_nocopy", "Ismeretlen formátum, nincs másolat.");
        strings.table().add("com_error", "Hiba");
        strings.table().add("com_err_dbsave", "Nem sikerült menteni ($1).\\nA hiba oka:");
        strings.table().add("com_err_critical", "Súlyos hiba");
        log.open(logs.file("calendar.log"));
        ctx = {dir.dir(), &clock, &strings, nullptr, &log, &box, nullptr, {}, {}};
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }
    std::string logText() const { return logs.read("calendar.log"); }

    const std::string kCopy = "events.cdb.damaged-20240309";
    test::TempDir dir;
    test::TempDir logs;
    FakeClock clock = FakeClock::at(2024, 3, 9, 12, 34, 56);
    FakeMessageBox box;
    StringTable strings;
    Log log{clock};
    EventDbContext ctx;
};

TEST_F(EventDbFiles, FirstStartCreatesAndSavesTheBuiltinHolidays) {
    ctx.log = nullptr;  // the command line runs without log, box or strings
    ctx.box = nullptr;
    ctx.strings = nullptr;
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 25);
    EventTable again;  // the second start reads the file and adds nothing
    ASSERT_TRUE(loadEventDatabase(again, ctx));
    EXPECT_TRUE(sameTable(again, t));
    EXPECT_FALSE(exists("events.cdb_temp"));
}

TEST_F(EventDbFiles, LegacyListsDecideWhichHolidaysAreAdded) {
    dir.write("dates.qzi", test::qziRecords(1, {{"Anya szülinapja"}}));
    dir.write("ceremonies.qzi", test::qziRecords(1, {{"Halottak napja"}}));
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    ASSERT_EQ(t.eventCount(), 14);  // 2 imported, "Valentin nap", 11 movable feasts
    EXPECT_EQ(t[0].name, "Anya szülinapja");
    EXPECT_EQ(t[2].name, "Valentin nap");
    EXPECT_EQ(t[3].ruleKey, "easter");

    dir.write("unique.qzi", test::qziRecords(1, {{"easter"}}));
    std::filesystem::remove(dir.file("events.cdb"));
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    ASSERT_EQ(t.eventCount(), 4);
    EXPECT_EQ(t[3].name, "Valentin nap");
}

TEST_F(EventDbFiles, UnknownVersionAsksAndKeepsACopyEitherWay) {
    std::string newer = encodeEventDatabase(test::mixedEventTable(4), kWritten);
    newer[14] = '\x05';
    dir.write("events.cdb", newer);

    box.script = {MessageAnswer::kYes};
    EventTable t;
    EXPECT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 0);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::kYesNo);
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(box.shown[0].title, "Hiba");
    // Yes starts on an empty table, so Enter must not give it.
    EXPECT_EQ(enterAnswer(box.shown[0]), MessageAnswer::kNo);
    EXPECT_EQ(box.shown[0].text, "Ismeretlen formátum, másolat: " + kCopy + ".\r\nFolytatja?");
    EXPECT_EQ(dir.read("events.cdb"), newer);  // untouched until the next save

    box.script = {MessageAnswer::kNo};
    EXPECT_FALSE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 25);  // a fresh table, already saved over the old file
    EventTable onDisk;
    EXPECT_EQ(decodeEventDatabase(dir.read("events.cdb"), onDisk).status, EventDbStatus::kWhole);
    EXPECT_EQ(dir.read(kCopy), newer);
    EXPECT_FALSE(exists(kCopy + "-2"));  // the same bytes are kept once

    dir.write("events.cdb", newer);
    ctx.box = nullptr;  // nobody to ask: the careful answer
    EXPECT_FALSE(loadEventDatabase(t, ctx));
}

TEST_F(EventDbFiles, UnknownVersionWithoutACopySaysSo) {
    std::string newer = encodeEventDatabase(test::mixedEventTable(2), kWritten);
    newer[14] = '\x05';
    dir.write("events.cdb", newer);
    // Every name a copy could take is taken by something that cannot be read.
    std::filesystem::create_directory(dir.file(kCopy));
    for (int n = 2; n <= 99; ++n)
        std::filesystem::create_directory(dir.file(kCopy + "-" + std::to_string(n)));
    box.script = {MessageAnswer::kYes};
    EventTable t;
    EXPECT_TRUE(loadEventDatabase(t, ctx));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Ismeretlen formátum, nincs másolat.");
    EXPECT_NE(logText().find("Could not keep a copy"), std::string::npos);
}

TEST_F(EventDbFiles, DamagedFileLoadsWhatIsWholeAndKeepsItsBytes) {
    const EventTable full = test::mixedEventTable(5);
    const std::string bytes = encodeEventDatabase(full, kWritten);
    // 422 bytes of marks follow the events; 5 more end inside the last event.
    const std::string cut = bytes.substr(0, bytes.size() - 422 - 5);
    dir.write("events.cdb", cut);
    EventTable t;
    EXPECT_TRUE(loadEventDatabase(t, ctx));
    ASSERT_EQ(t.eventCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t[i], full[i]);
    EXPECT_NE(logText().find("events.cdb is damaged: event 5 of 5 is cut short"),
              std::string::npos);
    EXPECT_EQ(dir.read(kCopy), cut);

    // Not ours at all: an empty table, no question, no holidays, and a copy of its own.
    dir.write("events.cdb", "not a calendar");
    EXPECT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 0);
    EXPECT_TRUE(box.shown.empty());
    ASSERT_TRUE(saveEventDatabase(t, ctx));
    EXPECT_EQ(dir.read(kCopy + "-2"), "not a calendar");
}

TEST_F(EventDbFiles, WholeTempFileStandsInForAMissingOrBrokenOne) {
    const EventTable saved = test::mixedEventTable(7, 1);
    const std::string bytes = encodeEventDatabase(saved, kWritten);

    dir.write("events.cdb_temp", bytes);  // a save died before its rename
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_TRUE(sameTable(t, saved));
    EXPECT_EQ(dir.read("events.cdb"), bytes);  // promoted before a save could delete it
    EXPECT_FALSE(exists("events.cdb_temp"));

    dir.write("events.cdb", bytes.substr(0, 60));
    dir.write("events.cdb_temp", bytes);
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_TRUE(sameTable(t, saved));
    EXPECT_EQ(dir.read(kCopy), bytes.substr(0, 60));

    // A temp file that is itself cut is trusted neither over a whole file nor alone.
    dir.write("events.cdb_temp", bytes.substr(0, 200));
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_TRUE(sameTable(t, saved));
    std::filesystem::remove(dir.file("events.cdb"));
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 25);
}

TEST_F(EventDbFiles, UnreadableFileStopsStartUpAndWritesNothing) {
    std::filesystem::create_directory(dir.file("events.cdb"));
    EventTable t;
    EXPECT_FALSE(loadEventDatabase(t, ctx));
    EXPECT_FALSE(exists("events.cdb_temp"));
    EXPECT_NE(logText().find("events.cdb cannot be read"), std::string::npos);

    // With a whole temp file beside it, that one is loaded and the unreadable one moved aside.
    const std::string bytes = encodeEventDatabase(test::mixedEventTable(2), kWritten);
    dir.write("events.cdb_temp", bytes);
    EXPECT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 2);
    EXPECT_EQ(dir.read("events.cdb"), bytes);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(kCopy)));
}

TEST_F(EventDbFiles, FailedSaveLogsShowsAndKeepsTheOldFile) {
    const std::string old = encodeEventDatabase(test::mixedEventTable(3), kWritten);
    dir.write("events.cdb", old);
    test::FailingFileOps disk(test::FileStep::kFsync, EIO);
    ctx.files = &disk;
    EXPECT_FALSE(saveEventDatabase(test::mixedEventTable(9), ctx));
    EXPECT_EQ(dir.read("events.cdb"), old);
    EXPECT_FALSE(exists("events.cdb_temp"));
    const std::string why = std::strerror(EIO);
    EXPECT_NE(logText().find("Error saving the event database: " + why), std::string::npos);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(box.shown[0].title, "Súlyos hiba");
    EXPECT_EQ(box.shown[0].text, "Nem sikerült menteni (events.cdb).\r\nA hiba oka:\r\n" + why);
}

TEST_F(EventDbFiles, ATempFileThatCannotBePromotedIsStillLoaded) {
    const EventTable saved = test::mixedEventTable(4, 2);
    dir.write("events.cdb_temp", encodeEventDatabase(saved, kWritten));
    test::FailingFileOps disk(test::FileStep::kRename, EACCES);
    ctx.files = &disk;
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_TRUE(sameTable(t, saved));
    EXPECT_NE(logText().find("Could not rename events.cdb_temp to events.cdb: " +
                             std::string(std::strerror(EACCES))),
              std::string::npos);
    EXPECT_TRUE(exists("events.cdb_temp"));  // still the only copy: never deleted
}

}  // namespace
}  // namespace tv
