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

class Clock;
class HashTable;
class Log;
class StringTable;
struct MonthEvents;
struct TodayState;
struct WisdomState;

// What the calendar window shows. The values are those Cal_LastPage and the alarm's load use.
enum class ScreenMode : uint8_t { kMain = 0, kMonth = 1, kAlarm = 2, kGame = 3 };

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

    // What the screens show. All of it is owned elsewhere (the day's state, the window's state,
    // the event lists) and bound once when the program is put together; a redraw reads it where
    // it lives.
    HashTable* settings = nullptr;
    const StringTable* strings = nullptr;
    Log* log = nullptr;
    const Clock* clock = nullptr;            // the time the alarm samples show
    const TodayState* today = nullptr;       // year, current day, names of days and months
    const std::string* todayText = nullptr;  // with "|" break points and "<r>" runs
    const std::vector<ForecastEntry>* forecast = nullptr;
    const AlarmEntry* alarm = nullptr;  // the one the alarm screen shows
    WisdomState* wisdom = nullptr;
    LayoutTests* tests = nullptr;        // one-shot: the redraw that shows them clears them
    const MonthEvents* month = nullptr;  // the month grid's fields and bands
    GridColours colours;

    // Called when a redraw leaves the alarm screen: stop flashing, the alarm timer and sound.
    std::function<void()> leaveAlarm;
    // Called on every redraw: the day-field tooltip goes.
    std::function<void()> removeFieldTooltip;

    int refreshElapsedMs = 0;
};

// Draws the screen `mode` shows into the main buffer (the game draws itself over the main screen).
void redrawScreen(Screen& screen, ScreenMode mode);
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
