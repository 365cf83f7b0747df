// The settings pages of the calendar's look: skin and transparency, what the header shows,
// the layout of the lines over the picture, their fonts, and the picture itself.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "core/config/string_table.h"
#include "gui/windows/font_sample.h"
#include "gui/windows/qt_text.h"
#include "gui/windows/settings_widgets.h"
#include "gui/windows/settings_window.h"

namespace tv {

namespace {

// The two layouts of the lines over the picture, drawn small.
QPixmap alignPicture(int type) {
    QPixmap pm(132, 96);
    pm.fill(QColor(120, 150, 175));
    QPainter p(&pm);
    p.fillRect(QRect(0, 60, 132, 36), QColor(125, 150, 100));  // a landscape's ground
    auto line = [&](int x, int y, int w, const QColor& c) { p.fillRect(QRect(x, y, w, 5), c); };
    const QColor holiday(250, 200, 80), event(255, 255, 255), coming(220, 230, 240);
    if (type == 1) {
        line(8, 8, 60, holiday);
        line(8, 17, 80, event);
        line(8, 26, 70, event);
        line(8, 40, 90, coming);
        line(8, 49, 64, coming);
    } else {
        line(8, 8, 90, coming);
        line(8, 17, 64, coming);
        line(36, 34, 60, event);
        line(41, 43, 50, event);
        line(30, 82, 72, holiday);
    }
    p.setPen(QColor(40, 40, 40));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

}  // namespace

QWidget* SettingsWindow::buildAppearancePage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 0, body);

    auto* skins = new QGridLayout;
    skins->addWidget(makeLabel(page, s, "sets_skin_select"), 0, 0, 1, 2);
    skinList_ = new QListWidget(page);
    skinList_->setObjectName(QStringLiteral("SkinList"));
    skinList_->setMinimumWidth(170);
    for (const SkinInfo& skin : skins_) {
        QString text = qtText(skin.name);
        if (!skin.version.empty()) text += QStringLiteral(" (") + qtText(skin.version) + ')';
        skinList_->addItem(text);
    }
    if (skins_.empty()) skinList_->addItem(qtString(s, "sets_noskin"));
    skins->addWidget(skinList_, 1, 0, 2, 1);
    skinPreview_ = new QLabel(page);
    skinPreview_->setObjectName(QStringLiteral("SkinPic"));
    skinPreview_->setFixedSize(240, 180);
    skinPreview_->setAlignment(Qt::AlignCenter);
    skinPreview_->setFrameShape(QFrame::StyledPanel);
    skinPreview_->setWordWrap(true);
    skins->addWidget(skinPreview_, 1, 1);
    skinInfo_ = new QLabel(page);
    skinInfo_->setObjectName(QStringLiteral("SkinInfo"));
    skinInfo_->setWordWrap(true);
    skins->addWidget(skinInfo_, 2, 1, Qt::AlignTop);
    activateSkinButton_ = makeButton(page, s, "ComSkin", "sets_skin_activate");
    skins->addWidget(activateSkinButton_, 3, 1, Qt::AlignLeft);
    skins->setColumnStretch(0, 1);
    body->addLayout(skins);
    connect(skinList_, &QListWidget::currentRowChanged, this, &SettingsWindow::onSkinSelected);
    connect(activateSkinButton_, &QPushButton::clicked, this, &SettingsWindow::onSkinActivate);

    auto* transp = new QHBoxLayout;
    transp->addWidget(makeLabel(page, s, "sets_transp"));
    transparencySlider_ = new QSlider(Qt::Horizontal, page);
    transparencySlider_->setObjectName(QStringLiteral("ScrlTransp"));
    transparencySlider_->setRange(kTransparencyMin, kTransparencyMax);
    transparencySlider_->setPageStep(10);
    transparencySlider_->setToolTip(qtText(s.captionOf("sets_transp").tooltip));
    transp->addWidget(transparencySlider_, 1);
    transparencyValueLabel_ = new QLabel(page);
    transparencyValueLabel_->setObjectName(QStringLiteral("lblTranspValue"));
    transparencyValueLabel_->setMinimumWidth(
        transparencyValueLabel_->fontMetrics().horizontalAdvance("100%") + 4);
    transp->addWidget(transparencyValueLabel_);
    body->addSpacing(8);
    body->addLayout(transp);
    body->addStretch(1);
    connect(transparencySlider_, &QSlider::valueChanged, this, &SettingsWindow::onTransparency);

