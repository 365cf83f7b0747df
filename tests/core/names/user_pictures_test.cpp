// The user picture list: the exact bytes of the three files, the walk (what it lists, where it
// never goes), and the choice with every reason to rebuild, refresh or start a new round.
#include "core/names/user_pictures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/app/log.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/names/random_source.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using ::testing::HasSubstr;
using ::testing::Not;

// Biased big-endian fields, written out by hand so the test does not trust the writer.
std::string be32(int64_t v) {
    const auto e = static_cast<uint32_t>(v + 2147483648LL);
    return {static_cast<char>(e >> 24), static_cast<char>(e >> 16), static_cast<char>(e >> 8),
            static_cast<char>(e)};
}
std::string be16(int v) {
    const auto e = static_cast<uint16_t>(v + 32768);
    return {static_cast<char>(e >> 8), static_cast<char>(e)};
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A picture folder, the per-user folder and the log, with a fixed clock.
struct Fixture {
    TempDir dir;
    FakeClock clock = FakeClock::at(2024, 3, 9, 10, 0, 0);
    Log log{clock};
    std::vector<bool> timer;  // every switch of the search timer
    HashTable settings;
    UserPictureList list;

    Fixture() : list(makeContext()) {
        fs::create_directories(dir.file("pics"));
        log.open(dir.file("calendar.log"));
        write(settings, settings::BGPic_Source, source());
    }
    UserPictureContext makeContext() {
        fs::create_directories(dir.file("user"));
        UserPictureContext c;
        c.userDataDir = dir.file("user") + "/";
        c.picturesDir = dir.file("own") + "/";
        c.clock = &clock;
        c.log = &log;
        c.searchTimer = [this](bool on) { timer.push_back(on); };
        return c;
    }
    std::string source() const { return dir.file("pics"); }
    std::string pic(const std::string& relative) const { return source() + "/" + relative; }
    void add(const std::string& relative) const {
        fs::create_directories(fs::path(pic(relative)).parent_path());
        put(pic(relative), "x");
    }
    std::string userFile(std::string_view name) const {
        return dir.read("user/" + std::string(name));
    }
    std::string logText() const { return dir.read("calendar.log"); }
    void clearLog() const { put(dir.file("calendar.log"), ""); }
    // Lists the folder whole, as a finished background walk leaves it.
    void buildList(bool subFolders = false) {
        list.startPictureList(source(), true, subFolders);
        list.completePictureList();
    }
    std::string choose(RandomSource& random) { return manageUserPictures(list, settings, random); }
};

// A generator whose first choice over `n` slots starts at `start`.
RandomSource startingAt(int32_t start, int32_t n) {
    for (uint64_t seed = 1;; ++seed) {
        RandomSource probe(seed);
        if (std::nearbyint(probe.uniform01() * (n - 1)) == start) return RandomSource(seed);
    }
}

TEST(UserPictureFiles, ListingWritesTheIndexAndImagesFilesByteForByte) {
    Fixture f;
    f.add("b.gif");
    f.add("a/x.JPG");
    f.buildList(true);
    const std::string src = f.source();
    const std::string imagesHeader = std::string("QZCALENDAR_UserImage_Files\x02\x00\x01", 29) +
                                     "2024.03.09" + be16(static_cast<int>(src.size())) + src +
                                     std::string(1, '\0');
    EXPECT_EQ(f.userFile(kUserPicImagesFile), imagesHeader + "a/x.JPG\rb.gif\r");
    const auto first = static_cast<int64_t>(imagesHeader.size()) + 1;  // 1-based
    EXPECT_EQ(f.userFile(kUserPicIndexFile),
              std::string("QZCALENDAR_UserImage_Index\x02\x00\x00", 29) + be32(first) + be16(7) +
                  be32(first + 8) + be16(5));
    EXPECT_FALSE(fs::exists(f.dir.file("user/userpic_slots.dat")));  // a new round begins

    RandomSource random(3);
    write(f.settings, settings::BGPic_SubFolder, "1");
    EXPECT_NE(f.choose(random), "");
    const std::string slots = f.userFile(kUserPicSlotsFile);
    ASSERT_EQ(slots.size(), 31u);
    EXPECT_EQ(slots.substr(0, 29), std::string("QZCALENDAR_UserImage_Slots\x02\x00\x00", 29));
    EXPECT_EQ(std::count(slots.begin() + 29, slots.end(), '\xff'), 1);
}

TEST(UserPictureFiles, ReadersStayInsideTheFiles) {
    ListWriter w;
    w.begin(Date::serial(2024, 1, 2), false, "/p");
    ASSERT_TRUE(w.add("one.jpg"));
    std::string index = w.index();
    const MemoryListBytes images(w.images());
    EXPECT_EQ(readListedPath(MemoryListBytes(index), images, 0), "one.jpg");
    EXPECT_EQ(readListedPath(MemoryListBytes(index), images, 1), std::nullopt);
    EXPECT_EQ(readListedPath(MemoryListBytes(index), images, -1), std::nullopt);

    const auto withRecord = [&](int64_t position, int length) {
        return readListedPath(MemoryListBytes(makeIndexHeader() + be32(position) + be16(length)),
                              images, 0);
    };
    const auto size = static_cast<int64_t>(w.images().size());
    EXPECT_EQ(withRecord(size, 1), "\r");  // the last byte of the file
    EXPECT_EQ(withRecord(size, 2), std::nullopt);
    EXPECT_EQ(withRecord(0, 1), std::nullopt);
    EXPECT_EQ(withRecord(2147483647, 32767), std::nullopt);
    EXPECT_EQ(withRecord(1, -1), std::nullopt);

    // A source length that runs past the end still leaves the flag and the date readable.
    std::string header = makeImagesHeader(Date::serial(2024, 1, 2), true, "/pictures");
    header.replace(39, 2, be16(500));
    const std::optional<ImagesHeader> h = readImagesHeader(MemoryListBytes(header));
    ASSERT_TRUE(h.has_value());
    EXPECT_TRUE(h->subFolders);
    EXPECT_EQ(h->listed, Date::serial(2024, 1, 2));
    EXPECT_EQ(h->source, std::nullopt);

    EXPECT_EQ(listedPictureCount(28), 0);
    EXPECT_EQ(listedPictureCount(29 + 6 * 5 + 5), 5);
    EXPECT_EQ(listedPictureCount(uint64_t{1} << 40), kMaxListedPictures);
}

TEST(UserPictureFiles, ABadSlotFileStartsAFreshRoundFromTheIndex) {
    const uint64_t indexSize = 29 + 6 * 4;
    const std::string good = makeSlotsHeader() + std::string("\xff\x00\xff", 3);
    EXPECT_EQ(loadUserPictureSlots(nullptr, indexSize), std::vector<uint8_t>(4, 0));
    const MemoryListBytes goodBytes(good);
    EXPECT_EQ(loadUserPictureSlots(&goodBytes, indexSize),
              (std::vector<uint8_t>{255, 0, 255}));  // the slot file decides the count
    std::string wrong = good;
    wrong[26] = 0x03;
    const MemoryListBytes wrongBytes(wrong);
    EXPECT_EQ(loadUserPictureSlots(&wrongBytes, indexSize), std::vector<uint8_t>(4, 0));
    const MemoryListBytes headerOnly(makeSlotsHeader());
    EXPECT_EQ(loadUserPictureSlots(&headerOnly, indexSize), std::vector<uint8_t>(4, 0));
}

TEST(UserPictureWalk, ListsPictureNamesInAnyCaseAndNothingElse) {
    for (std::string_view name : {"a.jpg", "a.JPG", "a.Jpeg", "b.bmp", "c.GIF", "d.png", ".jpg"})
        EXPECT_TRUE(isListedPictureName(name)) << name;
    // What the loader cannot read is not listed (a WMF would be chosen and never shown).
    for (std::string_view name : {"a.wmf", "a.jpg.txt", "jpg", "a.jpgx", "a_jpg", ""})
        EXPECT_FALSE(isListedPictureName(name)) << name;
    for (std::string_view path : {"/proc", "/proc/1", "/sys/class", "/dev", "/run/user/1000"})
        EXPECT_TRUE(isSystemFolder(path)) << path;
    for (std::string_view path : {"/processes", "/home/run", "/", "/devices", "proc"})
        EXPECT_FALSE(isSystemFolder(path)) << path;
}

TEST(UserPictureWalk, SubFoldersAreEnteredOnlyWhenAskedAndLinksToFoldersNever) {
    Fixture f;
    f.add("top.jpg");
    f.add("sub/deep/inner.bmp");
    f.add("sub/note.txt");
    fs::create_directory_symlink(f.source(), f.pic("sub/loop"));  // would never end
    fs::create_directory_symlink(f.dir.file("user"), f.pic("elsewhere"));
    fs::create_symlink(f.pic("top.jpg"), f.pic("link.jpg"));  // a link to a picture is one
    f.buildList(false);
    EXPECT_THAT(f.userFile(kUserPicImagesFile),
                HasSubstr(std::string(1, '\0') + "link.jpg\rtop.jpg\r"));
    EXPECT_THAT(f.userFile(kUserPicImagesFile), Not(HasSubstr("inner")));

    f.buildList(true);
    EXPECT_THAT(f.userFile(kUserPicImagesFile),
                HasSubstr(std::string(1, '\0') + "link.jpg\rsub/deep/inner.bmp\rtop.jpg\r"));
    EXPECT_EQ(f.userFile(kUserPicIndexFile).size(), 29u + 3 * 6);
}

TEST(UserPictureWalk, SystemFoldersAreNeverSearched) {
    Fixture f;
    EXPECT_EQ(f.list.startPictureList("/proc/", false, true), "");
    EXPECT_FALSE(f.list.searchTimerOn());
    EXPECT_THAT(f.logText(), HasSubstr("Error in GetRandomFile/Search(). a system folder"));
    EXPECT_EQ(f.userFile(kUserPicIndexFile), makeIndexHeader());
}

TEST(UserPictureWalk, TheForegroundShowsTheFirstPictureAndTheTimerListsTheRest) {
    Fixture f;
    f.add("a/1.jpg");
    f.add("b.jpg");
    f.add("c.gif");
    EXPECT_EQ(f.list.startPictureList(f.source() + "/", false, true), f.pic("a/1.jpg"));
    EXPECT_TRUE(f.list.searchTimerOn());
    EXPECT_EQ(f.timer, std::vector<bool>{true});
    // Until the timer has finished there is no list: a choice meanwhile would rebuild.
    EXPECT_FALSE(fs::exists(f.dir.file("user/userpic_index.dat")));

    f.clock.setFraction(0.25);
    EXPECT_TRUE(f.list.completePictureListStep(1));
    f.clock.advanceSeconds(1);
    f.clock.setFraction(0.5);
    int ticks = 1;
    while (f.list.completePictureListStep(1))
        ++ticks;
    EXPECT_GE(ticks, 4);  // one entry a tick: the window stays responsive
    EXPECT_FALSE(f.list.completePictureListStep(1));  // nothing left to do
    EXPECT_EQ(f.timer, (std::vector<bool>{true, false}));
    EXPECT_THAT(f.userFile(kUserPicImagesFile), HasSubstr("a/1.jpg\rb.jpg\rc.gif\r"));
    EXPECT_THAT(f.logText(), HasSubstr("  Picture list was made in 1.25 sec.\r\n"
                                       "  Writing picture list was finished.\r\n"));
}

TEST(UserPictureList, TheWriterStopsAtEachFieldsLimitAndWritesNothingPastIt) {
    const Date day = Date::serial(2024, 3, 9);
    ListWriter probe;
    probe.begin(day, false, "/p");
    const uint64_t header = probe.images().size();
    // "abcde" takes positions header+1 .. header+5; a position must stay below the limit.
    for (const auto& [limit, fits] : {std::pair{header + 6, false}, std::pair{header + 7, true}}) {
        ListWriter w({limit, 10});
        w.begin(day, false, "/p");
        EXPECT_EQ(w.add("abcde"), fits) << limit - header;
        EXPECT_EQ(w.count(), fits ? 1 : 0);
        EXPECT_EQ(w.images().size(), header + (fits ? 6 : 0));
    }
    ListWriter three({ListLimits{}.imagesBytes, 3});
    three.begin(day, false, "/p");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(three.add("a.jpg"));
    const std::string index = three.index();
    EXPECT_FALSE(three.add("a.jpg"));
    EXPECT_EQ(three.index(), index);
    EXPECT_EQ(three.count(), 3);
    // A path's length is a 16-bit field.
    EXPECT_TRUE(probe.add(std::string(32767, 'p')));
    EXPECT_FALSE(probe.add(std::string(32768, 'p')));
    EXPECT_EQ(probe.count(), 1);
}

TEST(UserPictureList, RebuildConditionsInTheirOrder) {
    ListWriter w;
    w.begin(Date::serial(2024, 3, 9), true, "/home/u/Pictures");
    w.add("a.jpg");
    const std::string index = w.index();
    const std::string images = w.images();
    const Date today = Date::serial(2024, 3, 12);
    const auto check = [&](std::string_view idx, std::string_view img, std::string_view source,
                           bool sub) {
        const MemoryListBytes i(idx);
        const MemoryListBytes m(img);
        return checkUserPictureList(&i, &m, source, sub, today, nullptr).rebuild;
    };
    EXPECT_FALSE(check(index, images, "/home/u/Pictures", true));
    // One trailing slash and the letter case do not make another folder.
    EXPECT_FALSE(check(index, images, "/HOME/u/pictures/", true));
    EXPECT_TRUE(check(index, images, "/home/u/Pictures/old", true));
    EXPECT_TRUE(check(index, images, "/home/u/Pictures", false));
    EXPECT_TRUE(check(index.substr(0, 29), images, "/home/u/Pictures", true));
    EXPECT_TRUE(check(index, images.substr(0, 44), "/home/u/Pictures", true));
    std::string badIndex = index;
    badIndex[28] = 0x01;
    EXPECT_TRUE(check(badIndex, images, "/home/u/Pictures", true));
    std::string badImages = images;
    badImages[26] = 0x01;
    EXPECT_TRUE(check(index, badImages, "/home/u/Pictures", true));
    const MemoryListBytes m(images);
    EXPECT_TRUE(
        checkUserPictureList(nullptr, &m, "/home/u/Pictures", true, today, nullptr).rebuild);
}

TEST(UserPictureList, AChangedSubFolderOptionRebuildsAndSaysWhy) {
    Fixture f;
    f.add("one.jpg");
    f.buildList(false);
    write(f.settings, settings::BGPic_SubFolder, "1");
    f.clearLog();
    RandomSource random(1);
    EXPECT_EQ(f.choose(random), f.pic("one.jpg"));
    EXPECT_EQ(f.logText(), "  fManageUserPic\r\n  sSourcePath = " + f.source() +
                               "\r\n  SubDirs = True\r\n  Last reset was 0 day(s) ago.\r\n"
                               "  Search in subdirs parameter is different in source file.\r\n"
                               "  First picture was loaded and searching.\r\n");
    EXPECT_TRUE(f.list.searchTimerOn());
}

TEST(UserPictureList, NoPictureRepeatsWithinARoundAndAFullRoundStartsOver) {
    Fixture f;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg"})
        f.add(name);
    f.buildList();
    RandomSource random(7);
    std::set<std::string> round;
    for (int i = 0; i < 4; ++i)
        round.insert(f.choose(random));
    EXPECT_EQ(round.size(), 4u);
    f.clearLog();
    EXPECT_THAT(f.choose(random), HasSubstr(f.source()));
    EXPECT_THAT(f.logText(), HasSubstr("Slot db is full, reseting..."));
    EXPECT_FALSE(f.list.searchTimerOn());
}

TEST(UserPictureList, TheScanCountsOnlyTheFreeSlotsWhoseFilesAreGone) {
    ListWriter w;
    w.begin(Date::serial(2024, 3, 9), false, "/p");
    for (int i = 0; i < 10; ++i)
        w.add("p" + std::to_string(i) + ".jpg");
    const MemoryListBytes index(w.index());
    const MemoryListBytes images(w.images());
    const std::vector<uint8_t> round = {255, 0, 255, 255, 0, 0, 255, 255, 255, 0};
    const auto onlyExists = [](const std::string& name) {
        return [name](const std::string& path) { return path == "/p/" + name; };
    };

    std::vector<uint8_t> slots = round;
    RandomSource random = startingAt(3, 10);  // 3 shown, 4 and 5 gone, 6..8 shown, 9 wraps to 0
    UserPictureChoice c =
        chooseUserPicture(index, images, "/p/", slots, random, onlyExists("p1.jpg"), nullptr);
    EXPECT_EQ(c.path, "/p/p1.jpg");
    EXPECT_EQ(c.missing, 3);
    EXPECT_EQ(slots[1], kUserPicShown);
    EXPECT_EQ(slots[4], 0);  // a gone file keeps its slot free

    // Every free slot's file gone: a new round is tried, and only when every listed file is
    // gone is the list useless.
    Fixture f;
    slots = round;
    random = startingAt(3, 10);
    c = chooseUserPicture(index, images, "/p", slots, random, onlyExists("none"), &f.log);
    EXPECT_TRUE(c.allMissing);
    EXPECT_EQ(c.missing, 10);
    EXPECT_EQ(f.logText(), "  Slot db is full, reseting...\r\n  All files are missing!\r\n");
}

TEST(UserPictureList, AWeekOldListIsRefreshedInTheBackgroundAfterThisChoice) {
    Fixture f;
    f.add("old.jpg");
    f.buildList();
    f.add("new.jpg");  // not listed yet
    f.clock.advanceDays(6);
    RandomSource random(1);
    EXPECT_EQ(f.choose(random), f.pic("old.jpg"));
    EXPECT_FALSE(f.list.searchTimerOn());

    f.clock.advanceDays(1);
    f.clearLog();
    EXPECT_EQ(f.choose(random), f.pic("old.jpg"));
    EXPECT_THAT(f.logText(), HasSubstr("Last reset was 7 day(s) ago."));
    EXPECT_THAT(f.logText(), HasSubstr("Weekly reset."));
    EXPECT_TRUE(f.list.searchTimerOn());
    f.list.completePictureList();
    EXPECT_THAT(f.userFile(kUserPicImagesFile), HasSubstr("new.jpg\rold.jpg\r"));
    EXPECT_THAT(f.userFile(kUserPicImagesFile), HasSubstr("2024.03.16"));
}

TEST(UserPictureList, SixtyOneMissingFilesStartABackgroundRebuild) {
    Fixture f;
    char name[16];
    for (int i = 0; i < 62; ++i) {
        std::snprintf(name, sizeof name, "p%02d.jpg", i);
        f.add(name);
    }
    f.buildList();
    for (int i = 0; i < 61; ++i) {  // every one but the last
        std::snprintf(name, sizeof name, "p%02d.jpg", i);
        fs::remove(f.pic(name));
    }
    RandomSource random = startingAt(0, 62);
    EXPECT_EQ(f.choose(random), f.pic("p61.jpg"));  // still from the old list
    EXPECT_THAT(f.logText(), HasSubstr("  Too many missing (61), search in source.\r\n"));
    EXPECT_TRUE(f.list.searchTimerOn());
}

TEST(UserPictureList, WhenEveryListedFileIsGoneTheWalkFindsTheNewOnes) {
    Fixture f;
    f.add("a.jpg");
    f.add("b.jpg");
    f.buildList();
    fs::remove(f.pic("a.jpg"));
    fs::remove(f.pic("b.jpg"));
    f.add("c.gif");
    RandomSource random(1);
    EXPECT_EQ(f.choose(random), f.pic("c.gif"));
    EXPECT_THAT(f.logText(), HasSubstr("All files are missing!"));
    EXPECT_THAT(f.logText(), HasSubstr("First picture was loaded and searching."));
    f.list.completePictureList();

    fs::remove(f.pic("c.gif"));
    EXPECT_EQ(f.choose(random), "");
}

TEST(UserPictureList, AMissingFolderFallsBackToTheDesktopPicturesFolder) {
    Fixture f;
    fs::create_directories(f.dir.file("own"));
    put(f.dir.file("own/mine.jpg"), "x");
    write(f.settings, settings::BGPic_Source, f.dir.file("gone"));
    write(f.settings, settings::BGPic_SubFolder, "1");
    RandomSource random(1);
    EXPECT_EQ(f.choose(random), f.dir.file("own/mine.jpg"));
    EXPECT_EQ(read(f.settings, settings::BGPic_Source), f.dir.file("own"));
    EXPECT_EQ(read(f.settings, settings::BGPic_SubFolder), "0");
    f.list.completePictureList();

    // Without one either, there is nothing to walk: certainly not the root folder.
    fs::remove_all(f.dir.file("own"));
    write(f.settings, settings::BGPic_Source, "");
    EXPECT_EQ(f.choose(random), "");
    EXPECT_FALSE(f.list.searchTimerOn());
}

}  // namespace
}  // namespace tv
