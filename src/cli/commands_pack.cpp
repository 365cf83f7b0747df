// Pack files, backups and the update check from the command line. `backup` and `restore` work on
// the user data folder exactly as the settings window's backup page does; a restore while a
// calendar runs is handed to it.
#include <pwd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/config/cp1250.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/names/pack_file.h"
#include "core/ports/download.h"
#include "core/ports/message_box.h"
#include "core/ports/shell.h"
#include "core/settings/backup.h"
#include "core/sync/sync_session.h"
#include "core/update/update_check.h"

namespace tv::cli {
namespace {

// Restored events are not what the sync state knows: the next run matches them by content and
// deletes nothing.
void markSyncUncertain(const std::string& userDataDir) {
    if (!fileExists(syncStorePath(userDataDir))) return;
    SyncSession session;
    if (session.open(userDataDir)) session.binding().markUncertain(session.store());
}

namespace fs = std::filesystem;

constexpr size_t kMaxReplyBytes = 64 * 1024;

std::string packCodeText(PackResult code) {
    switch (code) {
        case PackResult::kReadError:
            return "cannot be read";
        case PackResult::kNoFile:
            return "does not exist";
        case PackResult::kBadMagic:
            return "is not a pack file";
        case PackResult::kBadVersion:
            return "has a pack format version this program cannot read";
        case PackResult::kDamaged:
            return "is cut off before the end of its directory";
        case PackResult::kWriteError:
            return "cannot be written";
        case PackResult::kUnsafeName:
            return "has a name that would leave the folder; refused";
        case PackResult::kTooLarge:
            return "is too large";
        default:
            return "failed (code " + std::to_string(static_cast<int>(code)) + ")";
    }
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::absolute(fs::path(normalizePath(path)), ec);
    return ec ? path : p.lexically_normal().string();
}

std::string stampText(const PackStamp& s) {
    const std::optional<DateTime> t = s.toDateTime();
    return t ? isoDateTime(*t) : std::string("-");
}

// Answers questions from a flag (or, on a terminal, from the user) and prints the rest.
class PackCliBox : public MessageBox {
public:
    PackCliBox(CliContext& c, bool yes, bool askTerminal) : c_(c), yes_(yes), ask_(askTerminal) {}

