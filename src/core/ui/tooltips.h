// The day field tooltip of the month screen: it follows the mouse from field to field.
#pragma once

#include <string>

#include "core/ui/mouse.h"

namespace tv {

// The tooltip text of a cell: the built text, or built now when the month was built without
// tooltips and a table is given.
std::string dayFieldTip(const MonthEvents& month, int cell, const EventTable* table,
                        const TextMeasurer* measurer);

// The drawing area's tool is removed and, over a day field, added again with that field's text
// (empty for a day without events).
Actions dayTooltipActions(const WindowGeometry& g, int x, int y, const MonthEvents& month,
                          const EventTable* table, const TextMeasurer* measurer);

}  // namespace tv
