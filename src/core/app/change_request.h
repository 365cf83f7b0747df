// A change to the user's data asked for by the command-line tool: a new event, the deletion of
// one, a restore, a backup (which records its time in settings.cfg). The running calendar is the
// only writer of the user's files, so when it runs the tool writes the request into a file of its
// own in the runtime folder and names it in a short message over the single-instance channel
// ("apply ID"); the calendar applies it with the same functions the tool uses when no calendar
// runs, and answers "done" or "error".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

enum class ChangeKind : uint8_t {
    kAddEvent = 1,
    kDeleteEvent = 2,
    kRestoreBackup = 3,
    kSaveBackup = 4,  // the backup holds what the calendar has in memory, and Backup_Last is kept
    kImportCalendar = 5,  // an iCalendar file into the event table, with one save
    kSyncRun = 6,         // a sync run with the calendar's own account and password
    kSyncRestore = 7,     // a version that lost a sync clash back into the table
};

// A new event as typed on the command line; the editor's checks judge the texts.
struct NewEventFields {
    std::string name;
    std::string comment;
    std::string year;
    std::string month;
    std::string day;
    int repeatIndex = 0;  // 0 once, 1 yearly, 2 monthly, 3 selected months
    bool anniversary = false;
    int monthMask = 0;  // selected months, bit 0 = January
    bool alarmOn = false;
    std::string alarmHour;
    std::string alarmMinute;
    std::optional<std::string> forecast;  // days of notice; the editor's default when absent
    std::optional<std::string> length;    // days of a long one-time event
};

struct ChangeRequest {
    ChangeKind kind = ChangeKind::kAddEvent;
    // The folder the tool means; a calendar that works on another one does not take the change.
    std::string userDataDir;
    bool yes = false;          // the answer given in advance to every question on the way
    NewEventFields event;      // kAddEvent
    int slot = -1;             // kDeleteEvent
    std::string backupPath;    // kRestoreBackup, kSaveBackup: an absolute path
    std::string calendarFile;  // kImportCalendar: the .ics file, an absolute path
    bool nearest = false;      // kImportCalendar: take the nearest form of what has no exact one
    // kImportCalendar: where the calendar writes its report, a file of the runtime folder named
    // kImportReportPrefix + an ID; the answer over the channel is too short to hold it.
    std::string reportFile;
    bool dryRun = false;  // kSyncRun: only say what the run would do
    int conflict = -1;    // kSyncRestore: the entry of the conflicts list
};

// The request file: a magic, a format number and the fields with their lengths.
std::string encodeChangeRequest(const ChangeRequest& request);
// Nothing for anything but a whole request of this format.
std::optional<ChangeRequest> decodeChangeRequest(std::string_view bytes);

// "apply " + ID names the request file kChangeFilePrefix + ID in the runtime folder.
inline constexpr std::string_view kApplyMessage = "apply ";
inline constexpr std::string_view kChangeFilePrefix = "tempovirens-change-";
inline constexpr std::string_view kImportReportPrefix = "tempovirens-ical-report-";
// An ID is 1..64 letters, digits and "-": it cannot name anything outside the runtime folder.
bool isChangeId(std::string_view id);

// The answer to "apply": "done" (with the result after a blank), "error" with the reason, or
// "elsewhere" when the request is for a folder the calendar does not work on. Texts for the
// user follow the first line.
inline constexpr std::string_view kReplyDone = "done";
inline constexpr std::string_view kReplyError = "error";
inline constexpr std::string_view kReplyElsewhere = "elsewhere";

struct ChangeReply {
    std::string word;    // done, error, elsewhere
    std::string result;  // the rest of the first line: "SLOT LIST" for a new event
    std::string notes;   // what the user is told, one text per line
};
std::string encodeChangeReply(const ChangeReply& reply, size_t maxBytes);
ChangeReply decodeChangeReply(std::string_view text);

}  // namespace tv