    MessageAnswer show(const MessageRequest& r) override {
        const std::string text = plainText(r.text);
        if (r.buttons == MessageButtons::kOk) {
            (r.icon == MessageIcon::kInformation ? *c_.out : *c_.err) << text << '\n';
            return MessageAnswer::kOk;
        }
        if (yes_) return MessageAnswer::kOk;
        if (ask_ && ::isatty(STDIN_FILENO) != 0) {
            *c_.err << text << "\n[y/N] " << std::flush;
            std::string line;
            std::getline(std::cin, line);
            if (line == "y" || line == "Y" || line == "i" || line == "I") return MessageAnswer::kOk;
        } else {
            *c_.err << text << '\n';
        }
        return MessageAnswer::kCancel;
    }

private:
    CliContext& c_;
    bool yes_;
    bool ask_;
};

class CliShell : public Shell {
public:
    bool openDocument(const std::string&) override { return false; }
    void beep() override {}
    bool openDateTimeSettings() override { return false; }
    std::string computerName() const override {
        char buf[256] = {};
        return ::gethostname(buf, sizeof buf - 1) == 0 ? std::string(buf) : std::string();
    }
    std::string userName() const override {
        const passwd* pw = ::getpwuid(::getuid());
        return pw != nullptr && pw->pw_name != nullptr ? std::string(pw->pw_name) : std::string();
    }
};

// The command line has no network: only a file:// endpoint answers (tests and offline mirrors
// use one); anything else is "no connection".
class FileUrlDownload : public Download {
public:
    void get(const std::string& url, Done done) override {
        DownloadResult r;
        constexpr std::string_view kScheme = "file://";
        if (url.starts_with(kScheme)) {
            const std::string path = url.substr(kScheme.size(), url.find('?') - kScheme.size());
            r.ok = readWholeFile(path, r.body, kMaxReplyBytes) == ReadResult::kOk;
            if (!r.ok) r.body.clear();
        }
        done(r);
    }
};

int packCreate(CliContext& c, const Arguments& a) {
    const std::string comment = utf8ToCp1250(a.get("--comment"));
    const std::vector<std::string> files = a.all("FILE");
    const std::string out = a.get("OUT");
    const PackResult r = PackFile::pack(out, files, comment, c.clock);
    if (r != PackResult::kOk) return c.fail("pack '" + out + "' " + packCodeText(r));
    return kExitOk;
}

int packList(CliContext& c, const Arguments& a) {
    const std::string file = a.get("FILE");
    PackFile pack;
    if (const PackResult r = pack.openPack(file); r != PackResult::kOk) {
        return c.fail("'" + file + "' " + packCodeText(r));
    }
    if (c.json) {
        *c.out << "{\"comment\":" << jsonString(cp1250ToUtf8(pack.comment()))
               << ",\"packed\":" << jsonString(stampText(pack.packedAt()))
               << ",\"nameWidth\":" << pack.nameWidth() << ",\"entries\":[";
        bool first = true;
        for (const PackEntry& e : pack.entries()) {
            *c.out << (first ? "" : ",") << "{\"name\":" << jsonString(e.name)
                   << ",\"size\":" << e.size << ",\"position\":" << e.position
                   << ",\"created\":" << jsonString(stampText(e.created))
                   << ",\"modified\":" << jsonString(stampText(e.modified))
                   << ",\"attributes\":" << int{e.attributes} << "}";
            first = false;
        }
        *c.out << "]}\n";
    } else {
        for (const PackEntry& e : pack.entries()) {
            *c.out << e.name << '\t' << e.size << '\t' << stampText(e.modified) << '\t'
                   << int{e.attributes} << '\n';
        }
    }
    return kExitOk;
}

int packExtract(CliContext& c, const Arguments& a) {
    const std::string file = a.get("FILE");
    PackFile pack;
    if (const PackResult r = pack.openPack(file); r != PackResult::kOk) {
        return c.fail("'" + file + "' " + packCodeText(r));
    }
    const std::string dir = absolutePath(a.get("DIR"));
    if (!createFolderPath(dir)) return c.fail("cannot create the folder '" + dir + "'");
    int failed = 0;
    for (size_t i = 0; i < pack.entries().size(); ++i) {
        const PackResult r = pack.extractEntry(dir, i, true);
        if (r == PackResult::kOk) continue;
        *c.err << "tempovirens-cli: entry '" << pack.entries()[i].name << "' " << packCodeText(r)
               << '\n';
        ++failed;
    }
    if (failed > 0) return c.fail(std::to_string(failed) + " entries were not extracted");
    return kExitOk;
}

std::string homeDir() {
    const char* h = std::getenv("HOME");
    return h != nullptr ? std::string(h) : std::string();
}

BackupContext backupContext(CliContext& c, HashTable& settings, MessageBox& box, Shell& shell) {
    BackupContext ctx;
    ctx.userDataDir = c.paths.userDataDir;
    ctx.homeDir = homeDir();
    ctx.settings = &settings;
    ctx.strings = &c.strings();
    ctx.clock = &c.clock;
    ctx.box = &box;
    ctx.shell = &shell;
    return ctx;
}

int backupCommand(CliContext& c, const Arguments& a) {
    const fs::path target(absolutePath(a.get("FILE")));
    const auto local = [&] {
        const std::string dir = c.paths.userDataDir;
        const std::string settingsPath = dir + "settings.cfg";
        HashTable settings;
        if (fileExists(settingsPath)) readConfig(settings, settingsPath);

        PackCliBox box(c, true, false);  // naming the file is the answer to the overwrite question
        CliShell shell;
        bool wrote = false;
        const auto saveAllData = [&] {
            createFolderPath(dir);
            // What the window would have in memory is on disk here; only a missing event
            // database has to be made, as the calendar's first start would.
            if (!fileExists(dir + std::string(kEventDbName))) {
                EventTable table;
                const EventDbContext db = eventDbContextFor(dir, c.clock, c.strings(), settings);
                if (loadEventDatabase(table, db)) saveEventDatabase(table, db);
            }
            wrote = writeConfig(settings, settingsPath);
        };
        const BackupSaveResult r =
            saveBackup(backupContext(c, settings, box, shell), target.parent_path().string(),
                       target.filename().string(), saveAllData);
        if (wrote) writeConfig(settings, settingsPath);  // Backup_Last as the save left it
        switch (r) {
            case BackupSaveResult::kSaved:
                return kExitOk;
            case BackupSaveResult::kNoFileName:
                return c.usage();
            default:
                return kExitFailure;
        }
    };
    // A running calendar writes the backup itself: it holds the newest data, and Backup_Last.
    ChangeRequest request;
    request.kind = ChangeKind::kSaveBackup;
    request.backupPath = target.string();
    return runChange(c, request, local, [&c](const ChangeReply&) {
        *c.out << plainText(c.strings().getString("sets_bksave_done")) << '\n';
        return kExitOk;
    });
}

int restoreCommand(CliContext& c, const Arguments& a) {
    const bool yes = a.has("--yes");
    const std::string file = a.get("FILE");
    if (file.empty()) return c.usage();
    ChangeRequest request;
    request.kind = ChangeKind::kRestoreBackup;
    request.yes = yes;
    request.backupPath = absolutePath(file);
    const auto local = [&] {
        HashTable settings;
        PackCliBox box(c, yes, true);
        CliShell shell;
        switch (restoreBackup(backupContext(c, settings, box, shell), request.backupPath, {})) {
            case RestoreResult::kRestored:
                markSyncUncertain(c.paths.userDataDir);
                return kExitOk;
            case RestoreResult::kNotOpened:
                return c.fail("'" + file + "' is not a pack file");
            case RestoreResult::kCancelled:
                return c.fail("not restored (confirm with --yes)");
            case RestoreResult::kWriteFailed:
                return c.fail("the restored files could not be written to '" + c.paths.userDataDir +
                              "'; nothing was changed");
            default:
                return kExitFailure;
        }
    };
    // A running calendar restores it itself and loads the restored data.
    return runChange(c, request, local, [&c](const ChangeReply&) {
        *c.out << plainText(c.strings().getString("sets_bk_restoredone")) << '\n';
        return kExitOk;
    });
}

int eventCount(const std::string& userDataDir) {
    std::string bytes;
    if (readWholeFile(userDataDir + std::string(kEventDbName), bytes) != ReadResult::kOk) return 0;
    EventTable table;
    decodeEventDatabase(bytes, table);
    return table.eventCount();
}

int updateCheckCommand(CliContext& c, const Arguments& a) {
    const std::string settingsPath = c.paths.userDataDir + "settings.cfg";
    // A running calendar keeps its own update state in settings.cfg.
    WriteAccess access(c);
    const bool record = mayWriteHere(c, access);
    HashTable settings;
    if (fileExists(settingsPath)) readConfig(settings, settingsPath);

    UpdateContext ctx;
    ctx.settings = &settings;
    ctx.clock = &c.clock;
    ctx.strings = &c.strings();
    ctx.programDir = c.paths.programDir;
    ctx.skin = read(settings, settings::Skin);
    ctx.entries = eventCount(c.paths.userDataDir);
    ctx.saveSettings = [&] {
        if (!record) return true;
        return createFolderPath(c.paths.userDataDir) && writeConfig(settings, settingsPath);
    };
    UpdateState state;
    updateStateAtStart(state, ctx);
    FileUrlDownload download;
    int status = kCheckNoConnection;
    getOnlineVersion(state, ctx, &download, a.has("--manual"), [&status](int s) { status = s; });

    const std::string local = ctx.running.text();
    const std::string online = storedLatestVersion(settings, ctx.running).text();
    if (c.json) {
        *c.out << "{\"status\":" << status << ",\"local\":" << jsonString(local)
               << ",\"online\":" << jsonString(online)
               << ",\"link\":" << jsonString(read(settings, settings::Update_Link)) << "}\n";
    } else {
        *c.out << status << '\t' << local << '\t' << online << '\n';
    }
    if (status == kCheckNotConfigured) return c.fail("no update service is configured");
    if (status == kCheckNoConnection) return c.fail("no connection to the update service");
    if (status == kCheckInvalidReply) return c.fail("the update service sent no usable reply");
    return kExitOk;
}

void describePack(CommandTree& t) {
    CLI::App& pack = t.group("pack", "pack files, the format of backups");
    CLI::App& create = t.add("create", "packs files into one", packCreate, &pack);
    addOption(create, "OUT", "the pack to write")->required();
    addOption(create, "FILE", "the files to pack")
        ->required()
        ->expected(1, 255)
        ->allow_extra_args();
    addOption(create, "--comment", "the pack's comment")->type_name("TEXT");
    addOption(t.add("list", "the entries of a pack: name, size, time, attributes", packList, &pack),
              "FILE", "the pack")
        ->required();
    CLI::App& extract = t.add("extract", "unpacks every entry into a folder", packExtract, &pack);
    addOption(extract, "FILE", "the pack")->required();
    addOption(extract, "DIR", "the folder; it is made when missing")->required();

    addOption(t.add("backup", "saves your data into a backup file, as the settings window does",
                    backupCommand),
              "FILE", "the backup to write (*.backup); an existing one is replaced")
        ->required();
    CLI::App& restore =
        t.add("restore", "restores your data from a backup file, as the settings window does",
              restoreCommand);
    addOption(restore, "FILE", "the backup")->required();
    addFlag(restore, "--yes", "restores without asking");
    restore.footer("While the calendar runs, it restores the backup itself and loads it.");
    addFlag(
        t.add("update-check", "asks the update service for a newer version", updateCheckCommand),
        "--manual", "ask as the about window's button does")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

}  // namespace

const CommandRegistration kPack{describePack};

}  // namespace tv::cli
