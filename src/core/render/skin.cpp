#include "core/render/skin.h"

#include <cmath>
#include <utility>

#include "core/app/log.h"
#include "core/app/version.h"
#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/image_loader.h"
#include "core/ports/message_box.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

namespace {

// Drawing from a missing image draws nothing: an empty surface stands in for it.
class EmptySurface : public Surface {
public:
    int width() const override { return 0; }
    int height() const override { return 0; }
    void setFont(const FontSpec& f) override { font_ = f; }
    const FontSpec& font() const override { return font_; }
    void setTextColor(uint32_t) override {}
    uint32_t textColor() const override { return 0; }
    bool hasFace(std::string_view) const override { return false; }
    void drawText(int, int, std::string_view) override {}
    int textWidthPx(std::string_view) const override { return 0; }
    int textHeightPx(std::string_view) const override { return 0; }
    int bellWidthPx() const override { return 0; }
    void drawBell(int, int) override {}
    void fill(int, int, int, int, uint32_t) override {}
    void copy(int, int, int, int, const Surface&, int, int) override {}
    void copyKeyed(int, int, int, int, const Surface&, int, int, uint32_t) override {}
    void copyMasked(int, int, int, int, const Surface&, Surface*, int, int) override {}
    void stretch(int, int, int, int, const Surface&, int, int, int, int) override {}
    uint32_t pixel(int, int) const override { return 0; }

private:
    FontSpec font_;
};

const EmptySurface kEmpty;

void log(const SkinServices& sv, const std::string& text, int level) {
    if (sv.log) sv.log->write(text, level);
}

void warn(const SkinServices& sv, std::string_view key, const std::string& skinName) {
    std::string text = key == "com_err_skincfg" ? "theme.cfg of skin '" + skinName + "'"
                                                : "skin folder '" + skinName + "'";
    if (sv.strings) text = sv.strings->formatString(key, skinName);
    log(sv, text, 1);
    if (!sv.box) return;
    MessageRequest r;
    r.text = text;
    r.title = sv.strings ? sv.strings->getString("com_error") : "";
    r.icon = MessageIcon::kWarning;
    sv.box->show(r);
}

// Not even the default skin can be used: only the geometry that lets the window be drawn at
// all.
void useFallbackTheme(HashTable& theme) {
    theme.removeAll();
    theme.setItem("picture_x", "4");
    theme.setItem("picture_y", "80");
    theme.setItem("picture_w", "640");
    theme.setItem("picture_h", "480");
    theme.setItem("cal_fields_x", "5");
    theme.setItem("cal_fields_y", "85");
    theme.setItem("cal_field_w", "90");
    theme.setItem("cal_field_h", "65");
}

// Reads a skin's theme.cfg into `theme` and checks that it has every key the screens need. A
// theme that cannot be read, or lacks a key, is refused whole before anything of it is used:
// half of a skin draws garbage (a saying one character a line, texts at the window's corner).
bool readCompleteTheme(HashTable& theme, const std::string& skinName, const std::string& folder,
                       const SkinServices& sv) {
    bool ok = readConfig(theme, folder + "theme.cfg");
    if (ok) {
        const std::string missing = missingThemeKey(theme);
        if (!missing.empty()) {
            log(sv, "theme.cfg of '" + skinName + "' lacks '" + missing + "'", 1);
            ok = false;
        }
    }
    if (!ok) warn(sv, "com_err_skincfg", skinName);
    return ok;
}

void loadImages(Skin& skin, const SkinServices& sv) {
    skin.imageLoader = sv.images;
    skin.imageLog = sv.log;
    for (int i = 0; i < kSkinImageCount; ++i) {
        const std::string_view key = kSkinImageKeys[i];
        if (!skin.theme.exists(key) || !sv.images) continue;
        const std::string path = skin.folder + skin.theme.item(key);
        if (fileExists(path)) skin.imageFiles[i] = path;
    }
    // The frame and the buttons are on every page.
    skin.image(kImgMainBg);
    skin.image(kImgButtons);
}

// The frame's picture carries the program icon, the version and the maker's name.
void stampBackground(Skin& skin, Surface& bg) {
    HashTable& t = skin.theme;
    if (themeHasPoint(t, "titlebar_icon") && skin.stampIcon)
        bg.copyKeyed(themeInt(t, "titlebar_icon_x"), themeInt(t, "titlebar_icon_y"), 16, 16,
                     *skin.stampIcon, 0, 0, kMagenta);
    const uint32_t shadow = textShadowColour(t);
    if (themeHasPoint(t, "versiontext")) {
        setTextStyle(bg, t, "versiontext");
        setColor(bg, themeColour(t, "versiontext_color", 8421504));
        const std::string text =
            "v" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
        drawText(bg, themeInt(t, "versiontext_x"), themeInt(t, "versiontext_y"), text,
                 themeInt(t, "versiontext_align", 0), shadow);
    }
    if (themeHasPoint(t, "qzlogo")) {
        setTextStyle(bg, t, "qzlogo");
        setColor(bg, themeColour(t, "qzlogo_color", kWhite));
        drawText(bg, themeInt(t, "qzlogo_x"), themeInt(t, "qzlogo_y"), skin.stampCompany,
                 themeInt(t, "qzlogo_align", 0), shadow);
    }
}

void setUpButtons(Skin& skin, const SkinServices& sv) {
    HashTable& t = skin.theme;
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonState& b = skin.buttons[i];
        if (!skin.windowSetUp) b.created = true;
        b.visible = i != kBtnAlert;
    }
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonState& b = skin.buttons[i];
        const std::string e(kButtonElements[i]);
        if (!themeHasPoint(t, e)) {
            b.visible = false;
            continue;
        }
        b.tooltip = sv.strings ? sv.strings->getString(kButtonTooltips[i])
                               : std::string(kButtonTooltips[i]);
        b.x = themeInt(t, e + "_x");
        b.y = themeInt(t, e + "_y");
        Rect unused;
        setButtonImage(skin, i, 0, unused);
    }
}

}  // namespace

