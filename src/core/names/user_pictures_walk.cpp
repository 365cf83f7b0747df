#include "core/names/user_pictures_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/app/log.h"
#include "core/calc/files.h"
#include "core/ports/clock.h"
#include "core/ports/image_loader.h"

namespace tv {
namespace {

constexpr std::string_view kSystemFolders[] = {"/proc", "/sys", "/dev", "/run"};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsLower(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != lowerWord[i]) return false;
    }
    return true;
}

// What an entry is once symbolic links are looked through: a folder reached through a link is
// reported as neither, so the walk never follows it.
enum class Kind { kOther, kFile, kFolder };

Kind kindOf(const std::string& path, uint8_t type) {
    struct stat st {};
    switch (type) {
        case DT_REG:
            return Kind::kFile;
        case DT_DIR:
            return Kind::kFolder;
        case DT_LNK:
            return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? Kind::kFile
                                                                         : Kind::kOther;
        case DT_UNKNOWN:  // file systems that do not fill d_type
            if (::lstat(path.c_str(), &st) != 0) return Kind::kOther;
            if (S_ISDIR(st.st_mode)) return Kind::kFolder;
            if (S_ISREG(st.st_mode)) return Kind::kFile;
            if (S_ISLNK(st.st_mode)) return kindOf(path, DT_LNK);
            return Kind::kOther;
        default:
            return Kind::kOther;
    }
}

std::string trimOneSlash(std::string_view path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.remove_suffix(1);
    return std::string(path);
}

}  // namespace

bool isListedPictureName(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view ext = name.substr(dot);
    for (std::string_view listed : kPictureExtensions) {
        if (equalsLower(ext, listed)) return true;
    }
    return false;
}

bool isSystemFolder(std::string_view path) {
    for (std::string_view root : kSystemFolders) {
        if (path.starts_with(root) && (path.size() == root.size() || path[root.size()] == '/')) {
            return true;
        }
    }
    return false;
}

std::string UserPictureList::startPictureList(std::string_view source, bool inBackground,
                                              bool subFolders) {
    source_ = trimOneSlash(source);
    subFolders_ = subFolders;
    for (std::string_view name : {kUserPicIndexFile, kUserPicImagesFile, kUserPicSlotsFile}) {
        deleteFileForced(filePath(name));
    }
    // No list at all until the walk ends: a choice meanwhile, or after a run cut short, rebuilds.
    listed_ = ctx_.clock != nullptr ? ctx_.clock->now().date : Date();
    writer_.begin(listed_, subFolders_, source_);

    first_.clear();
    stopAtFirst_ = false;
    pending_ = false;  // a walk still under way is abandoned for this one
    beginEnumeration();
    restartPending_ = true;
    if (inBackground) {
        setTimer(true);
        return {};
    }
    stopAtFirst_ = true;
    while (walkStep()) {
    }
    if (first_.empty()) {  // the whole tree was seen: a list of no pictures is complete
        restartPending_ = false;
        stack_.clear();
        saveList();
        setTimer(false);
        return {};
    }
    setTimer(true);
    return first_;
}

void UserPictureList::beginEnumeration() {
    stack_.clear();
    visited_.clear();
    searching_ = false;
    const std::string root = source_.empty() ? "/" : source_;
    if (char* real = ::realpath(root.c_str(), nullptr)) {
        const bool system = isSystemFolder(real);
        std::free(real);
        if (system) {
            logError("a system folder is not searched: " + root);
            return;
        }
    }
    searching_ = enterFolder({});
}

std::string UserPictureList::fullPath(std::string_view relative) const {
    std::string path;
    path.reserve(source_.size() + 1 + relative.size());
    path += source_;
    path += '/';
    path += relative;
    return path;
}

