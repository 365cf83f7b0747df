// The skin: theme table, drawing surfaces, window size and shape, and the twelve image buttons.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/config/hash_table.h"
#include "core/ports/surface.h"

namespace tv {

class ImageLoader;
class Log;
class MessageBox;
class StringTable;

inline constexpr std::string_view kDefaultSkin = "metal_big";
inline constexpr uint32_t kMagenta = 16711935;  // colour key of the marks and the icon
inline constexpr uint32_t kWhite = 16777215;

inline constexpr int kButtonCount = 12;
inline constexpr std::array<std::string_view, kButtonCount> kButtonElements = {
    "exitbutton", "calleft",   "calright",  "menucal",    "menudates", "menusettings",
    "menuabout",  "menunames", "menualarm", "menuswname", "menualert", "menuhome"};
inline constexpr std::array<std::string_view, kButtonCount> kButtonTooltips = {
    "com_close",    "main_b_cal_prev", "main_b_cal_next", "main_b_calendar",
    "main_b_dates", "main_b_sets",     "main_b_about",    "main_b_names",
    "main_b_alarm", "main_b_swnames",  "main_b_alert",    "main_b_home"};
enum ButtonIndex : int {
    kBtnExit = 0,
    kBtnCalLeft = 1,
    kBtnCalRight = 2,
    kBtnAlarm = 8,
    kBtnSwNames = 9,
    kBtnAlert = 10,
    kBtnHome = 11
};

// The skin images, in the order they are loaded.
enum SkinImage : int {
    kImgMainBg,
    kImgCalBg,
    kImgAlarmBg,
    kImgEventMark,
    kImgToday,
    kImgToday2,
    kImgButtons,
    kImgWiseBg,
    kImgMaskWiseBg,
    kSkinImageCount
};
inline constexpr std::array<std::string_view, kSkinImageCount> kSkinImageKeys = {
    "tx_main_bg", "tx_cal_bg",  "tx_alarm_bg", "tx_event_mark",  "tx_today",
    "tx_today2",  "tx_buttons", "tx_wise_bg",  "tx_mask_wise_bg"};

struct ButtonState {
    bool created = false;
    bool visible = false;
    int x = 0, y = 0, w = 0, h = 0;
    std::string tooltip;
    int look = 0;  // 0 up, 1 down, 2 over
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Rect&) const = default;
};

// What the window must do to match the skin; the GUI applies it.
struct WindowRequest {
    int width = 648;
    int height = 564;
    bool shaped = false;  // rounded outline from (0, 0) to (width + 1, height + 1)
    int roundX = 0, roundY = 0;
    bool layered = false;
    bool colourKeyed = false;
    uint32_t colourKey = 0;
    bool hasOpacity = false;
    int opacity = 255;  // 0..255
};

struct Skin {
    HashTable theme;
    bool themeLoaded = false;
    std::string folder;  // with a trailing "/"
    std::unique_ptr<Surface> mainBuffer;
    std::unique_ptr<Surface> pictureBuffer;
    // The images are decoded when first drawn: the start page needs only a few of them, and
    // the month and alarm pages' pictures cost time and memory a start would pay for nothing.
    mutable std::array<std::unique_ptr<Surface>, kSkinImageCount> images;
    std::array<std::string, kSkinImageCount> imageFiles;  // empty: the skin has none
    mutable std::array<bool, kSkinImageCount> imageTried{};
    const ImageLoader* imageLoader = nullptr;
    Log* imageLog = nullptr;
    // What the frame's picture gets stamped with each time it is decoded: the 16 x 16 program
    // icon (null: none) and the maker's name.
    const Surface* stampIcon = nullptr;
    std::string stampCompany;
    std::array<ButtonState, kButtonCount> buttons;
    WindowRequest window;
    bool windowSetUp = false;

    // An image, or an empty surface when the skin has none or it cannot be decoded (drawing
    // from it draws nothing).
    const Surface& image(SkinImage i) const;
    Surface* imageOrNull(SkinImage i) const;  // null: none; the wisdom mask is drawn into
    bool hasImage(SkinImage i) const { return !image(i).empty(); }
    // Lets a decoded image go when it can be decoded again (from the pixel cache), as it is
    // when next drawn.
    void dropImage(SkinImage i) const;
    // Drops the decoded images and forgets the files (the window is gone).
    void releaseImages();
};

struct SkinServices {
    const SurfaceFactory* factory = nullptr;
    const ImageLoader* images = nullptr;
    HashTable* settings = nullptr;  // Skin, Transparency
    const StringTable* strings = nullptr;
    MessageBox* box = nullptr;  // null: errors are only logged
    Log* log = nullptr;
    std::string programDir;  // with a trailing "/"
    // The 16 x 16 program icon (magenta see-through); null stamps nothing.
    const Surface* icon = nullptr;
    std::string companyName = "Brimcove";
};

// Sets up the skin named `skinName` (replaced by "metal_big" when it has no theme.cfg). With
// buttonsOnly only hides the home button and returns false. True when the skin was set up.
bool setSkin(Skin& skin, std::string& skinName, bool buttonsOnly, const SkinServices& sv);

// The rectangle of the button sheet that shows button i in look 0, 1 or 2; nothing for any
// other look (the GUI then only refreshes the button).
bool setButtonImage(Skin& skin, int index, int look, Rect& source);

// The colour key and opacity for the window from the skin and the Transparency setting.
void setTransparency(Skin& skin, HashTable& settings);

}  // namespace tv
