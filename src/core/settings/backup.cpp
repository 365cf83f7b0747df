#include "core/settings/backup.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/app/folders.h"
#include "core/app/log.h"
#include "core/calc/date_words.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/binary_io.h"
#include "core/config/cp1250.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/names/pack_file.h"
#include "core/ports/clock.h"
#include "core/ports/dialogs.h"
#include "core/ports/message_box.h"
#include "core/ports/shell.h"
#include "core/settings/restore_feasts.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

constexpr size_t kCommentVersionEnd = 18;  // product, 0x00 and three 16-bit numbers
constexpr std::string_view kOldCopySuffix = ".pre-restore";

std::string trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    const size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

MessageAnswer say(const BackupContext& ctx, std::string text, MessageIcon icon,
                  MessageButtons buttons = MessageButtons::kOk) {
    // Without a box nobody can confirm anything, so a question counts as declined.
    if (ctx.box == nullptr) return MessageAnswer::kCancel;
    MessageRequest m;
    m.text = std::move(text);
    const bool error = icon == MessageIcon::kWarning || icon == MessageIcon::kCritical;
    m.title = ctx.strings->getString(error ? "com_error" : "com_title");
    m.buttons = buttons;
    m.icon = icon;
    return ctx.box->show(m);
}

void logLine(const BackupContext& ctx, std::string_view text) {
    if (ctx.log != nullptr) ctx.log->write(text, 0);
}

// A path as a plain absolute one: "/" separators, no ".", "..", doubled or trailing "/".
std::string plainAbsolute(std::string_view path, bool resolveLinks) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(normalizePath(trimmed(path))), ec);
    if (ec) return {};
    p = resolveLinks ? fs::weakly_canonical(p, ec) : p.lexically_normal();
    if (ec) return {};
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool inside(std::string_view path, std::string_view folder) {
    return path == folder ||
           (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/');
}

bool systemPath(std::string_view p) {
    if (p == "/") return true;
    if (p.size() < 2 || p[0] != '/') return false;
    const std::string_view top = p.substr(1, p.find('/', 1) - 1);
    // lib, lib32, lib64, libx32, ...
    if (top.starts_with("lib") &&
        top.substr(3).find_first_not_of("0123456789x") == std::string_view::npos) {
        return true;
    }
    static constexpr std::array<std::string_view, 11> kRoots = {
        "bin", "boot", "dev", "etc", "opt", "proc", "run", "sbin", "sys", "usr", "var"};
    for (std::string_view root : kRoots) {
        if (top == root) return true;
    }
    return false;
}

// The unique entry names of the pack, in order.
std::vector<std::string> entryNames(const PackFile& pack) {
    std::vector<std::string> names;
    for (const PackEntry& e : pack.entries()) {
        if (std::find(names.begin(), names.end(), e.name) == names.end()) names.push_back(e.name);
    }
    return names;
}

// Moves the unpacked files over the user's, keeping each old file aside until all are in place
// and putting everything back when one of them cannot be moved.
bool swapIn(const std::string& from, const std::string& to, const std::vector<std::string>& names) {
    std::vector<std::string> placed;
    std::vector<std::string> keptOld;
    bool ok = true;
    for (const std::string& name : names) {
        const std::string target = to + name;
        const std::string old = target + std::string(kOldCopySuffix);
        struct stat st {};
        if (::lstat(target.c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode) || std::rename(target.c_str(), old.c_str()) != 0) {
                ok = false;
                break;
            }
            keptOld.push_back(name);
        }
        if (std::rename((from + name).c_str(), target.c_str()) != 0) {
            ok = false;
            break;
        }
        placed.push_back(name);
    }
    if (!ok) {
        for (const std::string& name : placed)
            ::unlink((to + name).c_str());
        for (const std::string& name : keptOld)
            std::rename((to + name + std::string(kOldCopySuffix)).c_str(), (to + name).c_str());
        return false;
    }
    for (const std::string& name : keptOld)
        ::unlink((to + name + std::string(kOldCopySuffix)).c_str());
    return true;
}

// "2026. december 6. 14:05"; a stamp that names no moment is shown as stored.
std::string restoreQuestionTime(const PackStamp& s, const StringTable& strings) {
    if (const auto t = s.toDateTime()) return dateTimeText(*t, strings);
    return numericDateText(s.year, s.month, s.day) + " " + std::to_string(s.hour) + ":" +
           twoDigits(s.minute);
}

}  // namespace

std::string buildBackupComment(VersionNumber version, std::string_view computer,
                               std::string_view user) {
    ByteWriter w;
    w.raw(kBackupProduct);
    w.byte(0);
    w.int16(version.major);
    w.int16(version.minor);
    w.int16(version.revision);
    // The whole comment has 255 bytes: the names share what the version leaves.
    size_t room = PackFile::kMaxCommentBytes - kCommentVersionEnd - 2;
    for (std::string_view name : {computer, user}) {
        std::string bytes = utf8ToCp1250(name);
        bytes.resize(std::min(bytes.size(), room));
        room -= bytes.size();
        w.byte(static_cast<uint8_t>(bytes.size()));
        w.raw(bytes);
    }
    return w.take();
}

