#include "core/app/change_apply.h"

#include "core/events/windows/event_editor.h"
#include "core/events/windows/event_list.h"

namespace tv {

MessageAnswer AnsweringBox::show(const MessageRequest& request) {
    const bool question = request.buttons != MessageButtons::kOk;
    if (!question) {
        if (request.icon != MessageIcon::kInformation) texts.push_back(request.text);
        return MessageAnswer::kOk;
    }
    if (!yes_) texts.push_back(request.text);
    const bool yesNo = request.buttons == MessageButtons::kYesNo ||
                       request.buttons == MessageButtons::kYesNoCancel;
    if (yesNo) return yes_ ? MessageAnswer::kYes : MessageAnswer::kNo;
    return yes_ ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

ChangeOutcome addEventChange(EventTable& table, const ChangeRequest& request,
                             const ChangeEnvironment& env) {
    ChangeOutcome o;
    const NewEventFields& in = request.event;
    const Date today = env.today;

    EventEditor ed = newEventEditor(today);
    setRepeatIndex(ed, in.repeatIndex, today);
    setSpecial(ed, in.anniversary, today);
    EditorFields& f = ed.fields;
    f.year = in.year;
    f.month = in.month;
    f.day = in.day;
    setRepeatIndex(ed, in.repeatIndex, today);  // the fields this kind does not read show "*"
    f.name = in.name;
    f.comment = in.comment;
    f.forecast = in.forecast.value_or(f.forecast);
    f.length = in.length.value_or(f.length);
    f.monthMask = in.monthMask;
    f.alarmOn = in.alarmOn;
    if (in.alarmOn) {
        f.alarmHour = in.alarmHour;
        f.alarmMinute = in.alarmMinute;
    }

    EditorContext ctx;
    ctx.today = today;
    ctx.strings = env.strings;
    ctx.settings = env.settings;
    ctx.programDir = env.programDir;
    ctx.saveDatabase = env.saveDatabase;
    const bool yes = request.yes;
    ctx.prompt = [&o, yes](EditorPrompt p, const EditorMessage& m) {
        switch (p) {
            case EditorPrompt::kDateInPast:
                if (yes) return MessageAnswer::kNo;  // "No, do not correct it": save
                o.notes.push_back(m.text + "\n(--yes saves it anyway)");
                return MessageAnswer::kYes;
            case EditorPrompt::kAlarmsOff:
                if (yes) return MessageAnswer::kYes;
                o.notes.push_back(m.text + "\n(--yes switches the alarms on)");
                return MessageAnswer::kNo;
            case EditorPrompt::kDayNotInEveryMonth:
                o.notes.push_back(m.text);
                return MessageAnswer::kOk;
            case EditorPrompt::kPictureMissing:
                break;
        }
        return MessageAnswer::kNo;
    };

    const SaveOutcome out = saveEditor(table, ed, ctx);
    switch (out.status) {
        case SaveStatus::kRefused:
            o.notes.push_back(out.message.text);
            return o;
        case SaveStatus::kBackToEditing:
            return o;
        case SaveStatus::kTableFull:
            o.notes.push_back("the event table is full");
            return o;
        case SaveStatus::kStored:
            break;
    }
    o.slot = out.slot;
    o.list = out.list;
    o.alarmsSwitchedOn = out.alarmsSwitchedOn;
    o.done = out.databaseSaved;
    if (!o.done) o.notes.push_back("events.cdb could not be saved");
    return o;
}

ChangeOutcome deleteEventChange(EventTable& table, const ChangeRequest& request,
                                const ChangeEnvironment& env) {
    ChangeOutcome o;
    const int slot = request.slot;
    if (slot < 0 || slot >= table.slotCount() || !table[slot].used()) {
        o.notes.push_back("no event in slot " + std::to_string(slot));
        return o;
    }
    AnsweringBox ask(request.yes);
    bool saved = false;
    const auto save = [&](const EventTable& t) {
        return saved = env.saveDatabase ? env.saveDatabase(t) : false;
    };
    const bool deleted = deleteListedEvent(table, slot, ask, *env.strings, save);
    o.notes = ask.texts;
    if (!deleted) {
        if (!o.notes.empty()) o.notes.back() += "\n(--yes deletes it)";
        return o;
    }
    o.slot = slot;
    o.done = saved;
    if (!saved) o.notes.push_back("events.cdb could not be saved");
    return o;
}

}  // namespace tv
