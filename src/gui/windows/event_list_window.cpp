#include "gui/windows/event_list_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/event_database.h"
#include "core/ports/clock.h"
#include "gui/windows/event_list_rows.h"
#include "gui/windows/qt_text.h"

namespace tv {

EventListWindow::EventListWindow(WindowServices& services, const EventListOpen& open,
                                 QWidget* parent)
    : QDialog(parent), s_(services), filter_(readListFilter(*services.settings)) {
    setObjectName(QStringLiteral("frmDates"));
    setWindowTitle(qtString(*s_.strings, "main_b_dates"));
    setModal(true);
    useNarrowFont(this);

    frames_ = new QStackedWidget;
    frameList_ = buildList();
    frameEdit_ = buildEditor();
    frames_->addWidget(frameList_);
    frames_->addWidget(frameEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frames_);

    fillList();
    if (std::optional<EventEditor> ed = editorForOpen(*s_.events, open, today())) {
        openEditor(std::move(*ed));
    } else {
        showListFrame(-1);
    }
    resize(sizeHint().expandedTo(QSize(640, 480)));
}

Date EventListWindow::today() const {
    return s_.clock->now().date;
}

bool EventListWindow::editing() const {
    return frames_->currentWidget() == frameEdit_;
}

QWidget* EventListWindow::buildList() {
    const StringTable& st = *s_.strings;
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("frameList"));

    auto* lists = new QButtonGroup(frame);
    auto* listRow = new QHBoxLayout;
    const char* listKeys[3] = {"dates_db_dates", "dates_db_dates2", "dates_db_ceremonies"};
    for (int i = 0; i < 3; ++i) {
        auto* opt = new QRadioButton;
        opt->setObjectName(QStringLiteral("OptDB%1").arg(i));
        setCaption(opt, st, listKeys[i]);
        lists->addButton(opt, i);
        listRow->addWidget(opt);
        listOptions_[size_t(i)] = opt;
    }
    listRow->addStretch();
    listOptions_[size_t(filter_.list)]->setChecked(true);
    connect(lists, &QButtonGroup::idClicked, this, [this](int id) {
        filter_.list = static_cast<EventListKind>(id);
        fillList();
    });

