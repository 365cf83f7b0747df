#include "sky.h"

#include <cmath>
#include <vector>

namespace bggen {
namespace {

bool isLowSun(const Scene& s) {
    return s.time == DayTime::kDawn || s.time == DayTime::kSunset || s.time == DayTime::kGolden;
}

// The cloud deck's raw noise at a pixel; cloudCoverage turns it into density. The deck lies
// above the land, so clouds shrink and crowd together towards the horizon; the perspective is
// softened, or the far clouds would collapse into thin lines.
float cloudNoise(const Scene& s, float x, float y) {
    const float above = std::max(s.horizon - y, 0.0f);
    const float a = above + 30.0f;
    const float u = (x - static_cast<float>(s.width) * 0.5f) * std::pow(a, -0.7f) * 0.375f;
    const float v = 174.0f / std::sqrt(a);
    const uint32_t seed = s.seed ^ 0xC10Du;
    // Clouds gather in groups with clear sky between them.
    const float group = 0.3f * noise2(u * 0.22f + 9.0f, v * 0.3f, seed + 17u);
    switch (s.clouds) {
        case Clouds::kCumulus:
            // Billows: rounded swellings along the edges.
            return fbm2(u * 0.8f + 3.7f, v * 0.8f, 4, seed) + group +
                   0.18f * (1.0f - std::fabs(noise2(u * 2.4f, v * 2.4f, seed + 7u))) - 0.09f;
        case Clouds::kStreaks:
            return fbm2(u * 0.28f + 1.3f, v * 0.9f, 4, seed) + group +
                   0.12f * noise2(u * 1.2f, v * 3.5f, seed + 3u);
        // A lid of soft lumps seen nearly flat: with perspective they would swirl into bands.
        case Clouds::kOvercast:
            return fbm2(x * 0.005f, y * 0.011f, 4, seed) + 0.5f * group;
        case Clouds::kClear:
            break;
    }
    return -1.0f;
}

float cloudCoverage(const Scene& s, float n) {
    const float cover = s.cloudCover;
    switch (s.clouds) {
        case Clouds::kCumulus: {
            const float thr = 0.36f - cover * 0.55f;
            return smoothstep(thr, thr + 0.16f, n);
        }
        case Clouds::kStreaks: {
            const float thr = 0.3f - cover * 0.5f;
            return 0.92f * smoothstep(thr, thr + 0.3f, n);
        }
        case Clouds::kOvercast:
            return 0.8f + 0.2f * smoothstep(-0.5f, 0.5f, n) * cover;
        case Clouds::kClear:
            break;
    }
    return 0.0f;
}

// The deck's noise at half resolution: clouds are soft, and this is the costliest part of a
// picture. The threshold is applied after interpolating, so edges stay smooth curves.
class CloudField {
public:
    CloudField(const Scene& s, int w, int h)
        : scene_(s), w_(w / 2 + 3), h_(h / 2 + 3), n_(static_cast<size_t>(w_ * h_)) {
        if (s.clouds == Clouds::kClear) return;
        for (int gy = 0; gy < h_; ++gy)
            for (int gx = 0; gx < w_; ++gx)
                n_[static_cast<size_t>(gy * w_ + gx)] =
                    cloudNoise(s, static_cast<float>(gx * 2), static_cast<float>(gy * 2));
    }

    // Raw noise: keeps varying inside a cloud, where the coverage is flat.
    float raw(float x, float y) const {
        if (scene_.clouds == Clouds::kClear || y > scene_.horizon - 2.0f) return -1.0f;
        const float gx = std::clamp(x * 0.5f, 0.0f, static_cast<float>(w_ - 2));
        const float gy = std::clamp(y * 0.5f, 0.0f, static_cast<float>(h_ - 2));
        const int ix = std::min(static_cast<int>(gx), w_ - 2);
        const int iy = std::min(static_cast<int>(gy), h_ - 2);
        const float fx = gx - static_cast<float>(ix);
        const float fy = gy - static_cast<float>(iy);
        const float* r0 = &n_[static_cast<size_t>(iy * w_ + ix)];
        const float* r1 = r0 + w_;
        return lerp(lerp(r0[0], r0[1], fx), lerp(r1[0], r1[1], fx), fy);
    }

