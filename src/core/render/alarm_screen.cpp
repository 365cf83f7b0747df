// The texts of the alarm screen: the time, the title and the comment, laid out from the height
// the wrapped texts really take.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/clock.h"
#include "core/render/screen.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

namespace {

constexpr std::string_view kLatinTitle = "Lorem ipsum dolor sit amet, consectetur adipiscing elit.";
constexpr std::string_view kLatinComment =
    "Sed ut perspiciatis unde omnis iste natus error sit voluptatem accusantium doloremque "
    "laudantium, totam rem aperiam, eaque ipsa quae ab illo inventore veritatis et quasi "
    "architecto beatae vitae dicta sunt explicabo. Nemo enim ipsam voluptatem quia voluptas sit "
    "aspernatur aut odit aut fugit.";
constexpr std::string_view kExtremeTitle =
    "Megszentségteleníthetetlenségeskedéseitekért Árvíztűrő tükörfúrógép, ez a leghosszabb "
    "cím, amit a riasztás képernyője valaha kapott.";

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

struct AlarmTexts {
    int hour = 0;
    int minute = 0;
    std::string title;
    std::string comment;
};

// The ringing alarm, or the layout samples in its place.
AlarmTexts alarmTexts(const Screen& sc) {
    const AlarmEntry none;
    const AlarmEntry& alarm = sc.alarm != nullptr ? *sc.alarm : none;
    const LayoutTests tests = sc.tests != nullptr ? *sc.tests : LayoutTests{};
    AlarmTexts a{alarm.hour, alarm.minute, alarm.name, alarm.comment};
    if ((tests.normalAlarm || tests.extremeAlarm) && sc.clock != nullptr) {
        const DateTime now = sc.clock->now();
        a.hour = now.hour();
        a.minute = now.minute();
    }
    if (tests.normalAlarm) {
        a.title = kLatinTitle;
        a.comment = kLatinComment;
    } else if (tests.extremeAlarm) {
        a.title = kExtremeTitle;
        a.comment.clear();
        for (int i = 0; i < 5; ++i)
            a.comment += (i > 0 ? "\r\n" : "") + std::string(kLatinComment);
    }
    return a;
}

// The lowest row the comment may use: the picture's inner bottom, or the top of the alarm
// button when the button stands in the comment's way.
int commentFloor(const Skin& skin, HashTable& t) {
    int floor =
        themeInt(t, "picture_y") + themeInt(t, "picture_h") - themeInt(t, "pic_margin_bottom", 0);
    const ButtonState& b = skin.buttons[kBtnAlarm];
    const int left = themeInt(t, "alarm_com_x");
    const int right = left + themeInt(t, "alarm_com_w");
    if (themeHasPoint(t, "menualarm") && b.x < right && b.x + b.w > left && b.y < floor)
        floor = b.y;
    return floor;
}

// Keeps the first `count` lines; when some are left out, the last one kept ends with the
// overflow mark. Measures with the surface's current font.
void keepLines(const Surface& s, std::vector<std::string>& lines, size_t count, int width,
               const std::string& overflow) {
    if (lines.size() <= count) return;
    lines.resize(count);
    if (!lines.empty()) lines.back() = fitText(s, lines.back() + overflow, width, overflow);
}

}  // namespace

void drawAlarmTexts(Screen& sc) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    const AlarmTexts a = alarmTexts(sc);
    const uint32_t shadow = textShadowColour(t);

    setTextStyle(s, t, "alarm_time");
    setColor(s, themeColour(t, "alarm_time_color", 0));
    const int timeY = themeInt(t, "alarm_time_y");
    drawText(s, themeInt(t, "alarm_time_x"), timeY,
             std::to_string(a.hour) + ":" + twoDigits(a.minute), themeInt(t, "alarm_time_align"),
             shadow);
    const int timeBottom = timeY + lineHeight(s);

    setTextStyle(s, t, "alarm_com");
    const int commentHeight = lineHeight(s);
    const int commentWidth = themeInt(t, "alarm_com_w");
    std::vector<std::string> comment = wrapText(s, a.comment, commentWidth);
    const int commentY = themeInt(t, "alarm_com_y");

    // The title is centred on its point, but a long one moves up to keep a comment line's
    // height of air above the comment (where the skins paint their rule), never into the time.
    // A title taller than that room keeps the lines that fit, the last one marked as cut.
    setTextStyle(s, t, "alarm_title");
    setColor(s, themeColour(t, "alarm_title_color", 0));
    const int titleWidth = themeInt(t, "alarm_title_w");
    std::vector<std::string> title = wrapText(s, a.title, titleWidth);
    const int h = lineHeight(s);
    const int roomBottom = commentY - commentHeight;
    const size_t room =
        static_cast<size_t>(std::max(1, (roomBottom - timeBottom) / std::max(1, h)));
    keepLines(s, title, room, titleWidth, overflowMark(t));
    const int blockHeight = static_cast<int>(title.size()) * h;
    int titleY = themeInt(t, "alarm_title_y") - blockHeight / 2;
    titleY = std::min(titleY, roomBottom - blockHeight);
    titleY = std::max(titleY, timeBottom);
    const int titleX = themeInt(t, "alarm_title_x");
    const int titleAlign = themeInt(t, "alarm_title_align");
    for (size_t i = 0; i < title.size(); ++i)
        drawText(s, titleX, titleY + static_cast<int>(i) * h, title[i], titleAlign, shadow);

    // The comment keeps the lines that fit; the last one kept says that more follows.
    setTextStyle(s, t, "alarm_com");
    setColor(s, themeColour(t, "alarm_com_color", 0));
    const int floor = commentFloor(sc.skin, t);
    const int x = themeInt(t, "alarm_com_x");
    const size_t fitting =
        commentY + commentHeight > floor
            ? 0
            : static_cast<size_t>((floor - commentY) / std::max(1, commentHeight));
    keepLines(s, comment, fitting, commentWidth, overflowMark(t));
    for (size_t i = 0; i < comment.size(); ++i)
        drawText(s, x, commentY + static_cast<int>(i) * commentHeight, comment[i], kAlignLeft,
                 shadow);
}

}  // namespace tv
