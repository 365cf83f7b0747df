// Small filled shapes drawn by the thousand (leaves, flowers, snowflakes). QPainter builds an
// ellipse from Bézier curves; below a few pixels a polygon looks the same and costs far less.
#pragma once

#include <QPainter>
#include <QPointF>

namespace bggen {

// Filled ellipse with radii rx, ry around (x, y), in the painter's current brush.
inline void fillEllipse(QPainter& p, float x, float y, float rx, float ry) {
    if (rx > 3.0f || ry > 3.0f) {
        p.drawEllipse(QPointF(x, y), static_cast<qreal>(rx), static_cast<qreal>(ry));
        return;
    }
    // An octagon: the corners of a unit circle at every 45 degrees.
    constexpr float kC = 0.70710678f;
    const QPointF pts[8] = {QPointF(x + rx, y), QPointF(x + rx * kC, y + ry * kC),
                            QPointF(x, y + ry), QPointF(x - rx * kC, y + ry * kC),
                            QPointF(x - rx, y), QPointF(x - rx * kC, y - ry * kC),
                            QPointF(x, y - ry), QPointF(x + rx * kC, y - ry * kC)};
    p.drawPolygon(pts, 8);
}

}  // namespace bggen
