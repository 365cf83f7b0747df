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
#include "gui/windows/frm_sets.h"
#include "gui/windows/frm_sets_sample.h"
#include "gui/windows/frm_sets_widgets.h"
#include "gui/windows/qt_text.h"

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

QWidget* FrmSets::buildAppearancePage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 0, body);

    auto* skins = new QGridLayout;
    skins->addWidget(makeLabel(page, s, "sets_skin_select"), 0, 0, 1, 2);
    SkinList_ = new QListWidget(page);
    SkinList_->setObjectName(QStringLiteral("SkinList"));
    SkinList_->setMinimumWidth(170);
    for (const SkinInfo& skin : skins_) {
        QString text = qtText(skin.name);
        if (!skin.version.empty()) text += QStringLiteral(" (") + qtText(skin.version) + ')';
        SkinList_->addItem(text);
    }
    if (skins_.empty()) SkinList_->addItem(qtString(s, "sets_noskin"));
    skins->addWidget(SkinList_, 1, 0, 2, 1);
    SkinPic_ = new QLabel(page);
    SkinPic_->setObjectName(QStringLiteral("SkinPic"));
    SkinPic_->setFixedSize(240, 180);
    SkinPic_->setAlignment(Qt::AlignCenter);
    SkinPic_->setFrameShape(QFrame::StyledPanel);
    SkinPic_->setWordWrap(true);
    skins->addWidget(SkinPic_, 1, 1);
    SkinInfo_ = new QLabel(page);
    SkinInfo_->setObjectName(QStringLiteral("SkinInfo"));
    SkinInfo_->setWordWrap(true);
    skins->addWidget(SkinInfo_, 2, 1, Qt::AlignTop);
    ComSkin_ = makeButton(page, s, "ComSkin", "sets_skin_activate");
    skins->addWidget(ComSkin_, 3, 1, Qt::AlignLeft);
    skins->setColumnStretch(0, 1);
    body->addLayout(skins);
    connect(SkinList_, &QListWidget::currentRowChanged, this, &FrmSets::onSkinSelected);
    connect(ComSkin_, &QPushButton::clicked, this, &FrmSets::onSkinActivate);

    auto* transp = new QHBoxLayout;
    transp->addWidget(makeLabel(page, s, "sets_transp"));
    ScrlTransp_ = new QSlider(Qt::Horizontal, page);
    ScrlTransp_->setObjectName(QStringLiteral("ScrlTransp"));
    ScrlTransp_->setRange(kTransparencyMin, kTransparencyMax);
    ScrlTransp_->setPageStep(10);
    ScrlTransp_->setToolTip(qtText(s.fSetCaption("sets_transp").tooltip));
    transp->addWidget(ScrlTransp_, 1);
    lblTranspValue_ = new QLabel(page);
    lblTranspValue_->setObjectName(QStringLiteral("lblTranspValue"));
    lblTranspValue_->setMinimumWidth(lblTranspValue_->fontMetrics().horizontalAdvance("100%") + 4);
    transp->addWidget(lblTranspValue_);
    body->addSpacing(8);
    body->addLayout(transp);
    body->addStretch(1);
    connect(ScrlTransp_, &QSlider::valueChanged, this, &FrmSets::onTransparency);

    // The active skin is selected; without skins the controls have nothing to act on.
    int active = 0;
    for (size_t i = 0; i < skins_.size(); ++i)
        if (skins_[i].folder == h_.activeSkin) active = static_cast<int>(i);
    SkinList_->setEnabled(!skins_.empty());
    ComSkin_->setEnabled(!skins_.empty());
    SkinList_->setCurrentRow(active);
    return page;
}

