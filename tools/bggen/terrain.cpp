#include "terrain.h"

#include <cmath>

#include "fields.h"
#include "noise.h"
#include "sky.h"

namespace bggen {
namespace {

// Rescales a profile to 0..1 over the picture so every band really spans its height.
void normalise(std::vector<float>& v) {
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    const float a = *lo;
    const float span = std::max(*hi - a, 1e-4f);
    for (float& f : v)
        f = (f - a) / span;
}

Layer makeBand(const Scene& s, Rng& rng, LayerKind kind, float depth, float baseY, float height) {
    Layer l;
    l.kind = kind;
    l.depth = depth;
    l.baseY = baseY;
    l.peakY = baseY - height;
    l.seed = static_cast<uint32_t>(rng.next());
    l.top.resize(static_cast<size_t>(s.width));
    return l;
}

// Albedo of grassland, with sunburnt or faded patches.
Rgb grassAlbedo(const Palette& pal, float x, float y, uint32_t seed) {
    const float patch = noise2(x * 0.012f, y * 0.035f, seed + 41u);
    return mix(pal.grass, pal.grassDry, smoothstep(-0.1f, 0.6f, patch) * 0.7f);
}

struct Canopy {
    Rgb albedo;
    float light;  // added to the ground's light: the crown's own shading
};

// Crown colour of one tree of a wood, by season.
Rgb crownAlbedo(const Scene& s, const Layer& l, const Palette& pal, uint32_t h) {
    const float r = static_cast<float>(h & 0xFFFF) / 65536.0f;
    const float r2 = static_cast<float>((h >> 16) & 0xFFFF) / 65536.0f;
    if (l.conifers || r < (s.season == Season::kWinter ? 0.2f : 0.1f)) {
        // In winter the spruces carry snow on every branch.
        return s.season == Season::kWinter ? mix(pal.conifer, pal.snow, 0.4f + 0.3f * r2)
                                           : pal.conifer * (0.9f + 0.2f * r2);
    }
    const auto& lv = pal.leaves;
    switch (s.season) {
        case Season::kSpring:
            // Here and there a wild cherry or blackthorn in flower.
            if (r > 0.93f) return mix(pal.blossom, hex(0xFFFFFF), r2);
            return lv[static_cast<size_t>(r2 * static_cast<float>(lv.size())) % lv.size()];
        case Season::kWinter:
            // Bare crowns: a haze of purple-brown twigs over the snow.
            return mix(hex(0x6E6460), pal.snow, 0.3f + 0.25f * r2);
        default:
            return lv[static_cast<size_t>(r2 * static_cast<float>(lv.size())) % lv.size()] *
                   (0.92f + 0.16f * r);
    }
}

// Woods seen from afar as a canopy of single round crowns, the nearer (lower) ones overlapping
// those behind, each lit on the sun's side and shaded underneath.
Canopy canopyAt(const Scene& s, const Layer& l, const Palette& pal, float x, float y, float side) {
    const float c = std::max(l.treeHeight * (l.conifers ? 0.3f : 0.42f), 1.5f);
    const float gx = x / c;
    const float gy = y / (c * 0.8f);
    const int cx = static_cast<int>(std::floor(gx));
    const int cy = static_cast<int>(std::floor(gy));
    float bestY = -1e9f;
    float nearest = 1e9f;
    float ox = 0.0f;
    float oy = 0.0f;
    uint32_t id = 0;
    bool covered = false;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int ix = cx + i;
            const int iy = cy + j;
            // One hash gives the crown's place, size and colour.
            const uint32_t cell = hash32(ix, iy, l.seed + 31u);
            const float px =
                static_cast<float>(ix) + 0.15f + 0.7f * static_cast<float>(cell & 0xFFu) / 255.0f;
            const float py = static_cast<float>(iy) + 0.15f +
                             0.7f * static_cast<float>((cell >> 8) & 0xFFu) / 255.0f;
            const float r = 0.62f + 0.25f * static_cast<float>((cell >> 16) & 0xFFu) / 255.0f;
            const float dx = gx - px;
            const float dy = gy - py;
            const float d = std::sqrt(dx * dx + dy * dy);
            const bool inside = d < r;
            // The front-most crown covering the point wins; else the nearest one, in shade.
            if ((inside && (!covered || py > bestY)) || (!covered && !inside && d < nearest)) {
                if (inside) {
                    covered = true;
                    bestY = py;
                }
                nearest = d;
                ox = dx / r;
                oy = dy / r;
                id = cell * 0x9E3779B1u;
            }
        }
    }
    const Rgb albedo = crownAlbedo(s, l, pal, id);
    // Bare winter crowns are see-through twigs: hardly any shape or shadow of their own.
    const bool bare =
        s.season == Season::kWinter && !l.conifers && luma(albedo) > 0.45f && albedo.r > albedo.b;
    const float k = bare ? 0.35f : 1.0f;
    const float facing = std::clamp(ox * side * 0.9f - oy * 0.8f, -1.0f, 1.0f);
    const float under = smoothstep(0.3f, 1.0f, oy);
    const float light = covered ? k * (0.17f * facing - 0.1f * under) : -0.28f * k;
    return {albedo, light};
}

}  // namespace

