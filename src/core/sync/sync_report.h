// A run's report in the forms its readers want: one line for the hand-over's answer, JSON and
// plain text for the command-line tool, and the Hungarian summary the user sees after a run.
#pragma once

#include <optional>
#include <string>

#include "core/sync/sync_engine.h"

namespace tv {

class StringTable;

// "ok 1 2 0 3 0 0 1 0": the stop's word, then added, changed, deleted, uploaded, updated and
// deleted there, conflicts, and the deletions a guard stopped at.
std::string reportLine(const SyncReport& report);
std::optional<SyncReport> parseReportLine(std::string_view line);

std::string reportJson(const SyncReport& report);
std::string reportPlain(const SyncReport& report);

// The summary after a run, from the string table: what came in, what went out, what is not
// shown and why, the conflicts, or why the run stopped.
std::string reportText(const SyncReport& report, const StringTable& strings);
// The tray's line: the last run's time and its result.
std::string statusText(const std::string& lastTime, const std::string& lastResult,
                       const StringTable& strings);

// The string-table key of the reason an event is not shown.
std::string_view unfitKey(int unfit);
std::string_view unfitCode(int unfit);

}  // namespace tv
