#include "foreground.h"

#include <QPainterPath>
#include <cmath>

#include "palette.h"
#include "shapes.h"
#include "trees.h"

namespace bggen {
namespace {

Rgb bladeAlbedo(const Scene& s, Rng& rng) {
    const Palette& pal = palette(s.season);
    switch (s.season) {
        case Season::kSpring:
            return mix(pal.grass, hex(0xA8D060), rng.uniform() * 0.6f);
        case Season::kSummer:
            return rng.chance(0.35f) ? mix(pal.grassDry, hex(0xE0C070), rng.uniform())
                                     : mix(pal.grass, hex(0x7AA83A), rng.uniform() * 0.5f);
        case Season::kAutumn:
            return mix(hex(0x9A8A48), hex(0xC09A58), rng.uniform());
        case Season::kWinter:
            return mix(hex(0x8A7660), hex(0xB8A282), rng.uniform());
    }
    return pal.grass;
}

// A blade as a bent five-point polygon: thousands are drawn, and curves would cost more than
// they show at this size.
void blade(QPainter& p, QColor c, float x, float y, float len, float lean, float width) {
    const QPointF pts[5] = {
        QPointF(x - width, y), QPointF(x + lean * len * 0.3f - width * 0.7f, y - len * 0.55f),
        QPointF(x + lean * len, y - len),
        QPointF(x + lean * len * 0.3f + width * 0.7f, y - len * 0.5f), QPointF(x + width, y)};
    p.setBrush(c);
    p.drawPolygon(pts, 5);
}

}  // namespace

void paintGrass(QPainter& p, const Scene& s, const Layer& l, Rng& rng) {
    const float w = static_cast<float>(s.width);
    const float h = static_cast<float>(s.height);
    const float base = baseLight(s);
    const float side = sunSide(s);
    p.setPen(Qt::NoPen);
    // Winter shows only a few dry stalks through the snow.
    const float density = s.season == Season::kWinter ? 0.12f : 1.0f;
    const int crestBlades = static_cast<int>(w * 1.3f * density);
    for (int i = 0; i < crestBlades; ++i) {
        const float x = rng.range(-4.0f, w + 4.0f);
        const float y = l.crest(x) + rng.range(0.5f, 3.5f);
        const float scale = 0.6f + 1.4f * clamp01((y - s.horizon) / (h - s.horizon));
        const float len = rng.range(3.0f, 11.0f) * scale;
        const float lean = rng.range(-0.35f, 0.35f) + 0.1f * side;
        const Tint t{&s, &l, x, y};
        const float lit = base * 0.6f + 0.35f * clamp01(0.5f + lean * side * 2.0f) * rng.uniform();
        blade(p, toQColor(t(bladeAlbedo(s, rng), lit)), x, y, len, lean, 0.35f * scale + 0.25f);
    }
    const int tufts = static_cast<int>(w * 0.5f * density);
    for (int i = 0; i < tufts; ++i) {
        const float x = rng.range(0.0f, w);
        const float crest = l.crest(x);
        const float y = rng.range(crest + 6.0f, h + 4.0f);
        const float near = clamp01((y - crest) / std::max(h - crest, 1.0f));
        const float scale = 0.8f + 2.2f * near;
        const Tint t{&s, &l, x, y};
        const int blades = 3 + rng.below(4);
        for (int b = 0; b < blades; ++b) {
            const float lean = rng.range(-0.45f, 0.45f);
            const float lit = base * 0.5f + 0.4f * rng.uniform();
            blade(p, toQColor(t(bladeAlbedo(s, rng), lit)), x + rng.range(-2.0f, 2.0f) * scale, y,
                  rng.range(3.0f, 9.0f) * scale, lean, 0.3f * scale + 0.2f);
        }
    }
}

void paintGroundDetail(QPainter& p, const Scene& s, const Layer& l, Rng& rng, float amount) {
    const float w = static_cast<float>(s.width);
    const float h = static_cast<float>(s.height);
    const float base = baseLight(s);
    p.setPen(Qt::NoPen);
    const int n = static_cast<int>(amount * w * 0.9f);
    // Flowers grow in drifts rather than evenly.
    const float driftX = rng.range(0.0f, w);
    for (int i = 0; i < n; ++i) {
        float x = rng.range(0.0f, w);
        if (rng.chance(0.5f)) x = driftX + rng.bell() * w * 0.3f;
        const float crest = l.crest(x);
        const float y = rng.range(crest + 2.0f, h);
        const float near = clamp01((y - crest) / std::max(h - crest, 1.0f));
        const float r = 0.7f + 3.2f * near * near + 0.6f * near;
        const Tint t{&s, &l, x, y};
        switch (s.season) {
            case Season::kSpring: {
                // Daisies, dandelions, a few violets.
                const float k = rng.uniform();
                const Rgb petal =
                    k < 0.55f ? hex(0xFAFAF6) : (k < 0.85f ? hex(0xF6D12A) : hex(0x9C7BD8));
                p.setBrush(toQColor(t(petal, base + 0.25f)));
                fillEllipse(p, x, y, r, r * 0.75f);
                if (r > 1.5f && k < 0.55f) {
                    p.setBrush(toQColor(t(hex(0xF2C01E), base + 0.2f)));
                    fillEllipse(p, x, y, r * 0.35f, r * 0.3f);
                }
                break;
            }
            case Season::kSummer: {
                // Poppies, cornflowers, chamomile.
                const float k = rng.uniform();
                const Rgb petal =
                    k < 0.6f ? hex(0xD8261C) : (k < 0.8f ? hex(0x3A64D8) : hex(0xF6F4EC));
                p.setBrush(toQColor(t(petal, base + 0.2f)));
                fillEllipse(p, x, y, r * 1.1f, r * 0.85f);
                if (r > 1.6f) {
                    p.setBrush(toQColor(t(k < 0.6f ? hex(0x201818) : hex(0xE8C020), base)));
                    fillEllipse(p, x, y, r * 0.3f, r * 0.25f);
                }
                break;
            }
            case Season::kAutumn: {
                const Palette& pal = palette(s.season);
                p.setBrush(toQColor(t(rng.pick(pal.leaves), base * 0.6f + 0.4f * rng.uniform())));
                p.save();
                p.translate(static_cast<qreal>(x), static_cast<qreal>(y));
                p.rotate(static_cast<qreal>(rng.range(0.0f, 180.0f)));
                fillEllipse(p, 0, 0, r * 1.3f, r * 0.55f);
                p.restore();
                break;
            }
            case Season::kWinter: {
                // Crystals catching the light.
                if (rng.chance(0.6f)) break;
                const float a = rng.range(0.4f, 1.0f);
                p.setBrush(
                    toQColor(screen(t(hex(0xFFFFFF), base + 0.4f), s.light.direct * 0.3f), a));
                const float sr = 0.5f + 0.9f * near;
                fillEllipse(p, x, y, sr, sr);
                break;
            }
        }
    }
}

}  // namespace bggen
