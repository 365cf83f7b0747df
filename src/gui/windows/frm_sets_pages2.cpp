// The settings pages of alarms, backups and the program's start.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/calc/date.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/settings/settings_sources.h"
#include "gui/windows/frm_sets.h"
#include "gui/windows/frm_sets_widgets.h"
#include "gui/windows/qt_text.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace tv {

QWidget* FrmSets::buildAlarmPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 5, body);

    chAlertEnabled_ = makeCheck(page, s, "chAlertEnabled", "sets_alarm_enabled");
    body->addWidget(chAlertEnabled_);
    QLabel* info = makeLabel(page, s, "sets_alarm_info", true);
    body->addLayout(indented(info));
    chAlarmFront_ = makeCheck(page, s, "chAlarmFront", "sets_alarm_top");
    chAlertSound_ = makeCheck(page, s, "chAlertSound", "sets_alarm_sound");
    body->addLayout(indented(chAlarmFront_));
    body->addLayout(indented(chAlertSound_));
    for (QCheckBox* b : {chAlertEnabled_, chAlarmFront_, chAlertSound_})
        watch(b);

    frSound_ = makeGroup(page, s, "sets_alarm_frsound");
    frSound_->setObjectName(QStringLiteral("frSound"));
    auto* g = new QGridLayout(frSound_);
    optSoundSource_[0] = makeOption(frSound_, s, "optSoundSource0", "sets_alarm_sndset1");
    optSoundSource_[1] = makeOption(frSound_, s, "optSoundSource1", "sets_alarm_sndset2");
    g->addWidget(optSoundSource_[0], 0, 0);
    g->addWidget(optSoundSource_[1], 0, 1);
    lstAlarmFiles_ = new QListWidget(frSound_);
    lstAlarmFiles_->setObjectName(QStringLiteral("lstAlarmFiles"));
    lstAlarmFiles_->setMinimumHeight(lstAlarmFiles_->fontMetrics().height() * 5);
    lstAlarmFiles_->setMaximumHeight(lstAlarmFiles_->fontMetrics().height() * 9);
    g->addWidget(lstAlarmFiles_, 1, 0, 3, 2);
    cmdPlaySound_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), {}, frSound_);
    cmdPlaySound_->setObjectName(QStringLiteral("cmdPlaySound"));
    cmdStopSound_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), {}, frSound_);
    cmdStopSound_->setObjectName(QStringLiteral("cmdStopSound"));
    for (QPushButton* b : {cmdPlaySound_, cmdStopSound_})
        b->setAutoDefault(false);
    cmdCustomSnd_ = makeButton(frSound_, s, "cmdCustomSnd", "sets_alarm_custom");
    auto* buttons = new QVBoxLayout;
    auto* playStop = new QHBoxLayout;
    playStop->addWidget(cmdPlaySound_);
    playStop->addWidget(cmdStopSound_);
    playStop->addStretch(1);
    buttons->addLayout(playStop);
    buttons->addWidget(cmdCustomSnd_);
    buttons->addStretch(1);
    g->addLayout(buttons, 1, 2, 3, 1);
    g->setColumnStretch(1, 1);
    body->addLayout(indented(frSound_));
    connect(optSoundSource_[1], &QRadioButton::toggled, this, [this] {
        if (showing_) return;
        refresh();
        fillSoundList();
    });
    connect(lstAlarmFiles_, &QListWidget::currentRowChanged, this, [this] { refresh(); });
    connect(cmdPlaySound_, &QPushButton::clicked, this, &FrmSets::onPlaySound);
    connect(cmdStopSound_, &QPushButton::clicked, this, [this] {
        if (h_.sound != nullptr) h_.sound->stop();
    });
    connect(cmdCustomSnd_, &QPushButton::clicked, this, &FrmSets::onCustomSound);

    auto* repeat = new QHBoxLayout;
    chSoundRepeat_ = makeCheck(page, s, "chSoundRepeat", "sets_alarm_repeat");
    lblRepeatLength_ = makeLabel(page, s, "sets_alarm_length");
    lblRepeatLength_->setObjectName(QStringLiteral("lblRepeatLength"));
    cmbRepeatLen_ = makeKeyList(page, s, "cmbRepeatLen", "sets_alarm_len", kRepeatLengths);
    repeat->addSpacing(20);
    repeat->addWidget(chSoundRepeat_);
    repeat->addSpacing(12);
    repeat->addWidget(lblRepeatLength_);
    repeat->addWidget(cmbRepeatLen_);
    repeat->addStretch(1);
    watch(chSoundRepeat_);
    watch(cmbRepeatLen_);
    body->addLayout(repeat);
    body->addStretch(1);
    return page;
}

void FrmSets::fillSoundList() {
    const bool wasShowing = showing_;
    showing_ = true;
    lstAlarmFiles_->clear();
    if (optSoundSource_[1]->isChecked()) {
        const std::string custom = read(*s_.settings, settings::CustomAlarmSound);
        lstAlarmFiles_->addItem(qtString(*s_.strings, "sets_alarm_lstcust") + ' ' + qtText(custom));
        lstAlarmFiles_->setCurrentRow(0);
    } else {
        for (size_t i = 0; i < sounds_.size(); ++i) {
            lstAlarmFiles_->addItem(qtText(sounds_[i]));
            if (sounds_[i] == c_.lstAlarmFiles) lstAlarmFiles_->setCurrentRow(static_cast<int>(i));
        }
        if (lstAlarmFiles_->currentRow() < 0 && !sounds_.empty()) lstAlarmFiles_->setCurrentRow(0);
    }
    showing_ = wasShowing;
}

