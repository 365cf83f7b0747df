#include "core/ui/commands.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/ui/keys.h"

namespace tv {
namespace {

using K = UiAction;

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        s.today = *Date::fromYmd(2024, 5, 17);
        s.shownYear = 2024;
        s.shownMonth = 5;
        s.screenMode = ScreenMode::kMonth;
    }
    Actions run(CommandCode code) { return buttonEvent(s, code, settings); }
    Actions key(int code, int shift = 0) { return keyDown(s, code, shift, settings); }
    void show(int y, int m) {
        s.shownYear = y;
        s.shownMonth = m;
    }
    std::pair<int, int> shown() const { return {s.shownYear, s.shownMonth}; }

    MainWindowState s;
    HashTable settings;
};

std::vector<K> kinds(const Actions& a) {
    std::vector<K> out;
    for (const Action& x : a)
        out.push_back(x.kind);
    return out;
}

TEST_F(Commands, PagingCrossesYearsAndRebuildsTheMonth) {
    show(2024, 1);
    EXPECT_EQ(kinds(run(CommandCode::kPrevMonth)), (std::vector{K::kRebuildMonth, K::kRedraw}));
    EXPECT_EQ(shown(), std::make_pair(2023, 12));
    run(CommandCode::kNextMonth);
    EXPECT_EQ(shown(), std::make_pair(2024, 1));
    run(CommandCode::kPrevYear);
    EXPECT_EQ(shown(), std::make_pair(2023, 1));
    run(CommandCode::kNextYear);
    run(CommandCode::kNextYear);
    EXPECT_EQ(shown(), std::make_pair(2025, 1));
}

TEST_F(Commands, PagingPastTheSupportedYearsOnlyBeeps) {
    struct Case {
        int year, month;
        CommandCode code;
    };
    for (const Case c :
         {Case{1900, 1, CommandCode::kPrevMonth}, Case{2999, 12, CommandCode::kNextMonth},
          Case{1900, 7, CommandCode::kPrevYear}, Case{2999, 2, CommandCode::kNextYear}}) {
        show(c.year, c.month);
        const Actions a = run(c.code);
        EXPECT_EQ(kinds(a), (std::vector{K::kBeep, K::kRedraw})) << static_cast<int>(c.code);
        EXPECT_EQ(shown(), std::make_pair(c.year, c.month)) << static_cast<int>(c.code);
    }
    // The last allowed steps still work.
    show(1901, 1);
    run(CommandCode::kPrevYear);
    EXPECT_EQ(shown(), std::make_pair(1900, 1));
    show(2999, 11);
    run(CommandCode::kNextMonth);
    EXPECT_EQ(shown(), std::make_pair(2999, 12));
}

TEST_F(Commands, MonthCommandsDoNothingOutsideTheMonthScreen) {
    for (ScreenMode mode : {ScreenMode::kMain, ScreenMode::kAlarm}) {
        s.screenMode = mode;
        show(2020, 3);
        const MonthSwitches before = s.switches;
        for (int code : {1, 2, 9, 11, 12, 13, 15, 16, 17})
            EXPECT_EQ(kinds(run(CommandCode(code))), std::vector{K::kRedraw}) << code;
        EXPECT_EQ(shown(), std::make_pair(2020, 3));
        EXPECT_EQ(before.showOneTime, s.switches.showOneTime);
        EXPECT_FALSE(settings.exists("Cal_Names"));
    }
}

TEST_F(Commands, TheGameIgnoresEveryCommand) {
    s.screenMode = ScreenMode::kGame;
    for (int code : {0, 1, 3, 4, 18, 251})
        EXPECT_TRUE(run(CommandCode(code)).empty());
    EXPECT_EQ(s.screenMode, ScreenMode::kGame);
}

