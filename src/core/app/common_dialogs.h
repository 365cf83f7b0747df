// The shared dialog calls: which filters a file kind offers, where the dialog starts, points and
// pixels, opening documents, and the orderly exit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/dialogs.h"

namespace tv {

class Dialogs;
class StringTable;

enum class FileKind : int { kPictures = 0, kSounds = 1, kAny = 2, kBackups = 3 };

// The filters of a kind, labels from the string table, in their order; none for kAny.
std::vector<FileFilter> fileFiltersFor(FileKind kind, const StringTable& strings);

// The open-file request: filters, and when `currentPath` holds a folder separator, the folder up
// to the last one to start in and (unless `keepName`) the rest as the offered name.
OpenFileRequest makeOpenFileRequest(FileKind kind, std::string_view currentPath,
                                    std::string_view title, bool keepName,
                                    const StringTable& strings);

// Shows the dialog; the chosen path, or nothing when the user cancelled.
std::optional<std::string> openFileDialog(Dialogs& dialogs, FileKind kind,
                                          std::string_view currentPath, std::string_view title,
                                          bool keepName, const StringTable& strings);

// The folder browser; the empty text on cancel.
std::string browseFolder(Dialogs& dialogs, std::string_view title);

// h * 72 / dpi and p * dpi / 72, whole numbers as the font code stores them.
int heightToPoints(int heightPx, int dpi);
int pointsToHeight(int points, int dpi);

}  // namespace tv
