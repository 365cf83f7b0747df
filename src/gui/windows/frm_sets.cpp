#include "gui/windows/frm_sets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/settings/settings_close.h"
#include "gui/windows/frm_sets_sample.h"
#include "gui/windows/qt_text.h"
#include "platform/sound.h"

namespace tv {

FrmSets::FrmSets(WindowServices& services, SettingsWindowHooks hooks, QWidget* parent)
    : QDialog(parent), s_(services), h_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmSets"));
    setWindowTitle(qtString(*s_.strings, "main_b_sets"));
    setModal(true);
    useNarrowFont(this);

    static const HashTable kNoTheme;
    c_ = readSettingsControls(*s_.settings, s_.theme != nullptr ? *s_.theme : kNoTheme);
    skins_ = listSkins(s_.programDir);
    sounds_ = listAlarmSounds(s_.programDir);

    SetsList_ = new QListWidget(this);
    SetsList_->setObjectName(QStringLiteral("SetsList"));
    frame_ = new QStackedWidget(this);
    frame_->addWidget(buildAppearancePage());
    frame_->addWidget(buildDisplayPage());
    frame_->addWidget(buildAlignPage());
    frame_->addWidget(buildTextPage());
    frame_->addWidget(buildBackgroundPage());
    frame_->addWidget(buildAlarmPage());
    frame_->addWidget(buildBackupPage());
    frame_->addWidget(buildProgramPage());
    int listWidth = 0;
    for (size_t i = 0; i < kSettingsPages.size(); ++i) {
        const QString text = qtText(settingsPageText(*s_.strings, i));
        SetsList_->addItem(text);
        listWidth = std::max(listWidth, SetsList_->fontMetrics().horizontalAdvance(text));
    }
    SetsList_->setFixedWidth(listWidth + 36);
    connect(SetsList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        frame_->setCurrentIndex(row);
        c_.SetsList = row;
        if (row == kBackupPage) refreshLastBackup();
    });

    ComUnload_ = new QPushButton(this);
    ComUnload_->setObjectName(QStringLiteral("ComUnload"));
    setCaption(ComUnload_, *s_.strings, "com_close");
    ComUnload_->setDefault(true);
    connect(ComUnload_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

    auto* top = new QHBoxLayout;
    top->addWidget(SetsList_);
    top->addWidget(frame_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ComUnload_);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addLayout(bottom);

    showPage(c_.SetsList);
    showControls();
    resize(sizeHint().expandedTo(QSize(640, 460)));
}

FrmSets::~FrmSets() = default;

void FrmSets::showPage(int page) {
    if (page < 0 || page >= static_cast<int>(kSettingsPages.size())) page = 0;
    SetsList_->setCurrentRow(page);
    frame_->setCurrentIndex(page);
    c_.SetsList = page;
    if (page == kBackupPage) refreshLastBackup();
}

bool FrmSets::restored() const {
    return restoredHere_ || (h_.restoredSinceLoad != nullptr && *h_.restoredSinceLoad);
}

void FrmSets::watch(QCheckBox* box) {
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
}
void FrmSets::watch(QRadioButton* option) {
    connect(option, &QRadioButton::toggled, this, [this] { refresh(); });
}
void FrmSets::watch(QComboBox* list) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
}

namespace {
void check(QAbstractButton* b, bool on) {
    if (b != nullptr) b->setChecked(on);
}
void choose(QComboBox* list, int index) {
    if (list != nullptr) list->setCurrentIndex(std::clamp(index, 0, list->count() - 1));
}
}  // namespace