    // The active skin is selected; without skins the controls have nothing to act on.
    int active = 0;
    for (size_t i = 0; i < skins_.size(); ++i)
        if (skins_[i].folder == h_.activeSkin) active = static_cast<int>(i);
    skinList_->setEnabled(!skins_.empty());
    activateSkinButton_->setEnabled(!skins_.empty());
    skinList_->setCurrentRow(active);
    return page;
}

QWidget* SettingsWindow::buildDisplayPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 1, body);

    QGroupBox* today = makeGroup(page, s, "sets_today");
    auto* grid = new QGridLayout(today);
    auto* hl = makeLabel(today, s, "sets_today_highlight");
    grid->addWidget(hl, 0, 1, Qt::AlignHCenter);
    showDayCheck_ = makeCheck(today, s, "Cnap", "sets_today_day");
    showWeekCheck_ = makeCheck(today, s, "Chet", "sets_today_week");
    showNameCheck_ = makeCheck(today, s, "Cnevnap", "sets_today_name");
    showNextNameCheck_ = makeCheck(today, s, "CnextName", "sets_today_nextname");
    highlightDayCheck_ = makeCheck(today, s, "CnapHL", {});
    highlightWeekCheck_ = makeCheck(today, s, "ChetHL", {});
    highlightNameCheck_ = makeCheck(today, s, "CnevnapHL", {});
    highlightNextNameCheck_ = makeCheck(today, s, "CnextNameHL", {});
    QCheckBox* rows[4][2] = {{showDayCheck_, highlightDayCheck_},
                             {showWeekCheck_, highlightWeekCheck_},
                             {showNameCheck_, highlightNameCheck_},
                             {showNextNameCheck_, highlightNextNameCheck_}};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(rows[r][0], r + 1, 0);
        grid->addWidget(rows[r][1], r + 1, 1, Qt::AlignHCenter);
        rows[r][1]->setToolTip(hl->toolTip());
        watch(rows[r][0]);
        watch(rows[r][1]);
    }
    grid->setColumnStretch(0, 1);
    body->addWidget(today);

    showWisdomCheck_ = makeCheck(page, s, "Cbolcs", "sets_wise");
    watch(showWisdomCheck_);
    body->addWidget(showWisdomCheck_);

    auto* options = new QHBoxLayout;
    QGroupBox* dayleft = makeGroup(page, s, "sets_dayleft");
    auto* dl = new QVBoxLayout(dayleft);
    forecastDateOption_ = makeOption(dayleft, s, "befMode2a", "sets_dayleft_a");
    forecastCountsDownOption_ = makeOption(dayleft, s, "befMode2b", "sets_dayleft_b");
    dl->addWidget(forecastDateOption_);
    dl->addWidget(forecastCountsDownOption_);
    dl->addStretch(1);
    watch(forecastCountsDownOption_);
    options->addWidget(dayleft, 1);
    QGroupBox* start = makeGroup(page, s, "sets_startpage");
    auto* sl = new QVBoxLayout(start);
    for (size_t i = 0; i < startpage_.size(); ++i) {
        startpage_[i] = makeOption(start, s, "startpage", "sets_startpage" + std::to_string(i + 1));
        sl->addWidget(startpage_[i]);
        watch(startpage_[i]);
    }
    options->addWidget(start, 1);
    body->addLayout(options);

    auto* forecast = new QHBoxLayout;
    showForecastCheck_ = makeCheck(page, s, "Cubef", "sets_cforecast");
    forecastDaysCombo_ = makeNumberList(page, "CmbUbef", 0, kForecastDaysMax, false);
    forecast->addWidget(showForecastCheck_);
    forecast->addWidget(forecastDaysCombo_);
    forecast->addWidget(makeLabel(page, s, "sets_cforecast_day"));
    forecast->addStretch(1);
    watch(showForecastCheck_);
    watch(forecastDaysCombo_);
    body->addLayout(forecast);

    askBeforeSavingPastCheck_ = makeCheck(page, s, "ChSavePast", "sets_savepast");
    watch(askBeforeSavingPastCheck_);
    body->addWidget(askBeforeSavingPastCheck_);
    body->addStretch(1);
    return page;
}

