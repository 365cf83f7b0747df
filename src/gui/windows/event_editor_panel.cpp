// The event list window's editor frame: its controls, and how they show the editor's state.
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

QWidget* EventListWindow::buildEditor() {
    const StringTable& st = *s_.strings;
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("frameEdit"));
    for (int i = 0; i < 9; ++i) {
        fields_[size_t(i)] = new EditorLineEdit(static_cast<EditorField>(i), s_.shell);
        connect(fields_[size_t(i)], &QLineEdit::textEdited, this, [this] {
            readControls();
            showView();
        });
    }
    fitDigits(fields_[1], 4);
    fitDigits(fields_[2], 2);
    fitDigits(fields_[3], 2);
    fitDigits(fields_[0], 3);
    fitDigits(fields_[6], 2);
    fitDigits(fields_[7], 2);
    fitDigits(fields_[8], 4);
    fields_[4]->setMaxLength(255);
    fields_[5]->setMaxLength(255);

    uniqueInfoLabel_ = new QLabel;
    uniqueInfoLabel_->setObjectName(QStringLiteral("lblUniqueInfo"));
    uniqueInfoLabel_->setWordWrap(true);
    uniqueInfoLabel_->setFrameShape(QFrame::StyledPanel);
    uniqueInfoLabel_->setMargin(6);

    nameLabel_ = new QLabel;
    nameLabel_->setBuddy(fields_[4]);

    repeatCombo_ = new QComboBox;
    repeatCombo_->setObjectName(QStringLiteral("Cism"));
    connect(repeatCombo_, &QComboBox::activated, this, [this](int index) {
        readControls();
        setRepeatIndex(*editor_, index, today());
        writeControls();
        showView();
    });
    monthsButton_ = new QPushButton;
    monthsButton_->setObjectName(QStringLiteral("ComMonths"));
    setCaption(monthsButton_, st, "dates_b_months");
    connect(monthsButton_, &QPushButton::clicked, this, &EventListWindow::chooseMonths);
    auto* repeatLabel = new QLabel(qtString(st, "dates_lbl_repeat"));
    repeatLabel->setBuddy(repeatCombo_);

    dateLabel_ = new QLabel;
    dateLabel_->setBuddy(fields_[1]);
    auto* dot1 = new QLabel(QStringLiteral("."));
    auto* dot2 = new QLabel(QStringLiteral("."));
    auto* dot3 = new QLabel(QStringLiteral("."));

    anniversaryCheck_ = new QCheckBox;
    anniversaryCheck_->setObjectName(QStringLiteral("Cspecial"));
    connect(anniversaryCheck_, &QCheckBox::toggled, this, [this](bool on) {
        readControls();
        setSpecial(*editor_, on, today());
        writeControls();
        showView();
    });
    sinceLabel_ = new QLabel;
    sinceLabel_->setObjectName(QStringLiteral("lblSince"));

    auto* stepLeftButton = new QToolButton;
    stepLeftButton->setObjectName(QStringLiteral("cmdStepLeft"));
    stepLeftButton->setArrowType(Qt::LeftArrow);
    stepLeftButton->setAutoRepeat(true);
    auto* stepRightButton = new QToolButton;
    stepRightButton->setObjectName(QStringLiteral("cmdStepRight"));
    stepRightButton->setArrowType(Qt::RightArrow);
    stepRightButton->setAutoRepeat(true);
    for (auto [button, delta] : {std::pair{stepLeftButton, -1}, std::pair{stepRightButton, 1}}) {
        connect(button, &QToolButton::clicked, this, [this, d = delta] {
            readControls();
            stepLength(*editor_, d);
            writeControls();
            showView();
        });
    }
    longEventLabel_ = new QLabel;
    longEventLabel_->setObjectName(QStringLiteral("lblLong"));
    colourButton_ = new QToolButton;
    colourButton_->setObjectName(QStringLiteral("cmdEventColor"));
    colourButton_->setIconSize(QSize(32, 16));
    colourButton_->setToolTip(qtString(st, "clr_title"));
    connect(colourButton_, &QToolButton::clicked, this, &EventListWindow::chooseColour);
    auto* longEventLabel = new QLabel;
    setCaption(longEventLabel, st, "dates_lbl_long");
    longEventLabel->setBuddy(fields_[8]);
    longRow_ = row({stepLeftButton, fields_[8], stepRightButton, longEventLabel_, colourButton_});

    auto* forecastLabel = new QLabel;
    setCaption(forecastLabel, st, "dates_lbl_forecast");
    forecastLabel->setBuddy(fields_[0]);
    fields_[0]->setToolTip(forecastLabel->toolTip());
    forecastRow_ = row({fields_[0], new QLabel(qtString(st, "dates_lbl_forecast2"))});
    forecastCheck_ = new QCheckBox;
    forecastCheck_->setObjectName(QStringLiteral("ChForecast"));
    setCaption(forecastCheck_, st, "dates_forecast");
    connect(forecastCheck_, &QCheckBox::toggled, this, [this] { readControls(); });

    alarmCheck_ = new QCheckBox;
    alarmCheck_->setObjectName(QStringLiteral("ChAlert"));
    setCaption(alarmCheck_, st, "dates_alarm_on");
    connect(alarmCheck_, &QCheckBox::toggled, this, [this] {
        readControls();
        showView();
    });
    auto* alarmLabel = new QLabel(qtString(st, "dates_lbl_alarm"));
    alarmLabel->setBuddy(fields_[6]);
    alarmRow_ = row({alarmLabel, fields_[6], new QLabel(QStringLiteral(":")), fields_[7]});

    auto* commentLabel = new QLabel(qtString(st, "dates_lbl_comment"));
    commentLabel->setBuddy(fields_[5]);

    pictureLabel_ = new QLabel;
    pictureFolderLabel_ = new QLabel;
    pictureFolderLabel_->setObjectName(QStringLiteral("lblBgPath"));
    pictureFolderLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pictureFolderLabel_->setFrameShape(QFrame::StyledPanel);
    pictureFolderLabel_->installEventFilter(this);
    pictureButton_ = new QToolButton;
    pictureButton_->setObjectName(QStringLiteral("cmdImage"));
    pictureButton_->setText(QStringLiteral("…"));
    pictureButton_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(pictureButton_);
    menu->addAction(qtString(st, "dates_bgnewpath"), this, &EventListWindow::choosePicture);
    menu->addAction(qtString(st, "dates_bgdelpath"), this, &EventListWindow::clearPicture);
    pictureButton_->setMenu(menu);
    auto* pictureRow = new QWidget;
    auto* pl = new QHBoxLayout(pictureRow);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(pictureFolderLabel_, 1);
    pl->addWidget(pictureButton_);
    pictureLabel_->setBuddy(pictureButton_);

    form_ = new QFormLayout;
    form_->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form_->setLabelAlignment(Qt::AlignLeft);
    form_->addRow(uniqueInfoLabel_);
    form_->addRow(nameLabel_, fields_[4]);
    form_->addRow(repeatLabel, row({repeatCombo_, monthsButton_}));
    form_->addRow(dateLabel_, row({fields_[1], dot1, fields_[2], dot2, fields_[3], dot3}));
    form_->addRow(QString(), row({anniversaryCheck_, sinceLabel_}));
    form_->addRow(longEventLabel, longRow_);
    form_->addRow(forecastLabel, forecastRow_);
    form_->addRow(QString(), forecastCheck_);
    form_->addRow(alarmCheck_, alarmRow_);
    form_->addRow(commentLabel, fields_[5]);
    form_->addRow(pictureLabel_, pictureRow);

    auto* saveButton = new QPushButton;
    saveButton->setObjectName(QStringLiteral("cmdSave"));
    setCaption(saveButton, st, "dates_b_save");
    saveButton->setDefault(true);  // Enter in a field saves; it counts only while the frame shows
    auto* cancelButton = new QPushButton;
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    setCaption(cancelButton, st, "dates_b_cancel");
    connect(saveButton, &QPushButton::clicked, this, &EventListWindow::onSave);
    connect(cancelButton, &QPushButton::clicked, this, [this] { onCancel(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form_);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(fields_[4], repeatCombo_);
    setTabOrder(repeatCombo_, monthsButton_);
    setTabOrder(monthsButton_, fields_[1]);
    setTabOrder(fields_[1], fields_[2]);
    setTabOrder(fields_[2], fields_[3]);
    setTabOrder(fields_[3], anniversaryCheck_);
    setTabOrder(anniversaryCheck_, stepLeftButton);
    setTabOrder(stepLeftButton, fields_[8]);
    setTabOrder(fields_[8], stepRightButton);
    setTabOrder(stepRightButton, colourButton_);
    setTabOrder(colourButton_, fields_[0]);
    setTabOrder(fields_[0], forecastCheck_);
    setTabOrder(forecastCheck_, alarmCheck_);
    setTabOrder(alarmCheck_, fields_[6]);
    setTabOrder(fields_[6], fields_[7]);
    setTabOrder(fields_[7], fields_[5]);
    setTabOrder(fields_[5], pictureButton_);
    setTabOrder(pictureButton_, saveButton);
    setTabOrder(saveButton, cancelButton);
    return frame;
}

void EventListWindow::openEditor(EventEditor editor) {
    editor_ = std::move(editor);
    repeatCombo_->clear();
    writeControls();
    showView();
    frames_->setCurrentWidget(frameEdit_);
    fields_[4]->setFocus();
}

void EventListWindow::readControls() {
    if (!editor_) return;
    EditorFields& f = editor_->fields;
    std::string* texts[9] = {&f.forecast, &f.year,      &f.month,       &f.day,   &f.name,
                             &f.comment,  &f.alarmHour, &f.alarmMinute, &f.length};
    for (size_t i = 0; i < 9; ++i)
        *texts[i] = fields_[i]->text().toStdString();
    f.repeatIndex = std::max(0, repeatCombo_->currentIndex());
    f.special = anniversaryCheck_->isChecked();
    f.forecastOn = forecastCheck_->isChecked();
    f.alarmOn = alarmCheck_->isChecked();
}

void EventListWindow::writeControls() {
    if (!editor_) return;
    const EditorFields& f = editor_->fields;
    const std::string* texts[9] = {&f.forecast, &f.year,      &f.month,       &f.day,   &f.name,
                                   &f.comment,  &f.alarmHour, &f.alarmMinute, &f.length};
    for (size_t i = 0; i < 9; ++i) {
        const QString t = qtText(*texts[i]);
        if (fields_[i]->text() != t) fields_[i]->setText(t);
    }
    const QSignalBlocker b1(anniversaryCheck_), b2(forecastCheck_), b3(alarmCheck_),
        b4(repeatCombo_);
    anniversaryCheck_->setChecked(f.special);
    forecastCheck_->setChecked(f.forecastOn);
    alarmCheck_->setChecked(f.alarmOn);
    if (repeatCombo_->count() > f.repeatIndex) repeatCombo_->setCurrentIndex(f.repeatIndex);
}

void EventListWindow::showView() {
    if (!editor_) return;
    EditorViewContext ctx;
    ctx.today = today();
    ctx.strings = s_.strings;
    ctx.programDir = s_.programDir;
    const EditorView v = describeEditor(*editor_, ctx);

    if (repeatCombo_->count() != static_cast<int>(v.repeatItems.size())) {
        const QSignalBlocker block(repeatCombo_);
        repeatCombo_->clear();
        for (const std::string& item : v.repeatItems)
            repeatCombo_->addItem(qtText(item));
        repeatCombo_->setCurrentIndex(editor_->fields.repeatIndex);
    }
    repeatCombo_->setEnabled(v.repeatEnabled);
    uniqueInfoLabel_->setText(qtText(v.uniqueInfo));
    form_->setRowVisible(uniqueInfoLabel_, !v.uniqueInfo.empty());
    nameLabel_->setText(qtText(v.nameLabel));
    dateLabel_->setText(qtText(v.dateLabel));
    anniversaryCheck_->setText(plainCaption(qtText(v.specialCaption)));
    anniversaryCheck_->setEnabled(v.specialEnabled);
    fields_[1]->setEnabled(v.yearEnabled);
    fields_[2]->setEnabled(v.monthEnabled);
    fields_[3]->setEnabled(v.dayEnabled);
    monthsButton_->setEnabled(v.monthsButtonEnabled);
    sinceLabel_->setVisible(v.sinceVisible);
    sinceLabel_->setText(qtText(v.sinceText));
    form_->setRowVisible(longRow_, v.longControlsVisible);
    longEventLabel_->setText(qtText(v.longText));
    colourButton_->setIcon(
        swatch(colourOf(bandHueColour(editor_->fields.hue, readMonthTheme(s_.theme)))));
    form_->setRowVisible(forecastRow_, v.forecastFieldVisible);
    form_->setRowVisible(forecastCheck_, !v.forecastFieldVisible);
    alarmCheck_->setEnabled(v.alarmEnabled);
    alarmRow_->setEnabled(v.alarmEnabled && alarmCheck_->isChecked());
    pictureLabel_->setText(qtText(v.pictureLabel));
    showPicturePath();
}

void EventListWindow::showPicturePath() {
    if (!editor_) return;
    const std::string path = expandAppPath(editor_->fields.picture, s_.programDir);
    const WidgetMeasurer measurer(pictureFolderLabel_->fontMetrics());
    const int width = std::max(20, pictureFolderLabel_->contentsRect().width() - 4);
    const std::string shown = shortenPath(measurer, path, width);
    pictureFolderLabel_->setText(qtText(shown));
    pictureFolderLabel_->setToolTip(shown == path ? QString() : qtText(path));
}

}  // namespace tv
