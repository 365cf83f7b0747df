// saveEditor: the checks of a save, in the order the user meets them, and the store.
#include <algorithm>

#include "core/app/version.h"
#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/occurrence.h"
#include "core/events/windows/event_checks.h"
#include "core/events/windows/event_editor.h"

namespace tv {
namespace {

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

class SaveRun {
public:
    SaveRun(EventTable& table, EventEditor& editor, const EditorContext& ctx)
        : table_(table), ed_(editor), ctx_(ctx), s_(stringsOr(ctx.strings)) {}

    SaveOutcome run() { return ed_.form == EditorForm::kFeast ? saveFeast() : saveEvent(); }

private:
    static const StringTable& stringsOr(const StringTable* s) {
        static const StringTable kNone;
        return s != nullptr ? *s : kNone;
    }

    EditorMessage message(std::string key, std::vector<std::string> params, MessageIcon icon,
                          MessageButtons buttons) const {
        EditorMessage m;
        m.text = params.empty()
                     ? s_.getString(key)
                     : s_.formatString(key, params[0], params.size() > 1 ? params[1] : "");
        m.key = std::move(key);
        m.params = std::move(params);
        m.icon = icon;
        m.buttons = buttons;
        return m;
    }

    SaveOutcome refuse(std::string key, EditorField focus, std::vector<std::string> params = {}) {
        SaveOutcome o;
        o.status = SaveStatus::kRefused;
        o.message =
            message(std::move(key), std::move(params), MessageIcon::kWarning, MessageButtons::kOk);
        o.focus = focus;
        return o;
    }

    MessageAnswer ask(EditorPrompt prompt, std::string key, MessageIcon icon,
                      MessageButtons buttons = MessageButtons::kYesNo) {
        const EditorMessage m = message(std::move(key), {}, icon, buttons);
        return ctx_.prompt ? ctx_.prompt(prompt, m) : MessageAnswer::kNo;
    }

    static SaveOutcome backToEditing() {
        SaveOutcome o;
        o.status = SaveStatus::kBackToEditing;
        return o;
    }

    // A picture that is gone is worth a question: the user may have moved it.
    bool pictureGoneAndUserFixes() {
        const std::string& picture = ed_.fields.picture;
        if (picture.empty()) return false;
        const std::string path = expandAppPath(picture, ctx_.programDir);
        if (ctx_.fileExists ? ctx_.fileExists(path) : fileExists(path)) return false;
        return ask(EditorPrompt::kPictureMissing, "dates_err_bgmissing", MessageIcon::kQuestion) ==
               MessageAnswer::kYes;
    }

    std::string setting(const SettingKey& key) const {
        return ctx_.settings != nullptr ? read(*ctx_.settings, key) : std::string(key.def);
    }

    SaveOutcome saveFeast() {
        const EditorFields& f = ed_.fields;
        if (trimmed(f.name).empty()) return refuse("dates_err_empty2", EditorField::kName);
        if (pictureGoneAndUserFixes()) return backToEditing();
        EventRecord r = ed_.before;
        r.name = trimmed(f.name);
        r.comment = f.comment;
        r.picture = f.picture;
        r.forecastDays = f.forecastOn ? 1 : 0;
        r.active = r.dayOff = f.special ? 1 : 0;
        return store(r, 2);
    }

