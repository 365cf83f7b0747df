// Gradient noise and its fractal sums: the raw material of ridges, clouds, fields and mist.
#pragma once

#include <cstdint>

namespace bggen {

// About [-1, 1]; smooth; 0 at integer lattice points.
float noise1(float x, uint32_t seed);
float noise2(float x, float y, uint32_t seed);

// Fractal sums normalised back to about [-1, 1].
float fbm1(float x, int octaves, uint32_t seed);
float fbm2(float x, float y, int octaves, uint32_t seed);

// Ridged sum in [0, 1]: sharp crests where the noise crosses zero, like weathered rock.
float ridged1(float x, int octaves, uint32_t seed);

// Integer hash: 32 well-mixed bits, for several values drawn from one cell.
uint32_t hash32(int32_t x, int32_t y, uint32_t seed);

// Integer hash to [0, 1): for sprinkling stars, sparkles and flowers without a stream.
float hash01(int32_t x, int32_t y, uint32_t seed);

}  // namespace bggen
