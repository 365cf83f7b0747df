// The entries of the decoded-pixel cache: a start reads a skin picture's pixels from its entry
// instead of decoding the PNG again. One entry file per source picture, named by its path.
//
// An entry is a header of little-endian fixed-width fields, the source's path, then the rows:
//    0  "TVPX"                       4  u32 version (1)
//    8  u32 width                   12  u32 height
//   16  u32 stride (bytes a row)    20  u32 pixel format (PixelFormat)
//   24  u64 source size             32  i64 source modification time, ns
//   40  i64 source change time, ns  48  u32 path length
//   52  the path (UTF-8), then stride x height bytes of pixels, and nothing after them.
// The source's size and times are the key: a picture that was rewritten, touched or replaced no
// longer matches, and its entry is built again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The source picture an entry stands for, as it was on disk when it was decoded.
struct PixelCacheKey {
    std::string path;  // absolute
    uint64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;  // ctime: no copy tool can set it back, unlike the modification time

    bool operator==(const PixelCacheKey&) const = default;
};

enum class PixelFormat : uint32_t {
    // 32-bit words 0xffRRGGBB, stored little-endian (the memory of a 32-bit RGB surface).
    kRgb32 = 1,
};

struct PixelLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t stride = 0;
    PixelFormat format = PixelFormat::kRgb32;

    bool operator==(const PixelLayout&) const = default;
};

// Where a checked entry's pixels are in its file.
struct PixelCacheEntry {
    PixelLayout layout;
    uint64_t pixelOffset = 0;
    uint64_t pixelBytes = 0;
};

inline constexpr size_t kPixelCacheFixedHeaderBytes = 52;
inline constexpr size_t kPixelCacheMaxPathBytes = 4096;
// A reader needs at most this much of the file's start to check an entry.
inline constexpr size_t kPixelCacheMaxHeaderBytes =
    kPixelCacheFixedHeaderBytes + kPixelCacheMaxPathBytes;

// The bytes of the pixels a layout describes; nothing for an unknown format, an empty picture, a
// row shorter than its pixels or one not made of whole pixels, and for a picture past the
// allocation limit of the picture loader.
std::optional<uint64_t> pixelBytesOf(const PixelLayout& layout);

// The whole entry file; empty when the layout is not storable, does not describe exactly
// `pixels`, or the path is empty or too long.
std::string encodePixelCacheEntry(const PixelCacheKey& key, const PixelLayout& layout,
                                  std::span<const uint8_t> pixels);

// Checks an entry from the first bytes of its file (`head`, up to kPixelCacheMaxHeaderBytes) and
// the file's whole length: the magic, the version, a storable layout, the key, and pixels that
// end exactly at the file's end. Nothing for anything else; no field is trusted before it is
// checked against the bytes there are.
std::optional<PixelCacheEntry> parsePixelCacheEntry(std::string_view head, uint64_t fileLength,
                                                    const PixelCacheKey& expected);

// The entry file's name for a source path: 16 hex digits of its hash + ".px".
std::string pixelCacheFileName(std::string_view sourcePath);
// True for the names of entries and of their temporary files ("<name>.<pid>.tmp"): the only
// files in the folder that the cache ever removes.
bool isPixelCacheFileName(std::string_view name);

struct PixelCacheFile {
    std::string name;
    uint64_t bytes = 0;
    int64_t usedNs = 0;  // the last time the entry was written or read
};

// The files to remove so that the rest fit in `capBytes`: the least recently used go first. The
// most recently used file is always kept.
std::vector<std::string> pixelCacheEvictions(std::vector<PixelCacheFile> files, uint64_t capBytes);

}  // namespace tv
