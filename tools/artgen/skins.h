// The skins: every image a theme.cfg names, painted to the geometry written in it.
#pragma once

#include "theme_source.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <map>
#include <string>

namespace tv::art {

enum ButtonLook { kUp = 0, kDown = 1, kOver = 2 };

// What one skin's painter supplies; the button sheet is assembled from `button` by paintSkin.
struct SkinArt {
    QImage mainBg;     // window size
    QImage calBg;      // picture-area size
    QImage alarmBg;    // picture-area size
    QImage eventMark;  // one day field
    QImage today;      // one day field, magenta key
    QImage today2;     // home-navigation area, magenta key
    QImage wiseBg;     // wisdom box, white key
    // Paints button `index` in `look` over the background already in `r`.
    std::function<void(QPainter& p, int index, ButtonLook look, const QRectF& r)> button;
};

SkinArt paintMetalBig(const ThemeSource& t);
SkinArt paintPaperLight(const ThemeSource& t);
// The button look of "metal_big".
void paintMetalButton(QPainter& p, int index, ButtonLook look, const QRectF& r);

// All images of the skin keyed by the file names of its tx_* keys. False (with `error`) when no
// painter knows the skin or the theme lacks what the painter needs.
bool paintSkin(const std::string& skin, const ThemeSource& t, std::map<std::string, QImage>& files,
               std::string& error);

// Helpers the painters share.
QImage buttonSheet(const ThemeSource& t, const SkinArt& art);
// The part of the backgrounds a button sits on (month and alarm buttons sit on those screens).
QImage underButton(const ThemeSource& t, const SkinArt& art, int index);
// White where the wisdom image is see-through, black elsewhere.
QImage maskOf(const QImage& wise);

// The magenta key of the marks and the program icon.
inline const QColor kMagenta{255, 0, 255};

}  // namespace tv::art
