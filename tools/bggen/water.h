// A lake: the land above the water line mirrored in it, broken by ripples, with the sun's
// glitter; in hard winters a sheet of ice with snow drifts instead.
#pragma once

#include "canvas.h"
#include "scene.h"
#include "terrain.h"

namespace bggen {

// Paints from the scene's water line down to the crest of `front`, the near shore.
void paintWater(Canvas& canvas, const Scene& scene, const Layer& front);

}  // namespace bggen
