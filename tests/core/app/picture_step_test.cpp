#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app_harness.h"
#include "core/app/startup.h"
#include "core/calc/files.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/names/picture_of_day.h"

namespace tv {
namespace {

using test::AppHarness;
using test::TempDir;

// A harness ready for the picture step: the user data folder exists, today is a spring day that
// the calendar has not appeared on yet.
struct PictureHarness : AppHarness {
    PictureHarness() {
        std::filesystem::create_directories(platform.paths.userDataDir);
        state.today.season = 1;
        state.firstAppearanceToday = true;
    }
    EventDbContext db() {
        return eventDbContextFor(platform.paths.userDataDir, clock, state.strings, state.settings,
                                 &box, &state.log);
    }
    bool databaseWritten() const { return fileExists(userFile(std::string(kEventDbName))); }
};

TEST(PictureStep, ASeasonalChoiceSavesItsRotationMarkAtOnce) {
    PictureHarness h;
    const PictureOfDay p = loadBackgroundPicture(h.ctx, nullptr, false);
    EXPECT_EQ(p.origin, PictureOrigin::kSeasonal);
    EXPECT_TRUE(p.path.starts_with(h.program.dir() + "pictures/background/1")) << p.path;
    EXPECT_EQ(read(h.state.settings, settings::PicToday), p.path);
    EXPECT_EQ(p.errorText, "err_pic_miss");  // no built-in pictures in the test's folder

    EventTable saved;
    ASSERT_TRUE(loadEventDatabase(saved, h.db()));
    EXPECT_EQ(saved.pictureMarks(), h.state.events.pictureMarks());
    EXPECT_EQ(std::count(saved.pictureMarks().begin(), saved.pictureMarks().end(), kPictureShown),
              1);
}

TEST(PictureStep, ARedrawWithoutAnEventPictureKeepsEverything) {
    PictureHarness h;
    write(h.state.settings, settings::PicToday, "/kept.jpg");
    EXPECT_FALSE(loadBackgroundPicture(h.ctx, nullptr, true).changed);
    EXPECT_EQ(read(h.state.settings, settings::PicToday), "/kept.jpg");
    EXPECT_FALSE(h.databaseWritten());

    // An event picture is drawn again, with the background restored under it first.
    h.state.lists.dayPicture = h.program.file("event.jpg");
    const PictureOfDay p = loadBackgroundPicture(h.ctx, nullptr, true);
    EXPECT_EQ(p.origin, PictureOrigin::kEvent);
    EXPECT_TRUE(p.fillBackground);
    EXPECT_FALSE(h.databaseWritten());
}

TEST(PictureStep, TheUserFolderIsListedOnceAndTheRestLeftToTheSearchTimer) {
    PictureHarness h;
    TempDir folder;
    write(h.state.settings, settings::OptBG, "1");
    write(h.state.settings, settings::BGPic_Source, folder.dir());

    // An empty folder: the choice finds nothing and no listing is left running.
    PictureOfDay p = loadBackgroundPicture(h.ctx, nullptr, false);
    ASSERT_NE(h.state.userPictures, nullptr);
    EXPECT_EQ(p.errorText, "err_pic_noimages");
    EXPECT_FALSE(h.state.userPictures->searchTimerOn());
    EXPECT_FALSE(h.databaseWritten());  // the seasonal marks did not move

    // The first picture found is shown at once; the timer is to list the others.
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        folder.write(name, "x");
    h.state.firstAppearanceToday = true;
    p = loadBackgroundPicture(h.ctx, nullptr, false);
    EXPECT_EQ(p.origin, PictureOrigin::kUser);
    EXPECT_TRUE(p.path.starts_with(folder.dir())) << p.path;
    UserPictureList& list = *h.state.userPictures;
    EXPECT_TRUE(list.searchTimerOn());
    int ticks = 0;
    while (list.completePictureListStep() && ticks < 100)
        ++ticks;
    EXPECT_FALSE(list.searchTimerOn());
    EXPECT_TRUE(fileExists(list.filePath("userpic_index.dat")));
}

}  // namespace
}  // namespace tv
