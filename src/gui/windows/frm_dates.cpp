#include "gui/windows/frm_dates.h"

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
#include "gui/windows/qt_text.h"
#include "platform/clock.h"

namespace tv {
namespace {

constexpr int kSlotRole = Qt::UserRole;

}  // namespace

FrmDates::FrmDates(WindowServices& services, const EventListOpen& open, QWidget* parent)
    : QDialog(parent), s_(services), filter_(ReadListFilter(*services.settings)) {
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
    if (std::optional<EventEditor> ed = EditorForOpen(*s_.events, open, today())) {
        openEditor(std::move(*ed));
    } else {
        showListFrame(-1);
    }
    resize(sizeHint().expandedTo(QSize(640, 480)));
}

Date FrmDates::today() const {
    return s_.clock->now().date;
}

bool FrmDates::editing() const {
    return frames_->currentWidget() == frameEdit_;
}

QWidget* FrmDates::buildList() {
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
        OptDB_[size_t(i)] = opt;
    }
    listRow->addStretch();
    OptDB_[size_t(filter_.list)]->setChecked(true);
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
        chAnni_[size_t(i)] = ch;
    }
    eventFilterRow_ = new QWidget;
    auto* past = new QHBoxLayout(eventFilterRow_);
    past->setContentsMargins(0, 0, 0, 0);
    auto* lblEventFilter = new QLabel;
    setCaption(lblEventFilter, st, "dates_list_filter");
    cmbEventFilter_ = new QComboBox;
    cmbEventFilter_->setObjectName(QStringLiteral("cmbEventFilter"));
    for (int i = 0; i <= kNoPastLimit; ++i)
        cmbEventFilter_->addItem(qtString(st, "dates_dbfilter_" + std::to_string(i)));
    cmbEventFilter_->setCurrentIndex(filter_.pastWindow);
    lblEventFilter->setBuddy(cmbEventFilter_);
    connect(cmbEventFilter_, &QComboBox::currentIndexChanged, this, [this](int i) {
        filter_.pastWindow = i;
        fillList();
    });
    past->addWidget(lblEventFilter);
    past->addWidget(cmbEventFilter_);
    chDisabledCerem_ = new QCheckBox;
    chDisabledCerem_->setObjectName(QStringLiteral("chDisabledCerem"));
    setCaption(chDisabledCerem_, st, "dates_filter_disabled");
    connect(chDisabledCerem_, &QCheckBox::toggled, this, [this](bool on) {
        filter_.showDisabledFeasts = on;
        fillList();
    });
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(anniRow_);
    filterRow->addWidget(eventFilterRow_);
    filterRow->addWidget(chDisabledCerem_);
    filterRow->addStretch();

    RecordList_ = new QTreeWidget;
    RecordList_->setObjectName(QStringLiteral("RecordList"));
    RecordList_->setHeaderHidden(true);
    RecordList_->setRootIsDecorated(false);
    RecordList_->setUniformRowHeights(true);
    RecordList_->setAlternatingRowColors(true);
    RecordList_->setSelectionMode(QAbstractItemView::SingleSelection);
    RecordList_->setTextElideMode(Qt::ElideRight);
    RecordList_->installEventFilter(this);
    connect(RecordList_, &QTreeWidget::itemDoubleClicked, this, [this] { onEdit(); });
    connect(RecordList_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool any = selectedSlot() >= 0;
        cmdEdit_->setEnabled(any);
        cmdDelete_->setEnabled(any);
    });

    auto* lblSearch = new QLabel;
    setCaption(lblSearch, st, "dates_search");
    txtSearch_ = new QLineEdit;
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setToolTip(lblSearch->toolTip());
    txtSearch_->setClearButtonEnabled(true);
    lblSearch->setBuddy(txtSearch_);
    connect(txtSearch_, &QLineEdit::textChanged, this, &FrmDates::onSearch);
    txtSearch_->installEventFilter(this);
    auto* sorts = new QButtonGroup(frame);
    const char* sortKeys[2] = {"dates_sort_name", "dates_sort_date"};
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(lblSearch);
    searchRow->addWidget(txtSearch_, 1);
    searchRow->addSpacing(12);
    for (int i = 0; i < 2; ++i) {
        auto* opt = new QRadioButton;
        opt->setObjectName(QStringLiteral("chSort%1").arg(i));
        setCaption(opt, st, sortKeys[i]);
        sorts->addButton(opt, i);
        searchRow->addWidget(opt);
        chSort_[size_t(i)] = opt;
    }
    chSort_[filter_.sort == EventSort::kByName ? 0 : 1]->setChecked(true);
    connect(sorts, &QButtonGroup::idClicked, this, [this](int id) {
        filter_.sort = id == 0 ? EventSort::kByName : EventSort::kByDate;
        fillList(selectedSlot());
    });

    auto* cmdNew = new QPushButton;
    cmdNew->setObjectName(QStringLiteral("cmdNew"));
    setCaption(cmdNew, st, "dates_b_new");
    cmdEdit_ = new QPushButton;
    cmdEdit_->setObjectName(QStringLiteral("cmdEdit"));
    setCaption(cmdEdit_, st, "dates_b_edit");
    cmdDelete_ = new QPushButton;
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    setCaption(cmdDelete_, st, "dates_b_del");
    auto* ComExit = new QPushButton;
    ComExit->setObjectName(QStringLiteral("ComExit"));
    setCaption(ComExit, st, "com_close");
    connect(cmdNew, &QPushButton::clicked, this, &FrmDates::onNew);
    connect(cmdEdit_, &QPushButton::clicked, this, &FrmDates::onEdit);
    connect(cmdDelete_, &QPushButton::clicked, this, &FrmDates::onDelete);
    connect(ComExit, &QPushButton::clicked, this, &QDialog::accept);
    lblNumEntries_ = new QLabel;
    lblNumEntries_->setObjectName(QStringLiteral("lblNumEntries"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(cmdNew);
    buttonRow->addWidget(cmdEdit_);
    buttonRow->addWidget(cmdDelete_);
    buttonRow->addStretch();
    buttonRow->addWidget(lblNumEntries_);
    buttonRow->addStretch();
    buttonRow->addWidget(ComExit);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(listRow);
    layout->addLayout(filterRow);
    layout->addWidget(RecordList_, 1);
    layout->addLayout(searchRow);
    layout->addLayout(buttonRow);
    return frame;
}

void FrmDates::fillList(int selectSlot) {
    EventListContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.developer = s_.developer;
    view_ = FillList(*s_.events, filter_, ctx);

    anniRow_->setVisible(view_.repeatFilterVisible);
    eventFilterRow_->setVisible(view_.pastWindowVisible);
    chDisabledCerem_->setVisible(view_.disabledFeastsVisible);
    {
        const QSignalBlocker block(chDisabledCerem_);
        chDisabledCerem_->setChecked(filter_.showDisabledFeasts);
    }
    lblNumEntries_->setVisible(!view_.entriesCaption.empty());
    lblNumEntries_->setText(qtText(view_.entriesCaption));

    const bool withAge = filter_.list == EventListKind::kRecurring;
    const QSignalBlocker block(RecordList_);
    RecordList_->clear();
    RecordList_->setColumnCount(withAge ? 4 : 3);
    // The list box's tab stops are dialog units, a quarter of the average character.
    const int charWidth = std::max(1, RecordList_->fontMetrics().averageCharWidth());
    int last = 0;
    for (size_t i = 0; i < view_.tabStops.size(); ++i) {
        RecordList_->setColumnWidth(int(i), (view_.tabStops[i] - last) * charWidth / 4);
        last = view_.tabStops[i];
    }
    // The day words run longer than the old tab stop ("365 nap múlva"): never cut them.
    int dayWidth = 0;
    for (const EventListRow& row : view_.rows)
        dayWidth =
            std::max(dayWidth, RecordList_->fontMetrics().horizontalAdvance(qtText(row.dayText)));
    if (dayWidth + 16 > RecordList_->columnWidth(0)) {
        const int grow = dayWidth + 16 - RecordList_->columnWidth(0);
        RecordList_->setColumnWidth(0, dayWidth + 16);
        RecordList_->setColumnWidth(1, std::max(80, RecordList_->columnWidth(1) - grow));
    }
    for (const EventListRow& row : view_.rows) {
        QStringList cols{qtText(row.dayText), qtText(row.nameText)};
        if (withAge) cols << qtText(row.ageText);
        cols << qtText(row.dateText);
        auto* item = new QTreeWidgetItem(cols);
        item->setData(0, kSlotRole, row.slot);
        item->setToolTip(1, cols.at(1));
        if (withAge) item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        RecordList_->addTopLevelItem(item);
    }
    if (view_.rows.empty()) {
        // An empty list says so rather than showing a blank box.
        auto* item =
            new QTreeWidgetItem(QStringList{QString(), qtString(*s_.strings, "dates_dbempty")});
        item->setData(0, kSlotRole, -1);
        item->setFlags(Qt::NoItemFlags);
        RecordList_->addTopLevelItem(item);
    }
    int row = selectSlot >= 0 ? RowOfSlot(view_, selectSlot) : -1;
    if (row < 0 && !view_.rows.empty()) row = 0;
    if (row >= 0) {
        RecordList_->setCurrentItem(RecordList_->topLevelItem(row));
        RecordList_->scrollToItem(RecordList_->topLevelItem(row));
    }
    const bool any = selectedSlot() >= 0;
    cmdEdit_->setEnabled(any);
    cmdDelete_->setEnabled(any);
}

int FrmDates::selectedSlot() const {
    const QTreeWidgetItem* item = RecordList_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    return item->data(0, kSlotRole).toInt();
}

void FrmDates::onSearch() {
    if (view_.rows.empty()) return;
    const int row = FindListRow(view_, *s_.events, txtSearch_->text().toStdString());
    if (row < 0) {
        RecordList_->clearSelection();
        return;
    }
    QTreeWidgetItem* item = RecordList_->topLevelItem(row);
    RecordList_->setCurrentItem(item);
    RecordList_->scrollToItem(item);
}

void FrmDates::onNew() {
    // The holiday list makes a new fixed holiday; the other two a user event.
    const EditorForm form =
        filter_.list == EventListKind::kHolidays ? EditorForm::kHoliday : EditorForm::kUserEvent;
    openEditor(NewEventEditor(today(), {}, form));
}

void FrmDates::onEdit() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    openEditor(EditEventEditor(*s_.events, slot, today()));
}

