// The start at log-on as an XDG autostart entry:
// $XDG_CONFIG_HOME/autostart/brimcove-tempovirens.desktop. Its Exec line is the command.
#pragma once

#include <string>

#include "core/ports/autostart.h"

namespace tv {

class QtAutostart : public Autostart {
public:
    static constexpr const char* kFileName = "brimcove-tempovirens.desktop";

    // $XDG_CONFIG_HOME (default ~/.config) + "/autostart/".
    QtAutostart();
    // An explicit entry file (tests).
    explicit QtAutostart(const std::string& entryPath);

    // The Exec value; nothing when there is no entry or the desktop was told to skip it.
    std::optional<std::string> command() const override;
    bool setCommand(const std::string& command) override;
    bool remove() override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The value of a desktop-entry line with its escapes (\s \n \t \r \\) resolved, and back.
std::string unescapeDesktopValue(const std::string& value);
std::string escapeDesktopValue(const std::string& value);

}  // namespace tv
