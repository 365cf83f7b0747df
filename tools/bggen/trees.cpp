#include "trees.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "palette.h"
#include "shapes.h"

namespace bggen {
namespace {

struct LightDir {
    float x;
    float y;
};

LightDir lightDir(const Scene& s) {
    float side = sunSide(s);
    if (std::fabs(side) < 0.3f) side = side < 0.0f ? -0.3f : 0.3f;
    const float len = std::sqrt(side * side + 0.36f);
    return {side / len, -0.6f / len};
}

void disc(QPainter& p, QColor c, float x, float y, float r) {
    p.setBrush(c);
    fillEllipse(p, x, y, r, r);
}

struct Clump {
    float x;
    float y;
    float r;
};

// Clumps scattered through an elliptic crown.
std::vector<Clump> ellipseClumps(float cx, float cy, float rx, float ry, float h, Rng& rng) {
    const int n = std::clamp(static_cast<int>(5.0f + h / 5.0f), 5, 44);
    std::vector<Clump> clumps;
    clumps.reserve(static_cast<size_t>(n));
    const float rmin = std::min(rx, ry);
    for (int i = 0; i < n; ++i) {
        const float a = rng.range(0.0f, 6.2832f);
        const float rr = std::sqrt(rng.uniform());
        const float r = rmin * rng.range(0.3f, 0.5f) * (1.0f - 0.35f * rr);
        clumps.push_back(
            {cx + std::cos(a) * (rx - r * 0.6f) * rr, cy + std::sin(a) * (ry - r * 0.6f) * rr, r});
    }
    return clumps;
}

// Clumps hung on the twigs of a branch structure: the crown follows the tree's limbs, gaps
// and all, instead of being a ball.
std::vector<Clump> tipClumps(const std::vector<QPointF>& tips, float r, Rng& rng) {
    std::vector<Clump> clumps;
    clumps.reserve(tips.size());
    for (const QPointF& tip : tips) {
        clumps.push_back({static_cast<float>(tip.x()) + rng.range(-0.3f, 0.3f) * r,
                          static_cast<float>(tip.y()) + rng.range(-0.3f, 0.2f) * r,
                          r * rng.range(0.7f, 1.2f)});
    }
    return clumps;
}

// A leafy crown from its clumps. Small crowns: each clump drawn in shadow, then half-lit, then
// with a highlight on the sun's side, the way a painter builds foliage. Large crowns: a dark
// mass, then single leaves over each clump, each lit as a point on the clump's round surface.
void paintCrown(QPainter& p, const Tint& t, Rgb leaf, std::vector<Clump> clumps, float h, Rng& rng,
                float leafy = 1.0f) {
    if (clumps.empty()) return;
    const LightDir ld = lightDir(*t.scene);
    const float base = baseLight(*t.scene);
    float cx = 0.0f;
    float cy = 0.0f;
    float lo = 1e9f;
    float hi = -1e9f;
    for (const Clump& c : clumps) {
        cx += c.x;
        cy += c.y;
        lo = std::min(lo, c.y - c.r);
        hi = std::max(hi, c.y + c.r);
    }
    cx /= static_cast<float>(clumps.size());
    cy /= static_cast<float>(clumps.size());
    const float span = std::max((hi - lo) * 0.5f, 1.0f);
    auto facingOf = [&](const Clump& c) { return ((c.x - cx) * ld.x + (c.y - cy) * ld.y) / span; };
    // Far clumps first so the near ones overlap them.
    std::sort(clumps.begin(), clumps.end(),
              [](const Clump& a, const Clump& b) { return a.y < b.y; });
    p.setPen(Qt::NoPen);
    if (h < 40.0f || leafy <= 0.0f) {
        const QColor dark = toQColor(t(leaf * 0.85f, 0.14f));
        for (const Clump& c : clumps)
            disc(p, dark, c.x, c.y, c.r);
        for (const Clump& c : clumps) {
            // Clumps on the far side from the sun stay in half shadow.
            const float lit = base * 0.65f + 0.28f * clamp01(0.5f + facingOf(c));
            disc(p, toQColor(t(leaf, lit)), c.x + ld.x * c.r * 0.12f, c.y + ld.y * c.r * 0.12f,
                 c.r * 0.88f);
        }
        for (const Clump& c : clumps) {
            if (facingOf(c) < -0.2f) continue;
            disc(p, toQColor(t(leaf * 1.12f, base + 0.3f)), c.x + ld.x * c.r * 0.42f,
                 c.y + ld.y * c.r * 0.42f, c.r * 0.42f);
        }
        return;
    }
    const QColor dark = toQColor(t(leaf * 0.7f, 0.1f));
    for (const Clump& c : clumps)
        disc(p, dark, c.x, c.y, c.r * 0.9f);
    // Light from the sun's side, a little towards us.
    const float lz = 0.55f;
    const float norm = std::sqrt(ld.x * ld.x + ld.y * ld.y + lz * lz);
    const float leafR = std::max(1.1f, h * 0.013f);
    const Palette& pal = palette(t.scene->season);
    for (const Clump& c : clumps) {
        const float crownLight = 0.6f + 0.4f * clamp01(0.55f + 0.45f * facingOf(c));
        // Each clump turns a little towards another of the season's leaf colours.
        const Rgb tone = mix(leaf, rng.pick(pal.leaves), rng.range(0.0f, 0.35f));
        const int leaves = std::clamp(static_cast<int>(c.r * c.r / (leafR * leafR) * 0.8f), 6, 400);
        for (int i = 0; i < leaves; ++i) {
            const float a = rng.range(0.0f, 6.2832f);
            const float rr = std::sqrt(rng.uniform());
            const float nx = std::cos(a) * rr;
            const float ny = std::sin(a) * rr;
            const float nz = std::sqrt(std::max(0.0f, 1.0f - rr * rr));
            const float lambert = clamp01((nx * ld.x + ny * ld.y + nz * lz) / norm);
            const float lit = (0.12f + lambert) * crownLight * (base + 0.35f);
            const Rgb col = tone * rng.range(0.85f, 1.12f);
            disc(p, toQColor(t(col, lit)), c.x + nx * c.r * 0.98f, c.y + ny * c.r * 0.98f,
                 leafR * rng.range(0.7f, 1.3f));
        }
    }
}

void paintTrunk(QPainter& p, const Tint& t, Rgb bark, float x, float y, float h, float top,
                float width) {
    QPainterPath path;
    path.moveTo(x - width, y);
    path.quadTo(x - width * 0.55f, y - h * 0.2f, x - width * 0.45f, y - h * top);
    path.lineTo(x + width * 0.45f, y - h * top);
    path.quadTo(x + width * 0.55f, y - h * 0.2f, x + width, y);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(t(bark, 0.25f)));
    p.drawPath(path);
}

struct BranchStyle {
    QColor wood;
    QColor frost;  // invalid: no frost
    std::vector<QPointF>* tips;
    int tipDepth;  // branches at or below this depth count as twig ends
};

void paintBranch(QPainter& p, const BranchStyle& st, QPointF a, float angle, float len, float width,
                 int depth, Rng& rng) {
    const QPointF b(a.x() + std::sin(angle) * len, a.y() - std::cos(angle) * len);
    const float bend = rng.range(-0.25f, 0.25f);
    const QPointF ctrl(a.x() + std::sin(angle + bend) * len * 0.5f,
                       a.y() - std::cos(angle + bend) * len * 0.5f);
    if (st.wood.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(st.wood, std::max(width, 0.45f), Qt::SolidLine, Qt::RoundCap));
        if (width < 2.0f) {
            // Twigs: a curve would not show, and there are hundreds of them.
            p.drawLine(a, b);
        } else {
            QPainterPath path(a);
            path.quadTo(ctrl, b);
            p.drawPath(path);
            if (st.frost.isValid()) {
                // Rime on the upper side of the thicker limbs.
                p.setPen(QPen(st.frost, width * 0.45f, Qt::SolidLine, Qt::RoundCap));
                p.drawPath(path.translated(0.0, -width * 0.3f));
            }
        }
        if (st.frost.isValid() && width >= 1.0f && width < 2.0f) {
            p.setPen(QPen(st.frost, width * 0.45f, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a - QPointF(0.0, width * 0.3f), b - QPointF(0.0, width * 0.3f));
        }
    }
    if (st.tips && depth <= st.tipDepth) st.tips->push_back(b);
    if (depth == 0 || len < 2.0f) return;
    // A leader carries on nearly straight; one or two side limbs leave at a wider angle.
    paintBranch(p, st, b, angle * 0.6f + rng.range(-0.15f, 0.15f), len * rng.range(0.72f, 0.84f),
                width * 0.72f, depth - 1, rng);
    const int sides = rng.chance(0.45f) ? 2 : 1;
    // Sides alternate from one fork to the next, as buds do along a shoot: balanced crowns.
    const float first = ((depth % 2 == 0) != rng.chance(0.25f)) ? 1.0f : -1.0f;
    for (int i = 0; i < sides; ++i) {
        const float dir = i == 0 ? first : -first;
        const float childAngle = angle * 0.6f + dir * rng.range(0.5f, 0.95f);
        paintBranch(p, st, b, childAngle, len * rng.range(0.55f, 0.72f), width * 0.58f, depth - 1,
                    rng);
    }
}

int branchDepth(float h) {
    return std::clamp(static_cast<int>(std::log2(std::max(h, 4.0f)) * 1.05f), 3, 8);
}

void paintBroadleaf(QPainter& p, const Tint& t, float x, float y, float h, Rng& rng, Rgb leaf) {
    const Palette& pal = palette(t.scene->season);
    if (h < 9.0f) {
        p.setPen(QPen(toQColor(t(pal.trunk, 0.2f)), std::max(0.6f, h * 0.08f)));
        p.drawLine(QPointF(x, y), QPointF(x, y - h * 0.4f));
        p.setPen(Qt::NoPen);
        disc(p, toQColor(t(leaf, baseLight(*t.scene) * 0.8f)), x, y - h * 0.62f, h * 0.36f);
        return;
    }
    if (h < 60.0f) {
        paintTrunk(p, t, pal.trunk, x, y, h, 0.55f, h * 0.045f);
        paintCrown(p, t, leaf,
                   ellipseClumps(x, y - h * 0.62f, h * rng.range(0.33f, 0.42f), h * 0.34f, h, rng),
                   h, rng);
        return;
    }
    // A big tree: limbs first, then foliage hung on them, so the crown has the tree's shape.
    std::vector<QPointF> tips;
    BranchStyle st{toQColor(t(pal.trunk, 0.22f)), QColor(), &tips, 2};
    const int depth = branchDepth(h) - 1;
    paintBranch(p, st, QPointF(x, y), rng.range(-0.05f, 0.05f), h * 0.3f, h * 0.05f, depth, rng);
    std::vector<Clump> clumps = tipClumps(tips, h * 0.08f, rng);
    // Fill the heart of the crown too, or the limbs show as a cage.
    float top = y;
    float left = x;
    float right = x;
    for (const QPointF& q : tips) {
        top = std::min(top, static_cast<float>(q.y()));
        left = std::min(left, static_cast<float>(q.x()));
        right = std::max(right, static_cast<float>(q.x()));
    }
    const float crownH = (y - h * 0.35f) - top;
    const std::vector<Clump> heart =
        ellipseClumps((left + right) * 0.5f, top + crownH * 0.5f, (right - left) * 0.36f,
                      crownH * 0.36f, h * 0.6f, rng);
    clumps.insert(clumps.end(), heart.begin(), heart.end());
    paintCrown(p, t, leaf, clumps, h, rng);
}

void paintPoplar(QPainter& p, const Tint& t, float x, float y, float h, Rng& rng, Rgb leaf) {
    const Palette& pal = palette(t.scene->season);
    paintTrunk(p, t, pal.trunk, x, y, h, 0.2f, h * 0.03f);
    paintCrown(p, t, leaf, ellipseClumps(x, y - h * 0.54f, h * 0.1f, h * 0.46f, h * 0.7f, rng),
               h * 0.7f, rng);
}

void paintConifer(QPainter& p, const Tint& t, float x, float y, float h, Rng& rng) {
    const Scene& s = *t.scene;
    const Palette& pal = palette(s.season);
    const LightDir ld = lightDir(s);
    const float base = baseLight(s);
    const Rgb body = pal.conifer * rng.range(0.85f, 1.15f);
    const float halfW = h * rng.range(0.17f, 0.23f);
    const float top = y - h;
    const float bottom = y - h * 0.07f;
    p.setPen(Qt::NoPen);
    if (h < 10.0f) {
        QPolygonF tri;
        tri << QPointF(x, top) << QPointF(x + halfW, bottom) << QPointF(x - halfW, bottom);
        p.setBrush(toQColor(t(body, base * 0.6f)));
        p.drawPolygon(tri);
        if (s.snowGround) {
            QPolygonF cap;
            cap << QPointF(x, top) << QPointF(x + halfW * 0.5f, top + h * 0.45f)
                << QPointF(x - halfW * 0.5f, top + h * 0.45f);
            p.setBrush(toQColor(t(pal.snow, base), 0.6f));
            p.drawPolygon(cap);
        }
        return;
    }
    p.setBrush(toQColor(t(pal.trunk, 0.2f)));
    p.drawRect(QRectF(x - h * 0.025f, bottom - h * 0.02f, h * 0.05f, y - bottom + h * 0.02f));
    const int tiers = std::clamp(static_cast<int>(h / 6.0f), 5, 16);
    // Tiers from the tip down; each droops at its ends like spruce branches.
    QPainterPath silhouette;
    std::vector<QPointF> right;
    std::vector<QPointF> left;
    std::vector<float> tierY;
    for (int i = 0; i <= tiers; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(tiers);
        const float ty = top + (bottom - top) * std::pow(f, 0.92f);
        const float tw = halfW * (0.12f + 0.88f * f) * rng.range(0.85f, 1.1f);
        const float droop = h * 0.03f;
        tierY.push_back(ty);
        right.emplace_back(x + tw, ty + droop);
        right.emplace_back(x + tw * 0.35f, ty - h * 0.01f);
        left.emplace_back(x - tw * rng.range(0.9f, 1.05f), ty + droop);
        left.emplace_back(x - tw * 0.35f, ty - h * 0.01f);
    }
    silhouette.moveTo(x, top - h * 0.02f);
    for (const QPointF& q : right)
        silhouette.lineTo(q);
    silhouette.lineTo(x, bottom + h * 0.02f);
    for (auto it = left.rbegin(); it != left.rend(); ++it)
        silhouette.lineTo(*it);
    silhouette.closeSubpath();
    p.setBrush(toQColor(t(body, base * 0.45f)));
    p.drawPath(silhouette);
    // The sunlit half: each tier's outer branches on the sun's side.
    const float sign = ld.x >= 0.0f ? 1.0f : -1.0f;
    const std::vector<QPointF>& lit = sign > 0.0f ? right : left;
    const QColor litColor = toQColor(t(body * 1.2f, base + 0.25f), 0.9f);
    const QColor snowColor = toQColor(t(pal.snow, base + 0.25f));
    for (int i = 1; i <= tiers; ++i) {
        const QPointF tip = lit[static_cast<size_t>(2 * i)];
        const QPointF inner = lit[static_cast<size_t>(2 * i - 1)];
        QPolygonF branch;
        branch << QPointF(x, tierY[static_cast<size_t>(i - 1)] + h * 0.01f) << tip
               << QPointF(inner.x(), inner.y() + h * 0.035f);
        p.setBrush(litColor);
        p.drawPolygon(branch);
        if (s.snowGround) {
            // Snow resting on top of each tier, across the whole tree.
            for (const std::vector<QPointF>* sideList : {&right, &left}) {
                const QPointF st = (*sideList)[static_cast<size_t>(2 * i)];
                const QPointF root(x, tierY[static_cast<size_t>(i - 1)]);
                const QPointF from = root + (st - root) * 0.3;
                const QPointF mid = (from + st) * 0.5;
                QPainterPath cap;
                cap.moveTo(from);
                cap.quadTo(mid - QPointF(0.0, h * 0.03f), st);
                cap.quadTo(mid - QPointF(0.0, h * 0.006f), from);
                p.setBrush(sideList == &lit ? snowColor
                                            : toQColor(t(pal.snow * 0.92f, base * 0.55f)));
                p.drawPath(cap);
            }
        }
    }
}

void paintBare(QPainter& p, const Tint& t, float x, float y, float h, Rng& rng, bool blossom) {
    const Scene& s = *t.scene;
    const Palette& pal = palette(s.season);
    const float base = baseLight(s);
    std::vector<QPointF> tips;
    BranchStyle st{toQColor(t(pal.trunk * (blossom ? 1.0f : 0.9f), base * 0.45f)), QColor(),
                   blossom ? &tips : nullptr, 2};
    if (s.season == Season::kWinter && (s.fog > 0.0f || s.mist > 0.4f || s.snowfall > 0.0f))
        st.frost = toQColor(t(pal.snow, base + 0.2f), 0.85f);
    const int depth = branchDepth(h) - (blossom ? 1 : 0);
    paintBranch(p, st, QPointF(x, y), rng.range(-0.06f, 0.06f), h * rng.range(0.27f, 0.33f),
                std::max(h * 0.045f, 0.8f), depth, rng);
    if (!blossom) return;
    // Blossom in fluffy masses along the twigs, a little fresh green showing between.
    const Rgb petal = rng.chance(0.5f) ? pal.blossom : hex(0xFDFBFF);
    paintCrown(p, t, petal, tipClumps(tips, std::max(h * 0.07f, 1.5f), rng), h, rng, 0.0f);
    p.setPen(Qt::NoPen);
    const LightDir ld = lightDir(s);
    const float r = std::max(0.7f, h * 0.011f);
    for (const QPointF& tip : tips) {
        const int n = 6 + rng.below(6);
        for (int i = 0; i < n; ++i) {
            const float a = rng.range(0.0f, 6.2832f);
            const float d = rng.range(0.0f, h * 0.08f);
            const float facing = std::cos(a) * ld.x + std::sin(a) * ld.y;
            const bool green = rng.chance(0.12f);
            const Rgb c = green ? pal.leaves[0] : petal * rng.range(0.9f, 1.02f);
            disc(p, toQColor(t(c, base * 0.55f + 0.45f * clamp01(facing + 0.4f))),
                 static_cast<float>(tip.x()) + std::cos(a) * d,
                 static_cast<float>(tip.y()) + std::sin(a) * d * 0.8f, r * rng.range(0.7f, 1.3f));
        }
    }
}

}  // namespace

