// A server's calendar object through the sync's reading path, and our record written back onto
// it: no crash, no hang, whatever the server sent.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/sync/event_ics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view ics(reinterpret_cast<const char*>(data), size);
    const tv::Date today = tv::Date::serial(2025, 1, 1);
    const tv::IcsEvent e = tv::readIcsEvent(ics, today);
    if (e.unfit == tv::IcsUnfit::kNone) {
        tv::EventRecord edited = e.record;
        edited.comment += "x";
        edited.alarmOn = 1;
        edited.alarmHour = 7;
        const std::string written =
            tv::applyRecordToIcs(ics, edited, tv::DateTime::of(today, 12, 0, 0), today);
        tv::readIcsEvent(written, today);
    }
    return 0;
}
