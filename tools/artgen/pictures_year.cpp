// Holiday pictures of the national and civic days: fireworks over the river, hearts, tulips, the
// cockade, bread and fireworks, and the flag with the hole.
#include "art.h"
#include "picture_kit.h"
#include "pictures.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace tv::art {
namespace {

constexpr double kW = kPictureW, kH = kPictureH;

}  // namespace

QImage paintNewYear() {
    Rng rng(101);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(6, 8, 28)},
                      {0.45, QColor(22, 20, 58)},
                      {0.72, QColor(70, 40, 86)},
                      {1, QColor(20, 14, 30)}});
    starField(p, rng, QRectF(0, 0, kW, 300), 160, 1.6);
    // Smoke left by earlier rockets catches the light.
    ValueNoise smoke(102);
    QImage haze = canvas(kPictureW / 4, kPictureH / 4);
    for (int y = 0; y < haze.height(); ++y)
        for (int x = 0; x < haze.width(); ++x) {
            double v = std::max(0.0, smoke.fbm(x / 22.0, y / 14.0, 4) - 0.5) * 2;
            haze.setPixel(
                x, y,
                qPremultiply(
                    qRgba(150, 110, 170, static_cast<int>(v * 80 * std::max(0.0, 1 - y / 110.0)))));
        }
    p.drawImage(QRectF(0, 0, kW, kH), haze);
    struct Burst {
        double x, y, r;
        QColor c;
        int rays;
    };
    const Burst bursts[] = {
        {260, 150, 120, QColor(255, 200, 80), 46}, {560, 118, 100, QColor(255, 80, 100), 40},
        {430, 250, 72, QColor(110, 255, 150), 32}, {120, 268, 64, QColor(120, 170, 255), 30},
        {690, 250, 70, QColor(255, 120, 230), 30}, {360, 60, 44, QColor(255, 255, 220), 24}};
    for (const Burst& b : bursts)
        firework(p, rng, QPointF(b.x, b.y), b.r, b.c, b.rays);
    // A rising rocket trail.
    p.setPen(QPen(QColor(255, 220, 160, 150), 1.5));
    p.drawLine(QPointF(600, 420), QPointF(640, 300));
    glow(p, QPointF(640, 300), 8, QColor(255, 230, 180), 0.9);
    skyline(p, rng, 432, kW, QColor(12, 12, 24), QColor(255, 214, 130));
    p.end();
    waterReflection(img, 432, 0.62, 103);
    return img;
}

