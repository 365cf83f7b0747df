// What the air carries: snowflakes, falling leaves, drifting blossom; and the finishing light
// over the whole picture.
#pragma once

#include <QPainter>

#include "canvas.h"
#include "random.h"
#include "scene.h"

namespace bggen {

void paintSnowfall(QPainter& p, const Scene& scene, Rng& rng);
void paintFallingLeaves(QPainter& p, const Scene& scene, Rng& rng);
void paintPetals(QPainter& p, const Scene& scene, Rng& rng);

// Colour grade of the hour and a soft vignette that holds the eye in the middle.
void finishPicture(Canvas& canvas, const Scene& scene);

}  // namespace bggen
