// Random event records of every shape the editor accepts, for the laws of the iCalendar mapping.
#pragma once

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

// Readable failures: the fields by name.
inline void PrintTo(const EventRecord& e, std::ostream* os) {
    *os << "{cat " << int(e.category) << " rep " << int(e.repeat) << " " << e.year << "-" << e.month
        << "-" << int(e.day) << " +" << e.extraDays << " anni " << int(e.anniversary) << " fc "
        << e.forecastDays << " hue " << e.hue << " alarm " << int(e.alarmOn) << " "
        << int(e.alarmHour) << ":" << int(e.alarmMinute) << " off " << int(e.dayOff) << " act "
        << int(e.active) << " rule '" << e.ruleKey << "' name '" << e.name << "' comment '"
        << e.comment << "' pic '" << e.picture << "'}";
}

}  // namespace tv

namespace tv::test {

class RandomEvents {
public:
    explicit RandomEvents(uint32_t seed) : rng_(seed) {}

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // Hungarian names with the Windows-1250 letters and signs a name can hold, and the characters
    // iCalendar escapes. `index` keeps every name apart from the others.
    std::string name(int index) {
        static const std::vector<std::string> kPieces = {
            "Születésnap",  "Kovács Józsefné", "ŐŰőű",        "„idézet”",  "€ ‰ – —",
            "Tóth & Társa", "a,b;c:d",         "back\\slash", "Šťastný Ž", "‚alsó’ “felső”",
            "…†‡•™",        "ˇ˘˝ äßčřž",       "Anyák napja", "x",
        };
        std::string out = kPieces[static_cast<size_t>(between(0, int(kPieces.size()) - 1))];
        if (chance(50))
            out += " " + kPieces[static_cast<size_t>(between(0, int(kPieces.size()) - 1))];
        return out + " " + std::to_string(index);
    }

    std::string comment() {
        switch (between(0, 4)) {
            case 0:
                return {};
            case 1:
                return "Első sor\nmásodik sor, vesszővel; pontosvesszővel";
            case 2:
                return "Ünnepi ebéd: Ő & Ű „ők” – 50 €";
            case 3:
                return std::string(static_cast<size_t>(between(1, 300)), 'a') + "ő";
            default:
                return "\\n nem sortörés\\, csak szöveg";
        }
    }

    EventRecord user(int index) {
        EventRecord e;
        e.inUse = -1;
        e.category = 0;
        e.repeat = static_cast<uint8_t>(between(0, 3));
        e.name = name(index);
        e.comment = comment();
        e.forecastDays = static_cast<int16_t>(chance(30) ? 7 : between(0, 365));
        e.hue = static_cast<int16_t>(chance(40) ? 0 : between(0, 359));
        if (chance(20))
            e.picture = chance(50) ? "<AppPath>\\pictures\\ujev.jpg" : "/home/én/kép 1.jpg";
        if (chance(40)) {
            e.alarmOn = 1;
            e.alarmHour = static_cast<uint8_t>(between(0, 23));
            e.alarmMinute = static_cast<uint8_t>(between(0, 59));
        }
        fillDate(e);
        return e;
    }

    EventRecord holiday(int index) {
        EventRecord e = user(index);
        e.category = 1;
        e.repeat = static_cast<uint8_t>(between(1, 3));
        e.anniversary = 0;
        e.forecastDays = static_cast<int16_t>(between(0, 1));
        e.dayOff = static_cast<uint8_t>(between(0, 1));
        fillDate(e);
        return e;
    }

    void fillDate(EventRecord& e) {
        e.year = 0;
        e.extraDays = 0;
        e.anniversary = 0;
        switch (e.repeatKind()) {
            case RepeatKind::kOnce: {
                e.year =
                    static_cast<int16_t>(chance(20) ? 4 * between(475, 749) : between(1900, 2999));
                e.month = static_cast<int16_t>(between(1, 12));
                e.day = static_cast<uint8_t>(between(1, daysInMonth(e.year, e.month)));
                if (e.kind() == EventCategory::kUser && chance(30)) {
                    e.extraDays =
                        static_cast<int16_t>(chance(80) ? between(1, 40) : between(1, 9998));
                }
                break;
            }
            case RepeatKind::kYearly:
                e.month = static_cast<int16_t>(between(1, 12));
                e.day = static_cast<uint8_t>(
                    between(1, e.month == 2 ? 28 : daysInMonth(2001, e.month)));
                if (e.kind() == EventCategory::kUser && chance(50)) {
                    e.anniversary = 1;
                    e.year =
                        static_cast<int16_t>(chance(80) ? between(1900, 2100) : between(100, 9999));
                }
                break;
            case RepeatKind::kMonthly:
                e.month = 0;
                e.day = static_cast<uint8_t>(chance(40) ? between(28, 32) : between(1, 32));
                break;
            case RepeatKind::kSelectedMonths:
                e.month = static_cast<int16_t>(between(1, 0xFFF));
                if (chance(20)) e.month = static_cast<int16_t>(1 << between(0, 11));
                e.day = static_cast<uint8_t>(chance(40) ? between(28, 32) : between(1, 32));
                break;
        }
    }

    // A table of user events and fixed holidays the duplicate rules keep apart.
    std::vector<EventRecord> table(int count) {
        std::vector<EventRecord> out;
        for (int i = 0; i < count; ++i)
            out.push_back(chance(10) ? holiday(i) : user(i));
        // One fixed holiday a day.
        std::vector<bool> taken(13 * 32, false);
        std::erase_if(out, [&](const EventRecord& e) {
            if (e.kind() != EventCategory::kHoliday) return false;
            const size_t key = static_cast<size_t>(e.month % 13 * 32 + e.day);
            if (taken[key]) return true;
            taken[key] = true;
            return false;
        });
        return out;
    }

private:
    std::mt19937 rng_;
};

}  // namespace tv::test
