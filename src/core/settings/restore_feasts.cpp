#include "core/settings/restore_feasts.h"

#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/events/feast_upgrade.h"

namespace tv {
namespace {

constexpr std::string_view kSettingsFile = "settings.cfg";

}  // namespace

bool goodFridayDeclinedBeforeRestore(const std::string& userDataDir, const HashTable* live) {
    HashTable settings;
    readConfig(settings, userDataDir + std::string(kSettingsFile));
    const std::string_view key = settings::Feast_GoodFridayOffered.key;
    if (live != nullptr && live->exists(key) && live->item(key) == "1") {
        markGoodFridayOffered(settings);
    }
    // A table that cannot be read counts as empty: then the mark alone decides.
    EventTable table;
    std::string bytes;
    if (readWholeFile(userDataDir + std::string(kEventDbName), bytes) == ReadResult::kOk) {
        decodeEventDatabase(bytes, table);
    }
    return goodFridayDeclined(table, settings);
}

void keepGoodFridayDeclined(const std::string& unpackedDir) {
    const std::string path = unpackedDir + std::string(kSettingsFile);
    if (!fileExists(path)) return;
    HashTable settings;
    readConfig(settings, path);
    markGoodFridayOffered(settings);
    writeConfig(settings, path);
}

}  // namespace tv
