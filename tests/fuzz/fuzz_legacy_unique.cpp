// The old "unique.qzi": any bytes must import without reading past the end, append only whole
// records, and leave the settings alone.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/config/hash_table.h"
#include "core/config/legacy_import.h"
#include "core/events/event_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tv::EventTable events;
    tv::HashTable settings;
    const tv::LegacyImportReport report =
        tv::importLegacyBytes("unique.qzi", bytes, &events, &settings);
    if (settings.count() != 0) __builtin_trap();
    if (events.eventCount() != (report.imported ? report.whole : 0)) __builtin_trap();
    for (int i = 0; i < events.eventCount(); ++i) {
        if (!events[i].used() || events[i].slot != i) __builtin_trap();
    }
    return 0;
}
