#include "core/ports/image_loader.h"

#include "core/ports/surface.h"

namespace tv {

// A plain loader keeps no copies.
bool ImageLoader::drawShown(const std::string&, const ShownPart&, Surface&, int, int) const {
    return false;
}

void ImageLoader::keepShown(const std::string&, const ShownPart&, const Surface&, int, int) const {}

}  // namespace tv
