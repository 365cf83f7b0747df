// Desktop notifications: a short message beside the windows, with one action the user can pick.
// They reach the user where a window may not take the foreground (Wayland).
#pragma once

#include <functional>
#include <string>

namespace tv {

struct Notification {
    std::string title;
    std::string text;        // plain text; line breaks as "\n"
    std::string actionText;  // the action's caption; no action when empty
    std::string icon;        // a picture file
    bool urgent = false;     // stays until the user dismisses it
};

class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows it when the desktop has a notification service, and quietly does nothing where it
    // has none. `onAction` runs on the user-interface thread when the user picks the action or
    // clicks the notification.
    virtual void notify(const Notification& notification, std::function<void()> onAction) = 0;
    // Takes back every notification of this program still shown.
    virtual void withdraw() = 0;
};

}  // namespace tv
