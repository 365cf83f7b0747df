// The picture of the day: periods of the day, the seasonal rotation, the fit rules in whole
// pixels, and what a window load chooses, shows and titles.
#include "core/names/picture_of_day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures.h"
#include "core/ports/surface.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

DateTime at(int d, int h, int mi, int s) {
    return DateTime::of(Date::serial(2024, 5, d), h, mi, s);
}

TEST(PictureOfDay, SamePeriodCutsTheDayIntoEqualParts) {
    EXPECT_TRUE(samePeriod(at(1, 0, 0, 0), at(1, 23, 59, 59), 1));
    EXPECT_FALSE(samePeriod(at(1, 23, 59, 59), at(2, 0, 0, 0), 1));
    EXPECT_TRUE(samePeriod(at(1, 0, 0, 0), at(1, 11, 59, 59), 2));  // P = 43200 s
    EXPECT_FALSE(samePeriod(at(1, 11, 59, 59), at(1, 12, 0, 0), 2));
    EXPECT_TRUE(samePeriod(at(1, 12, 0, 0), at(1, 12, 4, 59), 288));  // five minutes
    EXPECT_FALSE(samePeriod(at(1, 12, 4, 59), at(1, 12, 5, 0), 288));
    // Seven a day: 86400 div 7 = 12342 s, the last (longer) period takes the remainder.
    EXPECT_TRUE(samePeriod(at(1, 0, 0, 0), at(1, 3, 25, 41), 7));
    EXPECT_FALSE(samePeriod(at(1, 3, 25, 41), at(1, 3, 25, 42), 7));
    EXPECT_FALSE(samePeriod(at(1, 8, 0, 0), at(1, 8, 0, 0), 0));
    EXPECT_FALSE(samePeriod(at(1, 8, 0, 0), at(1, 8, 0, 0), -3));
    EXPECT_TRUE(samePeriod(at(1, 8, 0, 0), at(1, 8, 0, 0), 1000000));  // shorter than a second
    EXPECT_FALSE(samePeriod(at(1, 8, 0, 0), at(1, 8, 0, 1), 1000000));
}

TEST(PictureOfDay, TheSeasonalRotationShowsEveryPictureBeforeARepeat) {
    PictureMarks marks{};
    RandomSource random(11);
    std::set<int> round;
    int i = 0;
    for (;;) {
        i = chooseSeasonalPicture(marks, 3, random);
        ASSERT_GE(i, 0);
        ASSERT_LT(i, 100);
        if (!round.insert(i).second) break;
        ASSERT_EQ(marks[static_cast<size_t>(4 * i + 2)], kPictureShown);  // autumn: byte 4i + 2
    }
    // A round ends when every picture but the random start has been shown.
    EXPECT_GE(round.size(), 99u);
    int autumnShown = 0;
    for (size_t k = 0; k < marks.size(); ++k) {
        if (k % 4 != 2) {
            EXPECT_EQ(marks[k], 0) << k;  // the other seasons keep their rounds
        } else if (marks[k] == kPictureShown) {
            ++autumnShown;
        }
    }
    EXPECT_EQ(autumnShown, 1);  // the new round holds only the repeat
}

struct FitCase {
    PictureFitMode mode;
    int pictureW, pictureH, areaW, areaH;
    PictureRect source, destination;
};

