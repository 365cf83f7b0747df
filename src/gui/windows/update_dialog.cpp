#include "gui/windows/update_dialog.h"

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

UpdateDialog::UpdateDialog(const UpdateDialogModel& model, UpdateState& state, UpdateContext ctx,
                           Shell* shell, QWidget* parent)
    : QDialog(parent), model_(model), state_(state), ctx_(std::move(ctx)), shell_(shell) {
    setObjectName(QStringLiteral("frmUpdateDialog"));
    const StringTable& s = *ctx_.strings;
    setWindowTitle(qtString(s, "updt_title"));
    useNarrowFont(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    messageLabel_ = new QLabel(qtString(s, "updt_msg"), this);
    messageLabel_->setObjectName(QStringLiteral("lblMessage"));
    messageLabel_->setWordWrap(true);
    messageLabel_->setMinimumWidth(320);

    // The two versions side by side: ours, then the one on offer.
    currentVersionLabel_ = new QLabel(QString::fromStdString(model_.currentVersion), this);
    currentVersionLabel_->setObjectName(QStringLiteral("lblCurrentVer"));
    onlineVersionLabel_ = new QLabel(QString::fromStdString(model_.onlineVersion), this);
    onlineVersionLabel_->setObjectName(QStringLiteral("lblOnlineVer"));
    QFont bold = onlineVersionLabel_->font();
    bold.setBold(true);
    onlineVersionLabel_->setFont(bold);
    auto* versions = new QHBoxLayout;
    versions->addWidget(currentVersionLabel_);
    versions->addWidget(new QLabel(QStringLiteral("\u2192"), this));
    versions->addWidget(onlineVersionLabel_);
    versions->addStretch(1);

    downloadButton_ = new QPushButton(this);
    downloadButton_->setObjectName(QStringLiteral("cmdDownload"));
    setCaption(downloadButton_, s, "updt_btn_dwnload");
    downloadButton_->setDefault(true);
    laterButton_ = new QPushButton(this);
    laterButton_->setObjectName(QStringLiteral("cmdLater"));
    setCaption(laterButton_, s, "updt_btn_later");
    laterButton_->setAutoDefault(false);
    laterCombo_ = new QComboBox(this);
    laterCombo_->setObjectName(QStringLiteral("cmbLater"));
    for (const std::string& text : model_.laterTexts)
        laterCombo_->addItem(qtText(text));
    laterCombo_->setCurrentIndex(static_cast<int>(model_.preselected));
    laterCombo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* remind = new QLabel(qtString(s, "updt_remlist"), this);
    remind->setBuddy(laterCombo_);

    auto* text = new QVBoxLayout;
    text->addWidget(messageLabel_);
    text->addLayout(versions);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(downloadButton_);
    buttons->addStretch(1);
    buttons->addWidget(remind);
    buttons->addWidget(laterCombo_);
    buttons->addWidget(laterButton_);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addSpacing(8);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(downloadButton_, &QPushButton::clicked, this, &UpdateDialog::onDownload);
    connect(laterButton_, &QPushButton::clicked, this, &UpdateDialog::onLater);
}

void UpdateDialog::onDownload() {
    updateDownloadClicked(state_, ctx_, shell_, model_.link);
    accept();
}

void UpdateDialog::onLater() {
    updateLaterClicked(state_, ctx_, static_cast<size_t>(std::max(0, laterCombo_->currentIndex())));
    accept();
}

void showUpdateDialog(const UpdateDialogModel& model, UpdateState& state, const UpdateContext& ctx,
                      Shell* shell, QWidget* parent) {
    UpdateDialog dialog(model, state, ctx, shell, parent);
    dialog.exec();
}

void runManualUpdateCheck(UpdateState& state, const UpdateContext& ctx, Download* download,
                          MessageBox* box, Shell* shell, QWidget* parent) {
    // The reply may come after the about window has gone; the notice then has no owner.
    QPointer<QWidget> owner(parent);
    getOnlineVersion(state, ctx, download, true, [&state, ctx, box, shell, owner](int status) {
        if (auto model = manualCheckFinished(state, ctx, box, status)) {
            showUpdateDialog(*model, state, ctx, shell, owner.data());
        }
    });
}

}  // namespace tv