float sunSide(const Scene& s) {
    const float w = static_cast<float>(s.width);
    return std::clamp((s.light.sunX - w * 0.5f) / (w * 0.35f), -1.0f, 1.0f);
}

float baseLight(const Scene& s) {
    switch (s.time) {
        case DayTime::kDawn:
            return 0.46f;
        case DayTime::kMorning:
            return 0.6f;
        case DayTime::kMidday:
            return 0.72f;
        case DayTime::kGolden:
            return 0.55f;
        case DayTime::kSunset:
            return 0.42f;
        case DayTime::kOvercast:
            return 0.55f;
        case DayTime::kNight:
            return 0.5f;
    }
    return 0.6f;
}

Layer makeMountains(const Scene& s, Rng& rng, float depth, float baseY, float height) {
    Layer l = makeBand(s, rng, LayerKind::kMountains, depth, baseY, height);
    const float f = rng.range(0.0022f, 0.004f);
    const float off = rng.range(0.0f, 100.0f);
    // A broad massif carries the craggy ridge, so the range has a few summits rather than a
    // comb of equal spikes.
    const float massif = rng.range(0.45f, 0.7f);
    for (size_t i = 0; i < l.top.size(); ++i) {
        const float x = static_cast<float>(i);
        l.top[i] = (1.0f - massif) * ridged1(x * f + off, 4, l.seed) +
                   massif * (0.5f + 0.5f * fbm1(x * f * 0.35f + off, 2, l.seed + 1u));
    }
    normalise(l.top);
    for (float& t : l.top)
        t = baseY - height * (0.12f + 0.88f * std::pow(t, 1.3f));
    return l;
}

Layer makeHills(const Scene& s, Rng& rng, float depth, float baseY, float height) {
    Layer l = makeBand(s, rng, LayerKind::kHills, depth, baseY, height);
    const float f = rng.range(0.003f, 0.007f);
    const float off = rng.range(0.0f, 100.0f);
    for (size_t i = 0; i < l.top.size(); ++i) {
        const float x = static_cast<float>(i);
        l.top[i] = fbm1(x * f + off, 3, l.seed);
    }
    normalise(l.top);
    for (float& t : l.top)
        t = baseY - height * (0.1f + 0.9f * t);
    return l;
}

Layer makeGround(const Scene& s, Rng& rng, float depth, float crestY, float undulation) {
    Layer l = makeBand(s, rng, LayerKind::kForeground, depth, static_cast<float>(s.height) + 10.0f,
                       static_cast<float>(s.height) + 10.0f - crestY + undulation);
    const float f = rng.range(0.004f, 0.009f);
    const float off = rng.range(0.0f, 100.0f);
    for (size_t i = 0; i < l.top.size(); ++i)
        l.top[i] = crestY + undulation * fbm1(static_cast<float>(i) * f + off, 3, l.seed);
    return l;
}