TEST(PictureOfDay, FitRulesInWholePixels) {
    using M = PictureFitMode;
    const FitCase cases[] = {
        // Fill and crop: the overhang is cut evenly, its offset halved toward zero.
        {M::kFillCrop, 400, 300, 200, 200, {50, 0, 300, 300}, {0, 0, 200, 200}},
        {M::kFillCrop, 401, 300, 200, 200, {50, 0, 300, 300}, {0, 0, 200, 200}},
        {M::kFillCrop, 300, 400, 200, 100, {0, 125, 300, 150}, {0, 0, 200, 100}},
        // h' = 333 / 200 * 100 = 166.5 goes to the even 166; (1000 - 166) / 2 = 417.
        {M::kFillCrop, 333, 1000, 200, 100, {0, 417, 333, 166}, {0, 0, 200, 100}},
        // Fit inside: centred, the rest of the area untouched.
        {M::kFitInside, 400, 300, 200, 200, {0, 0, 400, 300}, {0, 25, 200, 150}},
        // d = 100 * 400 / 300 = 133.3 -> 133; left = 150 - 66.5 = 83.5 -> 84.
        {M::kFitInside, 400, 300, 300, 100, {0, 0, 400, 300}, {84, 0, 133, 100}},
        {M::kFitInside, 800, 600, 400, 300, {0, 0, 800, 600}, {0, 0, 400, 300}},  // same aspect
        // Natural size: centred and cropped; 2.5 rounds to 2, -3.5 to -4.
        {M::kNatural, 205, 300, 200, 200, {2, 50, 200, 200}, {0, 0, 200, 200}},
        {M::kNatural, 193, 200, 200, 200, {-4, 0, 200, 200}, {0, 0, 200, 200}},
        {M::kStretch, 640, 480, 200, 100, {0, 0, 640, 480}, {0, 0, 200, 100}},
        // A picture or an area without pixels divides by nothing.
        {M::kFillCrop, 0, 300, 200, 200, {0, 0, 0, 300}, {0, 0, 200, 200}},
        {M::kFitInside, 400, 300, 200, 0, {0, 0, 400, 300}, {0, 0, 200, 0}},
    };
    for (const FitCase& c : cases) {
        const FittedPicture fit = fitPictureInto(c.mode, c.pictureW, c.pictureH, c.areaW, c.areaH);
        EXPECT_EQ(fit.source, c.source)
            << c.pictureW << "x" << c.pictureH << " in " << c.areaW << "x" << c.areaH;
        EXPECT_EQ(fit.destination, c.destination)
            << c.pictureW << "x" << c.pictureH << " in " << c.areaW << "x" << c.areaH;
    }
}

TEST(PictureOfDay, FitModeBySourceSkinAndSetting) {
    using M = PictureFitMode;
    EXPECT_EQ(chooseFitMode(true, false, "no", 0), M::kNatural);
    EXPECT_EQ(chooseFitMode(true, false, "stretch", 0), M::kStretch);
    EXPECT_EQ(chooseFitMode(true, true, "no", 0), M::kFillCrop);  // not for an event's picture
    EXPECT_EQ(chooseFitMode(false, true, "scale", 0), M::kFitInside);
}

TEST(PictureOfDay, AreaAndTitle) {
    HashTable theme;
    for (const auto& [key, value] :
         {std::pair{"picture_x", "4"}, std::pair{"picture_y", "80"}, std::pair{"picture_w", "640"},
          std::pair{"picture_h", "480"}, std::pair{"pic_margin_left", "10"},
          std::pair{"pic_margin_right", "6"}, std::pair{"pic_margin_top", "3"}}) {
        theme.setItem(key, value);
    }
    EXPECT_EQ(visiblePictureArea(theme), (PictureRect{14, 83, 624, 477}));
    EXPECT_EQ(userPictureTitle("C:\\Képek\\Balaton 2023.v2.JPG"), "Balaton 2023.v2");
    EXPECT_EQ(userPictureTitle("/x/noextension"), "noextension");
}

class FakeImages : public ImageLoader {
public:
    ImageLoadResult probe(const std::string& path, ImageInfo& info) const override {
        probed.push_back(path);
        info = size;
        return result;
    }
    // Drawing is the renderer's; a load here only reads headers.
    std::unique_ptr<Surface> load(const std::string&, ImageLoadResult& r) const override {
        r = result;
        return nullptr;
    }
    ImageInfo size{400, 300};
    ImageLoadResult result = ImageLoadResult::kOk;
    mutable std::vector<std::string> probed;
};

