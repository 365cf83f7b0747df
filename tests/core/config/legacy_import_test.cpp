#include "core/config/legacy_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/log.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/events/event_record.h"
#include "core/events/legacy_qzi_builder.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using test::qziHeader;
using test::qziPairs;
using test::qziRecords;

class LegacyImport : public ::testing::Test {
protected:
    void SetUp() override { log.open(logs.file("calendar.log")); }
    bool import(const std::string& name, const std::string& bytes) {
        dir.write(name, bytes);
        return importLegacy(name, ctx);
    }

    test::TempDir dir;
    test::TempDir logs;
    FakeClock clock;
    Log log{clock};
    EventTable events;
    HashTable settings;
    LegacyImportContext ctx{dir.dir(), &events, &settings, &log};
};

TEST_F(LegacyImport, SettingsAreRenamedConvertedAndWritten) {
    settings.add("Skin", "kept");
    ASSERT_TRUE(import("config.qzi", qziPairs({{"mbbold", "True"},
                                               {"msbold", "False"},
                                               {"mubold", "-1"},
                                               {"skin", "old_skin"},
                                               {"nosuchkey", "1"},
                                               {"nevnap", "Árpád"}})));
    EXPECT_EQ(settings.item("MB_Weight"), "700");
    EXPECT_EQ(settings.item("MS_Weight"), "400");
    EXPECT_EQ(settings.item("MU_Weight"), "700");
    EXPECT_EQ(settings.item("Skin"), "kept");  // what is already set wins
    EXPECT_EQ(settings.count(), 5);
    HashTable written;
    ASSERT_TRUE(readConfig(written, dir.file("settings.cfg")));
    EXPECT_EQ(written.item("Today_Name"), "Árpád");
    EXPECT_NE(logs.read("calendar.log").find("Finished converting 'config.qzi'"),
              std::string::npos);
}

TEST_F(LegacyImport, RefusedFilesChangeAndLogNothingButEmptyListsCount) {
    EXPECT_FALSE(importLegacy("dates.qzi", ctx));  // missing
    const std::string body = qziRecords(1, {{"x"}}).substr(qziHeader(0).size());
    EXPECT_FALSE(import("dates.qzi", qziHeader(0, 2, 0) + body));
    EXPECT_FALSE(import("dates.qzi", qziHeader(0, 1, 3) + body));
    EXPECT_FALSE(import("dates.qzi", qziHeader(0).substr(0, 20)));
    // The name says which list the file holds; a list of the other kind is not guessed at.
    EXPECT_FALSE(import("dates.qzi", qziPairs({{"astray", "1"}})));
    EXPECT_FALSE(import("config.qzi", qziRecords(1, {{"x"}})));
    EXPECT_EQ(events.eventCount(), 0);
    EXPECT_EQ(settings.count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("settings.cfg")));
    EXPECT_EQ(logs.read("calendar.log"), "");

    EXPECT_TRUE(import("ceremonies.qzi", qziRecords(8, {})));
    EXPECT_TRUE(import("config.qzi", qziPairs({{"astray", "1"}}, 0)));  // a zero flag: no list
    EXPECT_EQ(events.eventCount(), 0);
    EXPECT_EQ(settings.count(), 0);
}

TEST_F(LegacyImport, RecordFieldsLandInTheirPlacesByFileName) {
    ASSERT_TRUE(import("dates.qzi", qziRecords(11, {{"Évforduló", "megj.", "6", "15", "k.jpg",
                                                     "dropped", "1", "1999", "10", "1", "x"},
                                                    {"Rövid", "", "13x"}})));
    ASSERT_TRUE(import("ceremonies.qzi",
                       qziRecords(8, {{"'56-os forradalom", "", "10", "23", "", "1", "1", "1"},
                                      {"Halottak napja", "", "10", "31", "", "1", "1", "0"}})));
    ASSERT_TRUE(import("unique.qzi", qziRecords(5, {{"easter", "t", "Húsvét", "", "h.jpg"},
                                                    {"kidsday", "True", "Gyereknap"}})));
    ASSERT_EQ(events.eventCount(), 6);
    const EventRecord& a = events[0];
    EXPECT_EQ(a.inUse, -1);
    EXPECT_EQ(a.category, 0);
    EXPECT_EQ(a.active, 1);
    EXPECT_EQ(a.comment, "megj.");
    EXPECT_EQ(a.month, 6);
    EXPECT_EQ(a.day, 15);
    EXPECT_EQ(a.picture, "k.jpg");
    EXPECT_EQ(a.repeat, 1);
    EXPECT_EQ(a.year, 1999);
    EXPECT_EQ(a.forecastDays, 10);
    EXPECT_EQ(a.anniversary, 1);
    EXPECT_EQ(events[1].month, 13);
    EXPECT_EQ(events[1].year, 0);  // fields the record lacks stay zero

    EXPECT_EQ(events[2].name, "'56-os forradalom évfordulója");
    EXPECT_EQ(events[2].category, 1);
    EXPECT_EQ(events[2].dayOff, 1);
    EXPECT_EQ(events[3].month, 11);  // "Halottak napja" moves to 2 November
    EXPECT_EQ(events[3].day, 2);

    EXPECT_EQ(events[4].category, 2);
    EXPECT_EQ(events[4].ruleKey, "easter");
    EXPECT_EQ(events[4].name, "Húsvét");
    EXPECT_EQ(events[4].dayOff, 1);
    EXPECT_EQ(events[4].active, 1);
    EXPECT_EQ(events[5].active, 0);  // only "T" switches a feast on
    EXPECT_EQ(events[5].slot, 5);
    // Whole files: nothing was cut, so nothing but the conversion is logged.
    EXPECT_EQ(logs.read("calendar.log"),
              "  Finished converting 'dates.qzi'\r\n  Finished converting 'ceremonies.qzi'\r\n"
              "  Finished converting 'unique.qzi'\r\n");
}

TEST_F(LegacyImport, AWholeFileIsReadToItsCountAndNoFurther) {
    EventTable t;
    // Bytes after the last record are none of the import's business.
    const std::string bytes = qziRecords(2, {{"egy", "1"}, {"kettő", "2"}}) + "\x80\x03xyz";
    const LegacyImportReport r = importLegacyBytes("dates.qzi", bytes, &t, nullptr);
    EXPECT_TRUE(r.imported);
    EXPECT_EQ(r.claimed, 2);
    EXPECT_EQ(r.whole, 2);
    EXPECT_EQ(r.note, "");
    EXPECT_EQ(t.eventCount(), 2);
}

TEST_F(LegacyImport, CutFilesKeepTheWholeRecordsAndSayWhatWasCut) {
    const std::string full = qziRecords(2, {{"egy", "1"}, {"kettő", "2"}, {"három", "3"}});
    ASSERT_TRUE(import("dates.qzi", full.substr(0, full.size() - 3)));
    ASSERT_EQ(events.eventCount(), 2);
    EXPECT_EQ(events[1].name, "kettő");
    EXPECT_NE(logs.read("calendar.log").find("the file ends inside record 3 of 3"),
              std::string::npos);

    const std::string pairs = qziPairs({{"astray", "0"}, {"asreg", "1"}});
    ASSERT_TRUE(import("config.qzi", pairs.substr(0, pairs.size() - 1)));
    EXPECT_EQ(settings.item("AS_TrayIcon"), "0");
    EXPECT_FALSE(settings.exists("AS_AutoStart"));
    EXPECT_NE(logs.read("calendar.log").find("the file ends inside setting 2 of 2"),
              std::string::npos);
}

}  // namespace
}  // namespace tv
