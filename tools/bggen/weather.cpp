#include "weather.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

#include "palette.h"
#include "shapes.h"
#include "sky.h"
#include "terrain.h"

namespace bggen {

void paintSnowfall(QPainter& p, const Scene& s, Rng& rng) {
    if (s.snowfall <= 0.0f) return;
    const float w = static_cast<float>(s.width);
    const float h = static_cast<float>(s.height);
    const Rgb flake = mix(hex(0xFFFFFF), s.light.ambient, s.time == DayTime::kNight ? 0.5f : 0.15f);
    const int n = static_cast<int>(s.snowfall * 900.0f);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(0.0f, w);
        const float y = rng.range(0.0f, h);
        // Most flakes are far and tiny; a few drift close past the lens, large and soft.
        const float nearness = std::pow(rng.uniform(), 6.0f);
        const float r = 0.5f + nearness * 4.5f;
        const float a = rng.range(0.45f, 0.95f) * (1.0f - nearness * 0.45f);
        if (r < 1.6f) {
            p.setBrush(toQColor(flake, a));
            fillEllipse(p, x, y, r, r);
        } else {
            QRadialGradient g(QPointF(x, y), static_cast<qreal>(r));
            g.setColorAt(0.0, toQColor(flake, a));
            g.setColorAt(0.6, toQColor(flake, a * 0.6f));
            g.setColorAt(1.0, toQColor(flake, 0.0f));
            p.setBrush(g);
            fillEllipse(p, x, y, r, r);
        }
    }
}

void paintFallingLeaves(QPainter& p, const Scene& s, Rng& rng) {
    if (s.leaves <= 0.0f) return;
    const Palette& pal = palette(s.season);
    const float w = static_cast<float>(s.width);
    const float h = static_cast<float>(s.height);
    const int n = static_cast<int>(s.leaves * 55.0f) + 8;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(0.0f, w);
        const float y = rng.range(0.0f, h * 0.95f);
        const float size = 2.0f + std::pow(rng.uniform(), 3.0f) * 7.0f;
        const Rgb c = shade(s, rng.pick(pal.leaves), baseLight(s) + rng.range(-0.1f, 0.35f));
        p.save();
        p.translate(static_cast<qreal>(x), static_cast<qreal>(y));
        p.rotate(static_cast<qreal>(rng.range(0.0f, 360.0f)));
        // A leaf seen at an angle: pointed at both ends, with its stalk.
        const float tilt = rng.range(0.35f, 1.0f);
        QPainterPath leaf(QPointF(-size, 0));
        leaf.quadTo(QPointF(0, -size * 0.75f * tilt), QPointF(size, 0));
        leaf.quadTo(QPointF(0, size * 0.75f * tilt), QPointF(-size, 0));
        p.setBrush(toQColor(c, 0.95f));
        p.drawPath(leaf);
        p.setPen(QPen(toQColor(c * 0.6f), std::max(0.5f, size * 0.1f)));
        p.drawLine(QPointF(size, 0), QPointF(size * 1.35f, 0));
        p.setPen(Qt::NoPen);
        p.restore();
    }
}

void paintPetals(QPainter& p, const Scene& s, Rng& rng) {
    if (s.petals <= 0.0f) return;
    const Palette& pal = palette(s.season);
    const float w = static_cast<float>(s.width);
    const float h = static_cast<float>(s.height);
    const int n = static_cast<int>(s.petals * 70.0f);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(0.0f, w);
        const float y = rng.range(h * 0.2f, h);
        const float size = 1.0f + std::pow(rng.uniform(), 3.0f) * 2.5f;
        const Rgb c = shade(s, rng.chance(0.5f) ? pal.blossom : hex(0xFFFFFF), baseLight(s) + 0.3f);
        p.save();
        p.translate(static_cast<qreal>(x), static_cast<qreal>(y));
        p.rotate(static_cast<qreal>(rng.range(0.0f, 360.0f)));
        p.setBrush(toQColor(c, 0.9f));
        fillEllipse(p, 0, 0, size, size * 0.55f);
        p.restore();
    }
}

void finishPicture(Canvas& canvas, const Scene& s) {
    const int w = canvas.width();
    const int h = canvas.height();
    Rgb tone = {1.0f, 1.0f, 1.0f};
    float amount = 0.0f;
    switch (s.time) {
        case DayTime::kSunset:
            tone = hex(0xFFC89A);
            amount = 0.18f;
            break;
        case DayTime::kDawn:
            tone = hex(0xFFD2C0);
            amount = 0.12f;
            break;
        case DayTime::kGolden:
            tone = hex(0xFFE2B0);
            amount = 0.12f;
            break;
        case DayTime::kNight:
            tone = hex(0xA8B8E8);
            amount = 0.2f;
            break;
        default:
            break;
    }
    if (s.season == Season::kWinter && s.time != DayTime::kNight && s.time != DayTime::kSunset) {
        tone = mix(tone, hex(0xDCE8FF), 0.6f);
        amount = std::max(amount, 0.1f);
    }
    // The grade works on each channel alone, so it is a table per channel.
    float lut[3][256];
    const float toneCh[3] = {tone.r, tone.g, tone.b};
    for (int ch = 0; ch < 3; ++ch) {
        for (int v = 0; v < 256; ++v) {
            float c = static_cast<float>(v) / 255.0f;
            c = lerp(c, c * toneCh[ch], amount);
            // Gentle S-curve for depth in the midtones.
            c += 0.12f * c * (1.0f - c) * (c - 0.5f) * 4.0f;
            lut[ch][v] = c;
        }
    }
    // A soft vignette that holds the eye in the middle; the same for every picture.
    static const std::vector<float> kVignette = [w, h] {
        std::vector<float> v(static_cast<size_t>(w) * static_cast<size_t>(h));
        const float cx = static_cast<float>(w) * 0.5f;
        const float cy = static_cast<float>(h) * 0.5f;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const float dx = (static_cast<float>(x) - cx) / cx;
                const float dy = (static_cast<float>(y) - cy) / cy;
                const float r2 = clamp01((dx * dx + dy * dy) * 0.5f);
                v[static_cast<size_t>(y * w + x)] = 1.0f - 0.2f * r2 * std::sqrt(r2);
            }
        }
        return v;
    }();
    const bool sized = kVignette.size() == static_cast<size_t>(w) * static_cast<size_t>(h);
    for (int y = 0; y < h; ++y) {
        QRgb* row = canvas.row(y);
        for (int x = 0; x < w; ++x) {
            float v = 1.0f;
            if (sized) {
                v = kVignette[static_cast<size_t>(y * w + x)];
            } else {
                const float dx = static_cast<float>(2 * x - w) / static_cast<float>(w);
                const float dy = static_cast<float>(2 * y - h) / static_cast<float>(h);
                const float r2 = clamp01((dx * dx + dy * dy) * 0.5f);
                v = 1.0f - 0.2f * r2 * std::sqrt(r2);
            }
            const QRgb p = row[x];
            canvas.set(x, y, Rgb{lut[0][qRed(p)] * v, lut[1][qGreen(p)] * v, lut[2][qBlue(p)] * v});
        }
    }
}

}  // namespace bggen