TEST_F(Commands, SwitchingScreensFirstHidesTheWisdom) {
    s.wisdom = {"Mondás+Szerző", true};
    run(CommandCode::kSwitchScreen);
    EXPECT_FALSE(s.wisdom.shown);
    EXPECT_EQ(s.screenMode, ScreenMode::kMonth);

    EXPECT_EQ(kinds(run(CommandCode::kSwitchScreen)),
              (std::vector{K::kRemoveDayTooltip, K::kRedraw}));
    EXPECT_EQ(s.screenMode, ScreenMode::kMain);
    run(CommandCode::kSwitchScreen);
    EXPECT_EQ(s.screenMode, ScreenMode::kMonth);
    s.screenMode = ScreenMode::kAlarm;
    run(CommandCode::kSwitchScreen);
    EXPECT_EQ(s.screenMode, ScreenMode::kMonth);
}

TEST_F(Commands, WindowsOpenAndTheEventWindowsRefreshAfterwards) {
    EXPECT_EQ(kinds(run(CommandCode::kClose)), std::vector{K::kCloseWindow});
    EXPECT_EQ(kinds(run(CommandCode::kEventList)),
              (std::vector{K::kOpenEventList, K::kEventRefresh, K::kRedraw}));
    EXPECT_EQ(kinds(run(CommandCode::kSettings)),
              (std::vector{K::kOpenSettings, K::kEventRefresh, K::kRedraw}));
    EXPECT_EQ(kinds(run(CommandCode::kAbout)), (std::vector{K::kOpenAbout, K::kRedraw}));
    EXPECT_EQ(kinds(run(CommandCode::kNameSearch)), (std::vector{K::kOpenNameSearch, K::kRedraw}));
    EXPECT_EQ(kinds(run(CommandCode::kMissedEvents)),
              (std::vector{K::kOpenMissedEvents, K::kRedraw}));
    EXPECT_EQ(kinds(run(CommandCode::kDiagnostics)),
              (std::vector{K::kOpenDiagnostics, K::kRedraw}));
    s.screenMode = ScreenMode::kAlarm;
    EXPECT_EQ(kinds(run(CommandCode::kStopAlarm)), (std::vector{K::kStopAlarmSound, K::kRedraw}));
    EXPECT_EQ(s.screenMode, ScreenMode::kAlarm);
}

TEST_F(Commands, HomeShowsTheCurrentMonthOnlyWhenAnotherIsShown) {
    EXPECT_EQ(kinds(run(CommandCode::kHome)), std::vector{K::kRedraw});
    show(1999, 12);
    EXPECT_EQ(kinds(run(CommandCode::kHome)), (std::vector{K::kRebuildMonth, K::kRedraw}));
    EXPECT_EQ(shown(), std::make_pair(2024, 5));
}

TEST_F(Commands, NamesSwitchTogglesTheSetting) {
    run(CommandCode::kSwitchNames);
    EXPECT_EQ(settings.item("Cal_Names"), "1");
    run(CommandCode::kSwitchNames);
    EXPECT_EQ(settings.item("Cal_Names"), "0");
    settings.setItem("Cal_Names", "7");  // anything but 1 counts as off
    run(CommandCode::kSwitchNames);
    EXPECT_EQ(settings.item("Cal_Names"), "1");
}

TEST_F(Commands, DisplaySwitchesNeverHideBothKinds) {
    run(CommandCode::kShowOneTime);
    EXPECT_FALSE(s.switches.showOneTime);
    EXPECT_TRUE(s.switches.showRepeating);
    run(CommandCode::kShowRepeating);  // both would be off: one-time comes back
    EXPECT_FALSE(s.switches.showRepeating);
    EXPECT_TRUE(s.switches.showOneTime);
    run(CommandCode::kShowOneTime);
    EXPECT_FALSE(s.switches.showOneTime);
    EXPECT_TRUE(s.switches.showRepeating);

    EXPECT_EQ(kinds(run(CommandCode::kRepeatingNextOnly)),
              (std::vector{K::kRebuildMonth, K::kRedraw}));
    EXPECT_TRUE(s.switches.repeatingNextOnly);
}

TEST_F(Commands, LastWisdomNeedsTheSettingAndARememberedSaying) {
    run(CommandCode::kLastWisdom);
    EXPECT_FALSE(s.wisdom.shown);
    settings.setItem("LastWisdom", "Lassan járj+Közmondás");
    settings.setItem("Wise", "0");
    run(CommandCode::kLastWisdom);
    EXPECT_FALSE(s.wisdom.shown);
    settings.setItem("Wise", "1");
    run(CommandCode::kLastWisdom);
    EXPECT_TRUE(s.wisdom.shown);
    EXPECT_EQ(s.wisdom.text, "Lassan járj+Közmondás");
}

