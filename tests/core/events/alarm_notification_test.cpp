#include "core/events/alarm_notification.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/alarms.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

struct Notifying {
    HashTable settings;
    StringTable strings;
    FakeNotifier notifier;
    FakeSound sound;
    int opened = 0;
    AlarmState state;
    AlarmContext ctx;

    Notifying() {
        strings.table().add("main_ntf_text", "Ébresztés: $1");
        strings.table().add("main_ntf_open", "A naptár megnyitása");
        ctx.settings = &settings;
        ctx.strings = &strings;
        ctx.notifier = &notifier;
        ctx.sound = &sound;
        ctx.programDir = "/usr/share/tempovirens/";
        ctx.fileExists = [](const std::string&) { return false; };
        ctx.hooks.openCalendar = [this] { ++opened; };
    }
    bool ring(std::string name, std::string comment, int h, int m) {
        AlarmEntry a;
        a.name = std::move(name);
        a.comment = std::move(comment);
        a.year = 2026;
        a.month = 5;
        a.day = 1;
        a.hour = h;
        a.minute = m;
        std::vector<AlarmEntry> alarms{a};
        return checkAlarms(alarms, DateTime::of(a.date(), h, m, 0), state, ctx);
    }
};

TEST(AlarmNotification, NamesTheEventAndItsTimeAndOpensTheCalendar) {
    Notifying n;
    ASSERT_TRUE(n.ring("Fogorvos", "9-es busz", 8, 5));
    ASSERT_EQ(n.notifier.shown.size(), 1u);
    const Notification& shown = n.notifier.shown[0].notification;
    EXPECT_EQ(shown.title, "Fogorvos");
    EXPECT_EQ(shown.text, "Ébresztés: 8:05\n9-es busz");
    EXPECT_EQ(shown.actionText, "A naptár megnyitása");
    EXPECT_EQ(shown.icon, "/usr/share/tempovirens/icons/tempovirens_256.png");
    EXPECT_TRUE(shown.urgent);
    EXPECT_EQ(n.opened, 0);
    n.notifier.shown[0].onAction();
    EXPECT_EQ(n.opened, 1);
    // The rest of the alarm goes on as before: the beep stands in for the missing sound file.
    EXPECT_TRUE(n.state.alarmActive);
    EXPECT_EQ(n.settings.item("AlarmNotify"), "1");  // read, so settings.cfg holds it
}

TEST(AlarmNotification, ACommentLikeTheNameIsNotRepeated) {
    Notifying n;
    n.ring("Anya születésnapja", "Anya születésnapja", 18, 30);
    ASSERT_EQ(n.notifier.shown.size(), 1u);
    EXPECT_EQ(n.notifier.shown[0].notification.text, "Ébresztés: 18:30");
}

TEST(AlarmNotification, TheSettingOrAMissingServiceLeavesTheAlarmAsItWas) {
    Notifying off;
    off.settings.add("AlarmNotify", "0");
    EXPECT_TRUE(off.ring("Fogorvos", "", 8, 0));
    EXPECT_TRUE(off.notifier.shown.empty());
    EXPECT_TRUE(off.state.alarmActive);

    Notifying none;
    none.ctx.notifier = nullptr;
    EXPECT_TRUE(none.ring("Fogorvos", "", 8, 0));
    EXPECT_TRUE(none.state.alarmActive);
}

}  // namespace
}  // namespace tv
