// The mouse on the main window: the twelve image buttons with their rollover look, dragging by
// the title strip, right clicks, the wisdom box, the home marks and the wheel.
#pragma once

#include "core/ui/ui_actions.h"
#include "core/ui/window_state.h"

namespace tv {

class EventTable;
class HashTable;
class TextMeasurer;
struct DayTipSource;

struct HitBox {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// What the pointer logic needs of the skin, read once when the skin is loaded.
struct WindowGeometry {
    int titlebarHeight = 25;
    int windowWidth = 740;
    bool desktop = false;  // pinned: never dragged
    HitBox picture;
    int fieldsX = 0, fieldsY = 0, fieldW = 0, fieldH = 0;
    HitBox wisdom;
    bool hasHomeMark = false;  // the skin paints the home marks
    bool hasHomeLeft = false, hasHomeRight = false;
    HitBox homeLeft, homeRight;
};
// Stores the defaults of `titlebar_height`, `window_width` and `desktop` when the skin lacks
// them, like every other reader of those keys.
WindowGeometry readWindowGeometry(HashTable& theme);

// The day cell 0..41 under a point of the grid; -1 outside it.
int monthCellAt(const WindowGeometry& g, int x, int y);

// Image buttons. `inside` tells whether the cursor is inside the button at that moment.
Actions buttonMouseDown(MainWindowState& s, int button);
Actions buttonMouseMove(MainWindowState& s, int button);
// The release is reported to the pressed button even when the cursor has left it, so the
// command still runs.
Actions buttonMouseUp(MainWindowState& s, int button, int mouseButton, bool inside,
                      HashTable& settings);
Actions rolloverTick(MainWindowState& s, bool insideHovered);

// Drawing area, in window pixels.
Actions areaMouseDown(MainWindowState& s, const WindowGeometry& g, int mouseButton, int x, int y);
// On the month screen the day field tooltip follows the mouse; `tips` says where it comes
// from (null: no tooltips).
Actions areaMouseMove(MainWindowState& s, const WindowGeometry& g, int x, int y,
                      const DayTipSource* tips);
Actions areaMouseUp(MainWindowState& s, const WindowGeometry& g, int mouseButton, int x, int y,
                    const MonthEvents& month);
Actions areaClick(MainWindowState& s, const WindowGeometry& g, int x, int y);
Actions areaDoubleClick(MainWindowState& s, const WindowGeometry& g, int x, int y);

// Wheel: `forward` is a turn away from the user. Only the month screen pages.
Actions mouseWheel(MainWindowState& s, bool forward, bool ctrl, HashTable& settings);

}  // namespace tv
