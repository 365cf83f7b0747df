#include "glyphs.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tv::art {
namespace {

QPainterPath bellPath() {
    // Unit square, bell opening at the bottom.
    QPainterPath b;
    b.moveTo(0.5, 0.12);
    b.cubicTo(0.30, 0.12, 0.24, 0.30, 0.24, 0.46);
    b.lineTo(0.22, 0.64);
    b.lineTo(0.12, 0.76);
    b.lineTo(0.88, 0.76);
    b.lineTo(0.78, 0.64);
    b.lineTo(0.76, 0.46);
    b.cubicTo(0.76, 0.30, 0.70, 0.12, 0.5, 0.12);
    b.closeSubpath();
    b.addEllipse(QPointF(0.5, 0.84), 0.08, 0.07);
    b.addEllipse(QPointF(0.5, 0.10), 0.05, 0.05);
    return b;
}

QPainterPath gearPath() {
    QPainterPath g;
    const int teeth = 8;
    const double ro = 0.44, ri = 0.33;
    for (int i = 0; i < teeth * 4; ++i) {
        double a = (i / static_cast<double>(teeth * 4)) * 2 * M_PI;
        int phase = i % 4;
        double r = (phase == 0 || phase == 1) ? ro : ri;
        QPointF pt(0.5 + r * std::cos(a), 0.5 + r * std::sin(a));
        if (i == 0)
            g.moveTo(pt);
        else
            g.lineTo(pt);
    }
    g.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(0.5, 0.5), 0.14, 0.14);
    return g.subtracted(hole);
}

}  // namespace

Glyph glyphOfButton(int index) {
    static constexpr Glyph kMap[12] = {Glyph::kClose,    Glyph::kLeft,      Glyph::kRight,
                                       Glyph::kCalendar, Glyph::kList,      Glyph::kGear,
                                       Glyph::kInfo,     Glyph::kPerson,    Glyph::kBellOff,
                                       Glyph::kNameTag,  Glyph::kBellAlert, Glyph::kHome};
    return kMap[std::clamp(index, 0, 11)];
}

void drawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& ink) {
    const double s = std::min(box.width(), box.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.center().x() - s / 2, box.center().y() - s / 2);
    p.scale(s, s);
    const double lw = std::clamp(1.7 / s, 0.075, 0.11);  // stroke in unit space, ~1.7 px
    QPen pen(ink, lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (g) {
        case Glyph::kClose:
            p.setPen(QPen(ink, lw * 1.25, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0.27, 0.27), QPointF(0.73, 0.73));
            p.drawLine(QPointF(0.73, 0.27), QPointF(0.27, 0.73));
            break;
        case Glyph::kLeft:
        case Glyph::kRight: {
            QPainterPath a;
            a.moveTo(0.62, 0.22);
            a.lineTo(0.30, 0.5);
            a.lineTo(0.62, 0.78);
            a.closeSubpath();
            if (g == Glyph::kRight) {
                p.translate(1, 0);
                p.scale(-1, 1);
            }
            p.setBrush(ink);
            p.setPen(QPen(ink, lw * 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(a);
            break;
        }
        case Glyph::kCalendar: {
            p.drawRoundedRect(QRectF(0.16, 0.22, 0.68, 0.62), 0.08, 0.08);
            p.setBrush(ink);
            p.drawRect(QRectF(0.16, 0.22, 0.68, 0.14));
            p.setPen(QPen(ink, lw, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0.33, 0.12), QPointF(0.33, 0.28));
            p.drawLine(QPointF(0.67, 0.12), QPointF(0.67, 0.28));
            p.setPen(Qt::NoPen);
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 3; ++c)
                    p.drawRect(QRectF(0.26 + c * 0.17, 0.46 + r * 0.17, 0.11, 0.1));
            break;
        }
        case Glyph::kList: {
            p.drawRoundedRect(QRectF(0.20, 0.14, 0.60, 0.72), 0.07, 0.07);
            p.setPen(QPen(ink, lw * 0.9, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 3; ++i) {
                double y = 0.34 + i * 0.17;
                p.drawPoint(QPointF(0.32, y));
                p.drawLine(QPointF(0.42, y), QPointF(0.68, y));
            }
            break;
        }
        case Glyph::kGear:
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPath(gearPath());
            break;
        case Glyph::kInfo: {
            p.drawEllipse(QPointF(0.5, 0.5), 0.36, 0.36);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(0.5, 0.32), 0.06, 0.06);
            p.drawRoundedRect(QRectF(0.445, 0.43, 0.11, 0.29), 0.03, 0.03);
            break;
        }
        case Glyph::kPerson: {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(0.42, 0.32), 0.14, 0.14);
            QPainterPath body;
            body.moveTo(0.14, 0.80);
            body.cubicTo(0.14, 0.56, 0.28, 0.50, 0.42, 0.50);
            body.cubicTo(0.56, 0.50, 0.70, 0.56, 0.70, 0.80);
            body.closeSubpath();
            p.drawPath(body);
            // A small magnifier: the button searches names.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, lw * 0.85, Qt::SolidLine, Qt::RoundCap));
            p.drawEllipse(QPointF(0.72, 0.50), 0.11, 0.11);
            p.drawLine(QPointF(0.80, 0.58), QPointF(0.90, 0.68));
            break;
        }
        case Glyph::kBellOff:
        case Glyph::kBellAlert: {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            if (g == Glyph::kBellAlert) {
                p.drawPath(bellPath());
                p.setPen(QPen(ink, lw * 0.8, Qt::SolidLine, Qt::RoundCap));
                p.setBrush(Qt::NoBrush);
                p.drawArc(QRectF(0.02, 0.14, 0.22, 0.44), 110 * 16, 140 * 16);
                p.drawArc(QRectF(0.76, 0.14, 0.22, 0.44), -70 * 16, 140 * 16);
            } else {
                QPainterPath b = bellPath();
                QPainterPath slash;
                slash.moveTo(0.10, 0.16);
                slash.lineTo(0.18, 0.08);
                slash.lineTo(0.92, 0.82);
                slash.lineTo(0.84, 0.90);
                slash.closeSubpath();
                QPainterPath gap;
                gap.moveTo(0.10, 0.05);
                gap.lineTo(0.24, -0.05);
                gap.lineTo(1.02, 0.78);
                gap.lineTo(0.88, 0.90);
                gap.closeSubpath();
                p.drawPath(b.subtracted(gap).united(slash));
            }
            break;
        }
        case Glyph::kNameTag: {
            QPainterPath tag;
            tag.moveTo(0.12, 0.30);
            tag.lineTo(0.66, 0.30);
            tag.lineTo(0.88, 0.50);
            tag.lineTo(0.66, 0.70);
            tag.lineTo(0.12, 0.70);
            tag.closeSubpath();
            p.drawPath(tag);
            p.setPen(QPen(ink, lw * 0.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0.22, 0.44), QPointF(0.54, 0.44));
            p.drawLine(QPointF(0.22, 0.57), QPointF(0.46, 0.57));
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(0.70, 0.50), 0.045, 0.045);
            break;
        }
        case Glyph::kHome: {
            QPainterPath h;
            h.moveTo(0.5, 0.16);
            h.lineTo(0.86, 0.48);
            h.lineTo(0.76, 0.48);
            h.lineTo(0.76, 0.84);
            h.lineTo(0.58, 0.84);
            h.lineTo(0.58, 0.62);
            h.lineTo(0.42, 0.62);
            h.lineTo(0.42, 0.84);
            h.lineTo(0.24, 0.84);
            h.lineTo(0.24, 0.48);
            h.lineTo(0.14, 0.48);
            h.closeSubpath();
            p.setPen(QPen(ink, lw * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(ink);
            p.drawPath(h);
            break;
        }
    }
    p.restore();
}

}  // namespace tv::art