std::optional<BackupComment> readBackupComment(std::string_view comment) {
    if (!comment.starts_with(kBackupProduct) || comment.size() < kCommentVersionEnd) {
        return std::nullopt;
    }
    ByteReader r(comment.substr(kBackupProduct.size() + 1));
    BackupComment c;
    c.version.major = r.int16();
    c.version.minor = r.int16();
    c.version.revision = r.int16();
    // Writers before the names stopped after the revision. The length tells them apart: a
    // version alone does not, since a copy may have been built with any number.
    c.hasNames = comment.size() > kCommentVersionEnd;
    if (c.hasNames) {
        c.computer = cp1250ToUtf8(r.raw(r.byte()));
        c.user = cp1250ToUtf8(r.raw(r.byte()));
    }
    return c;
}

bool isSystemFolder(std::string_view folder, std::string_view home) {
    const std::string typed = plainAbsolute(folder, false);
    const std::string real = plainAbsolute(folder, true);
    if (typed.empty() || real.empty()) return false;
    const std::string homeTyped = home.empty() ? std::string() : plainAbsolute(home, false);
    const std::string homeReal = home.empty() ? std::string() : plainAbsolute(home, true);
    for (const std::string& h : {homeTyped, homeReal}) {
        if (h.size() > 1 && (inside(typed, h) || inside(real, h))) return false;
    }
    return systemPath(typed) || systemPath(real);
}

std::string backupPathFor(std::string_view folder, std::string_view fileName) {
    std::string name = trimmed(fileName);
    if (!name.ends_with(kBackupExtension)) name += kBackupExtension;
    return withSlash(normalizePath(trimmed(folder))) + name;
}

std::optional<std::string> chooseBackupFolder(Dialogs& dialogs, const BackupContext& ctx) {
    std::optional<std::string> chosen =
        dialogs.browseFolder(ctx.strings->getString("sets_selectsavedir"));
    if (!chosen) return std::nullopt;
    if (isSystemFolder(*chosen, ctx.homeDir)) {
        say(ctx, ctx.strings->getString("sets_bk_err_sysdir"), MessageIcon::kWarning);
        return std::nullopt;
    }
    return chosen;
}

BackupSaveResult saveBackup(const BackupContext& ctx, std::string_view folder,
                            std::string_view fileName, const std::function<void()>& saveAllData) {
    HashTable& settings = *ctx.settings;
    const std::string remembered = read(settings, settings::Backup_Last);
    if (trimmed(fileName).empty()) return BackupSaveResult::kNoFileName;

    const std::string dir = withSlash(normalizePath(trimmed(folder)));
    if (trimmed(folder).empty() || !folderExists(dir)) {
        say(ctx, ctx.strings->getString("sets_bk_nodir"), MessageIcon::kWarning);
        return BackupSaveResult::kNoFolder;
    }
    // A typed folder gets the same refusal as a chosen one.
    if (isSystemFolder(dir, ctx.homeDir)) {
        say(ctx, ctx.strings->getString("sets_bk_err_sysdir"), MessageIcon::kWarning);
        return BackupSaveResult::kSystemFolder;
    }

    // The backup's own settings.cfg records the backup.
    write(settings, settings::Backup_Last, isoDateTime(ctx.clock->now()));
    if (saveAllData) saveAllData();

    const std::string path = backupPathFor(dir, fileName);
    if (fileExists(path) &&
        say(ctx, ctx.strings->getString("sets_bk_qoverwrite"), MessageIcon::kQuestion,
            MessageButtons::kOkCancel) != MessageAnswer::kOk) {
        write(settings, settings::Backup_Last, remembered);
        return BackupSaveResult::kCancelled;
    }
    createFolderPath(dir);

    const std::string computer = ctx.shell != nullptr ? ctx.shell->computerName() : std::string();
    const std::string user = ctx.shell != nullptr ? ctx.shell->userName() : std::string();
    const PackResult packed =
        PackFile::pack(path, {ctx.userDataDir + "events.cdb", ctx.userDataDir + "settings.cfg"},
                       buildBackupComment(ctx.running, computer, user), *ctx.clock);
    if (packed != PackResult::kOk) {
        write(settings, settings::Backup_Last, remembered);
        logLine(ctx, "Backup to '" + path + "' failed (code " +
                         std::to_string(static_cast<int>(packed)) + ")");
        say(ctx, ctx.strings->getString("sets_bksave_failed"), MessageIcon::kWarning);
        return BackupSaveResult::kFailed;
    }
    say(ctx, ctx.strings->getString("sets_bksave_done"), MessageIcon::kInformation);
    write(settings, settings::Backup_Last, isoDateTime(ctx.clock->now()));
    return BackupSaveResult::kSaved;
}

