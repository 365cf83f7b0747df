// Every event seen from today: what the main screen announces (today's events and the coming
// ones), what happened while the calendar was not running, and which alarms are still ahead.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/calc/calendar.h"
#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

class HashTable;
class StringTable;

// One line of the today-and-forecast list.
struct ForecastEntry {
    bool isHoliday = false;  // a fixed holiday or a movable feast
    std::string text;
    int daysUntil = 0;  // 0 = today
    std::string sortKey;
    bool hasAlarm = false;
    int slot = -1;
};

// An event that happened while the program was not running.
struct MissedEntry {
    int slot = -1;
    int daysSince = 0;
    std::string sortKey;  // daysSince as six digits, then the name
};

// An alarm from today on.
struct AlarmEntry {
    int slot = -1;
    std::string name;
    std::string comment;
    int year = 0;  // the next occurrence
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    // Already rung, or its time had passed today when the lists were built.
    bool passed = false;

    Date date() const { return Date::serial(year, month, day); }
};

// The three lists, rebuilt from empty by every checkEvents.
struct EventLists {
    std::vector<ForecastEntry> forecast;  // by sortKey, ascending
    std::vector<MissedEntry> missed;      // by sortKey, descending: the longest ago first
    std::vector<AlarmEntry> alarms;       // in slot order
    // Full path of today's event picture (the last event of the day that has one on disk).
    std::string dayPicture;
    // The main window's missed-events button shows while the missed list has entries.
    bool missedButtonVisible = false;
    // The day the lists were built for: the alarms of another day are stale.
    Date builtFor;
};

struct EventCheckContext {
    DateTime now;
    // Days from the last run to today; 1 when the calendar already ran today.
    int daysSinceLastRun = 1;
    HashTable* settings = nullptr;  // CeremForecast, ForecastMode; null reads the defaults
    const StringTable* strings = nullptr;
    EasterCache* easter = nullptr;  // null: a cache of this run only
    std::string programDir;         // stands for "<AppPath>" in picture paths
    // Whether a picture file exists; fileExists when empty.
    std::function<bool(const std::string&)> fileExists;
};

// The settings that shape the texts, read once per run.
struct ForecastOptions {
    int ceremForecast = 7;     // days of notice for holidays that are announced at all
    std::string suffix = "1";  // "1" or "2": which of the two phrasings ForecastMode picks
};
ForecastOptions readForecastOptions(HashTable* settings);

// Puts the event of one slot into the lists. A movable feast first gets this year's (or next
// year's) date written into its record, and a one-time event's year is held within 0..2999.
void classifyEvent(EventTable& table, int slot, const EventCheckContext& ctx,
                   const ForecastOptions& options, EasterCache& easter, EventLists& lists);

// Rebuilds the three lists from the whole table and sorts them.
void checkEvents(EventTable& table, const EventCheckContext& ctx, EventLists& lists);

// "3 days left"-style phrase of the forecast for an event daysUntil >= 1 days ahead.
std::string forecastTimeText(int daysUntil, const std::string& suffix, const StringTable& strings);

}  // namespace tv
