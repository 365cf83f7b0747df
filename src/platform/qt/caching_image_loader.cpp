#include "platform/qt/caching_image_loader.h"

#include <bit>

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

}  // namespace

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
