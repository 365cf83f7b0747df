#include "core/config/legacy_import.h"

#include <algorithm>
#include <cctype>
#include <span>
#include <utility>
#include <vector>

#include "core/app/log.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/binary_io.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/events/event_record.h"

namespace tv {
namespace {

constexpr std::string_view kMagic = "QZI_DB";
constexpr size_t kMaxLegacyBytes = size_t{64} << 20;

enum class Source { kConfig, kDates, kCeremonies, kUnique, kUnknown };

Source sourceOf(std::string_view fileName) {
    if (fileName == "config.qzi") return Source::kConfig;
    if (fileName == "dates.qzi" || fileName == "dates2.qzi") return Source::kDates;
    if (fileName == "ceremonies.qzi") return Source::kCeremonies;
    if (fileName == "unique.qzi") return Source::kUnique;
    return Source::kUnknown;
}

// Old keys not listed here are dropped.
constexpr std::pair<std::string_view, std::string_view> kKeyRenames[] = {
    {"astray", "AS_TrayIcon"},
    {"asreg", "AS_AutoStart"},
    {"asontime", "AS_OnTime"},
    {"ash", "AS_Hour"},
    {"asm", "AS_Minute"},
    {"trayoneclick", "TrayOneClick"},
    {"defaultbg", "DefaultBG"},
    {"optbg", "OptBG"},
    {"lastruntoday", "LastRunToday"},
    {"lastrun", "LastRun"},
    {"smallskin", "SmallSkin"},
    {"skin", "Skin"},
    {"transparency", "Transparency"},
    {"nevnap", "Today_Name"},
    {"nextname", "Today_NextName"},
    {"nevnaphl", "Today_NameHL"},
    {"nextnamehl", "Today_NextNameHL"},
    {"het", "Today_Week"},
    {"nap", "Today_Day"},
    {"naphl", "Today_DayHL"},
    {"hethl", "Today_WeekHL"},
    {"unnepdbef", "CeremForecast"},
    {"befmode2", "ForecastMode"},
    {"bgpicname", "BGPic_Name"},
    {"bgpicdir", "BGPic_SubFolder"},
    {"bgtxtsource", "BGPic_Source"},
    {"piclastdir", "BGPic_LastDir"},
    {"bgpiconeday", "BGPic_OneDay"},
    {"calnames", "Cal_Names"},
    {"win_x", "Cal_LastX"},
    {"win_y", "Cal_LastY"},
    {"lastpage", "Cal_LastPage"},
    {"starter", "Cal_StartPage"},
    {"chwincenter", "Cal_WinCenter"},
    {"pictoday", "PicToday"},
    {"bolcsek", "Wise"},
    {"mdef", "M_Default"},
    {"mshadow", "M_Shadow"},
    {"mbcolor", "MB_Color"},
    {"mscolor", "MS_Color"},
    {"mucolor", "MU_Color"},
    {"mbbgcolor", "MB_BGColor"},
    {"msbgcolor", "MS_BGColor"},
    {"mubgcolor", "MU_BGColor"},
    {"mbfont", "MB_Font"},
    {"msfont", "MS_Font"},
    {"mufont", "MU_Font"},
    {"mbsize", "MB_Size"},
    {"mssize", "MS_Size"},
    {"musize", "MU_Size"},
    {"mbitalic", "MB_Italic"},
    {"msitalic", "MS_Italic"},
    {"muitalic", "MU_Italic"},
    {"mbbold", "MB_Weight"},
    {"msbold", "MS_Weight"},
    {"mubold", "MU_Weight"},
    {"backupdir", "Backup_Folder"},
    {"lastbackup", "Backup_Last"},
};

bool isWeightKey(std::string_view oldKey) {
    return oldKey == "mbbold" || oldKey == "msbold" || oldKey == "mubold";
}

// The old program stored booleans as "True"/"False"; a number counts as true unless it is 0.
bool readsAsTrue(std::string_view text) {
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string_view::npos) return false;
    std::string word(text.substr(b, e - b + 1));
    for (char& c : word) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (word == "true") return true;
    return leadingInteger(word) != 0;
}

int16_t number16(const std::string& text) {
    return static_cast<int16_t>(clampInt(text, -32768, 32767));
}
uint8_t number8(const std::string& text) {
    return static_cast<uint8_t>(clampInt(text, 0, 255));
}

enum class Field {
    kDrop,
    kName,
    kComment,
    kPicture,
    kRuleKey,
    kYear,
    kMonth,
    kDay,
    kForecastDays,
    kAnniversary,
    kRepeat,
    kDayOff,
    kActive
};
// Field order of each record list; fields past the end of a row are read and dropped.
constexpr Field kDatesFields[] = {
    Field::kName, Field::kComment, Field::kMonth, Field::kDay,          Field::kPicture,
    Field::kDrop, Field::kRepeat,  Field::kYear,  Field::kForecastDays, Field::kAnniversary};
constexpr Field kCeremoniesFields[] = {Field::kName,   Field::kComment, Field::kMonth,
                                       Field::kDay,    Field::kPicture, Field::kForecastDays,
                                       Field::kRepeat, Field::kDayOff};
constexpr Field kUniqueFields[] = {Field::kRuleKey, Field::kActive, Field::kName, Field::kComment,
                                   Field::kPicture};

std::span<const Field> fieldsOf(Source source) {
    switch (source) {
        case Source::kDates:
            return kDatesFields;
        case Source::kCeremonies:
            return kCeremoniesFields;
        case Source::kUnique:
            return kUniqueFields;
        default:
            return {};
    }
}

void store(EventRecord& r, Field field, std::string& v) {
    switch (field) {
        case Field::kDrop:
            break;
        case Field::kName:
            r.name = std::move(v);
            break;
        case Field::kComment:
            r.comment = std::move(v);
            break;
        case Field::kPicture:
            r.picture = std::move(v);
            break;
        case Field::kRuleKey:
            r.ruleKey = std::move(v);
            break;
        case Field::kYear:
            r.year = number16(v);
            break;
        case Field::kMonth:
            r.month = number16(v);
            break;
        case Field::kDay:
            r.day = number8(v);
            break;
        case Field::kForecastDays:
            r.forecastDays = number16(v);
            break;
        case Field::kAnniversary:
            r.anniversary = number8(v);
            break;
        case Field::kRepeat:
            r.repeat = number8(v);
            break;
        case Field::kDayOff:
            r.dayOff = number8(v);
            break;
        case Field::kActive:
            r.active = (v == "T" || v == "t") ? 1 : 0;
            break;
    }
}

// The old holiday list had two entries that were wrong or named differently at the time.
void fixUpHoliday(EventRecord& r) {
    if (r.name == "'56-os forradalom" && r.month == 10 && r.day == 23) {
        r.name = "'56-os forradalom évfordulója";
    } else if (r.name == "Halottak napja" && r.month == 10 && r.day == 31) {
        r.month = 11;
        r.day = 2;
    }
}

void readRecords(ByteReader& in, Source source, EventTable& events, LegacyImportReport& report) {
    const uint8_t fields = in.byte();
    const int count = in.int16();
    report.claimed = fields == 0 ? 0 : std::max(count, 0);
    std::vector<std::string> values(fields);
    for (int i = 0; i < report.claimed; ++i) {
        for (std::string& v : values)
            v = in.text16();
        if (in.truncated()) {
            report.note = "the file ends inside record " + std::to_string(i + 1) + " of " +
                          std::to_string(report.claimed);
            return;
        }
        if (!events.appendEventSlot()) {
            report.note = "the event table is full; " + std::to_string(report.claimed - i) +
                          " records were left out";
            return;
        }
        EventRecord& r = events.records().back();
        r.inUse = -1;
        r.active = 1;
        switch (source) {
            case Source::kDates:
                r.category = 0;
                break;
            case Source::kCeremonies:
                r.category = 1;
                break;
            default:
                r.category = 2;
                r.dayOff = 1;
                break;
        }
        const std::span<const Field> order = fieldsOf(source);
        for (size_t f = 0; f < values.size() && f < order.size(); ++f) {
            store(r, order[f], values[f]);
        }
        if (source == Source::kCeremonies) fixUpHoliday(r);
        ++report.whole;
    }
}

void readPairs(ByteReader& in, HashTable& settings, LegacyImportReport& report) {
    const uint8_t flag = in.byte();  // its meaning is lost; the old reader skipped the list at 0
    const int count = in.int16();
    report.claimed = flag == 0 ? 0 : std::max(count, 0);
    for (int i = 0; i < report.claimed; ++i) {
        std::string key = in.text16();
        std::string value = in.text16();
        if (in.truncated()) {
            report.note = "the file ends inside setting " + std::to_string(i + 1) + " of " +
                          std::to_string(report.claimed);
            return;
        }
        ++report.whole;
        std::string_view newKey = legacySettingKey(key);
        if (newKey.empty() || settings.exists(newKey)) continue;  // the current value wins
        if (isWeightKey(key)) value = readsAsTrue(value) ? "700" : "400";
        settings.add(newKey, value);
    }
}

}  // namespace

