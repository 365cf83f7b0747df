// Patchwork farmland seen in perspective: fields of different crops with ploughed rows,
// separated here and there by hedges.
#pragma once

#include "palette.h"
#include "scene.h"

namespace bggen {

// Albedo of the farmland at a screen point, on land whose foot lies at footY.
Rgb fieldAlbedo(const Scene& scene, const Palette& pal, float x, float y, float footY,
                uint32_t seed);

}  // namespace bggen
