#include "core/names/picture_of_day.h"

#include <algorithm>
#include <cstdio>

#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures.h"

namespace tv {
namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kThemeLimit = 1 << 20;  // far beyond any screen; keeps the sums in range

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// num / den rounded to the nearest integer, halves to the even one; den > 0.
int roundDiv(int64_t num, int64_t den) {
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) {  // floor, so that the remainder is in [0, den)
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) q += 1;
    return static_cast<int>(q);
}

int themeInt(HashTable& theme, std::string_view key) {
    return clampInt(theme.item(key), -kThemeLimit, kThemeLimit);
}
int themeIntAlt(HashTable& theme, std::string_view key) {
    return clampInt(theme.itemAlt(key, "0"), -kThemeLimit, kThemeLimit);
}

}  // namespace

bool samePeriod(const DateTime& a, const DateTime& b, int replace) {
    if (a.date != b.date || replace <= 0) return false;
    // More periods than seconds in a day: every second is a period of its own.
    const int period = std::max(kSecondsPerDay / replace, 1);
    return a.second / period == b.second / period;
}

int chooseSeasonalPicture(PictureMarks& marks, int season, RandomSource& random) {
    const int s = std::clamp(season, 1, 4);
    auto mark = [&](int i) -> uint8_t& { return marks[static_cast<size_t>(4 * i + s - 1)]; };
    constexpr int kLast = kSeasonPictures - 1;
    // As the wisdom's rotation: the start itself is looked at only after wrapping round, so a
    // round ends when every other picture was shown. [0, 98]
    const int start = random.below(kLast);
    int i = start;
    do {
        i = i == kLast ? 0 : i + 1;
    } while (mark(i) != 0 && i != start);
    if (i == start) {
        for (int k = 0; k <= kLast; ++k)
            mark(k) = 0;
        i = random.below(kLast);
    }
    mark(i) = kPictureShown;
    return i;
}

std::string seasonalPicturePath(std::string_view programDir, int season, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "%d%03d.jpg", std::clamp(season, 1, 4),
                  std::clamp(index, 0, kSeasonPictures - 1) + 1);
    return std::string(programDir) + std::string(kBackgroundFolder) + name;
}

PictureRect visiblePictureArea(HashTable& theme) {
    const int left = themeIntAlt(theme, "pic_margin_left");
    const int right = themeIntAlt(theme, "pic_margin_right");
    const int top = themeIntAlt(theme, "pic_margin_top");
    const int bottom = themeIntAlt(theme, "pic_margin_bottom");
    return {themeInt(theme, "picture_x") + left, themeInt(theme, "picture_y") + top,
            themeInt(theme, "picture_w") - left - right,
            themeInt(theme, "picture_h") - top - bottom};
}

PictureFitMode chooseFitMode(bool seasonalSource, bool eventPicture,
                             std::string_view defImageResize, int bgPicFitMode) {
    if (seasonalSource && !eventPicture) {
        const std::string resize = lowerAscii(defImageResize);
        if (resize == "no") return PictureFitMode::kNatural;
        if (resize == "stretch") return PictureFitMode::kStretch;
    }
    return seasonalSource || bgPicFitMode == 1 ? PictureFitMode::kFillCrop
                                               : PictureFitMode::kFitInside;
}

FittedPicture fitPictureInto(PictureFitMode mode, int pictureWidth, int pictureHeight,
                             int areaWidth, int areaHeight) {
    const int64_t pictureW = pictureWidth;
    const int64_t pictureH = pictureHeight;
    const int64_t areaW = areaWidth;
    const int64_t areaH = areaHeight;
    FittedPicture fit{{0, 0, pictureWidth, pictureHeight}, {0, 0, areaWidth, areaHeight}};
    if (pictureW <= 0 || pictureH <= 0 || areaW <= 0 || areaH <= 0 ||
        mode == PictureFitMode::kStretch)
        return fit;
    if (mode == PictureFitMode::kNatural) {
        fit.source = {roundDiv(pictureW - areaW, 2), roundDiv(pictureH - areaH, 2), areaWidth,
                      areaHeight};
        return fit;
    }
    // The aspects compared exactly: areaW / areaH against pictureW / pictureH.
    const int64_t area = areaW * pictureH;
    const int64_t picture = pictureW * areaH;
    if (area == picture) return fit;
    const bool areaWider = area > picture;
    if (mode == PictureFitMode::kFillCrop) {
        if (areaWider) {
            const int cut = roundDiv(pictureW * areaH, areaW);  // areaH' = pictureW / areaW * areaH
            fit.source = {0, static_cast<int>((pictureH - cut) / 2), pictureWidth, cut};
        } else {
            const int cut = roundDiv(pictureH * areaW, areaH);  // areaW' = pictureH / areaH * areaW
            fit.source = {static_cast<int>((pictureW - cut) / 2), 0, cut, pictureHeight};
        }
        return fit;
    }
    if (areaWider) {
        const int d = roundDiv(areaH * pictureW, pictureH);
        fit.destination = {roundDiv(areaW - d, 2), 0, d, areaHeight};
    } else {
        const int d = roundDiv(areaW * pictureH, pictureW);
        fit.destination = {0, roundDiv(areaH - d, 2), areaWidth, d};
    }
    return fit;
}