// A program folder with every seasonal picture, a user folder and the tables of a load.
struct LoadFixture {
    test::TempDir dir;
    FakeClock clock = FakeClock::at(2024, 5, 1, 12, 0, 0);
    HashTable settings, theme;
    StringTable strings;
    PictureMarks marks{};
    RandomSource random{5};
    FakeImages images;
    UserPictureList userPictures{
        UserPictureContext{dir.file("user") + "/", "", &clock, nullptr, {}}};
    PictureContext ctx;
    PictureDay day;

    LoadFixture() {
        fs::create_directories(dir.file("prog/pictures/background"));
        fs::create_directories(dir.file("user"));
        for (int s = 1; s <= 4; ++s) {
            for (int i = 0; i < kSeasonPictures; ++i)
                touch(seasonalPicturePath(programDir(), s, i));
        }
        strings.table().setItem("err_pic_miss", "MISS");
        strings.table().setItem("err_pic_noimages", "NONE");
        strings.table().setItem("err_pic_damaged", "DAMAGED $1");
        theme.setItem("picture_x", "0");
        theme.setItem("picture_y", "0");
        theme.setItem("picture_w", "200");
        theme.setItem("picture_h", "200");
        ctx = {&settings, &theme, &strings, &marks, &random, &images, &userPictures, programDir()};
        day.now = clock.now();
        day.season = 2;
        day.firstAppearanceToday = false;
    }
    std::string programDir() const { return dir.file("prog") + "/"; }
    static void touch(const std::string& path) { std::ofstream(path) << "x"; }
    void lastAppeared(const std::string& isoTime) { settings.setItem("LastAppear", isoTime); }
    PictureOfDay load(bool redraw = false) { return loadPictureOfDay(redraw, day, ctx); }
};

TEST(PictureOfDayLoad, APictureStaysForItsPeriodButNotPastTheFirstAppearance) {
    LoadFixture f;
    f.lastAppeared("2024-05-01T08:00:00");
    const PictureOfDay first = f.load();  // nothing kept yet: PicToday names no file
    EXPECT_EQ(first.origin, PictureOrigin::kSeasonal);
    EXPECT_EQ(f.settings.item("PicToday"), first.path);
    EXPECT_EQ(fs::path(first.path).filename().string()[0], '2');  // summer

    const PictureOfDay again = f.load();
    EXPECT_EQ(again.origin, PictureOrigin::kKept);
    EXPECT_EQ(again.path, first.path);

    f.day.firstAppearanceToday = true;  // a new day always brings a new picture
    EXPECT_EQ(f.load().origin, PictureOrigin::kSeasonal);
    f.day.firstAppearanceToday = false;

    f.settings.setItem("BGPic_Replace", "2");
    f.lastAppeared("2024-05-01T11:59:59");
    EXPECT_EQ(f.load().origin, PictureOrigin::kSeasonal);
    f.settings.setItem("BGPic_Replace", "0");
    f.lastAppeared("2024-05-01T12:00:00");
    EXPECT_EQ(f.load().origin, PictureOrigin::kSeasonal);

    f.settings.setItem("BGPic_Replace", "1");
    const std::string gone = f.settings.item("PicToday");
    fs::remove(gone);
    const PictureOfDay replaced = f.load();
    EXPECT_EQ(replaced.origin, PictureOrigin::kSeasonal);
    EXPECT_NE(replaced.path, gone);
}

TEST(PictureOfDayLoad, TheSeasonNamesTheFile) {
    LoadFixture f;
    f.day.season = 1;
    EXPECT_EQ(fs::path(f.load().path).filename().string()[0], '1');
    f.day.season = 4;
    EXPECT_EQ(fs::path(f.load().path).filename().string()[0], '4');
    EXPECT_EQ(seasonalPicturePath("/opt/tv/", 4, 99), "/opt/tv/pictures/background/4100.jpg");
}

