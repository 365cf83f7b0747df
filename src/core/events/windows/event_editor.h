// The event editor's logic: what its fields hold, which controls each repeat kind uses, the
// captions that follow the fields, and the checks of a save in their fixed order. The window
// copies its controls into EditorFields and shows what EditorView and SaveOutcome say.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ports/dialogs.h"
#include "core/ports/message_box.h"

namespace tv {

class HashTable;
class StringTable;

// Which form of the editor: the movable feasts only let a few things change.
enum class EditorForm { kUserEvent, kHoliday, kFeast };

// The text fields `Tf`(0)..(8), in that order, for the focus after a refusal.
enum class EditorField : int {
    kNone = -1,
    kForecast = 0,
    kYear = 1,
    kMonth = 2,
    kDay = 3,
    kName = 4,
    kComment = 5,
    kAlarmHour = 6,
    kAlarmMinute = 7,
    kLength = 8,
};

inline constexpr std::string_view kUnusedField = "*";
inline constexpr int kMinLongDays = 1;
inline constexpr int kMaxLongDays = 9999;

// The controls' contents, as typed.
struct EditorFields {
    std::string forecast;  // days of notice (user events)
    std::string year;      // "*" while the repeat kind does not use it
    std::string month;     // "*" likewise; selected months use monthMask
    std::string day;
    std::string name;
    std::string comment;
    std::string alarmHour;
    std::string alarmMinute;
    std::string length;       // days of a long event, 1..9999
    int repeatIndex = 0;      // `Cism`: the kind for user events, kind - 1 for holidays
    bool special = false;     // `Cspecial`: anniversary / day off / feast switched on
    bool forecastOn = false;  // `ChForecast` (holidays and feasts)
    bool alarmOn = false;     // `ChAlert`
    std::string picture;      // as stored: may begin with "<AppPath>"
    int monthMask = 0;        // selected months, bit 0 = January
    int hue = 0;              // long-event band

