#include "core/settings/settings_window.h"

#include <algorithm>

#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"

namespace tv {

namespace {

constexpr std::string_view kSoundExtension = ".wav";

bool flag(HashTable& t, const SettingKey& k) {
    return readFlag(t, k);
}
void put(HashTable& t, const SettingKey& k, bool on) {
    write(t, k, on ? "1" : "0");
}
void put(HashTable& t, const SettingKey& k, int v) {
    write(t, k, std::to_string(v));
}

// A list position from a stored number; out-of-range values select `fallback`.
int position(int value, int count, int fallback) {
    return value >= 0 && value < count ? value : fallback;
}

std::string withoutWav(std::string name) {
    if (name.size() >= kSoundExtension.size() &&
        name.compare(name.size() - kSoundExtension.size(), kSoundExtension.size(),
                     kSoundExtension) == 0) {
        name.resize(name.size() - kSoundExtension.size());
    }
    return name;
}

}  // namespace

std::string settingsPageText(const StringTable& strings, size_t page) {
    if (page >= kSettingsPages.size()) return {};
    const SettingsPage& p = kSettingsPages[page];
    return (p.indented ? " - " : "") + strings.getString(p.textKey);
}

int indexOfValue(const int* values, size_t count, int value, int fallback) {
    const int* end = values + count;
    const int* it = std::find(values, end, value);
    return it == end ? fallback : static_cast<int>(it - values);
}

SettingsControls readSettingsControls(HashTable& t, const HashTable& theme) {
    namespace k = settings;
    SettingsControls c;
    c.showDay = flag(t, k::Today_Day);
    c.showWeek = flag(t, k::Today_Week);
    c.showName = flag(t, k::Today_Name);
    c.showNextName = flag(t, k::Today_NextName);
    c.highlightDay = flag(t, k::Today_DayHL);
    c.highlightWeek = flag(t, k::Today_WeekHL);
    c.highlightName = flag(t, k::Today_NameHL);
    c.highlightNextName = flag(t, k::Today_NextNameHL);
    c.showWisdom = flag(t, k::Wise);
    c.forecastCountsDown = readInt(t, k::ForecastMode) == 2;
    c.startPage = position(readInt(t, k::Cal_StartPage) - 1, 3, 0);

    // 0 days means no announcement: the box is off and the list keeps its default.
    const int forecast = readInt(t, k::CeremForecast);
    c.showForecast = forecast != 0;
    c.forecastDays = position(forecast, kForecastDaysMax + 1, 7);
    if (!c.showForecast) c.forecastDays = 7;
    c.askBeforeSavingPast = flag(t, k::SaveInPastPromt);

    c.themeFonts = readInt(t, k::M_Default) == 2;
    const int shadow = readInt(t, k::M_Shadow);
    c.textShadow = shadow != 0;
    c.shadowType = c.textShadow ? position(shadow - 1, kShadowTypes, 1) : 1;
    for (int i = 0; i < kFontStyleCount; ++i) {
        c.fonts[static_cast<size_t>(i)] = readFontStyle(t, theme, static_cast<FontStyleKind>(i));
    }
    c.layout = readInt(t, k::M_AlignType) == 2 ? 2 : 1;
    c.eventAlign = indexOfValue(kTextAlignValues, readInt(t, k::M_TextAlign1), 0);
    c.forecastAlign = indexOfValue(kTextAlignValues, readInt(t, k::M_TextAlign2), 0);

    c.pictureChange = indexOfValue(kBgReplaceValues, readInt(t, k::BGPic_Replace),
                                   static_cast<int>(kBgReplaceValues.size()) - 1);
    c.pictureSource = readInt(t, k::OptBG) == 1 ? 1 : 0;
    c.userPictureFolder = read(t, k::BGPic_Source);
    c.userPictureSubfolders = flag(t, k::BGPic_SubFolder);
    c.userPictureName = flag(t, k::BGPic_Name);
    c.userPictureScale = flag(t, k::BGPic_FitMode);

    c.alarmEnabled = flag(t, k::AlarmEnabled);
    c.alarmSound = flag(t, k::AlarmSoundOn);
    c.alarmOnTop = flag(t, k::AlarmTop);
    c.alarmNotify = flag(t, k::AlarmNotify);
    c.alarmSoundRepeat = flag(t, k::AlarmSndRepeat);
    c.alarmLength = position(readInt(t, k::AlarmLength), kRepeatLengths, 0);
    c.alarmSoundSource = readInt(t, k::AlarmSoundSet) == 1 ? 1 : 0;
    c.alarmSoundFile = withoutWav(read(t, k::AlarmSoundFile));

    c.centreWindow = flag(t, k::Cal_WinCenter);
    c.trayOneClick = flag(t, k::TrayOneClick);
    c.trayIcon = flag(t, k::AS_TrayIcon);
    c.autoStart = flag(t, k::AS_AutoStart);
    c.scheduledShowing = flag(t, k::AS_OnTime);
    c.scheduledHour = position(readInt(t, k::AS_Hour), 24, 5);
    c.scheduledMinute = position(readInt(t, k::AS_Minute), 60, 0);
    c.scheduledWithoutFocus = flag(t, k::AutoStartWindowMode);

    c.transparency = std::clamp(readInt(t, k::Transparency), kTransparencyMin, kTransparencyMax);
    c.backupFolder = read(t, k::Backup_Folder);
    c.syncUrl = read(t, k::Sync_Url);
    c.syncUser = read(t, k::Sync_User);
    c.syncCalendar = read(t, k::Sync_Calendar);
    c.syncInterval = std::clamp(readInt(t, k::Sync_Interval), 0, kSyncIntervalMax);
    c.page = position(readInt(t, k::SettingsLastPage), static_cast<int>(kSettingsPages.size()), 0);
    return c;
}

void writeSettingsControls(const SettingsControls& c, HashTable& t) {
    namespace k = settings;
    put(t, k::Today_Day, c.showDay);
    put(t, k::Today_Week, c.showWeek);
    put(t, k::Today_Name, c.showName);
    put(t, k::Today_NextName, c.showNextName);
    put(t, k::Today_DayHL, c.highlightDay);
    put(t, k::Today_WeekHL, c.highlightWeek);
    put(t, k::Today_NameHL, c.highlightName);
    put(t, k::Today_NextNameHL, c.highlightNextName);
    put(t, k::Wise, c.showWisdom);
    put(t, k::ForecastMode, c.forecastCountsDown ? 2 : 1);
    put(t, k::Cal_StartPage, c.startPage + 1);
    put(t, k::CeremForecast, c.showForecast ? c.forecastDays : 0);
    put(t, k::SaveInPastPromt, c.askBeforeSavingPast);

    put(t, k::M_Default, c.themeFonts ? 2 : 1);
    put(t, k::M_Shadow, c.textShadow ? c.shadowType + 1 : 0);
    for (int i = 0; i < kFontStyleCount; ++i) {
        writeFontStyle(t, static_cast<FontStyleKind>(i), c.fonts[static_cast<size_t>(i)]);
    }
    put(t, k::M_AlignType, c.layout);
    put(t, k::M_TextAlign1, kTextAlignValues[static_cast<size_t>(position(c.eventAlign, 3, 0))]);
    put(t, k::M_TextAlign2, kTextAlignValues[static_cast<size_t>(position(c.forecastAlign, 3, 0))]);

    put(t, k::BGPic_Replace,
        kBgReplaceValues[static_cast<size_t>(position(c.pictureChange, 9, 8))]);
    put(t, k::OptBG, c.pictureSource);
    write(t, k::BGPic_Source, c.userPictureFolder);
    put(t, k::BGPic_SubFolder, c.userPictureSubfolders);
    put(t, k::BGPic_Name, c.userPictureName);
    put(t, k::BGPic_FitMode, c.userPictureScale);
    write(t, k::Backup_Folder, c.backupFolder);
    write(t, k::Sync_Url, c.syncUrl);
    write(t, k::Sync_User, c.syncUser);
    write(t, k::Sync_Calendar, c.syncCalendar);
    write(t, k::Sync_Interval, std::to_string(std::clamp(c.syncInterval, 0, kSyncIntervalMax)));

    put(t, k::AlarmEnabled, c.alarmEnabled);
    put(t, k::AlarmSoundOn, c.alarmSound);
    put(t, k::AlarmTop, c.alarmOnTop);
    put(t, k::AlarmNotify, c.alarmNotify);
    put(t, k::AlarmSndRepeat, c.alarmSoundRepeat);
    put(t, k::AlarmLength, c.alarmLength);
    put(t, k::AlarmSoundSet, c.alarmSoundSource);
    // An empty list (no sound files installed) leaves the stored choice alone.
    if (!c.alarmSoundFile.empty()) {
        write(t, k::AlarmSoundFile, c.alarmSoundFile + std::string(kSoundExtension));
    }

    put(t, k::Cal_WinCenter, c.centreWindow);
    put(t, k::TrayOneClick, c.trayOneClick);
    put(t, k::AS_TrayIcon, c.trayIcon);
    put(t, k::AS_AutoStart, c.autoStart);
    put(t, k::AS_OnTime, c.scheduledShowing);
    put(t, k::AS_Hour, c.scheduledHour);
    put(t, k::AS_Minute, c.scheduledMinute);
    put(t, k::AutoStartWindowMode, c.scheduledWithoutFocus);

    put(t, k::Transparency, c.transparency);
    put(t, k::SettingsLastPage, c.page);
}

SettingsEnabling applySettingsDependencies(SettingsControls& c) {
    SettingsEnabling e;
    e.highlightDay = c.showDay;
    e.highlightWeek = c.showWeek;
    e.highlightName = c.showName;
    e.highlightNextName = c.showNextName;
    e.forecastDays = c.showForecast;
    e.shadowType = c.textShadow;
    e.userPicture = c.pictureSource == 1;

    const bool trayNeeded = c.scheduledShowing || c.alarmEnabled;
    if (trayNeeded) c.trayIcon = true;
    e.trayIcon = !trayNeeded;
    e.scheduled = c.scheduledShowing;

    e.alarmOptions = c.alarmEnabled;
    e.soundControls = c.alarmEnabled && c.alarmSound;
    e.repeatLength = e.soundControls && c.alarmSoundRepeat;
    return e;
}

}  // namespace tv
