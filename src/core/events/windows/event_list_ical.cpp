#include "core/events/windows/event_list_ical.h"

#include "core/app/version.h"
#include "core/calc/files.h"
#include "core/config/string_table.h"
#include "core/ical/calendar_export.h"
#include "core/ical/calendar_import.h"

namespace tv {
namespace {

constexpr size_t kMaxFileBytes = size_t{64} << 20;
constexpr int kFeastYears = 10;

MessageAnswer show(const ListIcalContext& ctx, std::string text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::kOk, std::string_view titleKey = {}) {
    MessageRequest r;
    r.text = std::move(text);
    r.title = titleKey.empty() ? std::string(kProgramName) : ctx.strings->getString(titleKey);
    r.icon = icon;
    r.buttons = buttons;
    return ctx.box->show(r);
}

OpenFileRequest icsRequest(const StringTable& strings, const std::string& startFolder,
                           std::string_view titleKey) {
    OpenFileRequest r;
    r.title = strings.getString(titleKey);
    r.filters.push_back({strings.getString("ical_filter"), "*.ics"});
    r.startFolder = startFolder;
    return r;
}

}  // namespace

OpenFileRequest icalImportRequest(const StringTable& strings, const std::string& startFolder) {
    return icsRequest(strings, startFolder, "ical_import_title");
}

OpenFileRequest icalExportRequest(const StringTable& strings, const std::string& startFolder) {
    OpenFileRequest r = icsRequest(strings, startFolder, "ical_export_title");
    r.initialName = "tempovirens.ics";
    return r;
}

std::string withIcsExtension(std::string path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ".ics";
    return path;
}

bool importIntoList(EventTable& table, const ListIcalContext& ctx) {
    const StringTable& st = *ctx.strings;
    const std::optional<std::string> path =
        ctx.dialogs->openFile(icalImportRequest(st, ctx.startFolder));
    if (!path) return false;
    std::string text;
    if (readWholeFile(*path, text, kMaxFileBytes) != ReadResult::kOk) {
        show(ctx, st.formatString("ical_err_read", *path), MessageIcon::kWarning);
        return false;
    }
    ical::ImportOptions options;
    options.today = ctx.today;
    options.strings = ctx.strings;
    options.dryRun = true;
    const ical::ImportReport trial = ical::importCalendar(text, table, options);
    if (!trial.errors.empty()) {
        show(ctx, ical::importReportText(trial, st), MessageIcon::kWarning, MessageButtons::kOk,
             "ical_report_title");
        return false;
    }
    if (trial.skippedWithNearest > 0) {
        const MessageAnswer a =
            show(ctx, st.formatString("ical_q_nearest", std::to_string(trial.skippedWithNearest)),
                 MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
        if (a == MessageAnswer::kCancel) return false;
        options.nearest = a == MessageAnswer::kYes;
    }
    options.dryRun = false;
    options.save = ctx.saveDatabase;
    const ical::ImportReport report = ical::importCalendar(text, table, options);
    show(ctx, ical::importReportText(report, st),
         report.errors.empty() ? MessageIcon::kInformation : MessageIcon::kWarning,
         MessageButtons::kOk, "ical_report_title");
    return report.saved;
}

void exportFromList(const EventTable& table, const ListIcalContext& ctx) {
    const StringTable& st = *ctx.strings;
    const MessageAnswer holidays = show(ctx, st.getString("ical_q_holidays"),
                                        MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
    if (holidays == MessageAnswer::kCancel) return;
    std::optional<std::string> path = ctx.dialogs->saveFile(icalExportRequest(st, ctx.startFolder));
    if (!path) return;
    const std::string file = withIcsExtension(*path);
    ical::ExportOptions options;
    options.holidays = holidays == MessageAnswer::kYes;
    options.fromYear = ctx.today.year();
    options.toYear = ctx.today.year() + kFeastYears - 1;
    options.stampUtc = ctx.stampUtc;
    const ical::ExportResult r = ical::exportCalendar(table, options);
    if (!saveFileAtomic(file, r.text)) {
        show(ctx, st.formatString("ical_err_write", file), MessageIcon::kWarning);
        return;
    }
    show(ctx, st.formatString("ical_export_done", std::to_string(r.events + r.holidays), file),
         MessageIcon::kInformation);
}

}  // namespace tv