std::string_view legacySettingKey(std::string_view oldKey) {
    for (const auto& [from, to] : kKeyRenames) {
        if (from == oldKey) return to;
    }
    return {};
}

LegacyImportReport importLegacyBytes(std::string_view fileName, std::string_view bytes,
                                     EventTable* events, HashTable* settings) {
    LegacyImportReport report;
    if (bytes.substr(0, kMagic.size()) != kMagic) return report;
    ByteReader in(bytes);
    in.skip(kMagic.size());
    const uint8_t major = in.byte();  // 0 when cut short: the check after the header catches it
    const uint8_t minor = in.byte();
    if (major >= 2 || minor >= 3) return report;
    in.skip(1);
    in.skip(in.byte());  // two header texts nobody reads
    in.skip(in.byte());
    in.skip(20);
    const uint8_t kind = in.byte();
    if (in.truncated()) return report;

    const Source source = sourceOf(fileName);
    if (kind == static_cast<uint8_t>(LegacyKind::kRecordList) && events != nullptr &&
        (source == Source::kDates || source == Source::kCeremonies || source == Source::kUnique)) {
        report.kind = LegacyKind::kRecordList;
        readRecords(in, source, *events, report);
    } else if (kind == static_cast<uint8_t>(LegacyKind::kKeyValueList) && settings != nullptr &&
               source == Source::kConfig) {
        report.kind = LegacyKind::kKeyValueList;
        readPairs(in, *settings, report);
    } else {
        return report;  // a list of the wrong kind for its name: better not guess
    }
    report.imported = true;
    return report;
}

bool importLegacy(std::string_view fileName, const LegacyImportContext& ctx) {
    const std::string path = ctx.userDataDir + std::string(fileName);
    if (!fileExists(path)) return false;
    std::string bytes;
    if (readWholeFile(path, bytes, kMaxLegacyBytes) != ReadResult::kOk) {
        if (ctx.log) ctx.log->write("Cannot read '" + std::string(fileName) + "'", 0);
        return false;
    }
    LegacyImportReport report = importLegacyBytes(fileName, bytes, ctx.events, ctx.settings);
    if (!report.imported) return false;
    if (ctx.log && !report.note.empty()) {
        ctx.log->write("'" + std::string(fileName) + "': " + report.note, 0);
    }
    if (report.kind == LegacyKind::kKeyValueList) {
        const std::string cfg = ctx.userDataDir + "settings.cfg";
        if (!writeConfig(*ctx.settings, cfg, true) && ctx.log) {
            ctx.log->write("Cannot write '" + cfg + "'", 0);
        }
    }
    if (ctx.log) ctx.log->write("Finished converting '" + std::string(fileName) + "'", 0);
    return true;
}

}  // namespace tv