    float at(float x, float y) const {
        if (scene_.clouds == Clouds::kClear || y > scene_.horizon - 2.0f) return 0.0f;
        return cloudCoverage(scene_, raw(x, y));
    }

private:
    const Scene& scene_;
    int w_;
    int h_;
    std::vector<float> n_;
};

Rgb cloudLitColor(const Scene& s) {
    const Lighting& l = s.light;
    switch (s.time) {
        case DayTime::kNight:
            return hex(0x6E7A96);
        case DayTime::kOvercast:
            return hex(0xE2E4E8);
        case DayTime::kSunset:
            return screen(l.direct * 0.9f, l.glow * 0.35f);
        case DayTime::kDawn:
            return screen(hex(0xF7C8B8), l.glow * 0.25f);
        default:
            return mix(hex(0xFFFFFF), l.direct, 0.45f);
    }
}

Rgb cloudShadowColor(const Scene& s) {
    const Lighting& l = s.light;
    switch (s.time) {
        case DayTime::kNight:
            return hex(0x121A2C);
        case DayTime::kOvercast:
            return hex(0x858D99);
        case DayTime::kSunset:
            return mix(hex(0x5A4470), l.upper, 0.3f);
        case DayTime::kDawn:
            return mix(hex(0x7C6E92), l.upper, 0.3f);
        default:
            return mix(l.ambient, l.upper, 0.45f) * 1.05f;
    }
}

// The clear sky on a grid of every fourth pixel: gradient and halo are smooth, and their
// exponentials would otherwise be paid on every pixel.
class SkyField {
public:
    SkyField(const Scene& s, int w, int h)
        : w_(w / kStep + 3), h_(h / kStep + 3), c_(static_cast<size_t>(w_ * h_)) {
        for (int gy = 0; gy < h_; ++gy)
            for (int gx = 0; gx < w_; ++gx)
                c_[static_cast<size_t>(gy * w_ + gx)] =
                    skyColor(s, static_cast<float>(gx * kStep), static_cast<float>(gy * kStep));
    }

