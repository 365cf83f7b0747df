// What the modal windows work on: the calendar's tables and the desktop services, owned by the
// program and lent to each window while it is open.
#pragma once

#include <functional>
#include <string>

namespace tv {

class Clock;
class Dialogs;
class EventTable;
class HashTable;
class Log;
class MessageBox;
class NameTable;
class Shell;
class StringTable;

struct WindowServices {
    StringTable* strings = nullptr;
    HashTable* settings = nullptr;
    EventTable* events = nullptr;
    const NameTable* names = nullptr;
    MessageBox* box = nullptr;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    const Clock* clock = nullptr;
    const HashTable* theme = nullptr;  // the skin's table, for the band colours; may be null
    Log* log = nullptr;                // may be null
    std::string programDir;            // ends with "/"
    std::string userDataDir;           // ends with "/"
    bool developer = false;            // "-dev": the event list shows its entry count
    // Told after every save of the event table that succeeded (the sync binding follows it).
    std::function<void(const EventTable&)> eventsSaved;
};

}  // namespace tv
