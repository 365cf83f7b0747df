// Small painting helpers shared by the skins, the pictures and the icon: a seeded random source,
// value noise, blur, glows, metal and paper textures, and the colour-key finish.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdint>

namespace tv::art {

// splitmix64: tiny, fast and the same on every machine, so every build paints the same pixels.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t next();
    double uni();                        // [0, 1)
    double range(double lo, double hi);  // [lo, hi)
    int below(int n);                    // [0, n)
    double gauss();                      // roughly normal, mean 0, deviation 1

private:
    uint64_t state_;
};

// Smooth 2-D value noise on an integer lattice, for clouds, paper blotches and leather.
class ValueNoise {
public:
    explicit ValueNoise(uint64_t seed);
    double at(double x, double y) const;                // [0, 1]
    double fbm(double x, double y, int octaves) const;  // [0, 1]

private:
    double lattice(int x, int y) const;
    uint64_t seed_;
};

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor c, double alpha);      // alpha 0..1
QColor shade(const QColor& c, double factor);  // > 1 lighter, < 1 darker

// A fresh ARGB32 premultiplied image filled with `fill`.
QImage canvas(int w, int h, QColor fill = Qt::transparent);
// Three box-blur passes, close enough to a gaussian for glows and shadows.
void blur(QImage& img, int radius);
// A soft radial light: colour at the centre fading to nothing at r.
void glow(QPainter& p, QPointF centre, double r, QColor colour, double alpha = 1.0);
// A blurred shadow of a path, painted under whatever comes next.
void dropShadow(QPainter& p, const QPainterPath& path, QPointF offset, int blurRadius,
                QColor colour, const QRect& bounds);
// Per-pixel luminance grain, +-amount on each channel.
void grain(QImage& img, Rng& rng, int amount, const QRect& area);
// Horizontal brushing streaks over an area (the metal skin's frame).
void brushStreaks(QImage& img, Rng& rng, const QRect& area, double strength);
// Paper: fine grain, soft blotches and a few fibres.
void paperTexture(QImage& img, uint64_t seed, const QRect& area, double strength);

// Finishes an image painted on transparency for a colour-keyed copy: fully covered pixels stay,
// edge pixels are blended over `backdrop` (what they will most often sit on), and everything
// below `threshold` alpha becomes exactly `key`.
QImage keyed(const QImage& painted, QColor backdrop, QColor key, int threshold = 96);
// The same for images whose see-through colour is white: no opaque pixel may be pure white.
QImage keyedWhite(const QImage& painted, QColor backdrop, int threshold = 96);

// Stars, for night skies.
void starField(QPainter& p, Rng& rng, const QRectF& area, int count, double maxRadius);

// Hand-drawn marker strokes: a circle in one sweep that overshoots its start, and a frame
// round a rectangle that runs a little past its start along the top.
void markerCircle(QPainter& p, const QRectF& r, const QColor& ink, double width);
void markerFrame(QPainter& p, const QRectF& r, const QColor& ink, double width);

}  // namespace tv::art
