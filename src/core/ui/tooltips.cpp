#include "core/ui/tooltips.h"

namespace tv {

std::string dayFieldTip(const MonthEvents& month, int cell, const EventTable* table,
                        const TextMeasurer* measurer) {
    if (cell < 0 || cell >= kDayCells) return {};
    const DayCell& c = month.cells[static_cast<size_t>(cell)];
    if (!c.tipText.empty() || table == nullptr) return c.tipText;
    return dayTipText(month, *table, cell, measurer);
}

Actions dayTooltipActions(const WindowGeometry& g, int x, int y, const MonthEvents& month,
                          const EventTable* table, const TextMeasurer* measurer) {
    Actions out;
    pushAction(out, UiAction::kRemoveDayTooltip);
    const int cell = monthCellAt(g, x, y);
    if (cell >= 0)
        pushAction(out, UiAction::kSetDayTooltip, cell, 0,
                   dayFieldTip(month, cell, table, measurer));
    return out;
}

}  // namespace tv
