#include "core/events/windows/event_editor.h"

#include <algorithm>

#include "core/app/common_dialogs.h"
#include "core/app/version.h"
#include "core/calc/date_words.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

std::string twoDigits(int v) {
    return (v >= 0 && v < 10 ? "0" : "") + std::to_string(v);
}

// A field that comes back into use gets the date the editor was opened for, else today's.
void applyFieldRules(EventEditor& ed, Date today) {
    if (ed.form == EditorForm::kFeast) return;
    const Date ref = ed.preset.isZero() ? today : ed.preset;
    EditorFields& f = ed.fields;
    if (!editorUsesYear(ed)) {
        f.year = kUnusedField;
    } else if (f.year == kUnusedField) {
        f.year = std::to_string(ref.year());
    }
    if (!editorUsesMonth(ed)) {
        f.month = kUnusedField;
    } else if (f.month == kUnusedField) {
        f.month = std::to_string(ref.month());
    }
}

EditorForm formOf(const EventRecord& e) {
    switch (e.kind()) {
        case EventCategory::kUser:
            return EditorForm::kUserEvent;
        case EventCategory::kHoliday:
            return EditorForm::kHoliday;
        case EventCategory::kFeast:
            return EditorForm::kFeast;
    }
    return EditorForm::kUserEvent;
}

const StringTable& stringsOr(const StringTable* s) {
    static const StringTable kNone;
    return s != nullptr ? *s : kNone;
}

}  // namespace

int fieldNumber(std::string_view text) {
    return static_cast<int>(
        std::clamp<int64_t>(leadingInteger(text), -1'000'000'000, 1'000'000'000));
}

int editorRepeatKind(const EventEditor& editor) {
    const int offset = editor.form == EditorForm::kUserEvent ? 0 : 1;
    return std::clamp(editor.fields.repeatIndex + offset, 0, 3);
}

bool editorUsesYear(const EventEditor& editor) {
    if (editor.form != EditorForm::kUserEvent) return false;
    const int kind = editorRepeatKind(editor);
    return kind == 0 || (kind == 1 && editor.fields.special);
}

bool editorUsesMonth(const EventEditor& editor) {
    if (editor.form == EditorForm::kFeast) return false;
    const int kind = editorRepeatKind(editor);
    return kind == 0 || kind == 1;
}

EventEditor newEventEditor(Date today, Date preset, EditorForm form) {
    EventEditor ed;
    ed.form = form == EditorForm::kFeast ? EditorForm::kHoliday : form;
    ed.preset = preset;
    const Date d = preset.isZero() ? today : preset;
    EditorFields& f = ed.fields;
    f.forecast = "7";
    f.length = "1";
    f.year = std::to_string(d.year());
    f.month = std::to_string(d.month());
    f.day = std::to_string(d.day());
    f.forecastOn = ed.form == EditorForm::kHoliday;
    ed.before.category = static_cast<uint8_t>(ed.form == EditorForm::kHoliday ? 1 : 0);
    applyFieldRules(ed, today);
    ed.opened = ed.fields;
    return ed;
}

EventEditor editEventEditor(const EventTable& table, int slot, Date today) {
    EventEditor ed;
    const EventRecord& e = table[slot];
    ed.form = formOf(e);
    ed.slot = slot;
    ed.before = e;
    const bool selected = e.repeatKind() == RepeatKind::kSelectedMonths;
    EditorFields& f = ed.fields;
    f.forecast = std::to_string(e.forecastDays);
    f.year = std::to_string(e.year);
    f.month = selected ? std::string(kUnusedField) : std::to_string(e.month);
    f.monthMask = selected ? e.month : 0;
    f.day = std::to_string(e.day);
    f.name = e.name;
    f.comment = e.comment;
    f.alarmOn = e.alarmOn != 0;
    f.alarmHour = std::to_string(e.alarmHour);
    f.alarmMinute = twoDigits(e.alarmMinute);
    f.length = std::to_string(std::clamp(e.extraDays + 1, kMinLongDays, kMaxLongDays));
    f.repeatIndex = std::clamp(e.repeat - (ed.form == EditorForm::kUserEvent ? 0 : 1), 0, 3);
    switch (ed.form) {
        case EditorForm::kUserEvent:
            f.special = e.anniversary == 1;
            break;
        case EditorForm::kHoliday:
            f.special = e.dayOff == 1;
            break;
        case EditorForm::kFeast:
            f.special = e.active == 1;
            break;
    }
    f.forecastOn = e.forecastDays != 0;
    f.picture = e.picture;
    f.hue = e.hue;
    applyFieldRules(ed, today);
    ed.opened = ed.fields;
    return ed;
}

EventListOpen nameDayEventOpen(int month, int day, std::string title, Date today) {
    EventListOpen open;
    open.mode = EventListOpenMode::kNewFromNameSearch;
    open.name = std::move(title);
    int year = today.year();
    if (month == 2 && day == 29) {
        while (!isLeapYearNumber(year))
            ++year;
    }
    open.date = Date::fromYmd(year, month, day).value_or(today);
    return open;
}

std::optional<EventEditor> editorForOpen(const EventTable& table, const EventListOpen& open,
                                         Date today) {
    switch (open.mode) {
        case EventListOpenMode::kList:
            return std::nullopt;
        case EventListOpenMode::kNewOnDate:
            return newEventEditor(today, open.date);
        case EventListOpenMode::kEditSlot:
            if (open.slot < 0 || open.slot >= table.slotCount() || !table[open.slot].used()) {
                return std::nullopt;
            }
            return editEventEditor(table, open.slot, today);
        case EventListOpenMode::kNewFromNameSearch: {
            EventEditor ed = newEventEditor(today, open.date);
            ed.fields.name = open.name;
            setRepeatIndex(ed, 1, today);
            ed.opened = ed.fields;
            return ed;
        }
    }
    return std::nullopt;
}

