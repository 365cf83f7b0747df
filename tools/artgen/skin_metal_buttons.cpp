// The steel buttons of "metal_big": a bevelled plate with an engraved glyph, amber for the
// alarm buttons so they are found at once.
#include "glyphs.h"
#include "paint_kit.h"
#include "skins.h"

#include <QLinearGradient>

#include <algorithm>

namespace tv::art {

void paintMetalButton(QPainter& p, int index, ButtonLook look, const QRectF& r) {
    const bool big = r.height() >= 26;
    QRectF b = r.adjusted(1.5, 1.5, -1.5, big ? -2.5 : -1.5);
    const double radius = big ? 7 : 4;
    QColor top(218, 223, 231), bottom(146, 154, 167), ink(36, 42, 52);
    if (index == 8 || index == 10) {
        top = QColor(255, 206, 110);
        bottom = QColor(214, 118, 18);
        ink = QColor(70, 30, 0);
    }
    if (look == kOver) {
        top = shade(top, 1.18);
        bottom = shade(bottom, 1.15);
        ink = index == 0                    ? QColor(190, 30, 20)
              : (index == 8 || index == 10) ? QColor(120, 20, 0)
                                            : QColor(16, 78, 160);
    } else if (look == kDown) {
        // Pressed in: darker, lit from below, the glyph sinks a pixel.
        QColor t0 = top;
        top = shade(bottom, 0.72);
        bottom = shade(t0, 0.9);
    }
    if (look != kDown) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(b.translated(0, 1), radius, radius);
    }
    QLinearGradient g(0, b.top(), 0, b.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(34, 38, 46, 220), 1));
    p.drawRoundedRect(b, radius, radius);
    if (look != kDown) {
        QLinearGradient gl(0, b.top(), 0, b.center().y());
        gl.setColorAt(0, QColor(255, 255, 255, 150));
        gl.setColorAt(1, QColor(255, 255, 255, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(gl);
        p.drawRoundedRect(b.adjusted(1.5, 1.2, -1.5, -b.height() / 2), radius - 1, radius - 1);
    } else {
        p.setPen(QPen(QColor(0, 0, 0, 60), 1));
        p.drawLine(b.topLeft() + QPointF(radius, 1.5), b.topRight() + QPointF(-radius, 1.5));
    }
    double gs = std::min(b.width(), b.height()) * (big ? 0.72 : 0.84);
    QPointF c = b.center() + (look == kDown ? QPointF(0.5, 1) : QPointF(0, 0));
    QRectF box(c.x() - gs / 2, c.y() - gs / 2, gs, gs);
    // An engraved glyph: a light line under the ink.
    drawGlyph(p, glyphOfButton(index), box.translated(0, 1), QColor(255, 255, 255, 90));
    drawGlyph(p, glyphOfButton(index), box, ink);
}

}  // namespace tv::art
