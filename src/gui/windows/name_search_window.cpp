#include "gui/windows/name_search_window.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/config/string_table.h"
#include "core/events/windows/event_editor.h"
#include "core/ports/clock.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/qt_text.h"

namespace tv {
namespace {

bool listShows(const QListWidget* list, const std::vector<std::string>& lines) {
    if (list->count() != static_cast<int>(lines.size())) return false;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() != qtText(lines[static_cast<size_t>(i)])) return false;
    }
    return true;
}

}  // namespace

NameSearchWindow::NameSearchWindow(WindowServices& services, QWidget* parent)
    : QDialog(parent), s_(services), files_(nameFilesIn(services.programDir)) {
    setObjectName(QStringLiteral("frmNames"));
    setWindowTitle(qtString(*s_.strings, "main_b_names"));
    setModal(true);
    useNarrowFont(this);
    opener_ = [this](const NameDayEventRequest& r) { return openEditorFor(r); };

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("optTabStrip"));
    tabs_->addTab(buildDaysTab(), qtString(*s_.strings, "name_tab_days"));
    tabs_->addTab(buildExplainTab(), qtString(*s_.strings, "name_tab_explain"));
    tabs_->setTabToolTip(0, qtString(*s_.strings, "name_tab_days_tt"));
    tabs_->setTabToolTip(1, qtString(*s_.strings, "name_tab_explain_tt"));

    auto* closeButton = new QPushButton;
    closeButton->setObjectName(QStringLiteral("ComExit"));
    closeButton->setAutoDefault(false);
    setCaption(closeButton, *s_.strings, "com_close");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(bottom);

    openNameSearch(w_, files_, *s_.strings);
    describedList_->clear();
    for (const std::string& name : w_.describedNames)
        describedList_->addItem(qtText(name));
    showState();
    resize(sizeHint().expandedTo(QSize(520, 440)));
    searchEdit_->setFocus();
}

QWidget* NameSearchWindow::buildDaysTab() {
    const StringTable& st = *s_.strings;
    auto* tab = new QWidget;
    lbl1Text_ = new QLabel;
    lbl1Text_->setObjectName(QStringLiteral("lbl1Text"));
    lbl1Text_->setWordWrap(true);
    searchEdit_ = new QLineEdit;
    searchEdit_->setObjectName(QStringLiteral("Tinput2"));
    lbl1Text_->setBuddy(searchEdit_);
    connect(searchEdit_, &QLineEdit::returnPressed, this, [this] {
        if (w_.searchMode) onSearchButton();
    });
    searchButton_ = new QPushButton;
    searchButton_->setObjectName(QStringLiteral("ComSearch"));
    searchButton_->setAutoDefault(false);
    connect(searchButton_, &QPushButton::clicked, this, &NameSearchWindow::onSearchButton);
    // The button shows "Keresés" and "Vissza" in turn: wide enough for either.
    searchButton_->setText(qtText(kSearchCaption));
    int wide = searchButton_->sizeHint().width();
    searchButton_->setText(qtString(st, "name_back"));
    searchButton_->setMinimumWidth(std::max(wide, searchButton_->sizeHint().width()));

    resultList_ = new QListWidget;
    resultList_->setObjectName(QStringLiteral("List2"));
    resultList_->installEventFilter(this);
    connect(resultList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { createEvent(resultList_->row(item)); });
    doubleClickLabel_ = new QLabel(qtString(st, "name_res_instruct"));
    doubleClickLabel_->setObjectName(QStringLiteral("lblDblClick"));
    doubleClickLabel_->setWordWrap(true);

    auto* databasesGroup = new QGroupBox(qtString(st, "name_database"));
    databasesGroup->setObjectName(QStringLiteral("frDatabases"));
    mainListOption_ = new QRadioButton;
    mainListOption_->setObjectName(QStringLiteral("Option1"));
    setCaption(mainListOption_, st, "name_db_a");
    largeListOption_ = new QRadioButton;
    largeListOption_->setObjectName(QStringLiteral("Option2"));
    setCaption(largeListOption_, st, "name_db_b");
    auto* dbl = new QVBoxLayout(databasesGroup);
    dbl->addWidget(mainListOption_);
    dbl->addWidget(largeListOption_);
    connect(mainListOption_, &QRadioButton::toggled, this, [this](bool on) {
        w_.database = on ? NameDatabase::kDayTable : NameDatabase::kNameList;
        showState();
    });

    // Before the first search the results' place tells which list is searched, rather than
    // leaving a grey hole in the window.
    resultPlaceholder_ = new QLabel;
    resultPlaceholder_->setObjectName(QStringLiteral("lblNoResults"));
    resultPlaceholder_->setWordWrap(true);
    resultPlaceholder_->setAlignment(Qt::AlignCenter);
    resultPlaceholder_->setFrameShape(QFrame::StyledPanel);
    resultPlaceholder_->setMargin(12);
    resultPlaceholder_->setAutoFillBackground(true);
    resultPlaceholder_->setBackgroundRole(QPalette::Base);
    resultPlaceholder_->setForegroundRole(QPalette::PlaceholderText);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchEdit_, 1);
    searchRow->addWidget(searchButton_);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(lbl1Text_);
    layout->addLayout(searchRow);
    layout->addWidget(resultList_, 1);
    layout->addWidget(resultPlaceholder_, 1);
    layout->addWidget(doubleClickLabel_);
    layout->addWidget(databasesGroup);
    return tab;
}

