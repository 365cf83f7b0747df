// The sky: gradient, sun or moon with their halo, clouds lit from the sun's side, stars.
#pragma once

#include "canvas.h"
#include "scene.h"

namespace bggen {

// The clear sky's colour at a point, halo included; below the horizon it is the horizon's.
Rgb skyColor(const Scene& scene, float x, float y);

// What distance fades into at column x: the sky just above the horizon there.
Rgb hazeColor(const Scene& scene, float x);

// Fills scene.hazeRow, which hazeColor then reads.
void prepareHaze(Scene& scene);

// Paints rows [0, rows): the land covers the rest.
void paintSky(Canvas& canvas, const Scene& scene, int rows);

// The halo once more, faintly, over the land: a low sun bleeds over the ridges.
void paintSunBloom(Canvas& canvas, const Scene& scene);

}  // namespace bggen
