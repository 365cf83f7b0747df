// Files and folders: existence tests, folder creation, forced deletion, whole-file reads and the
// safe save every rewritten file goes through.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Stored paths may use "\" (they came from Windows); on disk we use "/".
std::string normalizePath(std::string_view path);

// True when the trimmed path is not empty and names a folder.
bool folderExists(std::string_view path);
// True when the trimmed path is at least 4 characters long and names a file (not a folder).
bool fileExists(std::string_view path);
// Creates every missing folder along an absolute path; true when the folder exists at the end.
bool createFolderPath(std::string_view path);
// Makes the file writable and deletes it; false when there was no such file.
bool deleteFileForced(std::string_view path);

enum class ReadResult { kOk, kMissing, kError, kTooLarge };
// Reads a whole file of at most `maxBytes`.
ReadResult readWholeFile(const std::string& path, std::string& out,
                         size_t maxBytes = size_t{256} << 20);

// Writes `bytes` to path + `tempSuffix` in the same folder, flushes it to disk, renames it over
// `path` and flushes the folder. On any failure the old file stays as it was, the temporary file
// is removed and false is returned. A read-only target is made writable first.
// `mode` is the new file's permission bits (less the umask).
bool saveFileAtomic(const std::string& path, std::string_view bytes,
                    std::string_view tempSuffix = ".tmp", unsigned mode = 0644);

}  // namespace tv
