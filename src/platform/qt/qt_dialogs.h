// The standard dialogs on QFileDialog, QFontDialog and QColorDialog.
#pragma once

#include "core/ports/dialogs.h"

class QWidget;

namespace tv {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> saveFile(const OpenFileRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title) override;
    bool chooseFont(FontRecord& font, int minSize, int maxSize) override;
    bool chooseColor(int& colour, std::array<int, 16>& custom) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace tv
