#include <cmath>

#include "core/app/log.h"
#include "core/calc/today.h"
#include "core/config/cp1250.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/names/wisdom.h"
#include "core/ports/clock.h"
#include "core/render/month_grid.h"
#include "core/render/picture_lines.h"
#include "core/render/primitives.h"
#include "core/render/screen.h"
#include "core/render/screen_buttons.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

namespace {

constexpr std::string_view kSampleWisdom =
    "Aki másnak vermet ás, maga esik bele, de aki hidat épít, az maga is átjut rajta.+Magyar "
    "közmondás";

uint32_t shadowColour(Screen& sc) {
    return textShadowColour(sc.skin.theme);
}

// Byte offsets of the characters: starts[i] is where character i (from 0) begins.
std::vector<size_t> characterStarts(std::string_view text) {
    std::vector<size_t> starts;
    size_t pos = 0;
    while (pos < text.size()) {
        starts.push_back(pos);
        nextCodePoint(text, pos);
    }
    return starts;
}

// Lines of a wrapped block centred vertically on y.
void drawWrappedBlock(Surface& s, const std::vector<std::string>& lines, int x, int y, int align,
                      uint32_t shadow) {
    const int h = lineHeight(s);
    const int n = static_cast<int>(lines.size());
    const int y0 = y - (n * h) / 2;
    for (int i = 0; i < n; ++i)
        drawText(s, x, y0 + i * h, lines[static_cast<size_t>(i)], align, shadow);
}

}  // namespace

int todayBreakPoint(std::string_view text) {
    const std::vector<size_t> starts = characterStarts(text);
    const int len = static_cast<int>(starts.size());
    const int m = static_cast<int>(std::nearbyint(len / 2.0));  // half to even
    auto isBar = [&](int pos) {                                 // 1-based
        return pos >= 1 && pos <= len && text[starts[static_cast<size_t>(pos - 1)]] == '|';
    };
    int back = 0;
    for (int i = std::min(m, len); i >= 1; --i)
        if (isBar(i)) {
            back = i;
            break;
        }
    int forward = 0;
    for (int i = std::max(m, 1); i <= len; ++i)
        if (isBar(i)) {
            forward = i;
            break;
        }
    if (back == 0) return forward;
    if (forward == 0) return back;
    return forward - m < m - back ? forward : back;
}

void drawTitle(Screen& sc) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setTextStyle(s, t, "titletext");
    setColor(s, themeColour(t, "titletext_color", kWhite));
    const std::string year = sc.today ? std::to_string(sc.today->year) : std::string();
    std::string title = sc.strings->formatString("main_title", year);
    if (!sc.skin.themeLoaded) title += "    " + sc.strings->getString("main_title_noskin");
    drawText(s, themeInt(t, "titletext_x", 15), themeInt(t, "titletext_y", 4), title,
             themeInt(t, "titletext_align", 0), shadowColour(sc));
}

void drawTodayBlock(Screen& sc) {
    if (sc.todayText == nullptr || sc.todayText->empty()) return;
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setTextStyle(s, t, "today");
    const int b = todayBreakPoint(*sc.todayText);
    std::string text = *sc.todayText;
    for (char& c : text)
        if (c == '|') c = ' ';
    const int mx = themeInt(t, "today_middle_x", 324);
    const int my = themeInt(t, "today_middle_y", 50);
    const uint32_t colour = themeColour(t, "today_color", kWhite);
    const uint32_t colour2 = themeColour(t, "today_color2", 8355711);
    const uint32_t highlight = themeColour(t, "today_color_highlight", 255);
    const int shadowType = themeInt(t, "today_shadow", 0);
    const int h = lineHeight(s);
    auto line = [&](int y, std::string_view part) {
        drawTagged(s, mx, y, colour, colour2, highlight, shadowType, part, kAlignCentre,
                   shadowColour(sc));
    };
    if (s.textWidthPx(stripTags(text)) > themeInt(t, "picture_w")) {
        const std::vector<size_t> starts = characterStarts(text);
        const size_t cut = b >= 1 ? starts[static_cast<size_t>(b - 1)] : 0;
        const std::string first = text.substr(0, cut);
        const std::string second = b >= 1 ? text.substr(cut + 1) : text;
        line(my - h, first);
        line(my, second);
    } else {
        line(static_cast<int>(std::nearbyint(my - h / 2.0)), text);
    }
}

void drawMainScreen(Screen& sc) {
    Skin& skin = sc.skin;
    HashTable& t = skin.theme;
    showScreenButtons(skin, ScreenMode::kMain);
    const Rect area = pictureArea(t);
    copyRect(*skin.mainBuffer, area.x, area.y, area.w, area.h, *skin.pictureBuffer, 0, 0);
    drawPictureLines(sc);
}

