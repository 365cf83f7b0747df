// Drawing the picture of the day into the picture buffer: loading it through the platform,
// scaling it by the fit rules, or the error text in its place, and its title.
#pragma once

#include <string>

#include "core/render/skin.h"

namespace tv {

class ImageLoader;
class StringTable;

enum class PictureFit { kNatural, kStretch, kFillCrop, kFitInside };

struct PictureRects {
    Rect source;  // in the picture
    Rect dest;    // in the area, origin (0, 0)
};

// Where a W x H picture goes in a w x h area.
PictureRects FitPicture(int W, int H, int w, int h, PictureFit fit);

// The fit mode for a picture: built-in backgrounds follow the skin's def_image_resize, the
// user's pictures BGPic_FitMode; event pictures always fill the area.
PictureFit ChooseFit(int optBG, bool eventPicture, std::string_view defImageResize, int fitMode);

struct PictureRequest {
    std::string path;  // empty: nothing was found
    bool eventPicture = false;
    bool folderEmpty = false;  // the user's folder holds no pictures
    bool redraw = false;
    int optBG = 0;
    int fitMode = 1;
    bool showName = true;    // BGPic_Name
    std::string programDir;  // with a trailing "/"
};

struct PictureResult {
    bool loaded = false;
    std::string error;  // empty when the picture is shown
    std::string title;  // the file name shown over the picture, if any
};

// The drawing steps of the picture of the day, into skin.pictureBuffer.
PictureResult DrawPictureOfDay(Skin& skin, const PictureRequest& request, const ImageLoader& images,
                               const StringTable& strings);

// The title of a user's picture: its file name without the extension.
std::string PictureTitle(std::string_view path);

}  // namespace tv
