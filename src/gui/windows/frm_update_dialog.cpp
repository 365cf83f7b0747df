#include "gui/windows/frm_update_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/config/string_table.h"
#include "gui/windows/qt_text.h"

namespace tv {

FrmUpdateDialog::FrmUpdateDialog(const UpdateDialogModel& model, UpdateState& state,
                                 UpdateContext ctx, Shell* shell, QWidget* parent)
    : QDialog(parent), model_(model), state_(state), ctx_(std::move(ctx)), shell_(shell) {
    setObjectName(QStringLiteral("frmUpdateDialog"));
    const StringTable& s = *ctx_.strings;
    setWindowTitle(qtString(s, "updt_title"));
    useNarrowFont(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    lblMessage_ = new QLabel(qtString(s, "updt_msg"), this);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setWordWrap(true);
    lblMessage_->setMinimumWidth(320);

    // The two versions side by side: ours, then the one on offer.
    lblCurrentVer_ = new QLabel(QString::fromStdString(model_.currentVersion), this);
    lblCurrentVer_->setObjectName(QStringLiteral("lblCurrentVer"));
    lblOnlineVer_ = new QLabel(QString::fromStdString(model_.onlineVersion), this);
    lblOnlineVer_->setObjectName(QStringLiteral("lblOnlineVer"));
    QFont bold = lblOnlineVer_->font();
    bold.setBold(true);
    lblOnlineVer_->setFont(bold);
    auto* versions = new QHBoxLayout;
    versions->addWidget(lblCurrentVer_);
    versions->addWidget(new QLabel(QStringLiteral("\u2192"), this));
    versions->addWidget(lblOnlineVer_);
    versions->addStretch(1);

    cmdDownload_ = new QPushButton(this);
    cmdDownload_->setObjectName(QStringLiteral("cmdDownload"));
    setCaption(cmdDownload_, s, "updt_btn_dwnload");
    cmdDownload_->setDefault(true);
    cmdLater_ = new QPushButton(this);
    cmdLater_->setObjectName(QStringLiteral("cmdLater"));
    setCaption(cmdLater_, s, "updt_btn_later");
    cmdLater_->setAutoDefault(false);
    cmbLater_ = new QComboBox(this);
    cmbLater_->setObjectName(QStringLiteral("cmbLater"));
    for (const std::string& text : model_.laterTexts)
        cmbLater_->addItem(qtText(text));
    cmbLater_->setCurrentIndex(static_cast<int>(model_.preselected));
    cmbLater_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* remind = new QLabel(qtString(s, "updt_remlist"), this);
    remind->setBuddy(cmbLater_);

    auto* text = new QVBoxLayout;
    text->addWidget(lblMessage_);
    text->addLayout(versions);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDownload_);
    buttons->addStretch(1);
    buttons->addWidget(remind);
    buttons->addWidget(cmbLater_);
    buttons->addWidget(cmdLater_);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addSpacing(8);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdDownload_, &QPushButton::clicked, this, &FrmUpdateDialog::onDownload);
    connect(cmdLater_, &QPushButton::clicked, this, &FrmUpdateDialog::onLater);
}

void FrmUpdateDialog::onDownload() {
    fUpdateDownloadClicked(state_, ctx_, shell_, model_.link);
    accept();
}

void FrmUpdateDialog::onLater() {
    fUpdateLaterClicked(state_, ctx_, static_cast<size_t>(std::max(0, cmbLater_->currentIndex())));
    accept();
}

void showUpdateDialog(const UpdateDialogModel& model, UpdateState& state, const UpdateContext& ctx,
                      Shell* shell, QWidget* parent) {
    FrmUpdateDialog dialog(model, state, ctx, shell, parent);
    dialog.exec();
}

void runManualUpdateCheck(UpdateState& state, const UpdateContext& ctx, Download* download,
                          MessageBox* box, Shell* shell, QWidget* parent) {
    // The reply may come after the about window has gone; the notice then has no owner.
    QPointer<QWidget> owner(parent);
    fGetOnlineVersion(state, ctx, download, true, [&state, ctx, box, shell, owner](int status) {
        if (auto model = fManualCheckFinished(state, ctx, box, status)) {
            showUpdateDialog(*model, state, ctx, shell, owner.data());
        }
    });
}

}  // namespace tv
