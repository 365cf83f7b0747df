// One event, and the table of all events with its free slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

enum class EventCategory : uint8_t { kUser = 0, kHoliday = 1, kFeast = 2 };
enum class RepeatKind : uint8_t { kOnce = 0, kYearly = 1, kMonthly = 2, kSelectedMonths = 3 };

struct EventRecord {
    int16_t inUse = 0;  // -1: the slot holds an event; 0: a free slot. Not stored.
    uint8_t category = 0;
    int16_t slot = 0;  // own index in the table. Not stored.
    int16_t year = 0;
    int16_t month = 0;  // 1..12, or the month mask (bit 0 = January) for selected months
    uint8_t day = 0;
    std::string name;
    std::string comment;
    std::string picture;  // may begin with "<AppPath>"
    int16_t forecastDays = 0;
    uint8_t anniversary = 0;
    uint8_t repeat = 0;
    uint8_t dayOff = 0;
    int16_t extraDays = 0;  // length of a long event minus one
    int16_t hue = 0;
    uint8_t alarmOn = 0;
    uint8_t alarmHour = 0;
    uint8_t alarmMinute = 0;
    std::string ruleKey;  // movable feasts: "easter", "advent1", ...
    uint8_t active = 1;

    bool used() const { return inUse != 0; }
    friend bool operator==(const EventRecord&, const EventRecord&) = default;
    EventCategory kind() const { return static_cast<EventCategory>(category); }
    RepeatKind repeatKind() const { return static_cast<RepeatKind>(repeat); }
};

// The events, the picture rotation marks (4 seasons x 100) and the wisdom rotation marks:
// everything "events.cdb" holds.
class EventTable {
public:
    static constexpr int kMaxSlots = 32767;

    EventTable() { clearEventTable(); }

    // One empty slot, no events.
    void clearEventTable();
    // Grows by one slot at the end and counts it; the caller fills the last slot
    // (slotCount() - 1, which is eventCount() - 1 only while no slot is free). False when full.
    bool appendEventSlot();
    // A slot for a new event: the first free one (reset), or a new one at the end. -1 when full.
    // `searchFrom` skips the slots below it that are known to be used (an import filling many).
    int allocateEventSlot(int searchFrom = 0);
    // Appends a built-in holiday or feast (every year, no alarm, active).
    void addBuiltinEvent(uint8_t category, int month, int day, int dayOff, int forecastDays,
                         std::string_view ruleKey, std::string_view name, std::string_view comment,
                         std::string_view picture);
    // Removes a user event or fixed holiday; switches a movable feast off instead.
    void deleteEvent(int slot);

    int eventCount() const { return eventCount_; }
    int slotCount() const { return static_cast<int>(records_.size()); }
    EventRecord& operator[](int slot) { return records_[static_cast<size_t>(slot)]; }
    const EventRecord& operator[](int slot) const { return records_[static_cast<size_t>(slot)]; }
    std::vector<EventRecord>& records() { return records_; }
    const std::vector<EventRecord>& records() const { return records_; }

    // Picture rotation marks: byte index = slot * 4 + season - 1; 0 unused, 255 used.
    std::array<uint8_t, 400>& pictureMarks() { return pictureMarks_; }
    const std::array<uint8_t, 400>& pictureMarks() const { return pictureMarks_; }
    std::vector<uint8_t>& wisdomMarks() { return wisdomMarks_; }
    const std::vector<uint8_t>& wisdomMarks() const { return wisdomMarks_; }

private:
    std::vector<EventRecord> records_;
    int eventCount_ = 0;
    std::array<uint8_t, 400> pictureMarks_{};
    std::vector<uint8_t> wisdomMarks_;
};

}  // namespace tv
