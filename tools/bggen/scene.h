// What one background shows: season, hour, weather, the kind of landscape, and the light
// that follows from them. Chosen once from the picture number, then only read by the painters.
#pragma once

#include <cstdint>
#include <vector>

#include "color.h"

namespace bggen {

enum class Season { kSpring = 1, kSummer = 2, kAutumn = 3, kWinter = 4 };

enum class DayTime { kDawn, kMorning, kMidday, kGolden, kSunset, kOvercast, kNight };

enum class Layout {
    kMountainLake,  // ranges behind a lake that mirrors them
    kHills,         // rolling farmland with hedges, poplars and a lone tree
    kPlain,         // the wide flat land: big sky, a sweep well, fields to the horizon
    kValley,        // wooded slopes closing in on both sides
    kMeadow,        // a close meadow under a large tree
    kMistyForest,   // ranks of wooded ridges fading into mist
};

enum class Clouds { kClear, kCumulus, kStreaks, kOvercast };

struct Lighting {
    Rgb zenith;   // top of the sky
    Rgb upper;    // sky a third of the way down
    Rgb horizon;  // sky at the horizon, far from the sun
    Rgb glow;     // halo around the sun, strongest at the horizon
    Rgb sun;      // the disc
    Rgb direct;   // light on faces turned to the sun
    Rgb ambient;  // light in shadow: mostly the sky's colour
    float sunX = 0.0f;
    float sunY = 0.0f;
    float sunRadius = 0.0f;
    float glowSize = 1.0f;  // 1 = a normal halo; dawn and dusk spread it wider
    bool moon = false;
    float stars = 0.0f;  // 0..1
};

struct Scene {
    int number = 0;
    Season season = Season::kSpring;
    DayTime time = DayTime::kMidday;
    Layout layout = Layout::kHills;
    Clouds clouds = Clouds::kCumulus;
    float cloudCover = 0.4f;  // 0..1

    int width = 0;
    int height = 0;
    float horizon = 0.0f;  // eye level in pixels from the top

    Lighting light;
    float haze = 0.5f;  // how quickly distance fades into the sky: 0..1
    float mist = 0.0f;  // mist lying in the valleys: 0..1
    float fog = 0.0f;   // fog over everything, denser with distance: 0..1

    bool lake = false;
    bool frozen = false;      // the lake has iced over
    float waterY = 0.0f;      // the lake's surface line
    bool snowGround = false;  // the land lies under snow
    float snowfall = 0.0f;    // 0..1
    float leaves = 0.0f;      // falling leaves, 0..1
    float petals = 0.0f;      // drifting blossom, 0..1
    bool village = false;
    bool sweepWell = false;

    uint32_t seed = 0;

    // The colour distance fades into, per column; filled once the light is known, because
    // every pixel of land asks for it.
    std::vector<Rgb> hazeRow;
};

// Picture numbers run 1001..1100 (spring) .. 4001..4100 (winter).
Scene makeScene(int number, int width, int height);

// Sunlit albedo under the scene's light: 0 = in shadow, 1 = facing the sun.
Rgb shade(const Scene& scene, Rgb albedo, float lit);

}  // namespace bggen
