#include "core/ical/event_uid.h"

#include <cstdint>
#include <cstdio>

#include "core/calc/fnv_hash.h"
#include "core/events/occurrence.h"
#include "core/events/windows/event_checks.h"

namespace tv::ical {
namespace {

// Two FNV-1a hashes with different offsets: 128 bits keep 32767 events apart with room to spare.
std::string uidOf(std::string_view identity) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "tv-%016llx%016llx",
                  static_cast<unsigned long long>(fnv1a(identity, kFnvOffsetBasis)),
                  static_cast<unsigned long long>(fnv1a(identity, 0x84222325cbf29ce4ULL)));
    return buf + std::string(kUidDomain);
}

}  // namespace

std::string eventUid(const EventRecord& e) {
    switch (e.kind()) {
        case EventCategory::kUser:
            return uidOf("user|" + userEventKey(e));
        case EventCategory::kHoliday:
            return uidOf("holiday|" + std::to_string(e.month) + "|" + std::to_string(e.day) + "|" +
                         foldSortKey(e.name));
        case EventCategory::kFeast:
            return uidOf("feast|" + foldSortKey(e.ruleKey));
    }
    return uidOf("other|" + userEventKey(e));
}

std::string feastUid(std::string_view ruleKey, int year) {
    return uidOf("feast|" + foldSortKey(ruleKey) + "|" + std::to_string(year));
}

}  // namespace tv::ical
