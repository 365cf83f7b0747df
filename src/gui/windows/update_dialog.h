// The update notice: a newer version exists. Download opens its page, Later waits as long as
// the list says. What the buttons store is the core's update logic.
#pragma once

#include <QDialog>

#include "core/update/update_check.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tv {

class Download;
class MessageBox;
class Shell;

class UpdateDialog : public QDialog {
    Q_OBJECT
public:
    UpdateDialog(const UpdateDialogModel& model, UpdateState& state, UpdateContext ctx,
                 Shell* shell, QWidget* parent = nullptr);

private:
    void onDownload();
    void onLater();

    UpdateDialogModel model_;
    UpdateState& state_;
    UpdateContext ctx_;
    Shell* shell_;

    QLabel* messageLabel_ = nullptr;
    QLabel* currentVersionLabel_ = nullptr;
    QLabel* onlineVersionLabel_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* laterButton_ = nullptr;
    QComboBox* laterCombo_ = nullptr;
};

// Shows the notice, modal over `parent`.
void showUpdateDialog(const UpdateDialogModel& model, UpdateState& state, const UpdateContext& ctx,
                      Shell* shell, QWidget* parent);

// The about window's check: asks the service and, when the reply is in, says what it found in
// a message box or shows the notice. `state` must outlive the request.
void runManualUpdateCheck(UpdateState& state, const UpdateContext& ctx, Download* download,
                          MessageBox* box, Shell* shell, QWidget* parent);

}  // namespace tv
