// The picture being painted: a QImage that per-pixel passes (sky, ground, water, mist) and
// QPainter strokes (trees, houses, snowflakes) share, layer after layer, back to front.
#pragma once

#include <QImage>

#include "color.h"
#include "noise.h"

namespace bggen {

class Canvas {
public:
    Canvas(int width, int height)
        : image_(width, height, QImage::Format_ARGB32_Premultiplied), w_(width), h_(height) {
        image_.fill(Qt::black);
        // The image is never shared while painted, so its pixels stay where they are; asking
        // QImage for each row would check for sharing on every pixel.
        bits_ = image_.bits();
        stride_ = image_.bytesPerLine();
    }

    int width() const { return w_; }
    int height() const { return h_; }
    QImage& image() { return image_; }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    Rgb at(int x, int y) const { return fromQRgb(row(y)[x]); }

    // Bilinear read with the coordinates clamped to the picture: the water samples the land
    // between pixels when ripples bend the reflection.
    Rgb sample(float x, float y) const;

    void set(int x, int y, Rgb c) { row(y)[x] = toQRgb(c, dither(x, y)); }

    void blend(int x, int y, Rgb c, float alpha) {
        if (alpha <= 0.0f) return;
        set(x, y, alpha >= 1.0f ? c : mix(at(x, y), c, alpha));
    }

    QRgb* row(int y) {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }
    const QRgb* row(int y) const {
        return reinterpret_cast<const QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }

private:
    // 8x8 ordered dither in [-0.5, 0.5): cheaper than a hash on every pixel, and at half a
    // step of 8 bits its pattern is invisible.
    static float dither(int x, int y) {
        static const uint8_t kBayer[8][8] = {
            {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
            {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
            {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
            {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
        return (static_cast<float>(kBayer[y & 7][x & 7]) + 0.5f) / 64.0f - 0.5f;
    }

    QImage image_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int w_;
    int h_;
};

inline Rgb Canvas::sample(float x, float y) const {
    x = std::clamp(x, 0.0f, static_cast<float>(w_ - 1));
    y = std::clamp(y, 0.0f, static_cast<float>(h_ - 1));
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, w_ - 1);
    const int y1 = std::min(y0 + 1, h_ - 1);
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const Rgb top = mix(at(x0, y0), at(x1, y0), fx);
    const Rgb bottom = mix(at(x0, y1), at(x1, y1), fx);
    return mix(top, bottom, fy);
}

}  // namespace bggen
