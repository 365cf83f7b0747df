// Calls out to the desktop: default handlers, the bell, the machine's and user's names.
#pragma once

#include <string>

namespace tv {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a document, folder or web address with its default handler.
    virtual bool openDocument(const std::string& target) = 0;
    virtual void beep() = 0;
    // The desktop's date and time settings, where there is one.
    virtual bool openDateTimeSettings() = 0;
    virtual std::string computerName() const = 0;
    virtual std::string userName() const = 0;
};

}  // namespace tv
