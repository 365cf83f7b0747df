#include "water.h"

#include <cmath>

#include "noise.h"
#include "sky.h"

namespace bggen {

void paintWater(Canvas& canvas, const Scene& s, const Layer& front) {
    const int w = canvas.width();
    const int h = canvas.height();
    const float wy = s.waterY;
    const float fw = static_cast<float>(w);
    const Lighting& l = s.light;
    const Rgb deep =
        shade(s, s.season == Season::kSummer ? hex(0x1C4A5C) : hex(0x284C5A), baseLight(s));
    const bool glitter = !l.moon ? (s.clouds != Clouds::kOvercast && l.sunY < s.horizon) : true;
    const uint32_t seed = s.seed ^ 0xA7E2u;

    // The rows are read from the land above the line, so take them before writing any.
    const int top = static_cast<int>(std::floor(wy));
    for (int y = top; y < h; ++y) {
        const float fy = static_cast<float>(y);
        const float dyh = std::max(fy - s.horizon, 1.0f);
        const float below = fy - wy;
        const float near = clamp01(below / std::max(static_cast<float>(h) - wy, 1.0f));
        for (int x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x);
            if (fy > front.crest(fx) + 1.5f) continue;
            const float cover = clamp01(fy + 1.0f - wy);
            // Waves on the water plane: stretched along the view, growing as they come near.
            const float wx = (fx - fw * 0.5f) / dyh;
            const float wz = fw / dyh;
            const float n1 = noise2(wx * 3.0f, wz * 9.0f, seed);
            const float n2 = noise2(wx * 7.0f + 3.1f, wz * 21.0f, seed + 1u);
            const float swell = dyh / 60.0f;
            const float offX = (n1 * 2.0f + n2) * swell;
            const float offY = (n1 + n2 * 0.7f) * swell * 1.6f;
            Rgb refl = canvas.sample(fx + offX, 2.0f * wy - fy - 1.0f + offY);
            if (s.frozen) {
                const float drift =
                    smoothstep(0.05f, 0.35f, fbm2(wx * 0.9f, wz * 2.2f, 3, seed + 3u));
                const float crack =
                    smoothstep(0.025f, 0.0f, std::fabs(noise2(wx * 2.5f, wz * 5.0f, seed + 4u)));
                Rgb ice = shade(s, mix(hex(0xB8CCDC), hex(0xDDE8F2), 0.5f + 0.5f * n1),
                                baseLight(s) + 0.1f);
                ice = mix(ice, refl, 0.3f);
                ice = mix(ice, shade(s, hex(0xF2F5FA), baseLight(s) + 0.15f * n2), drift);
                ice = mix(ice, ice * 0.75f, crack * (1.0f - drift));
                canvas.blend(x, y, ice, cover);
                continue;
            }
            // More of the water's own colour close by, where we look down into it.
            Rgb c = mix(refl * 0.86f, deep, 0.12f + 0.5f * near);
            // Wind lanes: bands where the water mirrors the brighter sky near the horizon.
            const float lane = smoothstep(0.35f, 0.7f, fbm2(wx * 0.4f, wz * 14.0f, 2, seed + 5u));
            c = mix(c, hazeColor(s, fx) * 0.9f, lane * 0.22f);
            if (glitter) {
                const float spread = 6.0f + below * 0.45f;
                const float along =
                    std::exp(-((fx - l.sunX) * (fx - l.sunX)) / (2.0f * spread * spread));
                const float spark =
                    smoothstep(0.35f, 0.75f, noise2(wx * 24.0f, wz * 70.0f, seed + 6u));
                const float k =
                    along * spark * (l.moon ? 0.7f : 1.1f) * (0.5f + 0.5f * (1.0f - near));
                c = screen(c, l.glow * k);
            }
            // The bright thread where the far shore meets the water.
            c = mix(c, screen(c, hazeColor(s, fx) * 0.5f), smoothstep(2.0f, 0.0f, below) * 0.6f);
            canvas.blend(x, y, c, cover);
        }
    }
}

}  // namespace bggen
