#include "core/app/change_import.h"

#include "core/app/folders.h"
#include "core/calc/files.h"
#include "core/config/string_table.h"
#include "core/ical/calendar_import.h"

namespace tv {

ImportChangeOutcome importCalendarChange(EventTable& table, const ChangeRequest& request,
                                         const ChangeEnvironment& env) {
    ImportChangeOutcome o;
    std::string text;
    if (readWholeFile(request.calendarFile, text, kMaxCalendarFileBytes) != ReadResult::kOk) {
        ical::ReportEntry e;
        e.code = "unreadable";
        e.reason = env.strings != nullptr
                       ? env.strings->formatString("ical_err_read", request.calendarFile)
                       : request.calendarFile;
        o.report.errors.push_back(std::move(e));
    } else {
        ical::ImportOptions options;
        options.nearest = request.nearest;
        options.today = env.today;
        options.strings = env.strings;
        options.save = env.saveDatabase;
        o.report = ical::importCalendar(text, table, options);
        o.done = o.report.errors.empty();
    }
    if (!request.reportFile.empty()) {
        // Only the user may read it: it names the user's events.
        saveFileAtomic(request.reportFile, ical::encodeImportReport(o.report), ".tmp", 0600);
    }
    return o;
}

bool isImportReportFile(const std::string& path, const std::string& runtimeDir) {
    const std::string folder = withSlash(runtimeDir);
    if (runtimeDir.empty() || !path.starts_with(folder)) return false;
    const std::string name = path.substr(folder.size());
    return name.starts_with(kImportReportPrefix) &&
           isChangeId(std::string_view(name).substr(kImportReportPrefix.size()));
}

}  // namespace tv
