#include "core/sync/sync_record.h"

#include <cstdio>

#include "core/config/cp1250.h"
#include "core/events/occurrence.h"

namespace tv {
namespace {

std::string_view trimmedView(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string storedText(std::string_view utf8) {
    return cp1250ToUtf8(utf8ToCp1250(utf8));
}

// FNV-1a over length-prefixed fields, so that "ab"+"c" and "a"+"bc" differ.
class Hasher {
public:
    void text(std::string_view s) {
        number(static_cast<int64_t>(s.size()));
        for (char c : s)
            byte(static_cast<uint8_t>(c));
    }
    void number(int64_t v) {
        for (int i = 0; i < 8; ++i)
            byte(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i)));
    }
    std::string hex() const {
        char out[17];
        std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h_));
        return out;
    }

private:
    void byte(uint8_t b) {
        h_ ^= b;
        h_ *= 1099511628211ULL;
    }
    uint64_t h_ = 14695981039346656037ULL;
};

}  // namespace

bool isSyncable(const EventRecord& record) {
    return record.used() && record.kind() == EventCategory::kUser;
}

EventRecord asStored(const EventRecord& record) {
    EventRecord r = record;
    r.name = storedText(r.name);
    r.comment = storedText(r.comment);
    r.picture = storedText(r.picture);
    r.ruleKey = storedText(r.ruleKey);
    return r;
}

std::string fingerprint(const EventRecord& record) {
    const EventRecord r = asStored(record);
    Hasher h;
    for (const std::string* t : {&r.name, &r.comment, &r.picture, &r.ruleKey})
        h.text(*t);
    for (int64_t v : {int64_t{r.category}, int64_t{r.year}, int64_t{r.month}, int64_t{r.day},
                      int64_t{r.forecastDays}, int64_t{r.anniversary}, int64_t{r.repeat},
                      int64_t{r.dayOff}, int64_t{r.extraDays}, int64_t{r.hue}, int64_t{r.alarmOn},
                      int64_t{r.alarmHour}, int64_t{r.alarmMinute}, int64_t{r.active}}) {
        h.number(v);
    }
    return h.hex();
}

std::string duplicateKey(const EventRecord& record) {
    if (!isSyncable(record)) return {};
    std::string key = foldSortKey(trimmedView(storedText(record.name)));
    key += '|' + std::to_string(record.repeat) + '|';
    switch (record.repeatKind()) {
        case RepeatKind::kOnce:
            key += std::to_string(record.year) + '-' + std::to_string(record.month) + '-' +
                   std::to_string(record.day);
            break;
        case RepeatKind::kYearly:
            key += std::to_string(record.month) + '-' + std::to_string(record.day) + 'a' +
                   std::to_string(record.anniversary);
            if (record.anniversary != 0) key += 'y' + std::to_string(record.year);
            break;
        case RepeatKind::kMonthly:
            key += std::to_string(record.day);
            break;
        case RepeatKind::kSelectedMonths:
            key += 'm' + std::to_string(record.month);
            break;
    }
    return key;
}

std::string textHash(std::string_view text) {
    Hasher h;
    h.text(text);
    return h.hex();
}

bool sameBeyondCp1250(std::string_view stored, std::string_view other) {
    return utf8ToCp1250(stored) == utf8ToCp1250(other);
}

}  // namespace tv
