// Message boxes on QMessageBox. Texts arrive with CR LF line breaks; Qt wants LF.
#pragma once

#include "core/ports/message_box.h"

class QWidget;

namespace tv {

class QtMessageBox : public MessageBox {
public:
    // `defaultTitle` is used when a request has no title (the program's title).
    explicit QtMessageBox(std::string defaultTitle) : defaultTitle_(std::move(defaultTitle)) {}
    MessageAnswer show(const MessageRequest& request) override;
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    std::string defaultTitle_;
    QWidget* parent_ = nullptr;
};

}  // namespace tv