TEST_F(Commands, KeyTable) {
    struct Case {
        int key, shift, command;
    };
    for (const Case c : {Case{kKeyEscape, 0, 0},    Case{kKeyF4, kAlt, 0}, Case{kKeyF4, 0, -1},
                         Case{kKeyLeft, 0, 1},      Case{kKeyUp, 0, 1},    Case{kKeyRight, 0, 2},
                         Case{kKeyDown, 0, 2},      Case{kKeySpace, 0, 3}, Case{kKeyEnter, 0, 4},
                         Case{'1', 0, 4},           Case{'S', 0, 5},       Case{'3', 0, 5},
                         Case{kKeyF1, 0, 6},        Case{'K', 0, 7},       Case{'2', 0, 7},
                         Case{'N', 0, 9},           Case{kKeyHome, 0, 11}, Case{kKeyPageUp, 0, 12},
                         Case{kKeyPageDown, 0, 13}, Case{'I', 0, 15},      Case{'O', 0, 16},
                         Case{'E', 0, 17},          Case{'B', 0, 18},      Case{'E', kCtrl, 17},
                         Case{'Q', 0, -1},          Case{'4', 0, -1}})
        EXPECT_EQ(keyCommand(c.key, c.shift),
                  c.command < 0 ? std::nullopt : std::optional(CommandCode(c.command)))
            << c.key << "/" << c.shift;
}

TEST_F(Commands, KeysRunTheirCommand) {
    key(kKeyLeft);
    EXPECT_EQ(shown(), std::make_pair(2024, 4));
    EXPECT_EQ(kinds(key(kKeyF4, kAlt)), std::vector{K::kCloseWindow});
    EXPECT_TRUE(key('Q').empty());
    show(1900, 1);
    EXPECT_EQ(kinds(key(kKeyLeft)), (std::vector{K::kBeep, K::kRedraw}));
}

TEST_F(Commands, DeveloperSequenceNeedsShiftAndTogglesBack) {
    auto type = [&](std::string_view text, int shift) {
        Actions last;
        for (char c : text)
            last = key(c, shift);
        return last;
    };
    EXPECT_EQ(kinds(type("ZEVORKA", kShift)), std::vector{K::kBeep});
    EXPECT_TRUE(s.developer);
    EXPECT_TRUE(s.keyBuffer.empty());
    // Letters typed with Shift run no command.
    EXPECT_TRUE(s.switches.showOneTime);
    EXPECT_TRUE(key(kKeyLeft, kShift).empty());
    EXPECT_EQ(shown(), std::make_pair(2024, 5));

    // Leading noise is fine, and the buffer keeps only its last ten letters.
    type("QWERTYUIOPZEVORKA", kShift);
    EXPECT_FALSE(s.developer);
    type("ZEVOR", kShift);
    EXPECT_EQ(s.keyBuffer, "ZEVOR");
    type("XXXXXXXX", kShift);
    EXPECT_EQ(s.keyBuffer.size(), 10u);

    // Without Shift, E is the one-time switch and the sequence does nothing.
    s.keyBuffer.clear();
    type("ZEVORKA", 0);
    EXPECT_FALSE(s.developer);
    EXPECT_FALSE(s.switches.showOneTime);
    // Ctrl+Shift is not "exactly Shift".
    type("ZEVORKA", kShift | kCtrl);
    EXPECT_FALSE(s.developer);
}

TEST_F(Commands, OnlyEscapeEndsTheGame) {
    s.screenMode = ScreenMode::kGame;
    EXPECT_TRUE(key(kKeyLeft).empty());
    EXPECT_TRUE(key('Z', kShift).empty());
    EXPECT_TRUE(s.keyBuffer.empty());
    EXPECT_EQ(kinds(key(kKeyEscape)), (std::vector{K::kEndGame, K::kRedraw}));
    EXPECT_EQ(s.screenMode, ScreenMode::kMain);
}

}  // namespace
}  // namespace tv