QWidget* NameSearchWindow::buildExplainTab() {
    auto* tab = new QWidget;
    typeAheadEdit_ = new QLineEdit;
    typeAheadEdit_->setObjectName(QStringLiteral("Tinput1"));
    typeAheadEdit_->setToolTip(qtString(*s_.strings, "name_tab_explain_tt"));
    connect(typeAheadEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        typeAheadDescribed(w_, text.toStdString(), files_);
        showState();
    });
    typeAheadEdit_->installEventFilter(this);
    describedList_ = new QListWidget;
    describedList_->setObjectName(QStringLiteral("List1"));
    connect(describedList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row == w_.selectedName) return;
        selectDescribedName(w_, row, files_);
        showState();
    });
    descriptionText_ = new QPlainTextEdit;
    descriptionText_->setObjectName(QStringLiteral("txtDescrResult"));
    descriptionText_->setReadOnly(true);

    auto* typeAheadLabel = new QLabel;
    setCaption(typeAheadLabel, *s_.strings, "name_lbl_explain");
    typeAheadLabel->setBuddy(typeAheadEdit_);

    auto* left = new QWidget;
    auto* ll = new QVBoxLayout(left);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->addWidget(typeAheadLabel);
    ll->addWidget(typeAheadEdit_);
    ll->addWidget(describedList_, 1);
    auto* split = new QSplitter;
    split->addWidget(left);
    split->addWidget(descriptionText_);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(split);
    return tab;
}

void NameSearchWindow::showState() {
    const StringTable& st = *s_.strings;
    {
        const QSignalBlocker b1(mainListOption_), b2(largeListOption_);
        mainListOption_->setEnabled(w_.dayTableEnabled);
        largeListOption_->setEnabled(w_.nameListEnabled);
        (w_.database == NameDatabase::kDayTable ? mainListOption_ : largeListOption_)
            ->setChecked(true);
    }
    if (searchEdit_->text().toStdString() != w_.searchText)
        searchEdit_->setText(qtText(w_.searchText));
    searchEdit_->setEnabled(w_.searchMode && w_.searchButtonEnabled);
    searchButton_->setEnabled(w_.searchButtonEnabled);
    searchButton_->setText(plainCaption(qtText(w_.searchButton)));
    searchButton_->setToolTip(qtString(st, w_.searchMode ? "name_search_tt" : "name_back_tt"));
    lbl1Text_->setText(qtText(w_.prompt));
    resultList_->setVisible(w_.resultsVisible);
    resultPlaceholder_->setVisible(!w_.resultsVisible);
    resultPlaceholder_->setText(
        qtString(st, w_.database == NameDatabase::kDayTable ? "name_db_a_tt" : "name_db_b_tt"));
    doubleClickLabel_->setVisible(w_.resultsVisible);
    // Compared line by line: two searches often find the same number of days.
    if (!listShows(resultList_, w_.resultLines)) {
        resultList_->clear();
        for (const std::string& line : w_.resultLines)
            resultList_->addItem(qtText(line));
    }

    typeAheadEdit_->setEnabled(w_.descriptionsEnabled);
    describedList_->setEnabled(w_.descriptionsEnabled);
    if (w_.selectedName >= 0 && describedList_->currentRow() != w_.selectedName) {
        const QSignalBlocker block(describedList_);
        describedList_->setCurrentRow(w_.selectedName);
        describedList_->scrollToItem(describedList_->currentItem(),
                                     QAbstractItemView::PositionAtTop);
    }
    const QString descr = qtText(w_.description);
    if (descriptionText_->toPlainText() != descr) descriptionText_->setPlainText(descr);
}

void NameSearchWindow::onSearchButton() {
    w_.searchText = searchEdit_->text().toStdString();
    const NameSearchOutcome out = pressSearchButton(w_, *s_.names, files_, *s_.strings, s_.box);
    showState();
    if (out == NameSearchOutcome::kResults) {
        resultList_->setCurrentRow(0);
        resultList_->setFocus();
    } else if (w_.searchMode) {
        searchEdit_->setFocus();
        searchEdit_->selectAll();
    }
}

void NameSearchWindow::onBack() {
    nameSearchBack(w_, *s_.strings);
    showState();
    searchEdit_->setFocus();
}

void NameSearchWindow::createEvent(int line) {
    if (const std::optional<NameDayEventRequest> r = nameDayEventFor(w_, line, *s_.strings)) {
        if (opener_(*r)) changed_ = true;
    }
}

bool NameSearchWindow::openEditorFor(const NameDayEventRequest& request) {
    EventListWindow dates(
        s_, nameDayEventOpen(request.month, request.day, request.title, s_.clock->now().date),
        this);
    dates.exec();
    return dates.eventsChanged();
}

bool NameSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == resultList_) {
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    createEvent(resultList_->currentRow());
                    return true;
                case Qt::Key_Backspace:
                case Qt::Key_Escape:
                    onBack();
                    return true;
                default:
                    break;
            }
        } else if (watched == typeAheadEdit_ &&
                   (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
            describedList_->setFocus();
            QCoreApplication::sendEvent(describedList_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tv
