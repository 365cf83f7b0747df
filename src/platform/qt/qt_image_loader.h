// Picture files through QImageReader: PNG, JPEG, BMP and GIF only, with an allocation limit so
// a header that claims a huge picture is refused before anything is decoded.
#pragma once

#include <QByteArray>
#include <QImage>

#include "core/ports/image_loader.h"

namespace tv {

class QtImageLoader : public ImageLoader {
public:
    ImageLoadResult probe(const std::string& path, ImageInfo& info) const override;
    std::unique_ptr<Surface> load(const std::string& path, ImageLoadResult& result) const override;
    // The decoded picture as the reader gives it, and the format the content turned out to be
    // ("png", "jpeg", ...); a null image with a result other than kOk.
    QImage read(const std::string& path, ImageLoadResult& result,
                QByteArray* format = nullptr) const;
};

}  // namespace tv
