// The edit frame of `frmDates`.
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
#include "gui/windows/digit_field.h"
#include "gui/windows/frm_color_picker.h"
#include "gui/windows/frm_dates.h"
#include "gui/windows/frm_months.h"
#include "gui/windows/qt_text.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace tv {
namespace {

QWidget* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget* c : widgets)
        l->addWidget(c);
    if (stretch) l->addStretch();
    return w;
}

// A numeric field as wide as its longest value.
void fitDigits(QLineEdit* field, int digits) {
    const int w = field->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0')));
    field->setFixedWidth(w + 16);
    field->setAlignment(Qt::AlignRight);
}

QIcon swatch(const QColor& colour) {
    QPixmap pm(32, 16);
    pm.fill(colour);
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return QIcon(pm);
}

}  // namespace

QWidget* FrmDates::buildEditor() {
    const StringTable& st = *s_.strings;
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("frameEdit"));
    for (int i = 0; i < 9; ++i) {
        Tf_[size_t(i)] = new EditorLineEdit(static_cast<EditorField>(i), s_.shell);
        connect(Tf_[size_t(i)], &QLineEdit::textEdited, this, [this] {
            readControls();
            showView();
        });
    }
    fitDigits(Tf_[1], 4);
    fitDigits(Tf_[2], 2);
    fitDigits(Tf_[3], 2);
    fitDigits(Tf_[0], 3);
    fitDigits(Tf_[6], 2);
    fitDigits(Tf_[7], 2);
    fitDigits(Tf_[8], 4);
    Tf_[4]->setMaxLength(255);
    Tf_[5]->setMaxLength(255);

    lblUniqueInfo_ = new QLabel;
    lblUniqueInfo_->setObjectName(QStringLiteral("lblUniqueInfo"));
    lblUniqueInfo_->setWordWrap(true);
    lblUniqueInfo_->setFrameShape(QFrame::StyledPanel);
    lblUniqueInfo_->setMargin(6);

    lblName_ = new QLabel;
    lblName_->setBuddy(Tf_[4]);

    Cism_ = new QComboBox;
    Cism_->setObjectName(QStringLiteral("Cism"));
    connect(Cism_, &QComboBox::activated, this, [this](int index) {
        readControls();
        SetRepeatIndex(*editor_, index, today());
        writeControls();
        showView();
    });
    ComMonths_ = new QPushButton;
    ComMonths_->setObjectName(QStringLiteral("ComMonths"));
    setCaption(ComMonths_, st, "dates_b_months");
    connect(ComMonths_, &QPushButton::clicked, this, &FrmDates::chooseMonths);
    auto* lblRepeat = new QLabel(qtString(st, "dates_lbl_repeat"));
    lblRepeat->setBuddy(Cism_);

    lblDate_ = new QLabel;
    lblDate_->setBuddy(Tf_[1]);
    auto* dot1 = new QLabel(QStringLiteral("."));
    auto* dot2 = new QLabel(QStringLiteral("."));
    auto* dot3 = new QLabel(QStringLiteral("."));

    Cspecial_ = new QCheckBox;
    Cspecial_->setObjectName(QStringLiteral("Cspecial"));
    connect(Cspecial_, &QCheckBox::toggled, this, [this](bool on) {
        readControls();
        SetSpecial(*editor_, on, today());
        writeControls();
        showView();
    });
    lblSince_ = new QLabel;
    lblSince_->setObjectName(QStringLiteral("lblSince"));

    auto* cmdStepLeft = new QToolButton;
    cmdStepLeft->setObjectName(QStringLiteral("cmdStepLeft"));
    cmdStepLeft->setArrowType(Qt::LeftArrow);
    cmdStepLeft->setAutoRepeat(true);
    auto* cmdStepRight = new QToolButton;
    cmdStepRight->setObjectName(QStringLiteral("cmdStepRight"));
    cmdStepRight->setArrowType(Qt::RightArrow);
    cmdStepRight->setAutoRepeat(true);
    for (auto [button, delta] : {std::pair{cmdStepLeft, -1}, std::pair{cmdStepRight, 1}}) {
        connect(button, &QToolButton::clicked, this, [this, d = delta] {
            readControls();
            StepLength(*editor_, d);
            writeControls();
            showView();
        });
    }
    lblLong_ = new QLabel;
    lblLong_->setObjectName(QStringLiteral("lblLong"));
    cmdEventColor_ = new QToolButton;
    cmdEventColor_->setObjectName(QStringLiteral("cmdEventColor"));
    cmdEventColor_->setIconSize(QSize(32, 16));
    cmdEventColor_->setToolTip(qtString(st, "clr_title"));
    connect(cmdEventColor_, &QToolButton::clicked, this, &FrmDates::chooseColour);
    auto* lblLongEvent = new QLabel;
    setCaption(lblLongEvent, st, "dates_lbl_long");
    lblLongEvent->setBuddy(Tf_[8]);
    longRow_ = row({cmdStepLeft, Tf_[8], cmdStepRight, lblLong_, cmdEventColor_});

    auto* lblForecast = new QLabel;
    setCaption(lblForecast, st, "dates_lbl_forecast");
    lblForecast->setBuddy(Tf_[0]);
    Tf_[0]->setToolTip(lblForecast->toolTip());
    forecastRow_ = row({Tf_[0], new QLabel(qtString(st, "dates_lbl_forecast2"))});
    ChForecast_ = new QCheckBox;
    ChForecast_->setObjectName(QStringLiteral("ChForecast"));
    setCaption(ChForecast_, st, "dates_forecast");
    connect(ChForecast_, &QCheckBox::toggled, this, [this] { readControls(); });

    ChAlert_ = new QCheckBox;
    ChAlert_->setObjectName(QStringLiteral("ChAlert"));
    setCaption(ChAlert_, st, "dates_alarm_on");
    connect(ChAlert_, &QCheckBox::toggled, this, [this] {
        readControls();
        showView();
    });
    auto* lblAlarm = new QLabel(qtString(st, "dates_lbl_alarm"));
    lblAlarm->setBuddy(Tf_[6]);
    alarmRow_ = row({lblAlarm, Tf_[6], new QLabel(QStringLiteral(":")), Tf_[7]});

    auto* lblComment = new QLabel(qtString(st, "dates_lbl_comment"));
    lblComment->setBuddy(Tf_[5]);

    lblBgCaption_ = new QLabel;
    lblBgPath_ = new QLabel;
    lblBgPath_->setObjectName(QStringLiteral("lblBgPath"));
    lblBgPath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblBgPath_->setFrameShape(QFrame::StyledPanel);
    lblBgPath_->installEventFilter(this);
    cmdImage_ = new QToolButton;
    cmdImage_->setObjectName(QStringLiteral("cmdImage"));
    cmdImage_->setText(QStringLiteral("…"));
    cmdImage_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(cmdImage_);
    menu->addAction(qtString(st, "dates_bgnewpath"), this, &FrmDates::choosePicture);
    menu->addAction(qtString(st, "dates_bgdelpath"), this, &FrmDates::clearPicture);
    cmdImage_->setMenu(menu);
    auto* pictureRow = new QWidget;
    auto* pl = new QHBoxLayout(pictureRow);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(lblBgPath_, 1);
    pl->addWidget(cmdImage_);
    lblBgCaption_->setBuddy(cmdImage_);

    form_ = new QFormLayout;
    form_->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form_->setLabelAlignment(Qt::AlignLeft);
    form_->addRow(lblUniqueInfo_);
    form_->addRow(lblName_, Tf_[4]);
    form_->addRow(lblRepeat, row({Cism_, ComMonths_}));
    form_->addRow(lblDate_, row({Tf_[1], dot1, Tf_[2], dot2, Tf_[3], dot3}));
    form_->addRow(QString(), row({Cspecial_, lblSince_}));
    form_->addRow(lblLongEvent, longRow_);
    form_->addRow(lblForecast, forecastRow_);
    form_->addRow(QString(), ChForecast_);
    form_->addRow(ChAlert_, alarmRow_);
    form_->addRow(lblComment, Tf_[5]);
    form_->addRow(lblBgCaption_, pictureRow);

    auto* cmdSave = new QPushButton;
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    setCaption(cmdSave, st, "dates_b_save");
    cmdSave->setDefault(true);  // Enter in a field saves; it counts only while the frame shows
    auto* cmdCancel = new QPushButton;
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setCaption(cmdCancel, st, "dates_b_cancel");
    connect(cmdSave, &QPushButton::clicked, this, &FrmDates::onSave);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { onCancel(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form_);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(Tf_[4], Cism_);
    setTabOrder(Cism_, ComMonths_);
    setTabOrder(ComMonths_, Tf_[1]);
    setTabOrder(Tf_[1], Tf_[2]);
    setTabOrder(Tf_[2], Tf_[3]);
    setTabOrder(Tf_[3], Cspecial_);
    setTabOrder(Cspecial_, cmdStepLeft);
    setTabOrder(cmdStepLeft, Tf_[8]);
    setTabOrder(Tf_[8], cmdStepRight);
    setTabOrder(cmdStepRight, cmdEventColor_);
    setTabOrder(cmdEventColor_, Tf_[0]);
    setTabOrder(Tf_[0], ChForecast_);
    setTabOrder(ChForecast_, ChAlert_);
    setTabOrder(ChAlert_, Tf_[6]);
    setTabOrder(Tf_[6], Tf_[7]);
    setTabOrder(Tf_[7], Tf_[5]);
    setTabOrder(Tf_[5], cmdImage_);
    setTabOrder(cmdImage_, cmdSave);
    setTabOrder(cmdSave, cmdCancel);
    return frame;
}

