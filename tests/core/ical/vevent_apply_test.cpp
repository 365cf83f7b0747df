// The sync's side of the mapping: our record put onto a server's copy changes only what the
// user changed here, and a text that differs only by what Windows-1250 lacks is no change.
#include <gtest/gtest.h>

#include "core/ical/record_text.h"
#include "core/ical/vevent_mapping.h"

namespace tv::ical {
namespace {

// A server's copy with more than we write: a place, a guest, a second alarm, a left-out year,
// a property of another program, an emoji in the name.
constexpr const char* kServerCopy =
    "BEGIN:VEVENT\r\nUID:server-1@example.org\r\nDTSTAMP:20240101T000000Z\r\n"
    "DTSTART;VALUE=DATE:19800307\r\nDTEND;VALUE=DATE:19800308\r\nRRULE:FREQ=YEARLY\r\n"
    "EXDATE;VALUE=DATE:20230307\r\nSUMMARY:🎂 Anna\r\nLOCATION:Budapest\r\n"
    "ATTENDEE;CN=Anna:mailto:anna@example.org\r\nX-OTHER-APP:keep me\r\n"
    "X-TEMPOVIRENS-ANNIVERSARY:1\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Anna\r\nTRIGGER;RELATED=START:PT8H\r\n"
    "END:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:EMAIL\r\nDESCRIPTION:e\r\nSUMMARY:s\r\n"
    "ATTENDEE:mailto:me@example.org\r\nTRIGGER:-P1D\r\nEND:VALARM\r\nEND:VEVENT\r\n";

class VeventApply : public ::testing::Test {
protected:
    void SetUp() override {
        server_.reset(icalcomponent_new_from_string(kServerCopy));
        ASSERT_NE(server_, nullptr);
        ctx_.today = Date::serial(2025, 1, 1);
        ours_ = veventToEvent(server_.get(), ctx_).record;
    }

    std::string text() const { return icalcomponent_as_ical_string(server_.get()); }
    int count(icalproperty_kind kind) const {
        return icalcomponent_count_properties(server_.get(), kind);
    }
    int alarms() const {
        return icalcomponent_count_components(server_.get(), ICAL_VALARM_COMPONENT);
    }

    ComponentPtr server_;
    ReadContext ctx_;
    EventRecord ours_;
};

TEST_F(VeventApply, theRecordReadFromACopyChangesNothingButTheStamp) {
    EXPECT_EQ(ours_.name, "? Anna");
    EXPECT_EQ(ours_.year, 1980);
    applyEventToVevent(ours_, server_.get(), ctx_, {});
    const std::string t = text();
    EXPECT_NE(t.find("SUMMARY:🎂 Anna"), std::string::npos) << t;
    EXPECT_NE(t.find("EXDATE;VALUE=DATE:20230307"), std::string::npos);
    EXPECT_NE(t.find("LOCATION:Budapest"), std::string::npos);
    EXPECT_NE(t.find("X-OTHER-APP:keep me"), std::string::npos);
    EXPECT_NE(t.find("TRIGGER;RELATED=START:PT8H"), std::string::npos);
    EXPECT_EQ(alarms(), 2);
    EXPECT_EQ(t.find("DTSTAMP:20240101T000000Z"), std::string::npos);
}

TEST_F(VeventApply, aChangedNameDateAndAlarmReplaceOnlyTheirOwnProperties) {
    EventRecord e = ours_;
    e.name = "Anna születésnapja";
    e.month = 4;
    e.alarmHour = 9;
    e.alarmMinute = 30;
    applyEventToVevent(e, server_.get(), ctx_, {});
    const std::string t = text();
    EXPECT_NE(t.find("SUMMARY:Anna születésnapja"), std::string::npos) << t;
    EXPECT_NE(t.find("DTSTART;VALUE=DATE:19800407"), std::string::npos) << t;
    EXPECT_EQ(count(ICAL_DTSTART_PROPERTY), 1);
    EXPECT_EQ(count(ICAL_RRULE_PROPERTY), 1);
    EXPECT_NE(t.find("TRIGGER;RELATED=START:PT9H30M"), std::string::npos) << t;
    EXPECT_NE(t.find("ACTION:EMAIL"), std::string::npos);  // not ours
    EXPECT_EQ(alarms(), 2);
    EXPECT_NE(t.find("ATTENDEE;CN=Anna"), std::string::npos);
    EXPECT_NE(t.find("UID:server-1@example.org"), std::string::npos);
    const VeventReading back = veventToEvent(server_.get(), ctx_);
    EXPECT_EQ(back.record.month, 4);
    EXPECT_EQ(back.record.name, e.name);
}

TEST_F(VeventApply, switchingTheAlarmOffRemovesOnlyOurs) {
    EventRecord e = ours_;
    e.alarmOn = 0;
    applyEventToVevent(e, server_.get(), ctx_, {});
    EXPECT_EQ(alarms(), 1);
    EXPECT_NE(text().find("ACTION:EMAIL"), std::string::npos);
}

TEST(RecordText, whatTheCodePageLacksIsNamedOnceAndTheCutIsTold) {
    const RecordText t = recordText("Ő 🎂 ű 🎂 ☃ „x”");
    EXPECT_EQ(t.text, "Ő ? ű ? ? „x”");
    EXPECT_EQ(t.lost, "🎂☃");
    EXPECT_FALSE(t.cut);
    const RecordText cut = recordText("ő" + std::string(10, 'a'), 5);
    EXPECT_EQ(cut.text, "őaaaa");
    EXPECT_TRUE(cut.cut);
    EXPECT_TRUE(sameUpToRecordLimits("? Anna", "🎂 Anna"));
    EXPECT_FALSE(sameUpToRecordLimits("? Anna", "🎂 Anne"));
    EXPECT_FALSE(sameUpToRecordLimits("Anna", "🎂 Anna"));
}

}  // namespace
}  // namespace tv::ical
