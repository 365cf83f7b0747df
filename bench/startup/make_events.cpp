// The event database of the start-up figures: the built-in holidays and N user events of every
// kind (one-off, yearly, birthdays, monthly, chosen months, several days long), written as the
// calendar writes it. Usage: tv_make_events N FOLDER   (writes FOLDER/events.cdb)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/events/event_database.h"
#include "platform/fake/fake_clock.h"

namespace {

using namespace tv;

void fill(EventRecord& e, int i) {
    e.category = static_cast<uint8_t>(EventCategory::kUser);
    e.year = static_cast<int16_t>(2020 + i % 7);
    e.month = static_cast<int16_t>(1 + i % 12);
    e.day = static_cast<uint8_t>(1 + (i * 7) % 28);
    e.name = "Esemény " + std::to_string(i) + (i % 3 == 0 ? " születésnapja" : "");
    e.comment = i % 2 == 0 ? "Megjegyzés a(z) " + std::to_string(i) + ". eseményhez" : "";
    e.forecastDays = static_cast<int16_t>(i % 15);
    e.hue = static_cast<int16_t>((i * 30) % 360);
    switch (i % 6) {
        case 0:  // a birthday
            e.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
            e.anniversary = 1;
            break;
        case 1:
            e.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
            break;
        case 2:
            e.repeat = static_cast<uint8_t>(RepeatKind::kMonthly);
            break;
        case 3:  // January, April, July and October
            e.repeat = static_cast<uint8_t>(RepeatKind::kSelectedMonths);
            e.month = 0x249;
            break;
        case 4:
            e.extraDays = static_cast<int16_t>(1 + i % 5);
            break;
        default:
            break;
    }
    if (i % 10 == 0) {
        e.alarmOn = 1;
        e.alarmHour = static_cast<uint8_t>(6 + i % 12);
        e.alarmMinute = static_cast<uint8_t>(i % 60);
    }
    e.active = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tv_make_events N FOLDER\n");
        return 2;
    }
    const int count = std::atoi(argv[1]);
    FakeClock clock = FakeClock::at(2025, 12, 6);
    EventDbContext ctx;
    ctx.userDataDir = std::string(argv[2]) + "/";
    ctx.clock = &clock;
    EventTable table;
    if (!loadEventDatabase(table, ctx)) return 1;  // the built-in holidays
    for (int i = 0; i < count; ++i) {
        const int slot = table.allocateEventSlot();
        if (slot < 0) return 1;
        fill(table[slot], i);
    }
    return saveEventDatabase(table, ctx) ? 0 : 1;
}
