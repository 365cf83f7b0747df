#include "gui/windows/frm_names.h"

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
#include "gui/windows/frm_dates.h"
#include "gui/windows/qt_text.h"
#include "platform/clock.h"

namespace tv {

FrmNames::FrmNames(WindowServices& services, QWidget* parent)
    : QDialog(parent), s_(services), files_(nameFilesIn(services.programDir)) {
    setObjectName(QStringLiteral("frmNames"));
    setWindowTitle(qtString(*s_.strings, "main_b_names"));
    setModal(true);
    useNarrowFont(this);
    opener_ = [this](const NameDayEventRequest& r) { return openEditorFor(r); };

    optTabStrip_ = new QTabWidget;
    optTabStrip_->setObjectName(QStringLiteral("optTabStrip"));
    optTabStrip_->addTab(buildDaysTab(), qtString(*s_.strings, "name_tab_days"));
    optTabStrip_->addTab(buildExplainTab(), qtString(*s_.strings, "name_tab_explain"));
    optTabStrip_->setTabToolTip(0, qtString(*s_.strings, "name_tab_days_tt"));
    optTabStrip_->setTabToolTip(1, qtString(*s_.strings, "name_tab_explain_tt"));

    auto* ComExit = new QPushButton;
    ComExit->setObjectName(QStringLiteral("ComExit"));
    ComExit->setAutoDefault(false);
    setCaption(ComExit, *s_.strings, "com_close");
    connect(ComExit, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ComExit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optTabStrip_);
    layout->addLayout(bottom);

    OpenNameSearch(w_, files_, *s_.strings);
    List1_->clear();
    for (const std::string& name : w_.describedNames)
        List1_->addItem(qtText(name));
    showState();
    resize(sizeHint().expandedTo(QSize(520, 440)));
    Tinput2_->setFocus();
}

QWidget* FrmNames::buildDaysTab() {
    const StringTable& st = *s_.strings;
    auto* tab = new QWidget;
    lbl1Text_ = new QLabel;
    lbl1Text_->setObjectName(QStringLiteral("lbl1Text"));
    lbl1Text_->setWordWrap(true);
    Tinput2_ = new QLineEdit;
    Tinput2_->setObjectName(QStringLiteral("Tinput2"));
    lbl1Text_->setBuddy(Tinput2_);
    connect(Tinput2_, &QLineEdit::returnPressed, this, [this] {
        if (w_.searchMode) onSearchButton();
    });
    ComSearch_ = new QPushButton;
    ComSearch_->setObjectName(QStringLiteral("ComSearch"));
    ComSearch_->setAutoDefault(false);
    connect(ComSearch_, &QPushButton::clicked, this, &FrmNames::onSearchButton);
    // The button shows "Keresés" and "Vissza" in turn: wide enough for either.
    ComSearch_->setText(qtText(kSearchCaption));
    int wide = ComSearch_->sizeHint().width();
    ComSearch_->setText(qtString(st, "name_back"));
    ComSearch_->setMinimumWidth(std::max(wide, ComSearch_->sizeHint().width()));

    List2_ = new QListWidget;
    List2_->setObjectName(QStringLiteral("List2"));
    List2_->installEventFilter(this);
    connect(List2_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { createEvent(List2_->row(item)); });
    lblDblClick_ = new QLabel(qtString(st, "name_res_instruct"));
    lblDblClick_->setObjectName(QStringLiteral("lblDblClick"));
    lblDblClick_->setWordWrap(true);

    auto* frDatabases = new QGroupBox(qtString(st, "name_database"));
    frDatabases->setObjectName(QStringLiteral("frDatabases"));
    Option1_ = new QRadioButton;
    Option1_->setObjectName(QStringLiteral("Option1"));
    setCaption(Option1_, st, "name_db_a");
    Option2_ = new QRadioButton;
    Option2_->setObjectName(QStringLiteral("Option2"));
    setCaption(Option2_, st, "name_db_b");
    auto* dbl = new QVBoxLayout(frDatabases);
    dbl->addWidget(Option1_);
    dbl->addWidget(Option2_);
    connect(Option1_, &QRadioButton::toggled, this, [this](bool on) {
        w_.database = on ? NameDatabase::kDayTable : NameDatabase::kNameList;
    });

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(Tinput2_, 1);
    searchRow->addWidget(ComSearch_);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(lbl1Text_);
    layout->addLayout(searchRow);
    layout->addWidget(List2_, 1);
    layout->addWidget(lblDblClick_);
    layout->addStretch(0);
    layout->addWidget(frDatabases);
    return tab;
}

QWidget* FrmNames::buildExplainTab() {
    auto* tab = new QWidget;
    Tinput1_ = new QLineEdit;
    Tinput1_->setObjectName(QStringLiteral("Tinput1"));
    Tinput1_->setToolTip(qtString(*s_.strings, "name_tab_explain_tt"));
    connect(Tinput1_, &QLineEdit::textEdited, this, [this](const QString& text) {
        TypeAheadDescribed(w_, text.toStdString(), files_);
        showState();
    });
    Tinput1_->installEventFilter(this);
    List1_ = new QListWidget;
    List1_->setObjectName(QStringLiteral("List1"));
    connect(List1_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row == w_.selectedName) return;
        SelectDescribedName(w_, row, files_);
        showState();
    });
    txtDescrResult_ = new QPlainTextEdit;
    txtDescrResult_->setObjectName(QStringLiteral("txtDescrResult"));
    txtDescrResult_->setReadOnly(true);

    auto* left = new QWidget;
    auto* ll = new QVBoxLayout(left);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->addWidget(Tinput1_);
    ll->addWidget(List1_, 1);
    auto* split = new QSplitter;
    split->addWidget(left);
    split->addWidget(txtDescrResult_);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(split);
    return tab;
}