Layer makeSlopes(const Scene& s, Rng& rng, float depth, float baseY, float height, float leftRise,
                 float rightRise) {
    Layer l = makeBand(s, rng, LayerKind::kHills, depth, baseY, height);
    const float w = static_cast<float>(s.width);
    const float f = rng.range(0.004f, 0.008f);
    const float off = rng.range(0.0f, 100.0f);
    for (size_t i = 0; i < l.top.size(); ++i) {
        const float x = static_cast<float>(i) / w;
        const float sides = leftRise * std::pow(1.0f - x, 2.2f) + rightRise * std::pow(x, 2.2f);
        const float n = 0.5f + 0.5f * fbm1(static_cast<float>(i) * f + off, 3, l.seed);
        l.top[i] = baseY - height * std::clamp(0.12f * n + sides * (0.75f + 0.25f * n), 0.0f, 1.2f);
    }
    return l;
}

void addCanopy(Layer& l) {
    if (l.forest <= 0.0f || l.treeHeight <= 0.0f) return;
    const float crownW = std::max(l.treeHeight * (l.conifers ? 0.45f : 0.8f), 1.5f);
    for (size_t i = 0; i < l.top.size(); ++i) {
        const float x = static_cast<float>(i);
        const float wood = forestAt(l, x, l.top[i] + 1.0f);
        if (wood <= 0.0f) continue;
        const float cell = x / crownW;
        const auto ci = static_cast<int32_t>(std::floor(cell));
        const float fx = cell - std::floor(cell);
        const float h = 0.55f + 0.45f * hash01(ci, 5, l.seed);
        const float tri = 1.0f - std::fabs(fx * 2.0f - 1.0f);
        const float bump =
            l.conifers ? tri : std::sqrt(std::max(0.0f, 1.0f - (1.0f - tri) * (1.0f - tri)));
        l.top[i] -= wood * l.treeHeight * h * bump;
    }
}

float forestAt(const Layer& l, float x, float y) {
    if (l.forest <= 0.0f) return 0.0f;
    if (l.forest >= 1.0f) return 1.0f;
    // Crown-sized wobble, so wood edges are scalloped by single trees rather than smooth.
    const float crown = std::max(l.treeHeight * 0.45f, 2.0f);
    const float n = fbm2(x * 0.006f + 13.0f, y * 0.02f, 3, l.seed + 77u) +
                    0.05f * noise2(x / crown, y / crown, l.seed + 79u);
    const float thr = (0.5f - l.forest) * 0.7f;
    return smoothstep(thr - 0.03f, thr + 0.03f, n);
}

Rgb aerial(const Scene& s, const Layer& l, Rgb c, float x, float y) {
    // Level ground recedes row by row: its distance grows as 1 / (height below the horizon).
    const float depth =
        l.flat ? l.depth * 14.0f / (std::max(y - s.horizon, 0.0f) + 14.0f) : l.depth;
    const float haze = s.haze * depth * std::sqrt(depth) * 0.92f;
    const float low = smoothstep(l.peakY, l.baseY + 6.0f, y);
    float mist = 0.0f;
    if (s.mist > 0.0f && low > 0.0f) {
        const float wisp = 0.6f + 0.4f * noise2(x * 0.005f, y * 0.05f, s.seed + 505u);
        mist = s.mist * low * low * wisp * (0.3f + 0.7f * depth);
    }
    const float fog = s.fog * (0.25f + 0.75f * depth);
    const float total = 1.0f - (1.0f - haze) * (1.0f - mist) * (1.0f - fog);
    const Rgb hz = hazeColor(s, x);
    // Mist is brighter than the haze behind it: it is lit by the sun.
    const Rgb mistColor = mix(hz, screen(hz, s.light.direct * 0.25f), 0.6f);
    const float mistShare = mist / std::max(total, 1e-4f);
    return mix(c, mix(hz, mistColor, clamp01(mistShare)), clamp01(total));
}