QWidget* FrmSets::buildBackupPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, static_cast<size_t>(kBackupPage), body);

    auto* g = new QGridLayout;
    g->addWidget(makeLabel(page, s, "sets_saveto"), 0, 0);
    TbackupOutDir_ = new QLineEdit(page);
    TbackupOutDir_->setObjectName(QStringLiteral("TbackupOutDir"));
    g->addWidget(TbackupOutDir_, 0, 1);
    auto* newDir = makeButton(page, s, "ComBackupNewDir", "sets_bk_newdir");
    g->addWidget(newDir, 0, 2);
    g->addWidget(makeLabel(page, s, "sets_bk_filename"), 1, 0);
    TbackupFile_ = new QLineEdit(page);
    TbackupFile_->setObjectName(QStringLiteral("TbackupFile"));
    TbackupFile_->setToolTip(qtText(s.fSetCaption("sets_bk_filename").tooltip));
    if (s_.clock != nullptr) {
        TbackupFile_->setText(qtText(defaultBackupFileName(IsoDate(s_.clock->now().date))));
    }
    g->addWidget(TbackupFile_, 1, 1);
    auto* save = makeButton(page, s, "ComBackupSave", "sets_bk_save");
    g->addWidget(save, 1, 2);
    g->setColumnStretch(1, 1);
    body->addLayout(g);
    lblBackupLastTime_ = new QLabel(page);
    lblBackupLastTime_->setObjectName(QStringLiteral("lblBackupLastTime"));
    lblBackupLastTime_->setWordWrap(true);
    body->addWidget(lblBackupLastTime_);

    QGroupBox* restore = makeGroup(page, s, "sets_bk_restore");
    auto* r = new QHBoxLayout(restore);
    auto* restoreButton = makeButton(restore, s, "ComBackupRestore", "sets_bk_b_restore");
    r->addWidget(restoreButton);
    r->addStretch(1);
    body->addSpacing(8);
    body->addWidget(restore);
    body->addStretch(1);

    connect(newDir, &QPushButton::clicked, this, &FrmSets::onBackupFolder);
    connect(save, &QPushButton::clicked, this, &FrmSets::onBackupSave);
    connect(restoreButton, &QPushButton::clicked, this, &FrmSets::onBackupRestore);
    return page;
}

QWidget* FrmSets::buildProgramPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 7, body);

    QGroupBox* start = makeGroup(page, s, "sets_autostart");
    auto* g = new QVBoxLayout(start);
    ChShowSystemTray_ = makeCheck(start, s, "ChShowSystemTray", "sets_trayicon");
    ChTrayOneClick_ = makeCheck(start, s, "ChTrayOneClick", "sets_trayoneclick");
    autoStart_ = makeCheck(start, s, "autoStart", "sets_autostart1");
    g->addWidget(ChShowSystemTray_);
    g->addLayout(indented(ChTrayOneClick_));
    g->addWidget(autoStart_);

    auto* daily = new QHBoxLayout;
    CautoStartFix_ = makeCheck(start, s, "CautoStartFix", "sets_autostart2");
    ChAutoH_ = makeNumberList(start, "ChAutoH", 0, 23, false);
    ChAutoM_ = makeNumberList(start, "ChAutoM", 0, 59, true);
    daily->addWidget(CautoStartFix_);
    daily->addWidget(ChAutoH_);
    daily->addWidget(new QLabel(QStringLiteral(":"), start));
    daily->addWidget(ChAutoM_);
    daily->addStretch(1);
    g->addLayout(daily);
    chAutoStartMode_ = makeCheck(start, s, "chAutoStartMode", "sets_autostart_mode");
    g->addLayout(indented(chAutoStartMode_));
    g->addLayout(indented(makeLabel(start, s, "sets_autostart2_inf", true)));
    for (QCheckBox* b :
         {ChShowSystemTray_, ChTrayOneClick_, autoStart_, CautoStartFix_, chAutoStartMode_}) {
        watch(b);
    }
    watch(ChAutoH_);
    watch(ChAutoM_);
    body->addWidget(start);

    ChAlwaysCenter_ = makeCheck(page, s, "ChAlwaysCenter", "sets_wincenter");
    watch(ChAlwaysCenter_);
    body->addWidget(ChAlwaysCenter_);

    auto* clock = makeButton(page, s, "ComSystemTime", "sets_systemclock");
    auto* row = new QHBoxLayout;
    row->addWidget(clock);
    row->addStretch(1);
    body->addSpacing(8);
    body->addLayout(row);
    body->addStretch(1);
    connect(clock, &QPushButton::clicked, this, [this] {
        // Where the desktop has no such settings, say so with the bell.
        if (s_.shell != nullptr && !s_.shell->openDateTimeSettings()) s_.shell->beep();
    });
    return page;
}

}  // namespace tv
