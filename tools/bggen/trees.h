// Trees drawn with QPainter, from specks on far ridges to the big tree framing a meadow.
// Every painter takes albedos and a Tint, which lights them and fades them into the haze of
// the spot where the tree stands.
#pragma once

#include <QPainter>

#include "random.h"
#include "scene.h"
#include "terrain.h"

namespace bggen {

struct Tint {
    const Scene* scene;
    const Layer* layer;
    float x;
    float y;

    Rgb operator()(Rgb albedo, float lit) const {
        return aerial(*scene, *layer, shade(*scene, albedo, lit), x, y);
    }
};

enum class TreeKind { kBroadleaf, kConifer, kPoplar, kBare, kBlossom };

// (x, y) is the foot of the trunk; h the height in pixels.
void paintTree(QPainter& p, const Tint& tint, TreeKind kind, float x, float y, float h, Rng& rng);

// Which kind fits the season and the woods of a band.
TreeKind treeKindFor(const Scene& scene, bool conifers, Rng& rng);

// Trees along the wooded parts of a band's crest, and a few standing alone in its fields.
void paintLayerTrees(QPainter& p, const Scene& scene, const Layer& layer, Rng& rng,
                     float loneTrees);

}  // namespace bggen
