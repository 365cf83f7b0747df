// Text for the mock screens: the theme's styles and font records as Qt fonts, and a writer that
// places texts the way the calendar's surfaces do (top-left anchor, alignments, outlines).
#pragma once

#include "theme_source.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <string>

namespace tv::art {

// The font of theme style `s`.
QFont styleFont(const ThemeSource& t, const std::string& s);
// The font of the default record of a line kind ("mb", "mu", "ms").
QFont recordFont(const ThemeSource& t, const std::string& kind);

class Writer {
public:
    Writer(QPainter& p, const ThemeSource& t) : p_(p), t_(t) {}

    void style(const std::string& s) {
        font_ = styleFont(t_, s);
        shadow_ = t_.text(s + "_shadow") == "true";
    }
    void font(const QFont& f) {
        font_ = f;
        shadow_ = false;
    }
    int width(const QString& s) const { return QFontMetrics(font_).horizontalAdvance(s); }
    int lineHeight() const { return QFontMetrics(font_).height(); }

    // y is the top of the text, as on the calendar's surfaces.
    void text(double x, double y, const QString& s, int align, QColor colour);
    // Outline types 1 (drop), 2 (thin ring) and 3 (thick ring) of the shadowed texts.
    void shadowed(double x, double y, const QString& s, QColor c, QColor shadow, int type);
    // Text with <r>...</r> runs in the highlight colour, centred on x.
    void tagged(double x, double y, const QString& tagged, QColor c, QColor shadow, QColor hi,
                int type);

private:
    QPainter& p_;
    const ThemeSource& t_;
    QFont font_;
    bool shadow_ = false;
};

// Word wrap to a width in the writer's font.
QStringList wrap(const Writer& w, const QString& text, int maxWidth);

}  // namespace tv::art