    friend bool operator==(const EditorFields&, const EditorFields&) = default;
};

struct EventEditor {
    EditorForm form = EditorForm::kUserEvent;
    int slot = -1;       // -1: a new event
    EventRecord before;  // the record as opened; a new event's is blank
    EditorFields fields;
    EditorFields opened;  // the fields as opened, to tell unsaved changes
    Date preset;          // the date the editor was opened for; zero when none
};

// A new event: 7 days of notice, one day long, no picture, once, dated `preset` (today when
// zero). `form` kHoliday gives a new yearly holiday.
EventEditor newEventEditor(Date today, Date preset = {}, EditorForm form = EditorForm::kUserEvent);
// The editor on the event of a used slot.
EventEditor editEventEditor(const EventTable& table, int slot, Date today);

// How the event list window was opened.
enum class EventListOpenMode : int {
    kList = 0,
    kNewOnDate = 1,          // the day field's "new event"
    kEditSlot = 2,           // an event picked in a day field
    kNewFromNameSearch = 5,  // a yearly event for a name day
};
struct EventListOpen {
    EventListOpenMode mode = EventListOpenMode::kList;
    Date date;
    int slot = -1;
    std::string name;
};
// The name search's "new event for this name day": month and day in the current year, or, for
// 29 February outside a leap year, in the next leap year, so the preset date exists.
EventListOpen nameDayEventOpen(int month, int day, std::string title, Date today);
// The editor the window opens on, or nothing for the plain list (also for a slot that holds no
// event any more).
std::optional<EventEditor> editorForOpen(const EventTable& table, const EventListOpen& open,
                                         Date today);

// The repeat kind the combo box stands for (0 once .. 3 selected months).
int editorRepeatKind(const EventEditor& editor);
// Whether the kind reads the year (a one-time event or an anniversary) and the month field.
bool editorUsesYear(const EventEditor& editor);
bool editorUsesMonth(const EventEditor& editor);
// A numeric field's value: its leading digits, 0 when there are none.
int fieldNumber(std::string_view text);
// Changing the repeat kind or `Cspecial` fills the year and month fields that the kind does not
// use with "*", and gives a field that comes back into use the preset (or current) year or month.
void setRepeatIndex(EventEditor& editor, int index, Date today);
void setSpecial(EventEditor& editor, bool on, Date today);
// `stepLeftButton` / `stepRightButton`: the length within 1..9999.
void stepLength(EventEditor& editor, int delta);

// Numeric fields take only digits and backspace; any other key beeps and is dropped.
bool digitFieldAccepts(EditorField field, char32_t key);

// What the controls show and allow for the current fields.
struct EditorView {
    std::vector<std::string> repeatItems;  // `Cism`
    std::string specialCaption;            // `Cspecial`
    std::string dateLabel;
    std::string nameLabel;
    bool forecastFieldVisible = false;  // user events: `Tf`(0); holidays: `ChForecast`
    bool yearEnabled = false;
    bool monthEnabled = false;
    bool dayEnabled = false;
    bool monthsButtonEnabled = false;  // `ComMonths`
    bool specialEnabled = false;
    bool repeatEnabled = false;
    bool alarmEnabled = false;         // `ChAlert` and the time fields
    bool longControlsVisible = false;  // length, steps, `longEventLabel`, `colourButton`
    bool sinceVisible = false;
    std::string sinceText;  // `sinceLabel`: time since the anniversary's base date
    std::string longText;   // `longEventLabel`
    std::string pictureLabel;
    std::string uniqueInfo;  // the feast form's explanation; empty otherwise
};
struct EditorViewContext {
    Date today;
    const StringTable* strings = nullptr;
    std::string programDir;
    std::function<bool(const std::string&)> fileExists;  // fileExists when empty
};
EditorView describeEditor(const EventEditor& editor, const EditorViewContext& ctx);

// The last day of a long event, "2026. december 6."; empty while the start is not a date.
std::string longEventEndText(const EditorFields& fields, const StringTable& strings);

// What a save asks or tells on its way.
enum class EditorPrompt {
    kDayNotInEveryMonth,  // information: the answer does not matter
    kPictureMissing,      // Yes goes back to editing, No saves without the picture file
    kDateInPast,          // Yes goes back to editing, No saves
    kAlarmsOff,           // Yes switches the alarms on; the event is stored either way
};

struct EditorMessage {
    std::string key;  // string-table key
    std::vector<std::string> params;
    std::string text;  // the filled-in text
    MessageIcon icon = MessageIcon::kWarning;
    MessageButtons buttons = MessageButtons::kOk;
};

using EditorPromptFn = std::function<MessageAnswer(EditorPrompt, const EditorMessage&)>;
// Shows every prompt as a message box under the program's title.
EditorPromptFn promptThroughBox(MessageBox& box);

struct EditorContext {
    Date today;
    const StringTable* strings = nullptr;
    HashTable* settings = nullptr;  // SaveInPastPromt, AlarmEnabled; null reads the defaults
    std::string programDir;         // stands for "<AppPath>"
    std::function<bool(const std::string&)> fileExists;  // fileExists when empty
    EditorPromptFn prompt;                               // null answers No
    // Writes the database after the record is stored; null stores in memory only.
    std::function<bool(const EventTable&)> saveDatabase;
};

enum class SaveStatus {
    kStored,
    kRefused,        // a check failed: `message` and `focus` say which
    kBackToEditing,  // the user chose to correct something after a question
    kTableFull,
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::kRefused;
    EditorMessage message;  // the refusal
    EditorField focus = EditorField::kNone;
    int slot = -1;  // the stored event
    EventRecord record;
    int list = -1;  // the event list to show it in (0 recurring, 1 one-time, 2 holidays)
    bool databaseSaved = false;
    bool alarmsSwitchedOn = false;  // the tray-resident form must start again
};

// `saveButton`: checks the fields in order and stores the event on success. A refusal leaves the
// table and the editor as they were.
SaveOutcome saveEditor(EventTable& table, EventEditor& editor, const EditorContext& ctx);

// `cancelButton`: true when the editor may close, after asking "dates_q_cancel" if anything
// changed.
bool editorHasChanges(const EventEditor& editor);
bool confirmCancel(const EventEditor& editor, MessageBox& box, const StringTable& strings);

// The picture file dialog, starting in `BGPic_LastDir`.
OpenFileRequest pictureDialogRequest(HashTable& settings, const std::string& programDir,
                                     const StringTable& strings);
// Takes the chosen file (stored relative to the program folder when inside it) and remembers its
// folder in `BGPic_LastDir`.
void setChosenPicture(EventEditor& editor, const std::string& path, HashTable& settings,
                      const std::string& programDir);

}  // namespace tv
