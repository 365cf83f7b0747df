// `UserPictureList`: lists the user's picture folder into the three list files
// (user_pictures_files.h).
//
// A rebuild must not hold up the window: the foreground part walks only until the first picture
// turns up and shows that one; the main window's search timer (TimerSrc) then calls
// completePictureListStep() until the list is whole. The walk is depth first, one directory entry
// per walkStep(). It never enters /proc, /sys, /dev or /run, never follows a symbolic link to a
// folder and never enters the same folder twice, so no tree can make it loop.
//
// The files are deleted when a listing starts and saved whole (saveFileAtomic) when it ends, so
// a choice during the walk, or after a run cut short, finds no list and rebuilds.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/names/user_pictures_files.h"

namespace tv {

class Clock;
class Log;

// What the picture list needs from the rest of the program.
struct UserPictureContext {
    std::string userDataDir;  // holds the three files; ends with "/"
    std::string picturesDir;  // the platform's own pictures folder; stands in for a missing source
    const Clock* clock = nullptr;
    Log* log = nullptr;  // may be null
    // Switches the main window's search timer; may be empty (the CLI completes the list itself).
    std::function<void(bool on)> searchTimer;
};

// Whether a file name is one the list takes: one of the loader's endings (".png", ".jpg",
// ".jpeg", ".gif", ".bmp") from the last "." on, in any case.
bool isListedPictureName(std::string_view name);
// Folders the walk never enters: the kernel's and the runtime's virtual file systems.
bool isSystemFolder(std::string_view path);

class UserPictureList {
public:
    explicit UserPictureList(UserPictureContext context) : ctx_(std::move(context)) {}

    // Deletes the three files and starts the walk at `source`. In the foreground the walk runs
    // until the first picture, whose full path is returned (empty when the tree holds none, and the
    // list is then complete); the rest of the walk is left to the search timer. In the background
    // the timer does all of it and the result is empty.
    std::string startPictureList(std::string_view source, bool inBackground, bool subFolders);

    // One directory entry of the walk. False once the walk has ended (or stopped at the first
    // picture).
    bool walkStep();

    // The search timer's work: the first call restarts the walk at the source folder, each call
    // walks at most `maxEntries` entries and returns true while more remain. The call that ends
    // the walk saves the files, logs how long it took and switches the timer off.
    bool completePictureListStep(int maxEntries = 4096);
    // All of the remaining walk at once.
    void completePictureList();

    // Whether the search timer should be running: a listing waits for completion.
    bool searchTimerOn() const { return timerOn_; }
    bool searching() const { return searching_; }
    const UserPictureContext& context() const { return ctx_; }
    std::string filePath(std::string_view name) const {
        return ctx_.userDataDir + std::string(name);
    }

private:
    struct Entry {
        uint32_t offset;  // into Folder::names
        uint16_t length;
        uint8_t type;  // dirent d_type
    };
    struct Folder {
        std::string relative;  // "" for the source, else "a/b/"
        std::string names;
        std::vector<Entry> entries;
        size_t next = 0;
    };

    void beginEnumeration();
    // Reads a folder's entries and pushes it; false (logged) when it cannot be read.
    bool enterFolder(std::string relative);
    std::string fullPath(std::string_view relative) const;
    void listFile(std::string_view relative);
    void finishListing();
    void saveList() const;
    void logError(std::string_view description) const;
    void setTimer(bool on);

    UserPictureContext ctx_;
    std::string source_;  // without a trailing slash; "" for the root folder
    bool subFolders_ = false;
    bool searching_ = false;
    bool stopAtFirst_ = false;
    bool timerOn_ = false;
    bool restartPending_ = false;  // the timer's first call starts the walk over
    bool pending_ = false;         // a background walk is under way
    std::string first_;
    std::vector<Folder> stack_;
    std::set<std::pair<uint64_t, uint64_t>> visited_;  // device and inode of every folder entered
    ListWriter writer_;
    Date listed_;
    double startedAt_ = 0;
};

}  // namespace tv
