// The standard open-file, folder, font and colour dialogs. Each returns the user's choice, or
// nothing when the user cancels.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tv {

struct FileFilter {
    std::string label;    // shown to the user
    std::string pattern;  // "*.jpg; *.jpeg"
};

struct OpenFileRequest {
    std::string title;
    std::vector<FileFilter> filters;  // empty: no filter
    std::string startFolder;          // empty: the platform's default folder
    std::string initialName;
};

// A font as the settings and the font dialog exchange it.
struct FontRecord {
    std::string name;
    int size = 0;  // points
    bool bold = false;
    bool italic = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
    // The file to write; the platform's dialog asks before an existing file is replaced.
    virtual std::optional<std::string> saveFile(const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> browseFolder(const std::string& title) = 0;
    virtual bool chooseFont(FontRecord& font, int minSize, int maxSize) = 0;
    // Colours are 0x00BBGGRR; `custom` holds the dialog's sixteen custom colours both ways.
    virtual bool chooseColor(int& colour, std::array<int, 16>& custom) = 0;
};

}  // namespace tv
