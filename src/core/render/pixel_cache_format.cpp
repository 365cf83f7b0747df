#include "core/render/pixel_cache_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/calc/fnv_hash.h"
#include "core/ports/image_loader.h"

namespace tv {
namespace {

constexpr std::string_view kMagic = "TVPX";
constexpr uint32_t kVersion = 1;
constexpr std::string_view kEntrySuffix = ".px";
constexpr size_t kHashDigits = 16;

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putU64(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Callers check the length first.
uint64_t getLe(std::string_view bytes, size_t at, int width) {
    uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

uint32_t getU32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(getLe(bytes, at, 4));
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<uint64_t> pixelBytesOf(const PixelLayout& layout) {
    if (layout.format != PixelFormat::kRgb32) return std::nullopt;
    constexpr uint64_t kPixelBytes = 4;
    if (layout.width == 0 || layout.height == 0) return std::nullopt;
    // Both factors are below 2^32, so neither product overflows 64 bits.
    if (layout.stride % kPixelBytes != 0 || layout.stride < uint64_t{layout.width} * kPixelBytes)
        return std::nullopt;
    const uint64_t bytes = uint64_t{layout.stride} * layout.height;
    // The loader's own limit: a cache entry never makes a picture it would refuse.
    if (bytes > (uint64_t{kImageAllocationLimitMiB} << 20)) return std::nullopt;
    return bytes;
}

std::string encodePixelCacheEntry(const PixelCacheKey& key, const PixelLayout& layout,
                                  std::span<const uint8_t> pixels) {
    const std::optional<uint64_t> bytes = pixelBytesOf(layout);
    if (!bytes || *bytes != pixels.size()) return {};
    if (key.path.empty() || key.path.size() > kPixelCacheMaxPathBytes) return {};
    std::string out;
    out.reserve(kPixelCacheFixedHeaderBytes + key.path.size() + pixels.size());
    out += kMagic;
    putU32(out, kVersion);
    putU32(out, layout.width);
    putU32(out, layout.height);
    putU32(out, layout.stride);
    putU32(out, static_cast<uint32_t>(layout.format));
    putU64(out, key.size);
    putU64(out, static_cast<uint64_t>(key.modifiedNs));
    putU64(out, static_cast<uint64_t>(key.changedNs));
    putU32(out, static_cast<uint32_t>(key.path.size()));
    out += key.path;
    out.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
    return out;
}

std::optional<PixelCacheEntry> parsePixelCacheEntry(std::string_view head, uint64_t fileLength,
                                                    const PixelCacheKey& expected) {
    if (head.size() > fileLength || head.size() < kPixelCacheFixedHeaderBytes) return std::nullopt;
    if (head.substr(0, kMagic.size()) != kMagic || getU32(head, 4) != kVersion) return std::nullopt;
    PixelCacheEntry entry;
    entry.layout.width = getU32(head, 8);
    entry.layout.height = getU32(head, 12);
    entry.layout.stride = getU32(head, 16);
    entry.layout.format = static_cast<PixelFormat>(getU32(head, 20));
    const std::optional<uint64_t> pixelBytes = pixelBytesOf(entry.layout);
    if (!pixelBytes) return std::nullopt;

    PixelCacheKey key;
    key.size = getLe(head, 24, 8);
    key.modifiedNs = static_cast<int64_t>(getLe(head, 32, 8));
    key.changedNs = static_cast<int64_t>(getLe(head, 40, 8));
    const uint32_t pathLength = getU32(head, 48);
    if (pathLength == 0 || pathLength > kPixelCacheMaxPathBytes ||
        head.size() < kPixelCacheFixedHeaderBytes + pathLength)
        return std::nullopt;
    key.path = std::string(head.substr(kPixelCacheFixedHeaderBytes, pathLength));
    if (key != expected) return std::nullopt;

    entry.pixelOffset = kPixelCacheFixedHeaderBytes + pathLength;
    entry.pixelBytes = *pixelBytes;
    // Exactly the pixels after the header: a cut or a grown file is not this entry.
    if (fileLength - entry.pixelOffset != entry.pixelBytes) return std::nullopt;
    return entry;
}

std::string pixelCacheFileName(std::string_view sourcePath) {
    char hex[kHashDigits + 1];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(sourcePath)));
    return std::string(hex) + std::string(kEntrySuffix);
}

bool isPixelCacheFileName(std::string_view name) {
    const size_t entryLength = kHashDigits + kEntrySuffix.size();
    if (name.size() < entryLength) return false;
    if (!std::all_of(name.begin(), name.begin() + kHashDigits, isHexDigit)) return false;
    if (name.substr(kHashDigits, kEntrySuffix.size()) != kEntrySuffix) return false;
    std::string_view rest = name.substr(entryLength);
    if (rest.empty()) return true;
    // "<entry>.<pid>.tmp", what an interrupted save leaves behind
    constexpr std::string_view kTempSuffix = ".tmp";
    if (rest.size() <= kTempSuffix.size() + 1 || !rest.starts_with('.') ||
        !rest.ends_with(kTempSuffix))
        return false;
    rest.remove_prefix(1);
    rest.remove_suffix(kTempSuffix.size());
    return allDigits(rest);
}

std::vector<std::string> pixelCacheEvictions(std::vector<PixelCacheFile> files, uint64_t capBytes) {
    std::sort(files.begin(), files.end(), [](const PixelCacheFile& a, const PixelCacheFile& b) {
        return a.usedNs != b.usedNs ? a.usedNs > b.usedNs : a.name < b.name;
    });
    std::vector<std::string> remove;
    uint64_t kept = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (i == 0 || (kept + files[i].bytes <= capBytes && remove.empty())) {
            kept += files[i].bytes;
        } else {
            remove.push_back(std::move(files[i].name));
        }
    }
    return remove;
}

}  // namespace tv