void FrmDates::openEditor(EventEditor editor) {
    editor_ = std::move(editor);
    Cism_->clear();
    writeControls();
    showView();
    frames_->setCurrentWidget(frameEdit_);
    Tf_[4]->setFocus();
}

void FrmDates::readControls() {
    if (!editor_) return;
    EditorFields& f = editor_->fields;
    std::string* texts[9] = {&f.forecast, &f.year,      &f.month,       &f.day,   &f.name,
                             &f.comment,  &f.alarmHour, &f.alarmMinute, &f.length};
    for (size_t i = 0; i < 9; ++i)
        *texts[i] = Tf_[i]->text().toStdString();
    f.repeatIndex = std::max(0, Cism_->currentIndex());
    f.special = Cspecial_->isChecked();
    f.forecastOn = ChForecast_->isChecked();
    f.alarmOn = ChAlert_->isChecked();
}

void FrmDates::writeControls() {
    if (!editor_) return;
    const EditorFields& f = editor_->fields;
    const std::string* texts[9] = {&f.forecast, &f.year,      &f.month,       &f.day,   &f.name,
                                   &f.comment,  &f.alarmHour, &f.alarmMinute, &f.length};
    for (size_t i = 0; i < 9; ++i) {
        const QString t = qtText(*texts[i]);
        if (Tf_[i]->text() != t) Tf_[i]->setText(t);
    }
    const QSignalBlocker b1(Cspecial_), b2(ChForecast_), b3(ChAlert_), b4(Cism_);
    Cspecial_->setChecked(f.special);
    ChForecast_->setChecked(f.forecastOn);
    ChAlert_->setChecked(f.alarmOn);
    if (Cism_->count() > f.repeatIndex) Cism_->setCurrentIndex(f.repeatIndex);
}

