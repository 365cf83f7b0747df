// The settings window's logic: which control edits which key, how a control's state becomes the
// stored text, and which controls another one switches on or off. The Qt window only shows a
// `SettingsControls` and hands every change back here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/font_styles.h"

namespace tv {

class HashTable;
class StringTable;

// The pages of `page`, in list order, with the frame each one shows.
struct SettingsPage {
    std::string_view textKey;
    bool indented;  // written with " - " in front
    int frame;
};
inline constexpr std::array<SettingsPage, 9> kSettingsPages = {{
    {"sets_fr_appear", false, 2},
    {"sets_fr_disp", true, 0},
    {"sets_fr_align", true, 7},
    {"sets_fr_text", true, 1},
    {"sets_fr_bg", true, 4},
    {"sets_fr_alarm", true, 6},
    {"sets_fr_backup", false, 5},
    {"sets_fr_program", false, 3},
    {"sets_fr_sync", false, 8},
}};
inline constexpr int kBackupPage = 6;
inline constexpr int kSyncPage = 8;
inline constexpr int kSyncIntervalMax = 1440;  // minutes: once a day

// The list entry of a page: its text, indented ones after " - ".
std::string settingsPageText(const StringTable& strings, size_t page);

// Values behind list entries; the list shows them in this order.
inline constexpr std::array<int, 3> kTextAlignValues = {0, 2, 1};  // sets_align0, 2, 1
inline constexpr std::array<std::string_view, 3> kTextAlignKeys = {"sets_align0", "sets_align2",
                                                                   "sets_align1"};
// Minutes between two pictures: 0 = at every start ... 1 = one a day.
inline constexpr std::array<int, 9> kBgReplaceValues = {0, 288, 96, 48, 24, 12, 6, 2, 1};
inline constexpr int kForecastDaysMax = 14;  // forecastDays: "0" ... "14"
inline constexpr int kShadowTypes = 3;       // "sets_shadow1" ... "sets_shadow3"
inline constexpr int kRepeatLengths = 8;     // "sets_alarm_len1" ... "sets_alarm_len8"
inline constexpr int kAlignPictures = 2;     // layout 1: one column, 2: holidays below
// Below this the window would all but vanish, and the slider is the only way back.
inline constexpr int kTransparencyMin = 20;
inline constexpr int kTransparencyMax = 100;

// The list position of a stored value; `fallback` when the value is not in the list.
int indexOfValue(const int* values, size_t count, int value, int fallback);
template <size_t N>
int indexOfValue(const std::array<int, N>& values, int value, int fallback) {
    return indexOfValue(values.data(), N, value, fallback);
}

// The state of every control that edits a setting. Members carry the controls' names; list
// controls hold the selected position from 0, option groups the chosen option's index.
struct SettingsControls {
    // Display.
    bool showDay = true, showWeek = true, showName = true, showNextName = true;
    bool highlightDay = false, highlightWeek = false, highlightName = true,
         highlightNextName = false;
    bool showWisdom = true;
    bool forecastCountsDown = false;
    int startPage = 0;  // Cal_StartPage - 1
    bool showForecast = true;
    int forecastDays = 7;
    bool askBeforeSavingPast = true;

    // Texts and alignment.
    bool themeFonts = true;  // theme fonts; Mtype1 otherwise
    bool textShadow = true;
    int shadowType = 1;
    std::array<FontStyle, kFontStyleCount> fonts{};
    int layout = 1;  // 1 or 2, the layout picture last clicked
    int eventAlign = 0;
    int forecastAlign = 0;

    // Pictures.
    int pictureChange = 8;
    int pictureSource = 0;
    std::string userPictureFolder;
    bool userPictureSubfolders = false, userPictureName = true, userPictureScale = true;

    // Alarms.
    bool alarmEnabled = true, alarmSound = true, alarmOnTop = false, alarmSoundRepeat = true;
    bool alarmNotify = true;
    int alarmLength = 0;
    int alarmSoundSource = 0;
    std::string alarmSoundFile = "Bugle Call - Reveille";  // shown name, without ".wav"

    // Program.
    bool centreWindow = true, trayOneClick = true, trayIcon = true;
    bool autoStart = true, scheduledShowing = false;
    int scheduledHour = 5, scheduledMinute = 0;
    bool scheduledWithoutFocus = false;

    // Appearance and backup.
    int transparency = 100;
    std::string backupFolder;

    // Sync (the password is not a setting: the keyring keeps it).
    std::string syncUrl, syncUser, syncCalendar;
    int syncInterval = 15;
    int page = 0;
};

// Fills the controls from the settings (each absent key is stored with its default, as every
// reader does). The font styles fall back to the active theme's "def_" values.
SettingsControls readSettingsControls(HashTable& settings, const HashTable& theme);

// Writes every key the window edits from its control, `SettingsLastPage` included.
void writeSettingsControls(const SettingsControls& c, HashTable& settings);

// Which controls can be used, derived from the others.
struct SettingsEnabling {
    bool highlightDay = true, highlightWeek = true, highlightName = true, highlightNextName = true;
    bool forecastDays = true;
    bool shadowType = true;
    bool userPicture = false;  // userPictureGroup and everything in it
    bool trayIcon = true;
    bool scheduled = false;     // scheduledHour, scheduledMinute, scheduledWithoutFocus
    bool alarmOptions = true;   // alarmOnTop, alarmNotify, alarmSound
    bool soundControls = true;  // alarmSoundSource, alarmSoundFile, play, stop, custom, repeat
    bool repeatLength = true;   // alarmLengthLabel, alarmLength
};

// Applies the dependencies: the tray icon is forced on (and locked) while the scheduled start or
// the alarms need it, since both only work from the tray. Returns what is enabled.
SettingsEnabling applySettingsDependencies(SettingsControls& c);

}  // namespace tv
