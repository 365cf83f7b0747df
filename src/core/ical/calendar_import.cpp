#include "core/ical/calendar_import.h"

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
                if (userKeys_.count(userEventKey(e)) != 0) return "ical_dup_exists";
                break;
            case EventCategory::kHoliday:
                if (holidayDays_.count(e.month * 100 + e.day) != 0) return "ical_dup_holiday";
                break;
            case EventCategory::kFeast:
                if (feasts_.count(foldSortKey(e.ruleKey)) != 0) return "ical_dup_exists";
                break;
        }
        if (!uid.empty() && uids_.count(uid) != 0) return "ical_dup_exists";
        return {};
    }

    void add(const EventRecord& e, const std::string& fileUid = {}) {
        switch (e.kind()) {
            case EventCategory::kUser:
                userKeys_.insert(userEventKey(e));
                break;
            case EventCategory::kHoliday:
                holidayDays_.insert(e.month * 100 + e.day);
                break;
            case EventCategory::kFeast:
                feasts_.insert(foldSortKey(e.ruleKey));
                break;
        }
        uids_.insert(eventUid(e));
        if (!fileUid.empty()) uids_.insert(fileUid);
    }

private:
    std::unordered_set<std::string> userKeys_;
    std::unordered_set<int> holidayDays_;
    std::unordered_set<std::string> feasts_;
    std::unordered_set<std::string> uids_;
};

int freeRoom(const EventTable& table) {
    if (table.eventCount() == 0) return EventTable::kMaxSlots;
    int room = EventTable::kMaxSlots - table.slotCount();
    for (int slot = 0; slot < table.slotCount(); ++slot)
        room += table[slot].used() ? 0 : 1;
    return room;
}

// A changed occurrence (RECURRENCE-ID) belongs to the event of its UID: that event has
// exceptions the record cannot hold, and the change itself is no event of its own.
void foldChangedOccurrences(std::vector<ParsedEvent>& events) {
    std::unordered_set<std::string> masters;
    for (const ParsedEvent& e : events) {
        if (!e.reading.changesOccurrence) masters.insert(e.reading.uid);
    }
    std::unordered_set<std::string> changed;
    std::vector<ParsedEvent> kept;
    kept.reserve(events.size());
    for (ParsedEvent& e : events) {
        if (e.reading.changesOccurrence && masters.count(e.reading.uid) != 0) {
            changed.insert(e.reading.uid);
        } else {
            kept.push_back(std::move(e));
        }
    }
    for (ParsedEvent& e : kept) {
        VeventReading& r = e.reading;
        if (r.usable && r.record.repeat != 0 && changed.count(r.uid) != 0) {
            r.issues.push_back(IssueNote{Issue::kExceptions, {}, {}});
        }
    }
    events.swap(kept);
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
    ParsedCalendar parsed = parseCalendar(text, ctx, zones, strings);
    if (!parsed.errors.empty()) {
        report.errors = std::move(parsed.errors);
        return report;
    }
    report.skipped = std::move(parsed.otherEntries);
    foldChangedOccurrences(parsed.events);

    Known known(table);
    std::unordered_set<std::string> feastsTaken;  // a feast comes once for each year
    std::vector<EventRecord> adding;
    for (ParsedEvent& e : parsed.events) {
        VeventReading& r = e.reading;
        ReportEntry entry = entryOf(e);
        if (!r.usable) {
            entry.code = joinedCodes(r.issues);
            entry.reason = joinedTexts(r.issues, strings);
            report.skipped.push_back(std::move(entry));
            continue;
        }
        EventRecord& record = r.record;
        if (record.kind() == EventCategory::kFeast &&
            !feastsTaken.insert(foldSortKey(record.ruleKey)).second) {
            continue;
        }
        if (const std::string_view dup = known.duplicateOf(record, r.uid); !dup.empty()) {
            entry.code = "duplicate";
            entry.reason = strings.getString(dup);
            report.duplicates.push_back(std::move(entry));
            continue;
        }
        if (!r.exact()) {
            entry.code = joinedCodes(r.issues);
            entry.reason = joinedTexts(r.issues, strings);
            if (!options.nearest) {
                ++report.skippedWithNearest;
                report.skipped.push_back(std::move(entry));
                continue;
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
    }

    if (static_cast<int>(adding.size()) > freeRoom(table)) {
        ReportEntry full;
        full.code = "table-full";
        full.reason = strings.formatString("ical_err_full", std::to_string(adding.size()));
        report.errors.push_back(std::move(full));
        return report;
    }
    if (options.dryRun || adding.empty()) return report;

    EventTable before = table;
    for (EventRecord& record : adding) {
        const int slot = table.allocateEventSlot();
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
