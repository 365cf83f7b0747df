#include "platform/qt/qt_surface.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace tv {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Clips a copy of w x h from (sx, sy) of a source to (x, y) of a destination so that both
// rectangles lie inside their images. False when nothing is left.
bool clipCopy(const QImage& dst, const QImage& src, int& x, int& y, int& w, int& h, int& sx,
              int& sy) {
    if (x < 0) {
        w += x;
        sx -= x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        sy -= y;
        y = 0;
    }
    if (sx < 0) {
        w += sx;
        x -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        y -= sy;
        sy = 0;
    }
    w = std::min({w, dst.width() - x, src.width() - sx});
    h = std::min({h, dst.height() - y, src.height() - sy});
    return w > 0 && h > 0;
}

const QImage* imageOf(const Surface& s) {
    const auto* q = dynamic_cast<const QtSurface*>(&s);
    return q && !q->image().isNull() ? &q->image() : nullptr;
}

}  // namespace

QString mapFontFace(std::string_view face) {
    QString f = qs(face).trimmed();
    const QString l = f.toLower();
    if (l == "ms sans serif" || l == "microsoft sans serif" || l == "arial" || l == "tahoma" ||
        l == "verdana" || l.isEmpty())
        return QStringLiteral("Liberation Sans");
    if (l == "arial narrow") return QStringLiteral("Liberation Sans Narrow");
    if (l == "times new roman") return QStringLiteral("Liberation Serif");
    if (l == "courier new") return QStringLiteral("Liberation Mono");
    return f;
}

QtSurface::QtSurface(int w, int h) {
    if (w > 0 && h > 0) {
        image_ = QImage(w, h, QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    applyFont();
}

QtSurface::QtSurface(QImage image) : image_(std::move(image)) {
    if (!image_.isNull() && image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    applyFont();
}

void QtSurface::applyFont() {
    qfont_ = QFont(mapFontFace(spec_.face));
    qfont_.setPixelSize(std::max(1, spec_.pixelSize));
    qfont_.setWeight(static_cast<QFont::Weight>(std::clamp(spec_.weight, 100, 900)));
    qfont_.setItalic(spec_.italic);
    metrics_.emplace(qfont_);
}

void QtSurface::setFont(const FontSpec& font) {
    spec_ = font;
    applyFont();
}

bool QtSurface::hasFace(std::string_view face) const {
    const QString wanted = mapFontFace(face);
    return QFontInfo(QFont(wanted)).family().compare(wanted, Qt::CaseInsensitive) == 0;
}

void QtSurface::drawText(int x, int y, std::string_view text) {
    if (image_.isNull() || text.empty()) return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(qfont_);
    p.setPen(QColor(toQRgb(colour_)));
    // The point is the top-left of the text cell; Qt draws on the baseline.
    p.translate(x, y);
    if (spec_.angle != 0) p.rotate(-spec_.angle);
    p.drawText(0, metrics_->ascent(), qs(text));
}

int QtSurface::textWidthPx(std::string_view text) const {
    return metrics_->horizontalAdvance(qs(text));
}

int QtSurface::textHeightPx(std::string_view) const {
    return metrics_->height();
}

int QtSurface::bellWidthPx() const {
    return metrics_->height();
}

void QtSurface::drawBell(int x, int y) {
    if (image_.isNull()) return;
    // A small bell drawn in the text colour: no installed face is sure to have one.
    const double s = metrics_->height();
    QPainterPath bell;
    bell.moveTo(x + 0.15 * s, y + 0.75 * s);
    bell.cubicTo(x + 0.3 * s, y + 0.6 * s, x + 0.2 * s, y + 0.15 * s, x + 0.5 * s, y + 0.15 * s);
    bell.cubicTo(x + 0.8 * s, y + 0.15 * s, x + 0.7 * s, y + 0.6 * s, x + 0.85 * s, y + 0.75 * s);
    bell.closeSubpath();
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c(toQRgb(colour_));
    p.fillPath(bell, c);
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x + 0.5 * s, y + 0.82 * s), 0.09 * s, 0.09 * s);
    p.drawEllipse(QPointF(x + 0.5 * s, y + 0.12 * s), 0.06 * s, 0.06 * s);
}

void QtSurface::fill(int x, int y, int w, int h, uint32_t colour) {
    if (image_.isNull() || w <= 0 || h <= 0) return;
    const QRect r = QRect(x, y, w, h).intersected(image_.rect());
    if (r.isEmpty()) return;
    const QRgb c = toQRgb(colour);
    for (int row = r.top(); row <= r.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
        std::fill(line + r.left(), line + r.right() + 1, c);
    }
}

void QtSurface::copy(int x, int y, int w, int h, const Surface& src, int sx, int sy) {
    const QImage* s = imageOf(src);
    if (!s || image_.isNull() || !clipCopy(image_, *s, x, y, w, h, sx, sy)) return;
    for (int row = 0; row < h; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(s->constScanLine(sy + row)) + sx;
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(y + row)) + x;
        std::copy(from, from + w, to);
    }
}

