// Picture files through QImageReader: PNG, JPEG, BMP and GIF only, with an allocation limit so
// a header that claims a huge picture is refused before anything is decoded.
#pragma once

#include "core/ports/image_loader.h"

namespace tv {

class QtImageLoader : public ImageLoader {
public:
    ImageLoadResult probe(const std::string& path, ImageInfo& info) const override;
    std::unique_ptr<Surface> load(const std::string& path, ImageLoadResult& result) const override;
};

}  // namespace tv
