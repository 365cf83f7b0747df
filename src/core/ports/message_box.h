// Modal message boxes: text, title, buttons and icon in; the user's answer out.
#pragma once

#include <optional>
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
    // The button that Enter presses. Unset: the first one (Yes or OK), as the desktop does;
    // questions whose Yes destroys data default to No.
    std::optional<MessageAnswer> defaultButton = std::nullopt;
};

// The answer Enter gives: the default button, or the first of the set.
inline MessageAnswer enterAnswer(const MessageRequest& r) {
    if (r.defaultButton) return *r.defaultButton;
    return r.buttons == MessageButtons::kYesNo || r.buttons == MessageButtons::kYesNoCancel
               ? MessageAnswer::kYes
               : MessageAnswer::kOk;
}

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

}  // namespace tv
