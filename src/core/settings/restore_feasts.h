// A restore brings back the events and settings of the backup, but not a feast the user has
// turned down since: a backup made before version 2.3.0 has neither Good Friday nor the mark
// that it was offered, so without this the restored table would get it again at the reload.
#pragma once

#include <string>

namespace tv {

class HashTable;

// Whether the user of `userDataDir` has turned Good Friday down, judged from the files there
// and, when given, the running program's settings (which may be newer than settings.cfg).
// Called before the restored files replace them.
bool goodFridayDeclinedBeforeRestore(const std::string& userDataDir, const HashTable* live);

// Marks Good Friday as offered in the unpacked settings.cfg of `unpackedDir` (ends with "/").
// A backup without settings.cfg (the old generation's files) is left as it is.
void keepGoodFridayDeclined(const std::string& unpackedDir);

}  // namespace tv
