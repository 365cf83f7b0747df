// The picture loader with the pixel cache: a PNG's second load comes from its entry, a changed
// source or a damaged entry is decoded again, and nothing about the cache can stop a picture
// from loading. The day's picture is kept as it was shown, and copying that back gives the very
// pixels the stretch gave.
#include "platform/qt/caching_image_loader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/render/pixel_cache_format.h"
#include "platform/qt/qt_surface.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;

class CachingImageLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }

    // A picture of one colour with a green last pixel, so that rows and ends are both seen.
    void savePicture(const std::string& name, uint32_t colour, const char* format = "PNG") {
        QImage image(5, 3, QImage::Format_RGB32);
        image.fill(toQRgb(colour));
        image.setPixel(4, 2, toQRgb(kGreen));
        // Saved under another name and renamed, as a package update replaces a file.
        const QString temp = QString::fromStdString(dir.file("new-" + name));
        ASSERT_TRUE(image.save(temp, format, 100));
        fs::rename(temp.toStdString(), dir.file(name));
    }

    // One pixel of a fresh load; kNoPicture when it did not load.
    static constexpr uint32_t kNoPicture = 0xFFFFFFFF;
    uint32_t pixelOf(const std::string& name, int x, int y) {
        ImageLoadResult result = ImageLoadResult::kDamaged;
        auto surface = loader.load(dir.file(name), result);
        return surface && result == ImageLoadResult::kOk ? surface->pixel(x, y) : kNoPicture;
    }

    // The entry of a picture, relative to the test's folder.
    std::string entryOf(const std::string& name) const {
        return "cache/pixels/" + pixelCacheFileName(dir.file(name));
    }

    test::TempDir dir;
    std::string folder = dir.file("cache/pixels");
    CachingImageLoader loader{folder};
};

TEST_F(CachingImageLoaderTest, SecondLoadComesFromTheEntryUntilTheSourceChanges) {
    savePicture("bg.png", kRed);
    EXPECT_EQ(pixelOf("bg.png", 4, 2), kGreen);
    const std::string entry = entryOf("bg.png");
    ASSERT_EQ(fs::file_size(dir.file(entry)),
              kPixelCacheFixedHeaderBytes + dir.file("bg.png").size() + 5 * 3 * 4);

    // Pixels changed inside a valid entry show up: the PNG was not decoded again.
    std::string bytes = dir.read(entry);
    bytes.replace(bytes.size() - 4, 4, std::string("\xFF\x00\x00\xFF", 4));  // B G R A
    dir.write(entry, bytes);
    EXPECT_EQ(pixelOf("bg.png", 0, 0), kRed);
    EXPECT_EQ(pixelOf("bg.png", 4, 2), kBlue);

    // Touched: decoded again, and the entry holds the decoded pixels again.
    const timespec later[2] = {{2000000000, 5}, {2000000000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file("bg.png").c_str(), later, 0), 0);
    EXPECT_EQ(pixelOf("bg.png", 4, 2), kGreen);
    EXPECT_NE(dir.read(entry), bytes);
    EXPECT_EQ(pixelOf("bg.png", 4, 2), kGreen);

    // Replaced by another picture of the very same size.
    savePicture("bg.png", kBlue);
    EXPECT_EQ(pixelOf("bg.png", 0, 0), kBlue);
    EXPECT_EQ(pixelOf("bg.png", 0, 0), kBlue);
}

TEST_F(CachingImageLoaderTest, DamagedEntriesAreDecodedAgainAndRebuilt) {
    savePicture("bg.png", kRed);
    ASSERT_EQ(pixelOf("bg.png", 0, 0), kRed);
    const std::string entry = dir.file(entryOf("bg.png"));
    const auto whole = fs::file_size(entry);
    for (const uintmax_t cut : {whole - 1, uintmax_t{kPixelCacheFixedHeaderBytes}, uintmax_t{3}}) {
        fs::resize_file(entry, cut);
        EXPECT_EQ(pixelOf("bg.png", 4, 2), kGreen) << cut;
        EXPECT_EQ(fs::file_size(entry), whole) << cut;
    }
}

TEST_F(CachingImageLoaderTest, OnlyPngsAreKeptAndTheCacheNeverStopsALoad) {
    savePicture("day.jpg", kRed, "JPEG");
    EXPECT_NE(pixelOf("day.jpg", 0, 0), kNoPicture);
    EXPECT_FALSE(fs::exists(folder));
    ImageLoadResult result = ImageLoadResult::kOk;
    EXPECT_EQ(loader.load(dir.file("none.png"), result), nullptr);
    EXPECT_EQ(result, ImageLoadResult::kMissing);

    // A cache folder that cannot be made: the picture loads all the same.
    dir.write("cache", "a file where the folder should be");
    savePicture("bg.png", kRed);
    EXPECT_EQ(pixelOf("bg.png", 4, 2), kGreen);
}

