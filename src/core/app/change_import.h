// The import of an iCalendar file as a change of the user's data: the same function for the
// command-line tool when no calendar runs and for the running calendar when the tool hands the
// import over. The file is read here, the events go in with one save, and the report is written
// where the request asks for it.
#pragma once

#include <string>

#include "core/app/change_apply.h"
#include "core/ical/import_report.h"

namespace tv {

inline constexpr size_t kMaxCalendarFileBytes = size_t{64} << 20;

struct ImportChangeOutcome {
    bool done = false;          // the file was read and the import ran without damage
    ical::ImportReport report;  // errors hold what stopped it
};

// Reads request.calendarFile and imports it (request.nearest) into the table; saves through
// env.saveDatabase once. Writes the encoded report to request.reportFile when it is set.
ImportChangeOutcome importCalendarChange(EventTable& table, const ChangeRequest& request,
                                         const ChangeEnvironment& env);

// Whether `path` may take a report: a file of `runtimeDir` named kImportReportPrefix + an ID, so
// that a request cannot make the calendar write anywhere else.
bool isImportReportFile(const std::string& path, const std::string& runtimeDir);

}  // namespace tv