QImage paintValentine() {
    Rng rng(201);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient bg(QPointF(kW * 0.55, kH * 0.45), kW * 0.75);
    bg.setColorAt(0, QColor(150, 20, 48));
    bg.setColorAt(1, QColor(36, 2, 12));
    p.fillRect(QRectF(0, 0, kW, kH), bg);
    bokeh(p, rng, QRectF(0, 0, kW, kH), 60,
          {QColor(255, 120, 160), QColor(255, 80, 110), QColor(255, 200, 210)}, 12, 46);
    // Small hearts drifting up.
    for (int i = 0; i < 26; ++i) {
        QPointF c(rng.range(0, kW), rng.range(0, kH));
        double s = rng.range(14, 44);
        p.save();
        p.translate(c);
        p.rotate(rng.range(-25, 25));
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(mix(QColor(255, 90, 130), QColor(255, 200, 215), rng.uni()),
                             rng.range(0.3, 0.75)));
        p.drawPath(heartPath(QPointF(0, 0), s));
        p.restore();
    }
    auto bigHeart = [&](QPointF c, double s, double rot, QColor hi, QColor lo) {
        p.save();
        p.translate(c);
        p.rotate(rot);
        QPainterPath h = heartPath(QPointF(0, 0), s);
        dropShadow(p, h, QPointF(8, 14), 18, QColor(20, 0, 6, 150), QRect(-400, -400, 800, 800));
        QRadialGradient g(QPointF(-s * 0.18, -s * 0.2), s * 0.8);
        g.setColorAt(0, hi);
        g.setColorAt(1, lo);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(h);
        QPainterPath shine;
        shine.addEllipse(QPointF(-s * 0.27, -s * 0.25), s * 0.12, s * 0.07);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawPath(shine);
        p.restore();
    };
    bigHeart(QPointF(330, 340), 300, -12, QColor(255, 96, 120), QColor(150, 8, 36));
    bigHeart(QPointF(490, 300), 250, 14, QColor(255, 160, 190), QColor(200, 40, 90));
    // An arrow through both.
    p.setPen(QPen(QColor(240, 210, 150), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(150, 420), QPointF(660, 200));
    QPainterPath tip;
    tip.moveTo(676, 193);
    tip.lineTo(648, 196);
    tip.lineTo(660, 218);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 210, 150));
    p.drawPath(tip);
    for (int i = 0; i < 3; ++i) {
        QPointF f(150 + i * 12, 420 - i * 5);
        p.setPen(QPen(QColor(255, 240, 240), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(f, f + QPointF(-8, -16));
        p.drawLine(f, f + QPointF(-14, 6));
    }
    return img;
}

QImage paintWomensDay() {
    Rng rng(301);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(236, 214, 228)}, {1, QColor(252, 240, 236)}});
    bokeh(p, rng, QRectF(0, 0, kW, kH), 40,
          {QColor(255, 255, 255), QColor(255, 210, 230), QColor(255, 240, 200)}, 20, 60);
    const QPointF knot(400, 455);
    // Stems and leaves first.
    struct Head {
        double x, y, s, tilt;
        QColor c;
    };
    const Head heads[] = {
        {300, 190, 46, -14, QColor(226, 40, 60)},  {370, 150, 50, -4, QColor(255, 120, 170)},
        {440, 142, 50, 6, QColor(250, 210, 60)},   {510, 186, 46, 16, QColor(226, 40, 60)},
        {340, 240, 44, -10, QColor(250, 210, 60)}, {405, 210, 50, 0, QColor(236, 60, 90)},
        {470, 236, 44, 10, QColor(255, 150, 190)}, {260, 260, 40, -24, QColor(255, 150, 190)},
        {550, 262, 40, 24, QColor(250, 236, 225)}};
    for (const Head& h : heads) {
        QPainterPath stem(knot);
        stem.quadTo(QPointF((knot.x() + h.x) / 2, knot.y() - 60), QPointF(h.x, h.y + h.s * 0.4));
        p.setPen(QPen(QColor(70, 130, 60), 5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
    }
    for (int i = 0; i < 7; ++i) {
        double a = -1.1 + i * 0.37;
        QPointF tip = knot + QPointF(std::sin(a) * 260, -std::cos(a) * 220);
        QPainterPath leaf(knot);
        leaf.quadTo(knot + (tip - knot) * 0.5 + QPointF(-30 * std::cos(a), -10), tip);
        leaf.quadTo(knot + (tip - knot) * 0.5 + QPointF(30 * std::cos(a), 10), knot);
        QLinearGradient g(knot, tip);
        g.setColorAt(0, QColor(50, 110, 50));
        g.setColorAt(1, QColor(130, 190, 100));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(leaf);
    }
    for (const Head& h : heads)
        tulip(p, QPointF(h.x, h.y), h.s, h.tilt, h.c);
    // Mimosa: the yellow puffs of the day.
    for (int i = 0; i < 90; ++i) {
        double a = rng.range(-2.4, -0.7);
        double r = rng.range(120, 260);
        QPointF c = knot + QPointF(std::cos(a) * r * 1.2, std::sin(a) * r);
        if (c.x() > 330) continue;
        p.setBrush(mix(QColor(255, 220, 40), QColor(255, 240, 120), rng.uni()));
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, 5.5, 5.5);
    }
    // Kraft-paper cone and a ribbon.
    QPainterPath cone;
    cone.moveTo(286, 380);
    cone.lineTo(514, 372);
    cone.lineTo(424, 600);
    cone.lineTo(384, 600);
    cone.closeSubpath();
    QLinearGradient paper(286, 0, 514, 0);
    paper.setColorAt(0, QColor(200, 160, 116));
    paper.setColorAt(0.5, QColor(236, 206, 160));
    paper.setColorAt(1, QColor(180, 140, 100));
    p.setBrush(paper);
    p.setPen(QPen(QColor(160, 120, 80), 1));
    p.drawPath(cone);
    p.setPen(QPen(QColor(170, 130, 90, 160), 1.5));
    p.drawLine(QPointF(350, 380), QPointF(400, 600));
    p.drawLine(QPointF(450, 376), QPointF(410, 600));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 50, 100));
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath loop;
        loop.moveTo(404, 462);
        loop.cubicTo(QPointF(404 + side * 70, 420), QPointF(404 + side * 80, 500),
                     QPointF(404, 470));
        p.drawPath(loop);
        QPainterPath tail;
        tail.moveTo(404, 466);
        tail.lineTo(404 + side * 40, 560);
        tail.lineTo(404 + side * 56, 548);
        tail.closeSubpath();
        p.drawPath(tail);
    }
    p.setBrush(QColor(190, 30, 80));
    p.drawEllipse(QPointF(404, 466), 12, 10);
    return img;
}

