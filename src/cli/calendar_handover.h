// The running calendar is the only writer of the user's files. A command that changes them asks
// here first: when a calendar runs, the change is written into a request file and handed to it
// over the single-instance channel; when none runs, the command holds the calendar's own lock
// while it writes, so that a calendar started meanwhile waits for it.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "core/app/change_request.h"

namespace tv::cli {

class WriteAccess {
public:
    // Waits a few seconds for a lock held by another command.
    explicit WriteAccess(const CliContext& c);
    ~WriteAccess();
    WriteAccess(const WriteAccess&) = delete;
    WriteAccess& operator=(const WriteAccess&) = delete;

    enum class Kind {
        kOwn,           // no calendar runs; the lock is ours until this object goes
        kCalendarRuns,  // hand the change over
        kBusy,          // another command holds the lock
    };
    Kind kind() const { return kind_; }

    // The calendar's answer, or nothing when the request could not be handed over (or no answer
    // came in time).
    // `replyTimeoutMs`: how long the calendar may take (a sync run talks to a server).
    std::optional<ChangeReply> handOver(const ChangeRequest& request, int replyTimeoutMs = 30000);

private:
    struct Channel;
    std::unique_ptr<Channel> channel_;
    Kind kind_ = Kind::kOwn;
};

// The folder where the running calendar finds the tool's request files and may write files
// back for it (the import's report); empty when no calendar can run.
std::string handoverFolder();

// What a command that only advances the rotation marks says when it leaves them alone.
inline constexpr std::string_view kNotRecorded =
    "(the running calendar keeps the rotation marks: this choice is not recorded)";

// Whether this command may write the user's files itself: no calendar runs (and `access` holds
// the lock), or the running one works on another data folder. A running calendar keeps its own
// rotation marks and settings; a command that only advances them then leaves them alone.
bool mayWriteHere(const CliContext& c, const WriteAccess& access);

// Runs a change of the user's files: handed to the running calendar, or applied by `local`
// under the calendar's lock (also when the calendar works on another data folder). `printDone`
// prints what the calendar did; the calendar's notes go to stderr. Returns the exit status.
int runChange(CliContext& c, ChangeRequest request, const std::function<int()>& local,
              const std::function<int(const ChangeReply&)>& printDone);

}  // namespace tv::cli