QWidget* FrmSets::buildDisplayPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 1, body);

    QGroupBox* today = makeGroup(page, s, "sets_today");
    auto* grid = new QGridLayout(today);
    auto* hl = makeLabel(today, s, "sets_today_highlight");
    grid->addWidget(hl, 0, 1, Qt::AlignHCenter);
    Cnap_ = makeCheck(today, s, "Cnap", "sets_today_day");
    Chet_ = makeCheck(today, s, "Chet", "sets_today_week");
    Cnevnap_ = makeCheck(today, s, "Cnevnap", "sets_today_name");
    CnextName_ = makeCheck(today, s, "CnextName", "sets_today_nextname");
    CnapHL_ = makeCheck(today, s, "CnapHL", {});
    ChetHL_ = makeCheck(today, s, "ChetHL", {});
    CnevnapHL_ = makeCheck(today, s, "CnevnapHL", {});
    CnextNameHL_ = makeCheck(today, s, "CnextNameHL", {});
    QCheckBox* rows[4][2] = {
        {Cnap_, CnapHL_}, {Chet_, ChetHL_}, {Cnevnap_, CnevnapHL_}, {CnextName_, CnextNameHL_}};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(rows[r][0], r + 1, 0);
        grid->addWidget(rows[r][1], r + 1, 1, Qt::AlignHCenter);
        rows[r][1]->setToolTip(hl->toolTip());
        watch(rows[r][0]);
        watch(rows[r][1]);
    }
    grid->setColumnStretch(0, 1);
    body->addWidget(today);

    Cbolcs_ = makeCheck(page, s, "Cbolcs", "sets_wise");
    watch(Cbolcs_);
    body->addWidget(Cbolcs_);

    auto* options = new QHBoxLayout;
    QGroupBox* dayleft = makeGroup(page, s, "sets_dayleft");
    auto* dl = new QVBoxLayout(dayleft);
    befMode2a_ = makeOption(dayleft, s, "befMode2a", "sets_dayleft_a");
    befMode2b_ = makeOption(dayleft, s, "befMode2b", "sets_dayleft_b");
    dl->addWidget(befMode2a_);
    dl->addWidget(befMode2b_);
    dl->addStretch(1);
    watch(befMode2b_);
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
    Cubef_ = makeCheck(page, s, "Cubef", "sets_cforecast");
    CmbUbef_ = makeNumberList(page, "CmbUbef", 0, kForecastDaysMax, false);
    forecast->addWidget(Cubef_);
    forecast->addWidget(CmbUbef_);
    forecast->addWidget(makeLabel(page, s, "sets_cforecast_day"));
    forecast->addStretch(1);
    watch(Cubef_);
    watch(CmbUbef_);
    body->addLayout(forecast);

    ChSavePast_ = makeCheck(page, s, "ChSavePast", "sets_savepast");
    watch(ChSavePast_);
    body->addWidget(ChSavePast_);
    body->addStretch(1);
    return page;
}

QWidget* FrmSets::buildAlignPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 2, body);

    alignLists_ = new QWidget(page);
    auto* lists = new QGridLayout(alignLists_);
    lists->setContentsMargins(0, 0, 0, 0);
    cmbEventAlign_ = new QComboBox(alignLists_);
    cmbEventAlign_->setObjectName(QStringLiteral("cmbEventAlign"));
    cmbForecastAlign_ = new QComboBox(alignLists_);
    cmbForecastAlign_->setObjectName(QStringLiteral("cmbForecastAlign"));
    for (std::string_view key : kTextAlignKeys) {
        cmbEventAlign_->addItem(qtString(s, key));
        cmbForecastAlign_->addItem(qtString(s, key));
    }
    lists->addWidget(makeLabel(alignLists_, s, "sets_event_align1"), 0, 0);
    lists->addWidget(cmbEventAlign_, 0, 1);
    lists->addWidget(makeLabel(alignLists_, s, "sets_event_align2"), 1, 0);
    lists->addWidget(cmbForecastAlign_, 1, 1);
    watch(cmbEventAlign_);
    watch(cmbForecastAlign_);

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
        picAlign_[static_cast<size_t>(t - 1)] = pic;
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
    onAlignPicture(c_.picAlign);
    return page;
}

void FrmSets::onAlignPicture(int type) {
    if (type < 1 || type > kAlignPictures) type = 1;
    c_.picAlign = type;
    for (int t = 1; t <= kAlignPictures; ++t)
        picAlign_[static_cast<size_t>(t - 1)]->setChecked(t == type);
    // The lists go under the picture they belong to.
    alignColumns_[static_cast<size_t>(type - 1)]->insertWidget(2, alignLists_);
}

