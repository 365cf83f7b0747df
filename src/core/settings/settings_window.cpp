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
    return (p.indented ? " - " : "") + strings.fGetString(p.textKey);
}

int indexOfValue(const int* values, size_t count, int value, int fallback) {
    const int* end = values + count;
    const int* it = std::find(values, end, value);
    return it == end ? fallback : static_cast<int>(it - values);
}

SettingsControls readSettingsControls(HashTable& t, const HashTable& theme) {
    namespace k = settings;
    SettingsControls c;
    c.Cnap = flag(t, k::Today_Day);
    c.Chet = flag(t, k::Today_Week);
    c.Cnevnap = flag(t, k::Today_Name);
    c.CnextName = flag(t, k::Today_NextName);
    c.CnapHL = flag(t, k::Today_DayHL);
    c.ChetHL = flag(t, k::Today_WeekHL);
    c.CnevnapHL = flag(t, k::Today_NameHL);
    c.CnextNameHL = flag(t, k::Today_NextNameHL);
    c.Cbolcs = flag(t, k::Wise);
    c.befMode2b = readInt(t, k::ForecastMode) == 2;
    c.startpage = position(readInt(t, k::Cal_StartPage) - 1, 3, 0);

    // 0 days means no announcement: the box is off and the list keeps its default.
    const int forecast = readInt(t, k::CeremForecast);
    c.Cubef = forecast != 0;
    c.CmbUbef = position(forecast, kForecastDaysMax + 1, 7);
    if (!c.Cubef) c.CmbUbef = 7;
    c.ChSavePast = flag(t, k::SaveInPastPromt);

    c.Mtype2 = readInt(t, k::M_Default) == 2;
    const int shadow = readInt(t, k::M_Shadow);
    c.ChShadow = shadow != 0;
    c.cmbShadowType = c.ChShadow ? position(shadow - 1, kShadowTypes, 1) : 1;
    for (int i = 0; i < kFontStyleCount; ++i) {
        c.fonts[static_cast<size_t>(i)] = readFontStyle(t, theme, static_cast<FontStyleKind>(i));
    }
    c.picAlign = readInt(t, k::M_AlignType) == 2 ? 2 : 1;
    c.cmbEventAlign = indexOfValue(kTextAlignValues, readInt(t, k::M_TextAlign1), 0);
    c.cmbForecastAlign = indexOfValue(kTextAlignValues, readInt(t, k::M_TextAlign2), 0);

    c.cmbBgReplace = indexOfValue(kBgReplaceValues, readInt(t, k::BGPic_Replace),
                                  static_cast<int>(kBgReplaceValues.size()) - 1);
    c.optBG = readInt(t, k::OptBG) == 1 ? 1 : 0;
    c.TUserPicSource = read(t, k::BGPic_Source);
    c.ChUserPicDir = flag(t, k::BGPic_SubFolder);
    c.ChUserPicName = flag(t, k::BGPic_Name);
    c.ChUserPicScale = flag(t, k::BGPic_FitMode);

    c.chAlertEnabled = flag(t, k::AlarmEnabled);
    c.chAlertSound = flag(t, k::AlarmSoundOn);
    c.chAlarmFront = flag(t, k::AlarmTop);
    c.chSoundRepeat = flag(t, k::AlarmSndRepeat);
    c.cmbRepeatLen = position(readInt(t, k::AlarmLength), kRepeatLengths, 0);
    c.optSoundSource = readInt(t, k::AlarmSoundSet) == 1 ? 1 : 0;
    c.lstAlarmFiles = withoutWav(read(t, k::AlarmSoundFile));

    c.ChAlwaysCenter = flag(t, k::Cal_WinCenter);
    c.ChTrayOneClick = flag(t, k::TrayOneClick);
    c.ChShowSystemTray = flag(t, k::AS_TrayIcon);
    c.autoStart = flag(t, k::AS_AutoStart);
    c.CautoStartFix = flag(t, k::AS_OnTime);
    c.ChAutoH = position(readInt(t, k::AS_Hour), 24, 5);
    c.ChAutoM = position(readInt(t, k::AS_Minute), 60, 0);
    c.chAutoStartMode = flag(t, k::AutoStartWindowMode);

    c.ScrlTransp = std::clamp(readInt(t, k::Transparency), kTransparencyMin, kTransparencyMax);
    c.TbackupOutDir = read(t, k::Backup_Folder);
    c.SetsList =
        position(readInt(t, k::SettingsLastPage), static_cast<int>(kSettingsPages.size()), 0);
    return c;
}