void setRepeatIndex(EventEditor& editor, int index, Date today) {
    editor.fields.repeatIndex = std::clamp(index, 0, editor.form == EditorForm::kUserEvent ? 3 : 2);
    applyFieldRules(editor, today);
}

void setSpecial(EventEditor& editor, bool on, Date today) {
    editor.fields.special = on;
    applyFieldRules(editor, today);
}

void stepLength(EventEditor& editor, int delta) {
    const int now = std::clamp(fieldNumber(editor.fields.length), kMinLongDays, kMaxLongDays);
    editor.fields.length = std::to_string(std::clamp(now + delta, kMinLongDays, kMaxLongDays));
}

bool digitFieldAccepts(EditorField field, char32_t key) {
    if (field == EditorField::kName || field == EditorField::kComment) return true;
    constexpr char32_t kBackspace = 8;
    return (key >= U'0' && key <= U'9') || key == kBackspace;
}

std::string longEventEndText(const EditorFields& fields, const StringTable& strings) {
    auto start =
        Date::fromYmd(fieldNumber(fields.year), fieldNumber(fields.month), fieldNumber(fields.day));
    if (!start) return {};
    const int days = std::clamp(fieldNumber(fields.length), kMinLongDays, kMaxLongDays);
    return longDateText(start->addDays(days - 1), strings);
}

EditorView describeEditor(const EventEditor& editor, const EditorViewContext& ctx) {
    const StringTable& s = stringsOr(ctx.strings);
    const EditorFields& f = editor.fields;
    const bool user = editor.form == EditorForm::kUserEvent;
    const bool feast = editor.form == EditorForm::kFeast;
    const int kind = editorRepeatKind(editor);

    EditorView v;
    for (const char* key :
         {"dates_repeat_once", "dates_repeat_year", "dates_repeat_month", "dates_repeat_months"}) {
        v.repeatItems.push_back(s.getString(key));
    }
    if (!user) v.repeatItems.erase(v.repeatItems.begin());  // holidays are never one-time
    v.specialCaption = s.getString(user    ? "dates_birthday"
                                   : feast ? "dates_cerem_active"
                                           : "dates_nowork");
    v.dateLabel = s.getString(user ? "dates_lbl_date_e" : "dates_lbl_date_c");
    v.nameLabel = s.getString(user ? "dates_lbl_name_e" : "dates_lbl_name_c");
    v.forecastFieldVisible = user;
    v.yearEnabled = editorUsesYear(editor);
    v.monthEnabled = editorUsesMonth(editor);
    v.dayEnabled = !feast;
    v.monthsButtonEnabled = !feast && kind == 3;
    v.specialEnabled = !user || kind == 1;
    v.repeatEnabled = !feast;
    v.alarmEnabled = !feast;
    v.longControlsVisible = user && kind == 0;
    v.sinceVisible = user && kind == 1 && f.special;
    if (v.sinceVisible) v.sinceText = timeSpentSince(f.year, f.month, f.day, ctx.today, s);
    if (user && kind == 0) {
        const std::string end = longEventEndText(f, s);
        if (!end.empty()) v.longText = s.formatString("dates_lbl_long3", end);
    } else {
        v.longText = s.getString("dates_lbl_long2");
    }
    bool pictureThere = true;
    if (!f.picture.empty()) {
        const std::string path = expandAppPath(f.picture, ctx.programDir);
        pictureThere = ctx.fileExists ? ctx.fileExists(path) : fileExists(path);
    }
    v.pictureLabel = s.getString(pictureThere ? "dates_lbl_bg" : "dates_lbl_bg_miss");
    if (feast) v.uniqueInfo = s.getString("dates_uniqueinfo");
    return v;
}

bool editorHasChanges(const EventEditor& editor) {
    return !(editor.fields == editor.opened);
}

bool confirmCancel(const EventEditor& editor, MessageBox& box, const StringTable& strings) {
    if (!editorHasChanges(editor)) return true;
    MessageRequest ask;
    ask.text = strings.getString("dates_q_cancel");
    ask.title = std::string(kProgramName);
    ask.buttons = MessageButtons::kYesNo;
    ask.icon = MessageIcon::kQuestion;
    return box.show(ask) == MessageAnswer::kYes;
}

OpenFileRequest pictureDialogRequest(HashTable& settings, const std::string& programDir,
                                     const StringTable& strings) {
    const std::string fallback = programDir + "pictures/";
    std::string folder =
        expandAppPath(settings.itemAlt(settings::BGPic_LastDir, fallback), programDir);
    if (!folderExists(folder)) folder = fallback;
    if (folder.back() != '/') folder += '/';
    // Only the folder: the dialog offers no file name for a new choice.
    return makeOpenFileRequest(FileKind::kPictures, folder, strings.getString("dates_selectbg"),
                               true, strings);
}

void setChosenPicture(EventEditor& editor, const std::string& path, HashTable& settings,
                      const std::string& programDir) {
    editor.fields.picture = compactAppPath(path, programDir);
    const size_t sep = path.find_last_of('/');
    if (sep != std::string::npos)
        settings.setItem(settings::BGPic_LastDir, path.substr(0, sep + 1));
}

}  // namespace tv
