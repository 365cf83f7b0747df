#include "core/events/alarm_notification.h"

#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/occurrence.h"

namespace tv {

Notification alarmNotification(const AlarmEntry& alarm, const StringTable& strings,
                               const std::string& programDir) {
    Notification n;
    n.title = alarm.name;
    n.text = strings.formatString("main_ntf_text", alarmTimeText(alarm.hour, alarm.minute));
    if (!alarm.comment.empty() && alarm.comment != alarm.name) n.text += "\n" + alarm.comment;
    n.actionText = strings.getString("main_ntf_open");
    n.icon = programDir + "icons/tempovirens_256.png";
    // The alarm screen stays until it is dismissed; so does its notification.
    n.urgent = true;
    return n;
}

void notifyAlarm(const AlarmEntry& alarm, HashTable& settings, const StringTable& strings,
                 const std::string& programDir, Notifier* notifier,
                 std::function<void()> openCalendar) {
    if (notifier == nullptr || !readFlag(settings, settings::AlarmNotify)) return;
    notifier->notify(alarmNotification(alarm, strings, programDir), std::move(openCalendar));
}

}  // namespace tv