TreeKind treeKindFor(const Scene& s, bool conifers, Rng& rng) {
    if (conifers) return TreeKind::kConifer;
    const float r = rng.uniform();
    switch (s.season) {
        case Season::kSpring:
            return r < 0.55f ? TreeKind::kBroadleaf
                             : (r < 0.88f ? TreeKind::kBlossom : TreeKind::kPoplar);
        case Season::kSummer:
            return r < 0.75f ? TreeKind::kBroadleaf
                             : (r < 0.9f ? TreeKind::kPoplar : TreeKind::kConifer);
        case Season::kAutumn:
            return r < 0.7f ? TreeKind::kBroadleaf
                            : (r < 0.85f ? TreeKind::kPoplar : TreeKind::kConifer);
        case Season::kWinter:
            return r < 0.72f ? TreeKind::kBare : TreeKind::kConifer;
    }
    return TreeKind::kBroadleaf;
}

void paintTree(QPainter& p, const Tint& tint, TreeKind kind, float x, float y, float h, Rng& rng) {
    const Palette& pal = palette(tint.scene->season);
    const Rgb leaf = rng.pick(pal.leaves) * rng.range(0.9f, 1.1f);
    switch (kind) {
        case TreeKind::kBroadleaf:
            paintBroadleaf(p, tint, x, y, h, rng, leaf);
            break;
        case TreeKind::kPoplar:
            paintPoplar(p, tint, x, y, h, rng, leaf);
            break;
        case TreeKind::kConifer:
            paintConifer(p, tint, x, y, h, rng);
            break;
        case TreeKind::kBare:
            paintBare(p, tint, x, y, h, rng, false);
            break;
        case TreeKind::kBlossom:
            paintBare(p, tint, x, y, h, rng, true);
            break;
    }
}