void FrmSets::showControls() {
    showing_ = true;
    check(Cnap_, c_.Cnap);
    check(Chet_, c_.Chet);
    check(Cnevnap_, c_.Cnevnap);
    check(CnextName_, c_.CnextName);
    check(CnapHL_, c_.CnapHL);
    check(ChetHL_, c_.ChetHL);
    check(CnevnapHL_, c_.CnevnapHL);
    check(CnextNameHL_, c_.CnextNameHL);
    check(Cbolcs_, c_.Cbolcs);
    check(c_.befMode2b ? befMode2b_ : befMode2a_, true);
    check(startpage_[static_cast<size_t>(c_.startpage)], true);
    check(Cubef_, c_.Cubef);
    choose(CmbUbef_, c_.CmbUbef);
    check(ChSavePast_, c_.ChSavePast);

    choose(cmbEventAlign_, c_.cmbEventAlign);
    choose(cmbForecastAlign_, c_.cmbForecastAlign);
    check(c_.Mtype2 ? Mtype2_ : Mtype1_, true);
    check(ChShadow_, c_.ChShadow);
    choose(cmbShadowType_, c_.cmbShadowType);

    choose(cmbBgReplace_, c_.cmbBgReplace);
    check(optBG_[static_cast<size_t>(c_.optBG)], true);
    TUserPicSource_->setText(qtText(c_.TUserPicSource));
    check(ChUserPicDir_, c_.ChUserPicDir);
    check(ChUserPicName_, c_.ChUserPicName);
    check(ChUserPicScale_, c_.ChUserPicScale);

    check(chAlertEnabled_, c_.chAlertEnabled);
    check(chAlertSound_, c_.chAlertSound);
    check(chAlarmFront_, c_.chAlarmFront);
    check(chSoundRepeat_, c_.chSoundRepeat);
    choose(cmbRepeatLen_, c_.cmbRepeatLen);
    check(optSoundSource_[static_cast<size_t>(c_.optSoundSource)], true);
    fillSoundList();

    check(ChAlwaysCenter_, c_.ChAlwaysCenter);
    check(ChTrayOneClick_, c_.ChTrayOneClick);
    check(ChShowSystemTray_, c_.ChShowSystemTray);
    check(autoStart_, c_.autoStart);
    check(CautoStartFix_, c_.CautoStartFix);
    choose(ChAutoH_, c_.ChAutoH);
    choose(ChAutoM_, c_.ChAutoM);
    check(chAutoStartMode_, c_.chAutoStartMode);

    ScrlTransp_->setValue(c_.ScrlTransp);
    lblTranspValue_->setText(QString::fromStdString(transparencyText(c_.ScrlTransp)));
    TbackupOutDir_->setText(qtText(c_.TbackupOutDir));
    showing_ = false;
    refresh();
}

void FrmSets::collect() {
    c_.Cnap = Cnap_->isChecked();
    c_.Chet = Chet_->isChecked();
    c_.Cnevnap = Cnevnap_->isChecked();
    c_.CnextName = CnextName_->isChecked();
    c_.CnapHL = CnapHL_->isChecked();
    c_.ChetHL = ChetHL_->isChecked();
    c_.CnevnapHL = CnevnapHL_->isChecked();
    c_.CnextNameHL = CnextNameHL_->isChecked();
    c_.Cbolcs = Cbolcs_->isChecked();
    c_.befMode2b = befMode2b_->isChecked();
    for (size_t i = 0; i < startpage_.size(); ++i)
        if (startpage_[i]->isChecked()) c_.startpage = static_cast<int>(i);
    c_.Cubef = Cubef_->isChecked();
    c_.CmbUbef = CmbUbef_->currentIndex();
    c_.ChSavePast = ChSavePast_->isChecked();

    c_.cmbEventAlign = cmbEventAlign_->currentIndex();
    c_.cmbForecastAlign = cmbForecastAlign_->currentIndex();
    c_.Mtype2 = Mtype2_->isChecked();
    c_.ChShadow = ChShadow_->isChecked();
    c_.cmbShadowType = cmbShadowType_->currentIndex();

    c_.cmbBgReplace = cmbBgReplace_->currentIndex();
    c_.optBG = optBG_[1]->isChecked() ? 1 : 0;
    c_.TUserPicSource = TUserPicSource_->text().trimmed().toStdString();
    c_.ChUserPicDir = ChUserPicDir_->isChecked();
    c_.ChUserPicName = ChUserPicName_->isChecked();
    c_.ChUserPicScale = ChUserPicScale_->isChecked();

    c_.chAlertEnabled = chAlertEnabled_->isChecked();
    c_.chAlertSound = chAlertSound_->isChecked();
    c_.chAlarmFront = chAlarmFront_->isChecked();
    c_.chSoundRepeat = chSoundRepeat_->isChecked();
    c_.cmbRepeatLen = cmbRepeatLen_->currentIndex();
    c_.optSoundSource = optSoundSource_[1]->isChecked() ? 1 : 0;
    // The built-in list keeps the last built-in choice while the custom sound is shown.
    if (c_.optSoundSource == 0 && lstAlarmFiles_->currentRow() >= 0 &&
        static_cast<size_t>(lstAlarmFiles_->currentRow()) < sounds_.size()) {
        c_.lstAlarmFiles = sounds_[static_cast<size_t>(lstAlarmFiles_->currentRow())];
    }

    c_.ChAlwaysCenter = ChAlwaysCenter_->isChecked();
    c_.ChTrayOneClick = ChTrayOneClick_->isChecked();
    c_.ChShowSystemTray = ChShowSystemTray_->isChecked();
    c_.autoStart = autoStart_->isChecked();
    c_.CautoStartFix = CautoStartFix_->isChecked();
    c_.ChAutoH = ChAutoH_->currentIndex();
    c_.ChAutoM = ChAutoM_->currentIndex();
    c_.chAutoStartMode = chAutoStartMode_->isChecked();

    c_.ScrlTransp = ScrlTransp_->value();
    c_.TbackupOutDir = TbackupOutDir_->text().trimmed().toStdString();
}

