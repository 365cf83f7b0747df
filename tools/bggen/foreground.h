// The ground at the viewer's feet: grass blades against the distance, flowers, fallen leaves,
// sparkling snow.
#pragma once

#include <QPainter>

#include "random.h"
#include "scene.h"
#include "terrain.h"

namespace bggen {

// Blades along the crest and tufts over the band, in the season's colours.
void paintGrass(QPainter& p, const Scene& scene, const Layer& layer, Rng& rng);

// Wild flowers (spring, summer), leaf litter (autumn) or glinting snow crystals (winter).
void paintGroundDetail(QPainter& p, const Scene& scene, const Layer& layer, Rng& rng, float amount);

}  // namespace bggen