namespace {

// The wood mask of a band sampled on a half-resolution grid: each ground pixel asks for it up
// to three times (the point, above it, and towards the sun), and it is smooth anyway.
class ForestGrid {
public:
    ForestGrid(const Layer& l, int w, int y0, int y1)
        : y0_(y0),
          w_(w / 2 + 3),
          h_(std::max(y1 - y0, 0) / 2 + 3),
          m_(static_cast<size_t>(w_ * h_), 0.0f) {
        if (l.forest <= 0.0f) return;
        for (int gy = 0; gy < h_; ++gy)
            for (int gx = 0; gx < w_; ++gx)
                m_[static_cast<size_t>(gy * w_ + gx)] =
                    forestAt(l, static_cast<float>(gx * 2), static_cast<float>(y0_ + gy * 2));
    }

    float at(float x, float y) const {
        const float gx = std::clamp(x * 0.5f, 0.0f, static_cast<float>(w_ - 2));
        const float gy =
            std::clamp((y - static_cast<float>(y0_)) * 0.5f, 0.0f, static_cast<float>(h_ - 2));
        const int ix = std::min(static_cast<int>(gx), w_ - 2);
        const int iy = std::min(static_cast<int>(gy), h_ - 2);
        const float fx = gx - static_cast<float>(ix);
        const float fy = gy - static_cast<float>(iy);
        const float* r0 = &m_[static_cast<size_t>(iy * w_ + ix)];
        const float* r1 = r0 + w_;
        return lerp(lerp(r0[0], r0[1], fx), lerp(r1[0], r1[1], fx), fy);
    }

private:
    int y0_;
    int w_;
    int h_;
    std::vector<float> m_;
};

}  // namespace

