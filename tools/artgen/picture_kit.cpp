#include "picture_kit.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tv::art {

void verticalGradient(QPainter& p, const QRectF& r, Stops stops) {
    QLinearGradient g(0, r.top(), 0, r.bottom());
    for (const auto& [at, c] : stops)
        g.setColorAt(at, c);
    p.fillRect(r, g);
}

void firework(QPainter& p, Rng& rng, QPointF c, double r, QColor colour, int rays) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, c, r * 1.5, colour, 0.22);
    QColor hot = mix(colour, Qt::white, 0.55);
    for (int i = 0; i < rays; ++i) {
        double a = (i + rng.range(-0.3, 0.3)) * 2 * M_PI / rays;
        double len = r * rng.range(0.7, 1.05);
        QPointF end = c + QPointF(std::cos(a) * len, std::sin(a) * len + len * len / r * 0.18);
        QPointF mid = c + QPointF(std::cos(a) * len * 0.55, std::sin(a) * len * 0.55);
        QPainterPath streak(c + QPointF(std::cos(a) * r * 0.08, std::sin(a) * r * 0.08));
        streak.quadTo(mid, end);
        QLinearGradient g(c, end);
        g.setColorAt(0, withAlpha(colour, 0.0));
        g.setColorAt(0.6, withAlpha(colour, 0.55));
        g.setColorAt(1, withAlpha(hot, 0.95));
        p.setPen(QPen(QBrush(g), rng.range(1.2, 2.2), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(streak);
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(hot, 1.0));
        p.drawEllipse(end, 1.8, 1.8);
        glow(p, end, 6, colour, 0.6);
        // A few trailing sparks.
        for (int k = 0; k < 2; ++k) {
            QPointF s = end + QPointF(rng.range(-6, 6), rng.range(2, 14));
            p.setBrush(withAlpha(hot, rng.range(0.3, 0.8)));
            p.drawEllipse(s, 0.9, 0.9);
        }
    }
    glow(p, c, r * 0.18, hot, 0.9);
    p.restore();
}

void skyline(QPainter& p, Rng& rng, double base, double width, QColor body, QColor windows) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Background blocks.
    double x = -10;
    while (x < width) {
        double w = rng.range(26, 60), h = rng.range(40, 110);
        QRectF b(x, base - h, w, h);
        p.setBrush(shade(body, 1.15));
        p.drawRect(b);
        for (double wy = b.top() + 6; wy < base - 6; wy += 9)
            for (double wx = b.left() + 4; wx < b.right() - 4; wx += 7)
                if (rng.uni() < 0.32) {
                    p.setBrush(withAlpha(windows, rng.range(0.35, 0.9)));
                    p.drawRect(QRectF(wx, wy, 3, 4));
                }
        x += w + rng.range(-6, 4);
    }
    // The parliament on the bank: long gothic body, a central dome with its spire, towers.
    const double cx = width * 0.5, w = width * 0.56;
    QPainterPath house;
    house.addRect(QRectF(cx - w / 2, base - 58, w, 58));
    for (int i = 0; i <= 20; ++i) {
        double tx = cx - w / 2 + i * w / 20;
        house.addRect(QRectF(tx - 2, base - 72, 4, 16));
        QPainterPath pin;
        pin.moveTo(tx - 2, base - 72);
        pin.lineTo(tx, base - 82);
        pin.lineTo(tx + 2, base - 72);
        house.addPath(pin);
    }
    house.addRect(QRectF(cx - 44, base - 100, 88, 44));
    QPainterPath dome;
    dome.moveTo(cx - 42, base - 100);
    dome.cubicTo(QPointF(cx - 42, base - 150), QPointF(cx - 14, base - 168),
                 QPointF(cx, base - 170));
    dome.cubicTo(QPointF(cx + 14, base - 168), QPointF(cx + 42, base - 150),
                 QPointF(cx + 42, base - 100));
    dome.closeSubpath();
    house.addPath(dome);
    QPainterPath spire;
    spire.moveTo(cx - 5, base - 168);
    spire.lineTo(cx, base - 215);
    spire.lineTo(cx + 5, base - 168);
    spire.closeSubpath();
    house.addPath(spire);
    for (double tx : {cx - w * 0.30, cx + w * 0.30, cx - w * 0.12, cx + w * 0.12}) {
        house.addRect(QRectF(tx - 7, base - 104, 14, 50));
        QPainterPath t;
        t.moveTo(tx - 7, base - 104);
        t.lineTo(tx, base - 132);
        t.lineTo(tx + 7, base - 104);
        house.addPath(t);
    }
    p.setBrush(body);
    p.drawPath(house.simplified());
    for (double wy = base - 50; wy < base - 6; wy += 11)
        for (double wx = cx - w / 2 + 6; wx < cx + w / 2 - 6; wx += 8)
            if (rng.uni() < 0.7) {
                p.setBrush(withAlpha(windows, rng.range(0.55, 1.0)));
                p.drawRect(QRectF(wx, wy, 3, 6));
            }
    // Floodlight on the dome.
    glow(p, QPointF(cx, base - 130), 90, windows, 0.22);
    p.restore();
}

