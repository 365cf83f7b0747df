#include "core/sync/field_merge.h"

#include <array>

#include "core/sync/sync_record.h"

namespace tv {
namespace {

struct Group {
    bool (*same)(const EventRecord&, const EventRecord&);
    void (*copy)(const EventRecord& from, EventRecord& to);
};

const std::array<Group, 7> kGroups = {{
    {[](const EventRecord& a, const EventRecord& b) { return sameBeyondCp1250(a.name, b.name); },
     [](const EventRecord& f, EventRecord& t) { t.name = f.name; }},
    {[](const EventRecord& a, const EventRecord& b) {
         return sameBeyondCp1250(a.comment, b.comment);
     },
     [](const EventRecord& f, EventRecord& t) { t.comment = f.comment; }},
    {[](const EventRecord& a, const EventRecord& b) {
         return a.repeat == b.repeat && a.year == b.year && a.month == b.month && a.day == b.day &&
                a.anniversary == b.anniversary && a.extraDays == b.extraDays;
     },
     [](const EventRecord& f, EventRecord& t) {
         t.repeat = f.repeat;
         t.year = f.year;
         t.month = f.month;
         t.day = f.day;
         t.anniversary = f.anniversary;
         t.extraDays = f.extraDays;
     }},
    {[](const EventRecord& a, const EventRecord& b) { return a.forecastDays == b.forecastDays; },
     [](const EventRecord& f, EventRecord& t) { t.forecastDays = f.forecastDays; }},
    {[](const EventRecord& a, const EventRecord& b) { return a.hue == b.hue; },
     [](const EventRecord& f, EventRecord& t) { t.hue = f.hue; }},
    {[](const EventRecord& a, const EventRecord& b) {
         return sameBeyondCp1250(a.picture, b.picture);
     },
     [](const EventRecord& f, EventRecord& t) { t.picture = f.picture; }},
    {[](const EventRecord& a, const EventRecord& b) {
         return a.alarmOn == b.alarmOn &&
                (a.alarmOn == 0 || (a.alarmHour == b.alarmHour && a.alarmMinute == b.alarmMinute));
     },
     [](const EventRecord& f, EventRecord& t) {
         t.alarmOn = f.alarmOn;
         t.alarmHour = f.alarmHour;
         t.alarmMinute = f.alarmMinute;
     }},
}};

}  // namespace

MergeResult mergeFields(const EventRecord& local, const EventRecord* base,
                        const EventRecord& remote) {
    MergeResult out;
    // Start from the server's copy: it keeps the server's spelling of texts we cannot hold.
    out.merged = remote;
    out.merged.inUse = local.inUse;
    out.merged.slot = local.slot;
    for (const Group& g : kGroups) {
        if (g.same(local, remote)) continue;
        const bool localChanged = base == nullptr || !g.same(local, *base);
        const bool remoteChanged = base == nullptr || !g.same(remote, *base);
        if (localChanged && !remoteChanged) {
            g.copy(local, out.merged);
            out.remoteChanges = true;
        } else {
            // Only the server changed it, or both did: the server's value stands.
            if (localChanged) out.clash = true;
            out.localChanges = true;
        }
    }
    return out;
}

bool sameContent(const EventRecord& a, const EventRecord& b) {
    for (const Group& g : kGroups) {
        if (!g.same(a, b)) return false;
    }
    return true;
}

}  // namespace tv
