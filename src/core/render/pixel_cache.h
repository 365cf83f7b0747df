// The decoded-pixel cache on disk: finding a source picture's key, reading a matching entry's
// pixels straight into the caller's buffer, and writing an entry with a safe save while keeping
// the folder within its cap. Nothing here fails loudly: a missing, stale or damaged entry is
// simply not used, and an entry that cannot be written is simply not there next time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/render/pixel_cache_format.h"

namespace tv {

// The folder keeps at most this much; writing an entry removes the least recently used beyond it.
inline constexpr uint64_t kPixelCacheCapBytes = uint64_t{64} << 20;

// The key of a regular file as it is now; nothing when it is missing or not a regular file.
std::optional<PixelCacheKey> pixelCacheKeyFor(const std::string& sourcePath);

// Asked for room for a checked entry's pixels: a buffer of at least stride x height bytes, or
// null to decline the layout.
using PixelDestination = std::function<uint8_t*(const PixelLayout&)>;

// Fills the destination from the entry in `folder` that matches `key`. False when there is no
// such entry, it does not match or check out, the destination declines, or the pixels cannot all
// be read (the destination's contents are then undefined).
bool readPixelCacheEntry(const std::string& folder, const PixelCacheKey& key,
                         const PixelDestination& destination);

// Saves the entry for `key` in `folder` (created when missing), then trims the folder to
// `capBytes`. False when nothing was saved.
bool writePixelCacheEntry(const std::string& folder, const PixelCacheKey& key,
                          const PixelLayout& layout, std::span<const uint8_t> pixels,
                          uint64_t capBytes = kPixelCacheCapBytes);

// Removes the least recently used entries (and left-over temporary files) beyond `capBytes`.
// Files that are not the cache's are never touched.
void trimPixelCache(const std::string& folder, uint64_t capBytes);

}  // namespace tv