const Surface& Skin::image(SkinImage i) const {
    const Surface* s = imageOrNull(i);
    return s != nullptr ? *s : static_cast<const Surface&>(kEmpty);
}

Surface* Skin::imageOrNull(SkinImage i) const {
    if (!images[i] && !imageTried[i] && !imageFiles[i].empty() && imageLoader != nullptr) {
        imageTried[i] = true;
        ImageLoadResult result = ImageLoadResult::kOk;
        images[i] = imageLoader->load(imageFiles[i], result);
        if (result != ImageLoadResult::kOk && imageLog != nullptr)
            imageLog->write("skin image '" + imageFiles[i] + "' could not be loaded", 1);
        // Decoding is lazy, so it happens behind a const door; the theme's readers are not
        // const, and no skin is ever a const object.
        if (i == kImgMainBg && images[i] && !images[i]->empty())
            stampBackground(const_cast<Skin&>(*this), *images[i]);
    }
    return images[i].get();
}

void Skin::dropImage(SkinImage i) const {
    if (imageFiles[i].empty() || imageLoader == nullptr) return;  // it could not come back
    images[i].reset();
    imageTried[i] = false;
}

void Skin::releaseImages() {
    for (auto& img : images)
        img.reset();
    imageFiles = {};
    imageTried = {};
}

bool setButtonImage(Skin& skin, int index, int look, Rect& source) {
    if (index < 0 || index >= kButtonCount) return false;
    const std::string p = "tx" + std::to_string(index);
    const HashTable& t = skin.theme;
    ButtonState& b = skin.buttons[index];
    b.w = themeInt(t, p + "_w");
    b.h = themeInt(t, p + "_h");
    source.w = b.w;
    source.h = b.h;
    switch (look) {
        case 0:
            source.x = themeInt(t, p + "_ux");
            source.y = themeInt(t, p + "_uy");
            break;
        case 1:
            source.x = themeInt(t, p + "_dx");
            source.y = themeInt(t, p + "_dy");
            break;
        case 2:
            source.x = themeInt(t, p + "_dx");
            source.y = themeInt(t, p + "_oy");
            break;
        default:
            return false;
    }
    b.look = look;
    return true;
}

