// The calendar window's frame: what the three screens draw into the main buffer, from the
// skin and the day's data owned elsewhere.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/calc/date.h"
#include "core/events/forecast.h"
#include "core/names/picture_of_day.h"
#include "core/render/skin.h"

namespace tv {

class HashTable;
class Log;
class StringTable;
struct MonthEvents;
struct TodayState;
struct WisdomState;

inline constexpr int kScreenMain = 0;
inline constexpr int kScreenMonth = 1;
inline constexpr int kScreenAlarm = 2;
inline constexpr int kScreenGame = 3;

// Day-number colours of the grid, read when the window is set up.
struct GridColours {
    uint32_t fore = 0;             // calForeColor
    uint32_t redLetter = 255;      // calRedLetter: public days off
    uint32_t redLetter2 = 40959;   // calRedLetter2: other holidays and feasts
    uint32_t sunday = 176;         // calSunday
    uint32_t disabled = 13553358;  // calDisabled: the neighbouring months' days
};

// The layout samples of the popup menu.
struct LayoutTests {
    bool normalAlarm = false;
    bool extremeAlarm = false;
    bool wisdom = false;
};

struct Screen {
    Skin skin;
    int mode = kScreenMain;

    // What the screens show; owned by the day's state elsewhere.
    HashTable* settings = nullptr;
    const StringTable* strings = nullptr;
    Log* log = nullptr;
    const TodayState* today = nullptr;  // year, current day, names of days and months
    std::string todayText;              // with "|" break points and "<r>" runs
    const std::vector<ForecastEntry>* forecast = nullptr;
    int alarmHour = 0, alarmMinute = 0;
    std::string alarmTitle, alarmComment;
    WisdomState* wisdom = nullptr;
    LayoutTests tests;
    DateTime now;  // the time the alarm samples show

    // The month grid.
    const MonthEvents* month = nullptr;
    int shownYear = 0, shownMonth = 1;
    GridColours colours;

    // Called when a redraw leaves the alarm screen: stop flashing, the alarm timer and sound.
    std::function<void()> leaveAlarm;
    // Called on every redraw: the day-field tooltip goes.
    std::function<void()> removeFieldTooltip;

    int refreshElapsedMs = 0;
};

void redrawScreen(Screen& screen);
// The frame the window shows: the whole main buffer.
const Surface& presentScreen(const Screen& screen);
// One tick of the automatic refresh after a start at log-on: presents again, puts every visible
// button in its up look (their sheet rectangles in `looks`). False when the timer must stop.
bool refreshScreen(Screen& screen, std::vector<Rect>* looks = nullptr);

// The parts of the main screen, for the tests and the month grid.
void drawTitle(Screen& screen);
void drawTodayBlock(Screen& screen);
void drawMainScreen(Screen& screen);
void drawAlarmScreen(Screen& screen);
void drawWisdomBox(Screen& screen);

// Where a today text of characters breaks into two lines: the "|" nearest its middle (0 when
// it has none), counted in characters from 1.
int todayBreakPoint(std::string_view text);

// The picture area inside the picture frame, in window pixels.
inline Rect pictureArea(HashTable& theme) {
    const PictureRect area = visiblePictureArea(theme);
    return {area.x, area.y, area.width, area.height};
}

}  // namespace tv