void writeSettingsControls(const SettingsControls& c, HashTable& t) {
    namespace k = settings;
    put(t, k::Today_Day, c.Cnap);
    put(t, k::Today_Week, c.Chet);
    put(t, k::Today_Name, c.Cnevnap);
    put(t, k::Today_NextName, c.CnextName);
    put(t, k::Today_DayHL, c.CnapHL);
    put(t, k::Today_WeekHL, c.ChetHL);
    put(t, k::Today_NameHL, c.CnevnapHL);
    put(t, k::Today_NextNameHL, c.CnextNameHL);
    put(t, k::Wise, c.Cbolcs);
    put(t, k::ForecastMode, c.befMode2b ? 2 : 1);
    put(t, k::Cal_StartPage, c.startpage + 1);
    put(t, k::CeremForecast, c.Cubef ? c.CmbUbef : 0);
    put(t, k::SaveInPastPromt, c.ChSavePast);

    put(t, k::M_Default, c.Mtype2 ? 2 : 1);
    put(t, k::M_Shadow, c.ChShadow ? c.cmbShadowType + 1 : 0);
    for (int i = 0; i < kFontStyleCount; ++i) {
        writeFontStyle(t, static_cast<FontStyleKind>(i), c.fonts[static_cast<size_t>(i)]);
    }
    put(t, k::M_AlignType, c.picAlign);
    put(t, k::M_TextAlign1, kTextAlignValues[static_cast<size_t>(position(c.cmbEventAlign, 3, 0))]);
    put(t, k::M_TextAlign2,
        kTextAlignValues[static_cast<size_t>(position(c.cmbForecastAlign, 3, 0))]);

    put(t, k::BGPic_Replace, kBgReplaceValues[static_cast<size_t>(position(c.cmbBgReplace, 9, 8))]);
    put(t, k::OptBG, c.optBG);
    write(t, k::BGPic_Source, c.TUserPicSource);
    put(t, k::BGPic_SubFolder, c.ChUserPicDir);
    put(t, k::BGPic_Name, c.ChUserPicName);
    put(t, k::BGPic_FitMode, c.ChUserPicScale);
    write(t, k::Backup_Folder, c.TbackupOutDir);

    put(t, k::AlarmEnabled, c.chAlertEnabled);
    put(t, k::AlarmSoundOn, c.chAlertSound);
    put(t, k::AlarmTop, c.chAlarmFront);
    put(t, k::AlarmSndRepeat, c.chSoundRepeat);
    put(t, k::AlarmLength, c.cmbRepeatLen);
    put(t, k::AlarmSoundSet, c.optSoundSource);
    // An empty list (no sound files installed) leaves the stored choice alone.
    if (!c.lstAlarmFiles.empty()) {
        write(t, k::AlarmSoundFile, c.lstAlarmFiles + std::string(kSoundExtension));
    }

    put(t, k::Cal_WinCenter, c.ChAlwaysCenter);
    put(t, k::TrayOneClick, c.ChTrayOneClick);
    put(t, k::AS_TrayIcon, c.ChShowSystemTray);
    put(t, k::AS_AutoStart, c.autoStart);
    put(t, k::AS_OnTime, c.CautoStartFix);
    put(t, k::AS_Hour, c.ChAutoH);
    put(t, k::AS_Minute, c.ChAutoM);
    put(t, k::AutoStartWindowMode, c.chAutoStartMode);

    put(t, k::Transparency, c.ScrlTransp);
    put(t, k::SettingsLastPage, c.SetsList);
}

SettingsEnabling applySettingsDependencies(SettingsControls& c) {
    SettingsEnabling e;
    e.CnapHL = c.Cnap;
    e.ChetHL = c.Chet;
    e.CnevnapHL = c.Cnevnap;
    e.CnextNameHL = c.CnextName;
    e.CmbUbef = c.Cubef;
    e.cmbShadowType = c.ChShadow;
    e.userPicture = c.optBG == 1;

    const bool trayNeeded = c.CautoStartFix || c.chAlertEnabled;
    if (trayNeeded) c.ChShowSystemTray = true;
    e.ChShowSystemTray = !trayNeeded;
    e.scheduled = c.CautoStartFix;

    e.alarmOptions = c.chAlertEnabled;
    e.soundControls = c.chAlertEnabled && c.chAlertSound;
    e.repeatLength = e.soundControls && c.chSoundRepeat;
    return e;
}

}  // namespace tv
