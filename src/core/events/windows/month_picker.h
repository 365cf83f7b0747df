// The month picker of selected-months events: twelve check boxes that make a 12-bit mask.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tv {

class StringTable;

struct MonthPicker {
    int given = 0;                   // the mask it was opened with, returned on cancel
    std::array<bool, 12> checked{};  // box i stands for month i + 1 (bit i of the mask)
};

// The boxes of the bits set in `mask`.
MonthPicker openMonthPicker(int mask);
// `allButton`: checks all twelve unless all are checked already, then clears them all.
void toggleAllMonths(MonthPicker& picker);
int monthMaskOf(const MonthPicker& picker);

// `ComOK`: the mask to close with, or nothing while no month is checked: the dialog then shows
// "months_err01" and stays open.
inline constexpr const char* kNoMonthMessage = "months_err01";
std::optional<int> confirmMonthPicker(const MonthPicker& picker);

// How a box is shown: its caption, bold while checked, and its place in the two columns.
struct MonthBox {
    std::string caption;
    bool bold = false;
    int column = 0;  // 0: January..June, 1: July..December
    int row = 0;
};
std::array<MonthBox, 12> describeMonthPicker(const MonthPicker& picker, const StringTable& strings);

}  // namespace tv