QImage paintMarch15() {
    Rng rng(401);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(
        p, QRectF(0, 0, kW, kH),
        {{0, QColor(150, 180, 220)}, {0.7, QColor(226, 232, 240)}, {1, QColor(244, 240, 232)}});
    for (int i = 0; i < 30; ++i) {
        QPointF c(rng.range(0, kW), rng.range(20, 260));
        glow(p, c, rng.range(40, 90), QColor(255, 255, 255), 0.35);
    }
    // Sprigs of spring green at the bottom corners.
    drawSprig(p, QRectF(10, 380, 220, 220), QColor(80, 160, 70), QColor(60, 110, 50));
    drawSprig(p, QRectF(600, 360, 180, 220), QColor(80, 160, 70), QColor(60, 110, 50));
    const QPointF c(400, 270);
    const QColor red(206, 32, 48), white(250, 248, 244), green(40, 130, 70);
    // Ribbon tails in the three colours, cut in a V.
    for (int side = -1; side <= 1; side += 2) {
        p.save();
        p.translate(c);
        p.rotate(side * 16);
        const double bw = 84, len = 300;
        const QColor stripes[3] = {red, white, green};
        for (int s = 0; s < 3; ++s) {
            QPainterPath band;
            double x0 = -bw / 2 + s * bw / 3;
            double v = 26;
            auto vy = [&](double x) { return len - v + std::abs(x) / (bw / 2) * v; };
            band.moveTo(x0, 0);
            band.lineTo(x0 + bw / 3, 0);
            band.lineTo(x0 + bw / 3, vy(x0 + bw / 3));
            band.lineTo(x0, vy(x0));
            band.closeSubpath();
            QLinearGradient g(0, 0, 0, len);
            g.setColorAt(0, shade(stripes[s], 0.8));
            g.setColorAt(0.5, stripes[s]);
            g.setColorAt(1, shade(stripes[s], 0.85));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawPath(band);
        }
        p.restore();
    }
    // The cockade: pleated rings, red outside, white, green in the middle.
    QPainterPath disc;
    disc.addEllipse(c, 196, 196);
    dropShadow(p, disc, QPointF(6, 12), 20, QColor(40, 30, 40, 120),
               QRect(0, 0, kPictureW, kPictureH));
    auto ring = [&](double ro, double ri, QColor col, int pleats) {
        QPainterPath r;
        r.addEllipse(c, ro, ro);
        QPainterPath hole;
        hole.addEllipse(c, ri, ri);
        QConicalGradient g(c, 0);
        for (int i = 0; i < pleats; ++i) {
            double t = i / static_cast<double>(pleats);
            g.setColorAt(t, shade(col, 1.1));
            g.setColorAt(t + 0.5 / pleats, shade(col, 0.78));
        }
        g.setColorAt(1, shade(col, 1.1));
        p.setPen(QPen(shade(col, 0.6), 1));
        p.setBrush(g);
        p.drawPath(r.subtracted(hole));
    };
    ring(196, 124, red, 48);
    ring(126, 70, white, 36);
    ring(72, 0, green, 24);
    // Light from the upper left over the whole cockade.
    QRadialGradient light(c - QPointF(70, 80), 260);
    light.setColorAt(0, QColor(255, 255, 255, 70));
    light.setColorAt(1, QColor(0, 0, 0, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(c, 196, 196);
    QRadialGradient button(c - QPointF(8, 10), 30);
    button.setColorAt(0, QColor(120, 200, 130));
    button.setColorAt(1, QColor(20, 90, 40));
    p.setBrush(button);
    p.drawEllipse(c, 22, 22);
    return img;
}

QImage paintAugust20() {
    Rng rng(501);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, 360),
                     {{0, QColor(14, 16, 48)},
                      {0.55, QColor(60, 40, 90)},
                      {0.85, QColor(200, 100, 90)},
                      {1, QColor(255, 170, 100)}});
    starField(p, rng, QRectF(0, 0, kW, 200), 90, 1.3);
    // Fireworks in the national colours.
    firework(p, rng, QPointF(220, 120), 96, QColor(255, 70, 80), 40);
    firework(p, rng, QPointF(420, 80), 80, QColor(255, 255, 240), 36);
    firework(p, rng, QPointF(610, 130), 96, QColor(90, 230, 120), 40);
    firework(p, rng, QPointF(330, 210), 50, QColor(255, 200, 90), 24);
    firework(p, rng, QPointF(520, 220), 46, QColor(255, 120, 90), 22);
    skyline(p, rng, 332, kW, QColor(20, 16, 34), QColor(255, 210, 140));
    p.end();
    waterReflection(img, 332, 0.6, 502);
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The table with the new bread.
    QRectF table(0, 420, kW, kH - 420);
    verticalGradient(p, table, {{0, QColor(120, 70, 36)}, {1, QColor(58, 30, 14)}});
    for (int i = 0; i < 7; ++i) {
        p.setPen(QPen(QColor(40, 20, 8, 120), 1.5));
        p.drawLine(QPointF(0, 440 + i * 26 + i * i), QPointF(kW, 436 + i * 26 + i * i));
    }
    p.setPen(QPen(QColor(255, 200, 140, 80), 2));
    p.drawLine(QPointF(0, 421), QPointF(kW, 421));
    // Wheat ears tied with a tricolour ribbon.
    for (int i = 0; i < 7; ++i) {
        QPointF base(130 + i * 6, 560);
        QPointF tip(60 + i * 34, 400 + std::abs(i - 3) * 10);
        p.setPen(QPen(QColor(220, 180, 90), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, tip);
        QPointF d = (tip - base) / std::hypot((tip - base).x(), (tip - base).y());
        QPointF n(-d.y(), d.x());
        for (int k = 0; k < 9; ++k) {
            QPointF at = tip - d * (k * 9.0);
            for (int s = -1; s <= 1; s += 2) {
                QPainterPath grain;
                grain.addEllipse(at + n * (s * 5.0), 4.2, 7.0);
                p.setPen(QPen(QColor(170, 120, 40), 0.8));
                p.setBrush(QColor(236, 196, 100));
                p.drawPath(grain);
                p.setPen(QPen(QColor(230, 200, 120, 200), 0.8));
                p.drawLine(at + n * (s * 5.0), at + n * (s * 12.0) + d * 22);
            }
        }
    }
    const QColor tri[3] = {QColor(206, 32, 48), QColor(250, 248, 244), QColor(40, 130, 70)};
    for (int s = 0; s < 3; ++s) {
        p.setPen(QPen(tri[s], 5));
        p.drawLine(QPointF(104, 512 + s * 5), QPointF(170, 506 + s * 5));
    }
    // The round loaf with its scored top and a dusting of flour.
    QPointF bc(470, 482);
    QPainterPath loaf;
    loaf.addEllipse(bc, 190, 98);
    dropShadow(p, loaf, QPointF(0, 24), 22, QColor(20, 8, 0, 170), QRect(0, 300, kPictureW, 300));
    QRadialGradient crust(bc - QPointF(60, 50), 240);
    crust.setColorAt(0, QColor(236, 170, 90));
    crust.setColorAt(0.5, QColor(190, 110, 44));
    crust.setColorAt(1, QColor(110, 56, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(crust);
    p.drawPath(loaf);
    p.setPen(QPen(QColor(250, 220, 160), 6, Qt::SolidLine, Qt::RoundCap));
    for (int i = -2; i <= 2; ++i) {
        QPainterPath cut(bc + QPointF(i * 56 - 40, -60 + std::abs(i) * 14));
        cut.quadTo(bc + QPointF(i * 56, -66 + std::abs(i) * 14),
                   bc + QPointF(i * 56 + 40, -58 + std::abs(i) * 14));
        p.drawPath(cut);
    }
    for (int i = 0; i < 400; ++i) {
        double a = rng.range(0, 2 * M_PI), r = std::sqrt(rng.uni());
        QPointF f = bc + QPointF(std::cos(a) * r * 160, std::sin(a) * r * 70 - 20);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 240, static_cast<int>(rng.range(40, 140))));
        p.drawEllipse(f, 1.2, 1.2);
    }
    return img;
}

QImage paint1956() {
    Rng rng(601);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(
        p, QRectF(0, 0, kW, kH),
        {{0, QColor(70, 82, 104)}, {0.6, QColor(150, 156, 170)}, {1, QColor(196, 190, 184)}});
    ValueNoise clouds(602);
    {
        QImage c = canvas(kPictureW / 4, kPictureH / 4);
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                double v = std::clamp((clouds.fbm(x / 30.0, y / 14.0, 5) - 0.45) * 2.2, 0.0, 1.0);
                c.setPixel(x, y, qPremultiply(qRgba(230, 232, 238, static_cast<int>(v * 150))));
            }
        p.drawImage(QRectF(0, 0, kW, kH), c);
    }
    // The pole.
    QLinearGradient pole(150, 0, 162, 0);
    pole.setColorAt(0, QColor(90, 70, 50));
    pole.setColorAt(0.5, QColor(180, 150, 110));
    pole.setColorAt(1, QColor(70, 50, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(pole);
    p.drawRect(QRectF(150, 60, 12, kH));
    p.setBrush(QColor(210, 180, 90));
    p.drawEllipse(QPointF(156, 58), 10, 10);
    // The waving flag, one column at a time; light and shade follow the slope of the wave.
    const double fx = 162, fy = 80, fw = 520, fh = 330;
    QImage flag = canvas(kPictureW, kPictureH);
    {
        QPainter fp(&flag);
        const QColor stripes[3] = {QColor(206, 32, 48), QColor(246, 244, 238), QColor(36, 128, 68)};
        for (int x = 0; x < fw; ++x) {
            double t = x / fw;
            double off = std::sin(t * 7.0 - 0.6) * 16 * t + t * 18;
            double slope = std::cos(t * 7.0 - 0.6) * 7.0 * 16 * t / fw * 60;
            double light = std::clamp(1.0 + slope * 0.035, 0.65, 1.25);
            for (int s = 0; s < 3; ++s) {
                QColor col = shade(stripes[s], light);
                fp.setPen(Qt::NoPen);
                fp.setBrush(col);
                fp.drawRect(QRectF(fx + x, fy + off + s * fh / 3, 1.2, fh / 3 + 0.6));
            }
        }
        // The hole where the emblem was cut out, with a ragged edge.
        QPainterPath hole;
        const QPointF hc(fx + fw * 0.5, fy + fh * 0.5 + 22);
        for (int i = 0; i <= 60; ++i) {
            double a = i * 2 * M_PI / 60;
            double r = 62 + rng.range(-5, 5);
            QPointF pt = hc + QPointF(std::cos(a) * r, std::sin(a) * r * 1.1);
            if (i == 0)
                hole.moveTo(pt);
            else
                hole.lineTo(pt);
        }
        fp.setRenderHint(QPainter::Antialiasing);
        fp.setPen(QPen(QColor(0, 0, 0, 80), 3));
        fp.setBrush(Qt::NoBrush);
        fp.drawPath(hole);
        fp.setCompositionMode(QPainter::CompositionMode_Clear);
        fp.setBrush(Qt::black);
        fp.setPen(Qt::NoPen);
        fp.drawPath(hole);
    }
    QImage shadow = flag.copy();
    {
        QPainter sp(&shadow);
        sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        sp.fillRect(shadow.rect(), QColor(20, 20, 30, 90));
    }
    blur(shadow, 16);
    p.drawImage(QPointF(10, 16), shadow);
    p.drawImage(QPointF(0, 0), flag);
    // Candles of remembrance on the stone below.
    verticalGradient(p, QRectF(0, 510, kW, 90),
                     {{0, QColor(120, 116, 110)}, {1, QColor(70, 66, 62)}});
    for (int i = 0; i < 5; ++i) {
        double x = 420 + i * 70;
        candle(p, QPointF(x, 560 + (i % 2) * 8), 26, 60 + (i % 3) * 14, QColor(240, 236, 226),
               true);
    }
    return img;
}

}  // namespace tv::art
