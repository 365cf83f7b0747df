// The event list window: the event list and the event editor in one modal
// window, shown one at a time. Every rule lives in the core's event list and editor logic; this
// window copies controls in and shows what the core answers.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/events/windows/event_editor.h"
#include "core/events/windows/event_list.h"
#include "gui/windows/window_services.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class QTreeWidget;

namespace tv {

class EditorLineEdit;

class EventListWindow : public QDialog {
    Q_OBJECT
public:
    EventListWindow(WindowServices& services, const EventListOpen& open = {},
                    QWidget* parent = nullptr);

    // Whether the event table changed, so the main window rebuilds its lists and redraws.
    bool eventsChanged() const { return changed_; }
    // A save switched the alarms on: the tray-resident form has to start its check again.
    bool alarmsSwitchedOn() const { return alarmsSwitchedOn_; }
    bool editing() const;
    const EventListFilter& filter() const { return filter_; }
    const EventListView& view() const { return view_; }
    // The slot of the selected row, -1 when none.
    int selectedSlot() const;

    void done(int result) override;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frameList
    QWidget* buildList();
    void fillList(int selectSlot = -1);
    void onSearch();
    void onNew();
    void onEdit();
    void onDelete();
    void showListFrame(int selectSlot);
    // iCalendar import and export (event_list_window_ical.cpp).
    void addIcalButtons(QHBoxLayout* row);
    void onImport();
    void onExport();

    // frameEdit
    QWidget* buildEditor();
    void openEditor(EventEditor editor);
    void readControls();
    void writeControls();
    void showView();
    void showPicturePath();
    void onSave();
    bool onCancel();
    void focusField(EditorField field);
    void chooseMonths();
    void chooseColour();
    void choosePicture();
    void clearPicture();
    bool saveDatabase(const EventTable& table);
    Date today() const;

    WindowServices& s_;
    EventListFilter filter_;
    EventListView view_;
    std::optional<EventEditor> editor_;
    bool changed_ = false;
    bool alarmsSwitchedOn_ = false;
    bool closing_ = false;

    QStackedWidget* frames_ = nullptr;

    // frameList
    QWidget* frameList_ = nullptr;
    std::array<QRadioButton*, 3> listOptions_{};
    std::array<QRadioButton*, 2> sortOptions_{};
    QWidget* anniRow_ = nullptr;
    std::array<QCheckBox*, 3> repeatFilterChecks_{};
    QWidget* eventFilterRow_ = nullptr;
    QComboBox* eventFilterCombo_ = nullptr;
    QCheckBox* disabledHolidaysCheck_ = nullptr;
    QStackedWidget* filterStack_ = nullptr;
    QTreeWidget* eventTree_ = nullptr;
    QLineEdit* searchEdit_ = nullptr;
    QLabel* entryCountLabel_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;

    // frameEdit
    QWidget* frameEdit_ = nullptr;
    QFormLayout* form_ = nullptr;
    std::array<EditorLineEdit*, 9> fields_{};
    QLabel* uniqueInfoLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QComboBox* repeatCombo_ = nullptr;
    QPushButton* monthsButton_ = nullptr;
    QCheckBox* anniversaryCheck_ = nullptr;
    QLabel* sinceLabel_ = nullptr;
    QWidget* forecastRow_ = nullptr;
    QCheckBox* forecastCheck_ = nullptr;
    QCheckBox* alarmCheck_ = nullptr;
    QWidget* alarmRow_ = nullptr;
    QWidget* longRow_ = nullptr;
    QLabel* longEventLabel_ = nullptr;
    QToolButton* colourButton_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QLabel* pictureFolderLabel_ = nullptr;
    QToolButton* pictureButton_ = nullptr;
};

}  // namespace tv
