// The decoded-pixel cache: its entries hold exactly what was stored and nothing else passes as
// one; the folder stays within its cap without touching files that are not the cache's.
#include "core/render/pixel_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "support/temp_dir.h"

namespace tv {
namespace {

PixelCacheKey keyOf(std::string path) {
    return {std::move(path), 1234, 1'700'000'000'123'456'789, 1'700'000'001'000'000'007};
}

std::vector<uint8_t> pixelsFor(const PixelLayout& layout) {
    std::vector<uint8_t> pixels(size_t{layout.stride} * layout.height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 7 + 3);
    return pixels;
}

void putU32(std::string& bytes, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(PixelCacheFormat, EntryGivesBackItsLayoutAndPixels) {
    const PixelLayout layout{3, 2, 16, PixelFormat::kRgb32};  // rows padded past 12 bytes
    const std::vector<uint8_t> pixels = pixelsFor(layout);
    const PixelCacheKey key = keyOf("/usr/share/tempovirens/themes/metal_big/main_bg.png");
    const std::string entry = encodePixelCacheEntry(key, layout, pixels);
    ASSERT_EQ(entry.size(), kPixelCacheFixedHeaderBytes + key.path.size() + pixels.size());

    // The whole file, or just its start with the file's length: the same answer.
    for (const std::string_view head :
         {std::string_view(entry), std::string_view(entry).substr(0, 52 + key.path.size())}) {
        const std::optional<PixelCacheEntry> parsed = parsePixelCacheEntry(head, entry.size(), key);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->layout, layout);
        EXPECT_EQ(parsed->pixelBytes, pixels.size());
        EXPECT_EQ(entry.substr(parsed->pixelOffset), std::string(pixels.begin(), pixels.end()));
    }
}

TEST(PixelCacheFormat, RefusesWhatIsNotExactlyTheEntryAskedFor) {
    const PixelLayout layout{4, 3, 16, PixelFormat::kRgb32};
    const PixelCacheKey key = keyOf("/skins/a.png");
    const std::string good = encodePixelCacheEntry(key, layout, pixelsFor(layout));
    ASSERT_TRUE(parsePixelCacheEntry(good, good.size(), key));

    struct Field {
        size_t at;
        uint32_t value;
    };
    const std::vector<std::pair<const char*, std::vector<Field>>> damages = {
        {"magic", {{0, 0x58505655}}},
        {"version", {{4, 2}}},
        {"format", {{20, 7}}},
        {"no width", {{8, 0}}},
        {"no height", {{12, 0}}},
        {"row shorter than its pixels", {{16, 12}}},
        {"row of part pixels", {{16, 18}}},
        {"path past the header", {{48, 5000}}},
        {"no path", {{48, 0}}},
        {"path off by one", {{48, 11}}},
        {"past the allocation limit", {{8, 40000}, {12, 40000}, {16, 160000}}},
        {"a row size that wraps 32 bits", {{8, 0x40000000}, {16, 0}}},
    };
    for (const auto& [what, fields] : damages) {
        std::string bytes = good;
        for (const Field& f : fields)
            putU32(bytes, f.at, f.value);
        EXPECT_FALSE(parsePixelCacheEntry(bytes, bytes.size(), key)) << what;
    }

    // Cut or grown files, and a head that is not the file's start.
    EXPECT_FALSE(parsePixelCacheEntry(good.substr(0, good.size() - 1), good.size() - 1, key));
    EXPECT_FALSE(parsePixelCacheEntry(good + "x", good.size() + 1, key));
    EXPECT_FALSE(parsePixelCacheEntry(good.substr(0, 51), good.size(), key));
    EXPECT_FALSE(parsePixelCacheEntry(good, good.size() - 1, key));

    // Stale: the source was moved, rewritten, touched or replaced.
    std::vector<PixelCacheKey> stale(4, key);
    stale[0].path = "/skins/b.png";
    stale[1].size += 1;
    stale[2].modifiedNs += 1;
    stale[3].changedNs += 1;
    for (const PixelCacheKey& k : stale)
        EXPECT_FALSE(parsePixelCacheEntry(good, good.size(), k)) << k.path;

    // What could not be read back is not written.
    const std::vector<uint8_t> pixels = pixelsFor(layout);
    EXPECT_EQ(encodePixelCacheEntry(key, layout, {pixels.data(), pixels.size() - 1}), "");
    EXPECT_EQ(encodePixelCacheEntry(keyOf(""), layout, pixels), "");
    // Just inside and just past the loader's allocation limit.
    EXPECT_TRUE(pixelBytesOf({4096, 4096, 4096 * 4, PixelFormat::kRgb32}));
    EXPECT_FALSE(pixelBytesOf({4096, 4097, 4096 * 4, PixelFormat::kRgb32}));
}

TEST(PixelCacheFormat, FileNames) {
    EXPECT_EQ(pixelCacheFileName(""), "cbf29ce484222325.px");  // stable across versions
    EXPECT_NE(pixelCacheFileName("/skins/a.png"), pixelCacheFileName("/skins/b.png"));
    EXPECT_TRUE(isPixelCacheFileName("cbf29ce484222325.px.4711.tmp"));
    for (const char* other : {"settings.cfg", "cbf29ce48422232.px", "CBF29CE484222325.px",
                              "cbf29ce484222325.px.tmp", "cbf29ce484222325.px.12a.tmp"})
        EXPECT_FALSE(isPixelCacheFileName(other)) << other;
}

TEST(PixelCacheFormat, EvictsTheLeastRecentlyUsedBeyondTheCap) {
    const std::vector<PixelCacheFile> files = {
        {"old", 40, 100}, {"new", 50, 300}, {"mid", 30, 200}, {"oldest", 5, 50}};
    EXPECT_EQ(pixelCacheEvictions(files, 1000), std::vector<std::string>{});
    EXPECT_EQ(pixelCacheEvictions(files, 80), (std::vector<std::string>{"old", "oldest"}));
    // Once one does not fit, nothing older stays, even what would still fit.
    EXPECT_EQ(pixelCacheEvictions(files, 85), (std::vector<std::string>{"old", "oldest"}));
    // The newest stays even alone past the cap.
    EXPECT_EQ(pixelCacheEvictions(files, 10), (std::vector<std::string>{"mid", "old", "oldest"}));
}

TEST(PixelCacheFolder, KeysAndTrimming) {
    test::TempDir dir;
    dir.write("a.png", "any bytes");
    const std::optional<PixelCacheKey> key = pixelCacheKeyFor(dir.file("a.png"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->size, 9u);
    EXPECT_FALSE(pixelCacheKeyFor(dir.file("none.png")));
    EXPECT_FALSE(pixelCacheKeyFor(dir.dir()));

    // Room for two entries: the third write drops the least recently used one (an entry read
    // counts as used) and never a file that is not the cache's.
    const std::string folder = dir.file("pixels");
    const PixelLayout layout{8, 8, 32, PixelFormat::kRgb32};
    const std::vector<uint8_t> pixels = pixelsFor(layout);
    const auto entry = [&](const char* path) { return folder + "/" + pixelCacheFileName(path); };
    const auto keyFor = [&key](const char* path) {
        PixelCacheKey k = *key;
        k.path = path;
        return k;
    };
    ASSERT_TRUE(writePixelCacheEntry(folder, keyFor("/a.png"), layout, pixels));
    const uint64_t cap = 2 * std::filesystem::file_size(entry("/a.png"));
    dir.write("pixels/notes.txt", std::string(cap, 'x'));
    ASSERT_TRUE(writePixelCacheEntry(folder, keyFor("/b.png"), layout, pixels, cap));
    const timespec past[2] = {{1000, 0}, {1000, 0}};
    ::utimensat(AT_FDCWD, entry("/a.png").c_str(), past, 0);
    ::utimensat(AT_FDCWD, entry("/b.png").c_str(), past, 0);
    std::vector<uint8_t> back(pixels.size());
    ASSERT_TRUE(readPixelCacheEntry(folder, keyFor("/a.png"),
                                    [&back](const PixelLayout&) { return back.data(); }));
    EXPECT_EQ(back, pixels);
    ASSERT_TRUE(writePixelCacheEntry(folder, keyFor("/c.png"), layout, pixels, cap));
    EXPECT_TRUE(std::filesystem::exists(entry("/a.png")));
    EXPECT_FALSE(std::filesystem::exists(entry("/b.png")));
    EXPECT_TRUE(std::filesystem::exists(entry("/c.png")));
    EXPECT_TRUE(std::filesystem::exists(folder + "/notes.txt"));
}

}  // namespace
}  // namespace tv
