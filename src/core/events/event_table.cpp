#include "core/events/event_record.h"

#include <algorithm>

namespace tv {

void EventTable::clearEventTable() {
    records_.assign(1, EventRecord{});
    eventCount_ = 0;
}

bool EventTable::appendEventSlot() {
    // Free slots count against the limit too: slot numbers are 16-bit.
    if (eventCount_ != 0 && records_.size() >= static_cast<size_t>(kMaxSlots)) return false;
    // The empty table holds one unused slot; the first append takes it over.
    if (eventCount_ == 0) {
        records_.assign(1, EventRecord{});
    } else {
        records_.emplace_back();
    }
    ++eventCount_;
    records_.back().slot = static_cast<int16_t>(records_.size() - 1);
    return true;
}

int EventTable::allocateEventSlot(int searchFrom) {
    if (eventCount_ == 0) {
        records_.assign(1, EventRecord{});
        records_[0].inUse = -1;
        eventCount_ = 1;
        return 0;
    }
    for (size_t i = static_cast<size_t>(std::max(searchFrom, 0)); i < records_.size(); ++i) {
        if (records_[i].inUse == 0) {
            records_[i] = EventRecord{};
            records_[i].inUse = -1;
            records_[i].slot = static_cast<int16_t>(i);
            ++eventCount_;
            return static_cast<int>(i);
        }
    }
    if (records_.size() >= static_cast<size_t>(kMaxSlots)) return -1;
    records_.emplace_back();
    records_.back().inUse = -1;
    records_.back().slot = static_cast<int16_t>(records_.size() - 1);
    ++eventCount_;
    return static_cast<int>(records_.size() - 1);
}

void EventTable::addBuiltinEvent(uint8_t category, int month, int day, int dayOff, int forecastDays,
                                 std::string_view ruleKey, std::string_view name,
                                 std::string_view comment, std::string_view picture) {
    if (!appendEventSlot()) return;
    EventRecord& r = records_.back();
    r.inUse = -1;
    r.category = category;
    r.year = 0;
    r.month = static_cast<int16_t>(month);
    r.day = static_cast<uint8_t>(day);
    r.dayOff = static_cast<uint8_t>(dayOff);
    r.forecastDays = static_cast<int16_t>(forecastDays);
    r.ruleKey = ruleKey;
    r.name = name;
    r.comment = comment;
    r.picture = picture;
    r.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
    r.anniversary = 0;
    r.alarmOn = r.alarmHour = r.alarmMinute = 0;
    r.active = 1;
    r.extraDays = 0;
    r.hue = 0;
}

void EventTable::deleteEvent(int slot) {
    if (slot < 0 || slot >= slotCount() || !records_[static_cast<size_t>(slot)].used()) return;
    EventRecord& r = records_[static_cast<size_t>(slot)];
    if (r.kind() == EventCategory::kFeast) {
        r.active = 0;  // movable feasts are never deleted, only switched off
        return;
    }
    r.inUse = 0;
    --eventCount_;
}

}  // namespace tv
