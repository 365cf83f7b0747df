// Files and folders: existence tests, folder creation, forced deletion, whole-file reads and the
// safe save every rewritten file goes through.
#pragma once

#include <string>
#include <string_view>

#include "core/calc/file_ops.h"

namespace tv {

// Stored paths may use "\" (they came from Windows); on disk we use "/".
std::string normalizePath(std::string_view path);

// The folder holding the last part of a path: "." for a bare name, "/" for a name in the root.
std::string folderOf(std::string_view path);

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
// `path` and flushes the folder. A failure before the rename leaves the old file as it was; the
// temporary file never stays behind. False (with the reason in errno) on any failure, also when
// the folder could not be flushed after the rename: the new bytes are then in place but might
// not survive a power cut. A read-only target is made writable first.
// `mode` is the new file's permission bits (less the umask).
bool saveFileAtomic(const std::string& path, std::string_view bytes,
                    std::string_view tempSuffix = ".tmp", unsigned mode = 0644,
                    FileOps& ops = systemFileOps());

// Flushes a folder's entries (a rename or a new name in it) to disk. A file system that cannot
// flush folders counts as done.
bool flushFolder(const std::string& folder, FileOps& ops = systemFileOps());

}  // namespace tv