TEST_F(CachingImageLoaderTest, AShownCopyGivesBackTheStretchedPixelsWhileNothingChanged) {
    // A day's picture with detail everywhere, so any difference in scaling shows.
    QImage photo(80, 60, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 3, y * 4, (x * y) % 256));
    ASSERT_TRUE(photo.save(QString::fromStdString(dir.file("day.jpg")), "JPEG", 90));
    const std::string path = dir.file("day.jpg");
    ImageLoadResult result = ImageLoadResult::kOk;
    auto decoded = loader.load(path, result);
    ASSERT_NE(decoded, nullptr);

    // The page's picture area with something under it, the part stretched in at (x, y); then
    // the kept copy drawn into a fresh area must give the very same pixels. Once inside the
    // area, once as wide as it (read straight into its rows).
    struct Case {
        int areaWidth, x, y;
    };
    for (const Case c : {Case{64, 3, 2}, Case{57, 0, 4}}) {
        const ShownPart part{4, 2, 72, 54, 57, 43};
        QImage under(c.areaWidth, 48, QImage::Format_RGB32);
        under.fill(qRgb(10, 20, 30));
        QtSurface drawn(under.copy());
        QtSurface fresh(under.copy());
        EXPECT_FALSE(loader.drawShown(path, part, fresh, c.x, c.y));
        drawn.stretch(c.x, c.y, 57, 43, *decoded, 4, 2, 72, 54);
        loader.keepShown(path, part, drawn, c.x, c.y);

        QtSurface copied(under.copy());
        ASSERT_TRUE(loader.drawShown(path, part, copied, c.x, c.y)) << c.areaWidth;
        EXPECT_EQ(copied.image(), drawn.image()) << c.areaWidth;
        fs::remove_all(folder);
    }

    // Another part or size is another copy; a rewritten picture has none yet.
    QImage area(64, 48, QImage::Format_RGB32);
    QtSurface drawn(area);
    const ShownPart part{4, 2, 72, 54, 57, 43};
    drawn.stretch(3, 2, 57, 43, *decoded, 4, 2, 72, 54);
    loader.keepShown(path, part, drawn, 3, 2);
    ASSERT_TRUE(loader.drawShown(path, part, drawn, 3, 2));
    EXPECT_FALSE(loader.drawShown(path, {4, 2, 72, 54, 56, 43}, drawn, 3, 2));
    EXPECT_FALSE(loader.drawShown(path, {0, 2, 72, 54, 57, 43}, drawn, 3, 2));
    EXPECT_FALSE(loader.drawShown(path, part, drawn, 10, 10));  // would not fit in the area
    const timespec later[2] = {{2000000000, 5}, {2000000000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    EXPECT_FALSE(loader.drawShown(path, part, drawn, 3, 2));
}

// The file's signature decides the format, not its name; a file of no known signature is
// damaged, whatever it is called. (The reader is never left to ask every plugin.)
TEST_F(CachingImageLoaderTest, TheSignatureDecidesTheFormat) {
    savePicture("really-png.jpg", kBlue, "PNG");
    savePicture("really-jpeg.png", kRed, "JPEG");
    savePicture("really-bmp.gif", kBlue, "BMP");
    dir.write("text.png", "not a picture at all");
    QtImageLoader plain;
    for (const ImageLoader* l :
         {static_cast<const ImageLoader*>(&plain), static_cast<const ImageLoader*>(&loader)}) {
        ImageLoadResult result = ImageLoadResult::kOk;
        EXPECT_TRUE(l->load(dir.file("really-png.jpg"), result)) << static_cast<int>(result);
        EXPECT_TRUE(l->load(dir.file("really-jpeg.png"), result)) << static_cast<int>(result);
        EXPECT_TRUE(l->load(dir.file("really-bmp.gif"), result)) << static_cast<int>(result);
        EXPECT_FALSE(l->load(dir.file("text.png"), result));
        EXPECT_EQ(result, ImageLoadResult::kDamaged);
    }
    EXPECT_EQ(pixelOf("really-png.jpg", 0, 0), kBlue);
}

}  // namespace
}  // namespace tv
