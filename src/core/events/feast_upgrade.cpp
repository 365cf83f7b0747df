#include "core/events/feast_upgrade.h"

#include <cctype>
#include <string_view>

#include "core/config/settings_keys.h"
#include "core/events/holidays.h"

namespace tv {
namespace {

bool sameRule(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The table's Good Friday, or nullptr.
const EventRecord* findGoodFriday(const EventTable& table) {
    for (const EventRecord& e : table.records()) {
        if (e.used() && e.kind() == EventCategory::kFeast && sameRule(e.ruleKey, kGoodFridayRule))
            return &e;
    }
    return nullptr;
}

}  // namespace

bool offerGoodFriday(EventTable& table, HashTable& settings) {
    if (readFlag(settings, settings::Feast_GoodFridayOffered)) return false;
    bool added = false;
    if (findGoodFriday(table) == nullptr) {
        const int before = table.eventCount();
        addBuiltinHolidayRow(table, kGoodFridayRow);
        added = table.eventCount() > before;
        // A full table cannot take it: offered again at the next start.
        if (!added) return false;
    }
    markGoodFridayOffered(settings);
    return added;
}

bool goodFridayDeclined(const EventTable& table, HashTable& settings) {
    const EventRecord* e = findGoodFriday(table);
    if (e != nullptr) return e->active == 0;
    return readFlag(settings, settings::Feast_GoodFridayOffered);
}

void markGoodFridayOffered(HashTable& settings) {
    write(settings, settings::Feast_GoodFridayOffered, "1");
}

}  // namespace tv
