#include "noise.h"

#include <cmath>
#include <utility>

namespace bggen {
namespace {

uint32_t mixBits(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

uint32_t hashCell(int32_t x, int32_t y, uint32_t seed) {
    return mixBits(static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                   seed * 0xCB1AB31Fu);
}

// Lattice hashing by a permutation table: two lookups per corner instead of a full integer
// hash, which matters because most of a picture's time goes into noise. The seed shifts the
// lattice, so different seeds read different parts of the same endless pattern.
struct Permutation {
    uint8_t p[512];
    Permutation() {
        uint8_t v[256];
        for (int i = 0; i < 256; ++i)
            v[i] = static_cast<uint8_t>(i);
        uint32_t state = 0x1234567u;
        for (int i = 255; i > 0; --i) {
            state = mixBits(state + 0x9E3779B9u);
            const int j = static_cast<int>(state % static_cast<uint32_t>(i + 1));
            std::swap(v[i], v[j]);
        }
        for (int i = 0; i < 512; ++i)
            p[i] = v[i & 255];
    }
};

const Permutation kPerm;

inline int fastFloor(float x) {
    const int i = static_cast<int>(x);
    return x < static_cast<float>(i) ? i - 1 : i;
}

inline int lattice(int32_t ix, int32_t iy) {
    return kPerm.p[kPerm.p[ix & 255] + (iy & 255)];
}

// Quintic fade: continuous second derivative, so shaded slopes show no creases.
float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float grad1(int32_t i, uint32_t seed) {
    return static_cast<float>(
               lattice(i + static_cast<int32_t>(seed & 0xFFFu), static_cast<int32_t>(seed >> 12))) /
               127.5f -
           1.0f;
}

// Sixteen evenly spread directions; fewer show as diagonal grain in clouds.
float grad2(int32_t ix, int32_t iy, float dx, float dy) {
    static const float kDirs[16][2] = {
        {1.0f, 0.0f},  {0.92388f, 0.38268f},   {0.70711f, 0.70711f},   {0.38268f, 0.92388f},
        {0.0f, 1.0f},  {-0.38268f, 0.92388f},  {-0.70711f, 0.70711f},  {-0.92388f, 0.38268f},
        {-1.0f, 0.0f}, {-0.92388f, -0.38268f}, {-0.70711f, -0.70711f}, {-0.38268f, -0.92388f},
        {0.0f, -1.0f}, {0.38268f, -0.92388f},  {0.70711f, -0.70711f},  {0.92388f, -0.38268f}};
    const float* d = kDirs[lattice(ix, iy) & 15];
    return d[0] * dx + d[1] * dy;
}

}  // namespace

float noise1(float x, uint32_t seed) {
    const int32_t i = fastFloor(x);
    const float t = x - static_cast<float>(i);
    const float a = grad1(i, seed) * t;
    const float b = grad1(i + 1, seed) * (t - 1.0f);
    return 2.0f * (a + (b - a) * fade(t));
}

float noise2(float x, float y, uint32_t seed) {
    const int32_t ix = fastFloor(x);
    const int32_t iy = fastFloor(y);
    const float tx = x - static_cast<float>(ix);
    const float ty = y - static_cast<float>(iy);
    const uint32_t sh = mixBits(seed);
    const int32_t ox = ix + static_cast<int32_t>(sh & 255u);
    const int32_t oy = iy + static_cast<int32_t>((sh >> 8) & 255u);
    const float n00 = grad2(ox, oy, tx, ty);
    const float n10 = grad2(ox + 1, oy, tx - 1.0f, ty);
    const float n01 = grad2(ox, oy + 1, tx, ty - 1.0f);
    const float n11 = grad2(ox + 1, oy + 1, tx - 1.0f, ty - 1.0f);
    const float u = fade(tx);
    const float v = fade(ty);
    const float a = n00 + (n10 - n00) * u;
    const float b = n01 + (n11 - n01) * u;
    return 1.4142f * (a + (b - a) * v);
}

float fbm1(float x, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amp = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise1(x, seed + static_cast<uint32_t>(o) * 101u);
        norm += amp;
        amp *= 0.5f;
        x *= 2.03f;
    }
    return sum / norm;
}

float fbm2(float x, float y, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amp = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise2(x, y, seed + static_cast<uint32_t>(o) * 131u);
        norm += amp;
        amp *= 0.5f;
        // Rotating each octave a little hides the lattice.
        const float nx = x * 1.6f - y * 1.2f;
        const float ny = x * 1.2f + y * 1.6f;
        x = nx + 17.3f;
        y = ny - 5.1f;
    }
    return sum / norm;
}

float ridged1(float x, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amp = 1.0f;
    float norm = 0.0f;
    float weight = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        float n = 1.0f - std::fabs(noise1(x, seed + static_cast<uint32_t>(o) * 71u));
        n *= n;
        // Finer detail only where the coarse crest is high: smooth valleys, craggy peaks.
        sum += amp * n * weight;
        norm += amp;
        weight = n;
        amp *= 0.5f;
        x *= 2.1f;
    }
    return sum / norm;
}

uint32_t hash32(int32_t x, int32_t y, uint32_t seed) {
    return hashCell(x, y, seed);
}

float hash01(int32_t x, int32_t y, uint32_t seed) {
    return static_cast<float>(hashCell(x, y, seed) >> 8) / 16777216.0f;
}

}  // namespace bggen
