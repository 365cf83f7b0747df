// Backup and restore of the user's data: "events.cdb" and "settings.cfg" in one pack file named
// "*.backup", whose comment says which product and version wrote it, on which computer and for
// which user. The settings window's backup page calls these; the CLI does too.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/update/version_number.h"

namespace tv {

class Clock;
class Dialogs;
class HashTable;
class Log;
class MessageBox;
class Shell;
class StringTable;

inline constexpr std::string_view kBackupProduct = "Tempovirens";
inline constexpr std::string_view kBackupExtension = ".backup";

// What a backup's comment says. The comment is "Tempovirens", 0x00, the writer's version (three
// biased 16-bit numbers) and, from writers that record them, the computer and the user name as
// length-prefixed Windows-1250 texts.
struct BackupComment {
    VersionNumber version;
    bool hasNames = false;  // the comment goes on after the version
    std::string computer;   // UTF-8
    std::string user;
};

std::string buildBackupComment(VersionNumber version, std::string_view computer,
                               std::string_view user);
// Nothing when the comment does not start with the product name or stops inside the version.
std::optional<BackupComment> readBackupComment(std::string_view comment);

// Folders a backup must not go to: "/" itself, and the system's own trees (/bin, /boot, /dev,
// /etc, /lib*, /opt, /proc, /run, /sbin, /sys, /usr, /var) with everything under them, checked
// both as typed and with symbolic links resolved. A folder inside `home` is always allowed,
// wherever the home folder lives.
bool isSystemFolder(std::string_view folder, std::string_view home = {});

// folder + "/" + the trimmed name, with ".backup" added unless the name already ends in it.
std::string backupPathFor(std::string_view folder, std::string_view fileName);

struct BackupContext {
    std::string userDataDir;  // ends with "/"; also where old ".qzi" files are migrated from
    std::string homeDir;      // see isSystemFolder
    HashTable* settings = nullptr;
    const StringTable* strings = nullptr;
    const Clock* clock = nullptr;
    MessageBox* box = nullptr;
    Shell* shell = nullptr;  // the computer's and the user's names; may be null
    Log* log = nullptr;      // may be null
    VersionNumber running = VersionNumber::running();
};

// The folder-browse dialog of the backup page: the chosen folder, or nothing when the user
// cancelled or chose a system folder (which is refused with a warning).
std::optional<std::string> chooseBackupFolder(Dialogs& dialogs, const BackupContext& ctx);

enum class BackupSaveResult {
    kSaved,
    kNoFileName,    // the caller puts the focus on the file name
    kSystemFolder,  // refused with a warning
    kNoFolder,      // "sets_bk_nodir"
    kCancelled,     // the overwrite question was answered Cancel
    kFailed,        // "sets_bksave_failed"
};

// Saves the backup: `saveAllData` writes the event database, the window position and
// "settings.cfg" first, so that the backup holds the moment of the backup in `Backup_Last`.
// `Backup_Last` ends as now when the pack was written and as before otherwise.
BackupSaveResult saveBackup(const BackupContext& ctx, std::string_view folder,
                            std::string_view fileName, const std::function<void()>& saveAllData);

// The open-file dialog of a restore, starting in the backup folder; nothing when cancelled.
std::optional<std::string> askBackupToRestore(Dialogs& dialogs, const BackupContext& ctx,
                                              std::string_view folder);

struct RestoreHooks {
    // Closing the settings window then writes no settings; the next load clears it.
    std::function<void()> setRestoreFlag;
    // Takes the calendar down and loads it again from the restored files.
    std::function<void()> reload;
};

enum class RestoreResult {
    kRestored,
    kNotOpened,     // no pack at all: nothing is said
    kInvalidFile,   // not a backup of ours, or its contents are damaged
    kNewerVersion,  // written by a newer program
    kCancelled,
    kWriteFailed,  // the files could not be put in place; the old ones are untouched
};

// Restores a backup after the user's confirmation. Every entry is unpacked into a temporary
// folder first; the user's files are replaced only when all of them came out whole.
RestoreResult restoreBackup(const BackupContext& ctx, const std::string& path,
                            const RestoreHooks& hooks);

// The backup page's "last backup" line for the stored `Backup_Last` text.
std::string lastBackupText(std::string_view backupLast, Date today, const StringTable& strings);

}  // namespace tv
