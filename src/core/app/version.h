// The program's name and version, as the title, the log header and the update check show them.
#pragma once

#include <string>
#include <string_view>

namespace tv {

inline constexpr std::string_view kProgramName = "Tempovirens";
// The name the desktop knows the calendar by: its launcher (".desktop"), its icon, its
// software-catalogue entry and, on Wayland, its windows.
inline constexpr std::string_view kDesktopId = "hu.brimcove.tempovirens";
inline constexpr int kVersionMajor = TV_VERSION_MAJOR;
inline constexpr int kVersionMinor = TV_VERSION_MINOR;
inline constexpr int kVersionRevision = TV_VERSION_REVISION;

// "major.minor.revision"
inline std::string versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

}  // namespace tv