    // The filters of each list, on one line; fillList shows the ones of the chosen list.
    anniRow_ = new QWidget;
    auto* anni = new QHBoxLayout(anniRow_);
    anni->setContentsMargins(0, 0, 0, 0);
    anni->addWidget(new QLabel(qtString(st, "dates_filter_anni")));
    for (int i = 0; i < 3; ++i) {
        auto* ch = new QCheckBox;
        ch->setObjectName(QStringLiteral("chAnni%1").arg(i));
        setCaption(ch, st, "dates_filter_anni" + std::to_string(i));
        ch->setChecked(filter_.repeatFilter[size_t(i)]);
        connect(ch, &QCheckBox::toggled, this, [this, i](bool on) {
            filter_.repeatFilter[size_t(i)] = on;
            fillList();
        });
        anni->addWidget(ch);
        repeatFilterChecks_[size_t(i)] = ch;
    }
    eventFilterRow_ = new QWidget;
    auto* past = new QHBoxLayout(eventFilterRow_);
    past->setContentsMargins(0, 0, 0, 0);
    auto* eventFilterLabel = new QLabel;
    setCaption(eventFilterLabel, st, "dates_list_filter");
    eventFilterCombo_ = new QComboBox;
    eventFilterCombo_->setObjectName(QStringLiteral("cmbEventFilter"));
    for (int i = 0; i <= kNoPastLimit; ++i)
        eventFilterCombo_->addItem(qtString(st, "dates_dbfilter_" + std::to_string(i)));
    eventFilterCombo_->setCurrentIndex(filter_.pastWindow);
    eventFilterLabel->setBuddy(eventFilterCombo_);
    connect(eventFilterCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        filter_.pastWindow = i;
        fillList();
    });
    past->addWidget(eventFilterLabel);
    past->addWidget(eventFilterCombo_);
    disabledHolidaysCheck_ = new QCheckBox;
    disabledHolidaysCheck_->setObjectName(QStringLiteral("chDisabledCerem"));
    setCaption(disabledHolidaysCheck_, st, "dates_filter_disabled");
    connect(disabledHolidaysCheck_, &QCheckBox::toggled, this, [this](bool on) {
        filter_.showDisabledFeasts = on;
        fillList();
    });
    // Each list has its own filter and only one shows at a time: stacked, the window is as wide
    // as the widest of them, not as all three side by side (too wide for the screen at 2x).
    filterStack_ = new QStackedWidget;
    filterStack_->addWidget(anniRow_);
    filterStack_->addWidget(eventFilterRow_);
    filterStack_->addWidget(disabledHolidaysCheck_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterStack_);
    filterRow->addStretch();

    eventTree_ = new QTreeWidget;
    eventTree_->setObjectName(QStringLiteral("RecordList"));
    eventTree_->setRootIsDecorated(false);
    eventTree_->setUniformRowHeights(true);
    eventTree_->setAlternatingRowColors(true);
    eventTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    eventTree_->setTextElideMode(Qt::ElideRight);
    eventTree_->installEventFilter(this);
    connect(eventTree_, &QTreeWidget::itemDoubleClicked, this, [this] { onEdit(); });
    connect(eventTree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool any = selectedSlot() >= 0;
        editButton_->setEnabled(any);
        deleteButton_->setEnabled(any);
    });

    auto* searchLabel = new QLabel;
    setCaption(searchLabel, st, "dates_search");
    searchEdit_ = new QLineEdit;
    searchEdit_->setObjectName(QStringLiteral("txtSearch"));
    searchEdit_->setToolTip(searchLabel->toolTip());
    searchEdit_->setClearButtonEnabled(true);
    searchLabel->setBuddy(searchEdit_);
    connect(searchEdit_, &QLineEdit::textChanged, this, &EventListWindow::onSearch);
    searchEdit_->installEventFilter(this);
    auto* sorts = new QButtonGroup(frame);
    const char* sortKeys[2] = {"dates_sort_name", "dates_sort_date"};
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(searchEdit_, 1);
    searchRow->addSpacing(12);
    for (int i = 0; i < 2; ++i) {
        auto* opt = new QRadioButton;
        opt->setObjectName(QStringLiteral("chSort%1").arg(i));
        setCaption(opt, st, sortKeys[i]);
        sorts->addButton(opt, i);
        searchRow->addWidget(opt);
        sortOptions_[size_t(i)] = opt;
    }
    sortOptions_[filter_.sort == EventSort::kByName ? 0 : 1]->setChecked(true);
    connect(sorts, &QButtonGroup::idClicked, this, [this](int id) {
        filter_.sort = id == 0 ? EventSort::kByName : EventSort::kByDate;
        fillList(selectedSlot());
    });

    auto* newButton = new QPushButton;
    newButton->setObjectName(QStringLiteral("cmdNew"));
    setCaption(newButton, st, "dates_b_new");
    editButton_ = new QPushButton;
    editButton_->setObjectName(QStringLiteral("cmdEdit"));
    setCaption(editButton_, st, "dates_b_edit");
    deleteButton_ = new QPushButton;
    deleteButton_->setObjectName(QStringLiteral("cmdDelete"));
    setCaption(deleteButton_, st, "dates_b_del");
    auto* closeButton = new QPushButton;
    closeButton->setObjectName(QStringLiteral("ComExit"));
    setCaption(closeButton, st, "com_close");
    connect(newButton, &QPushButton::clicked, this, &EventListWindow::onNew);
    connect(editButton_, &QPushButton::clicked, this, &EventListWindow::onEdit);
    connect(deleteButton_, &QPushButton::clicked, this, &EventListWindow::onDelete);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    entryCountLabel_ = new QLabel;
    entryCountLabel_->setObjectName(QStringLiteral("lblNumEntries"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(newButton);
    buttonRow->addWidget(editButton_);
    buttonRow->addWidget(deleteButton_);
    addIcalButtons(buttonRow);
    buttonRow->addStretch();
    buttonRow->addWidget(entryCountLabel_);
    buttonRow->addStretch();
    buttonRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(listRow);
    layout->addLayout(filterRow);
    layout->addWidget(eventTree_, 1);
    layout->addLayout(searchRow);
    layout->addLayout(buttonRow);
    return frame;
}

void EventListWindow::fillList(int selectSlot) {
    EventListContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.developer = s_.developer;
    view_ = tv::fillList(*s_.events, filter_, ctx);

    QWidget* filter = view_.repeatFilterVisible     ? anniRow_
                      : view_.pastWindowVisible     ? eventFilterRow_
                      : view_.disabledFeastsVisible ? static_cast<QWidget*>(disabledHolidaysCheck_)
                                                    : nullptr;
    if (filter != nullptr) filterStack_->setCurrentWidget(filter);
    filterStack_->setVisible(filter != nullptr);
    {
        const QSignalBlocker block(disabledHolidaysCheck_);
        disabledHolidaysCheck_->setChecked(filter_.showDisabledFeasts);
    }
    entryCountLabel_->setVisible(!view_.entriesCaption.empty());
    entryCountLabel_->setText(qtText(view_.entriesCaption));

    const QSignalBlocker block(eventTree_);
    showListRows(eventTree_, view_, qtString(*s_.strings, "dates_dbempty"));
    int row = selectSlot >= 0 ? rowOfSlot(view_, selectSlot) : -1;
    if (row < 0 && !view_.rows.empty()) row = 0;
    if (row >= 0) {
        eventTree_->setCurrentItem(eventTree_->topLevelItem(row));
        eventTree_->scrollToItem(eventTree_->topLevelItem(row));
    }
    const bool any = selectedSlot() >= 0;
    editButton_->setEnabled(any);
    deleteButton_->setEnabled(any);
}

int EventListWindow::selectedSlot() const {
    const QTreeWidgetItem* item = eventTree_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    return item->data(0, kSlotRole).toInt();
}

void EventListWindow::onSearch() {
    if (view_.rows.empty()) return;
    const int row = findListRow(view_, *s_.events, searchEdit_->text().toStdString());
    if (row < 0) {
        eventTree_->clearSelection();
        return;
    }
    QTreeWidgetItem* item = eventTree_->topLevelItem(row);
    eventTree_->setCurrentItem(item);
    eventTree_->scrollToItem(item);
}

void EventListWindow::onNew() {
    // The holiday list makes a new fixed holiday; the other two a user event.
    const EditorForm form =
        filter_.list == EventListKind::kHolidays ? EditorForm::kHoliday : EditorForm::kUserEvent;
    openEditor(newEventEditor(today(), {}, form));
}

void EventListWindow::onEdit() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    openEditor(editEventEditor(*s_.events, slot, today()));
}

