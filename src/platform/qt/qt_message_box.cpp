#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace tv {
namespace {

QString toQt(const std::string& s) {
    QString q = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}

QMessageBox::StandardButton standardButton(MessageAnswer a) {
    switch (a) {
        case MessageAnswer::kOk:
            return QMessageBox::Ok;
        case MessageAnswer::kCancel:
            return QMessageBox::Cancel;
        case MessageAnswer::kYes:
            return QMessageBox::Yes;
        case MessageAnswer::kNo:
            return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

}  // namespace

MessageAnswer QtMessageBox::show(const MessageRequest& r) {
    QMessageBox box(parent_);
    box.setWindowTitle(toQt(r.title.empty() ? defaultTitle_ : r.title));
    box.setText(toQt(r.text));
    switch (r.icon) {
        case MessageIcon::kNone:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::kInformation:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::kWarning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::kCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::kQuestion:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (r.buttons) {
        case MessageButtons::kOk:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::kOkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::kYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::kYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (r.defaultButton) box.setDefaultButton(standardButton(*r.defaultButton));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::kYes;
        case QMessageBox::No:
            return MessageAnswer::kNo;
        case QMessageBox::Cancel:
            return MessageAnswer::kCancel;
        default:
            break;
    }
    // Closing the box with Esc or the title bar: Cancel where there is one, else No, else OK.
    if (r.buttons == MessageButtons::kOk) return MessageAnswer::kOk;
    if (r.buttons == MessageButtons::kYesNo) return MessageAnswer::kNo;
    return box.clickedButton() == nullptr ? MessageAnswer::kCancel : MessageAnswer::kOk;
}

}  // namespace tv
