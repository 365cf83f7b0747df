#include "core/ui/commands.h"

#include "core/config/settings_keys.h"
#include "core/names/wisdom.h"

namespace tv {

namespace {

// Moves the shown month by `months`, refusing anything outside the supported years.
bool page(MainWindowState& s, int months, Actions& out) {
    const int index = s.shownYear * 12 + (s.shownMonth - 1) + months;
    const int year = index / 12;
    if (year < kFirstYear || year > kLastYear) {
        pushAction(out, UiAction::kBeep);
        return false;
    }
    s.shownYear = year;
    s.shownMonth = index % 12 + 1;
    pushAction(out, UiAction::kRebuildMonth);
    return true;
}

void switchScreen(MainWindowState& s, Actions& out) {
    if (s.wisdom.shown) {
        s.wisdom.shown = false;
        return;
    }
    if (s.screenMode == ScreenMode::kMonth) {
        s.screenMode = ScreenMode::kMain;
        pushAction(out, UiAction::kRemoveDayTooltip);
    } else {
        s.screenMode = ScreenMode::kMonth;
    }
}

void toggleNames(HashTable& settings, Actions& out) {
    const bool names = read(settings, settings::Cal_Names) == "1";
    write(settings, settings::Cal_Names, names ? "0" : "1");
    pushAction(out, UiAction::kRebuildMonth);
}

void showCurrentMonth(MainWindowState& s, Actions& out) {
    if (s.showsCurrentMonth()) return;
    s.shownYear = s.today.year();
    s.shownMonth = s.today.month();
    pushAction(out, UiAction::kRebuildMonth);
}

// At least one kind of event stays visible: switching one off when the other is already off
// brings the other back.
void toggleSwitch(bool& flag, bool& other, Actions& out) {
    flag = !flag;
    if (!flag && !other) other = true;
    pushAction(out, UiAction::kRebuildMonth);
}

}  // namespace

Actions buttonEvent(MainWindowState& s, CommandCode code, HashTable& settings) {
    Actions out;
    if (s.screenMode == ScreenMode::kGame) return out;
    const bool month = s.screenMode == ScreenMode::kMonth;

    switch (code) {
        case CommandCode::kClose:
            // The window is gone afterwards, so there is nothing left to redraw.
            pushAction(out, UiAction::kCloseWindow);
            return out;
        case CommandCode::kPrevMonth:
            if (month) page(s, -1, out);
            break;
        case CommandCode::kNextMonth:
            if (month) page(s, 1, out);
            break;
        case CommandCode::kSwitchScreen:
            switchScreen(s, out);
            break;
        case CommandCode::kEventList:
            pushAction(out, UiAction::kOpenEventList);
            pushAction(out, UiAction::kEventRefresh);
            break;
        case CommandCode::kSettings:
            pushAction(out, UiAction::kOpenSettings);
            pushAction(out, UiAction::kEventRefresh);
            break;
        case CommandCode::kAbout:
            pushAction(out, UiAction::kOpenAbout);
            break;
        case CommandCode::kNameSearch:
            pushAction(out, UiAction::kOpenNameSearch);
            break;
        case CommandCode::kStopAlarm:
            pushAction(out, UiAction::kStopAlarmSound);
            break;
        case CommandCode::kSwitchNames:
            if (month) toggleNames(settings, out);
            break;
        case CommandCode::kMissedEvents:
            pushAction(out, UiAction::kOpenMissedEvents);
            break;
        case CommandCode::kHome:
            if (month) showCurrentMonth(s, out);
            break;
        case CommandCode::kPrevYear:
            if (month) page(s, -12, out);
            break;
        case CommandCode::kNextYear:
            if (month) page(s, 12, out);
            break;
        case CommandCode::kShowRepeating:
            if (month) toggleSwitch(s.switches.showRepeating, s.switches.showOneTime, out);
            break;
        case CommandCode::kRepeatingNextOnly:
            if (month) {
                s.switches.repeatingNextOnly = !s.switches.repeatingNextOnly;
                pushAction(out, UiAction::kRebuildMonth);
            }
            break;
        case CommandCode::kShowOneTime:
            if (month) toggleSwitch(s.switches.showOneTime, s.switches.showRepeating, out);
            break;
        case CommandCode::kLastWisdom:
            if (lastWisdomOffered(settings)) showLastWisdom(s.wisdom, settings);
            break;
        case CommandCode::kDiagnostics:
            pushAction(out, UiAction::kOpenDiagnostics);
            break;
        case CommandCode::kTestAlarmExtreme:
            s.layoutTests.extremeAlarm = true;
            break;
        case CommandCode::kTestAlarmNormal:
            s.layoutTests.normalAlarm = true;
            break;
        case CommandCode::kTestWisdom:
            s.layoutTests.wisdom = true;
            break;
        default:
            break;
    }
    pushAction(out, UiAction::kRedraw);
    return out;
}

}  // namespace tv
