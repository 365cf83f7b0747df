// What closing the settings window does, and the immediate actions that store something.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/settings/settings_window.h"

namespace tv {

class Autostart;
class HashTable;
class Log;
class MessageBox;
class Sound;
class StringTable;

struct SettingsCloseContext {
    HashTable* settings = nullptr;
    const StringTable* strings = nullptr;
    MessageBox* box = nullptr;       // null: the skin question counts as Cancel
    Autostart* autostart = nullptr;  // null: the log-on entry is left alone
    Sound* sound = nullptr;          // may be null
    Log* log = nullptr;              // may be null
    std::string executable;          // the program, for the log-on entry's command
    // A backup was restored since the calendar was last loaded: the files on disk are the
    // restored ones, and writing the window's copy over them would undo the restore.
    bool restoredSinceLoad = false;
    std::function<bool()> saveSettings;  // writes "settings.cfg"
    // Asks the calendar to reload with the skin now stored in `Skin`.
    std::function<void()> reloadForSkin;
};

struct SettingsCloseResult {
    bool skinActivated = false;
    bool written = false;     // the controls went into the settings table
    bool autostartOk = true;  // the log-on entry matches, or there is none to manage
    bool saved = false;       // "settings.cfg" was written
};

// `ComSkin`: stores the skin and asks for the reload.
void activateSkin(const SettingsCloseContext& ctx, std::string_view skinFolder);

// Makes the log-on entry match the settings, by the rule the load of the calendar applies, so
// the two never undo each other. A failed write says "com_err_reg".
bool registerAutoStart(const SettingsCloseContext& ctx);

// The close: the question for a chosen but inactive skin, then (unless a backup was restored)
// every key from the controls, the log-on entry and "settings.cfg"; last, any sound stops.
// `selectedSkin` is empty when the list has no skin.
SettingsCloseResult closeSettings(const SettingsControls& controls, std::string_view selectedSkin,
                                  std::string_view activeSkin, const SettingsCloseContext& ctx);

// `transparency`: the value shown beside it.
std::string transparencyText(int value);

}  // namespace tv
