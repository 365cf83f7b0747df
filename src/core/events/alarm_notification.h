// An alarm as a desktop notification, beside the alarm screen: seen also where the window
// cannot take the foreground. Its action opens the calendar as the tray icon's click does.
#pragma once

#include <functional>
#include <string>

#include "core/events/forecast.h"
#include "core/ports/notifier.h"

namespace tv {

class HashTable;
class StringTable;

// The notification of an alarm: the event's name as the title; the alarm's time and the event's
// comment as the text; the action that opens the calendar; the program's icon.
Notification alarmNotification(const AlarmEntry& alarm, const StringTable& strings,
                               const std::string& programDir);

// Shows it unless `AlarmNotify` is "0" or there is no notifier.
void notifyAlarm(const AlarmEntry& alarm, HashTable& settings, const StringTable& strings,
                 const std::string& programDir, Notifier* notifier,
                 std::function<void()> openCalendar);

}  // namespace tv
