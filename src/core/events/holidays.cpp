#include "core/events/holidays.h"

#include <array>

namespace tv {
namespace {

constexpr uint8_t kFixed = 1;
constexpr uint8_t kMovable = 2;

// Texts are stored in the records themselves (not in the string table), so a user who renames a
// holiday keeps the new name.
constexpr std::array<BuiltinHoliday, kFixedHolidayCount + kMovableFeastCount> kHolidays{{
    {kFixed, 1, 1, 1, 1, "", "Boldog Új Évet!", "", "<AppPath>\\pictures\\ujev.jpg"},
    {kFixed, 2, 14, 0, 1, "", "Valentin nap", "Szent Bálint, a szerelmesek védőszentjének ünnepe.",
     "<AppPath>\\pictures\\valentin.jpg"},
    {kFixed, 3, 8, 0, 1, "", "Nőnap", "", "<AppPath>\\pictures\\nonap.jpg"},
    {kFixed, 3, 15, 1, 1, "", "Nemzeti ünnep",
     "1848 Március 15.-i forradalom és szabadságharc ünnepe", "<AppPath>\\pictures\\marc15.jpg"},
    {kFixed, 5, 1, 1, 1, "", "Munka ünnepe", "", ""},
    {kFixed, 8, 20, 1, 1, "", "Államalapítás ünnepe",
     "Szent István király és az államalapítás ünnepe", "<AppPath>\\pictures\\aug20.jpg"},
    {kFixed, 10, 23, 1, 1, "", "'56-os forradalom évfordulója",
     "1956-os forradalom és szabadságharc", "<AppPath>\\pictures\\1956.jpg"},
    {kFixed, 11, 1, 1, 1, "", "Mindenszentek", "Mindenszentek ünnepe",
     "<AppPath>\\pictures\\mindenszentek.jpg"},
    {kFixed, 11, 2, 0, 1, "", "Halottak napja", "", "<AppPath>\\pictures\\halottaknapja.jpg"},
    {kFixed, 12, 6, 0, 1, "", "Mikulás", "Szent Miklós ünnepe", "<AppPath>\\pictures\\miki.jpg"},
    {kFixed, 12, 24, 0, 1, "", "Karácsony, szenteste", "", "<AppPath>\\pictures\\dec24.jpg"},
    {kFixed, 12, 25, 1, 0, "", "Karácsony, Jézus születése", "", "<AppPath>\\pictures\\dec25.jpg"},
    {kFixed, 12, 26, 1, 0, "", "Karácsony másnapja", "", "<AppPath>\\pictures\\dec26.jpg"},
    {kFixed, 12, 31, 0, 0, "", "Az év utolsó napja", "Az óév utolsó napja", ""},

    {kMovable, 4, 4, 1, 1, "easter", "Húsvét", "", "<AppPath>\\pictures\\husvet.jpg"},
    {kMovable, 4, 5, 1, 0, "eastermonday", "Húsvét hétfő", "", ""},
    {kMovable, 5, 23, 1, 1, "whitsun", "Pünkösd", "", ""},
    {kMovable, 5, 24, 1, 0, "whitsunmonday", "Pünkösd hétfő", "", ""},
    {kMovable, 5, 2, 1, 1, "motherday", "Anyák napja", "", ""},
    {kMovable, 5, 30, 1, 1, "kidsday", "Gyereknap", "", ""},
    {kMovable, 11, 28, 1, 1, "advent1", "Advent első vasárnapja", "",
     "<AppPath>\\pictures\\advent1.jpg"},
    {kMovable, 12, 6, 1, 0, "advent2", "Advent második vasárnapja", "",
     "<AppPath>\\pictures\\advent2.jpg"},
    {kMovable, 12, 13, 1, 0, "advent3", "Advent harmadik vasárnapja", "",
     "<AppPath>\\pictures\\advent3.jpg"},
    {kMovable, 12, 20, 1, 0, "advent4", "Advent utolsó vasárnapja", "",
     "<AppPath>\\pictures\\advent4.jpg"},

    // Good Friday has been a public day off since 2017. It comes after the ten feasts so that
    // a fresh table keeps the old order and simply grows to 25 events; tables made before it
    // get the same row once, at their first start with this version (feast_upgrade.h).
    {kMovable, 4, 2, 1, 1, "goodfriday", "Nagypéntek", "", "<AppPath>\\pictures\\nagypentek.jpg"},
}};

void addRow(EventTable& table, const BuiltinHoliday& h) {
    table.addBuiltinEvent(h.category, h.month, h.day, h.dayOff, h.forecastDays, h.ruleKey, h.name,
                          h.comment, h.picture);
}

}  // namespace

std::span<const BuiltinHoliday> builtinHolidays() {
    return kHolidays;
}

void createBuiltinHolidays(EventTable& table, int set) {
    if (set != 0 && set != 1) return;
    const size_t first = set == 0 ? 0 : kFixedHolidayCount;
    const size_t count = set == 0 ? kFixedHolidayCount : kMovableFeastCount;
    for (size_t i = first; i < first + count; ++i)
        addRow(table, kHolidays[i]);
}

void addBuiltinHolidayRow(EventTable& table, int row) {
    if (row < 1 || row > static_cast<int>(kHolidays.size())) return;
    addRow(table, kHolidays[static_cast<size_t>(row - 1)]);
}

}  // namespace tv
