// The sync page: the server, the account, the calendar and how often; "sync now", the conflicts
// list and the last run. The password goes to the keyring, never into settings.cfg.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/config/settings_keys.h"
#include "gui/windows/qt_text.h"
#include "gui/windows/settings_widgets.h"
#include "gui/windows/settings_window.h"

namespace tv {

QWidget* SettingsWindow::buildSyncPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, static_cast<size_t>(kSyncPage), body);
    auto* intro = new QLabel(qtString(s, "sync_intro"), page);
    intro->setWordWrap(true);
    body->addWidget(intro);

    auto* g = new QGridLayout;
    const auto row = [&](int r, const char* key, QWidget* field) {
        QLabel* label = makeLabel(page, s, key);
        label->setBuddy(field);
        field->setToolTip(label->toolTip());
        g->addWidget(label, r, 0);
        g->addWidget(field, r, 1);
    };
    syncUrlEdit_ = new QLineEdit(page);
    syncUrlEdit_->setObjectName(QStringLiteral("txtSyncUrl"));
    syncUrlEdit_->setPlaceholderText(QStringLiteral("https://"));
    row(0, "sync_lbl_url", syncUrlEdit_);
    syncUserEdit_ = new QLineEdit(page);
    syncUserEdit_->setObjectName(QStringLiteral("txtSyncUser"));
    row(1, "sync_lbl_user", syncUserEdit_);
    syncPasswordEdit_ = new QLineEdit(page);
    syncPasswordEdit_->setObjectName(QStringLiteral("txtSyncPassword"));
    syncPasswordEdit_->setEchoMode(QLineEdit::Password);
    row(2, "sync_lbl_password", syncPasswordEdit_);
    syncCalendarEdit_ = new QLineEdit(page);
    syncCalendarEdit_->setObjectName(QStringLiteral("txtSyncCalendar"));
    row(3, "sync_lbl_calendar", syncCalendarEdit_);
    syncIntervalSpin_ = new QSpinBox(page);
    syncIntervalSpin_->setObjectName(QStringLiteral("spinSyncInterval"));
    syncIntervalSpin_->setRange(0, kSyncIntervalMax);
    row(4, "sync_lbl_interval", syncIntervalSpin_);
    g->setColumnStretch(1, 1);
    body->addLayout(g);

    auto* buttons = new QHBoxLayout;
    QPushButton* now = makeButton(page, s, "cmdSyncNow", "sync_b_now");
    QPushButton* conflicts = makeButton(page, s, "cmdSyncConflicts", "sync_b_conflicts");
    buttons->addWidget(now);
    buttons->addWidget(conflicts);
    buttons->addStretch(1);
    body->addLayout(buttons);
    syncStatusLabel_ = new QLabel(page);
    syncStatusLabel_->setObjectName(QStringLiteral("lblSyncLast"));
    syncStatusLabel_->setWordWrap(true);
    body->addWidget(syncStatusLabel_);
    body->addStretch(1);

    connect(now, &QPushButton::clicked, this, [this] { onSyncNow(); });
    connect(conflicts, &QPushButton::clicked, this, [this] {
        if (h_.syncConflicts) h_.syncConflicts(this);
        refreshSyncStatus();
    });
    now->setEnabled(static_cast<bool>(h_.syncNow));
    conflicts->setEnabled(static_cast<bool>(h_.syncConflicts));
    return page;
}

void SettingsWindow::storeSyncPassword() {
    const QString password = syncPasswordEdit_->text();
    if (password.isEmpty() || !h_.syncPassword) return;
    // The keyring files it under the account the page shows.
    write(*s_.settings, settings::Sync_Url, c_.syncUrl);
    write(*s_.settings, settings::Sync_User, c_.syncUser);
    h_.syncPassword(password.toStdString());
    syncPasswordEdit_->clear();
}

void SettingsWindow::onSyncNow() {
    // The run reads the account from the settings: what the page shows counts from now.
    collect();
    write(*s_.settings, settings::Sync_Url, c_.syncUrl);
    write(*s_.settings, settings::Sync_User, c_.syncUser);
    write(*s_.settings, settings::Sync_Calendar, c_.syncCalendar);
    write(*s_.settings, settings::Sync_Interval, std::to_string(c_.syncInterval));
    storeSyncPassword();
    if (h_.syncNow) h_.syncNow(this);
    refreshSyncStatus();
}

void SettingsWindow::refreshSyncStatus() {
    if (syncStatusLabel_ == nullptr) return;
    syncStatusLabel_->setText(h_.syncStatus ? qtText(h_.syncStatus()) : QString());
}

}  // namespace tv
