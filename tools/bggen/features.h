// Signs of people in the land: a village with its church, the sweep well of the plains.
#pragma once

#include <QPainter>

#include "random.h"
#include "scene.h"
#include "terrain.h"

namespace bggen {

// A cluster of houses around a church on the band's slope.
void paintVillage(QPainter& p, const Scene& scene, const Layer& layer, Rng& rng);

// A sweep well standing at (x, y), h pixels tall to the raised end of its pole.
void paintSweepWell(QPainter& p, const Scene& scene, const Layer& layer, float x, float y, float h);

}  // namespace bggen
