// Every check of a save, refusing and accepting, and what a save stores.
#include <gtest/gtest.h>

#include <functional>

#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/windows/event_editor.h"

namespace tv {
namespace {

const Date kToday = Date::serial(2025, 3, 1);

struct Prompted {
    EditorPrompt prompt;
    std::string key;
};

class EditorSaveTest : public ::testing::Test {
protected:
    EditorSaveTest() {
        strings.table().add("dates_err_months", "Ebben a hónapban csak $1 nap van.");
        ctx.today = kToday;
        ctx.strings = &strings;
        ctx.settings = &settings;
        ctx.programDir = "/opt/tv/";
        ctx.fileExists = [this](const std::string& p) { return p == existingPicture; };
        ctx.prompt = [this](EditorPrompt p, const EditorMessage& m) {
            prompts.push_back({p, m.key});
            if (answers.empty()) return MessageAnswer::kNo;
            MessageAnswer a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        ctx.saveDatabase = [this](const EventTable&) { return ++saves > 0; };
    }

    // A valid one-time event in the future, ready to be changed by a case.
    EventEditor once(int y, int m, int d, std::string name = "Teszt") {
        EventEditor ed = newEventEditor(kToday, Date::serial(y, m, d));
        ed.fields.name = std::move(name);
        return ed;
    }
    EventEditor ofKind(int kind, int y, int m, int d, bool special = false) {
        EventEditor ed = once(2025, 6, 15);
        setRepeatIndex(ed, kind, kToday);
        setSpecial(ed, special, kToday);
        ed.fields.year = std::to_string(y);
        ed.fields.month = std::to_string(m);
        ed.fields.day = std::to_string(d);
        return ed;
    }

    SaveOutcome save(EventEditor ed) { return saveEditor(table, ed, ctx); }

    EventTable table;
    StringTable strings;
    HashTable settings;
    EditorContext ctx;
    std::string existingPicture = "/opt/tv/pictures/x.jpg";
    std::vector<Prompted> prompts;
    std::vector<MessageAnswer> answers;
    int saves = 0;
};

// One change to a valid event of the given kind, and what the save then says.
struct Check {
    const char* what;
    int kind;
    bool special;
    std::vector<std::pair<EditorField, const char*>> typed;
    const char* refusal;  // nullptr: the save goes through
    EditorField focus = EditorField::kNone;
};

void type(EditorFields& f, EditorField field, const char* text) {
    std::string* const fields[] = {&f.forecast, &f.year,      &f.month,       &f.day,   &f.name,
                                   &f.comment,  &f.alarmHour, &f.alarmMinute, &f.length};
    *fields[static_cast<int>(field)] = text;
    if (field == EditorField::kAlarmHour) f.alarmOn = true;
}

TEST_F(EditorSaveTest, EveryCheckRefusesAndAcceptsAtItsLimits) {
    using E = EditorField;
    constexpr E kY = E::kYear, kM = E::kMonth, kD = E::kDay, kH = E::kAlarmHour;
    const char* const kEmpty = "dates_err_empty";
    const char* const kMonthDays = "dates_err_months";
    const std::vector<Check> checks = {
        {"empty name", 0, false, {{E::kName, ""}}, kEmpty, E::kName},
        {"blank name", 0, false, {{E::kName, "  "}}, kEmpty, E::kName},
        {"empty year", 0, false, {{kY, ""}}, kEmpty, kY},
        {"empty month", 0, false, {{kM, ""}}, kEmpty, kM},
        {"empty day", 0, false, {{kD, ""}}, kEmpty, kD},
        {"empty notice", 0, false, {{E::kForecast, ""}}, kEmpty, E::kForecast},
        {"month 13", 0, false, {{kM, "13"}}, "dates_err_12months", kM},
        {"month 0, yearly", 1, false, {{kM, "0"}}, "dates_err_12months", kM},
        {"month 1", 0, false, {{kM, "1"}}, nullptr},
        {"month 12, yearly", 1, false, {{kM, "12"}, {kD, "31"}}, nullptr},
        {"31 April, yearly", 1, false, {{kM, "4"}, {kD, "31"}}, kMonthDays, kD},
        {"day 0", 0, false, {{kD, "0"}}, kMonthDays, kD},
        {"30 February 2024", 0, false, {{kY, "2024"}, {kM, "2"}, {kD, "30"}}, kMonthDays, kD},
        {"29 February, yearly", 1, false, {{kM, "2"}, {kD, "29"}}, "dates_err_leap1", kD},
        {"28 February, yearly", 1, false, {{kM, "2"}, {kD, "28"}}, nullptr},
        {"base year 99", 1, true, {{kY, "99"}}, "dates_err_yearlimit2", kY},
        {"base year 100", 1, true, {{kY, "100"}}, nullptr},
        {"base year 9999", 1, true, {{kY, "9999"}}, nullptr},
        {"base year 10000", 1, true, {{kY, "10000"}}, "dates_err_yearlimit2", kY},
        {"29 February 2023",
         0,
         false,
         {{kY, "2023"}, {kM, "2"}, {kD, "29"}},
         "dates_err_leap2",
         kY},
        {"29 February 2024", 0, false, {{kY, "2024"}, {kM, "2"}, {kD, "29"}}, nullptr},
        {"1899", 0, false, {{kY, "1899"}}, "dates_err_yearlimit", kY},
        {"3000", 0, false, {{kY, "3000"}}, "dates_err_yearlimit", kY},
        {"1900", 0, false, {{kY, "1900"}}, nullptr},
        {"2999", 0, false, {{kY, "2999"}}, nullptr},
        {"monthly 33", 2, false, {{kD, "33"}}, "dates_err_noday1", kD},
        {"monthly 0", 2, false, {{kD, "0"}}, "dates_err_noday1", kD},
        {"monthly 32", 2, false, {{kD, "32"}}, nullptr},
        {"selected months, day 0", 3, false, {{kD, "0"}}, "dates_err_noday1", kD},
        {"selected months, day 31", 3, false, {{kD, "31"}}, nullptr},
        {"notice 366", 0, false, {{E::kForecast, "366"}}, "dates_err_forecast", E::kForecast},
        {"notice 365", 0, false, {{E::kForecast, "365"}}, nullptr},
        {"alarm 24:00", 0, false, {{kH, "24"}, {E::kAlarmMinute, "0"}}, "dater_err_alert_h", kH},
        {"alarm 23:60",
         0,
         false,
         {{kH, "23"}, {E::kAlarmMinute, "60"}},
         "dater_err_alert_m",
         E::kAlarmMinute},
        {"alarm 23:59", 0, false, {{kH, "23"}, {E::kAlarmMinute, "59"}}, nullptr},
        {"first failing check wins",
         0,
         false,
         {{kM, "13"}, {E::kForecast, "999"}},
         "dates_err_12months",
         kM},
    };
    for (const Check& c : checks) {
        SCOPED_TRACE(c.what);
        EventEditor ed = ofKind(c.kind, 2025, 6, 15, c.special);
        ed.fields.monthMask = 1 << 5;
        for (const auto& [field, text] : c.typed)
            type(ed.fields, field, text);
        table = EventTable();
        saves = 0;
        const SaveOutcome o = save(ed);
        if (c.refusal != nullptr) {
            EXPECT_EQ(o.status, SaveStatus::kRefused);
            EXPECT_EQ(o.message.key, c.refusal);
            EXPECT_EQ(o.focus, c.focus);
            EXPECT_EQ(table.eventCount() + saves, 0);
        } else {
            EXPECT_EQ(o.status, SaveStatus::kStored) << o.message.key;
            EXPECT_EQ(table.eventCount() + saves, 2);
        }
    }
    EventEditor noMonth = ofKind(3, 0, 0, 5);  // the picker never gives none; refused anyway
    EXPECT_EQ(save(noMonth).message.key, "months_err01");
}

// Names and comments as long as the file holds go in whole; longer ones are refused, not cut.
TEST_F(EditorSaveTest, LongTextsAreKeptWholeOrRefused) {
    const std::string longest(kEventTextMaxChars, 'a');
    EventEditor ed = once(2025, 6, 15, std::string(300, 'n'));
    ed.fields.comment = std::string(kEventTextMaxChars - 1, 'c') + "é";  // counted in characters
    ASSERT_EQ(save(ed).status, SaveStatus::kStored);
    EXPECT_EQ(table[0].name.size(), 300u);
    EXPECT_EQ(table[0].comment, ed.fields.comment);

    SaveOutcome o = save(once(2025, 6, 16, longest + "a"));
    EXPECT_EQ(o.status, SaveStatus::kRefused);
    EXPECT_EQ(o.message.key, "dates_err_toolong");
    EXPECT_EQ(o.focus, EditorField::kName);
    ed = once(2025, 6, 17, "ok");
    ed.fields.comment = longest + "é";
    o = save(ed);
    EXPECT_EQ(o.message.key, "dates_err_toolong");
    EXPECT_EQ(o.focus, EditorField::kComment);
    EXPECT_EQ(table.eventCount(), 1);
}

TEST_F(EditorSaveTest, DayMessagesCarryTheMonthLengthAndLongMonthlyDaysOnlyInform) {
    EXPECT_EQ(save(ofKind(1, 0, 4, 31)).message.text, "Ebben a hónapban csak 30 nap van.");
    for (int day : {28, 29, 30, 31, 32}) {
        prompts.clear();
        EXPECT_EQ(save(ofKind(2, 0, 0, day)).status, SaveStatus::kStored);
        table = EventTable();
        EXPECT_EQ(!prompts.empty() && prompts[0].key == "dates_err_noday2",
                  day == 29 || day == 30 || day == 31)
            << day;
    }
}

TEST_F(EditorSaveTest, DuplicatesAreTheSameNameKindAndDateAmongOtherUserEvents) {
    EventEditor months = ofKind(3, 0, 0, 1);
    months.fields.monthMask = 0b101;
    for (const EventEditor& ed : {once(2025, 6, 15, "Fogorvos"), ofKind(1, 1980, 3, 7, true),
                                  ofKind(2, 0, 0, 10), months}) {
        ASSERT_EQ(save(ed).status, SaveStatus::kStored);
    }
    EventEditor sameMask = ofKind(3, 0, 0, 20);
    sameMask.fields.monthMask = 0b101;
    EventEditor again = editEventEditor(table, 0, kToday);  // itself is no duplicate
    const struct {
        const char* what;
        EventEditor ed;
        bool duplicate;
    } cases[] = {
        {"case and blanks", once(2025, 6, 15, "  fogORVOS "), true},
        {"another day", once(2025, 6, 16, "Fogorvos"), false},
        {"same base year", ofKind(1, 1980, 3, 7, true), true},
        {"other base year", ofKind(1, 1981, 3, 7, true), false},
        {"not counting years", ofKind(1, 0, 3, 7, false), false},
        {"monthly same day", ofKind(2, 0, 0, 10), true},
        {"yearly, not monthly", ofKind(1, 0, 6, 10), false},
        {"same months", sameMask, true},
        {"saved again", again, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EventTable before = table;
        const SaveOutcome o = save(c.ed);
        EXPECT_EQ(o.message.key == "dates_err_exists", c.duplicate);
        EXPECT_EQ(o.status == SaveStatus::kStored, !c.duplicate);
        if (c.duplicate) {
            EXPECT_EQ(table.records(), before.records()) << "refused, yet changed";
        }
        table = before;
    }
}

TEST_F(EditorSaveTest, AHolidayMayNotShareItsDayWithAnotherFixedHoliday) {
    table.addBuiltinEvent(1, 12, 24, 0, 1, "", "Szenteste", "", "");
    ASSERT_EQ(save(once(2025, 12, 25, "Magán")).status, SaveStatus::kStored);
    EventEditor ed = newEventEditor(kToday, Date::serial(2025, 12, 24), EditorForm::kHoliday);
    ed.fields.name = "Másik";
    EXPECT_EQ(save(ed).message.key, "dates_err_sameday");
    ed.fields.day = "25";  // only a user event there
    const SaveOutcome o = save(ed);
    ASSERT_EQ(o.status, SaveStatus::kStored);
    EXPECT_EQ(o.list, 2);
    EXPECT_EQ(o.record.category, 1);
    EXPECT_EQ(o.record.repeat, 1);
    EXPECT_EQ(o.record.forecastDays, 1);
}

TEST_F(EditorSaveTest, QuestionsOnTheWayStopTheSaveOnYesOrGoOn) {
    EventEditor yesterday = once(2025, 2, 28);
    answers = {MessageAnswer::kYes, MessageAnswer::kNo};
    EXPECT_EQ(save(yesterday).status, SaveStatus::kBackToEditing);
    EXPECT_EQ(table.eventCount() + saves, 0);
    EXPECT_EQ(save(yesterday).status, SaveStatus::kStored);
    EXPECT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].prompt, EditorPrompt::kDateInPast);
    settings.setItem("SaveInPastPromt", "0");
    EXPECT_EQ(save(once(2025, 2, 27)).status, SaveStatus::kStored);
    settings.setItem("SaveInPastPromt", "1");
    EXPECT_EQ(save(once(2025, 3, 1)).status, SaveStatus::kStored);  // today is not past
    EXPECT_EQ(prompts.size(), 2u);

