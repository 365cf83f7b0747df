// Any bytes as an .ics file: the import reports or refuses them, never crashes, and a damaged
// file leaves the table as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/ical/calendar_import.h"
#include "core/ical/import_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tv::EventTable table;
    tv::ical::ImportOptions options;
    options.today = tv::Date::serial(2025, 3, 1);
    options.localZone = "Europe/Budapest";
    options.nearest = size % 2 == 0;
    const tv::ical::ImportReport report = tv::ical::importCalendar(text, table, options);
    if (!report.errors.empty() && table.eventCount() != 0) std::abort();
    if (report.errors.empty() && table.eventCount() != static_cast<int>(report.imported.size())) {
        std::abort();
    }
    // The report survives its trip to the command-line tool.
    const auto back = tv::ical::decodeImportReport(tv::ical::encodeImportReport(report));
    if (!back || back->imported.size() != report.imported.size()) std::abort();
    return 0;
}
