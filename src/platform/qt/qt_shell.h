// Calls out to the desktop through QDesktopServices and QApplication.
#pragma once

#include "core/ports/shell.h"

namespace tv {

class QtShell : public Shell {
public:
    bool openDocument(const std::string& target) override;
    void beep() override;
    bool openDateTimeSettings() override;
    std::string computerName() const override;
    std::string userName() const override;
};

}  // namespace tv
