#include "core/ports/image_loader.h"

#include "core/ports/surface.h"

namespace tv {

// A plain loader keeps no copies.
std::unique_ptr<Surface> ImageLoader::loadShown(const std::string&, const ShownPart&) const {
    return nullptr;
}

void ImageLoader::keepShown(const std::string&, const ShownPart&, const Surface&, int, int) const {}

}  // namespace tv