void QtSurface::copyKeyed(int x, int y, int w, int h, const Surface& src, int sx, int sy,
                          uint32_t key) {
    const QImage* s = imageOf(src);
    if (!s || image_.isNull() || !clipCopy(image_, *s, x, y, w, h, sx, sy)) return;
    const QRgb k = toQRgb(key) & 0xFFFFFF;
    for (int row = 0; row < h; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(s->constScanLine(sy + row)) + sx;
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(y + row)) + x;
        for (int i = 0; i < w; ++i)
            if ((from[i] & 0xFFFFFF) != k) to[i] = from[i];
    }
}

void QtSurface::copyMasked(int x, int y, int w, int h, const Surface& src, Surface* mask, int sx,
                           int sy) {
    const QImage* s = imageOf(src);
    if (!s || image_.isNull()) return;
    // The mask covers the source rectangle as given, before clipping to this surface.
    if (auto* m = dynamic_cast<QtSurface*>(mask); m && !m->image_.isNull()) {
        for (int row = 0; row < std::min(h, m->height()); ++row) {
            if (sy + row < 0 || sy + row >= s->height()) continue;
            auto* to = reinterpret_cast<QRgb*>(m->image_.scanLine(row));
            for (int i = 0; i < std::min(w, m->width()); ++i) {
                const bool inside = sx + i >= 0 && sx + i < s->width();
                const QRgb p = inside ? s->pixel(sx + i, sy + row) | 0xFF000000u : 0;
                to[i] = p == 0xFFFFFFFFu ? 0xFFFFFFFFu : 0xFF000000u;
            }
        }
    }
    copyKeyed(x, y, w, h, src, sx, sy, 16777215);
}

void QtSurface::stretch(int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw,
                        int sh) {
    const QImage* s = imageOf(src);
    if (!s || image_.isNull() || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRect(x, y, w, h), *s, QRect(sx, sy, sw, sh));
}

uint32_t QtSurface::pixel(int x, int y) const {
    if (!image_.valid(x, y)) return 0;
    return fromQRgb(image_.pixel(x, y));
}

QImage shapedWindowImage(const QImage& frame, const WindowRequest& w) {
    QImage out = frame.convertToFormat(QImage::Format_ARGB32);
    if (w.colourKeyed) {
        const QRgb key = toQRgb(w.colourKey) & 0xFFFFFF;
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    if (w.shaped) {
        // The outline runs from (0, 0) to (width + 1, height + 1), as the window region does.
        QPainterPath outline;
        outline.addRoundedRect(QRectF(0, 0, w.width + 1, w.height + 1), w.roundX / 2.0,
                               w.roundY / 2.0);
        QPainterPath outside;
        outside.addRect(QRectF(out.rect()).adjusted(-1, -1, 1, 1));
        outside = outside.subtracted(outline);
        QPainter p(&out);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.fillPath(outside, Qt::transparent);
    }
    return out;
}

std::unique_ptr<Surface> QtSurfaceFactory::create(int w, int h) const {
    return std::make_unique<QtSurface>(w, h);
}

}  // namespace tv
