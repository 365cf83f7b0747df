#include "core/ui/menus.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "platform/fake/fake_message_box.h"

namespace tv {
namespace {

// A missing key reads as the key itself, so the captions below are the keys.
class Menus : public ::testing::Test {
protected:
    void SetUp() override { s.screenMode = ScreenMode::kMonth; }
    MenuModel main() { return buildMainMenu(s, settings, strings); }
    static std::vector<int> ids(const std::vector<MenuItem>& items) {
        std::vector<int> out;
        for (const MenuItem& m : items)
            out.push_back(m.separator ? -1 : m.id);
        return out;
    }
    static const MenuItem& find(const std::vector<MenuItem>& items, int id) {
        for (const MenuItem& m : items)
            if (!m.separator && m.id == id) return m;
        static const MenuItem kNone;
        ADD_FAILURE() << "no item " << id;
        return kNone;
    }

    MainWindowState s;
    HashTable settings;
    StringTable strings;
};

TEST_F(Menus, MainMenuOrderAndShortcuts) {
    const MenuModel m = main();
    EXPECT_EQ(ids(m.items), (std::vector{0, -1, 4, 7, -1, 5, 6, -1, 255}));
    EXPECT_EQ(m.items[0].text, "main_b_calendar2");
    EXPECT_EQ(ids(m.items[0].submenu), (std::vector{3, -1, 17, 15, 16, -1, 9, 11, 12, 1, 2, 13}));
    EXPECT_EQ(find(m.items, 4).text, "main_b_dates\tEnter");
    EXPECT_EQ(find(m.items, 255).text, "com_close\tEsc");
    EXPECT_EQ(find(m.items[0].submenu, 1).text, "main_b_prevmonth\t<-");
    EXPECT_EQ(find(m.items[0].submenu, 13).text, "main_b_nextyear\tPgDown");
}

TEST_F(Menus, MonthItemsAreGreyedOffTheMonthScreen) {
    s.screenMode = ScreenMode::kMain;
    const MenuModel m = main();
    for (const MenuItem& item : m.items[0].submenu) {
        if (item.separator) continue;
        EXPECT_EQ(item.state, item.id == 3 ? MenuState::kEnabled : MenuState::kGreyed) << item.id;
    }
}

TEST_F(Menus, SwitchItemsShowTheirStateAndRepeatingNextOnlyNeedsRepeating) {
    s.switches = {false, true, true};
    settings.setItem("Cal_Names", "1");
    auto sub = main().items[0].submenu;
    EXPECT_FALSE(find(sub, 17).checked);
    EXPECT_TRUE(find(sub, 15).checked);
    EXPECT_TRUE(find(sub, 16).checked);
    EXPECT_EQ(find(sub, 16).state, MenuState::kEnabled);
    EXPECT_TRUE(find(sub, 9).checked);

    s.switches.showRepeating = false;
    settings.setItem("Cal_Names", "0");
    sub = main().items[0].submenu;
    EXPECT_EQ(find(sub, 16).state, MenuState::kGreyed);
    EXPECT_FALSE(find(sub, 9).checked);
}

TEST_F(Menus, LastWisdomItemOnlyWithASaying) {
    settings.setItem("LastWisdom", "Mondás+Szerző");
    EXPECT_EQ(ids(main().items), (std::vector{0, -1, 4, 7, 18, -1, 5, 6, -1, 255}));
    settings.setItem("Wise", "0");
    EXPECT_EQ(ids(main().items), (std::vector{0, -1, 4, 7, -1, 5, 6, -1, 255}));
}

TEST_F(Menus, DeveloperEntriesWithTheirOwnSeparator) {
    s.developer = true;
    const MenuModel m = main();
    EXPECT_EQ(ids(m.items), (std::vector{0, -1, 4, 7, -1, 5, 6, -1, 251, 254, 253, 252, -1, 255}));
    EXPECT_EQ(find(m.items, 251).text, "DEV: Show UserID and Language");
    EXPECT_EQ(find(m.items, 252).text, "DEV: Show AlarmScreen xtreme");
}

TEST_F(Menus, MainMenuChoiceToCommand) {
    EXPECT_EQ(mainMenuCommand(0), std::nullopt);
    EXPECT_EQ(mainMenuCommand(255), CommandCode::kClose);
    EXPECT_EQ(mainMenuCommand(17), CommandCode::kShowOneTime);
    EXPECT_EQ(mainMenuCommand(252), CommandCode::kTestAlarmExtreme);
}

TEST_F(Menus, TrayMenuShowsTheScheduledTimeWhenOn) {
    strings.table().add("st_autostart", "Napi megjelenés: $1:$2");
    MenuModel m = buildTrayMenu(settings, strings);
    EXPECT_EQ(ids(m.items), (std::vector{1, -1, 4}));
    EXPECT_TRUE(m.items[0].isDefault);
    EXPECT_EQ(m.items[0].text, "com_title");
    EXPECT_EQ(m.items[1].id, 3);

    settings.setItem("AS_OnTime", "1");
    settings.setItem("AS_Hour", "7");
    settings.setItem("AS_Minute", "5");
    m = buildTrayMenu(settings, strings);
    EXPECT_EQ(ids(m.items), (std::vector{1, 2, -1, 4}));
    EXPECT_EQ(m.items[1].text, "Napi megjelenés: 7:05");
    EXPECT_EQ(m.items[1].state, MenuState::kGreyed);
}

TEST_F(Menus, TrayExitIsAskedFirst) {
    FakeMessageBox box;
    EXPECT_EQ(resolveTrayMenu(1, strings, box), TrayCommand::kOpenCalendar);
    EXPECT_EQ(resolveTrayMenu(2, strings, box), TrayCommand::kNone);
    EXPECT_EQ(resolveTrayMenu(0, strings, box), TrayCommand::kNone);
    EXPECT_TRUE(box.shown.empty());

    box.script = {MessageAnswer::kCancel, MessageAnswer::kOk};
    EXPECT_EQ(resolveTrayMenu(4, strings, box), TrayCommand::kNone);
    EXPECT_EQ(resolveTrayMenu(4, strings, box), TrayCommand::kExitProgram);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, "st_q_exit");
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::kOkCancel);
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kQuestion);
}

TEST_F(Menus, DayFieldMenuKeepsItsIdsAndGreysTheNote) {
    std::vector<DayMenuItem> day(4);
    day[0] = {kDayMenuNewId, "Új esemény", false, true, -1};
    day[1].separator = true;
    day[2] = {kDayMenuEditBase, "Születésnap", false, true, 3};
    day[3] = {0, "(a többi nem fér el)", false, true, -1};
    const MenuModel m = dayFieldMenuModel(day);
    EXPECT_EQ(ids(m.items), (std::vector{11, -1, 100, 0}));
    EXPECT_EQ(m.items[2].text, "Születésnap");
    EXPECT_EQ(m.items[3].state, MenuState::kGreyed);
}

}  // namespace
}  // namespace tv