void FrmDates::onDelete() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    const int row = RecordList_->indexOfTopLevelItem(RecordList_->currentItem());
    if (!DeleteListedEvent(*s_.events, slot, *s_.box, *s_.strings,
                           [this](const EventTable& t) { return saveDatabase(t); })) {
        return;
    }
    changed_ = true;
    fillList();
    // Keep the place in the list: the row that moved up into the deleted one's.
    const int rows = static_cast<int>(view_.rows.size());
    if (rows > 0) RecordList_->setCurrentItem(RecordList_->topLevelItem(std::min(row, rows - 1)));
}

void FrmDates::showListFrame(int selectSlot) {
    editor_.reset();
    fillList(selectSlot);
    frames_->setCurrentWidget(frameList_);
    RecordList_->setFocus();
}

bool FrmDates::saveDatabase(const EventTable& table) {
    EventDbContext ctx;
    ctx.userDataDir = s_.userDataDir;
    ctx.clock = s_.clock;
    ctx.strings = s_.strings;
    ctx.settings = s_.settings;
    ctx.log = s_.log;
    ctx.box = s_.box;
    return SaveEventDatabase(table, ctx);
}

bool FrmDates::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblBgPath_ && event->type() == QEvent::Resize) showPicturePath();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == RecordList_) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                onEdit();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                onDelete();
                return true;
            }
        } else if (watched == txtSearch_ &&
                   (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
            // From the search box straight into the list.
            RecordList_->setFocus();
            QCoreApplication::sendEvent(RecordList_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmDates::reject() {
    // Escape in the editor is its Cancel; in the list it closes the window.
    if (editing()) {
        onCancel();
        return;
    }
    QDialog::reject();
}

void FrmDates::closeEvent(QCloseEvent* event) {
    // The title bar's close button closes the window, after the editor's question if need be.
    done(QDialog::Rejected);
    if (isVisible()) event->ignore();
}

void FrmDates::done(int result) {
    if (closing_) return;
    if (editing() && !onCancel()) return;
    closing_ = true;
    // The filters are remembered for the next time.
    WriteListFilter(*s_.settings, filter_);
    fWriteConfig(*s_.settings, s_.userDataDir + "settings.cfg");
    QDialog::done(result);
}

}  // namespace tv
