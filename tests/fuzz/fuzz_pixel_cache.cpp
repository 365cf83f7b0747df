// Pixel cache entries: any bytes, whole or only their start, give an entry or nothing; an entry
// that is taken lies inside the file and encodes back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "core/render/pixel_cache_format.h"

namespace {

// The key of the seeds in tests/fuzz/seeds/pixel_cache.
const tv::PixelCacheKey& key() {
    static const tv::PixelCacheKey k{"/skins/metal_big/main_bg.png", 1234,
                                     1'700'000'000'123'456'789, 1'700'000'001'000'000'007};
    return k;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // As the reader does it: the start of the file and the file's length.
    const std::string_view head = bytes.substr(0, tv::kPixelCacheMaxHeaderBytes);
    const auto entry = tv::parsePixelCacheEntry(head, size, key());
    if (entry) {
        if (entry->pixelOffset > size || entry->pixelBytes != size - entry->pixelOffset) abort();
        const std::span<const uint8_t> pixels(data + entry->pixelOffset, entry->pixelBytes);
        if (tv::encodePixelCacheEntry(key(), entry->layout, pixels) != bytes) abort();
    }
    // A file that is longer or shorter than what was read of it.
    tv::parsePixelCacheEntry(head, size + 1, key());
    if (size > 0) tv::parsePixelCacheEntry(head.substr(0, size - 1), size, key());
    tv::isPixelCacheFileName(bytes.substr(0, 64));
    return 0;
}
