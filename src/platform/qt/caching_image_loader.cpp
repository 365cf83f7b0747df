#include "platform/qt/caching_image_loader.h"

#include <bit>
#include <optional>
#include <string>

#include "core/render/pixel_cache.h"
#include "platform/qt/qt_surface.h"

namespace tv {
namespace {

// Entries hold 32-bit words in little-endian order, which is how a 32-bit RGB image lies in
// memory only on a little-endian machine.
constexpr bool kCacheUsable = std::endian::native == std::endian::little;

QImage fromCache(const std::string& folder, const PixelCacheKey& key) {
    QImage image;
    const bool read =
        readPixelCacheEntry(folder, key, [&image](const PixelLayout& layout) -> uint8_t* {
            if (layout.format != PixelFormat::kRgb32) return nullptr;
            image = QImage(static_cast<int>(layout.width), static_cast<int>(layout.height),
                           QImage::Format_RGB32);
            // Rows are read as they lie in the file, so they must lie the same in memory.
            if (image.isNull() || image.bytesPerLine() != static_cast<qsizetype>(layout.stride))
                return nullptr;
            return image.bits();
        });
    return read ? image : QImage();
}

void toCache(const std::string& folder, const PixelCacheKey& key, const QImage& image) {
    PixelLayout layout;
    layout.width = static_cast<uint32_t>(image.width());
    layout.height = static_cast<uint32_t>(image.height());
    layout.stride = static_cast<uint32_t>(image.bytesPerLine());
    layout.format = PixelFormat::kRgb32;
    writePixelCacheEntry(folder, key, layout,
                         {image.constBits(), static_cast<size_t>(image.sizeInBytes())});
}

// A shown copy's entry is keyed by its source file and, after a "#", the part, the size and the
// Qt whose smooth scaling made it: another part, size or scaler makes another entry.
std::optional<PixelCacheKey> shownKey(const std::string& path, const ShownPart& part) {
    std::optional<PixelCacheKey> key = pixelCacheKeyFor(path);
    if (!key) return std::nullopt;
    key->path += "#" + std::to_string(part.x) + "," + std::to_string(part.y) + "," +
                 std::to_string(part.width) + "x" + std::to_string(part.height) + ">" +
                 std::to_string(part.shownWidth) + "x" + std::to_string(part.shownHeight) +
                 " qt" QT_VERSION_STR;
    return key;
}

}  // namespace

bool CachingImageLoader::drawShown(const std::string& path, const ShownPart& part, Surface& into,
                                   int x, int y) const {
    auto* surface = dynamic_cast<QtSurface*>(&into);
    if (!kCacheUsable || folder_.empty() || surface == nullptr) return false;
    QImage& target = surface->image();
    const QRect rect(x, y, part.shownWidth, part.shownHeight);
    if (rect.isEmpty() || !target.rect().contains(rect) || target.format() != QImage::Format_RGB32)
        return false;
    const std::optional<PixelCacheKey> key = shownKey(path, part);
    if (!key) return false;
    const auto fits = [&](const PixelLayout& layout) {
        return layout.format == PixelFormat::kRgb32 &&
               layout.width == static_cast<uint32_t>(rect.width()) &&
               layout.height == static_cast<uint32_t>(rect.height());
    };
    // A copy as wide as the target goes straight into its rows: no second picture in memory.
    if (x == 0 && rect.width() == target.width()) {
        return readPixelCacheEntry(folder_, *key, [&](const PixelLayout& layout) -> uint8_t* {
            if (!fits(layout) || layout.stride != static_cast<uint32_t>(target.bytesPerLine()))
                return nullptr;
            return target.scanLine(y);
        });
    }
    const QImage cached = fromCache(folder_, *key);
    if (cached.size() != rect.size()) return false;
    into.copy(x, y, rect.width(), rect.height(), QtSurface(cached), 0, 0);
    return true;
}

void CachingImageLoader::keepShown(const std::string& path, const ShownPart& part,
                                   const Surface& from, int x, int y) const {
    const auto* surface = dynamic_cast<const QtSurface*>(&from);
    if (!kCacheUsable || folder_.empty() || surface == nullptr) return;
    const QRect rect(x, y, part.shownWidth, part.shownHeight);
    if (rect.isEmpty() || !surface->image().rect().contains(rect)) return;
    const std::optional<PixelCacheKey> key = shownKey(path, part);
    if (!key) return;
    toCache(folder_, *key, surface->image().copy(rect).convertToFormat(QImage::Format_RGB32));
}

std::unique_ptr<Surface> CachingImageLoader::load(const std::string& path,
                                                  ImageLoadResult& result) const {
    if (!kCacheUsable || folder_.empty()) return decoder_.load(path, result);
    // The key is taken before the file is decoded: a picture rewritten in between leaves an
    // entry under its old key, which the next start does not take.
    const std::optional<PixelCacheKey> key = pixelCacheKeyFor(path);
    if (!key) return decoder_.load(path, result);
    if (QImage cached = fromCache(folder_, *key); !cached.isNull()) {
        result = ImageLoadResult::kOk;
        return std::make_unique<QtSurface>(std::move(cached));
    }
    QByteArray format;
    QImage image = decoder_.read(path, result, &format);
    if (image.isNull()) return nullptr;
    // The surface keeps 32-bit RGB pixels anyway; the entry holds them as the surface will.
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    // Only PNGs: the skins are PNG, while the day's pictures are JPEGs that change every day
    // and would only fill the folder.
    if (format == "png") toCache(folder_, *key, image);
    return std::make_unique<QtSurface>(std::move(image));
}

}  // namespace tv