    Rgb at(int x, int y) const {
        const int ix = x / kStep;
        const int iy = y / kStep;
        const float fx = static_cast<float>(x % kStep) / static_cast<float>(kStep);
        const float fy = static_cast<float>(y % kStep) / static_cast<float>(kStep);
        const Rgb* r0 = &c_[static_cast<size_t>(iy * w_ + ix)];
        const Rgb* r1 = r0 + w_;
        return mix(mix(r0[0], r0[1], fx), mix(r1[0], r1[1], fx), fy);
    }

private:
    static constexpr int kStep = 4;
    int w_;
    int h_;
    std::vector<Rgb> c_;
};

void paintDisc(Rgb& c, const Scene& s, float x, float y) {
    const Lighting& l = s.light;
    const float dx = x - l.sunX;
    const float dy = y - l.sunY;
    const float d = std::sqrt(dx * dx + dy * dy);
    const float r = l.sunRadius;
    if (d > r + 1.0f) return;
    const float edge = clamp01(r + 0.5f - d);
    Rgb disc = l.sun;
    if (l.moon) {
        // Limb darkening and the grey seas of the full moon.
        const float maria = fbm2(dx * 0.16f + 5.0f, dy * 0.16f, 3, s.seed ^ 0x300Du);
        disc = disc * (0.9f - 0.16f * smoothstep(0.0f, 0.5f, maria) - 0.08f * (d / r));
    } else if (s.time == DayTime::kOvercast) {
        disc = mix(c, disc, 0.35f);
    }
    c = mix(c, disc, edge);
}

}  // namespace

Rgb skyColor(const Scene& s, float x, float y) {
    const Lighting& l = s.light;
    const float hz = s.horizon;
    const float t = clamp01((hz - y) / (hz * 0.95f));
    Rgb c = t < 0.3f ? mix(l.horizon, l.upper, smoothstep(0.0f, 0.3f, t))
                     : mix(l.upper, l.zenith, smoothstep(0.3f, 1.0f, t));
    const float dx = x - l.sunX;
    const float dy = y - l.sunY;
    const float gs = l.glowSize;
    const float d = std::sqrt(dx * dx + dy * dy * 2.2f);
    float k = 0.8f * std::exp(-d / (16.0f * gs)) + 0.42f * std::exp(-d / (65.0f * gs)) +
              0.2f * std::exp(-d / (210.0f * gs));
    // A low sun lights a band along the whole horizon on its side of the sky.
    const float low = smoothstep(140.0f, 0.0f, hz - l.sunY);
    k += low * 0.55f * std::exp(-std::fabs(y - hz) / (40.0f * gs)) *
         std::exp(-std::fabs(dx) / (280.0f * gs));
    if (l.moon) k *= 0.3f;
    if (s.time == DayTime::kOvercast) k *= 0.5f;
    return screen(c, l.glow * k);
}

Rgb hazeColor(const Scene& s, float x) {
    if (s.hazeRow.empty()) return skyColor(s, x, s.horizon - 6.0f);
    const int i = std::clamp(static_cast<int>(x + 0.5f), 0, static_cast<int>(s.hazeRow.size()) - 1);
    return s.hazeRow[static_cast<size_t>(i)];
}

void prepareHaze(Scene& s) {
    s.hazeRow.resize(static_cast<size_t>(s.width));
    for (int x = 0; x < s.width; ++x)
        s.hazeRow[static_cast<size_t>(x)] = skyColor(s, static_cast<float>(x), s.horizon - 6.0f);
}

void paintSky(Canvas& canvas, const Scene& s, int rows) {
    const Lighting& l = s.light;
    const int w = canvas.width();
    const int h = std::clamp(rows, 0, canvas.height());
    const Rgb lit = cloudLitColor(s);
    const Rgb shadow = cloudShadowColor(s);
    const float gs = l.glowSize;
    const int skyRows = std::clamp(static_cast<int>(s.horizon) + 2, 0, h);
    const CloudField clouds(s, w, skyRows);
    const SkyField clear(s, w, h);
    for (int y = 0; y < h; ++y) {
        const float fy = static_cast<float>(y);
        const float above = s.horizon - fy;
        // Distant clouds melt into the haze at the horizon.
        const float nearFade = smoothstep(0.0f, 45.0f, above);
        for (int x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x);
            Rgb c = clear.at(x, y);
            paintDisc(c, s, fx, fy);
            if (l.stars > 0.0f && above > 0.0f) {
                const float hsh = hash01(x, y, s.seed ^ 0x57A2u);
                if (hsh > 1.0f - 0.004f * l.stars) {
                    const float b = std::pow(hash01(y, x, s.seed), 3.0f) * 0.85f + 0.15f;
                    c = screen(c, hex(0xE8EEFF) * (b * smoothstep(10.0f, 90.0f, above)));
                }
            }
            const float d = clouds.at(fx, fy) * nearFade;
            if (d > 0.002f) {
                // Lit where the deck thins towards the sun, shadowed where it thickens.
                float lx = l.sunX - fx;
                float ly = l.sunY - fy;
                const float len = std::sqrt(lx * lx + ly * ly) + 1e-3f;
                lx /= len;
                ly /= len;
                // The edge facing the sun is lit; inside, thick parts shade themselves.
                const float towards = clouds.at(fx + lx * 7.0f, fy + ly * 7.0f) * nearFade;
                const float n = clouds.raw(fx, fy);
                const float nSun = clouds.raw(fx + lx * 5.0f, fy + ly * 5.0f);
                // An overcast lid is lit from everywhere: shaped by the sun it would ring around
                // it.
                const float relief = s.clouds == Clouds::kOvercast ? 0.25f : 1.0f;
                const float light =
                    clamp01(0.58f + relief * (1.8f * (d - towards) + 2.5f * (n - nSun)) +
                            0.2f * (1.0f - d));
                Rgb cc = mix(shadow, lit, light);
                const float sd =
                    std::sqrt((fx - l.sunX) * (fx - l.sunX) + (fy - l.sunY) * (fy - l.sunY) * 2.0f);
                // Silver lining: thin cloud edges near the sun glow.
                const float lining = std::exp(-sd / (70.0f * gs)) * (1.0f - d) * 1.6f +
                                     std::exp(-sd / (220.0f * gs)) * 0.25f;
                cc = screen(cc, l.glow * (lining * (l.moon ? 0.35f : 1.0f)));
                const float opacity = s.clouds == Clouds::kStreaks ? 0.85f : 0.96f;
                c = mix(c, cc, d * opacity);
            }
            canvas.set(x, y, c);
        }
    }
}

void paintSunBloom(Canvas& canvas, const Scene& s) {
    const Lighting& l = s.light;
    if (!isLowSun(s) || s.clouds == Clouds::kOvercast) return;
    const float strength = s.time == DayTime::kGolden ? 0.25f : 0.45f;
    const int w = canvas.width();
    const int h = canvas.height();
    const float reach = 170.0f * l.glowSize;
    const int y0 = std::max(0, static_cast<int>(l.sunY - reach));
    const int y1 = std::min(h, static_cast<int>(l.sunY + reach));
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < w; ++x) {
            const float dx = static_cast<float>(x) - l.sunX;
            const float dy = static_cast<float>(y) - l.sunY;
            const float d = std::sqrt(dx * dx + dy * dy * 1.5f);
            const float k = strength * (std::exp(-d / (28.0f * l.glowSize)) +
                                        0.35f * std::exp(-d / (90.0f * l.glowSize)));
            if (k < 0.004f) continue;
            canvas.set(x, y, screen(canvas.at(x, y), l.glow * k));
        }
    }
}

}  // namespace bggen
