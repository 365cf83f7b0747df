#include "core/app/common_dialogs.h"

#include <cmath>

#include "core/config/string_table.h"
#include "core/ports/image_loader.h"

namespace tv {
namespace {

std::string allPictures() {
    std::string pattern;
    for (std::string_view ext : kPictureExtensions) {
        if (!pattern.empty()) pattern += "; ";
        pattern += "*";
        pattern += ext;
    }
    return pattern;
}

}  // namespace

std::vector<FileFilter> fileFiltersFor(FileKind kind, const StringTable& s) {
    switch (kind) {
        case FileKind::kPictures:
            // What the picture loader reads, and nothing else.
            return {{s.getString("sets_filter_pic1"), allPictures()},
                    {s.getString("sets_filter_pic2"), "*.bmp"},
                    {s.getString("sets_filter_pic3"), "*.jpg; *.jpeg"},
                    {s.getString("sets_filter_pic4"), "*.gif"},
                    {s.getString("sets_filter_pic5"), "*.png"}};
        case FileKind::kSounds:
            return {{s.getString("sets_filter_snd"), "*.wav"}};
        case FileKind::kBackups:
            return {{s.getString("sets_filter_backup"), "*.backup"}};
        case FileKind::kAny:
            break;
    }
    return {};
}

OpenFileRequest makeOpenFileRequest(FileKind kind, std::string_view currentPath,
                                    std::string_view title, bool keepName,
                                    const StringTable& strings) {
    OpenFileRequest r;
    r.title = title;
    r.filters = fileFiltersFor(kind, strings);
    // Stored paths may still carry the old separator; either one marks the folder.
    size_t blank = currentPath.find_first_not_of(' ');
    size_t sep = currentPath.find_last_of("/\\");
    if (blank != std::string_view::npos && sep != std::string_view::npos) {
        r.startFolder = currentPath.substr(0, sep + 1);
        for (char& c : r.startFolder) {
            if (c == '\\') c = '/';
        }
        if (!keepName) r.initialName = currentPath.substr(sep + 1);
    }
    return r;
}

std::optional<std::string> openFileDialog(Dialogs& dialogs, FileKind kind,
                                          std::string_view currentPath, std::string_view title,
                                          bool keepName, const StringTable& strings) {
    return dialogs.openFile(makeOpenFileRequest(kind, currentPath, title, keepName, strings));
}

std::string browseFolder(Dialogs& dialogs, std::string_view title) {
    auto folder = dialogs.browseFolder(std::string(title));
    if (!folder) return {};
    // Cut at a stray NUL the way a fixed buffer would be.
    return folder->substr(0, folder->find('\0'));
}

int heightToPoints(int heightPx, int dpi) {
    return dpi <= 0 ? 0 : static_cast<int>(std::lround(heightPx * 72.0 / dpi));
}

int pointsToHeight(int points, int dpi) {
    return static_cast<int>(std::lround(points * static_cast<double>(dpi) / 72.0));
}

}  // namespace tv
