// What an import did or would do: the events it took, the ones the table already has, the ones
// it left out with the reason, and the damage that stopped it. The window and the command-line
// tool show it; a running calendar hands it back to the tool.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {
class StringTable;
}

namespace tv::ical {

struct ReportEntry {
    std::string summary;  // the event's name as the file has it
    int line = 0;         // where its BEGIN:VEVENT (or the damage) is
    std::string code;     // a stable word for scripts: issueCode(), "duplicate", "damaged", ...
    std::string reason;   // the Hungarian text
};

struct ImportReport {
    bool dryRun = false;
    bool saved = false;  // the table changed and was saved
    std::vector<ReportEntry> imported;
    std::vector<ReportEntry> nearest;  // imported in the nearest form, with the reasons
    std::vector<ReportEntry> duplicates;
    std::vector<ReportEntry> skipped;
    std::vector<ReportEntry> errors;  // nothing was imported
    // Skipped events that the nearest form would take.
    int skippedWithNearest = 0;
    bool alarms = false;  // an imported event has an alarm
};

// The report for the user: the counts, then the events left out with their reasons.
std::string importReportText(const ImportReport& report, const StringTable& strings);

// {"imported":[{"summary":..}],"nearest":[..],"duplicates":[..],"skipped":[..],"errors":[..]},
// each entry with "summary", "line", "code" and "reason".
std::string importReportJson(const ImportReport& report);

// The report as the running calendar hands it to the tool, and back.
std::string encodeImportReport(const ImportReport& report);
std::optional<ImportReport> decodeImportReport(std::string_view bytes);

}  // namespace tv::ical
