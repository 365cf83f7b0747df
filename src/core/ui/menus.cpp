#include "core/ui/menus.h"

#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/names/wisdom.h"
#include "core/ports/message_box.h"
#include "core/ui/commands.h"

namespace tv {

namespace {

MenuItem separator() {
    MenuItem m;
    m.text = "-";
    m.separator = true;
    return m;
}

MenuItem item(int id, std::string text, std::string_view shortcut, bool enabled = true,
              bool checked = false) {
    MenuItem m;
    m.id = id;
    m.text = std::move(text);
    if (!shortcut.empty()) {
        m.text += '\t';
        m.text += shortcut;
    }
    m.checked = checked;
    m.state = enabled ? MenuState::kEnabled : MenuState::kGreyed;
    return m;
}

// A main menu item carries its command code as its id.
MenuItem item(CommandCode code, std::string text, std::string_view shortcut, bool enabled = true,
              bool checked = false) {
    return item(static_cast<int>(code), std::move(text), shortcut, enabled, checked);
}

MenuItem calendarSubmenu(const MainWindowState& s, HashTable& settings, const StringTable& st) {
    const bool cal = s.screenMode == ScreenMode::kMonth;
    const MonthSwitches& sw = s.switches;
    MenuItem sub;
    sub.text = st.getString("main_b_calendar2");
    auto& v = sub.submenu;
    v.push_back(item(CommandCode::kSwitchScreen, st.getString("main_b_calendar"), "Space"));
    v.push_back(separator());
    v.push_back(item(CommandCode::kShowOneTime, st.getString("main_b_show_still"), "E", cal,
                     sw.showOneTime));
    v.push_back(item(CommandCode::kShowRepeating, st.getString("main_b_show_rep"), "I", cal,
                     sw.showRepeating));
    v.push_back(item(CommandCode::kRepeatingNextOnly, st.getString("main_b_repnextonly"), "O",
                     cal && sw.showRepeating, sw.repeatingNextOnly));
    v.push_back(separator());
    v.push_back(item(CommandCode::kSwitchNames, st.getString("main_b_names2"), "N", cal,
                     read(settings, settings::Cal_Names) == "1"));
    v.push_back(item(CommandCode::kHome, st.getString("main_b_home"), "Home", cal));
    v.push_back(item(CommandCode::kPrevYear, st.getString("main_b_prevyear"), "PgUp", cal));
    v.push_back(item(CommandCode::kPrevMonth, st.getString("main_b_prevmonth"), "<-", cal));
    v.push_back(item(CommandCode::kNextMonth, st.getString("main_b_nextmonth"), "->", cal));
    v.push_back(item(CommandCode::kNextYear, st.getString("main_b_nextyear"), "PgDown", cal));
    return sub;
}

}  // namespace

MenuModel buildMainMenu(const MainWindowState& s, HashTable& settings, const StringTable& st) {
    MenuModel m;
    auto& v = m.items;
    v.push_back(calendarSubmenu(s, settings, st));
    v.push_back(separator());
    v.push_back(item(CommandCode::kEventList, st.getString("main_b_dates"), "Enter"));
    v.push_back(item(CommandCode::kNameSearch, st.getString("main_b_names"), "K"));
    if (lastWisdomOffered(settings))
        v.push_back(item(CommandCode::kLastWisdom, st.getString("main_b_lastwisdom"), "B"));
    v.push_back(separator());
    v.push_back(item(CommandCode::kSettings, st.getString("main_b_sets"), "S"));
    v.push_back(item(CommandCode::kAbout, st.getString("main_b_about"), "F1"));
    v.push_back(separator());
    if (s.developer) {
        // Layout checks for skin makers; not translated on purpose.
        v.push_back(item(CommandCode::kDiagnostics, "DEV: Show UserID and Language", {}));
        v.push_back(item(CommandCode::kTestWisdom, "DEV: Show Wise", {}));
        v.push_back(item(CommandCode::kTestAlarmNormal, "DEV: Show AlarmScreen normal", {}));
        v.push_back(item(CommandCode::kTestAlarmExtreme, "DEV: Show AlarmScreen xtreme", {}));
        v.push_back(separator());
    }
    v.push_back(item(kMainMenuCloseId, st.getString("com_close"), "Esc"));
    return m;
}

std::optional<CommandCode> mainMenuCommand(int chosenId) {
    // Id 0 means "dismissed" to the menu, so closing travels as 255.
    if (chosenId == 0) return std::nullopt;
    if (chosenId == kMainMenuCloseId) return CommandCode::kClose;
    return static_cast<CommandCode>(chosenId);
}

MenuModel buildTrayMenu(HashTable& settings, const StringTable& st) {
    MenuModel m;
    MenuItem open = item(kTrayOpenId, st.getString("com_title"), {});
    open.isDefault = true;
    m.items.push_back(open);
    if (readFlag(settings, settings::AS_OnTime)) {
        std::string minute = std::to_string(readInt(settings, settings::AS_Minute));
        if (minute.size() < 2) minute.insert(0, 1, '0');
        const std::string hour = std::to_string(readInt(settings, settings::AS_Hour));
        // For information only: the time is changed in the settings window.
        m.items.push_back(
            item(kTrayScheduleId, st.formatString("st_autostart", hour, minute), {}, false));
    }
    MenuItem sep = separator();
    sep.id = 3;
    m.items.push_back(sep);
    m.items.push_back(item(kTrayExitId, st.getString("st_exit"), {}));
    return m;
}

TrayCommand resolveTrayMenu(int chosenId, const StringTable& st, MessageBox& box) {
    if (chosenId == kTrayOpenId) return TrayCommand::kOpenCalendar;
    if (chosenId != kTrayExitId) return TrayCommand::kNone;
    // Alarms only ring while the program runs, so leaving is confirmed.
    MessageRequest q;
    q.text = st.getString("st_q_exit");
    q.title = st.getString("com_title");
    q.buttons = MessageButtons::kOkCancel;
    q.icon = MessageIcon::kQuestion;
    return box.show(q) == MessageAnswer::kOk ? TrayCommand::kExitProgram : TrayCommand::kNone;
}

MenuModel dayFieldMenuModel(const std::vector<DayMenuItem>& items) {
    MenuModel m;
    for (const DayMenuItem& d : items) {
        if (d.separator) {
            m.items.push_back(separator());
            continue;
        }
        m.items.push_back(item(d.id, d.text, {}, d.enabled && d.id != 0));
    }
    return m;
}

}  // namespace tv
