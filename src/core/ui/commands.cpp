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

Actions buttonEvent(MainWindowState& s, int code, HashTable& settings) {
    Actions out;
    if (s.screenMode == ScreenMode::kGame) return out;
    const bool month = s.screenMode == ScreenMode::kMonth;

    switch (code) {
        case kCmdClose:
            // The window is gone afterwards, so there is nothing left to redraw.
            pushAction(out, UiAction::kCloseWindow);
            return out;
        case kCmdPrevMonth:
            if (month) page(s, -1, out);
            break;
        case kCmdNextMonth:
            if (month) page(s, 1, out);
            break;
        case kCmdSwitchScreen:
            switchScreen(s, out);
            break;
        case kCmdEventList:
            pushAction(out, UiAction::kOpenEventList);
            pushAction(out, UiAction::kEventRefresh);
            break;
        case kCmdSettings:
            pushAction(out, UiAction::kOpenSettings);
            pushAction(out, UiAction::kEventRefresh);
            break;
        case kCmdAbout:
            pushAction(out, UiAction::kOpenAbout);
            break;
        case kCmdNameSearch:
            pushAction(out, UiAction::kOpenNameSearch);
            break;
        case kCmdStopAlarm:
            pushAction(out, UiAction::kStopAlarmSound);
            break;
        case kCmdSwitchNames:
            if (month) toggleNames(settings, out);
            break;
        case kCmdMissedEvents:
            pushAction(out, UiAction::kOpenMissedEvents);
            break;
        case kCmdHome:
            if (month) showCurrentMonth(s, out);
            break;
        case kCmdPrevYear:
            if (month) page(s, -12, out);
            break;
        case kCmdNextYear:
            if (month) page(s, 12, out);
            break;
        case kCmdShowRepeating:
            if (month) toggleSwitch(s.switches.showRepeating, s.switches.showOneTime, out);
            break;
        case kCmdRepeatingNextOnly:
            if (month) {
                s.switches.repeatingNextOnly = !s.switches.repeatingNextOnly;
                pushAction(out, UiAction::kRebuildMonth);
            }
            break;
        case kCmdShowOneTime:
            if (month) toggleSwitch(s.switches.showOneTime, s.switches.showRepeating, out);
            break;
        case kCmdLastWisdom:
            if (lastWisdomOffered(settings)) showLastWisdom(s.wisdom, settings);
            break;
        case kCmdDiagnostics:
            pushAction(out, UiAction::kOpenDiagnostics);
            break;
        case kCmdTestAlarmExtreme:
            s.layoutTests.extremeAlarm = true;
            break;
        case kCmdTestAlarmNormal:
            s.layoutTests.normalAlarm = true;
            break;
        case kCmdTestWisdom:
            s.layoutTests.wisdom = true;
            break;
        default:
            break;
    }
    pushAction(out, UiAction::kRedraw);
    return out;
}

}  // namespace tv
