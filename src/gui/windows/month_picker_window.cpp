#include "gui/windows/month_picker_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/version.h"
#include "core/config/string_table.h"
#include "core/ports/message_box.h"
#include "gui/windows/qt_text.h"

namespace tv {

MonthPickerWindow::MonthPickerWindow(const StringTable& strings, MessageBox& box, int mask,
                                     QWidget* parent)
    : QDialog(parent), strings_(strings), box_(box), picker_(openMonthPicker(mask)), result_(mask) {
    setObjectName(QStringLiteral("frmMonths"));
    setWindowTitle(qtString(strings, "dates_b_months"));
    setModal(true);
    useNarrowFont(this);

    auto* text = new QLabel(qtString(strings, "months_text"));
    text->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    const auto boxes = describeMonthPicker(picker_, strings);
    for (int i = 0; i < 12; ++i) {
        auto* ch = new QCheckBox(qtText(boxes[size_t(i)].caption));
        ch->setObjectName(QStringLiteral("ChMonth%1").arg(i));
        monthChecks_[size_t(i)] = ch;
        // Wide enough for the bold caption, so checking a box does not shift the columns.
        QFont bold = ch->font();
        bold.setBold(true);
        const QFont normal = ch->font();
        ch->setFont(bold);
        ch->setMinimumWidth(ch->sizeHint().width());
        ch->setFont(normal);
        grid->addWidget(ch, boxes[size_t(i)].row, boxes[size_t(i)].column);
        connect(ch, &QCheckBox::toggled, this, [this, i](bool on) {
            picker_.checked[size_t(i)] = on;
            showBoxes();
        });
    }

    auto* allButton = new QPushButton;
    allButton->setObjectName(QStringLiteral("cmdAll"));
    setCaption(allButton, strings, "dates_months_selall");
    connect(allButton, &QPushButton::clicked, this, [this] {
        toggleAllMonths(picker_);
        showBoxes();
    });
    auto* buttons = new QDialogButtonBox;
    auto* ok = buttons->addButton(qtString(strings, "com_ok"), QDialogButtonBox::AcceptRole);
    auto* cancel =
        buttons->addButton(qtString(strings, "com_cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ComOK"));
    cancel->setObjectName(QStringLiteral("ComCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &MonthPickerWindow::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(allButton);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showBoxes();
}

void MonthPickerWindow::showBoxes() {
    const auto boxes = describeMonthPicker(picker_, strings_);
    for (size_t i = 0; i < 12; ++i) {
        QCheckBox* ch = monthChecks_[i];
        const QSignalBlocker block(ch);
        ch->setChecked(picker_.checked[i]);
        QFont f = ch->font();
        f.setBold(boxes[i].bold);
        ch->setFont(f);
    }
}

void MonthPickerWindow::onOk() {
    const std::optional<int> mask = confirmMonthPicker(picker_);
    if (!mask) {
        box_.show({strings_.getString(kNoMonthMessage), std::string(kProgramName),
                   MessageButtons::kOk, MessageIcon::kWarning});
        return;
    }
    result_ = *mask;
    accept();
}

int MonthPickerWindow::pick(const StringTable& strings, MessageBox& box, int mask,
                            QWidget* parent) {
    MonthPickerWindow dialog(strings, box, mask, parent);
    dialog.exec();
    return dialog.mask();
}

}  // namespace tv