QWidget* SettingsWindow::buildAlignPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 2, body);

    alignLists_ = new QWidget(page);
    auto* lists = new QGridLayout(alignLists_);
    lists->setContentsMargins(0, 0, 0, 0);
    eventAlignCombo_ = new QComboBox(alignLists_);
    eventAlignCombo_->setObjectName(QStringLiteral("cmbEventAlign"));
    forecastAlignCombo_ = new QComboBox(alignLists_);
    forecastAlignCombo_->setObjectName(QStringLiteral("cmbForecastAlign"));
    for (std::string_view key : kTextAlignKeys) {
        eventAlignCombo_->addItem(qtString(s, key));
        forecastAlignCombo_->addItem(qtString(s, key));
    }
    lists->addWidget(makeLabel(alignLists_, s, "sets_event_align1"), 0, 0);
    lists->addWidget(eventAlignCombo_, 0, 1);
    lists->addWidget(makeLabel(alignLists_, s, "sets_event_align2"), 1, 0);
    lists->addWidget(forecastAlignCombo_, 1, 1);
    watch(eventAlignCombo_);
    watch(forecastAlignCombo_);

    auto* row = new QHBoxLayout;
    for (int t = 1; t <= kAlignPictures; ++t) {
        auto* col = new QVBoxLayout;
        alignColumns_[static_cast<size_t>(t - 1)] = col;
        auto* pic = new QPushButton(page);
        pic->setObjectName(QStringLiteral("picAlign%1").arg(t));
        pic->setCheckable(true);
        pic->setAutoDefault(false);
        const QPixmap pm = alignPicture(t);
        pic->setIcon(pm);
        pic->setIconSize(pm.size());
        pic->setFixedSize(pm.size() + QSize(16, 16));
        pic->setToolTip(qtString(s, "sets_lbl_align" + std::to_string(t)));
        layoutPictures_[static_cast<size_t>(t - 1)] = pic;
        col->addWidget(pic, 0, Qt::AlignHCenter);
        auto* caption = makeLabel(page, s, "sets_lbl_align" + std::to_string(t));
        caption->setAlignment(Qt::AlignHCenter);
        col->addWidget(caption);
        col->addStretch(1);
        row->addLayout(col, 1);
        connect(pic, &QPushButton::clicked, this, [this, t] { onAlignPicture(t); });
    }
    body->addLayout(row);
    body->addStretch(1);
    onAlignPicture(c_.layout);
    return page;
}

void SettingsWindow::onAlignPicture(int type) {
    if (type < 1 || type > kAlignPictures) type = 1;
    c_.layout = type;
    for (int t = 1; t <= kAlignPictures; ++t)
        layoutPictures_[static_cast<size_t>(t - 1)]->setChecked(t == type);
    // The lists go under the picture they belong to.
    alignColumns_[static_cast<size_t>(type - 1)]->insertWidget(2, alignLists_);
}