std::optional<std::string> askBackupToRestore(Dialogs& dialogs, const BackupContext& ctx,
                                              std::string_view folder) {
    OpenFileRequest r;
    r.title = ctx.strings->getString("sets_openbackup");
    r.filters.push_back({ctx.strings->getString("sets_filter_backup"), "*.backup"});
    r.startFolder = normalizePath(trimmed(folder));
    return dialogs.openFile(r);
}

RestoreResult restoreBackup(const BackupContext& ctx, const std::string& path,
                            const RestoreHooks& hooks) {
    PackFile pack;
    if (pack.openPack(path) != PackResult::kOk) return RestoreResult::kNotOpened;

    const std::optional<BackupComment> comment = readBackupComment(pack.comment());
    if (!comment) {
        say(ctx, ctx.strings->getString("sets_bk_invalidfile"), MessageIcon::kWarning);
        return RestoreResult::kInvalidFile;
    }
    const VersionNumber v = comment->version;
    // The revision never blocks a restore: revisions do not change the files.
    if (v.major > ctx.running.major ||
        (v.major == ctx.running.major && v.minor > ctx.running.minor)) {
        say(ctx, ctx.strings->getString("sets_bk_wrongver"), MessageIcon::kWarning);
        return RestoreResult::kNewerVersion;
    }

    const std::string when = restoreQuestionTime(pack.packedAt(), *ctx.strings);
    const std::string question = comment->computer.empty() && comment->user.empty()
                                     ? ctx.strings->formatString("sets_bk_q_restore", when)
                                     : ctx.strings->formatString("sets_bk_q_restore2", when,
                                                                 comment->computer, comment->user);
    if (say(ctx, question, MessageIcon::kQuestion, MessageButtons::kOkCancel) !=
        MessageAnswer::kOk) {
        return RestoreResult::kCancelled;
    }
    logLine(ctx, "Unpack backup file (v" + v.text() + ")");

    // Everything comes out into a folder of our own first, on the same file system so that
    // putting the files in place is a rename each.
    const std::string dir = withSlash(ctx.userDataDir);
    createFolderPath(dir);
    std::string temp = dir + ".restore-XXXXXX";
    if (::mkdtemp(temp.data()) == nullptr) {
        logLine(ctx, "Restore failed: no temporary folder in '" + dir + "'");
        return RestoreResult::kWriteFailed;
    }
    temp += '/';
    const auto removeTemp = [&temp] {
        std::error_code ec;
        fs::remove_all(temp, ec);
    };
    const PackResult unpacked = pack.extractAll(temp, true);
    if (unpacked != PackResult::kOk) {
        removeTemp();
        logLine(ctx, "Restore failed: the backup did not unpack whole (code " +
                         std::to_string(static_cast<int>(unpacked)) + "); nothing was changed");
        if (unpacked == PackResult::kWriteError) return RestoreResult::kWriteFailed;
        say(ctx, ctx.strings->getString("sets_bk_invalidfile"), MessageIcon::kWarning);
        return RestoreResult::kInvalidFile;
    }

    // A feast the user turned down after the backup was made stays turned down.
    if (goodFridayDeclinedBeforeRestore(dir, ctx.settings)) keepGoodFridayDeclined(temp);
    const bool placed = swapIn(temp, dir, entryNames(pack));
    removeTemp();
    if (!placed) {
        logLine(ctx,
                "Restore failed: the unpacked files could not be put in place; nothing was "
                "changed");
        return RestoreResult::kWriteFailed;
    }
    // From here on the settings in memory are stale: they must not be written over the restored
    // file.
    if (hooks.setRestoreFlag) hooks.setRestoreFlag();
    // A backup of the generation before "events.cdb" holds the old ".qzi" files: without the
    // new files the reload migrates them.
    if (v.major == 1 && v.minor == 1 && !comment->hasNames) {
        deleteFileForced(dir + "events.cdb");
        deleteFileForced(dir + "settings.cfg");
    }
    pack.closePack();
    say(ctx, ctx.strings->getString("sets_bk_restoredone"), MessageIcon::kInformation);
    if (hooks.reload) hooks.reload();
    return RestoreResult::kRestored;
}

std::string lastBackupText(std::string_view backupLast, Date today, const StringTable& strings) {
    const DateTime t = parseDateTime(backupLast);
    if (t.date.isZero()) return strings.getString("sets_nobackup");

    const int d = t.date.daysUntil(today);
    std::string ago;
    if (d < 0) {
        ago = " ";
    } else if (d == 0) {
        ago = strings.getString("sets_bk_today");
    } else if (d == 1) {
        ago = strings.getString("sets_bk_yesterday1");
    } else if (d == 2) {
        ago = strings.getString("sets_bk_yesterday2");
    } else if (d < 7) {
        ago = strings.formatString("sets_bk_days_ago", std::to_string(d));
    } else if (d % 7 == 0) {
        ago = strings.formatString("sets_bk_weeks_ago", std::to_string(d / 7));
    } else {
        ago = strings.formatString("sets_bk_dayweek_ago", std::to_string(d / 7),
                                   std::to_string(d % 7));
    }
    return strings.formatString("sets_bk_lasttime", dateTimeText(t, strings), ago);
}

}  // namespace tv
