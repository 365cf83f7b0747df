// The picture of the day: which picture the main screen's picture area shows, and how it is
// scaled into the area. Today's event picture wins; otherwise the picture stays for a period of
// the day (`BGPic_Replace` periods a day) and then comes from the built-in seasonal backgrounds
// (no repeats within a season's round of 100) or from the user's folder (user_pictures.h).
//
// The choice and the rectangles are decided here; the renderer copies the pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/ports/image_loader.h"

namespace tv {

class HashTable;
class UserPictureList;
class RandomSource;
class StringTable;

inline constexpr std::string_view kBackgroundFolder = "pictures/background/";
inline constexpr int kSeasonPictures = 100;
inline constexpr uint8_t kPictureShown = 255;
// The rotation marks as "events.cdb" keeps them: byte 4 * i + season - 1 for picture i + 1.
using PictureMarks = std::array<uint8_t, 400>;

// Whether two moments lie in the same one of the `replace` equal periods of one calendar day.
// Never for `replace` <= 0: then every load takes a new picture.
bool samePeriod(const DateTime& a, const DateTime& b, int replace);

// Picks a picture index 0..99 of `season` (1 spring .. 4 winter) that has not been shown in this
// round and marks it; a finished round starts over.
int chooseSeasonalPicture(PictureMarks& marks, int season, RandomSource& random);
// programDir + "pictures/background/" + season + the index + 1 as three digits + ".jpg".
std::string seasonalPicturePath(std::string_view programDir, int season, int index);

struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// The visible picture inside the skin's picture area, in window pixels.
PictureRect visiblePictureArea(HashTable& theme);

enum class PictureFitMode {
    kNatural,    // unscaled, centred, cropped
    kStretch,    // the whole picture onto the whole area
    kFillCrop,   // covers the area, the overhang cut off evenly
    kFitInside,  // all of the picture, centred, the rest of the area left as it is
};
// Natural size and stretching are a skin's choice ("def_image_resize" "no" / "stretch") for the
// built-in backgrounds only. Everything else fills, except under the user-folder source
// (`OptBG` = 1) with `BGPic_FitMode` != 1, which fits inside; that covers event pictures too.
PictureFitMode chooseFitMode(bool seasonalSource, bool eventPicture,
                             std::string_view defImageResize, int bgPicFitMode);

// The part of the picture (source) copied, stretched, onto the part of the area (destination,
// area coordinates). The two fill-and-crop offsets are halved toward zero; every other computed
// size or offset is rounded to the nearest pixel (halves to even). An empty picture or area gives
// whole-to-whole rectangles.
struct FittedPicture {
    PictureRect source;
    PictureRect destination;
    friend bool operator==(const FittedPicture&, const FittedPicture&) = default;
};
FittedPicture fitPictureInto(PictureFitMode mode, int pictureWidth, int pictureHeight,
                             int areaWidth, int areaHeight);

// The title of a user picture: its file name without the extension.
std::string userPictureTitle(std::string_view path);

// What a load knows about today.
struct PictureDay {
    DateTime now;
    int season = 1;
    bool firstAppearanceToday = true;
    std::string eventPicture;  // today's event picture (EventLists::dayPicture); empty: none
};

// The services and tables a load works with. Only `settings`, `strings`, `marks` and `random`
// are required; without a theme the area is empty, without an image loader a picture that exists
// counts as readable (size unknown), without a user list the user folder holds nothing.
struct PictureContext {
    HashTable* settings = nullptr;
    HashTable* theme = nullptr;
    const StringTable* strings = nullptr;
    PictureMarks* marks = nullptr;
    RandomSource* random = nullptr;
    const ImageLoader* images = nullptr;
    UserPictureList* userPictures = nullptr;
    std::string programDir;  // ends with "/"
};

enum class PictureOrigin { kNone, kEvent, kKept, kSeasonal, kUser };

struct PictureChoice {
    bool changed = false;  // false: a redraw without an event picture leaves the buffer alone
    PictureOrigin origin = PictureOrigin::kNone;
    std::string path;
    bool folderEmpty = false;  // the user's folder holds no picture ("err_pic_noimages")
};

// Which picture a load shows. With `redraw` (events changed, the day changed) only an event
// picture counts; without one nothing changes. Otherwise a kept `PicToday`, a seasonal or a user
// picture is chosen and stored in `PicToday`.
PictureChoice choosePictureOfDay(bool redraw, const PictureDay& day, PictureContext& ctx);

// The run-time result of a load: what the picture buffer is to show.
struct PictureOfDay {
    bool changed = false;
    PictureOrigin origin = PictureOrigin::kNone;
    std::string path;
    PictureRect area;             // in window pixels
    bool fillBackground = false;  // redraw: first restore the window background under the area
    std::string errorText;        // drawn instead of a picture ("picture_err" style)
    bool loaded = false;          // the picture-loaded flag
    ImageInfo size;               // natural size, when the loader told it
    PictureFitMode fitMode = PictureFitMode::kFillCrop;
    FittedPicture fit;
    std::string title;  // empty: no title
};

// Chooses the picture and reads its header: the error text in its place, or its fitting into the
// area and its title.
PictureOfDay loadPictureOfDay(bool redraw, const PictureDay& day, PictureContext& ctx);

// The error text for a picture the renderer failed to decode after all.
std::string pictureDamagedText(const StringTable& strings, std::string_view path);

}  // namespace tv
