// The UID an event goes by in iCalendar. The record has no id of its own, so the UID is derived
// from what makes an event the same event for the editor's duplicate rule: the same event
// exports with the same UID every time, and a file exported here is recognised on import. The
// CalDAV sync keeps its own binding of UIDs to events; this is the one function it replaces.
#pragma once

#include <string>
#include <string_view>

#include "core/events/event_record.h"

namespace tv::ical {

inline constexpr std::string_view kUidDomain = "@tempovirens";

// "tv-" + 32 hex digits + "@tempovirens": user events by their name and date, fixed holidays by
// their day and name, movable feasts by their rule.
std::string eventUid(const EventRecord& e);
// One year's date of a movable feast, which a file holds as a single event.
std::string feastUid(std::string_view ruleKey, int year);

}  // namespace tv::ical