QWidget* SettingsWindow::buildTextPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 3, body);

    auto* kinds = new QHBoxLayout;
    userFontsOption_ = makeOption(page, s, "Mtype1", "sets_tx_user");
    themeFontsOption_ = makeOption(page, s, "Mtype2", "sets_tx_def");
    kinds->addWidget(themeFontsOption_);
    kinds->addWidget(userFontsOption_);
    kinds->addStretch(1);
    watch(userFontsOption_);
    body->addLayout(kinds);

    static constexpr const char* kNames[kFontStyleCount] = {"picMB", "picMS", "picMU"};
    for (int k = 0; k < kFontStyleCount; ++k) {
        auto* sample = new FontSample(page);
        sample->setObjectName(QLatin1String(kNames[k]));
        sample->setToolTip(qtText(s.captionOf("sets_tx_user").tooltip));
        samples_[static_cast<size_t>(k)] = sample;
        body->addWidget(sample);
        connect(sample, &FontSample::clicked, this,
                [this, k](const QPoint& at) { onFontSampleClicked(k, at); });
    }

    auto* shadow = new QHBoxLayout;
    textShadowCheck_ = makeCheck(page, s, "ChShadow", "sets_shadow");
    shadowTypeCombo_ = makeKeyList(page, s, "cmbShadowType", "sets_shadow", kShadowTypes);
    shadow->addWidget(textShadowCheck_);
    shadow->addWidget(shadowTypeCombo_);
    shadow->addStretch(1);
    resetFontsButton_ = makeButton(page, s, "ComReset", "sets_tx_reset");
    shadow->addWidget(resetFontsButton_);
    watch(textShadowCheck_);
    watch(shadowTypeCombo_);
    connect(resetFontsButton_, &QPushButton::clicked, this, &SettingsWindow::onFontReset);
    body->addLayout(shadow);
    body->addStretch(1);
    return page;
}

QWidget* SettingsWindow::buildBackgroundPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 4, body);

    auto* rep = new QHBoxLayout;
    rep->addWidget(makeLabel(page, s, "sets_bg_replace"));
    pictureChangeCombo_ = makeKeyList(page, s, "cmbBgReplace", "sets_bg_rep", 9);
    pictureChangeCombo_->setToolTip(qtText(s.captionOf("sets_bg_replace").tooltip));
    rep->addWidget(pictureChangeCombo_);
    rep->addStretch(1);
    watch(pictureChangeCombo_);
    body->addLayout(rep);

    pictureSourceOptions_[0] = makeOption(page, s, "optBG0", "sets_obg_orig");
    pictureSourceOptions_[1] = makeOption(page, s, "optBG1", "sets_obg_user");
    body->addWidget(pictureSourceOptions_[0]);
    body->addWidget(pictureSourceOptions_[1]);
    watch(pictureSourceOptions_[1]);

    userPictureGroup_ = new QGroupBox(page);
    userPictureGroup_->setObjectName(QStringLiteral("frUserPic"));
    auto* up = new QGridLayout(userPictureGroup_);
    up->addWidget(makeLabel(userPictureGroup_, s, "sets_ubg_source"), 0, 0);
    userPictureFolderEdit_ = new QLineEdit(userPictureGroup_);
    userPictureFolderEdit_->setObjectName(QStringLiteral("TUserPicSource"));
    up->addWidget(userPictureFolderEdit_, 0, 1);
    auto* browse = makeButton(userPictureGroup_, s, "ComUserPicNewS", "sets_ubg_newsrc");
    up->addWidget(browse, 0, 2);
    userPictureSubfoldersCheck_ =
        makeCheck(userPictureGroup_, s, "ChUserPicDir", "sets_ubg_subdir");
    userPictureNameCheck_ = makeCheck(userPictureGroup_, s, "ChUserPicName", "sets_ubg_writename");
    userPictureScaleCheck_ = makeCheck(userPictureGroup_, s, "ChUserPicScale", "sets_ubg_fitmode");
    up->addWidget(userPictureSubfoldersCheck_, 1, 0, 1, 3);
    up->addWidget(userPictureNameCheck_, 2, 0, 1, 3);
    up->addWidget(userPictureScaleCheck_, 3, 0, 1, 3);
    up->setColumnStretch(1, 1);
    for (QCheckBox* b :
         {userPictureSubfoldersCheck_, userPictureNameCheck_, userPictureScaleCheck_})
        watch(b);
    connect(browse, &QPushButton::clicked, this, &SettingsWindow::onPictureFolder);
    auto* indent = new QHBoxLayout;
    indent->addSpacing(20);
    indent->addWidget(userPictureGroup_, 1);
    body->addLayout(indent);
    body->addStretch(1);
    return page;
}

}  // namespace tv
