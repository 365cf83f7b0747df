// The program icon and the green sprig it shares with the skins' empty picture wells.
#include "art.h"
#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace tv::art {
namespace {

QPainterPath leafPath(QPointF base, double angle, double length, double width) {
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.quadTo(length * 0.45, -width, length, 0);
    leaf.quadTo(length * 0.45, width, 0, 0);
    QTransform tr;
    tr.translate(base.x(), base.y());
    tr.rotateRadians(angle);
    return tr.map(leaf);
}

}  // namespace

void drawSprig(QPainter& p, const QRectF& box, const QColor& leaf, const QColor& stem) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 100.0, box.height() / 100.0);
    QPainterPath s(QPointF(22, 94));
    s.cubicTo(QPointF(38, 70), QPointF(50, 46), QPointF(76, 10));
    p.setPen(QPen(stem, 4.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
    struct L {
        double t, side, len;
    };
    const L leaves[] = {{0.16, -1, 34}, {0.30, 1, 38},  {0.46, -1, 34},
                        {0.60, 1, 32},  {0.74, -1, 27}, {0.86, 1, 22}};
    p.setPen(Qt::NoPen);
    for (const L& l : leaves) {
        QPointF at = s.pointAtPercent(l.t);
        double dir = -s.angleAtPercent(l.t) * M_PI / 180.0;
        double a = dir + l.side * 0.8;
        QPainterPath lp = leafPath(at, a, l.len, l.len * 0.46);
        QLinearGradient g(at, at + QPointF(std::cos(a) * l.len, std::sin(a) * l.len));
        g.setColorAt(0, shade(leaf, 0.8));
        g.setColorAt(1, shade(leaf, 1.15));
        p.setBrush(g);
        p.drawPath(lp);
    }
    // The top bud.
    p.setBrush(shade(leaf, 1.1));
    p.drawPath(leafPath(s.pointAtPercent(1.0), -s.angleAtPercent(1.0) * M_PI / 180.0, 16, 6));
    p.restore();
}

QImage paintIcon(int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.scale(size / 256.0, size / 256.0);
    drawIcon(p, size, true);
    p.end();
    return img;
}

void drawIcon(QPainter& p, int size, bool shadow) {
    p.setRenderHint(QPainter::Antialiasing);
    const bool tiny = size <= 16;
    QRectF page = tiny ? QRectF(8, 20, 240, 228) : QRectF(26, 34, 204, 200);
    const double radius = tiny ? 30 : 28;
    QPainterPath pageShape;
    pageShape.addRoundedRect(page, radius, radius);
    if (!tiny && shadow) {
        QImage shade = canvas(256, 256);
        {
            QPainter sp(&shade);
            sp.setRenderHint(QPainter::Antialiasing);
            sp.setPen(Qt::NoPen);
            sp.setBrush(QColor(0, 0, 0, 110));
            sp.drawPath(pageShape.translated(0, 8));
        }
        blur(shade, 12);
        p.drawImage(0, 0, shade);
    }
    QLinearGradient paper(0, page.top(), 0, page.bottom());
    paper.setColorAt(0, QColor(255, 255, 252));
    paper.setColorAt(1, QColor(226, 232, 224));
    p.setPen(tiny ? Qt::NoPen : QPen(QColor(120, 120, 110), 3));
    p.setBrush(paper);
    p.drawPath(pageShape);
    // The binding band.
    p.save();
    p.setClipPath(pageShape);
    QLinearGradient band(0, page.top(), 0, page.top() + 62);
    band.setColorAt(0, QColor(214, 52, 60));
    band.setColorAt(1, QColor(160, 22, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(page.left(), page.top(), page.width(), tiny ? 70 : 60));
    p.restore();
    if (!tiny) {
        p.setPen(QPen(QColor(255, 255, 255, 60), 3));
        p.drawLine(QPointF(page.left() + 20, page.top() + 6),
                   QPointF(page.right() - 20, page.top() + 6));
        // Two rings.
        for (double x : {page.left() + 56, page.right() - 56}) {
            QLinearGradient metal(x - 9, 0, x + 9, 0);
            metal.setColorAt(0, QColor(110, 114, 122));
            metal.setColorAt(0.5, QColor(240, 242, 246));
            metal.setColorAt(1, QColor(100, 104, 112));
            p.setPen(QPen(QColor(40, 40, 46), 2.5));
            p.setBrush(metal);
            p.drawRoundedRect(QRectF(x - 9, page.top() - 22, 18, 48), 9, 9);
        }
        // Faint ruling of the days behind the sprig, only where it can still be seen.
        if (size >= 48) {
            p.setPen(QPen(QColor(150, 170, 150, 70), 2));
            for (int r = 0; r < 4; ++r)
                p.drawLine(QPointF(page.left() + 18, page.top() + 92 + r * 32),
                           QPointF(page.right() - 18, page.top() + 92 + r * 32));
        }
    }
    QRectF sprig = tiny ? QRectF(30, 84, 196, 170) : QRectF(50, 80, 156, 150);
    drawSprig(p, sprig, QColor(46, 150, 64), QColor(40, 100, 48));
}

}  // namespace tv::art
