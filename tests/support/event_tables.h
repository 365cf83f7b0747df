// Event tables the tests and the benchmarks share: a small one with every kind of field, and a
// full one as a user of many years would have.
#pragma once

#include <random>
#include <string>

#include "core/events/event_record.h"
#include "core/events/holidays.h"

namespace tv::test {

// `n` events of all three categories and every repeat kind, texts of mixed lengths, both marks;
// tables of different seeds differ in every record.
inline EventTable mixedEventTable(int n, int seed = 0) {
    EventTable t;
    for (int i = 0; i < n; ++i) {
        t.appendEventSlot();
        EventRecord& r = t.records().back();
        r.inUse = -1;
        r.name = "Esemény " + std::to_string(i + seed);
        r.comment = std::string(static_cast<size_t>(i * 7 % 300), 'c');
        r.picture = i % 5 == 0 ? "<AppPath>\\pictures\\ő.jpg" : "";
        r.category = static_cast<uint8_t>(i % 3);
        r.ruleKey = r.category == 2 ? "advent" + std::to_string(i % 4 + 1) : "";
        r.repeat = static_cast<uint8_t>(i % 4);
        r.year = static_cast<int16_t>(1990 + i);
        r.month = static_cast<int16_t>(1 + i % 12);
        r.day = static_cast<uint8_t>(1 + i % 28);
        r.forecastDays = static_cast<int16_t>(i - 1);
        r.extraDays = static_cast<int16_t>(i % 9);
        r.hue = static_cast<int16_t>(i * 37 % 360);
        r.alarmOn = static_cast<uint8_t>(i % 2);
        r.alarmMinute = static_cast<uint8_t>(i % 60);
        r.active = static_cast<uint8_t>(i % 7 != 0);
    }
    t.pictureMarks()[399] = static_cast<uint8_t>(seed + 1);
    t.wisdomMarks().assign(17, 255);
    return t;
}

// The largest table there can be (32,767 events): the built-in holidays and movable feasts,
// then personal events of every repeat kind with names, comments, pictures and alarms.
inline EventTable fullEventTable() {
    static const char* kNames[] = {
        "Anya születésnapja",   "Fogorvos", "Házassági évforduló", "Számlák befizetése",
        "Nyaralás a Balatonon", "Edzés",    "Névnapi köszöntő",    "Kölcsönzött könyv vissza"};
    static const char* kComments[] = {
        "Ne felejtsd el!",
        "Időpont a rendelőben, a leleteket és a TAJ-kártyát vinni kell, előtte nem enni.",
        // One long comment written on two lines.
        ("Ajándék: könyv vagy színházjegy; a virágot a sarki boltban kell megrendelni legalább "
         "két nappal előtte, mert szombaton zárva vannak.")};
    EventTable t;
    createBuiltinHolidays(t, 0);
    createBuiltinHolidays(t, 1);
    std::mt19937 rng(32767);
    while (t.eventCount() < EventTable::kMaxSlots) {
        t.appendEventSlot();  // never a free slot to look for: the table only grows
        EventRecord& r = t.records().back();
        r.inUse = -1;
        r.repeat = static_cast<uint8_t>(rng() % 4);
        r.name = std::string(kNames[rng() % 8]) + " " + std::to_string(t.eventCount());
        r.comment = rng() % 3 == 0 ? std::string(kComments[rng() % 3]) : "";
        r.picture = rng() % 10 == 0 ? "<AppPath>\\pictures\\sajat_kep.jpg" : "";
        r.year = static_cast<int16_t>(1950 + rng() % 80);
        r.month = static_cast<int16_t>(r.repeat == 3 ? 1 + rng() % 4095 : 1 + rng() % 12);
        r.day = static_cast<uint8_t>(1 + rng() % 31);
        r.anniversary = static_cast<uint8_t>(r.repeat == 1 && rng() % 2);
        r.forecastDays = static_cast<int16_t>(rng() % 30);
        r.extraDays = static_cast<int16_t>(r.repeat == 0 && rng() % 5 == 0 ? rng() % 14 : 0);
        r.hue = static_cast<int16_t>(rng() % 360);
        r.alarmOn = static_cast<uint8_t>(rng() % 4 == 0);
        r.alarmHour = static_cast<uint8_t>(rng() % 24);
        r.alarmMinute = static_cast<uint8_t>(rng() % 60);
    }
    t.wisdomMarks().assign(2000, 0);
    return t;
}

}  // namespace tv::test
