// The pictograms on the buttons, drawn as vector paths so that every skin and size stays crisp.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace tv::art {

enum class Glyph {
    kClose,      // exit
    kLeft,       // previous month
    kRight,      // next month
    kCalendar,   // main screen / month grid
    kList,       // event list
    kGear,       // settings
    kInfo,       // about
    kPerson,     // name search
    kBellOff,    // stop the alarm sound
    kNameTag,    // names in the grid on/off
    kBellAlert,  // missed events
    kHome,       // back to the current month
};

// Glyph of a button index (0..11).
Glyph glyphOfButton(int index);

// Draws the glyph centred in `box` (its shorter side sets the scale) in `ink`.
void drawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& ink);

}  // namespace tv::art
