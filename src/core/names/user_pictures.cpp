#include "core/names/user_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/app/log.h"
#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/config/settings_keys.h"
#include "core/names/random_source.h"
#include "core/ports/clock.h"

namespace tv {
namespace {

constexpr uint64_t kMinIndexSize = 30;
constexpr uint64_t kMinImagesSize = 45;

void logLine(Log* log, std::string_view text) {
    if (log != nullptr) log->write(text, 0);
}

std::string withoutTrailingSlash(std::string_view path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.remove_suffix(1);
    return std::string(path);
}

// Folder names are compared without regard to case (ASCII letters; other bytes as they are).
std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

UserPictureListCheck checkUserPictureList(const ListBytes* index, const ListBytes* images,
                                          std::string_view source, bool subFolders, Date today,
                                          Log* log) {
    UserPictureListCheck check;
    if (index == nullptr || index->size() < kMinIndexSize) return check;
    if (images == nullptr || images->size() < kMinImagesSize) return check;
    if (!hasIndexHeader(*index) || !hasImagesHeader(*images)) return check;
    const std::optional<ImagesHeader> header = readImagesHeader(*images);
    if (!header) return check;

    const int age = std::abs(daysBetween(header->listed, today));
    logLine(log, "Last reset was " + std::to_string(age) + " day(s) ago.");
    check.weeklyReset = age >= kUserPicWeeklyDays;
    if (header->subFolders != subFolders) {
        logLine(log, "Search in subdirs parameter is different in source file.");
        return check;
    }
    if (!header->source || lowerAscii(withoutTrailingSlash(*header->source)) !=
                               lowerAscii(withoutTrailingSlash(source))) {
        logLine(log, "Source path is different than the one in the file.");
        return check;
    }
    check.rebuild = false;
    return check;
}

UserPictureChoice chooseUserPicture(const ListBytes& index, const ListBytes& images,
                                    std::string_view source, std::vector<uint8_t>& slots,
                                    RandomSource& random, const FileTest& exists, Log* log) {
    const auto n = static_cast<int32_t>(slots.size());
    const std::string folder = withoutTrailingSlash(source) + "/";
    for (;;) {
        // [0, n - 1]
        const int32_t start =
            n > 1 ? static_cast<int32_t>(std::nearbyint(random.uniform01() * (n - 1))) : 0;
        int32_t i = start;
        int32_t used = 0;
        int32_t missing = 0;
        while (used != n) {
            uint8_t* slot = slots.data() + i;
            if (*slot != 0) {
                // The whole run of shown slots at once: late in the round of a large list most
                // slots are shown. Never past the point where the scan would have stopped.
                const auto* free =
                    static_cast<uint8_t*>(std::memchr(slot, 0, static_cast<size_t>(n - i)));
                const int32_t end = free != nullptr ? static_cast<int32_t>(free - slots.data()) : n;
                used += std::min(end - i, n - used);
                i = end == n ? 0 : end;
                continue;
            }
            const std::optional<std::string> relative = readListedPath(index, images, i);
            if (relative) {
                std::string path = folder + *relative;
                if (exists ? exists(path) : fileExists(path)) {
                    *slot = kUserPicShown;
                    return {std::move(path), i, missing, false};
                }
            }
            // Gone (or a record that points nowhere): its slot stays free for later rounds.
            ++missing;
            ++used;
            i = i + 1 == n ? 0 : i + 1;
        }
        if (used == missing) {
            logLine(log, "All files are missing!");
            return {{}, -1, missing, true};
        }
        logLine(log, "Slot db is full, reseting...");
        std::fill(slots.begin(), slots.end(), uint8_t{0});
    }
}

std::string manageUserPictures(UserPictureList& list, HashTable& settings, RandomSource& random,
                               const FileTest& exists) {
    const UserPictureContext& ctx = list.context();
    std::string source = read(settings, settings::BGPic_Source);
    bool subFolders = readFlag(settings, settings::BGPic_SubFolder);
    if (!folderExists(source)) {
        source = withoutTrailingSlash(ctx.picturesDir);
        if (source.empty()) source = ctx.picturesDir;  // "/" stays the root, not nothing
        subFolders = false;
        if (!source.empty()) {
            write(settings, settings::BGPic_Source, source);
            write(settings, settings::BGPic_SubFolder, "0");
        }
    }
    const bool folderThere = folderExists(source);
    source = withoutTrailingSlash(source);
    logLine(ctx.log, "fManageUserPic");
    logLine(ctx.log, "sSourcePath = " + source);
    logLine(ctx.log, std::string("SubDirs = ") + (subFolders ? "True" : "False"));
    // Neither the chosen folder nor a pictures folder of the desktop: nothing to list, and an
    // empty source must not turn into a walk of the root folder.
    if (!folderThere) return {};

    const Date today = ctx.clock != nullptr ? ctx.clock->now().date : Date();
    std::string result;
    UserPictureChoice choice;
    UserPictureListCheck check;
    {
        FileListBytes index;
        FileListBytes images;
        const bool hasIndex = index.open(list.filePath(kUserPicIndexFile));
        const bool hasImages = images.open(list.filePath(kUserPicImagesFile));
        check = checkUserPictureList(hasIndex ? &index : nullptr, hasImages ? &images : nullptr,
                                     source, subFolders, today, ctx.log);
        if (!check.rebuild) {
            FileListBytes slotFile;
            const bool hasSlots = slotFile.open(list.filePath(kUserPicSlotsFile));
            std::vector<uint8_t> slots =
                loadUserPictureSlots(hasSlots ? &slotFile : nullptr, index.size());
            choice = chooseUserPicture(index, images, source, slots, random, exists, ctx.log);
            if (choice.allMissing) {
                check.rebuild = true;
            } else {
                std::string bytes = makeSlotsHeader();
                bytes.append(slots.begin(), slots.end());
                saveFileAtomic(list.filePath(kUserPicSlotsFile), bytes);
                result = choice.path;
            }
        }
    }

    if (check.rebuild) {
        result = list.startPictureList(source, false, subFolders);
        logLine(ctx.log, "First picture was loaded and searching.");
    } else if (choice.missing > kMaxMissingUserPictures || check.weeklyReset) {
        if (choice.missing > kMaxMissingUserPictures) {
            logLine(ctx.log,
                    "Too many missing (" + std::to_string(choice.missing) + "), search in source.");
        }
        if (check.weeklyReset) logLine(ctx.log, "Weekly reset.");
        list.startPictureList(source, true, subFolders);
    }
    return result;
}

}  // namespace tv
