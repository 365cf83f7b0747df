// The month picker: the months of a selected-months event, as twelve check boxes.
#pragma once

#include <QDialog>
#include <array>

#include "core/events/windows/month_picker.h"

class QCheckBox;

namespace tv {

class MessageBox;
class StringTable;

class MonthPickerWindow : public QDialog {
    Q_OBJECT
public:
    MonthPickerWindow(const StringTable& strings, MessageBox& box, int mask,
                      QWidget* parent = nullptr);
    // The chosen mask after OK, the given one after Cancel.
    int mask() const { return result_; }

    // Shows the dialog and returns the mask.
    static int pick(const StringTable& strings, MessageBox& box, int mask, QWidget* parent);

    QCheckBox* monthBox(int i) const { return monthChecks_[static_cast<size_t>(i)]; }

private:
    void showBoxes();
    void onOk();

    const StringTable& strings_;
    MessageBox& box_;
    MonthPicker picker_;
    int result_ = 0;
    std::array<QCheckBox*, 12> monthChecks_{};
};

}  // namespace tv
