// The event list window's editor actions: save, cancel, and the month, colour and picture
// choosers.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/app/version.h"
#include "core/calc/text_fit.h"
#include "core/calc/text_format.h"
#include "core/config/string_table.h"
#include "core/events/windows/colour_picker.h"
#include "core/ports/dialogs.h"
#include "core/ports/message_box.h"
#include "core/ports/shell.h"
#include "gui/windows/colour_picker_window.h"
#include "gui/windows/digit_field.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/month_picker_window.h"
#include "gui/windows/qt_text.h"

namespace tv {

void EventListWindow::onSave() {
    if (!editor_) return;
    readControls();
    EditorContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.settings = s_.settings;
    ctx.programDir = s_.programDir;
    ctx.prompt = promptThroughBox(*s_.box);
    ctx.saveDatabase = [this](const EventTable& t) { return saveDatabase(t); };
    const SaveOutcome out = saveEditor(*s_.events, *editor_, ctx);
    switch (out.status) {
        case SaveStatus::kStored:
            changed_ = true;
            alarmsSwitchedOn_ = alarmsSwitchedOn_ || out.alarmsSwitchedOn;
            if (out.list >= 0 && out.list != static_cast<int>(filter_.list)) {
                filter_.list = static_cast<EventListKind>(out.list);
                listOptions_[size_t(out.list)]->setChecked(true);
            }
            showListFrame(out.slot);
            break;
        case SaveStatus::kRefused:
            s_.box->show({out.message.text, std::string(kProgramName), out.message.buttons,
                          out.message.icon});
            focusField(out.focus);
            break;
        case SaveStatus::kBackToEditing:
            break;
        case SaveStatus::kTableFull:
            if (s_.shell != nullptr) s_.shell->beep();
            break;
    }
}

bool EventListWindow::onCancel() {
    if (!editor_) return true;
    readControls();
    if (!confirmCancel(*editor_, *s_.box, *s_.strings)) return false;
    showListFrame(editor_->slot);
    return true;
}

void EventListWindow::focusField(EditorField field) {
    if (field == EditorField::kNone) {
        // The only refusal without a field: no month chosen for a selected-months event.
        if (monthsButton_->isEnabled()) monthsButton_->setFocus();
        return;
    }
    EditorLineEdit* f = fields_[size_t(static_cast<int>(field))];
    f->setFocus();
    f->selectAll();
}

void EventListWindow::chooseMonths() {
    readControls();
    editor_->fields.monthMask =
        MonthPickerWindow::pick(*s_.strings, *s_.box, editor_->fields.monthMask, this);
    showView();
}

void EventListWindow::chooseColour() {
    readControls();
    editor_->fields.hue =
        ColourPickerWindow::pick(*s_.strings, readMonthTheme(s_.theme), editor_->fields.hue, this);
    showView();
}

void EventListWindow::choosePicture() {
    readControls();
    const OpenFileRequest request = pictureDialogRequest(*s_.settings, s_.programDir, *s_.strings);
    if (const std::optional<std::string> path = s_.dialogs->openFile(request)) {
        setChosenPicture(*editor_, *path, *s_.settings, s_.programDir);
    }
    showView();
}

void EventListWindow::clearPicture() {
    readControls();
    editor_->fields.picture.clear();
    showView();
}

}  // namespace tv
