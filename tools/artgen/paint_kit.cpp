#include "paint_kit.h"

#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tv::art {

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uni() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}
double Rng::range(double lo, double hi) {
    return lo + (hi - lo) * uni();
}
int Rng::below(int n) {
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n));
}
double Rng::gauss() {
    return (uni() + uni() + uni() + uni() - 2.0) * 1.7320508;
}

ValueNoise::ValueNoise(uint64_t seed) : seed_(seed) {}

double ValueNoise::lattice(int x, int y) const {
    uint64_t h = seed_ ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x9E3779B97F4A7C15ull) ^
                 (static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xC2B2AE3D27D4EB4Full);
    h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 29)) * 0x94D049BB133111EBull;
    h ^= h >> 32;
    return static_cast<double>(h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double ValueNoise::at(double x, double y) const {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = lattice(ix, iy), b = lattice(ix + 1, iy);
    double c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double ValueNoise::fbm(double x, double y, int octaves) const {
    double sum = 0, amp = 0.5, norm = 0, f = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * at(x * f + o * 17.3, y * f - o * 9.1);
        norm += amp;
        amp *= 0.5;
        f *= 2.03;
    }
    return sum / norm;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, double alpha) {
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

QColor shade(const QColor& c, double factor) {
    if (factor >= 1.0) return mix(c, QColor(255, 255, 255, c.alpha()), factor - 1.0);
    return mix(c, QColor(0, 0, 0, c.alpha()), 1.0 - factor);
}

QImage canvas(int w, int h, QColor fill) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

namespace {

// One horizontal and one vertical running-sum pass over premultiplied ARGB.
void boxPass(QImage& img, int r) {
    const int w = img.width(), h = img.height();
    std::vector<uint32_t> line(static_cast<size_t>(std::max(w, h)));
    auto run = [&](auto get, auto set, int n) {
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](uint32_t px, int sign) {
            for (int c = 0; c < 4; ++c)
                sum[c] += sign * static_cast<int>((px >> (8 * c)) & 0xFF);
        };
        for (int i = -r; i <= r; ++i)
            add(get(std::clamp(i, 0, n - 1)), 1);
        const int div = 2 * r + 1;
        for (int i = 0; i < n; ++i) {
            uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<uint32_t>(std::clamp(sum[c] / div, 0, 255)) << (8 * c);
            line[static_cast<size_t>(i)] = out;
            add(get(std::clamp(i + r + 1, 0, n - 1)), 1);
            add(get(std::clamp(i - r, 0, n - 1)), -1);
        }
        for (int i = 0; i < n; ++i)
            set(i, line[static_cast<size_t>(i)]);
    };
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
        run([&](int i) { return row[i]; }, [&](int i, uint32_t v) { row[i] = v; }, w);
    }
    for (int x = 0; x < w; ++x) {
        run([&](int i) { return reinterpret_cast<const uint32_t*>(img.constScanLine(i))[x]; },
            [&](int i, uint32_t v) { reinterpret_cast<uint32_t*>(img.scanLine(i))[x] = v; }, h);
    }
}

}  // namespace

void blur(QImage& img, int radius) {
    if (radius <= 0) return;
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int r = std::max(1, radius / 2);
    for (int i = 0; i < 3; ++i)
        boxPass(img, r);
}

void glow(QPainter& p, QPointF centre, double r, QColor colour, double alpha) {
    QRadialGradient g(centre, r);
    g.setColorAt(0, withAlpha(colour, alpha));
    g.setColorAt(0.35, withAlpha(colour, alpha * 0.45));
    g.setColorAt(1, withAlpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
    p.restore();
}

void dropShadow(QPainter& p, const QPainterPath& path, QPointF offset, int blurRadius,
                QColor colour, const QRect& bounds) {
    QImage s = canvas(bounds.width(), bounds.height());
    {
        QPainter sp(&s);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.translate(-bounds.topLeft() + offset);
        sp.setPen(Qt::NoPen);
        sp.setBrush(colour);
        sp.drawPath(path);
    }
    blur(s, blurRadius);
    p.drawImage(bounds.topLeft(), s);
}

void grain(QImage& img, Rng& rng, int amount, const QRect& area) {
    QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            int d = rng.below(2 * amount + 1) - amount;
            QRgb c = row[x];
            int a = qAlpha(c);
            row[x] = qRgba(std::clamp(qRed(c) + d, 0, a), std::clamp(qGreen(c) + d, 0, a),
                           std::clamp(qBlue(c) + d, 0, a), a);
        }
    }
}

void brushStreaks(QImage& img, Rng& rng, const QRect& area, double strength) {
    QRect r = area.intersected(img.rect());
    const int w = r.width();
    std::vector<double> noise(static_cast<size_t>(w) + 64), smooth(static_cast<size_t>(w));
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (double& n : noise)
            n = rng.uni() - 0.5;
        // A long box average along the row gives the drawn-out streaks of brushed steel.
        const int len = 24;
        double sum = 0;
        for (int i = 0; i < len; ++i)
            sum += noise[static_cast<size_t>(i)];
        for (int i = 0; i < w; ++i) {
            smooth[static_cast<size_t>(i)] = sum / len;
            sum += noise[static_cast<size_t>(i + len)] - noise[static_cast<size_t>(i)];
        }
        double rowTone = rng.gauss() * 0.35;
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int i = 0; i < w; ++i) {
            double v = (smooth[static_cast<size_t>(i)] * 4.0 + rowTone +
                        (noise[static_cast<size_t>(i)] * 0.5)) *
                       strength;
            int d = static_cast<int>(std::lround(v));
            QRgb c = row[r.left() + i];
            int a = qAlpha(c);
            row[r.left() + i] =
                qRgba(std::clamp(qRed(c) + d, 0, a), std::clamp(qGreen(c) + d, 0, a),
                      std::clamp(qBlue(c) + d, 0, a), a);
        }
    }
}

