// Modal message boxes: text, title, buttons and icon in; the user's answer out.
#pragma once

#include <string>

namespace tv {

enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageIcon { kNone, kInformation, kWarning, kCritical, kQuestion };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

struct MessageRequest {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::kOk;
    MessageIcon icon = MessageIcon::kNone;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

}  // namespace tv
