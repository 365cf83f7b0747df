#include "scene.h"

#include <vector>

#include "random.h"

namespace bggen {
namespace {

// Layout weights per season, in the order of the Layout enum.
const std::vector<float>& layoutWeights(Season s) {
    static const std::vector<float> kSpring = {0.20f, 0.26f, 0.10f, 0.14f, 0.20f, 0.10f};
    static const std::vector<float> kSummer = {0.24f, 0.24f, 0.20f, 0.12f, 0.14f, 0.06f};
    static const std::vector<float> kAutumn = {0.20f, 0.18f, 0.06f, 0.20f, 0.14f, 0.22f};
    static const std::vector<float> kWinter = {0.26f, 0.18f, 0.10f, 0.18f, 0.12f, 0.16f};
    switch (s) {
        case Season::kSpring:
            return kSpring;
        case Season::kSummer:
            return kSummer;
        case Season::kAutumn:
            return kAutumn;
        case Season::kWinter:
            return kWinter;
    }
    return kSpring;
}

// Hour weights per season, in the order of the DayTime enum.
const std::vector<float>& timeWeights(Season s) {
    static const std::vector<float> kSpring = {0.10f, 0.32f, 0.26f, 0.20f, 0.09f, 0.03f, 0.0f};
    static const std::vector<float> kSummer = {0.07f, 0.2f, 0.32f, 0.23f, 0.13f, 0.0f, 0.05f};
    static const std::vector<float> kAutumn = {0.08f, 0.28f, 0.16f, 0.24f, 0.1f, 0.14f, 0.0f};
    static const std::vector<float> kWinter = {0.08f, 0.2f, 0.2f, 0.14f, 0.12f, 0.14f, 0.12f};
    switch (s) {
        case Season::kSpring:
            return kSpring;
        case Season::kSummer:
            return kSummer;
        case Season::kAutumn:
            return kAutumn;
        case Season::kWinter:
            return kWinter;
    }
    return kSpring;
}

void setSky(Lighting& l, uint32_t zenith, uint32_t upper, uint32_t horizon, uint32_t glow,
            uint32_t sun) {
    l.zenith = hex(zenith);
    l.upper = hex(upper);
    l.horizon = hex(horizon);
    l.glow = hex(glow);
    l.sun = hex(sun);
}

void chooseLight(Scene& sc, Rng& rng) {
    Lighting& l = sc.light;
    const float w = static_cast<float>(sc.width);
    const float hz = sc.horizon;
    l.sunX = w * rng.range(0.15f, 0.85f);
    l.sunRadius = 11.0f + rng.range(0.0f, 4.0f);
    switch (sc.time) {
        case DayTime::kDawn:
            setSky(l, 0x4A5D8C, 0x9A8FB0, 0xF4C7A0, 0xFFC48A, 0xFFF0D8);
            l.sunY = hz - rng.range(4.0f, 30.0f);
            l.direct = hex(0xFFC29A);
            l.ambient = hex(0x8085A8);
            l.glowSize = 1.7f;
            break;
        case DayTime::kMorning:
            setSky(l, 0x3E74C4, 0x7FA8DA, 0xD8E6F0, 0xFFF1D6, 0xFFFCF0);
            l.sunY = hz - rng.range(70.0f, 130.0f);
            l.direct = hex(0xFFF0D8);
            l.ambient = hex(0x7F93B5);
            break;
        case DayTime::kMidday:
            setSky(l, 0x2A5FB8, 0x5F93D8, 0xC6DCEF, 0xFFFBEA, 0xFFFFF8);
            l.sunY = hz - rng.range(150.0f, 200.0f);
            l.direct = hex(0xFFFAEE);
            l.ambient = hex(0x8398B8);
            break;
        case DayTime::kGolden:
            setSky(l, 0x3966AE, 0x7D9CCB, 0xF0D8B0, 0xFFD890, 0xFFF4D0);
            l.sunY = hz - rng.range(40.0f, 80.0f);
            l.direct = hex(0xFFD49A);
            l.ambient = hex(0x7B7FA2);
            l.glowSize = 1.3f;
            break;
        case DayTime::kSunset:
            setSky(l, 0x2B3A6E, 0x8A6A9A, 0xF49A5A, 0xFF9A4A, 0xFFE6B0);
            l.sunY = hz - rng.range(-2.0f, 20.0f);
            l.direct = hex(0xFFA872);
            l.ambient = hex(0x74688E);
            l.glowSize = 2.0f;
            l.sunRadius += 3.0f;
            break;
        case DayTime::kOvercast:
            setSky(l, 0x8E99A8, 0xA9B2BD, 0xC9CDD2, 0xDADCDC, 0xE8E8E8);
            l.sunY = hz - rng.range(90.0f, 150.0f);
            l.direct = hex(0xC8CCD2);
            l.ambient = hex(0xA0A8B4);
            l.glowSize = 2.5f;
            break;
        case DayTime::kNight:
            setSky(l, 0x060B1E, 0x142246, 0x2C3E66, 0x9FB4E0, 0xF4F1E4);
            l.sunY = hz - rng.range(110.0f, 170.0f);
            l.direct = hex(0x8EA4D6);
            l.ambient = hex(0x2A3656);
            l.moon = true;
            l.stars = rng.range(0.6f, 1.0f);
            l.sunRadius = 13.0f;
            break;
    }

    // Season colouring: deep clear blue in summer, fresh and soft in spring, warm and hazy in
    // autumn, cold and pale in winter.
    switch (sc.season) {
        case Season::kSpring:
            l.horizon = mix(l.horizon, hex(0xE6F0E8), 0.15f);
            break;
        case Season::kSummer:
            if (sc.time != DayTime::kNight) {
                l.zenith = saturate(l.zenith * 0.92f, 1.25f);
                l.upper = saturate(l.upper, 1.15f);
            }
            break;
        case Season::kAutumn:
            l.horizon = mix(l.horizon, hex(0xF0DCC0), 0.25f);
            l.direct = mix(l.direct, hex(0xFFD8A8), 0.3f);
            break;
        case Season::kWinter:
            l.zenith = mix(l.zenith, hex(0x5A7CB0), 0.15f);
            l.horizon = mix(l.horizon, hex(0xDCE6F2), 0.25f);
            l.direct = mix(l.direct, hex(0xE8ECFF), 0.3f);
            l.ambient = mix(l.ambient, hex(0x7E92C0), 0.35f);
            break;
    }
}

void chooseWeather(Scene& sc, Rng& rng) {
    const bool dim = sc.time == DayTime::kOvercast || sc.time == DayTime::kNight;
    if (sc.time == DayTime::kOvercast) {
        sc.clouds = Clouds::kOvercast;
        sc.cloudCover = rng.range(0.75f, 0.95f);
    } else if (sc.time == DayTime::kNight) {
        sc.clouds = rng.chance(0.6f) ? Clouds::kClear : Clouds::kStreaks;
        sc.cloudCover = rng.range(0.1f, 0.3f);
    } else {
        const float cumulus = sc.season == Season::kSummer ? 0.6f : 0.4f;
        const float r = rng.uniform();
        sc.clouds =
            r < cumulus ? Clouds::kCumulus : (r < 0.92f ? Clouds::kStreaks : Clouds::kClear);
        sc.cloudCover = rng.range(0.25f, 0.6f);
        if (sc.time == DayTime::kSunset || sc.time == DayTime::kDawn) {
            // Clouds catching the low sun are half of a sunset's beauty.
            sc.clouds = rng.chance(0.7f) ? Clouds::kStreaks : Clouds::kCumulus;
        }
    }

    switch (sc.season) {
        case Season::kSpring:
            sc.haze = rng.range(0.35f, 0.6f);
            sc.mist = sc.time == DayTime::kDawn || sc.time == DayTime::kMorning
                          ? rng.range(0.2f, 0.6f)
                          : rng.range(0.0f, 0.2f);
            sc.petals = rng.chance(0.3f) ? rng.range(0.3f, 1.0f) : 0.0f;
            break;
        case Season::kSummer:
            sc.haze = rng.range(0.3f, 0.55f);
            sc.mist = sc.time == DayTime::kDawn ? rng.range(0.2f, 0.5f) : rng.range(0.0f, 0.1f);
            break;
        case Season::kAutumn:
            sc.haze = rng.range(0.5f, 0.8f);
            sc.mist = rng.range(0.3f, 0.8f);
            sc.fog = rng.chance(0.4f) ? rng.range(0.15f, 0.45f) : 0.0f;
            sc.leaves = rng.chance(0.6f) ? rng.range(0.3f, 1.0f) : 0.0f;
            break;
        case Season::kWinter:
            sc.haze = rng.range(0.45f, 0.75f);
            sc.mist = rng.range(0.1f, 0.5f);
            sc.snowGround = true;
            sc.fog = rng.chance(0.25f) ? rng.range(0.15f, 0.4f) : 0.0f;
            // Snow falls from a grey sky: not across a sunset or a golden afternoon.
            if (rng.chance(dim ? 0.6f : 0.25f) &&
                (dim || sc.time == DayTime::kMorning || sc.time == DayTime::kMidday))
                sc.snowfall = rng.range(0.35f, 1.0f);
            if (sc.snowfall > 0.0f && sc.time != DayTime::kNight) {
                // Snow falls from a grey sky.
                sc.clouds = Clouds::kOvercast;
                sc.cloudCover = std::max(sc.cloudCover, 0.7f);
            }
            break;
    }
    if (sc.layout == Layout::kMistyForest) sc.mist = std::max(sc.mist, rng.range(0.5f, 0.85f));
    if (sc.clouds == Clouds::kOvercast && sc.time != DayTime::kNight) {
        // A grey lid softens the light: the sky's colours pull towards grey.
        Lighting& l = sc.light;
        const float k = 0.55f * sc.cloudCover;
        l.direct = mix(l.direct, hex(0xC4C8CE), k);
        l.ambient = mix(l.ambient, hex(0xA3AAB4), k);
    }
}

}  // namespace

Scene makeScene(int number, int width, int height) {
    Scene sc;
    sc.number = number;
    sc.season = static_cast<Season>(std::clamp(number / 1000, 1, 4));
    sc.width = width;
    sc.height = height;
    sc.seed = static_cast<uint32_t>(number) * 2654435761u;
    Rng rng(static_cast<uint64_t>(number) * 7919u + 17u);

    sc.layout = static_cast<Layout>(weightedPick(rng, layoutWeights(sc.season)));
    sc.time = static_cast<DayTime>(weightedPick(rng, timeWeights(sc.season)));
    // A night needs something for the moon to light and a window to glow: not the bare plain.
    if (sc.time == DayTime::kNight && sc.layout == Layout::kPlain) sc.layout = Layout::kHills;
    // The picture is usually cropped to a wide band around its middle: keep the horizon there.
    const float h = static_cast<float>(height);
    sc.horizon = h * rng.range(0.48f, 0.58f);
    if (sc.layout == Layout::kPlain) sc.horizon = h * rng.range(0.58f, 0.66f);

    chooseLight(sc, rng);
    chooseWeather(sc, rng);

    sc.lake = sc.layout == Layout::kMountainLake ||
              (sc.layout == Layout::kValley && rng.chance(0.35f)) ||
              (sc.layout == Layout::kMistyForest && rng.chance(0.3f));
    sc.waterY = sc.horizon + h * rng.range(0.06f, 0.1f);
    sc.frozen = sc.season == Season::kWinter && sc.lake && rng.chance(0.45f);
    sc.village = (sc.layout == Layout::kHills || sc.layout == Layout::kValley) &&
                 rng.chance(sc.time == DayTime::kNight ? 0.9f : 0.35f);
    sc.sweepWell = sc.layout == Layout::kPlain && rng.chance(0.7f);
    return sc;
}

Rgb shade(const Scene& scene, Rgb albedo, float lit) {
    const Lighting& l = scene.light;
    return albedo * (l.ambient * 0.75f + l.direct * (clamp01(lit) * 0.85f));
}

}  // namespace bggen