void paintLayerTrees(QPainter& p, const Scene& s, const Layer& l, Rng& rng, float loneTrees) {
    struct Spot {
        float x;
        float y;
        float h;
        TreeKind kind;
    };
    std::vector<Spot> spots;
    const float th = l.treeHeight;
    const float w = static_cast<float>(s.width);
    if (l.forest > 0.0f && th >= 9.0f) {
        const float step = th * (l.conifers ? 0.32f : 0.5f);
        for (int row = 0; row < 2; ++row) {
            for (float x = -step + rng.range(0.0f, step); x < w + step;
                 x += step * rng.range(0.7f, 1.2f)) {
                const float crest = l.crest(x);
                if (forestAt(l, x, crest + 2.0f) < 0.5f) continue;
                const float h = th * rng.range(0.75f, 1.2f);
                const float y =
                    crest + h * (row == 0 ? rng.range(0.1f, 0.35f) : rng.range(0.45f, 0.7f));
                spots.push_back({x, y, h, treeKindFor(s, l.conifers, rng)});
            }
        }
    }
    const int lone = static_cast<int>(loneTrees * w / 100.0f);
    const float band = std::max(l.baseY - l.peakY, 10.0f);
    for (int i = 0; i < lone; ++i) {
        const float x = rng.range(0.0f, w);
        const float y = l.crest(x) + rng.range(4.0f, band * 0.9f);
        if (forestAt(l, x, y) > 0.3f) continue;
        const float h =
            std::max(th, 4.0f) * rng.range(0.8f, 1.3f) * (1.0f + 0.5f * (y - l.crest(x)) / band);
        TreeKind kind = treeKindFor(s, false, rng);
        spots.push_back({x, y, h, kind});
    }
    std::sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.y < b.y; });
    for (const Spot& sp : spots) {
        const Tint tint{&s, &l, sp.x, sp.y};
        paintTree(p, tint, sp.kind, sp.x, sp.y, sp.h, rng);
    }
}

}  // namespace bggen