void drawAlarmScreen(Screen& sc) {
    Skin& skin = sc.skin;
    HashTable& t = skin.theme;
    showScreenButtons(skin, ScreenMode::kAlarm);
    copyRect(*skin.mainBuffer, themeInt(t, "picture_x"), themeInt(t, "picture_y"),
             themeInt(t, "picture_w"), themeInt(t, "picture_h"), skin.image(kImgAlarmBg), 0, 0);
    drawAlarmTexts(sc);
}

bool wisdomBoxShown(const Screen& sc) {
    if (!sc.wisdom || !sc.skin.themeLoaded) return false;
    if (sc.tests != nullptr && sc.tests->wisdom) return true;
    return sc.wisdom->shown && !sc.wisdom->text.empty();
}

Rect wisdomBoxRect(const HashTable& t) {
    return {themeInt(t, "wise_x"), themeInt(t, "wise_y"), themeInt(t, "wise_w"),
            themeInt(t, "wise_h")};
}

void drawWisdomBox(Screen& sc) {
    if (!sc.wisdom) return;
    WisdomState& w = *sc.wisdom;
    if (sc.tests != nullptr && sc.tests->wisdom) {
        w.text = kSampleWisdom;
        w.shown = true;
    }
    // Without a skin there is no box to lay the saying out in.
    if (!wisdomBoxShown(sc)) return;
    Skin& skin = sc.skin;
    HashTable& t = skin.theme;
    Surface& s = *skin.mainBuffer;
    const int wx = themeInt(t, "wise_x");
    const int wy = themeInt(t, "wise_y");
    copyMasked(s, wx, wy, themeInt(t, "wise_w"), themeInt(t, "wise_h"), skin.image(kImgWiseBg),
               skin.imageOrNull(kImgMaskWiseBg), 0, 0);
    std::string quote;
    std::string author = w.text;
    if (w.text.find('+') != std::string::npos) {
        const WisdomParts parts = splitWisdom(w.text);
        quote = parts.saying;
        author = parts.author;
    }
    const uint32_t shadow = shadowColour(sc);
    setTextStyle(s, t, "wise_wrt");
    setColor(s, themeColour(t, "wise_wrt_color"));
    drawText(s, wx + themeInt(t, "wise_wrt_x"), wy + themeInt(t, "wise_wrt_y"), author,
             themeInt(t, "wise_wrt_align"), shadow);
    setTextStyle(s, t, "wise_say");
    setColor(s, themeColour(t, "wise_say_color"));
    drawWrappedBlock(s, wrapText(s, quote, themeInt(t, "wise_say_w")),
                     wx + themeInt(t, "wise_say_x"), wy + themeInt(t, "wise_say_y"),
                     themeInt(t, "wise_say_align"), shadow);
}

void redrawScreen(Screen& sc, ScreenMode mode) {
    Skin& skin = sc.skin;
    if (!skin.mainBuffer) return;
    if (mode != ScreenMode::kAlarm && sc.leaveAlarm) sc.leaveAlarm();
    if (sc.removeFieldTooltip) sc.removeFieldTooltip();
    if (sc.tests != nullptr && (sc.tests->normalAlarm || sc.tests->extremeAlarm))
        mode = ScreenMode::kAlarm;
    Surface& s = *skin.mainBuffer;
    copyRect(s, 0, 0, s.width(), s.height(), skin.image(kImgMainBg), 0, 0);
    // The next redraw reads the frame's picture again, from the pixel cache: kept, it would
    // hold a second window-sized picture beside the page for the program's whole run.
    skin.dropImage(kImgMainBg);
    drawTitle(sc);
    drawTodayBlock(sc);
    skin.buttons[kBtnHome].visible = false;
    switch (mode) {
        case ScreenMode::kMain:
            drawMainScreen(sc);
            break;
        case ScreenMode::kMonth:
            drawMonthGrid(sc);
            break;
        case ScreenMode::kAlarm:
            drawAlarmScreen(sc);
            break;
        default:
            break;
    }
    drawWisdomBox(sc);
    // The layout samples are one-shot: the next redraw shows the real screen again.
    if (sc.tests != nullptr) *sc.tests = LayoutTests{};
}

const Surface& presentScreen(const Screen& sc) {
    return *sc.skin.mainBuffer;
}

bool refreshScreen(Screen& sc, std::vector<Rect>* looks) {
    sc.refreshElapsedMs += 3000;
    if (sc.log) sc.log->write("refresh screen " + std::to_string(sc.refreshElapsedMs), 1);
    for (int i = 0; i < kButtonCount; ++i) {
        if (!sc.skin.buttons[i].visible) continue;
        Rect r;
        if (setButtonImage(sc.skin, i, 0, r) && looks) looks->push_back(r);
    }
    if (sc.refreshElapsedMs > 20000) {
        sc.refreshElapsedMs = 0;
        return false;
    }
    return true;
}

}  // namespace tv