bool UserPictureList::enterFolder(std::string relative) {
    const std::string path = fullPath(relative);
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        logError(std::string(std::strerror(errno)) + ": " + path);
        return false;
    }
    struct stat st {};
    if (::fstat(::dirfd(dir), &st) == 0 &&
        !visited_.emplace(static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino))
             .second) {
        ::closedir(dir);  // reached again through a mount: already listed
        return false;
    }
    Folder folder;
    folder.relative = std::move(relative);
    while (const dirent* e = ::readdir(dir)) {
        const size_t length = std::strlen(e->d_name);
        if ((length == 1 && e->d_name[0] == '.') ||
            (length == 2 && e->d_name[0] == '.' && e->d_name[1] == '.')) {
            continue;
        }
        folder.entries.push_back(
            {static_cast<uint32_t>(folder.names.size()), static_cast<uint16_t>(length), e->d_type});
        folder.names.append(e->d_name, length);
    }
    ::closedir(dir);
    // Name order, so that a listing (and the first picture of a rebuild) does not depend on the
    // order the file system happens to keep.
    const std::string& names = folder.names;
    std::sort(folder.entries.begin(), folder.entries.end(), [&names](Entry a, Entry b) {
        return std::string_view(names).substr(a.offset, a.length) <
               std::string_view(names).substr(b.offset, b.length);
    });
    stack_.push_back(std::move(folder));
    return true;
}

bool UserPictureList::walkStep() {
    if (!searching_) return false;
    if (stack_.empty()) {
        searching_ = false;
        return false;
    }
    Folder& top = stack_.back();
    if (top.next == top.entries.size()) {
        stack_.pop_back();
        searching_ = !stack_.empty();
        return searching_;
    }
    const Entry e = top.entries[top.next++];
    const std::string_view name(top.names.data() + e.offset, e.length);
    if (e.type == DT_REG && !isListedPictureName(name)) return true;  // the common case: cheap
    if (e.type != DT_DIR && e.type != DT_UNKNOWN && !isListedPictureName(name)) return true;

    std::string relative = top.relative;
    relative += name;
    const std::string path = fullPath(relative);
    switch (kindOf(path, e.type)) {
        case Kind::kFolder:
            if (subFolders_ && !isSystemFolder(path)) {
                relative += '/';
                enterFolder(std::move(relative));  // `top` is gone after this
            }
            break;
        case Kind::kFile:
            if (isListedPictureName(name)) listFile(relative);
            break;
        case Kind::kOther:
            break;
    }
    return searching_;
}

void UserPictureList::listFile(std::string_view relative) {
    if (stopAtFirst_ && first_.empty()) {
        // Shown at once; the background walk starts over and lists it with the others.
        first_ = fullPath(relative);
        searching_ = false;
        return;
    }
    if (!writer_.add(relative))
        logError("the list is full or the path too long: " + fullPath(relative));
}

bool UserPictureList::completePictureListStep(int maxEntries) {
    if (restartPending_) {
        restartPending_ = false;
        startedAt_ = ctx_.clock != nullptr ? ctx_.clock->secondsSinceMidnight() : 0;
        stopAtFirst_ = false;
        writer_.begin(listed_, subFolders_, source_);
        beginEnumeration();
        pending_ = true;
    }
    if (!pending_) return false;
    for (int i = 0; i < maxEntries && walkStep(); ++i) {
    }
    if (searching_) return true;
    finishListing();
    return false;
}

void UserPictureList::completePictureList() {
    while (completePictureListStep(1 << 20)) {
    }
}

void UserPictureList::finishListing() {
    pending_ = false;
    stack_.clear();
    visited_.clear();
    saveList();
    writer_ = ListWriter();
    double elapsed = ctx_.clock != nullptr ? ctx_.clock->secondsSinceMidnight() - startedAt_ : 0;
    if (elapsed < 0) elapsed += 86400;  // the walk ran past midnight
    if (ctx_.log != nullptr) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", elapsed);
        ctx_.log->write("Picture list was made in " + std::string(seconds) + " sec.", 0);
        ctx_.log->write("Writing picture list was finished.", 0);
    }
    setTimer(false);
}

void UserPictureList::saveList() const {
    if (!saveFileAtomic(filePath(kUserPicIndexFile), writer_.index()) ||
        !saveFileAtomic(filePath(kUserPicImagesFile), writer_.images())) {
        logError("the picture list cannot be written in " + ctx_.userDataDir);
    }
}

void UserPictureList::logError(std::string_view description) const {
    if (ctx_.log != nullptr) {
        ctx_.log->write("Error in GetRandomFile/Search(). " + std::string(description), 0);
    }
}

void UserPictureList::setTimer(bool on) {
    if (timerOn_ == on) return;
    timerOn_ = on;
    if (ctx_.searchTimer) ctx_.searchTimer(on);
}

}  // namespace tv
