#include "core/ui/tooltips.h"

#include <string_view>
#include <vector>

#include "core/config/string_table.h"

namespace tv {
namespace {

constexpr std::string_view kEntryBreak = "\r\n\r\n";
constexpr std::string_view kLineBreak = "\r\n";

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos) return parts;
        start = at + separator.size();
    }
}

std::string moreLine(const StringTable* strings, size_t leftOut) {
    const std::string count = std::to_string(leftOut);
    return strings != nullptr ? strings->formatString("main_tip_more", count)
                              : "main_tip_more " + count;
}

}  // namespace

std::string dayFieldTip(const MonthEvents& month, int cell, const EventTable* table,
                        const TextMeasurer* measurer) {
    if (cell < 0 || cell >= kDayCells) return {};
    const DayCell& c = month.cells[static_cast<size_t>(cell)];
    if (!c.tipText.empty() || table == nullptr) return c.tipText;
    return dayTipText(month, *table, cell, measurer);
}

std::string capDayTip(const std::string& tip, int maxLines, const StringTable* strings) {
    if (maxLines < 3) return tip;
    const std::vector<std::string_view> entries = split(tip, kEntryBreak);
    // Room for the entries: the "more" line and the empty line before it are kept free.
    const int budget = maxLines - 2;
    std::string out;
    int used = 0;
    size_t shown = 0;
    for (; shown < entries.size(); ++shown) {
        const int lines = static_cast<int>(split(entries[shown], kLineBreak).size());
        const int needed = lines + (shown > 0 ? 1 : 0);
        const bool last = shown + 1 == entries.size();
        if (used + needed > (last ? maxLines : budget)) break;
        if (shown > 0) out += kEntryBreak;
        out += entries[shown];
        used += needed;
    }
    if (shown == entries.size()) return out;
    if (shown == 0) {
        // One entry taller than the screen: its first lines.
        const std::vector<std::string_view> lines = split(entries[0], kLineBreak);
        for (int i = 0; i < budget; ++i) {
            if (i > 0) out += kLineBreak;
            out += lines[static_cast<size_t>(i)];
        }
        shown = 1;
        if (shown == entries.size()) return out;
    }
    return out + std::string(kEntryBreak) + moreLine(strings, entries.size() - shown);
}

Actions dayTooltipActions(MainWindowState& s, const WindowGeometry& g, int x, int y,
                          const DayTipSource& source) {
    Actions out;
    const int cell = monthCellAt(g, x, y);
    std::string text;
    if (cell >= 0 && source.month != nullptr) {
        text = capDayTip(dayFieldTip(*source.month, cell, source.table, source.measurer),
                         source.maxLines, source.strings);
    }
    if (cell == s.dayTipCell && text == s.dayTip) return out;
    const bool wasShown = s.dayTipCell >= 0;
    s.dayTipCell = cell;
    s.dayTip = text;
    if (wasShown) pushAction(out, UiAction::kRemoveDayTooltip);
    if (cell >= 0) pushAction(out, UiAction::kSetDayTooltip, cell, 0, text);
    return out;
}

void forgetDayTip(MainWindowState& s) {
    s.dayTipCell = -1;
    s.dayTip.clear();
}

}  // namespace tv
