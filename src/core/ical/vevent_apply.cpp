// Our record onto a VEVENT someone else may also have written: only what differs is rewritten.
#include "core/ical/event_uid.h"
#include "core/ical/record_text.h"
#include "core/ical/vevent_parts.h"

namespace tv::ical {
namespace {

bool sameDates(const EventRecord& a, const EventRecord& b) {
    return a.repeat == b.repeat && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.extraDays == b.extraDays && a.anniversary == b.anniversary;
}

bool sameAlarm(const EventRecord& a, const EventRecord& b) {
    return a.alarmOn == b.alarmOn &&
           (a.alarmOn == 0 || (a.alarmHour == b.alarmHour && a.alarmMinute == b.alarmMinute));
}

}  // namespace

void applyEventToVevent(const EventRecord& e, icalcomponent* vevent, const ReadContext& ctx,
                        const WriteOptions& options) {
    prepareLibical();
    const VeventReading now = veventToEvent(vevent, ctx);
    const EventRecord& theirs = now.record;

    const char* summary = icalcomponent_get_summary(vevent);
    const char* description = icalcomponent_get_description(vevent);
    const bool namesAgree = summary != nullptr && sameUpToRecordLimits(e.name, summary);
    const bool commentsAgree =
        sameUpToRecordLimits(e.comment, description != nullptr ? description : "");
    if (!namesAgree || !commentsAgree) {
        // Keep the text that only differs by what the record could not hold.
        EventRecord texts = e;
        if (namesAgree) texts.name = summary;
        if (commentsAgree && description != nullptr) texts.comment = description;
        writeTexts(vevent, texts);
    }

    // A server's own form of the same dates stays: a date-time, its EXDATEs, a rule we could
    // only read approximately. Only a date the user changed here is written in our form.
    if (!now.usable || !sameDates(e, theirs)) writeDates(vevent, e);
    if (!sameAlarm(e, theirs)) {
        if (icalcomponent* old = eventAlarmOf(vevent, ctx)) {
            icalcomponent_remove_component(vevent, old);
            icalcomponent_free(old);
        }
        writeAlarm(vevent, e);
    }

    writeOwnProperties(vevent, e);
    writeStamp(vevent, options);
    if (icalcomponent_get_uid(vevent) == nullptr) {
        icalcomponent_set_uid(vevent,
                              options.uid.empty() ? eventUid(e).c_str() : options.uid.c_str());
    }
}

}  // namespace tv::ical
