// Every key of settings.cfg with its default. A setting is read only with `read` (itemAlt), so a
// key the run reads is stored with its default and written at the next save.
#pragma once

#include <string>
#include <string_view>

#include "core/config/hash_table.h"

namespace tv {

struct SettingKey {
    std::string_view key;
    std::string_view def;  // the default every reader passes
};

// The constants carry the keys' own spelling, so a search for a key finds the code that reads it.
// NOLINTBEGIN(readability-identifier-naming)
namespace settings {

// Start-up and tray.
inline constexpr SettingKey AS_TrayIcon{"AS_TrayIcon", "1"};
inline constexpr SettingKey AS_AutoStart{"AS_AutoStart", "1"};
inline constexpr SettingKey AS_OnTime{"AS_OnTime", "0"};
inline constexpr SettingKey AS_Hour{"AS_Hour", "5"};
inline constexpr SettingKey AS_Minute{"AS_Minute", "0"};
inline constexpr SettingKey AutoStartWindowMode{"AutoStartWindowMode", "0"};
inline constexpr SettingKey TrayOneClick{"TrayOneClick", "1"};

// Window and pages.
inline constexpr SettingKey Cal_WinCenter{"Cal_WinCenter", "1"};
inline constexpr SettingKey Cal_LastX{"Cal_LastX", "0"};
inline constexpr SettingKey Cal_LastY{"Cal_LastY", "0"};
inline constexpr SettingKey Cal_StartPage{"Cal_StartPage", "1"};
inline constexpr SettingKey Cal_LastPage{"Cal_LastPage", "1"};
inline constexpr SettingKey Cal_Names{"Cal_Names", ""};  // empty counts as 0
inline constexpr SettingKey SettingsLastPage{"SettingsLastPage", "0"};
inline constexpr SettingKey Transparency{"Transparency", "100"};

// Appearance. The font keys default to the skin's def_ values, so they carry no default here.
inline constexpr SettingKey Skin{"Skin", "metal_big"};
inline constexpr SettingKey SmallSkin{"SmallSkin", "0"};
inline constexpr SettingKey M_Default{"M_Default", "2"};
inline constexpr SettingKey M_AlignType{"M_AlignType", "1"};
inline constexpr SettingKey M_TextAlign1{"M_TextAlign1", "0"};
inline constexpr SettingKey M_TextAlign2{"M_TextAlign2", "0"};
inline constexpr SettingKey M_Shadow{"M_Shadow", "2"};
inline constexpr SettingKey OptBG{"OptBG", "0"};
// The colour dialog's 16 custom colours, 6 hex digits each; "nope" until first saved.
inline constexpr SettingKey CustomColors{"CustomColors", "nope"};
// The three user fonts: prefix "MB", "MS" or "MU" + one of these suffixes; the defaults are the
// skin's "def_mb_" ... values (font, size, weight, italic, color, color2).
inline constexpr std::string_view kFontSuffixes[6] = {"_Font",   "_Size",  "_Weight",
                                                      "_Italic", "_Color", "_BGColor"};

// Today's header.
inline constexpr SettingKey Today_Day{"Today_Day", "1"};
inline constexpr SettingKey Today_DayHL{"Today_DayHL", "0"};
inline constexpr SettingKey Today_Week{"Today_Week", "1"};
inline constexpr SettingKey Today_WeekHL{"Today_WeekHL", "0"};
inline constexpr SettingKey Today_Name{"Today_Name", "1"};
inline constexpr SettingKey Today_NameHL{"Today_NameHL", "1"};
inline constexpr SettingKey Today_NextName{"Today_NextName", "1"};
inline constexpr SettingKey Today_NextNameHL{"Today_NextNameHL", "0"};

// Events, forecast and alarms.
inline constexpr SettingKey ForecastMode{"ForecastMode", "1"};
inline constexpr SettingKey CeremForecast{"CeremForecast", "7"};
inline constexpr SettingKey SaveInPastPromt{"SaveInPastPromt", "1"};
inline constexpr SettingKey DatesEventFilter{"DatesEventFilter", "11"};  // no limit
inline constexpr SettingKey DatesRepeatFilter1{"DatesRepeatFilter1", "1"};
inline constexpr SettingKey DatesRepeatFilter2{"DatesRepeatFilter2", "1"};
inline constexpr SettingKey DatesRepeatFilter3{"DatesRepeatFilter3", "1"};
inline constexpr SettingKey AlarmEnabled{"AlarmEnabled", "1"};
inline constexpr SettingKey AlarmTop{"AlarmTop", "0"};
// "1": an alarm is also a desktop notification, beside the alarm screen.
inline constexpr SettingKey AlarmNotify{"AlarmNotify", "1"};
inline constexpr SettingKey AlarmSoundOn{"AlarmSoundOn", "1"};
inline constexpr SettingKey AlarmSoundSet{"AlarmSoundSet", "0"};
inline constexpr SettingKey AlarmSoundFile{"AlarmSoundFile", "Bugle Call - Reveille.wav"};
inline constexpr SettingKey CustomAlarmSound{"CustomAlarmSound", ""};
inline constexpr SettingKey AlarmSndRepeat{"AlarmSndRepeat", "1"};
inline constexpr SettingKey AlarmLength{"AlarmLength", "0"};
// "1" once Good Friday, added in 2.3.0, was offered to this user's table (feast_upgrade.h).
inline constexpr SettingKey Feast_GoodFridayOffered{"Feast_GoodFridayOffered", "0"};

// Wisdom and pictures. BGPic_LastDir defaults to the program folder + "pictures/".
inline constexpr SettingKey Wise{"Wise", "1"};
inline constexpr SettingKey LastWisdom{"LastWisdom", ""};
inline constexpr SettingKey BGPic_Source{"BGPic_Source", ""};
inline constexpr SettingKey BGPic_SubFolder{"BGPic_SubFolder", "0"};
inline constexpr SettingKey BGPic_FitMode{"BGPic_FitMode", "1"};
inline constexpr SettingKey BGPic_Name{"BGPic_Name", "1"};
inline constexpr SettingKey BGPic_Replace{"BGPic_Replace", "1"};
// The picture shown last; the default names no file, so the first load chooses.
inline constexpr SettingKey PicToday{"PicToday", "c:\\"};
inline constexpr std::string_view BGPic_LastDir = "BGPic_LastDir";

// Bookkeeping.
inline constexpr SettingKey LastAppear{"LastAppear", ""};
inline constexpr SettingKey LastAppearNow{"LastAppearNow", ""};
inline constexpr SettingKey LastRun{"LastRun", ""};
inline constexpr SettingKey LastRunToday{"LastRunToday", ""};
inline constexpr SettingKey Backup_Folder{"Backup_Folder", ""};
inline constexpr SettingKey Backup_Last{"Backup_Last", ""};
inline constexpr SettingKey Update_NextCheck{"Update_NextCheck", "604800"};
inline constexpr SettingKey Update_LastTime{"Update_LastTime", ""};
// Until a check says otherwise, the newest version known is the running one.
#define TV_SETTING_TEXT_(x) #x
#define TV_SETTING_TEXT(x) TV_SETTING_TEXT_(x)
inline constexpr SettingKey Update_LatestVerMaj{"Update_LatestVerMaj",
                                                TV_SETTING_TEXT(TV_VERSION_MAJOR)};
inline constexpr SettingKey Update_LatestVerMin{"Update_LatestVerMin",
                                                TV_SETTING_TEXT(TV_VERSION_MINOR)};
inline constexpr SettingKey Update_LatestVerRev{"Update_LatestVerRev",
                                                TV_SETTING_TEXT(TV_VERSION_REVISION)};
#undef TV_SETTING_TEXT
#undef TV_SETTING_TEXT_
inline constexpr SettingKey Update_Link{"Update_Link", "https://www.brimcove.hu/tempovirens/"};

// CalDAV sync. The password is never here: it lives in the desktop's keyring.
inline constexpr SettingKey Sync_Url{"Sync_Url", ""};  // the server address typed
inline constexpr SettingKey Sync_User{"Sync_User", ""};
inline constexpr SettingKey Sync_Calendar{"Sync_Calendar", ""};    // the chosen calendar's path
inline constexpr SettingKey Sync_Interval{"Sync_Interval", "15"};  // minutes; 0: on demand only

}  // namespace settings

// Installation values of the per-user store.
namespace installation {
inline constexpr std::string_view kGroup = "Tempovirens/";
inline constexpr std::string_view Install_Dir = "Tempovirens/Install_Dir";
inline constexpr std::string_view Exe_Name = "Tempovirens/Exe_Name";
inline constexpr std::string_view versionMajor = "Tempovirens/versionMajor";
inline constexpr std::string_view versionMinor = "Tempovirens/versionMinor";
inline constexpr std::string_view versionRevision = "Tempovirens/versionRevision";
inline constexpr std::string_view UserID = "UserID";
}  // namespace installation
// NOLINTEND(readability-identifier-naming)

// The setting's text; an absent key is stored with its default.
inline std::string read(HashTable& table, const SettingKey& k) {
    return table.itemAlt(k.key, k.def);
}
// The setting as a number (the number at the start of the text; 0 when there is none).
int readInt(HashTable& table, const SettingKey& k);
inline bool readFlag(HashTable& table, const SettingKey& k) {
    return readInt(table, k) == 1;
}
inline void write(HashTable& table, const SettingKey& k, std::string_view value) {
    table.setItem(k.key, value);
}

}  // namespace tv
