#include "core/ical/calendar_import.h"

#include <algorithm>
#include <unordered_set>

#include "core/config/string_table.h"
#include "core/events/occurrence.h"
#include "core/events/windows/event_checks.h"
#include "core/ical/calendar_parse.h"
#include "core/ical/event_uid.h"

namespace tv::ical {
namespace {

const StringTable& stringsOr(const StringTable* s) {
    static const StringTable kNone;
    return s != nullptr ? *s : kNone;
}

std::string joinedCodes(const std::vector<IssueNote>& issues) {
    std::string out;
    for (const IssueNote& n : issues) {
        if (!out.empty()) out += ',';
        out += issueCode(n.issue);
    }
    return out;
}

std::string joinedTexts(const std::vector<IssueNote>& issues, const StringTable& strings) {
    std::string out;
    for (const IssueNote& n : issues) {
        if (!out.empty()) out += "; ";
        out += issueText(n, strings);
    }
    return out;
}

// What the table holds already, by the rules that make two events one.
class Known {
public:
    explicit Known(const EventTable& table) {
        for (int slot = 0; slot < table.slotCount(); ++slot) {
            if (table[slot].used()) add(table[slot]);
        }
    }

    // The string-table key of the reason, or empty when the event is new.
    std::string_view duplicateOf(const EventRecord& e, const std::string& uid) const {
        switch (e.kind()) {
            case EventCategory::kUser:
                if (userKeys_.count(hash(userEventKey(e))) != 0) return "ical_dup_exists";
                break;
            case EventCategory::kHoliday:
                if (holidayDays_.count(e.month * 100 + e.day) != 0) return "ical_dup_holiday";
                break;
            case EventCategory::kFeast:
                if (feasts_.count(foldSortKey(e.ruleKey)) != 0) return "ical_dup_exists";
                break;
        }
        if (!uid.empty() && uids_.count(hash(uid)) != 0) return "ical_dup_exists";
        return {};
    }

    void add(const EventRecord& e, const std::string& fileUid = {}) {
        switch (e.kind()) {
            case EventCategory::kUser:
                userKeys_.insert(hash(userEventKey(e)));
                break;
            case EventCategory::kHoliday:
                holidayDays_.insert(e.month * 100 + e.day);
                break;
            case EventCategory::kFeast:
                feasts_.insert(foldSortKey(e.ruleKey));
                break;
        }
        uids_.insert(hash(eventUid(e)));
        if (!fileUid.empty()) uids_.insert(hash(fileUid));
    }

private:
    static size_t hash(const std::string& s) { return std::hash<std::string>()(s); }

    // Hashes keep a large import small; a collision could only report a new event as known.
    std::unordered_set<size_t> userKeys_;
    std::unordered_set<int> holidayDays_;
    std::unordered_set<std::string> feasts_;
    std::unordered_set<size_t> uids_;
};

int freeRoom(const EventTable& table) {
    if (table.eventCount() == 0) return EventTable::kMaxSlots;
    int room = EventTable::kMaxSlots - table.slotCount();
    for (int slot = 0; slot < table.slotCount(); ++slot)
        room += table[slot].used() ? 0 : 1;
    return room;
}

ReportEntry entryOf(const ParsedEvent& e) {
    ReportEntry out;
    out.summary = e.reading.summary;
    out.line = e.line;
    return out;
}

}  // namespace

std::string issueText(const IssueNote& note, const StringTable& strings) {
    const std::string_view key =
        note.issue == Issue::kEditorRule ? std::string_view(note.editorKey) : issueKey(note.issue);
    const std::string p1 = note.params.empty() ? std::string() : note.params[0];
    return strings.formatString(key, p1);
}

ImportReport importCalendar(std::string_view text, EventTable& table,
                            const ImportOptions& options) {
    const StringTable& strings = stringsOr(options.strings);
    ImportReport report;
    report.dryRun = options.dryRun;

    ReadContext ctx;
    ctx.today = options.today;
    prepareLibical();
    if (!options.localZone.empty()) {
        ctx.localZone = icaltimezone_get_builtin_timezone(options.localZone.c_str());
    }
    FileZones zones;
    Known known(table);
    std::unordered_set<std::string> feastsTaken;  // a feast comes once for each year
    std::vector<EventRecord> adding;
    ParseSinks sinks;
    sinks.event = [&](ParsedEvent&& e) {
        VeventReading& r = e.reading;
        const bool noted = std::any_of(r.issues.begin(), r.issues.end(), [](const IssueNote& n) {
            return n.issue == Issue::kExceptions;
        });
        if (e.hasChangedOccurrences && r.usable && r.record.repeat != 0 && !noted) {
            r.issues.push_back(IssueNote{Issue::kExceptions, {}, {}});
        }
        ReportEntry entry = entryOf(e);
        if (!r.usable) {
            entry.code = joinedCodes(r.issues);
            entry.reason = joinedTexts(r.issues, strings);
            report.skipped.push_back(std::move(entry));
            return;
        }
        EventRecord& record = r.record;
        if (record.kind() == EventCategory::kFeast &&
            !feastsTaken.insert(foldSortKey(record.ruleKey)).second) {
            return;
        }
        if (const std::string_view dup = known.duplicateOf(record, r.uid); !dup.empty()) {
            entry.code = "duplicate";
            entry.reason = strings.getString(dup);
            report.duplicates.push_back(std::move(entry));
            return;
        }
        if (!r.exact()) {
            entry.code = joinedCodes(r.issues);
            entry.reason = joinedTexts(r.issues, strings);
            if (!options.nearest) {
                ++report.skippedWithNearest;
                report.skipped.push_back(std::move(entry));
                return;
            }
            report.nearest.push_back(entry);
        }
        if (record.name.find_first_not_of(" \t") == std::string::npos) {
            record.name = strings.getString("dates_unnamedevent");
        }
        known.add(record, r.uid);
        report.alarms = report.alarms || record.alarmOn != 0;
        entry.code.clear();
        entry.reason.clear();
        report.imported.push_back(std::move(entry));
        adding.push_back(std::move(record));
    };
    if (!parseCalendar(text, ctx, zones, strings, sinks)) {
        ImportReport damaged;
        damaged.dryRun = options.dryRun;
        damaged.errors = std::move(sinks.errors);
        return damaged;
    }
    report.skipped.insert(report.skipped.end(), std::make_move_iterator(sinks.otherEntries.begin()),
                          std::make_move_iterator(sinks.otherEntries.end()));
    std::stable_sort(report.skipped.begin(), report.skipped.end(),
                     [](const ReportEntry& a, const ReportEntry& b) { return a.line < b.line; });

    if (static_cast<int>(adding.size()) > freeRoom(table)) {
        ReportEntry full;
        full.code = "table-full";
        full.reason = strings.formatString("ical_err_full", std::to_string(adding.size()));
        report.errors.push_back(std::move(full));
        return report;
    }
    if (options.dryRun || adding.empty()) return report;

    EventTable before = table;
    int searchFrom = 0;
    for (EventRecord& record : adding) {
        const int slot = table.allocateEventSlot(searchFrom);
        searchFrom = slot + 1;
        record.inUse = -1;
        record.slot = static_cast<int16_t>(slot);
        table[slot] = std::move(record);
    }
    if (options.save && !options.save(table)) {
        table = std::move(before);
        ReportEntry failed;
        failed.code = "save-failed";
        failed.reason = strings.getString("ical_err_save");
        report.errors.push_back(std::move(failed));
        return report;
    }
    report.saved = static_cast<bool>(options.save);
    return report;
}

}  // namespace tv::ical
