// Why the calendar window is loaded or taken down. The log writes each mode as the word the
// start-up sequence has always used, so the modes are values in code and words only there.
#pragma once

#include <string_view>

namespace tv {

enum class LoadMode {
    kLaunchByUser,  // started by the user
    kBoot,          // started at log-on ("-boot")
    kSchedule,      // the tray's daily showing
    kAlert,         // an alarm wants the window
    kRestore,       // after a backup was restored
    kSkin,          // after a change of skin
    kRaise,         // wanted again while it may be up: load it, or bring it to the front
};

enum class UnloadMode {
    kClose,    // an ordinary close
    kRestore,  // a backup is being restored: nothing is saved over the restored files
    kDbError,  // the event database could not be read: nothing is saved at all
};

constexpr std::string_view logWord(LoadMode mode) {
    switch (mode) {
        case LoadMode::kLaunchByUser:
            return "launch_by_user";
        case LoadMode::kBoot:
            return "boot";
        case LoadMode::kSchedule:
            return "schedule";
        case LoadMode::kAlert:
            return "alert";
        case LoadMode::kRestore:
            return "restore";
        case LoadMode::kSkin:
            return "skin";
        case LoadMode::kRaise:
            break;
    }
    return "";
}

constexpr std::string_view logWord(UnloadMode mode) {
    switch (mode) {
        case UnloadMode::kRestore:
            return "restore";
        case UnloadMode::kDbError:
            return "dberror";
        case UnloadMode::kClose:
            break;
    }
    return "";
}

}  // namespace tv