void EventListWindow::onDelete() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    const int row = eventTree_->indexOfTopLevelItem(eventTree_->currentItem());
    if (!deleteListedEvent(*s_.events, slot, *s_.box, *s_.strings,
                           [this](const EventTable& t) { return saveDatabase(t); })) {
        return;
    }
    changed_ = true;
    fillList();
    // Keep the place in the list: the row that moved up into the deleted one's.
    const int rows = static_cast<int>(view_.rows.size());
    if (rows > 0) eventTree_->setCurrentItem(eventTree_->topLevelItem(std::min(row, rows - 1)));
}

void EventListWindow::showListFrame(int selectSlot) {
    editor_.reset();
    fillList(selectSlot);
    frames_->setCurrentWidget(frameList_);
    eventTree_->setFocus();
}

bool EventListWindow::saveDatabase(const EventTable& table) {
    EventDbContext ctx =
        eventDbContextFor(s_.userDataDir, *s_.clock, *s_.strings, *s_.settings, s_.box, s_.log);
    ctx.saved = s_.eventsSaved;
    return saveEventDatabase(table, ctx);
}

bool EventListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictureFolderLabel_ && event->type() == QEvent::Resize) showPicturePath();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == eventTree_) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                onEdit();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                onDelete();
                return true;
            }
        } else if (watched == searchEdit_ &&
                   (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
            // From the search box straight into the list.
            eventTree_->setFocus();
            QCoreApplication::sendEvent(eventTree_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EventListWindow::reject() {
    // Escape in the editor is its Cancel; in the list it closes the window.
    if (editing()) {
        onCancel();
        return;
    }
    QDialog::reject();
}

void EventListWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close button closes the window, after the editor's question if need be.
    done(QDialog::Rejected);
    if (isVisible()) event->ignore();
}

void EventListWindow::done(int result) {
    if (closing_) return;
    if (editing() && !onCancel()) return;
    closing_ = true;
    // The filters are remembered for the next time.
    writeListFilter(*s_.settings, filter_);
    writeConfig(*s_.settings, s_.userDataDir + "settings.cfg");
    QDialog::done(result);
}

}  // namespace tv
