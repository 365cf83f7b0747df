#include "core/ical/import_report.h"

#include "core/config/binary_io.h"
#include "core/config/string_table.h"

namespace tv::ical {
namespace {

constexpr std::string_view kMagic = "TVICALREPORT";
constexpr uint8_t kFormat = 1;
constexpr int32_t kMaxEntries = 1 << 20;
constexpr int32_t kMaxTextBytes = 1 << 20;

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

void jsonList(std::string& out, std::string_view name, const std::vector<ReportEntry>& list) {
    out += jsonText(name) + ":[";
    for (size_t i = 0; i < list.size(); ++i) {
        const ReportEntry& e = list[i];
        if (i > 0) out += ',';
        out += "{\"summary\":" + jsonText(e.summary) + ",\"line\":" + std::to_string(e.line) +
               ",\"code\":" + jsonText(e.code) + ",\"reason\":" + jsonText(e.reason) + '}';
    }
    out += ']';
}

// "• „Name” (12. sor): reason"
std::string entryLine(const ReportEntry& e, const StringTable& strings) {
    const std::string name =
        e.summary.empty() ? strings.getString("dates_unnamedevent") : e.summary;
    return strings.formatString("ical_rep_entry", name, std::to_string(e.line), e.reason);
}

void appendSection(std::string& out, const std::vector<ReportEntry>& list, std::string_view key,
                   const StringTable& strings, bool withLines) {
    if (list.empty()) return;
    if (!out.empty()) out += "\r\n\r\n";
    out += strings.formatString(key, std::to_string(list.size()));
    if (!withLines) return;
    for (const ReportEntry& e : list)
        out += "\r\n" + entryLine(e, strings);
}

void writeList(ByteWriter& w, const std::vector<ReportEntry>& list) {
    w.int32(static_cast<int64_t>(list.size()));
    for (const ReportEntry& e : list) {
        for (const std::string* t : {&e.summary, &e.code, &e.reason}) {
            w.int32(static_cast<int64_t>(t->size()));
            w.raw(*t);
        }
        w.int32(e.line);
    }
}

bool readList(ByteReader& r, std::vector<ReportEntry>& list) {
    const int32_t n = r.int32();
    if (n < 0 || n > kMaxEntries) return false;
    for (int32_t i = 0; i < n && !r.truncated(); ++i) {
        ReportEntry e;
        for (std::string* t : {&e.summary, &e.code, &e.reason}) {
            const int32_t len = r.int32();
            if (len < 0 || len > kMaxTextBytes || static_cast<size_t>(len) > r.remaining()) {
                return false;
            }
            *t = std::string(r.raw(static_cast<size_t>(len)));
        }
        e.line = r.int32();
        list.push_back(std::move(e));
    }
    return !r.truncated();
}

}  // namespace

std::string importReportText(const ImportReport& report, const StringTable& strings) {
    std::string out;
    if (!report.errors.empty()) {
        out = strings.getString("ical_rep_errors");
        for (const ReportEntry& e : report.errors)
            out += "\r\n" + e.reason;
        return out;
    }
    out = strings.formatString(report.dryRun ? "ical_rep_dryrun" : "ical_rep_imported",
                               std::to_string(report.imported.size()));
    appendSection(out, report.nearest, "ical_rep_nearest", strings, true);
    appendSection(out, report.duplicates, "ical_rep_duplicates", strings, false);
    appendSection(out, report.skipped, "ical_rep_skipped", strings, true);
    return out;
}

std::string importReportJson(const ImportReport& report) {
    std::string out = "{";
    jsonList(out, "imported", report.imported);
    out += ',';
    jsonList(out, "nearest", report.nearest);
    out += ',';
    jsonList(out, "duplicates", report.duplicates);
    out += ',';
    jsonList(out, "skipped", report.skipped);
    out += ',';
    jsonList(out, "errors", report.errors);
    out += ",\"dry_run\":";
    out += report.dryRun ? "true" : "false";
    out += '}';
    return out;
}

std::string encodeImportReport(const ImportReport& report) {
    ByteWriter w;
    w.raw(kMagic);
    w.byte(kFormat);
    w.byte(static_cast<uint8_t>((report.dryRun ? 1 : 0) | (report.saved ? 2 : 0) |
                                (report.alarms ? 4 : 0)));
    w.int32(report.skippedWithNearest);
    for (const auto* list :
         {&report.imported, &report.nearest, &report.duplicates, &report.skipped, &report.errors})
        writeList(w, *list);
    return w.take();
}

std::optional<ImportReport> decodeImportReport(std::string_view bytes) {
    ByteReader r(bytes);
    if (r.raw(kMagic.size()) != kMagic || r.byte() != kFormat) return std::nullopt;
    ImportReport report;
    const uint8_t flags = r.byte();
    if (flags > 7) return std::nullopt;
    report.dryRun = (flags & 1) != 0;
    report.saved = (flags & 2) != 0;
    report.alarms = (flags & 4) != 0;
    report.skippedWithNearest = r.int32();
    for (auto* list :
         {&report.imported, &report.nearest, &report.duplicates, &report.skipped, &report.errors}) {
        if (!readList(r, *list)) return std::nullopt;
    }
    if (r.truncated() || !r.atEnd()) return std::nullopt;
    return report;
}

}  // namespace tv::ical