    EventEditor ed = once(2025, 6, 15);
    ed.fields.picture = "<AppPath>/pictures/gone.jpg";
    answers = {MessageAnswer::kYes, MessageAnswer::kNo};
    EXPECT_EQ(save(ed).status, SaveStatus::kBackToEditing);
    EXPECT_EQ(save(ed).record.picture, "<AppPath>/pictures/gone.jpg");
    EXPECT_EQ(prompts.back().prompt, EditorPrompt::kPictureMissing);
    ed = once(2025, 6, 16);
    ed.fields.picture = "<AppPath>\\pictures\\x.jpg";  // there: no question
    EXPECT_EQ(save(ed).status, SaveStatus::kStored);
    EXPECT_EQ(prompts.size(), 4u);
}

TEST_F(EditorSaveTest, AnAlarmWhileAlarmsAreOffOffersToSwitchThemOn) {
    settings.setItem("AlarmEnabled", "0");
    settings.setItem("AS_TrayIcon", "0");
    EventEditor ed = once(2025, 6, 15);
    ed.fields.alarmOn = true;
    ed.fields.alarmHour = "7";
    ed.fields.alarmMinute = "05";
    SaveOutcome o = save(ed);
    EXPECT_EQ(o.status, SaveStatus::kStored);  // stored either way
    EXPECT_FALSE(o.alarmsSwitchedOn);
    EXPECT_EQ(settings.item("AlarmEnabled"), "0");
    answers = {MessageAnswer::kYes};
    ed.fields.day = "16";
    o = save(ed);
    EXPECT_TRUE(o.alarmsSwitchedOn);
    EXPECT_EQ(settings.item("AlarmEnabled"), "1");
    EXPECT_EQ(settings.item("AS_TrayIcon"), "1");
    EXPECT_EQ(o.record.alarmMinute, 5);
    EXPECT_EQ(prompts.back().prompt, EditorPrompt::kAlarmsOff);
}

TEST_F(EditorSaveTest, AFullTableStoresNothingAndAsksNothingMore) {
    while (table.eventCount() < EventTable::kMaxSlots) {
        table.appendEventSlot();
        table.records().back().inUse = -1;
    }
    settings.setItem("AlarmEnabled", "0");
    answers = {MessageAnswer::kYes};
    EventEditor ed = once(2025, 6, 15);
    ed.fields.alarmOn = true;
    ed.fields.alarmHour = "7";
    const SaveOutcome o = save(ed);
    EXPECT_EQ(o.status, SaveStatus::kTableFull);
    EXPECT_TRUE(prompts.empty());
    EXPECT_FALSE(o.alarmsSwitchedOn);
    EXPECT_EQ(settings.item("AlarmEnabled"), "0");
    EXPECT_EQ(saves, 0);
}

TEST_F(EditorSaveTest, StoringFillsTheRecordFromTheFieldsTheKindUses) {
    EventEditor ed = once(2025, 6, 15, "  Nyaralás ");
    ed.fields.length = "14";
    ed.fields.hue = 210;
    SaveOutcome o = save(ed);
    EXPECT_EQ(o.list, 1);
    EXPECT_EQ(table[o.slot].name, "Nyaralás");
    EXPECT_EQ(table[o.slot].extraDays, 13);
    EXPECT_EQ(table[o.slot].hue, 210);

    // A yearly event keeps no year and no length; an anniversary keeps its base year.
    ed = ofKind(1, 1990, 8, 20);
    ed.fields.length = "5";
    o = save(ed);
    EXPECT_EQ(o.list, 0);
    EXPECT_EQ(o.record.year, 0);
    EXPECT_EQ(o.record.extraDays, 0);
    o = save(ofKind(1, 1990, 8, 21, true));
    EXPECT_EQ(o.record.year, 1990);
    EXPECT_EQ(o.record.anniversary, 1);
    EventEditor m = ofKind(3, 0, 0, 5);
    m.fields.monthMask = 2049;
    EXPECT_EQ(save(m).record.month, 2049);
}

TEST_F(EditorSaveTest, AnEditedEventKeepsItsSlotAndTimeAndANewOneTakesTheFirstFreeSlot) {
    for (int d = 10; d < 13; ++d)
        ASSERT_EQ(save(once(2025, 6, d)).slot, d - 10);
    table.deleteEvent(1);
    EXPECT_EQ(save(once(2025, 7, 1)).slot, 1);

    table[2].alarmHour = 9;
    table[2].alarmMinute = 30;
    EventEditor ed = editEventEditor(table, 2, kToday);
    ed.fields.alarmHour = "11";  // typed, but the alarm box is clear
    SaveOutcome o = saveEditor(table, ed, ctx);
    EXPECT_EQ(o.slot, 2);
    EXPECT_EQ(table.eventCount(), 3);
    EXPECT_EQ(table[2].alarmHour, 9);
    EXPECT_FALSE(editorHasChanges(ed));  // saved: nothing left to lose
    table[2].alarmHour = 25;             // out of range: reset
    EXPECT_EQ(save(editEventEditor(table, 2, kToday)).record.alarmHour, 0);
}

TEST_F(EditorSaveTest, AFeastChangesOnlyItsTextsPictureNoticeAndSwitch) {
    table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");
    EventEditor ed = editEventEditor(table, 0, kToday);
    ASSERT_EQ(ed.form, EditorForm::kFeast);
    ed.fields.name = " ";
    EXPECT_EQ(save(ed).message.key, "dates_err_empty2");
    ed.fields.name = "Húsvétvasárnap";
    ed.fields.special = false;
    ed.fields.forecastOn = false;
    ed.fields.day = "99";  // not the feast's to change
    ASSERT_EQ(save(ed).list, 2);
    const EventRecord& r = table[0];
    EXPECT_EQ(r.name, "Húsvétvasárnap");
    EXPECT_EQ(r.active, 0);
    EXPECT_EQ(r.dayOff, 0);
    EXPECT_EQ(r.day, 4);
    EXPECT_EQ(r.ruleKey, "easter");
}

}  // namespace
}  // namespace tv
