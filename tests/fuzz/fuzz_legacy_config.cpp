// The old "config.qzi": any bytes must import without reading past the end, add only renamed
// keys, and leave the event table alone.
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
        tv::importLegacyBytes("config.qzi", bytes, &events, &settings);
    if (events.eventCount() != 0) __builtin_trap();
    if (settings.count() > report.whole) __builtin_trap();
    for (int32_t i = 1; i <= settings.count(); ++i) {
        const std::string& key = settings.keyByIndex(i);
        if (key.empty() || key.front() < 'A' || key.front() > 'Z') __builtin_trap();  // renamed
        if (key.ends_with("_Weight") && settings.itemByIndex(i) != "700" &&
            settings.itemByIndex(i) != "400") {
            __builtin_trap();
        }
    }
    return 0;
}
