// Picture files (PNG, JPEG, BMP, GIF) with an allocation limit, read into a surface.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tv {

class Surface;

enum class ImageLoadResult { kOk, kMissing, kDamaged, kTooLarge };

struct ImageInfo {
    int width = 0;
    int height = 0;
};

// The file endings of what the loader reads; the picture dialogs offer and the folder lists take
// exactly these.
inline constexpr std::array<std::string_view, 5> kPictureExtensions = {".png", ".jpg", ".jpeg",
                                                                       ".gif", ".bmp"};

// A picture whose decoded pixels would need more than this is refused from its header.
inline constexpr int kImageAllocationLimitMiB = 64;

// A part of a picture (x, y, width, height, in its pixels) stretched to the size it is shown at.
struct ShownPart {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int shownWidth = 0;
    int shownHeight = 0;
};

class ImageLoader {
public:
    virtual ~ImageLoader() = default;
    // Reads only the header: size, or why the picture cannot be used.
    virtual ImageLoadResult probe(const std::string& path, ImageInfo& info) const = 0;
    // Decodes the whole picture into a new surface; null with a result other than kOk.
    virtual std::unique_ptr<Surface> load(const std::string& path,
                                          ImageLoadResult& result) const = 0;

    // A loader that keeps shown copies draws the pixels a stretch of `part` made before at
    // (x, y) of `into`, while the file is unchanged. False when it has none: the caller decodes
    // and stretches over that rectangle, whose pixels are then undefined.
    virtual bool drawShown(const std::string& path, const ShownPart& part, Surface& into, int x,
                           int y) const;
    // Offers the stretch of `part` just drawn, at (x, y) of `from`, for the next loadShown.
    virtual void keepShown(const std::string& path, const ShownPart& part, const Surface& from,
                           int x, int y) const;
};

}  // namespace tv
