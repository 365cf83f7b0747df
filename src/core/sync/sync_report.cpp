#include "core/sync/sync_report.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "core/config/string_table.h"
#include "core/sync/event_ics.h"
#include "core/sync/sync_session.h"

namespace tv {
namespace {

std::array<int*, 8> counts(SyncReport& r) {
    return {&r.added,         &r.changed,       &r.deleted,   &r.uploaded,
            &r.updatedRemote, &r.deletedRemote, &r.conflicts, &r.pendingDeletes};
}

std::string jsonText(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Reasons not shown, merged by kind.
std::vector<NotShown> merged(const std::vector<NotShown>& in) {
    std::vector<NotShown> out;
    for (const NotShown& n : in) {
        bool found = false;
        for (NotShown& o : out) {
            if (o.unfit == n.unfit) {
                o.count += n.count;
                found = true;
            }
        }
        if (!found) out.push_back(n);
    }
    return out;
}

std::string number(int n) {
    return std::to_string(n);
}

}  // namespace

std::string_view unfitCode(int unfit) {
    switch (static_cast<IcsUnfit>(unfit)) {
        case IcsUnfit::kUnreadable:
            return "unreadable";
        case IcsUnfit::kNoUid:
            return "no-uid";
        case IcsUnfit::kRepeatRule:
            return "repeat-rule";
        case IcsUnfit::kDateRange:
            return "date";
        case IcsUnfit::kBuiltIn:
            return "holiday";
        case IcsUnfit::kNone:
            break;
    }
    return "other";
}

std::string_view unfitKey(int unfit) {
    switch (static_cast<IcsUnfit>(unfit)) {
        case IcsUnfit::kUnreadable:
            return "sync_why_unreadable";
        case IcsUnfit::kNoUid:
            return "sync_why_nouid";
        case IcsUnfit::kRepeatRule:
            return "sync_why_rule";
        case IcsUnfit::kDateRange:
            return "sync_why_date";
        case IcsUnfit::kBuiltIn:
            return "sync_why_holiday";
        case IcsUnfit::kNone:
            break;
    }
    return "sync_why_unreadable";
}

std::string reportLine(const SyncReport& report) {
    SyncReport r = report;
    std::string out(stopWord(r.stop));
    for (int* n : counts(r))
        out += ' ' + std::to_string(*n);
    return out;
}

std::optional<SyncReport> parseReportLine(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::string word;
    in >> word;
    SyncReport r;
    bool known = false;
    for (SyncStop s :
         {SyncStop::kDone, SyncStop::kConfirmEmpty, SyncStop::kConfirmDeletes, SyncStop::kNetwork,
          SyncStop::kServer, SyncStop::kStore, SyncStop::kCancelled}) {
        if (stopWord(s) == word) {
            r.stop = s;
            known = true;
        }
    }
    if (!known) return std::nullopt;
    for (int* n : counts(r)) {
        if (!(in >> *n) || *n < 0) return std::nullopt;
    }
    return r;
}

std::string reportJson(const SyncReport& r) {
    std::string out = "{\"result\":" + jsonText(stopWord(r.stop));
    out += ",\"added\":" + number(r.added) + ",\"changed\":" + number(r.changed);
    out += ",\"deleted\":" + number(r.deleted) + ",\"uploaded\":" + number(r.uploaded);
    out += ",\"updatedRemote\":" + number(r.updatedRemote);
    out += ",\"deletedRemote\":" + number(r.deletedRemote);
    out += ",\"conflicts\":" + number(r.conflicts) + ",\"requests\":" + number(r.requests);
    out += ",\"pendingDeletes\":" + number(r.pendingDeletes) + ",\"notShown\":[";
    bool first = true;
    for (const NotShown& n : merged(r.notShown)) {
        if (!first) out += ',';
        first = false;
        out +=
            "{\"reason\":" + jsonText(unfitCode(n.unfit)) + ",\"count\":" + number(n.count) + '}';
    }
    return out + "],\"error\":" + jsonText(r.error) + '}';
}

std::string reportPlain(const SyncReport& r) {
    std::string out = "result: " + std::string(stopWord(r.stop)) + '\n';
    out += "here: " + number(r.added) + " added, " + number(r.changed) + " changed, " +
           number(r.deleted) + " deleted\n";
    out += "server: " + number(r.uploaded) + " added, " + number(r.updatedRemote) + " changed, " +
           number(r.deletedRemote) + " deleted\n";
    for (const NotShown& n : merged(r.notShown))
        out += "not shown: " + number(n.count) + " (" + std::string(unfitCode(n.unfit)) + ")\n";
    if (r.conflicts > 0) out += "conflicts: " + number(r.conflicts) + " (see sync conflicts)\n";
    if (r.pendingDeletes > 0 && r.stop != SyncStop::kDone) {
        out += "the run would delete " + number(r.pendingDeletes) + " events\n";
    }
    if (!r.error.empty()) out += "error: " + r.error + '\n';
    return out;
}

std::string reportText(const SyncReport& r, const StringTable& s) {
    switch (r.stop) {
        case SyncStop::kConfirmEmpty:
            return s.getString("sync_q_empty");
        case SyncStop::kConfirmDeletes:
            return s.formatString("sync_q_deletes", number(r.pendingDeletes));
        case SyncStop::kNetwork:
            return s.formatString("sync_err_network", r.error);
        case SyncStop::kServer:
            return s.formatString("sync_err_server", r.error);
        case SyncStop::kStore:
            return s.formatString("sync_err_store", r.error);
        case SyncStop::kCancelled:
            return s.getString("sync_err_cancelled");
        case SyncStop::kDone:
            break;
    }
    std::string out =
        s.formatString("sync_rep_here", number(r.added), number(r.changed), number(r.deleted));
    out += "\n" + s.formatString("sync_rep_there", number(r.uploaded), number(r.updatedRemote),
                                 number(r.deletedRemote));
    const std::vector<NotShown> hidden = merged(r.notShown);
    if (!hidden.empty()) {
        int total = 0;
        for (const NotShown& n : hidden)
            total += n.count;
        out += "\n" + s.formatString("sync_rep_hidden", number(total));
        for (const NotShown& n : hidden)
            out += "\n" + s.formatString("sync_rep_reason", number(n.count),
                                         s.getString(unfitKey(n.unfit)));
    }
    if (r.conflicts > 0) out += "\n" + s.formatString("sync_rep_conflicts", number(r.conflicts));
    return out;
}

std::string statusText(const std::string& lastTime, const std::string& lastResult,
                       const StringTable& s) {
    if (lastResult.empty()) return s.getString("sync_status_never");
    if (lastResult == "ok") return s.formatString("sync_status_ok", lastTime);
    std::string key = "sync_result_" + lastResult;
    std::replace(key.begin(), key.end(), '-', '_');
    const std::string why = s.getString(key);
    return s.formatString("sync_status_failed", lastTime.empty() ? "-" : lastTime, why);
}

}  // namespace tv