void FrmDates::showView() {
    if (!editor_) return;
    EditorViewContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.programDir = s_.programDir;
    const EditorView v = DescribeEditor(*editor_, ctx);

    if (Cism_->count() != static_cast<int>(v.repeatItems.size())) {
        const QSignalBlocker block(Cism_);
        Cism_->clear();
        for (const std::string& item : v.repeatItems)
            Cism_->addItem(qtText(item));
        Cism_->setCurrentIndex(editor_->fields.repeatIndex);
    }
    Cism_->setEnabled(v.repeatEnabled);
    lblUniqueInfo_->setText(qtText(v.uniqueInfo));
    form_->setRowVisible(lblUniqueInfo_, !v.uniqueInfo.empty());
    lblName_->setText(qtText(v.nameLabel));
    lblDate_->setText(qtText(v.dateLabel));
    Cspecial_->setText(plainCaption(qtText(v.specialCaption)));
    Cspecial_->setEnabled(v.specialEnabled);
    Tf_[1]->setEnabled(v.yearEnabled);
    Tf_[2]->setEnabled(v.monthEnabled);
    Tf_[3]->setEnabled(v.dayEnabled);
    ComMonths_->setEnabled(v.monthsButtonEnabled);
    lblSince_->setVisible(v.sinceVisible);
    lblSince_->setText(qtText(v.sinceText));
    form_->setRowVisible(longRow_, v.longControlsVisible);
    lblLong_->setText(qtText(v.longText));
    cmdEventColor_->setIcon(
        swatch(colourOf(BandHueColour(editor_->fields.hue, readMonthTheme(s_.theme)))));
    form_->setRowVisible(forecastRow_, v.forecastFieldVisible);
    form_->setRowVisible(ChForecast_, !v.forecastFieldVisible);
    ChAlert_->setEnabled(v.alarmEnabled);
    alarmRow_->setEnabled(v.alarmEnabled && ChAlert_->isChecked());
    lblBgCaption_->setText(qtText(v.pictureLabel));
    showPicturePath();
}

