// A skin's theme.cfg as the generator sees it: the numbers that decide where every image goes.
//
// The painter reads the same source file the program ships, so moving a button or resizing the
// grid is one edit in theme.cfg and the images follow on the next build.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <map>
#include <string>

namespace tv::art {

class ThemeSource {
public:
    // Reads key = value lines ("//" comments, "~" continuation, double-quoted values); false
    // when the file cannot be read.
    bool load(const std::string& path);

    bool has(const std::string& key) const { return values_.count(key) != 0; }
    std::string text(const std::string& key, const std::string& def = "") const;
    QString qtext(const std::string& key) const { return QString::fromStdString(text(key)); }
    int num(const std::string& key, int def = 0) const;
    // Colours are 0x00BBGGRR written in decimal.
    QColor color(const std::string& key, QColor def = Qt::black) const;
    QRect rect(const std::string& prefix) const;  // prefix_x, _y, _w, _h

    // Geometry shortcuts every painter needs.
    QRect pictureArea() const;
    QRect wiseBox() const;
    QRect buttonRect(int index) const;  // -1 sized when the button is hidden
    QRect fieldRect(int cell) const;    // cell 0..41, in window coordinates

    const std::string& path() const { return path_; }

private:
    std::map<std::string, std::string> values_;
    std::string path_;
};

// Colour value as the theme writes it.
QColor fromBgr(long value);
long toBgr(QColor c);

// Element names of the twelve buttons, by index.
const char* buttonElement(int index);

}  // namespace tv::art