void paperTexture(QImage& img, uint64_t seed, const QRect& area, double strength) {
    ValueNoise blotch(seed);
    Rng rng(seed + 7);
    QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            double b = blotch.fbm(x / 90.0, y / 90.0, 4) - 0.5;
            double fine = blotch.at(x / 2.2, y / 2.2) - 0.5;
            int d = static_cast<int>(
                std::lround((b * 14 + fine * 6 + (rng.uni() - 0.5) * 4) * strength));
            QRgb c = row[x];
            int a = qAlpha(c);
            row[x] = qRgba(std::clamp(qRed(c) + d, 0, a), std::clamp(qGreen(c) + d, 0, a),
                           std::clamp(qBlue(c) + d - 1, 0, a), a);
        }
    }
    // A few short fibres.
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(r);
    int fibres = r.width() * r.height() / 2500;
    for (int i = 0; i < fibres; ++i) {
        QPointF a(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        double ang = rng.range(0, 6.283), len = rng.range(3, 10);
        QPointF b = a + QPointF(std::cos(ang) * len, std::sin(ang) * len);
        QPointF c = (a + b) / 2 + QPointF(rng.range(-2, 2), rng.range(-2, 2));
        QPainterPath f(a);
        f.quadTo(c, b);
        p.setPen(QPen(QColor(120, 100, 70, static_cast<int>(18 * strength)), 0.6));
        p.drawPath(f);
    }
}

namespace {

QImage finishKeyed(const QImage& painted, QColor backdrop, QColor key, int threshold,
                   bool avoidWhite) {
    QImage src = painted.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    const int br = backdrop.red(), bg = backdrop.green(), bb = backdrop.blue();
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            QRgb c = in[x];
            int a = qAlpha(c);
            if (a < threshold) {
                o[x] = key.rgb();
                continue;
            }
            int r = (qRed(c) * a + br * (255 - a)) / 255;
            int g = (qGreen(c) * a + bg * (255 - a)) / 255;
            int b = (qBlue(c) * a + bb * (255 - a)) / 255;
            QRgb px = qRgb(r, g, b);
            if (px == key.rgb()) px = qRgb(r, g ^ 1, b);  // never the key by accident
            if (avoidWhite && r == 255 && g == 255 && b == 255) px = qRgb(254, 254, 254);
            o[x] = px;
        }
    }
    return out;
}

}  // namespace

QImage keyed(const QImage& painted, QColor backdrop, QColor key, int threshold) {
    return finishKeyed(painted, backdrop, key, threshold, false);
}

QImage keyedWhite(const QImage& painted, QColor backdrop, int threshold) {
    return finishKeyed(painted, backdrop, QColor(255, 255, 255), threshold, true);
}

void starField(QPainter& p, Rng& rng, const QRectF& area, int count, double maxRadius) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        double r = maxRadius * std::pow(rng.uni(), 3.0) + 0.35;
        int a = static_cast<int>(rng.range(90, 255));
        QColor col = mix(QColor(255, 244, 220), QColor(200, 220, 255), rng.uni());
        col.setAlpha(a);
        p.setBrush(col);
        p.drawEllipse(c, r, r);
        if (r > maxRadius * 0.6) glow(p, c, r * 5, col, 0.25);
    }
    p.restore();
}

// A marker circle drawn in one sweep that overshoots its start.
void markerCircle(QPainter& p, const QRectF& r, const QColor& ink, double width) {
    QPainterPath path;
    const int steps = 90;
    for (int i = 0; i <= steps; ++i) {
        double f = i / static_cast<double>(steps);
        double a = -2.2 + f * 2 * M_PI * 1.12;
        double wobble = 1.0 + 0.05 * std::sin(f * 9.0) - 0.05 * f;
        QPointF pt(r.center().x() + std::cos(a) * r.width() / 2 * wobble,
                   r.center().y() + std::sin(a) * r.height() / 2 * wobble);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A marker frame drawn round a field in one stroke that runs a little past its start, so the
// day number and the lines inside stay readable.
void markerFrame(QPainter& p, const QRectF& r, const QColor& ink, double width) {
    const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    QPainterPath path;
    const int steps = 24;  // a side
    for (int side = 0; side <= 4; ++side) {
        const QPointF a = corners[side % 4], b = corners[(side + 1) % 4];
        const int last = side == 4 ? steps / 3 : steps;  // the overshoot along the top again
        for (int i = 0; i <= last; ++i) {
            const double f = i / static_cast<double>(steps);
            // A hand's wobble, kept small: the frame has only the edge of the field to itself.
            const double wobble = 0.4 * std::sin((side * steps + i) * 0.45);
            const QPointF d = b - a;
            const QPointF normal(-d.y(), d.x());
            const double len = std::hypot(normal.x(), normal.y());
            QPointF pt = a + d * f + normal / len * wobble;
            if (side == 0 && i == 0)
                path.moveTo(pt + QPointF(-1, 0.8));
            else
                path.lineTo(pt);
        }
    }
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

}  // namespace tv::art