void FrmDates::showPicturePath() {
    if (!editor_) return;
    const std::string path = ExpandAppPath(editor_->fields.picture, s_.programDir);
    const WidgetMeasurer measurer(lblBgPath_->fontMetrics());
    const int width = std::max(20, lblBgPath_->contentsRect().width() - 4);
    const std::string shown = ShortenPath(measurer, path, width);
    lblBgPath_->setText(qtText(shown));
    lblBgPath_->setToolTip(shown == path ? QString() : qtText(path));
}

void FrmDates::onSave() {
    if (!editor_) return;
    readControls();
    EditorContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.settings = s_.settings;
    ctx.programDir = s_.programDir;
    ctx.prompt = PromptThroughBox(*s_.box);
    ctx.saveDatabase = [this](const EventTable& t) { return saveDatabase(t); };
    const SaveOutcome out = SaveEditor(*s_.events, *editor_, ctx);
    switch (out.status) {
        case SaveStatus::kStored:
            changed_ = true;
            alarmsSwitchedOn_ = alarmsSwitchedOn_ || out.alarmsSwitchedOn;
            if (out.list >= 0 && out.list != static_cast<int>(filter_.list)) {
                filter_.list = static_cast<EventListKind>(out.list);
                OptDB_[size_t(out.list)]->setChecked(true);
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

bool FrmDates::onCancel() {
    if (!editor_) return true;
    readControls();
    if (!ConfirmCancel(*editor_, *s_.box, *s_.strings)) return false;
    showListFrame(editor_->slot);
    return true;
}

void FrmDates::focusField(EditorField field) {
    if (field == EditorField::kNone) {
        // The only refusal without a field: no month chosen for a selected-months event.
        if (ComMonths_->isEnabled()) ComMonths_->setFocus();
        return;
    }
    EditorLineEdit* f = Tf_[size_t(static_cast<int>(field))];
    f->setFocus();
    f->selectAll();
}

void FrmDates::chooseMonths() {
    readControls();
    editor_->fields.monthMask =
        FrmMonths::pick(*s_.strings, *s_.box, editor_->fields.monthMask, this);
    showView();
}

void FrmDates::chooseColour() {
    readControls();
    editor_->fields.hue =
        FrmColorPicker::pick(*s_.strings, readMonthTheme(s_.theme), editor_->fields.hue, this);
    showView();
}

void FrmDates::choosePicture() {
    readControls();
    const OpenFileRequest request = PictureDialogRequest(*s_.settings, s_.programDir, *s_.strings);
    if (const std::optional<std::string> path = s_.dialogs->openFile(request)) {
        SetChosenPicture(*editor_, *path, *s_.settings, s_.programDir);
    }
    showView();
}

void FrmDates::clearPicture() {
    readControls();
    editor_->fields.picture.clear();
    showView();
}

}  // namespace tv
