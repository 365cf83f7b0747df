#include "core/ical/calendar_parse.h"

#include <memory>
#include <unordered_set>

#include "core/config/cp1250.h"
#include "core/config/string_table.h"

namespace tv::ical {
namespace {

constexpr size_t kMaxDepth = 16;
constexpr size_t kShownLineChars = 60;

struct ParserFree {
    void operator()(icalparser* p) const { icalparser_free(p); }
};
using ParserPtr = std::unique_ptr<icalparser, ParserFree>;

// The line as the message quotes it: its start, on a character boundary.
std::string shownLine(std::string_view line) {
    size_t pos = 0;
    size_t chars = 0;
    while (pos < line.size() && chars < kShownLineChars) {
        nextCodePoint(line, pos);
        ++chars;
    }
    std::string out(line.substr(0, pos));
    if (pos < line.size()) out += "…";
    return out;
}

// The value of a content line: after the first colon outside a quoted parameter value.
std::string_view valueOf(std::string_view line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) return line.substr(i + 1);
    }
    return {};
}

bool digits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// libical reads "2025023X" as 3 February; a start or end date that is not a DATE or a DATE-TIME
// to the letter is damage all the same.
bool wellFormedTime(std::string_view value) {
    if (value.size() == 8) return digits(value);
    if (value.size() == 16 && value.back() == 'Z') value.remove_suffix(1);
    return value.size() == 15 && digits(value.substr(0, 8)) && value[8] == 'T' &&
           digits(value.substr(9));
}

bool isTimeProperty(std::string_view name) {
    return name == "DTSTART" || name == "DTEND" || name == "RECURRENCE-ID" || name == "DUE";
}

// What the first pass notes of each VEVENT, in file order, for the changed occurrences.
struct EventBlock {
    size_t uidHash = 0;
    bool changesOccurrence = false;
};

class Scanner {
public:
    Scanner(std::string_view text, const StringTable& strings, std::vector<ReportEntry>& errors)
        : lines_(text), strings_(strings), errors_(errors), parser_(icalparser_new()) {}

    // Notes every VEVENT's UID and RECURRENCE-ID while scanning (the first pass).
    void noteBlocks(std::vector<EventBlock>* blocks) { blocks_ = blocks; }

    // Walks the whole text; `want` says which top-level components go to libical, `take`
    // receives each one libical returns. False after damage (recorded in out_.errors).
    template <typename Want, typename Take>
    bool run(Want want, Take take) {
        std::vector<std::pair<std::string, int>> open;  // component names and their lines
        bool feeding = false;
        int componentLine = 0;
        int eventOrdinal = -1;  // VEVENTs so far, counted alike in both passes
        bool sawCalendar = false;
        while (lines_.next()) {
            std::string& line = lines_.text();
            const int number = lines_.number();
            if (!isValidUtf8(line)) return fail("ical_err_encoding", number, {});
            const std::string name = lines_.name();
            if (open.empty()) {
                if (name != "BEGIN" || lines_.componentName() != "VCALENDAR") {
                    return fail(sawCalendar ? "ical_err_line" : "ical_err_notcalendar", number,
                                line);
                }
                sawCalendar = true;
                open.emplace_back("VCALENDAR", number);
                continue;
            }
            if (name == "BEGIN") {
                if (open.size() >= kMaxDepth) return fail("ical_err_line", number, line);
                open.emplace_back(lines_.componentName(), number);
                if (open.size() == 2) {
                    feeding = want(open.back().first);
                    componentLine = number;
                    if (open.back().first == "VEVENT") {
                        ++eventOrdinal;
                        if (blocks_ != nullptr) blocks_->emplace_back();
                    }
                }
            } else if (name == "END") {
                if (lines_.componentName() != open.back().first) {
                    return fail("ical_err_line", number, line);
                }
                open.pop_back();
            } else if (blocks_ != nullptr && open.size() == 2 && open.back().first == "VEVENT") {
                if (name == "UID")
                    blocks_->back().uidHash = std::hash<std::string_view>()(valueOf(line));
                if (name == "RECURRENCE-ID") blocks_->back().changesOccurrence = true;
            } else if (open.size() == 1) {
                // The calendar's own properties: only known ones with a broken value are damage.
                if (!checkCalendarProperty(name, line)) return fail("ical_err_line", number, line);
                continue;
            }
            if (!feeding || open.empty()) continue;
            if (isTimeProperty(name) && !wellFormedTime(valueOf(line))) {
                return fail("ical_err_line", number, line);
            }
            icalcomponent* done = icalparser_add_line(parser_.get(), line.data());
            // An unknown property, or a known one left empty (Google writes "LOCATION:"), is
            // dropped by libical and is no damage.
            const bool emptyValue = line.find(':') != std::string::npos && valueOf(line).empty();
            if (icalparser_get_state(parser_.get()) == ICALPARSER_ERROR && !unknownName(name) &&
                !emptyValue) {
                if (done != nullptr) icalcomponent_free(done);
                return fail("ical_err_line", number, line);
            }
            if (open.size() == 1) {
                feeding = false;
                if (done != nullptr) take(ComponentPtr(done), componentLine, eventOrdinal);
            }
        }
        if (!sawCalendar) return fail("ical_err_notcalendar", 1, {});
        if (!open.empty()) {
            return fail("ical_err_unfinished", open.back().second, open.back().first);
        }
        return true;
    }

private:
    // A well-formed name libical does not know: letters, digits and "-" (RFC 5545 3.1).
    static bool unknownName(const std::string& name) {
        const bool token =
            !name.empty() &&
            name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") == std::string::npos;
        return token && name != "BEGIN" && name != "END" &&
               icalproperty_string_to_kind(name.c_str()) == ICAL_NO_PROPERTY;
    }

