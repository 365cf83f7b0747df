// Picture files (PNG, JPEG, BMP, GIF) with an allocation limit, read into a surface.
#pragma once

#include <string>

namespace tv {

enum class ImageLoadResult { kOk, kMissing, kDamaged, kTooLarge };

struct ImageInfo {
    int width = 0;
    int height = 0;
};

class ImageLoader {
public:
    virtual ~ImageLoader() = default;
    // Reads only the header: size, or why the picture cannot be used.
    virtual ImageLoadResult probe(const std::string& path, ImageInfo& info) const = 0;
};

}  // namespace tv