void waterReflection(QImage& img, int horizon, double darken, uint64_t seed) {
    Rng rng(seed);
    const int w = img.width(), h = img.height();
    QImage src = img.copy();
    for (int y = horizon; y < h; ++y) {
        int d = y - horizon;
        double ripple = std::sin(d * 0.35 + rng.uni() * 0.8) * (1.0 + d * 0.03);
        int sy = std::clamp(horizon - 1 - d, 0, h - 1);
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        double k = darken * (0.85 - 0.25 * d / std::max(1, h - horizon));
        for (int x = 0; x < w; ++x) {
            int sx = std::clamp(x + static_cast<int>(std::lround(ripple * 2.5)), 0, w - 1);
            QRgb c = in[sx];
            out[x] = qRgb(static_cast<int>(qRed(c) * k), static_cast<int>(qGreen(c) * k),
                          static_cast<int>(qBlue(c) * k + 6));
        }
    }
    // Horizontal glints break the mirror into water.
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < (h - horizon) * 2; ++i) {
        double y = horizon + 2 + rng.uni() * (h - horizon - 2);
        double x = rng.uni() * w, len = rng.range(8, 40);
        p.setPen(QPen(QColor(0, 0, 0, 40), 1));
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
}

void flame(QPainter& p, QPointF tip, double size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, tip - QPointF(0, size * 0.9), size * 5.5, QColor(255, 170, 60), 0.35);
    QPainterPath f;
    f.moveTo(tip);
    f.cubicTo(tip + QPointF(size * 0.75, -size * 0.2), tip + QPointF(size * 0.45, -size * 1.3),
              tip + QPointF(0, -size * 2.4));
    f.cubicTo(tip + QPointF(-size * 0.45, -size * 1.3), tip + QPointF(-size * 0.75, -size * 0.2),
              tip);
    QRadialGradient g(tip - QPointF(0, size * 0.6), size * 1.8);
    g.setColorAt(0, QColor(255, 255, 240));
    g.setColorAt(0.35, QColor(255, 230, 140));
    g.setColorAt(0.8, QColor(255, 150, 40));
    g.setColorAt(1, QColor(230, 80, 20, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(f);
    p.setBrush(QColor(80, 120, 255, 110));
    p.drawEllipse(tip - QPointF(0, size * 0.25), size * 0.22, size * 0.3);
    p.restore();
}

void candle(QPainter& p, QPointF base, double w, double h, QColor wax, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF body(base.x() - w / 2, base.y() - h, w, h);
    QLinearGradient g(body.left(), 0, body.right(), 0);
    g.setColorAt(0, shade(wax, 0.62));
    g.setColorAt(0.35, shade(wax, lit ? 1.18 : 1.05));
    g.setColorAt(1, shade(wax, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(body);
    p.setBrush(shade(wax, 0.55));
    p.drawEllipse(QPointF(base.x(), base.y()), w / 2, w * 0.12);
    QPainterPath top;
    top.addEllipse(QPointF(base.x(), body.top()), w / 2, w * 0.14);
    p.setBrush(shade(wax, lit ? 1.3 : 1.1));
    p.drawPath(top);
    if (lit) {
        // Wax glows from inside near the flame, and one drip runs down.
        QRadialGradient inner(QPointF(base.x(), body.top()), w * 0.9);
        inner.setColorAt(0, QColor(255, 220, 150, 150));
        inner.setColorAt(1, QColor(255, 220, 150, 0));
        p.setBrush(inner);
        p.drawRect(QRectF(body.left(), body.top(), w, w * 0.9));
        QPainterPath drip;
        drip.addRoundedRect(QRectF(body.left() + w * 0.18, body.top(), w * 0.12, h * 0.22),
                            w * 0.06, w * 0.06);
        p.setBrush(shade(wax, 1.2));
        p.drawPath(drip);
    }
    p.setPen(QPen(QColor(40, 30, 20), std::max(1.2, w * 0.05), Qt::SolidLine, Qt::RoundCap));
    QPointF wickTop(base.x(), body.top() - w * 0.22);
    p.drawLine(QPointF(base.x(), body.top()), wickTop);
    if (lit) flame(p, wickTop + QPointF(0, w * 0.06), w * 0.34);
    p.restore();
}

QPainterPath heartPath(QPointF c, double s) {
    QPainterPath h;
    h.moveTo(c + QPointF(0, s * 0.35));
    h.cubicTo(c + QPointF(-s * 0.1, s * 0.25), c + QPointF(-s * 0.55, s * 0.0),
              c + QPointF(-s * 0.5, -s * 0.22));
    h.cubicTo(c + QPointF(-s * 0.45, -s * 0.52), c + QPointF(-s * 0.05, -s * 0.52),
              c + QPointF(0, -s * 0.25));
    h.cubicTo(c + QPointF(s * 0.05, -s * 0.52), c + QPointF(s * 0.45, -s * 0.52),
              c + QPointF(s * 0.5, -s * 0.22));
    h.cubicTo(c + QPointF(s * 0.55, s * 0.0), c + QPointF(s * 0.1, s * 0.25),
              c + QPointF(0, s * 0.35));
    h.closeSubpath();
    return h;
}

void tulip(QPainter& p, QPointF head, double s, double tilt, QColor colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(head);
    p.rotate(tilt);
    auto petal = [&](double dx, double lean, QColor c) {
        QPainterPath pt;
        pt.moveTo(dx * s, s * 0.45);
        pt.cubicTo(QPointF(dx * s - s * 0.55, s * 0.3), QPointF(dx * s - s * 0.4 + lean, -s * 0.5),
                   QPointF(dx * s + lean * 0.5, -s * 0.62));
        pt.cubicTo(QPointF(dx * s + s * 0.4 + lean, -s * 0.5), QPointF(dx * s + s * 0.55, s * 0.3),
                   QPointF(dx * s, s * 0.45));
        QLinearGradient g(0, -s * 0.6, 0, s * 0.45);
        g.setColorAt(0, shade(c, 1.2));
        g.setColorAt(1, shade(c, 0.7));
        p.setPen(QPen(shade(c, 0.55), 0.8));
        p.setBrush(g);
        p.drawPath(pt);
    };
    petal(-0.22, -s * 0.1, shade(colour, 0.85));
    petal(0.22, s * 0.1, shade(colour, 0.85));
    petal(0, 0, colour);
    p.restore();
}

void chrysanthemum(QPainter& p, Rng& rng, QPointF c, double r, QColor colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int ring = 3; ring >= 0; --ring) {
        double rr = r * (0.35 + ring * 0.22);
        int n = 14 + ring * 6;
        for (int i = 0; i < n; ++i) {
            double a = i * 2 * M_PI / n + ring * 0.3 + rng.range(-0.05, 0.05);
            p.save();
            p.translate(c);
            p.rotate(a * 180 / M_PI);
            QColor pc = shade(colour, 0.86 + 0.05 * (3 - ring) + rng.range(-0.04, 0.04));
            QLinearGradient g(0, 0, rr, 0);
            g.setColorAt(0, shade(pc, 0.7));
            g.setColorAt(1, shade(pc, 1.15));
            p.setPen(QPen(shade(pc, 0.6), 0.5));
            p.setBrush(g);
            p.drawEllipse(QRectF(rr * 0.15, -rr * 0.09, rr * 0.9, rr * 0.18));
            p.restore();
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(shade(colour, 0.8));
    p.drawEllipse(c, r * 0.16, r * 0.16);
    p.restore();
}

void firBranch(QPainter& p, Rng& rng, QPointF from, QPointF to, double needle, QColor colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPointF d = to - from;
    double len = std::hypot(d.x(), d.y());
    double a = std::atan2(d.y(), d.x());
    p.setPen(QPen(QColor(90, 60, 40), std::max(1.0, needle * 0.12), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    int n = static_cast<int>(len / (needle * 0.18));
    for (int i = 0; i < n; ++i) {
        double t = i / static_cast<double>(n);
        QPointF at = from + d * t;
        for (int side = -1; side <= 1; side += 2) {
            double na = a + side * rng.range(0.7, 1.1);
            double nl = needle * (0.6 + 0.4 * std::sin(t * M_PI)) * rng.range(0.8, 1.1);
            QColor c = shade(colour, rng.range(0.75, 1.25));
            p.setPen(QPen(c, std::max(0.8, needle * 0.09), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at, at + QPointF(std::cos(na) * nl, std::sin(na) * nl));
        }
    }
    p.restore();
}

void bokeh(QPainter& p, Rng& rng, const QRectF& area, int count,
           std::initializer_list<QColor> palette, double minR, double maxR) {
    std::vector<QColor> pal(palette);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        double r = rng.range(minR, maxR);
        QColor col = pal[static_cast<size_t>(rng.below(static_cast<int>(pal.size())))];
        QRadialGradient g(c, r);
        g.setColorAt(0, withAlpha(col, 0.22));
        g.setColorAt(0.8, withAlpha(col, 0.30));
        g.setColorAt(1, withAlpha(col, 0.0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

void snowfall(QPainter& p, Rng& rng, const QRectF& area, int count, double maxR) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        double r = maxR * (0.25 + 0.75 * std::pow(rng.uni(), 2.0));
        p.setBrush(QColor(255, 255, 255, static_cast<int>(rng.range(120, 240))));
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

void hill(QPainter& p, const QRectF& area, double baseY, double amp, double phase, QColor top,
          QColor bottom) {
    QPainterPath h(QPointF(area.left(), area.bottom()));
    for (double x = area.left(); x <= area.right() + 4; x += 4) {
        double y = baseY + amp * (0.6 * std::sin(x / 140.0 + phase) +
                                  0.3 * std::sin(x / 61.0 + phase * 2.1) +
                                  0.1 * std::sin(x / 23.0 + phase * 3.7));
        h.lineTo(x, y);
    }
    h.lineTo(area.right(), area.bottom());
    h.closeSubpath();
    QLinearGradient g(0, baseY - amp, 0, area.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(h);
    p.restore();
}

void bauble(QPainter& p, QPointF c, double r, QColor colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 170, 90), std::max(1.0, r * 0.06)));
    p.drawLine(c - QPointF(0, r), c - QPointF(0, r * 1.8));
    QLinearGradient cap(c.x() - r * 0.25, 0, c.x() + r * 0.25, 0);
    cap.setColorAt(0, QColor(150, 120, 50));
    cap.setColorAt(0.5, QColor(250, 230, 160));
    cap.setColorAt(1, QColor(140, 110, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawRect(QRectF(c.x() - r * 0.22, c.y() - r * 1.12, r * 0.44, r * 0.22));
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    g.setColorAt(0, shade(colour, 1.6));
    g.setColorAt(0.3, colour);
    g.setColorAt(1, shade(colour, 0.3));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(c - QPointF(r * 0.38, r * 0.42), r * 0.16, r * 0.1);
    p.restore();
}

QPainterPath starPath(QPointF c, double outer, double inner, int points) {
    QPainterPath s;
    for (int i = 0; i < points * 2; ++i) {
        double r = i % 2 == 0 ? outer : inner;
        double a = -M_PI / 2 + i * M_PI / points;
        QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    s.closeSubpath();
    return s;
}

}  // namespace tv::art