    static bool checkCalendarProperty(const std::string& name, const std::string& line) {
        if (line.find(':') == std::string::npos) return false;
        if (unknownName(name) || name.starts_with("X-") || valueOf(line).empty()) return true;
        PropertyPtr p(icalproperty_new_from_string(line.c_str()));
        return p != nullptr;
    }

    bool fail(std::string_view key, int line, std::string_view text) {
        ReportEntry e;
        e.line = line;
        e.code = "damaged";
        e.reason = strings_.formatString(key, std::to_string(line), shownLine(text));
        errors_.push_back(std::move(e));
        return false;
    }

    ContentLines lines_;
    const StringTable& strings_;
    std::vector<ReportEntry>& errors_;
    ParserPtr parser_;
    std::vector<EventBlock>* blocks_ = nullptr;
};

}  // namespace

FileZones::~FileZones() {
    for (auto& [tzid, zone] : own_)
        icaltimezone_free(zone, 1);
}

void FileZones::add(icalcomponent* vtimezone) {
    icaltimezone* zone = icaltimezone_new();
    if (icaltimezone_set_component(zone, vtimezone) == 0) {
        icaltimezone_free(zone, 1);
        icalcomponent_free(vtimezone);
        return;
    }
    const char* tzid = icaltimezone_get_tzid(zone);
    if (tzid == nullptr || own_.count(tzid) != 0) {
        icaltimezone_free(zone, 1);  // frees the component with it
        return;
    }
    own_.emplace(tzid, zone);
}

icaltimezone* FileZones::find(std::string_view tzid) {
    const std::string key(tzid);
    if (auto it = own_.find(key); it != own_.end()) return it->second;
    if (icaltimezone* z = icaltimezone_get_builtin_timezone(key.c_str())) return z;
    return icaltimezone_get_builtin_timezone_from_tzid(key.c_str());
}

bool parseCalendar(std::string_view text, ReadContext ctx, FileZones& zones,
                   const StringTable& strings, ParseSinks& sinks) {
    prepareLibical();
    std::vector<EventBlock> blocks;
    {
        Scanner first(text, strings, sinks.errors);
        first.noteBlocks(&blocks);
        const bool whole =
            first.run([](const std::string& c) { return c == "VTIMEZONE"; },
                      [&zones](ComponentPtr c, int, int) { zones.add(c.release()); });
        if (!whole) return false;
    }
    // Hashes keep the first pass small: a collision could only fold two unrelated events.
    std::unordered_set<size_t> events;
    std::unordered_set<size_t> changed;
    for (const EventBlock& b : blocks)
        (b.changesOccurrence ? changed : events).insert(b.uidHash);

    ctx.zone = [&zones](std::string_view tzid) { return zones.find(tzid); };
    Scanner second(text, strings, sinks.errors);
    return second.run(
        [](const std::string& c) { return c != "VTIMEZONE"; },
        [&](ComponentPtr c, int line, int ordinal) {
            const icalcomponent_kind kind = icalcomponent_isa(c.get());
            if (kind == ICAL_VEVENT_COMPONENT) {
                ParsedEvent e;
                e.line = line;
                if (ordinal >= 0 && static_cast<size_t>(ordinal) < blocks.size()) {
                    const EventBlock& b = blocks[static_cast<size_t>(ordinal)];
                    e.changesPresentEvent = b.changesOccurrence && events.count(b.uidHash) != 0;
                    e.hasChangedOccurrences = !b.changesOccurrence && changed.count(b.uidHash) != 0;
                }
                if (e.changesPresentEvent) return;
                e.reading = veventToEvent(c.get(), ctx);
                sinks.event(std::move(e));
            } else if (kind == ICAL_VTODO_COMPONENT || kind == ICAL_VJOURNAL_COMPONENT) {
                ReportEntry e;
                const char* summary = icalcomponent_get_summary(c.get());
                e.summary = summary != nullptr ? summary : "";
                e.line = line;
                e.code = "not-event";
                e.reason = strings.getString("ical_issue_notevent");
                sinks.otherEntries.push_back(std::move(e));
            }
        });
}

}  // namespace tv::ical
