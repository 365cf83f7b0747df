// Motifs the holiday pictures are built from: skies, fireworks, a city on the river, candles,
// flowers, fir branches, snow and soft out-of-focus lights.
#pragma once

#include "paint_kit.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <initializer_list>
#include <utility>

namespace tv::art {

using Stops = std::initializer_list<std::pair<double, QColor>>;

void verticalGradient(QPainter& p, const QRectF& r, Stops stops);
// A burst of sparks drooping under gravity, with a glow at the heart.
void firework(QPainter& p, Rng& rng, QPointF c, double r, QColor colour, int rays);
// The river-front skyline with the domed parliament and lit windows; `base` is the waterline.
void skyline(QPainter& p, Rng& rng, double base, double width, QColor body, QColor windows);
// Mirrors the rows above `horizon` into the water below it, rippled and darkened.
void waterReflection(QImage& img, int horizon, double darken, uint64_t seed);
// A candle standing at `base` (centre of its foot).
void candle(QPainter& p, QPointF base, double w, double h, QColor wax, bool lit);
// A candle flame and its halo with the flame's foot at `tip`.
void flame(QPainter& p, QPointF tip, double size);
QPainterPath heartPath(QPointF centre, double size);
void tulip(QPainter& p, QPointF head, double size, double tilt, QColor colour);
void chrysanthemum(QPainter& p, Rng& rng, QPointF c, double r, QColor colour);
// A fir twig from `from` to `to` with needles on both sides.
void firBranch(QPainter& p, Rng& rng, QPointF from, QPointF to, double needle, QColor colour);
void bokeh(QPainter& p, Rng& rng, const QRectF& area, int count,
           std::initializer_list<QColor> palette, double minR, double maxR);
void snowfall(QPainter& p, Rng& rng, const QRectF& area, int count, double maxR);
// A filled band of rolling hills whose top follows a few sines.
void hill(QPainter& p, const QRectF& area, double baseY, double amp, double phase, QColor top,
          QColor bottom);
// A glossy Christmas bauble.
void bauble(QPainter& p, QPointF c, double r, QColor colour);
// A five-pointed star.
QPainterPath starPath(QPointF c, double outer, double inner, int points = 5);

}  // namespace tv::art
