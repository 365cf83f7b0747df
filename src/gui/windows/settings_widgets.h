// Small builders shared by the settings pages: captioned controls named after the window's
// controls, and labels that wrap, since the Hungarian captions run long.
#pragma once

#include <QString>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace tv {

class StringTable;

QCheckBox* makeCheck(QWidget* parent, const StringTable& s, const char* name, std::string_view key);
QRadioButton* makeOption(QWidget* parent, const StringTable& s, const char* name,
                         std::string_view key);
QPushButton* makeButton(QWidget* parent, const StringTable& s, const char* name,
                        std::string_view key);
QGroupBox* makeGroup(QWidget* parent, const StringTable& s, std::string_view key);
// A label that wraps at its width.
QLabel* makeLabel(QWidget* parent, const StringTable& s, std::string_view key, bool wrap = false);
// A list of the texts of `prefix` + 1 ... `prefix` + count.
QComboBox* makeKeyList(QWidget* parent, const StringTable& s, const char* name,
                       std::string_view prefix, int count);
// A list of the numbers from..to, two digits when `pad`.
QComboBox* makeNumberList(QWidget* parent, const char* name, int from, int to, bool pad);

// A settings page: its list entry as a heading; `body` receives the content.
QWidget* makeSettingsPage(const StringTable& s, size_t index, QVBoxLayout*& body);
// `w` moved right by `by` pixels, under the control it depends on.
QHBoxLayout* indented(QWidget* w, int by = 20);

}  // namespace tv