void FrmSets::refresh() {
    if (showing_) return;
    collect();
    const SettingsEnabling e = applySettingsDependencies(c_);
    showing_ = true;
    ChShowSystemTray_->setChecked(c_.ChShowSystemTray);
    showing_ = false;

    CnapHL_->setEnabled(e.CnapHL);
    ChetHL_->setEnabled(e.ChetHL);
    CnevnapHL_->setEnabled(e.CnevnapHL);
    CnextNameHL_->setEnabled(e.CnextNameHL);
    CmbUbef_->setEnabled(e.CmbUbef);
    cmbShadowType_->setEnabled(e.cmbShadowType);
    frUserPic_->setEnabled(e.userPicture);
    ChShowSystemTray_->setEnabled(e.ChShowSystemTray);
    ChAutoH_->setEnabled(e.scheduled);
    ChAutoM_->setEnabled(e.scheduled);
    chAutoStartMode_->setEnabled(e.scheduled);
    chAlarmFront_->setEnabled(e.alarmOptions);
    chAlertSound_->setEnabled(e.alarmOptions);
    frSound_->setEnabled(e.soundControls);
    chSoundRepeat_->setEnabled(e.soundControls);
    lblRepeatLength_->setEnabled(e.repeatLength);
    cmbRepeatLen_->setEnabled(e.repeatLength);
    redrawSamples();
}

void FrmSets::closeEvent(QCloseEvent* event) {
    done(QDialog::Accepted);
    if (isVisible()) event->ignore();
}

void FrmSets::done(int result) {
    if (closing_) return;
    closing_ = true;
    collect();
    applySettingsDependencies(c_);

    SettingsCloseContext ctx;
    ctx.settings = s_.settings;
    ctx.strings = s_.strings;
    ctx.box = s_.box;
    ctx.autostart = h_.autostart;
    ctx.sound = h_.sound;
    ctx.log = s_.log;
    ctx.executable = h_.executable;
    ctx.restoredSinceLoad = restored();
    HashTable* settings = s_.settings;
    const std::string path = s_.userDataDir + "settings.cfg";
    ctx.saveSettings = [settings, path] { return fWriteConfig(*settings, path); };
    ctx.reloadForSkin = [this] { reloadRequested_ = true; };

    const int row = SkinList_->currentRow();
    const std::string selected = row >= 0 && static_cast<size_t>(row) < skins_.size()
                                     ? skins_[static_cast<size_t>(row)].folder
                                     : std::string();
    fCloseSettings(c_, selected, h_.activeSkin, ctx);
    QDialog::done(result);
}

}  // namespace tv