TEST(PictureOfDayLoad, AnEventPictureWinsAndShowsNoTitle) {
    LoadFixture f;
    f.settings.setItem("OptBG", "1");
    f.settings.setItem("BGPic_FitMode", "1");
    f.settings.setItem("PicToday", "/somewhere/else.jpg");
    const std::string eventPicture = f.dir.file("party.jpg");
    LoadFixture::touch(eventPicture);
    f.day.eventPicture = eventPicture;
    const PictureOfDay p = f.load();
    EXPECT_EQ(p.origin, PictureOrigin::kEvent);
    EXPECT_EQ(p.path, eventPicture);
    EXPECT_TRUE(p.loaded);
    EXPECT_EQ(p.title, "");
    EXPECT_FALSE(p.fillBackground);
    EXPECT_EQ(p.fit.source, (PictureRect{50, 0, 300, 300}));
    EXPECT_EQ(f.settings.item("PicToday"), "/somewhere/else.jpg");

    const PictureOfDay redrawn = f.load(true);
    EXPECT_TRUE(redrawn.changed);
    EXPECT_TRUE(redrawn.fillBackground);

    // Without an event picture a redraw leaves everything as it was.
    f.day.eventPicture.clear();
    EXPECT_FALSE(f.load(true).changed);
    EXPECT_EQ(f.settings.item("PicToday"), "/somewhere/else.jpg");
    EXPECT_TRUE(std::all_of(f.marks.begin(), f.marks.end(), [](uint8_t m) { return m == 0; }));
}

TEST(PictureOfDayLoad, ErrorTextsTakeThePlaceOfThePicture) {
    LoadFixture f;
    fs::remove_all(f.dir.file("prog/pictures/background"));
    PictureOfDay p = f.load();
    EXPECT_EQ(p.errorText, "MISS");
    EXPECT_FALSE(p.loaded);

    f.images.result = ImageLoadResult::kDamaged;
    const std::string broken = f.dir.file("broken.jpg");
    LoadFixture::touch(broken);
    f.day.eventPicture = broken;
    EXPECT_EQ(f.load().errorText, "DAMAGED " + broken);
    f.images.result = ImageLoadResult::kTooLarge;
    EXPECT_EQ(f.load().errorText, "DAMAGED " + broken);

    f.day.eventPicture.clear();
    f.settings.setItem("OptBG", "1");
    f.settings.setItem("BGPic_Source", f.dir.file("empty"));
    fs::create_directories(f.dir.file("empty"));
    p = f.load();
    EXPECT_EQ(p.origin, PictureOrigin::kUser);
    EXPECT_EQ(p.errorText, "NONE");
    EXPECT_EQ(p.title, "");
}

TEST(PictureOfDayLoad, UserPicturesCarryTheirNameAndFitInsideOnRequest) {
    LoadFixture f;
    f.settings.setItem("OptBG", "1");
    f.settings.setItem("BGPic_FitMode", "0");
    f.settings.setItem("BGPic_Source", f.dir.file("mine"));
    fs::create_directories(f.dir.file("mine"));
    LoadFixture::touch(f.dir.file("mine/Nyári tó.JPG"));
    PictureOfDay p = f.load();
    EXPECT_EQ(p.path, f.dir.file("mine/Nyári tó.JPG"));
    EXPECT_EQ(p.title, "Nyári tó");
    EXPECT_EQ(p.fitMode, PictureFitMode::kFitInside);
    EXPECT_EQ(p.fit.destination, (PictureRect{0, 25, 200, 150}));
    f.userPictures.completePictureList();

    f.settings.setItem("BGPic_Name", "0");
    f.day.firstAppearanceToday = true;
    EXPECT_EQ(f.load().title, "");

    // A folder inside the program's own pictures gets no title, whatever its letter case.
    f.settings.setItem("BGPic_Name", "1");
    f.ctx.programDir = f.dir.file("PROG") + "/";
    f.settings.setItem("BGPic_Source", f.dir.file("prog/pictures/background"));
    p = f.load();
    EXPECT_EQ(p.origin, PictureOrigin::kUser);
    EXPECT_TRUE(p.loaded);
    EXPECT_EQ(p.title, "");
}

}  // namespace
}  // namespace tv
