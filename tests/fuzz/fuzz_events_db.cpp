// "events.cdb": any bytes must decode without reading past the end, and whatever was loaded must
// write back whole and read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/events/event_database_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tv::EventTable table;
    const tv::EventDbReadReport report = tv::decodeEventDatabase(bytes, table);
    if (table.eventCount() != report.loadedEvents) __builtin_trap();
    if (report.status == tv::EventDbStatus::kCut && report.note.empty()) __builtin_trap();

    tv::EventTable again;
    const std::string written = tv::encodeEventDatabase(table, tv::DateTime{});
    if (tv::decodeEventDatabase(written, again).status != tv::EventDbStatus::kWhole) {
        __builtin_trap();
    }
    if (again.records() != table.records() || again.pictureMarks() != table.pictureMarks() ||
        again.wisdomMarks() != table.wisdomMarks()) {
        __builtin_trap();
    }
    return 0;
}
