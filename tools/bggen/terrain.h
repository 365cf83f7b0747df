// Bands of land from the far ranges to the grass at the viewer's feet. Each band has a crest
// line; the painter fills it from the crest down to the crest of the band in front of it.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "palette.h"
#include "random.h"
#include "scene.h"

namespace bggen {

enum class LayerKind { kMountains, kHills, kForeground };

struct Layer {
    LayerKind kind = LayerKind::kHills;
    float depth = 0.5f;       // 0 = at the viewer .. 1 = at the horizon
    float peakY = 0.0f;       // highest point of the crest
    float baseY = 0.0f;       // where the band's foot lies
    std::vector<float> top;   // crest line, one value per column
    float forest = 0.0f;      // share of the band under woods, 0..1
    float treeHeight = 0.0f;  // a grown tree at this distance, in pixels
    float snowLine = 0.0f;    // mountains: share of their height under snow
    bool fields = false;
    bool conifers = false;  // the woods are evergreen
    bool flat = false;      // level ground running to the horizon: haze grows row by row
    uint32_t seed = 0;

    float crest(float x) const {
        const int n = static_cast<int>(top.size());
        const int i = std::clamp(static_cast<int>(x + 0.5f), 0, n - 1);
        return top[static_cast<size_t>(i)];
    }
};

Layer makeMountains(const Scene& scene, Rng& rng, float depth, float baseY, float height);
Layer makeHills(const Scene& scene, Rng& rng, float depth, float baseY, float height);
// Nearly level ground whose crest undulates around crestY.
Layer makeGround(const Scene& scene, Rng& rng, float depth, float crestY, float undulation);
// A band that rises towards one or both edges: valley sides, a lake's near shore.
Layer makeSlopes(const Scene& scene, Rng& rng, float depth, float baseY, float height,
                 float leftRise, float rightRise);

// Adds the rounded or pointed tops of far woods to the crest line, where the crest is wooded.
void addCanopy(Layer& layer);

// 0..1: how much of the ground at this point is wood.
float forestAt(const Layer& layer, float x, float y);

// Distance haze, valley mist and fog laid over a colour on this band.
Rgb aerial(const Scene& scene, const Layer& layer, Rgb c, float x, float y);

// -1 = light comes from the left, 1 = from the right.
float sunSide(const Scene& scene);
// How brightly flat ground is lit, before slopes turn it to or from the sun.
float baseLight(const Scene& scene);

// Fills the band from its crest down to `until` (the crest of the band in front) or, without
// one, down to the line `floorY`.
void paintLayer(Canvas& canvas, const Scene& scene, const Layer& layer, const Layer* until,
                float floorY);

}  // namespace bggen