void setTransparency(Skin& skin, HashTable& settings) {
    WindowRequest& w = skin.window;
    const bool k = skin.theme.exists("transparentcolor");
    const int t = readInt(settings, settings::Transparency);
    w.layered = false;
    w.colourKeyed = false;
    w.hasOpacity = false;
    w.opacity = 255;
    if (k) {
        w.layered = true;
        w.colourKeyed = true;
        w.colourKey = themeColour(skin.theme, "transparentcolor");
    }
    if (t >= 1) {
        w.layered = true;
        w.hasOpacity = true;
        w.opacity = std::min(255, (t * 255 + 50) / 100);  // T x 2.55, rounded
    }
}

bool setSkin(Skin& skin, std::string& skinName, bool buttonsOnly, const SkinServices& sv) {
    if (buttonsOnly) {
        skin.buttons[kBtnHome].visible = false;
        return false;
    }
    HashTable& t = skin.theme;
    skin.folder = sv.programDir + "themes/" + skinName + "/";
    if (!fileExists(skin.folder + "theme.cfg")) {
        if (sv.settings) sv.settings->setItem(settings::Skin.key, kDefaultSkin);
        skinName = std::string(kDefaultSkin);
        skin.folder = sv.programDir + "themes/" + skinName + "/";
    }
    // Every load reads the theme afresh: a loaded theme always holds keys, so whether one was
    // read before never spared the read.
    HashTable complete;
    bool ok = readCompleteTheme(complete, skinName, skin.folder, sv);
    const std::string defaultFolder = sv.programDir + "themes/" + std::string(kDefaultSkin) + "/";
    if (!ok && skinName != kDefaultSkin && fileExists(defaultFolder + "theme.cfg")) {
        // The user's choice is not drawable: the window shows the default skin instead, and
        // the settings say so.
        skinName = std::string(kDefaultSkin);
        skin.folder = defaultFolder;
        if (sv.settings) sv.settings->setItem(settings::Skin.key, kDefaultSkin);
        ok = readCompleteTheme(complete, skinName, skin.folder, sv);
    }
    if (ok) {
        t = std::move(complete);
    } else {
        useFallbackTheme(t);
    }
    skin.themeLoaded = ok;

    skin.mainBuffer.reset();
    skin.pictureBuffer.reset();
    skin.releaseImages();
    const int ww = themeInt(t, "window_width", 648);
    const int wh = themeInt(t, "window_height", 564);
    skin.mainBuffer = sv.factory->create(std::max(ww, 0), std::max(wh, 0));
    skin.pictureBuffer = sv.factory->create(std::max(themeInt(t, "picture_w"), 0),
                                            std::max(themeInt(t, "picture_h"), 0));

    skin.stampIcon = sv.icon;
    skin.stampCompany = sv.companyName;
    if (folderExists(skin.folder)) {
        loadImages(skin, sv);
    } else {
        warn(sv, "com_err_skin", skinName);
    }

    const int ml = themeInt(t, "pic_margin_left", 0);
    const int mr = themeInt(t, "pic_margin_right", 0);
    const int mt = themeInt(t, "pic_margin_top", 0);
    const int mb = themeInt(t, "pic_margin_bottom", 0);
    skin.pictureBuffer->copy(0, 0, themeInt(t, "picture_w") - ml - mr,
                             themeInt(t, "picture_h") - mt - mb, skin.image(kImgMainBg),
                             themeInt(t, "picture_x") + ml, themeInt(t, "picture_y") + mt);

    WindowRequest& w = skin.window;
    w.width = ww;
    w.height = wh;
    w.shaped = t.exists("window_round_x") || t.exists("window_round_y");
    w.roundX = w.shaped ? themeInt(t, "window_round_x", 0) : 0;
    w.roundY = w.shaped ? themeInt(t, "window_round_y", 0) : 0;
    if (sv.settings) setTransparency(skin, *sv.settings);

    setUpButtons(skin, sv);
    skin.windowSetUp = true;
    skin.buttons[kBtnHome].visible = false;
    return true;
}

}  // namespace tv
