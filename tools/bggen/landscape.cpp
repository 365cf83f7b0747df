#include "landscape.h"

#include <QPainter>
#include <vector>

#include "canvas.h"
#include "features.h"
#include "foreground.h"
#include "scene.h"
#include "sky.h"
#include "terrain.h"
#include "trees.h"
#include "water.h"
#include "weather.h"

namespace bggen {
namespace {

// What is drawn on a band once its ground is painted.
struct Decor {
    float loneTrees = 0.0f;  // per 100 pixels of width
    bool village = false;
    bool well = false;
    bool grass = false;
    float ground = 0.0f;    // flowers, leaf litter or snow glints
    int bigTrees = 0;       // large trees framing the view
    bool loneTree = false;  // one tree standing out in the middle distance
};

struct Band {
    Layer layer;
    Decor decor;
};

struct Plan {
    std::vector<Band> bands;
    int shore = -1;  // the band in front of the lake; -1 without one
};

float snowLineFor(Season s, bool far) {
    switch (s) {
        case Season::kSpring:
            return far ? 0.45f : 0.1f;
        case Season::kSummer:
            return far ? 0.2f : 0.0f;
        case Season::kAutumn:
            return far ? 0.25f : 0.0f;
        case Season::kWinter:
            return far ? 0.9f : 0.6f;
    }
    return 0.0f;
}

Band mountains(const Scene& s, Rng& rng, float depth, float base, float height, bool far) {
    Band b{makeMountains(s, rng, depth, base, height), {}};
    b.layer.snowLine = snowLineFor(s.season, far) * rng.range(0.8f, 1.15f);
    return b;
}

Band woodedHills(const Scene& s, Rng& rng, float depth, float base, float height, float forest,
                 float treeHeight, bool conifers) {
    Band b{makeHills(s, rng, depth, base, height), {}};
    b.layer.forest = forest;
    b.layer.treeHeight = treeHeight;
    b.layer.conifers = conifers;
    return b;
}

bool evergreen(const Scene& s, Rng& rng, float chance) {
    return rng.chance(s.season == Season::kWinter ? chance + 0.2f : chance);
}

Band meadow(const Scene& s, Rng& rng, float crestY, float undulation) {
    Band b{makeGround(s, rng, 0.05f, crestY, undulation), {}};
    b.decor.grass = true;
    b.decor.ground = s.season == Season::kWinter ? 0.6f : rng.range(0.4f, 1.0f);
    return b;
}

Plan planMountainLake(const Scene& s, Rng& rng) {
    const float h = static_cast<float>(s.height);
    const float wy = s.waterY;
    Plan plan;
    plan.bands.push_back(mountains(s, rng, 0.95f, wy + 3.0f, h * rng.range(0.2f, 0.32f), true));
    Band mid = mountains(s, rng, 0.75f, wy + 3.0f, h * rng.range(0.07f, 0.14f), false);
    mid.layer.snowLine *= 0.5f;
    plan.bands.push_back(mid);
    Band shoreWood = woodedHills(s, rng, 0.5f, wy + 3.0f, rng.range(6.0f, 18.0f), 0.85f,
                                 rng.range(10.0f, 15.0f), evergreen(s, rng, 0.55f));
    plan.bands.push_back(shoreWood);
    const bool left = rng.chance(0.5f);
    Band shore{makeSlopes(s, rng, 0.06f, h + 5.0f, h - wy + rng.range(10.0f, 50.0f),
                          left ? rng.range(0.8f, 1.05f) : rng.range(0.05f, 0.35f),
                          left ? rng.range(0.05f, 0.35f) : rng.range(0.8f, 1.05f)),
               {}};
    shore.layer.kind = LayerKind::kForeground;
    shore.decor.grass = true;
    shore.decor.ground = rng.range(0.2f, 0.6f);
    shore.decor.bigTrees = rng.chance(0.45f) ? 1 : 0;
    plan.shore = static_cast<int>(plan.bands.size());
    plan.bands.push_back(shore);
    return plan;
}

Plan planHills(const Scene& s, Rng& rng) {
    const float hz = s.horizon;
    const float h = static_cast<float>(s.height);
    Plan plan;
    if (rng.chance(0.4f))
        plan.bands.push_back(mountains(s, rng, 0.97f, hz + 8.0f, rng.range(40.0f, 80.0f), true));
    Band far = woodedHills(s, rng, 0.85f, hz + 16.0f, rng.range(22.0f, 42.0f), 0.35f, 3.0f, false);
    far.layer.fields = true;
    addCanopy(far.layer);
    plan.bands.push_back(far);
    Band mid = woodedHills(s, rng, 0.6f, hz + 70.0f, rng.range(45.0f, 75.0f), 0.22f,
                           rng.range(9.0f, 13.0f), evergreen(s, rng, 0.2f));
    mid.layer.fields = true;
    mid.decor.loneTrees = 1.2f;
    mid.decor.village = s.village;
    plan.bands.push_back(mid);
    Band near = woodedHills(s, rng, 0.32f, hz + 150.0f, rng.range(55.0f, 85.0f), 0.12f,
                            rng.range(24.0f, 32.0f), false);
    near.layer.fields = rng.chance(0.7f);
    near.decor.loneTrees = 0.35f;
    plan.bands.push_back(near);
    Band front = meadow(s, rng, h - rng.range(45.0f, 85.0f), rng.range(8.0f, 20.0f));
    front.decor.bigTrees = rng.chance(0.35f) ? 1 : 0;
    plan.bands.push_back(front);
    return plan;
}

Plan planPlain(const Scene& s, Rng& rng) {
    const float hz = s.horizon;
    const float h = static_cast<float>(s.height);
    Plan plan;
    Band line = woodedHills(s, rng, 0.97f, hz + 2.0f, rng.range(4.0f, 12.0f), 0.5f, 3.0f, false);
    addCanopy(line.layer);
    plan.bands.push_back(line);
    Band plain{makeGround(s, rng, 0.9f, hz + 1.5f, 0.8f), {}};
    plain.layer.kind = LayerKind::kHills;
    plain.layer.flat = true;
    plain.layer.fields = true;
    plain.layer.forest = 0.08f;
    plain.layer.treeHeight = 12.0f;
    plain.layer.peakY = hz;
    plain.layer.baseY = hz + 4.0f;
    plain.decor.loneTrees = 0.8f;
    plain.decor.well = s.sweepWell;
    plan.bands.push_back(plain);
    plan.bands.push_back(meadow(s, rng, h - rng.range(18.0f, 40.0f), rng.range(3.0f, 8.0f)));
    return plan;
}

Plan planValley(const Scene& s, Rng& rng) {
    const float hz = s.horizon;
    const float h = static_cast<float>(s.height);
    Plan plan;
    const float floorY = s.lake ? s.waterY + 3.0f : hz + 30.0f;
    plan.bands.push_back(mountains(s, rng, 0.96f, floorY, rng.range(90.0f, 150.0f), true));
    plan.bands.push_back(woodedHills(s, rng, 0.78f, floorY, rng.range(25.0f, 55.0f), 0.7f, 4.0f,
                                     evergreen(s, rng, 0.4f)));
    addCanopy(plan.bands.back().layer);
    const bool leftFirst = rng.chance(0.5f);
    Band side1{
        makeSlopes(s, rng, 0.45f, floorY + rng.range(30.0f, 60.0f), rng.range(110.0f, 170.0f),
                   leftFirst ? 1.0f : 0.0f, leftFirst ? 0.0f : 1.0f),
        {}};
    side1.layer.forest = 0.7f;
    side1.layer.treeHeight = rng.range(12.0f, 16.0f);
    side1.layer.conifers = evergreen(s, rng, 0.35f);
    side1.decor.village = s.village;
    if (s.lake) plan.shore = static_cast<int>(plan.bands.size());
    plan.bands.push_back(side1);
    Band side2{makeSlopes(s, rng, 0.26f, h + 5.0f, rng.range(150.0f, 230.0f),
                          leftFirst ? 0.0f : 1.0f, leftFirst ? 1.0f : 0.0f),
               {}};
    side2.layer.forest = 0.6f;
    side2.layer.treeHeight = rng.range(20.0f, 28.0f);
    side2.layer.conifers = evergreen(s, rng, 0.35f);
    plan.bands.push_back(side2);
    plan.bands.push_back(meadow(s, rng, h - rng.range(25.0f, 50.0f), rng.range(6.0f, 14.0f)));
    return plan;
}

Plan planMeadow(const Scene& s, Rng& rng) {
    const float hz = s.horizon;
    Plan plan;
    if (rng.chance(0.5f))
        plan.bands.push_back(mountains(s, rng, 0.93f, hz + 12.0f, rng.range(50.0f, 100.0f), true));
    else
        plan.bands.push_back(
            woodedHills(s, rng, 0.9f, hz + 12.0f, rng.range(25.0f, 45.0f), 0.5f, 3.0f, false));
    addCanopy(plan.bands.back().layer);
    plan.bands.push_back(woodedHills(s, rng, 0.65f, hz + 40.0f, rng.range(25.0f, 45.0f), 0.55f,
                                     rng.range(8.0f, 11.0f), evergreen(s, rng, 0.3f)));
    Band front = meadow(s, rng, hz + rng.range(40.0f, 70.0f), rng.range(10.0f, 18.0f));
    front.decor.ground = s.season == Season::kWinter ? 0.7f : rng.range(0.8f, 1.4f);
    // Framed by a big tree, or a single tree out in the meadow, or just the open land.
    const float pick = rng.uniform();
    front.decor.bigTrees = pick < 0.45f ? 1 : 0;
    front.decor.loneTree = pick >= 0.45f && pick < 0.8f;
    plan.bands.push_back(front);
    return plan;
}

Plan planMistyForest(const Scene& s, Rng& rng) {
    const float hz = s.horizon;
    const float h = static_cast<float>(s.height);
    Plan plan;
    const bool conifers = evergreen(s, rng, 0.55f);
    const float depths[] = {0.95f, 0.8f, 0.63f, 0.46f, 0.3f};
    const float trees[] = {3.0f, 5.0f, 9.5f, 14.0f, 22.0f};
    float base = hz + 6.0f;
    for (int i = 0; i < 5; ++i) {
        Band b = woodedHills(s, rng, depths[i], base, rng.range(35.0f, 75.0f), i < 4 ? 1.0f : 0.8f,
                             trees[i], conifers || (i > 2 && rng.chance(0.3f)));
        addCanopy(b.layer);
        if (s.lake && i == 2) plan.shore = static_cast<int>(plan.bands.size());
        plan.bands.push_back(b);
        base += (s.lake && i == 1) ? (s.waterY - base + 40.0f) : rng.range(22.0f, 40.0f);
    }
    Band front = meadow(s, rng, h - rng.range(30.0f, 60.0f), rng.range(8.0f, 16.0f));
    front.decor.bigTrees = rng.chance(0.5f) ? 2 : 1;
    plan.bands.push_back(front);
    return plan;
}

Plan planFor(const Scene& s, Rng& rng) {
    switch (s.layout) {
        case Layout::kMountainLake:
            return planMountainLake(s, rng);
        case Layout::kHills:
            return planHills(s, rng);
        case Layout::kPlain:
            return planPlain(s, rng);
        case Layout::kValley:
            return planValley(s, rng);
        case Layout::kMeadow:
            return planMeadow(s, rng);
        case Layout::kMistyForest:
            return planMistyForest(s, rng);
    }
    return planHills(s, rng);
}

TreeKind bigTreeKind(const Scene& s, Rng& rng) {
    switch (s.season) {
        case Season::kSpring:
            return rng.chance(0.6f) ? TreeKind::kBlossom : TreeKind::kBroadleaf;
        case Season::kSummer:
            return rng.chance(0.85f) ? TreeKind::kBroadleaf : TreeKind::kConifer;
        case Season::kAutumn:
            return rng.chance(0.85f) ? TreeKind::kBroadleaf : TreeKind::kConifer;
        case Season::kWinter:
            return rng.chance(0.65f) ? TreeKind::kBare : TreeKind::kConifer;
    }
    return TreeKind::kBroadleaf;
}

void decorate(QPainter& p, const Scene& s, const Band& band, Rng& rng) {
    const Layer& l = band.layer;
    const Decor& d = band.decor;
    const float w = static_cast<float>(s.width);
    if (d.grass) paintGrass(p, s, l, rng);
    if (d.ground > 0.0f) paintGroundDetail(p, s, l, rng, d.ground);
    paintLayerTrees(p, s, l, rng, d.loneTrees);
    if (d.village) paintVillage(p, s, l, rng);
    if (d.well) {
        const float x = w * rng.range(0.15f, 0.85f);
        const float y = s.horizon + rng.range(25.0f, 55.0f);
        paintSweepWell(p, s, l, x, y, (y - s.horizon) * rng.range(2.2f, 2.8f));
    }
    if (d.loneTree) {
        const float x = w * rng.range(0.3f, 0.7f);
        const float y = l.crest(x) + rng.range(6.0f, 30.0f);
        const Tint tint{&s, &l, x, y};
        paintTree(p, tint, bigTreeKind(s, rng), x, y,
                  rng.range(0.2f, 0.3f) * static_cast<float>(s.height), rng);
    }
    // Big trees stand near the edges, leaving the middle of the view open.
    bool left = rng.chance(0.5f);
    for (int i = 0; i < d.bigTrees; ++i, left = !left) {
        const float x = left ? w * rng.range(0.06f, 0.3f) : w * rng.range(0.7f, 0.94f);
        const float y =
            std::min(l.crest(x) + rng.range(25.0f, 80.0f), static_cast<float>(s.height) - 8.0f);
        const float h = rng.range(0.45f, 0.6f) * static_cast<float>(s.height);
        const Tint tint{&s, &l, x, y};
        paintTree(p, tint, bigTreeKind(s, rng), x, y, h, rng);
    }
}

}  // namespace

QImage renderBackground(int number, int width, int height) {
    Scene scene = makeScene(number, width, height);
    prepareHaze(scene);
    Rng rng(static_cast<uint64_t>(number) * 104729u + 3u);
    Canvas canvas(width, height);
    const Plan plan = planFor(scene, rng);
    // Below the farthest band's crest the land covers everything.
    float skyEnd = scene.horizon;
    for (float t : plan.bands.front().layer.top)
        skyEnd = std::max(skyEnd, t);
    paintSky(canvas, scene, static_cast<int>(skyEnd) + 2);

    const auto count = static_cast<int>(plan.bands.size());
    for (int i = 0; i < count; ++i) {
        const Band& band = plan.bands[static_cast<size_t>(i)];
        if (i == plan.shore) paintWater(canvas, scene, band.layer);
        const bool behindLake = plan.shore >= 0 && i < plan.shore;
        const Layer* front = (i + 1 < count && !behindLake)
                                 ? &plan.bands[static_cast<size_t>(i + 1)].layer
                                 : nullptr;
        const float floorY = behindLake ? scene.waterY + 2.0f : static_cast<float>(height);
        paintLayer(canvas, scene, band.layer, front, floorY);
        QPainter p(&canvas.image());
        p.setRenderHint(QPainter::Antialiasing);
        Rng bandRng = rng.fork(static_cast<uint64_t>(i));
        decorate(p, scene, band, bandRng);
    }

    paintSunBloom(canvas, scene);
    {
        QPainter p(&canvas.image());
        p.setRenderHint(QPainter::Antialiasing);
        Rng airRng = rng.fork(99);
        paintFallingLeaves(p, scene, airRng);
        paintPetals(p, scene, airRng);
        paintSnowfall(p, scene, airRng);
    }
    finishPicture(canvas, scene);
    return canvas.image().convertToFormat(QImage::Format_RGB32);
}

}  // namespace bggen
