// Small float colour type for the landscape painter. Channels are 0..1 in sRGB space; the
// painter mixes in that space on purpose: it is what a painter's palette does, and it keeps
// skies and haze the soft colours we tune by eye.
#pragma once

#include <QColor>
#include <QRgb>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace bggen {

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

inline float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

inline float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

// Soft clip to (-1, 1), close to tanh: the per-pixel shading calls it too often for the real one.
inline float softClip(float x) {
    x = std::clamp(x, -3.0f, 3.0f);
    return x * (27.0f + x * x) / (27.0f + 9.0f * x * x);
}

// exp(-x) for x >= 0 where a close shape is enough: a falloff, not a measurement.
inline float fastFalloff(float x) {
    const float t = 1.0f + x * (1.0f + x * (0.5f + x * 0.1666667f));
    return 1.0f / t;
}

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

constexpr Rgb hex(uint32_t v) {
    return {static_cast<float>((v >> 16) & 0xFF) / 255.0f,
            static_cast<float>((v >> 8) & 0xFF) / 255.0f, static_cast<float>(v & 0xFF) / 255.0f};
}

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}

inline Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline float luma(Rgb c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

// Pushes a colour away from (k > 1) or towards (k < 1) its grey.
inline Rgb saturate(Rgb c, float k) {
    return mix(Rgb{luma(c), luma(c), luma(c)}, c, k);
}

// Screen blend: light added without ever clipping to flat white.
inline Rgb screen(Rgb a, Rgb b) {
    return {1.0f - (1.0f - a.r) * (1.0f - b.r), 1.0f - (1.0f - a.g) * (1.0f - b.g),
            1.0f - (1.0f - a.b) * (1.0f - b.b)};
}

inline int toByte(float v, float dither) {
    return std::clamp(static_cast<int>(v * 255.0f + 0.5f + dither), 0, 255);
}

// dither in [-0.5, 0.5): breaks the 8-bit steps of wide gradients before JPEG makes bands of them.
inline QRgb toQRgb(Rgb c, float dither = 0.0f) {
    return qRgb(toByte(c.r, dither), toByte(c.g, dither), toByte(c.b, dither));
}

inline Rgb fromQRgb(QRgb p) {
    return {static_cast<float>(qRed(p)) / 255.0f, static_cast<float>(qGreen(p)) / 255.0f,
            static_cast<float>(qBlue(p)) / 255.0f};
}

inline QColor toQColor(Rgb c, float alpha = 1.0f) {
    return QColor::fromRgbF(clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(alpha));
}

}  // namespace bggen
