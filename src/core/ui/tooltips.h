// The day field tooltip of the month screen: it follows the mouse from field to field, stays put
// while the mouse moves inside one field, and never grows taller than the screen.
#pragma once

#include <string>

#include "core/ui/mouse.h"

namespace tv {

class StringTable;

// Where a day field's tooltip comes from.
struct DayTipSource {
    const MonthEvents* month = nullptr;
    const EventTable* table = nullptr;  // builds a tip the month was built without
    const TextMeasurer* measurer = nullptr;
    const StringTable* strings = nullptr;  // the "more" line; its key without a table
    int maxLines = 0;                      // lines that fit on the screen; 0: no limit
};

// The tooltip text of a cell: the built text, or built now when the month was built without
// tooltips and a table is given.
std::string dayFieldTip(const MonthEvents& month, int cell, const EventTable* table,
                        const TextMeasurer* measurer);

// A tip of at most `maxLines` lines: whole entries while they fit, then an empty line and
// "main_tip_more" with the number of entries left out. A first entry taller than that alone
// keeps the lines that fit. `maxLines` below 3 leaves the tip as it is.
std::string capDayTip(const std::string& tip, int maxLines, const StringTable* strings);

// Over a day field whose tip differs from the one shown, or over another field: the shown tip
// is removed and the field's added (an empty one only removes). Moves inside one field change
// nothing, so the tip does not blink.
Actions dayTooltipActions(MainWindowState& s, const WindowGeometry& g, int x, int y,
                          const DayTipSource& source);

// The tip is gone (a redraw, a screen switch): the next move shows it again.
void forgetDayTip(MainWindowState& s);

}  // namespace tv
