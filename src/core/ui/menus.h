// The popup menus of the main window and the tray icon as plain data. They are rebuilt each
// time they open; the Qt layer only shows them and hands back the chosen id.
#pragma once

#include <optional>

#include <string>
#include <vector>

#include "core/events/month_events.h"
#include "core/ui/commands.h"
#include "core/ui/window_state.h"

namespace tv {

class HashTable;
class MessageBox;
class StringTable;

enum class MenuState : int { kEnabled = 0, kDisabled = 1, kGreyed = 2 };

struct MenuItem {
    int id = 0;
    std::string text;  // caption, then a tab and the shortcut where there is one
    bool separator = false;
    bool isDefault = false;  // shown bold
    bool checked = false;
    MenuState state = MenuState::kEnabled;
    std::vector<MenuItem> submenu;  // non-empty: `text` is the submenu's caption
};

struct MenuModel {
    std::string caption;
    std::vector<MenuItem> items;
};

inline constexpr int kMainMenuCloseId = 255;

// The right-click menu outside the day fields.
MenuModel buildMainMenu(const MainWindowState& state, HashTable& settings,
                        const StringTable& strings);
// The command of a main menu choice (0 when the menu was dismissed); none runs nothing.
std::optional<CommandCode> mainMenuCommand(int chosenId);

inline constexpr int kTrayOpenId = 1;
inline constexpr int kTrayScheduleId = 2;
inline constexpr int kTrayExitId = 4;

MenuModel buildTrayMenu(HashTable& settings, const StringTable& strings);

enum class TrayCommand { kNone, kOpenCalendar, kExitProgram };
// Exit is asked first; Cancel keeps the program running.
TrayCommand resolveTrayMenu(int chosenId, const StringTable& strings, MessageBox& box);

// The day field menu in the same shape as the others.
MenuModel dayFieldMenuModel(const std::vector<DayMenuItem>& items);

}  // namespace tv
