// What each day field of a shown month holds: the event lines (or the day's names), the
// tooltip, the holiday and event marks, the bands of multi-day events, and the day field's
// context menu. The month grid only paints this.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/calendar.h"
#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

class HashTable;
class StringTable;
class TextMeasurer;

inline constexpr int kDayCells = 42;         // 6 weeks x 7 days, Monday first
inline constexpr int kTipWrapWidthPx = 280;  // tooltip lines wrap here
inline constexpr int kDayMenuLimit = 16;     // events a day field's menu can list

// One line of a day field: an event, or the "more" line of a crowded day.
enum class FieldLineKind { kEvent, kMore };
struct FieldLine {
    FieldLineKind kind = FieldLineKind::kEvent;
    int hue = -1;  // a long event's band hue (0..359); -1 for a plain line
    std::string text;
};

struct DayCell {
    bool inMonth = false;
    int day = 0;  // also for the neighbouring months' days in the leading and trailing cells
    std::vector<FieldLine> lines;  // events mode
    std::string names;             // names mode: the day's names as they are
    std::string tipText;
    int eventTotal = 0;
    int eventShown = 0;
    bool userMark = false;  // a user event falls on the day
    int holidayMark = 0;    // 0 none, 1 a holiday or feast, 2 a public day off
};

// One event on one day of the shown month.
struct DayEntry {
    int cell = 0;
    int day = 0;
    std::string text;  // the name, with the years counted for an anniversary
    int slot = -1;
    std::string sortKey;  // alarm time first ("0705...", "9999..." without one), then the name
};

// A multi-day event's bracket across the days it covers in the shown month.
struct LongBand {
    int firstCell = 0;
    int lastCell = 0;
    bool startsHere = false;  // its first day is in the shown month
    bool endsHere = false;    // its last day is in the shown month
    uint32_t colour = 0;      // 0x00BBGGRR
    int length = 0;           // days from the first to the last day
};

// The three display switches of the main menu.
struct MonthSwitches {
    bool showOneTime = true;
    bool showRepeating = true;
    bool repeatingNextOnly = false;
};

// What the skin says about the day fields.
struct MonthTheme {
    int fieldMaxEvents = 2;  // "cal_field_maxevents"
    int longSat = 100;       // "cal_long_sat", percent
    int longVal = 100;       // "cal_long_val", percent
};
// Reads the three values from the theme table; null or absent keys give the defaults.
MonthTheme readMonthTheme(const HashTable* theme);

// The names of one day: the name table's entry 0..364 (days of a common year).
using NameDayText = std::function<std::string(int index)>;

struct MonthContext {
    int year = 0;  // the shown month
    int month = 1;
    Date today;
    MonthSwitches switches;
    MonthTheme theme;
    HashTable* settings = nullptr;  // Cal_Names ("1" = names mode); null: events mode
    const StringTable* strings = nullptr;
    const TextMeasurer* measurer = nullptr;  // wraps tooltip lines; null leaves them whole
    EasterCache* easter = nullptr;           // null: a cache of this run only
    NameDayText names;                       // names mode; null gives empty fields
    // Every field's tooltip is built with the rest. A window that shows one tooltip at a time
    // may switch this off and ask dayTipText for the field under the mouse: with thousands of
    // events, measuring every name of the month costs more than all the rest.
    bool buildTooltips = true;
};

struct MonthEvents {
    int year = 0;
    int month = 1;
    int offset = 1;   // weekday of the 1st, Monday = 1: day d sits in cell d + offset - 2
    int length = 31;  // days of the shown month
    bool namesMode = false;
    std::array<DayCell, kDayCells> cells;
    std::vector<DayEntry> entries;
    std::vector<LongBand> bands;  // longest first

    // The date a cell stands for, the neighbouring months' included.
    Date cellDate(int cell) const { return Date::serial(year, month, cell - offset + 2); }
    int cellOfDay(int day) const { return day + offset - 2; }
};

// Rebuilds everything for the context's month. Movable feasts get that year's date written
// into their records.
void buildMonthEvents(EventTable& table, const MonthContext& ctx, MonthEvents& month);
// Puts one event into the month: its band, its marks and its day entry. buildMonthEvents calls
// it for every slot after it has laid out the cells.
void placeEvent(EventTable& table, int slot, const MonthContext& ctx, EasterCache& easter,
                MonthEvents& month);

// The tooltip of one field, as buildMonthEvents builds it.
std::string dayTipText(const MonthEvents& month, const EventTable& table, int cell,
                       const TextMeasurer* measurer);

// Hue in degrees (0 up to 360; anything else counts as 0), saturation and value 0..1, as
// 0x00BBGGRR.
uint32_t hsvColour(double hue, double saturation, double value);

// The day field's context menu.
struct DayMenuItem {
    int id = 0;  // 11 new event, 100.. edit, 200.. delete; 0 for separators and notes
    std::string text;
    bool separator = false;
    bool enabled = true;
    int slot = -1;  // the event an edit or delete item acts on
};
inline constexpr int kDayMenuNewId = 11;
inline constexpr int kDayMenuEditBase = 100;
inline constexpr int kDayMenuDeleteBase = 200;
std::vector<DayMenuItem> buildDayFieldMenu(const MonthEvents& month, int cell,
                                           const EventTable& table, const StringTable& strings);

enum class DayMenuCommand { kNone, kNewEvent, kEditEvent, kDeleteEvent };
struct DayMenuChoice {
    DayMenuCommand command = DayMenuCommand::kNone;
    int slot = -1;
    Date date;  // the field's date, preset for a new event
};
// What the chosen id means; kNone for an id the menu does not hold.
DayMenuChoice resolveDayFieldMenu(const MonthEvents& month, int cell,
                                  const std::vector<DayMenuItem>& items, int chosenId);

}  // namespace tv
