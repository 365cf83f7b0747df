// The start-at-log-on entry (an XDG autostart file on Linux). Only its command line matters to
// the calendar: it reads, compares, writes or removes that.
#pragma once

#include <optional>
#include <string>

namespace tv {

class Autostart {
public:
    virtual ~Autostart() = default;
    // The entry's command line, or nothing when there is no entry.
    virtual std::optional<std::string> command() const = 0;
    virtual bool setCommand(const std::string& command) = 0;
    virtual bool remove() = 0;
};

}  // namespace tv