void paintLayer(Canvas& canvas, const Scene& s, const Layer& l, const Layer* until, float floorY) {
    const Palette& pal = palette(s.season);
    const int w = canvas.width();
    const int h = canvas.height();
    const float side = sunSide(s);
    const float base = baseLight(s);
    const bool flatLight = s.time == DayTime::kOvercast || s.clouds == Clouds::kOvercast;
    const float relief = flatLight ? 0.35f : 1.0f;
    const float bandH = std::max(l.baseY - l.peakY, 1.0f);
    const float th = std::max(l.treeHeight, 2.0f);

    float minTop = 1e9f;
    for (float t : l.top)
        minTop = std::min(minTop, t);
    const int y0 = std::max(0, static_cast<int>(std::floor(minTop)));
    int y1 = h;
    if (!until) y1 = std::min(h, static_cast<int>(floorY) + 2);
    const ForestGrid woods(l, w, y0 - static_cast<int>(th), y1);
    // Per-row noise, read at x and x + 2 for the slope's light.
    std::vector<float> rowNoise(static_cast<size_t>(w + 3));

    for (int y = y0; y < y1; ++y) {
        const float fy = static_cast<float>(y);
        bool rowReady = false;
        bool any = false;
        for (int x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x);
            const float crest = l.top[static_cast<size_t>(x)];
            if (fy + 1.0f <= crest) continue;
            const float stop = until ? until->crest(fx) + 1.5f : floorY;
            if (fy > stop) continue;
            any = true;
            if (!rowReady) {
                rowReady = true;
                // Sampled every few columns and joined by straight lines: the noise is far
                // smoother than that, and a full-width row per pixel row is costly.
                const bool rock = l.kind == LayerKind::kMountains;
                const int stride = rock ? 2 : 4;
                float prev = 0.0f;
                for (int i = -1; i <= w + 1 + stride; i += stride) {
                    const float ix = static_cast<float>(i);
                    const float v = rock ? fbm2(ix * 0.035f, fy * 0.02f, 4, l.seed + 3u)
                                         : fbm2(ix * 0.008f, fy * 0.025f, 2, l.seed + 5u);
                    if (i > -1) {
                        for (int k = 1; k <= stride; ++k) {
                            const int at = i - stride + k;
                            if (at > w + 1) break;
                            rowNoise[static_cast<size_t>(at + 1)] =
                                lerp(prev, v, static_cast<float>(k) / static_cast<float>(stride));
                        }
                    } else {
                        rowNoise[0] = v;
                    }
                    prev = v;
                }
            }
            const float here = rowNoise[static_cast<size_t>(x + 1)];
            const float slopeX =
                rowNoise[static_cast<size_t>(x + 2)] - rowNoise[static_cast<size_t>(x)];
            const float cover = clamp01(fy + 1.0f - crest);
            const float d = fy - crest;
            const float xl = l.top[static_cast<size_t>(std::max(x - 2, 0))];
            const float xr = l.top[static_cast<size_t>(std::min(x + 2, w - 1))];
            // > 0: the slope under the crest falls to the right, so it faces right.
            const float crestSlope = std::clamp((xr - xl) * 0.25f, -2.0f, 2.0f);
            Rgb albedo;
            float lit = base;
            if (l.kind == LayerKind::kMountains) {
                const float gx = slopeX * 5.0f;
                const float face = crestSlope * fastFalloff(d / (bandH * 0.3f)) * 0.8f + gx;
                lit = base + 0.45f * relief * softClip(face * side * 2.0f) -
                      0.08f * (1.0f - std::fabs(side));
                const float alt = (l.baseY - fy) / bandH;
                const float tree = 0.42f + 0.12f * noise1(fx * 0.02f, l.seed + 9u);
                albedo = alt < tree ? (s.snowGround ? mix(pal.conifer, pal.snow, 0.35f)
                                                    : pal.conifer * 1.1f)
                                    : mix(pal.rock, pal.grass * 0.8f, s.snowGround ? 0.0f : 0.25f);
                // Snow lies lower in the gullies and slides off the steep faces.
                const float snowEdge =
                    1.0f - l.snowLine + 0.12f * noise1(fx * 0.03f, l.seed + 4u) - 0.2f * here;
                const float steep = smoothstep(0.25f, 0.6f, std::fabs(gx));
                const float snow =
                    smoothstep(snowEdge - 0.04f, snowEdge + 0.04f, alt) * (1.0f - 0.55f * steep);
                albedo = mix(albedo, pal.snow, snow);
            } else {
                const float face =
                    crestSlope * fastFalloff(d / (bandH * 0.5f)) * 0.5f + slopeX * 4.5f;
                lit = base + 0.35f * relief * softClip(face * side * 2.0f) + 0.05f * here;
                if (l.fields && l.kind != LayerKind::kForeground) {
                    albedo = fieldAlbedo(s, pal, fx, fy, l.baseY, l.seed + 7u);
                } else {
                    albedo = s.snowGround ? pal.snow : grassAlbedo(pal, fx, fy, l.seed);
                }
                if (l.forest > 0.0f) {
                    const float wood = woods.at(fx, fy);
                    if (wood < 1.0f) {
                        // Woods cast their shadow on the open ground away from the sun.
                        const float caster = woods.at(fx - side * th * 0.4f, fy - th * 0.3f);
                        lit -= 0.3f * relief * std::max(caster - wood, 0.0f);
                    }
                    if (wood > 0.0f) {
                        // The sunlit crowns along a wood's upper edge.
                        const float above = woods.at(fx, fy - th * 0.4f);
                        const Canopy cp = canopyAt(s, l, pal, fx, fy, side);
                        albedo = mix(albedo, cp.albedo, wood);
                        lit = lerp(lit,
                                   base - 0.05f + cp.light * relief +
                                       0.2f * relief * std::max(wood - above, 0.0f),
                                   wood);
                    }
                }
                if (s.snowGround) {
                    // Snow keeps the small undulations visible: a glint here, blue shade there.
                    lit += 0.06f * noise2(fx * 0.08f, fy * 0.2f, l.seed + 12u);
                }
            }
            if (l.kind == LayerKind::kForeground && !s.snowGround) {
                // Close grass: streaks of blades rather than a lawn.
                albedo =
                    albedo *
                    (0.82f + 0.3f * (0.5f + 0.5f * noise2(fx * 0.45f, fy * 0.08f, l.seed + 14u)));
            }
            // Grain, so no field is a flat fill.
            albedo = albedo * (0.96f + 0.08f * hash01(x, y, l.seed + 1u));
            const Rgb c = aerial(s, l, shade(s, albedo, lit), fx, fy);
            canvas.blend(x, y, c, cover);
        }
        if (!any && fy > l.baseY + bandH) break;
    }
}

}  // namespace bggen
