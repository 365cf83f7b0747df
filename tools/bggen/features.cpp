#include "features.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "palette.h"
#include "trees.h"

namespace bggen {
namespace {

bool windowsLit(const Scene& s) {
    return s.time == DayTime::kNight || s.time == DayTime::kSunset || s.time == DayTime::kDawn;
}

void paintHouse(QPainter& p, const Tint& t, float x, float y, float size, bool church, Rng& rng) {
    const Scene& s = *t.scene;
    const Palette& pal = palette(s.season);
    const float base = baseLight(s);
    const float side = sunSide(s);
    const Rgb wall = rng.chance(0.7f) ? hex(0xEFEAE0) : hex(0xE8D49A);
    const Rgb roof = s.snowGround ? pal.snow : (rng.chance(0.75f) ? hex(0xA64B30) : hex(0x6E4032));
    const float bw = size * (church ? 1.4f : rng.range(1.0f, 1.4f));
    const float wh = size * 0.5f;
    const float gw = size * 0.45f;  // gable end, turned towards the sun
    const float rh = size * 0.42f;
    const float dir = side >= 0.0f ? 1.0f : -1.0f;
    p.setPen(Qt::NoPen);
    // Long wall, facing us, half lit.
    p.setBrush(toQColor(t(wall, base * 0.85f)));
    const float lx = x - bw * 0.5f;
    p.drawRect(QRectF(lx, y - wh, bw, wh));
    // Gable end on the sun's side.
    const float gx = dir > 0.0f ? lx + bw : lx - gw;
    QPolygonF gable;
    gable << QPointF(gx, y) << QPointF(gx + gw, y) << QPointF(gx + gw, y - wh)
          << QPointF(gx + gw * 0.5f, y - wh - rh) << QPointF(gx, y - wh);
    p.setBrush(toQColor(t(wall, base + 0.3f)));
    p.drawPolygon(gable);
    // Roof: the slope we see, from the far gable to the near one.
    const float ridgeY = y - wh - rh;
    const float nearTip = gx + gw * 0.5f;
    const float farTip = dir > 0.0f ? lx + gw * 0.5f : lx + bw - gw * 0.5f;
    QPolygonF roofPoly;
    roofPoly << QPointF(dir > 0.0f ? lx - size * 0.05f : lx + bw + size * 0.05f,
                        y - wh + size * 0.04f)
             << QPointF(farTip, ridgeY) << QPointF(nearTip, ridgeY)
             << QPointF(dir > 0.0f ? gx : gx + gw, y - wh + size * 0.04f);
    p.setBrush(toQColor(t(roof, base * 0.75f)));
    p.drawPolygon(roofPoly);
    if (church) {
        // Tower with a pointed spire at the far end of the nave.
        const float tx = dir > 0.0f ? lx - size * 0.1f : lx + bw - size * 0.35f;
        const float tw = size * 0.45f;
        const float th = size * 1.5f;
        p.setBrush(toQColor(t(wall, base * 0.9f)));
        p.drawRect(QRectF(tx, y - th, tw, th));
        QPolygonF spire;
        spire << QPointF(tx - size * 0.04f, y - th) << QPointF(tx + tw * 0.5f, y - th - size * 1.0f)
              << QPointF(tx + tw + size * 0.04f, y - th);
        p.setBrush(toQColor(t(s.snowGround ? hex(0x5E6670) : hex(0x4E5A5E), base * 0.8f)));
        p.drawPolygon(spire);
    }
    if (windowsLit(s) && size > 6.0f) {
        const float ws = std::max(1.2f, size * 0.12f);
        p.setBrush(toQColor(hex(0xFFD27A)));
        for (int i = 0; i < 3; ++i) {
            if (rng.chance(0.4f)) continue;
            const float wx = lx + bw * (0.2f + 0.3f * static_cast<float>(i));
            p.drawRect(QRectF(wx, y - wh * 0.6f, ws, ws));
        }
    }
}

}  // namespace

void paintVillage(QPainter& p, const Scene& s, const Layer& l, Rng& rng) {
    const float w = static_cast<float>(s.width);
    const float cx = w * rng.range(0.2f, 0.8f);
    const float size = std::max(l.treeHeight * 0.55f, 5.0f);
    const float band = std::max(l.baseY - l.peakY, 20.0f);
    struct Spot {
        float x;
        float y;
        bool church;
    };
    std::vector<Spot> spots;
    const int n = 6 + rng.below(7);
    for (int i = 0; i < n; ++i) {
        const float x = cx + rng.bell() * size * 9.0f;
        spots.push_back({x, l.crest(x) + rng.range(size * 0.8f, band * 0.35f), false});
    }
    spots.push_back({cx, l.crest(cx) + band * 0.15f, true});
    std::sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.y < b.y; });
    for (const Spot& sp : spots) {
        const Tint tint{&s, &l, sp.x, sp.y};
        paintHouse(p, tint, sp.x, sp.y, size * (1.0f + 0.3f * (sp.y - l.crest(sp.x)) / band),
                   sp.church, rng);
        // Gardens: a tree or two by most houses.
        if (rng.chance(0.6f)) {
            const float tx = sp.x + rng.range(-1.5f, 1.5f) * size;
            const Tint tt{&s, &l, tx, sp.y + 1.0f};
            paintTree(p, tt, treeKindFor(s, false, rng), tx, sp.y + 1.0f,
                      size * rng.range(1.3f, 2.0f), rng);
        }
    }
}

void paintSweepWell(QPainter& p, const Scene& s, const Layer& l, float x, float y, float h) {
    const Palette& pal = palette(s.season);
    const Tint t{&s, &l, x, y};
    const QColor wood = toQColor(t(pal.trunk * 0.9f, baseLight(s) * 0.5f));
    const float w = std::max(h * 0.022f, 1.0f);
    const QPointF high(x - h * 0.62f, y - h);
    const QPointF low(x + h * 0.42f, y - h * 0.22f);
    p.setBrush(Qt::NoBrush);
    // Forked post.
    p.setPen(QPen(wood, w * 1.6f, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y), QPointF(x, y - h * 0.42f));
    p.setPen(QPen(wood, w, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y - h * 0.42f), QPointF(x - h * 0.03f, y - h * 0.52f));
    p.drawLine(QPointF(x, y - h * 0.42f), QPointF(x + h * 0.03f, y - h * 0.52f));
    // The sweep pole, its counterweight and the rod down to the bucket.
    p.setPen(QPen(wood, w * 0.9f, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(high, low);
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawEllipse(low, static_cast<qreal>(w * 1.8f), static_cast<qreal>(w * 1.5f));
    p.setPen(QPen(wood, std::max(w * 0.45f, 0.7f)));
    const float headTop = y - h * 0.1f;
    p.drawLine(high, QPointF(high.x(), headTop - h * 0.08f));
    // Well head.
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(t(pal.trunk * 1.2f, baseLight(s) * 0.8f)));
    p.drawRect(QRectF(high.x() - h * 0.06f, headTop, h * 0.12f, y - headTop));
    if (s.snowGround) {
        p.setBrush(toQColor(t(pal.snow, baseLight(s) + 0.2f)));
        p.drawRect(QRectF(high.x() - h * 0.065f, headTop - h * 0.012f, h * 0.13f, h * 0.022f));
    }
}

}  // namespace bggen
