// The event list's import and export buttons: an iCalendar file chosen in the file dialog, the
// questions on the way, and the report after an import. The window only calls these.
#pragma once

#include <functional>
#include <string>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ports/dialogs.h"
#include "core/ports/message_box.h"

namespace tv {

class StringTable;

struct ListIcalContext {
    Date today;
    DateTime stampUtc;  // DTSTAMP of an export
    const StringTable* strings = nullptr;
    Dialogs* dialogs = nullptr;
    MessageBox* box = nullptr;
    std::string startFolder;  // where the file dialogs open; empty: the platform's choice
    // The one save of an import; false when it failed (the save has told the user).
    std::function<bool(const EventTable&)> saveDatabase;
};

// The dialogs' requests: titled, filtered to *.ics.
OpenFileRequest icalImportRequest(const StringTable& strings, const std::string& startFolder);
OpenFileRequest icalExportRequest(const StringTable& strings, const std::string& startFolder);
// A name chosen without an extension gets ".ics".
std::string withIcsExtension(std::string path);

// `importButton`: the file, a dry run, the question whether to take the nearest forms when some
// events have no exact one, the import with one save, and the report. True when the table changed.
bool importIntoList(EventTable& table, const ListIcalContext& ctx);

// `exportButton`: the question whether the holidays go too, the file, and what was written.
// Movable feasts go out for ten years from the current one.
void exportFromList(const EventTable& table, const ListIcalContext& ctx);

}  // namespace tv