void FrmNames::showState() {
    const StringTable& st = *s_.strings;
    {
        const QSignalBlocker b1(Option1_), b2(Option2_);
        Option1_->setEnabled(w_.dayTableEnabled);
        Option2_->setEnabled(w_.nameListEnabled);
        (w_.database == NameDatabase::kDayTable ? Option1_ : Option2_)->setChecked(true);
    }
    if (Tinput2_->text().toStdString() != w_.searchText) Tinput2_->setText(qtText(w_.searchText));
    Tinput2_->setEnabled(w_.searchMode && w_.searchButtonEnabled);
    ComSearch_->setEnabled(w_.searchButtonEnabled);
    ComSearch_->setText(plainCaption(qtText(w_.searchButton)));
    ComSearch_->setToolTip(qtString(st, w_.searchMode ? "name_search_tt" : "name_back_tt"));
    lbl1Text_->setText(qtText(w_.prompt));
    List2_->setVisible(w_.resultsVisible);
    lblDblClick_->setVisible(w_.resultsVisible);
    if (List2_->count() != static_cast<int>(w_.resultLines.size()) || !w_.resultsVisible) {
        List2_->clear();
        for (const std::string& line : w_.resultLines)
            List2_->addItem(qtText(line));
    }

    Tinput1_->setEnabled(w_.descriptionsEnabled);
    List1_->setEnabled(w_.descriptionsEnabled);
    if (w_.selectedName >= 0 && List1_->currentRow() != w_.selectedName) {
        const QSignalBlocker block(List1_);
        List1_->setCurrentRow(w_.selectedName);
        List1_->scrollToItem(List1_->currentItem(), QAbstractItemView::PositionAtTop);
    }
    const QString descr = qtText(w_.description);
    if (txtDescrResult_->toPlainText() != descr) txtDescrResult_->setPlainText(descr);
}

void FrmNames::onSearchButton() {
    w_.searchText = Tinput2_->text().toStdString();
    const NameSearchOutcome out = PressSearchButton(w_, *s_.names, files_, *s_.strings, s_.box);
    showState();
    if (out == NameSearchOutcome::kResults) {
        List2_->setCurrentRow(0);
        List2_->setFocus();
    } else if (w_.searchMode) {
        Tinput2_->setFocus();
        Tinput2_->selectAll();
    }
}

void FrmNames::onBack() {
    NameSearchBack(w_, *s_.strings);
    showState();
    Tinput2_->setFocus();
}

void FrmNames::createEvent(int line) {
    if (const std::optional<NameDayEventRequest> r = NameDayEventFor(w_, line, *s_.strings)) {
        if (opener_(*r)) changed_ = true;
    }
}

bool FrmNames::openEditorFor(const NameDayEventRequest& request) {
    FrmDates dates(
        s_, NameDayEventOpen(request.month, request.day, request.title, s_.clock->now().date),
        this);
    dates.exec();
    return dates.eventsChanged();
}

bool FrmNames::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == List2_) {
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    createEvent(List2_->currentRow());
                    return true;
                case Qt::Key_Backspace:
                case Qt::Key_Escape:
                    onBack();
                    return true;
                default:
                    break;
            }
        } else if (watched == Tinput1_ &&
                   (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
            List1_->setFocus();
            QCoreApplication::sendEvent(List1_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tv