QWidget* FrmSets::buildTextPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 3, body);

    auto* kinds = new QHBoxLayout;
    Mtype1_ = makeOption(page, s, "Mtype1", "sets_tx_user");
    Mtype2_ = makeOption(page, s, "Mtype2", "sets_tx_def");
    kinds->addWidget(Mtype2_);
    kinds->addWidget(Mtype1_);
    kinds->addStretch(1);
    watch(Mtype1_);
    body->addLayout(kinds);

    static constexpr const char* kNames[kFontStyleCount] = {"picMB", "picMS", "picMU"};
    for (int k = 0; k < kFontStyleCount; ++k) {
        auto* sample = new FontSample(page);
        sample->setObjectName(QLatin1String(kNames[k]));
        sample->setToolTip(qtText(s.fSetCaption("sets_tx_user").tooltip));
        samples_[static_cast<size_t>(k)] = sample;
        body->addWidget(sample);
        connect(sample, &FontSample::clicked, this,
                [this, k](const QPoint& at) { onFontSampleClicked(k, at); });
    }

    auto* shadow = new QHBoxLayout;
    ChShadow_ = makeCheck(page, s, "ChShadow", "sets_shadow");
    cmbShadowType_ = makeKeyList(page, s, "cmbShadowType", "sets_shadow", kShadowTypes);
    shadow->addWidget(ChShadow_);
    shadow->addWidget(cmbShadowType_);
    shadow->addStretch(1);
    ComReset_ = makeButton(page, s, "ComReset", "sets_tx_reset");
    shadow->addWidget(ComReset_);
    watch(ChShadow_);
    watch(cmbShadowType_);
    connect(ComReset_, &QPushButton::clicked, this, &FrmSets::onFontReset);
    body->addLayout(shadow);
    body->addStretch(1);
    return page;
}

QWidget* FrmSets::buildBackgroundPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 4, body);

    auto* rep = new QHBoxLayout;
    rep->addWidget(makeLabel(page, s, "sets_bg_replace"));
    cmbBgReplace_ = makeKeyList(page, s, "cmbBgReplace", "sets_bg_rep", 9);
    cmbBgReplace_->setToolTip(qtText(s.fSetCaption("sets_bg_replace").tooltip));
    rep->addWidget(cmbBgReplace_);
    rep->addStretch(1);
    watch(cmbBgReplace_);
    body->addLayout(rep);

    optBG_[0] = makeOption(page, s, "optBG0", "sets_obg_orig");
    optBG_[1] = makeOption(page, s, "optBG1", "sets_obg_user");
    body->addWidget(optBG_[0]);
    body->addWidget(optBG_[1]);
    watch(optBG_[1]);

    frUserPic_ = new QGroupBox(page);
    frUserPic_->setObjectName(QStringLiteral("frUserPic"));
    auto* up = new QGridLayout(frUserPic_);
    up->addWidget(makeLabel(frUserPic_, s, "sets_ubg_source"), 0, 0);
    TUserPicSource_ = new QLineEdit(frUserPic_);
    TUserPicSource_->setObjectName(QStringLiteral("TUserPicSource"));
    up->addWidget(TUserPicSource_, 0, 1);
    auto* browse = makeButton(frUserPic_, s, "ComUserPicNewS", "sets_ubg_newsrc");
    up->addWidget(browse, 0, 2);
    ChUserPicDir_ = makeCheck(frUserPic_, s, "ChUserPicDir", "sets_ubg_subdir");
    ChUserPicName_ = makeCheck(frUserPic_, s, "ChUserPicName", "sets_ubg_writename");
    ChUserPicScale_ = makeCheck(frUserPic_, s, "ChUserPicScale", "sets_ubg_fitmode");
    up->addWidget(ChUserPicDir_, 1, 0, 1, 3);
    up->addWidget(ChUserPicName_, 2, 0, 1, 3);
    up->addWidget(ChUserPicScale_, 3, 0, 1, 3);
    up->setColumnStretch(1, 1);
    for (QCheckBox* b : {ChUserPicDir_, ChUserPicName_, ChUserPicScale_})
        watch(b);
    connect(browse, &QPushButton::clicked, this, &FrmSets::onPicFolder);
    auto* indent = new QHBoxLayout;
    indent->addSpacing(20);
    indent->addWidget(frUserPic_, 1);
    body->addLayout(indent);
    body->addStretch(1);
    return page;
}

}  // namespace tv
