#include "fields.h"

#include <cmath>

#include "noise.h"

namespace bggen {

Rgb fieldAlbedo(const Scene& s, const Palette& pal, float x, float y, float footY, uint32_t seed) {
    const float w = static_cast<float>(s.width);
    // Level ground: one unit sideways is dy pixels; one unit away is dy * dy / w pixels. A hill
    // rising above its foot turns its face to us: there the fields climb it instead.
    const float foot = std::max(footY - s.horizon, 3.0f);
    const float dy = std::max(y - s.horizon, foot);
    const float climb = std::max(foot - (y - s.horizon), 0.0f);
    const float wx = (x - w * 0.5f) / dy * 1.2f;
    const float wz = w / dy + climb * w / (foot * foot) * 0.5f;
    const float angle = (hash01(7, 3, seed) - 0.5f) * 1.1f;
    const float ca = std::cos(angle);
    const float sa = std::sin(angle);
    const float wob = 0.45f * noise2(wx * 0.17f, wz * 0.17f, seed + 11u);
    float u = wx * ca + wz * sa + wob;
    float v = -wx * sa + wz * ca + wob * 0.6f;
    const float cellV = 2.6f;
    const float iv = std::floor(v / cellV);
    const auto ivi = static_cast<int32_t>(iv);
    // Each strip of fields is cut at its own places, so borders do not line up into a grid.
    const float cellU = 2.4f + 2.2f * hash01(ivi, 91, seed);
    u += hash01(ivi, 17, seed) * cellU;
    const float iu = std::floor(u / cellU);
    const auto iui = static_cast<int32_t>(iu);
    const float fu = u / cellU - iu;
    const float fv = v / cellV - iv;

    const auto& crops = pal.crops;
    const float pick = hash01(iui, ivi, seed + 5u);
    Rgb crop = crops[static_cast<size_t>(pick * static_cast<float>(crops.size())) % crops.size()];
    crop = crop * (0.93f + 0.14f * noise2(wx * 0.9f, wz * 0.9f, seed + 3u));

    // Rows, faded out before they get finer than a few pixels and would only shimmer.
    const bool alongU = hash01(ivi, iui, seed + 9u) < 0.5f;
    const float spacing = 0.1f;
    const float periodPx = spacing * dy * std::min(1.0f, dy / w) * 2.0f;
    const float rowAmp = smoothstep(2.0f, 5.0f, periodPx);
    if (rowAmp > 0.0f) {
        const float coord = alongU ? v : u;
        const float stripe = 0.5f + 0.5f * std::sin(coord / spacing * 6.2832f);
        if (s.snowGround) {
            crop = mix(crop, pal.soil * 0.9f, 0.22f * rowAmp * stripe);
        } else {
            crop = crop * (1.0f - 0.16f * rowAmp * stripe);
        }
    }

    // Hedges along some borders, in world units so they thin out with distance.
    const float du = std::min(fu, 1.0f - fu) * cellU;
    const float dv = std::min(fv, 1.0f - fv) * cellV;
    const bool hedgeU = hash01(iui + (fu > 0.5f ? 1 : 0), ivi, seed + 21u) < 0.45f;
    const bool hedgeV = hash01(iui, ivi + (fv > 0.5f ? 1 : 0), seed + 23u) < 0.55f;
    const float hw = 0.09f;
    float hedge = 0.0f;
    if (hedgeU) hedge = std::max(hedge, smoothstep(hw, hw * 0.5f, du));
    if (hedgeV) hedge = std::max(hedge, smoothstep(hw, hw * 0.5f, dv));
    if (hedge > 0.0f) {
        Rgb hedgeColor = pal.forest * 0.8f;
        // Hedges under snow: dark twigs through white.
        if (s.snowGround) hedgeColor = mix(hex(0x5A524E), pal.snow, 0.45f);
        const float bumpy = 0.75f + 0.35f * noise2(x * 0.5f, y * 0.5f, seed + 29u);
        // A hedge thinner than a pixel shows only as a faint line.
        const float visible = smoothstep(0.3f, 1.5f, hw * dy * std::min(1.0f, dy / w) * 4.0f);
        crop = mix(crop, hedgeColor * bumpy, hedge * (0.35f + 0.65f * visible));
    }
    return crop;
}

}  // namespace bggen