    SaveOutcome saveEvent() {
        const EditorFields& f = ed_.fields;
        const bool user = ed_.form == EditorForm::kUserEvent;
        const int kind = editorRepeatKind(ed_);

        // Read the fields.
        const int year = editorUsesYear(ed_) ? fieldNumber(f.year) : 0;
        const int month = kind == 3 ? f.monthMask : fieldNumber(f.month);
        const int day = fieldNumber(f.day);
        const int forecast = user ? fieldNumber(f.forecast) : (f.forecastOn ? 1 : 0);
        const bool anniversary = user && kind == 1 && f.special;
        const int length = std::clamp(fieldNumber(f.length), kMinLongDays, kMaxLongDays);
        const int hour = fieldNumber(f.alarmHour);
        const int minute = fieldNumber(f.alarmMinute);

        if (trimmed(f.name).empty()) return refuse("dates_err_empty", EditorField::kName);
        if (f.year.empty()) return refuse("dates_err_empty", EditorField::kYear);
        if (f.month.empty()) return refuse("dates_err_empty", EditorField::kMonth);
        if (f.day.empty()) return refuse("dates_err_empty", EditorField::kDay);
        if (user && f.forecast.empty()) return refuse("dates_err_empty", EditorField::kForecast);

        bool inPast = false;
        if (kind == 0) {
            auto date = Date::fromYmd(year, month, day);
            inPast = date && *date < ctx_.today;
        }

        EventValues values;
        values.user = user;
        values.kind = kind;
        values.year = year;
        values.month = month;
        values.day = day;
        values.forecast = forecast;
        values.anniversary = anniversary;
        values.alarmOn = f.alarmOn;
        values.alarmHour = hour;
        values.alarmMinute = minute;
        if (auto p = checkEventDate(values)) return refuse(p->key, p->focus, p->params);
        if (dayMissingInSomeMonths(values)) {
            ask(EditorPrompt::kDayNotInEveryMonth, "dates_err_noday2", MessageIcon::kInformation,
                MessageButtons::kOk);
        }
        if (auto p = checkEventNotice(values)) return refuse(p->key, p->focus, p->params);

        EventRecord r = ed_.before;
        if (f.alarmOn) {
            r.alarmHour = static_cast<uint8_t>(hour);
            r.alarmMinute = static_cast<uint8_t>(minute);
        } else if (r.alarmHour >= 24 || r.alarmMinute > 59) {
            r.alarmHour = 0;
            r.alarmMinute = 0;
        }
        r.alarmOn = f.alarmOn ? 1 : 0;

        if (pictureGoneAndUserFixes()) return backToEditing();

        r.category = static_cast<uint8_t>(user ? EventCategory::kUser : EventCategory::kHoliday);
        r.repeat = static_cast<uint8_t>(kind);
        r.year = static_cast<int16_t>(year);
        r.month = static_cast<int16_t>(month);
        r.day = static_cast<uint8_t>(day);
        r.name = trimmed(f.name);
        r.comment = f.comment;
        r.picture = f.picture;
        r.forecastDays = static_cast<int16_t>(forecast);
        r.anniversary = anniversary ? 1 : 0;
        r.dayOff = !user && f.special ? 1 : 0;
        r.extraDays = static_cast<int16_t>(user && kind == 0 ? length - 1 : 0);
        r.active = 1;
        r.hue = static_cast<int16_t>(f.hue);

        if (user && hasTwin(r)) return refuse("dates_err_exists", EditorField::kName);
        if (!user && holidayOnSameDay(r)) return refuse("dates_err_sameday", EditorField::kDay);

        if (inPast && setting(settings::SaveInPastPromt) == "1" &&
            ask(EditorPrompt::kDateInPast, "dates_err_passed", MessageIcon::kQuestion) ==
                MessageAnswer::kYes) {
            return backToEditing();
        }

        SaveOutcome o = store(r, user ? (kind == 0 ? 1 : 0) : 2);
        if (o.status != SaveStatus::kStored) return o;
        if (r.alarmOn != 0 && setting(settings::AlarmEnabled) != "1" &&
            ask(EditorPrompt::kAlarmsOff, "dates_alert_off", MessageIcon::kWarning) ==
                MessageAnswer::kYes) {
            if (ctx_.settings != nullptr) {
                write(*ctx_.settings, settings::AlarmEnabled, "1");
                write(*ctx_.settings, settings::AS_TrayIcon, "1");
            }
            o.alarmsSwitchedOn = true;
        }
        return o;
    }

    bool isOther(int slot) const { return slot != ed_.slot && table_[slot].used(); }

    // The same user event twice: same name (trimmed, any case), same kind and the same date.
    bool hasTwin(const EventRecord& r) const {
        for (int slot = 0; slot < table_.slotCount(); ++slot) {
            if (!isOther(slot)) continue;
            const EventRecord& o = table_[slot];
            if (o.kind() == EventCategory::kUser && sameUserEvent(o, r)) return true;
        }
        return false;
    }

    bool holidayOnSameDay(const EventRecord& r) const {
        for (int slot = 0; slot < table_.slotCount(); ++slot) {
            if (!isOther(slot)) continue;
            const EventRecord& o = table_[slot];
            if (o.kind() == EventCategory::kHoliday && sameHolidayDay(o, r)) {
                return true;
            }
        }
        return false;
    }

    SaveOutcome store(EventRecord r, int list) {
        SaveOutcome o;
        int slot = ed_.slot;
        if (slot < 0 || slot >= table_.slotCount() || !table_[slot].used()) {
            slot = table_.allocateEventSlot();
            if (slot < 0) {
                o.status = SaveStatus::kTableFull;
                return o;
            }
        }
        r.inUse = -1;
        r.slot = static_cast<int16_t>(slot);
        table_[slot] = r;
        o.status = SaveStatus::kStored;
        o.slot = slot;
        o.record = r;
        o.list = list;
        o.databaseSaved = ctx_.saveDatabase ? ctx_.saveDatabase(table_) : false;
        ed_.slot = slot;
        ed_.before = r;
        ed_.opened = ed_.fields;
        return o;
    }

    EventTable& table_;
    EventEditor& ed_;
    const EditorContext& ctx_;
    const StringTable& s_;
};

}  // namespace

SaveOutcome saveEditor(EventTable& table, EventEditor& editor, const EditorContext& ctx) {
    return SaveRun(table, editor, ctx).run();
}

EditorPromptFn promptThroughBox(MessageBox& box) {
    return [&box](EditorPrompt, const EditorMessage& m) {
        MessageRequest r;
        r.text = m.text;
        r.title = std::string(kProgramName);
        r.buttons = m.buttons;
        r.icon = m.icon;
        return box.show(r);
    };
}

}  // namespace tv
