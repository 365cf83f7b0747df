#include "core/render/picture_draw.h"

#include <memory>
#include <string>
#include <vector>

#include "core/calc/files.h"
#include "core/ports/image_loader.h"
#include "core/render/primitives.h"
#include "core/render/screen.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

void drawPictureOfDay(Skin& skin, PictureOfDay& picture, const ImageLoader& images,
                      const StringTable& strings) {
    if (!picture.changed || !skin.pictureBuffer) return;
    HashTable& t = skin.theme;
    Surface& buf = *skin.pictureBuffer;
    const Rect area = pictureArea(t);
    const std::string path = normalizePath(picture.path);
    // The fit the header gave: a copy kept from an earlier start spares decoding and stretching.
    const auto partOf = [](const FittedPicture& fit) {
        return ShownPart{fit.source.x,      fit.source.y,          fit.source.width,
                         fit.source.height, fit.destination.width, fit.destination.height};
    };
    const auto background = [&] {
        copyRect(buf, 0, 0, area.w, area.h, skin.image(kImgMainBg), area.x, area.y);
    };
    if (picture.fillBackground) background();
    bool shown = false;
    std::unique_ptr<Surface> decoded;
    if (picture.errorText.empty()) {
        const PictureRect& dst = picture.fit.destination;
        const bool kept = picture.loaded;
        shown = kept && images.drawShown(path, partOf(picture.fit), buf, dst.x, dst.y);
        if (!shown) {
            ImageLoadResult result = ImageLoadResult::kOk;
            decoded = images.load(path, result);
            if (!decoded || decoded->empty()) {
                picture.errorText = pictureDamagedText(strings, picture.path);
                picture.loaded = false;
                picture.title.clear();
                // A kept copy that failed half-way may have left rows behind the message.
                if (kept) background();
            }
        }
    }
    const uint32_t shadow = textShadowColour(t);
    if (!picture.errorText.empty()) {
        setTextStyle(buf, t, "picture_err");
        setColor(buf, themeColour(t, "picture_err_color", 255));
        const std::vector<std::string> lines = wrapText(buf, picture.errorText, area.w - 20);
        const int h = lineHeight(buf);
        const int y0 = area.h / 2 - static_cast<int>(lines.size()) * h / 2;
        for (size_t i = 0; i < lines.size(); ++i)
            drawText(buf, area.w / 2, y0 + static_cast<int>(i) * h, lines[i], kAlignCentre, shadow);
        return;
    }
    if (!shown) {
        picture.size = {decoded->width(), decoded->height()};
        picture.fit =
            fitPictureInto(picture.fitMode, decoded->width(), decoded->height(), area.w, area.h);
        const PictureRect& src = picture.fit.source;
        const PictureRect& dst = picture.fit.destination;
        buf.stretch(dst.x, dst.y, dst.width, dst.height, *decoded, src.x, src.y, src.width,
                    src.height);
        images.keepShown(path, partOf(picture.fit), buf, dst.x, dst.y);
    }
    picture.loaded = true;
    if (picture.title.empty()) return;
    setTextStyle(buf, t, "pic_title");
    drawShadowed(buf, themeInt(t, "pic_title_x"), themeInt(t, "pic_title_y"),
                 themeColour(t, "pic_title_color"), shadow, themeInt(t, "pic_title_border"),
                 picture.title, kAlignLeft, shadow);
}

}  // namespace tv
