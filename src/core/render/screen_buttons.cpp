#include "core/render/screen_buttons.h"

#include <array>

#include "core/render/theme.h"

namespace tv {
namespace {

constexpr std::array<int, 4> kScreenBound = {kBtnCalLeft, kBtnCalRight, kBtnAlarm, kBtnSwNames};

}  // namespace

bool buttonBelongsTo(int index, ScreenMode mode) {
    switch (index) {
        case kBtnCalLeft:
        case kBtnCalRight:
        case kBtnSwNames:
            return mode == ScreenMode::kMonth;
        case kBtnAlarm:
            return mode == ScreenMode::kAlarm;
        default:
            return false;
    }
}

void showScreenButtons(Skin& skin, ScreenMode mode) {
    for (int i : kScreenBound) {
        const bool placed = themeHasPoint(skin.theme, std::string(kButtonElements[i]));
        skin.buttons[i].visible = placed && buttonBelongsTo(i, mode);
    }
}

}  // namespace tv
