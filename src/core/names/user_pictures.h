// Pictures of the day from the user's own folder: a random listed picture that is not shown again
// before every other listed one has been (the list files are in user_pictures_files.h, the walk
// that builds them in user_pictures_walk.h).
//
// A choice reads the slot file and, per candidate, one index record and one path, and tests that
// one file: it never walks the tree. The list is rebuilt when it is missing, damaged or made for
// another folder or sub-folder option (in the foreground, so a picture shows at once), and
// refreshed in the background once a week or when more than 60 listed files have gone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/names/user_pictures_files.h"
#include "core/names/user_pictures_walk.h"

namespace tv {

class HashTable;
class Log;
class RandomSource;

// More missing files than this in one choice start a background rebuild.
inline constexpr int32_t kMaxMissingUserPictures = 60;
inline constexpr int kUserPicWeeklyDays = 7;

using FileTest = std::function<bool(const std::string&)>;

struct UserPictureListCheck {
    bool rebuild = true;
    bool weeklyReset = false;
};
// Whether the list must be rebuilt for `source` (without its trailing slash) and the sub-folder
// option; null files are missing ones. Logs the list's age and the reason of a mismatch.
UserPictureListCheck checkUserPictureList(const ListBytes* index, const ListBytes* images,
                                          std::string_view source, bool subFolders, Date today,
                                          Log* log);

struct UserPictureChoice {
    std::string path;  // full path; empty when nothing was chosen
    int32_t slot = -1;
    int32_t missing = 0;      // listed files the last scan found gone
    bool allMissing = false;  // every free slot's file is gone: the list is useless
};
// The no-repeat choice over the slots: from a random start, the first free slot whose file still
// exists. A full round starts over ("Slot db is full, reseting..."). `exists` tests a full path.
UserPictureChoice chooseUserPicture(const ListBytes& index, const ListBytes& images,
                                    std::string_view source, std::vector<uint8_t>& slots,
                                    RandomSource& random, const FileTest& exists, Log* log);

// `manageUserPictures`: the next picture of the folder `BGPic_Source` (with `BGPic_SubFolder`), as
// a full path, or empty text when the folder holds none. A missing folder is replaced by the
// platform's pictures folder, which is stored. May start a rebuild of the list; the search timer
// then completes it (`list.searchTimerOn()`).
std::string manageUserPictures(UserPictureList& list, HashTable& settings, RandomSource& random,
                               const FileTest& exists = {});

}  // namespace tv
