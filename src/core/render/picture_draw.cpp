#include "core/render/picture_draw.h"

#include <cmath>

#include "core/calc/files.h"
#include "core/config/string_table.h"
#include "core/render/primitives.h"
#include "core/render/screen.h"
#include "core/render/text.h"
#include "core/render/theme.h"
#include "platform/image_loader.h"

namespace tv {

namespace {

int rounded(double v) {
    return static_cast<int>(std::lround(v));
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

// FIXME: the choice of the picture computes these rectangles as well; share one function.
PictureRects FitPicture(int W, int H, int w, int h, PictureFit fit) {
    PictureRects r;
    r.source = {0, 0, W, H};
    r.dest = {0, 0, w, h};
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0) return r;
    if (fit == PictureFit::kNatural) {
        r.source = {(W - w) / 2, (H - h) / 2, w, h};
        return r;
    }
    if (fit == PictureFit::kStretch) return r;
    // Compare w / h with W / H without rounding.
    const long long area = static_cast<long long>(w) * H;
    const long long pic = static_cast<long long>(W) * h;
    if (area == pic) return r;
    const bool areaWider = area > pic;
    if (fit == PictureFit::kFillCrop) {
        if (areaWider) {
            const int hp = rounded(static_cast<double>(W) / w * h);
            r.source = {0, (H - hp) / 2, W, hp};
        } else {
            const int wp = rounded(static_cast<double>(H) / h * w);
            r.source = {(W - wp) / 2, 0, wp, H};
        }
        return r;
    }
    if (areaWider) {
        const int d = rounded(static_cast<double>(h) * W / H);
        r.dest = {rounded(w / 2.0 - d / 2.0), 0, d, h};
    } else {
        const int d = rounded(static_cast<double>(w) * H / W);
        r.dest = {0, rounded(h / 2.0 - d / 2.0), w, d};
    }
    return r;
}

PictureFit ChooseFit(int optBG, bool eventPicture, std::string_view defImageResize, int fitMode) {
    if (optBG == 0 && !eventPicture) {
        if (defImageResize == "no") return PictureFit::kNatural;
        if (defImageResize == "stretch") return PictureFit::kStretch;
    }
    if (optBG == 0 || eventPicture || fitMode == 1) return PictureFit::kFillCrop;
    return PictureFit::kFitInside;
}

std::string PictureTitle(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

PictureResult DrawPictureOfDay(Skin& skin, const PictureRequest& rq, const ImageLoader& images,
                               const StringTable& strings) {
    PictureResult res;
    HashTable& t = skin.theme;
    Surface& buf = *skin.pictureBuffer;
    const Rect area = PictureArea(t);
    std::unique_ptr<Surface> picture;
    if (!rq.path.empty() && FileExists(rq.path)) {
        ImageLoadResult lr = ImageLoadResult::kOk;
        picture = images.load(rq.path, lr);
        if (!picture || picture->empty())
            res.error = strings.fGetStringP("err_pic_damaged", rq.path);
    } else {
        res.error = strings.fGetString(rq.folderEmpty ? "err_pic_noimages" : "err_pic_miss");
    }
    if (rq.redraw) CopyRect(buf, 0, 0, area.w, area.h, skin.image(kImgMainBg), area.x, area.y);
    const uint32_t shadow = themeColour(t, "text_shadow_color");
    if (!res.error.empty()) {
        SetTextStyle(buf, t, "picture_err");
        SetColor(buf, themeColour(t, "picture_err_color", 255));
        const std::vector<std::string> lines = WrapText(buf, res.error, area.w - 20);
        const int h = LineHeight(buf);
        const int y0 = area.h / 2 - static_cast<int>(lines.size()) * h / 2;
        for (size_t i = 0; i < lines.size(); ++i)
            DrawText(buf, area.w / 2, y0 + static_cast<int>(i) * h, lines[i], kAlignCentre, shadow);
        return res;
    }
    const PictureFit fit =
        ChooseFit(rq.optBG, rq.eventPicture, t.ItemAlt("def_image_resize", "scale"), rq.fitMode);
    const PictureRects r = FitPicture(picture->width(), picture->height(), area.w, area.h, fit);
    buf.stretch(r.dest.x, r.dest.y, r.dest.w, r.dest.h, *picture, r.source.x, r.source.y,
                r.source.w, r.source.h);
    res.loaded = true;

    const bool inPictures =
        lower(normalizePath(rq.path)).rfind(lower(rq.programDir + "pictures/"), 0) == 0;
    if (rq.optBG == 1 && rq.showName && !inPictures && !(rq.eventPicture && !rq.redraw)) {
        res.title = PictureTitle(rq.path);
        SetTextStyle(buf, t, "pic_title");
        DrawShadowed(buf, themeInt(t, "pic_title_x"), themeInt(t, "pic_title_y"),
                     themeColour(t, "pic_title_color"), shadow, themeInt(t, "pic_title_border"),
                     res.title, kAlignLeft, shadow);
    }
    return res;
}

}  // namespace tv
