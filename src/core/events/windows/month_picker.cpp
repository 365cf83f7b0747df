#include "core/events/windows/month_picker.h"

#include <algorithm>

#include "core/calc/calendar.h"
#include "core/config/string_table.h"

namespace tv {

MonthPicker openMonthPicker(int mask) {
    MonthPicker p;
    p.given = mask;
    for (size_t i = 0; i < 12; ++i)
        p.checked[i] = isBitSet(mask, static_cast<int>(i));
    return p;
}

void toggleAllMonths(MonthPicker& picker) {
    const bool all =
        std::all_of(picker.checked.begin(), picker.checked.end(), [](bool on) { return on; });
    picker.checked.fill(!all);
}

int monthMaskOf(const MonthPicker& picker) {
    int mask = 0;
    for (size_t i = 0; i < 12; ++i) {
        if (picker.checked[i]) mask |= 1 << i;
    }
    return mask;
}

std::optional<int> confirmMonthPicker(const MonthPicker& picker) {
    const int mask = monthMaskOf(picker);
    if (mask == 0) return std::nullopt;
    return mask;
}

std::array<MonthBox, 12> describeMonthPicker(const MonthPicker& picker,
                                             const StringTable& strings) {
    std::array<MonthBox, 12> boxes;
    for (size_t i = 0; i < 12; ++i) {
        boxes[i].caption = strings.getString("main_month_" + std::to_string(i));
        boxes[i].bold = picker.checked[i];
        boxes[i].column = static_cast<int>(i / 6);
        boxes[i].row = static_cast<int>(i % 6);
    }
    return boxes;
}

}  // namespace tv
