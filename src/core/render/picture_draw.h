// Drawing the picture of the day into the picture buffer. What to show, where and with which
// title is decided by the choice (core/names/picture_of_day.h); this only decodes the picture
// and copies its pixels, or writes the error text in its place.
#pragma once

#include "core/names/picture_of_day.h"
#include "core/render/skin.h"

namespace tv {

class ImageLoader;
class StringTable;

// Draws a load's result into skin.pictureBuffer. A picture that the header check passed but that
// fails to decode turns into the damaged-picture text (`picture.errorText`, `picture.loaded` are
// updated). The fit is taken again from the decoded size, which wins over the header's. Nothing
// is drawn for an unchanged result (a redraw without an event picture).
void drawPictureOfDay(Skin& skin, PictureOfDay& picture, const ImageLoader& images,
                      const StringTable& strings);

}  // namespace tv