std::string userPictureTitle(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string pictureDamagedText(const StringTable& strings, std::string_view path) {
    return strings.formatString("err_pic_damaged", path);
}

PictureChoice choosePictureOfDay(bool redraw, const PictureDay& day, PictureContext& ctx) {
    HashTable& settings = *ctx.settings;
    PictureChoice choice;
    if (!day.eventPicture.empty()) {
        choice.changed = true;
        choice.origin = PictureOrigin::kEvent;
        choice.path = day.eventPicture;
        return choice;
    }
    if (redraw) return choice;

    choice.changed = true;
    const DateTime lastAppear = parseDateTime(read(settings, settings::LastAppear));
    const std::string kept = read(settings, settings::PicToday);
    const int replace = readInt(settings, settings::BGPic_Replace);
    if (samePeriod(lastAppear, day.now, replace) && fileExists(kept) && !day.firstAppearanceToday) {
        choice.origin = PictureOrigin::kKept;
        choice.path = kept;
    } else if (readInt(settings, settings::OptBG) == 0) {
        choice.origin = PictureOrigin::kSeasonal;
        const int i = chooseSeasonalPicture(*ctx.marks, day.season, *ctx.random);
        choice.path = seasonalPicturePath(ctx.programDir, day.season, i);
    } else {
        choice.origin = PictureOrigin::kUser;
        if (ctx.userPictures != nullptr) {
            choice.path = manageUserPictures(*ctx.userPictures, settings, *ctx.random);
        }
        choice.folderEmpty = choice.path.empty();
    }
    write(settings, settings::PicToday, choice.path);
    return choice;
}

PictureOfDay loadPictureOfDay(bool redraw, const PictureDay& day, PictureContext& ctx) {
    PictureOfDay out;
    if (ctx.theme != nullptr) out.area = visiblePictureArea(*ctx.theme);
    PictureChoice choice = choosePictureOfDay(redraw, day, ctx);
    if (!choice.changed) return out;
    out.changed = true;
    out.origin = choice.origin;
    out.path = std::move(choice.path);
    out.fillBackground = redraw;
    HashTable& settings = *ctx.settings;
    const bool seasonal = readInt(settings, settings::OptBG) == 0;
    const bool eventPicture = out.origin == PictureOrigin::kEvent;

    const StringTable& strings = *ctx.strings;
    if (fileExists(out.path)) {
        const ImageLoadResult result = ctx.images != nullptr
                                           ? ctx.images->probe(normalizePath(out.path), out.size)
                                           : ImageLoadResult::kOk;
        if (result == ImageLoadResult::kMissing) {
            out.errorText = strings.getString("err_pic_miss");
        } else if (result != ImageLoadResult::kOk) {
            out.errorText = pictureDamagedText(strings, out.path);
        }
    } else {
        out.errorText = strings.getString(choice.folderEmpty ? "err_pic_noimages" : "err_pic_miss");
    }
    if (!out.errorText.empty()) return out;

    const std::string resize = ctx.theme != nullptr
                                   ? ctx.theme->itemAlt("def_image_resize", "scale")
                                   : std::string("scale");
    out.fitMode =
        chooseFitMode(seasonal, eventPicture, resize, readInt(settings, settings::BGPic_FitMode));
    out.fit = fitPictureInto(out.fitMode, out.size.width, out.size.height, out.area.width,
                             out.area.height);
    out.loaded = true;

    // The name of a picture of the user's own; not on the built-in pictures, nor on an event's
    // picture when the window is loaded.
    const bool builtIn =
        lowerAscii(normalizePath(out.path)).starts_with(lowerAscii(ctx.programDir + "pictures/"));
    if (!seasonal && readFlag(settings, settings::BGPic_Name) && !builtIn &&
        !(eventPicture && !redraw)) {
        out.title = userPictureTitle(out.path);
    }
    return out;
}

}  // namespace tv
