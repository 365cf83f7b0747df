// Small bridges between the core's UTF-8 texts and Qt widgets.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <string>
#include <string_view>

#include "core/ports/text_measurer.h"

class QAbstractButton;
class QLabel;
class QWidget;

namespace tv {

class StringTable;

// The string table writes line breaks as CR LF; Qt wants LF.
QString qtText(std::string_view text);
// The text of a key, ready for a widget.
QString qtString(const StringTable& strings, std::string_view key);
// Caption and tooltip (key + "_tt") of a button or label.
void setCaption(QAbstractButton* button, const StringTable& strings, std::string_view key);
void setCaption(QLabel* label, const StringTable& strings, std::string_view key);
// Captions are plain text: a "&" in a string must not become a mnemonic.
QString plainCaption(const QString& text);

// The window font: "Arial Narrow" where the desktop has it (or a stand-in of the same width),
// else "Arial", so the long Hungarian labels fit.
void useNarrowFont(QWidget* window);

// Widths of a widget's font for the core's text fitting.
class WidgetMeasurer : public TextMeasurer {
public:
    explicit WidgetMeasurer(const QFontMetrics& metrics) : metrics_(metrics) {}
    int textWidth(std::string_view text) const override;

private:
    QFontMetrics metrics_;
};

}  // namespace tv
