#include "gui/windows/font_sample.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "core/render/text.h"

namespace tv {

namespace {
constexpr int kPad = 8;
}

QColor colourFromRgbInt(int colour) {
    const auto c = static_cast<unsigned>(colour);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

FontSample::FontSample(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QFont FontSample::sampleFont() const {
    QFont f(style_.face.empty() ? QStringLiteral("Arial") : QString::fromStdString(style_.face));
    f.setPixelSize(std::max(6, fontPixels(style_.size)));
    // Qt's weights run 1 ... 1000 like the stored 100 ... 900.
    f.setWeight(static_cast<QFont::Weight>(std::clamp(style_.weight, 100, 900)));
    f.setItalic(style_.italic);
    return f;
}

void FontSample::setSample(const FontStyle& style, const QStringList& lines, int shadowType) {
    style_ = style;
    lines_ = lines;
    shadowType_ = shadowType;
    updateGeometry();
    update();
}

QSize FontSample::sizeHint() const {
    const QFontMetrics m(sampleFont());
    int w = 0;
    for (const QString& l : lines_)
        w = std::max(w, m.horizontalAdvance(l));
    const auto n = static_cast<int>(std::max<qsizetype>(1, lines_.size()));
    return {w + 2 * kPad + 4, n * m.height() + 2 * kPad};
}

void FontSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A ground like a landscape picture: the texts must read on light and dark parts alike.
    QLinearGradient g(0, 0, width(), height());
    g.setColorAt(0, QColor(92, 128, 160));
    g.setColorAt(1, QColor(168, 176, 140));
    p.fillRect(rect(), g);
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    const QFont f = sampleFont();
    const QFontMetrics m(f);
    const QColor text = colourFromRgbInt(style_.color);
    const QColor shadow = colourFromRgbInt(style_.bgColor);
    int y = kPad + m.ascent();
    for (const QString& line : lines_) {
        const QPointF at(kPad, y);
        if (shadowType_ == kShadowDrop) {
            p.setFont(f);
            p.setPen(shadow);
            p.drawText(at + QPointF(1, 1), line);
        } else if (shadowType_ == kShadowThin || shadowType_ == kShadowThick) {
            QPainterPath path;
            path.addText(at, f, line);
            p.strokePath(path, QPen(shadow, shadowType_ == kShadowThick ? 3.0 : 1.5, Qt::SolidLine,
                                    Qt::RoundCap, Qt::RoundJoin));
        }
        p.setFont(f);
        p.setPen(text);
        p.drawText(at, line);
        y += m.height();
    }
}

void FontSample::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked(event->globalPosition().toPoint());
    }
}

void FontSample::keyPressEvent(QKeyEvent* event) {
    // The keyboard reaches the same menu.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked(mapToGlobal(QPoint(kPad, height() / 2)));
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tv
