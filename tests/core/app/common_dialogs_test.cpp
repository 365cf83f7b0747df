#include "core/app/common_dialogs.h"

#include <gtest/gtest.h>

#include "core/config/string_table.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

TEST(CommonDialogs, EachKindOffersItsFiltersInOrder) {
    StringTable s;
    s.table().add("sets_filter_pic1", "Minden kép");
    auto pics = fileFiltersFor(FileKind::kPictures, s);
    ASSERT_EQ(pics.size(), 5u);
    EXPECT_EQ(pics[0].label, "Minden kép");
    // Exactly what the loader reads: PNG offered, WMF (never loaded here) not.
    EXPECT_EQ(pics[0].pattern, "*.png; *.jpg; *.jpeg; *.gif; *.bmp");
    EXPECT_EQ(pics[4].pattern, "*.png");
    EXPECT_EQ(fileFiltersFor(FileKind::kSounds, s)[0].pattern, "*.wav");
    EXPECT_EQ(fileFiltersFor(FileKind::kBackups, s)[0].pattern, "*.backup");
    EXPECT_TRUE(fileFiltersFor(FileKind::kAny, s).empty());
}

TEST(CommonDialogs, TheCurrentPathGivesFolderAndNameUnlessNameIsKept) {
    StringTable s;
    auto r = makeOpenFileRequest(FileKind::kPictures, "/home/u/Képek/nyár.jpg", "Kép", false, s);
    EXPECT_EQ(r.startFolder, "/home/u/Képek/");
    EXPECT_EQ(r.initialName, "nyár.jpg");
    r = makeOpenFileRequest(FileKind::kPictures, "C:\\pics\\a.jpg", "Kép", true, s);
    EXPECT_EQ(r.startFolder, "C:/pics/");
    EXPECT_EQ(r.initialName, "");
    r = makeOpenFileRequest(FileKind::kAny, "justaname.wav", "", false, s);
    EXPECT_EQ(r.startFolder, "");
    EXPECT_EQ(r.initialName, "");
}

TEST(CommonDialogs, CancelGivesNothingAndTheEmptyFolder) {
    StringTable s;
    FakeDialogs d;
    d.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(openFileDialog(d, FileKind::kSounds, "", "Hang", false, s).has_value());
    EXPECT_EQ(browseFolder(d, "Mappa"), "");
    d.folderAnswers.push_back(std::string("/tmp/x\0junk", 11));
    EXPECT_EQ(browseFolder(d, "Mappa"), "/tmp/x");
}

TEST(CommonDialogs, PointsAndPixelsAtTheUsualResolution) {
    EXPECT_EQ(pointsToHeight(12, 96), 16);
    EXPECT_EQ(heightToPoints(16, 96), 12);
    EXPECT_EQ(heightToPoints(16, 0), 0);
}

}  // namespace
}  // namespace tv
