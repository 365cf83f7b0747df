// Good Friday's hill at dusk, Easter in the meadow, and the sunrise that greets a new user on the
// first start.
#include "art.h"
#include "picture_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace tv::art {
namespace {

constexpr double kW = kPictureW, kH = kPictureH;

// A plain wooden cross standing on the hill line at `foot`, `h` tall, in silhouette.
void crossSilhouette(QPainter& p, QPointF foot, double h, QColor colour) {
    const double w = h * 0.07;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(foot.x() - w / 2, foot.y() - h, w, h + 6));
    p.drawRect(QRectF(foot.x() - h * 0.3, foot.y() - h * 0.76, h * 0.6, w));
}

}  // namespace

// Three crosses on a hill against the violet of Lent, the sun going down behind them.
QImage paintGoodFriday() {
    Rng rng(751);
    ValueNoise clouds(752);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(44, 30, 78)},
                      {0.38, QColor(110, 62, 120)},
                      {0.6, QColor(214, 118, 96)},
                      {0.72, QColor(250, 188, 120)}});
    const QPointF sun(455, 392);
    // Rays breaking through the clouds.
    for (int i = 0; i < 14; ++i) {
        const double a = -M_PI + 0.2 + i * (M_PI - 0.4) / 13;
        QPainterPath ray(sun);
        ray.lineTo(sun + QPointF(std::cos(a - 0.035) * 900, std::sin(a - 0.035) * 900));
        ray.lineTo(sun + QPointF(std::cos(a + 0.035) * 900, std::sin(a + 0.035) * 900));
        ray.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 214, 170, 15));
        p.drawPath(ray);
    }
    glow(p, sun, 230, QColor(255, 190, 120), 0.8);
    p.setBrush(QColor(255, 236, 200));
    p.drawEllipse(sun, 34, 34);
    // Heavy clouds, lit from below.
    for (int y = 30; y < 330; y += 3) {
        for (int x = 0; x < kPictureW; x += 3) {
            const double n = clouds.fbm(x / 150.0, y / 60.0, 4);
            const double density = std::clamp((n - 0.52) * 3.2, 0.0, 1.0) * (1 - y / 420.0);
            if (density <= 0) continue;
            const double lit = std::clamp((y - 120) / 240.0, 0.0, 1.0);
            p.setBrush(withAlpha(mix(QColor(40, 26, 60), QColor(200, 110, 110), lit), density));
            p.drawRect(QRectF(x, y, 3, 3));
        }
    }
    hill(p, QRectF(0, 0, kW, kH), 430, 18, 0.7, QColor(96, 60, 88), QColor(70, 44, 70));
    // Golgotha: a rounded hill with the crosses on its crest.
    QPainterPath mount(QPointF(0, kH));
    mount.lineTo(0, 520);
    mount.cubicTo(QPointF(180, 500), QPointF(240, 410), QPointF(400, 404));
    mount.cubicTo(QPointF(560, 400), QPointF(640, 480), QPointF(kW, 500));
    mount.lineTo(kW, kH);
    mount.closeSubpath();
    QLinearGradient mg(0, 400, 0, kH);
    mg.setColorAt(0, QColor(40, 24, 40));
    mg.setColorAt(1, QColor(16, 10, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(mg);
    p.drawPath(mount);
    const QColor dark(22, 12, 24);
    crossSilhouette(p, QPointF(400, 406), 190, dark);
    crossSilhouette(p, QPointF(300, 428), 130, dark);
    crossSilhouette(p, QPointF(500, 426), 130, dark);
    // Dry grass, and pasque flowers in the foreground.
    for (int i = 0; i < 500; ++i) {
        const QPointF b(rng.range(0, kW), rng.range(470, kH + 10));
        p.setPen(QPen(mix(QColor(30, 18, 30), QColor(80, 50, 60), rng.uni()), 1.4, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(b, b + QPointF(rng.range(-5, 5), -rng.range(8, 26)));
    }
    for (int i = 0; i < 11; ++i) {
        const QPointF c(rng.range(30, kW - 30), rng.range(505, 585));
        const double r = 6 + 8 * (c.y() - 505) / 80 + rng.range(-1, 1);  // nearer, larger
        p.setPen(QPen(QColor(150, 150, 140), 1.6));                      // the hairy, silvery stem
        p.drawLine(c, c + QPointF(rng.range(-4, 4), r * 3));
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 6; ++k) {
            const double a = -M_PI / 2 + (k - 2.5) * 0.36;
            p.setBrush(mix(QColor(120, 70, 170), QColor(180, 130, 220), k / 6.0));
            p.drawEllipse(c + QPointF(std::cos(a) * r * 0.6, std::sin(a) * r * 0.6), r * 0.32,
                          r * 0.7);
        }
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(c + QPointF(0, -r * 0.3), r * 0.22, r * 0.22);
    }
    return img;
}

QImage paintEaster() {
    Rng rng(701);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(
        p, QRectF(0, 0, kW, kH),
        {{0, QColor(110, 170, 230)}, {0.6, QColor(200, 226, 246)}, {1, QColor(230, 240, 220)}});
    for (int i = 0; i < 14; ++i)
        glow(p, QPointF(rng.range(0, kW), rng.range(30, 200)), rng.range(40, 80),
             QColor(255, 255, 255), 0.5);
    glow(p, QPointF(680, 90), 140, QColor(255, 250, 210), 0.8);
    hill(p, QRectF(0, 0, kW, kH), 330, 30, 0.4, QColor(150, 200, 110), QColor(90, 150, 70));
    hill(p, QRectF(0, 0, kW, kH), 400, 22, 2.2, QColor(110, 180, 80), QColor(60, 120, 40));
    // Grass blades and daisies.
    for (int i = 0; i < 900; ++i) {
        QPointF b(rng.range(0, kW), rng.range(420, kH + 10));
        double hgt = rng.range(10, 34) * (b.y() / kH);
        p.setPen(QPen(mix(QColor(60, 130, 40), QColor(150, 210, 90), rng.uni()), 1.6, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(b, b + QPointF(rng.range(-6, 6), -hgt));
    }
    for (int i = 0; i < 40; ++i) {
        QPointF c(rng.range(0, kW), rng.range(400, kH));
        double r = 3 + 4 * (c.y() - 400) / 200;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        for (int k = 0; k < 8; ++k) {
            double a = k * M_PI / 4;
            p.drawEllipse(c + QPointF(std::cos(a) * r, std::sin(a) * r), r * 0.55, r * 0.3);
        }
        p.setBrush(QColor(255, 210, 40));
        p.drawEllipse(c, r * 0.45, r * 0.45);
    }
    // Painted eggs.
    struct Egg {
        double x, y, s, rot;
        QColor c, d;
        int pattern;
    };
    const Egg eggs[] = {{150, 500, 80, -12, QColor(220, 40, 50), QColor(255, 230, 120), 0},
                        {260, 528, 70, 10, QColor(60, 120, 220), QColor(255, 255, 255), 1},
                        {360, 500, 76, -4, QColor(250, 200, 40), QColor(200, 50, 60), 2},
                        {90, 556, 64, 20, QColor(140, 70, 190), QColor(255, 220, 120), 1},
                        {460, 540, 66, -16, QColor(60, 170, 90), QColor(255, 255, 255), 0}};
    for (const Egg& e : eggs) {
        p.save();
        p.translate(e.x, e.y);
        p.rotate(e.rot);
        QPainterPath egg;
        egg.moveTo(0, -e.s * 0.62);
        egg.cubicTo(QPointF(e.s * 0.46, -e.s * 0.62), QPointF(e.s * 0.52, e.s * 0.42),
                    QPointF(0, e.s * 0.45));
        egg.cubicTo(QPointF(-e.s * 0.52, e.s * 0.42), QPointF(-e.s * 0.46, -e.s * 0.62),
                    QPointF(0, -e.s * 0.62));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 10, 80));
        p.drawEllipse(QPointF(6, e.s * 0.42), e.s * 0.45, e.s * 0.12);
        QRadialGradient g(QPointF(-e.s * 0.15, -e.s * 0.25), e.s * 0.9);
        g.setColorAt(0, shade(e.c, 1.35));
        g.setColorAt(1, shade(e.c, 0.6));
        p.setBrush(g);
        p.drawPath(egg);
        p.setClipPath(egg);
        p.setPen(QPen(e.d, e.s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        if (e.pattern == 0) {
            QPainterPath zig;
            for (int k = 0; k <= 10; ++k) {
                QPointF pt(-e.s * 0.5 + k * e.s * 0.1, (k % 2 ? -1 : 1) * e.s * 0.08);
                if (k == 0)
                    zig.moveTo(pt);
                else
                    zig.lineTo(pt);
            }
            p.drawPath(zig);
            p.drawLine(QPointF(-e.s, -e.s * 0.28), QPointF(e.s, -e.s * 0.28));
            p.drawLine(QPointF(-e.s, e.s * 0.24), QPointF(e.s, e.s * 0.24));
        } else if (e.pattern == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(e.d);
            for (int k = 0; k < 14; ++k)
                p.drawEllipse(QPointF(std::fmod(k * 37.0, e.s) - e.s / 2,
                                      std::fmod(k * 23.0, e.s) - e.s * 0.55),
                              e.s * 0.05, e.s * 0.05);
        } else {
            for (int k = 0; k < 3; ++k)
                p.drawLine(QPointF(-e.s, -e.s * 0.3 + k * e.s * 0.25),
                           QPointF(e.s, -e.s * 0.3 + k * e.s * 0.25));
            p.drawPath(heartPath(QPointF(0, -e.s * 0.05), e.s * 0.25));
        }
        p.setClipping(false);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QPointF(-e.s * 0.16, -e.s * 0.3), e.s * 0.07, e.s * 0.12);
        p.restore();
    }
    // The rabbit, sitting and looking at the eggs.
    const QPointF r(620, 430);
    const QColor fur(196, 170, 146), furDark(150, 120, 96), belly(238, 226, 210);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 10, 90));
    p.drawEllipse(r + QPointF(10, 110), 120, 22);
    auto furBrush = [&](QPointF c, double rad) {
        QRadialGradient g(c - QPointF(rad * 0.3, rad * 0.4), rad * 1.4);
        g.setColorAt(0, shade(fur, 1.2));
        g.setColorAt(1, furDark);
        return QBrush(g);
    };
    p.setBrush(furBrush(r, 110));
    p.drawEllipse(r + QPointF(20, 30), 100, 86);  // body
    p.setBrush(QColor(250, 248, 244));
    p.drawEllipse(r + QPointF(118, 50), 22, 22);  // tail
    p.setBrush(furBrush(r + QPointF(-40, 80), 40));
    p.drawEllipse(r + QPointF(-40, 100), 44, 18);  // front paw
    p.setBrush(belly);
    p.drawEllipse(r + QPointF(-34, 50), 40, 50);
    for (int ear = 0; ear < 2; ++ear) {  // ears
        p.save();
        p.translate(r + QPointF(-58 + ear * 30, -78));
        p.rotate(-18 + ear * 22);
        p.setBrush(furBrush(QPointF(0, -60), 40));
        p.drawEllipse(QPointF(0, -58), 18, 66);
        p.setBrush(QColor(240, 170, 170));
        p.drawEllipse(QPointF(0, -54), 9, 52);
        p.restore();
    }
    p.setBrush(furBrush(r + QPointF(-60, -40), 60));
    p.drawEllipse(r + QPointF(-62, -30), 58, 52);  // head
    p.setBrush(belly);
    p.drawEllipse(r + QPointF(-98, -14), 24, 20);  // muzzle
    p.setBrush(QColor(40, 26, 20));
    p.drawEllipse(r + QPointF(-78, -44), 7.5, 9);  // eye
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(r + QPointF(-80, -47), 2.4, 2.4);
    p.setBrush(QColor(230, 120, 140));
    p.drawEllipse(r + QPointF(-114, -22), 7, 5.5);  // nose
    p.setPen(QPen(QColor(120, 100, 90, 160), 1));
    for (int k = -1; k <= 1; ++k)
        p.drawLine(r + QPointF(-104, -14), r + QPointF(-150, -20 + k * 9));
    return img;
}

QImage paintWelcome() {
    Rng rng(801);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(46, 84, 150)},
                      {0.42, QColor(150, 160, 200)},
                      {0.62, QColor(255, 190, 140)},
                      {0.75, QColor(255, 220, 170)}});
    const QPointF sun(540, 352);
    // Rays of the rising sun.
    for (int i = 0; i < 18; ++i) {
        double a = -M_PI + i * M_PI / 17;
        QPainterPath ray(sun);
        ray.lineTo(sun + QPointF(std::cos(a - 0.04) * 900, std::sin(a - 0.04) * 900));
        ray.lineTo(sun + QPointF(std::cos(a + 0.04) * 900, std::sin(a + 0.04) * 900));
        ray.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 240, 200, 26));
        p.drawPath(ray);
    }
    glow(p, sun, 260, QColor(255, 210, 140), 0.75);
    p.setBrush(QColor(255, 248, 220));
    p.drawEllipse(sun, 40, 40);
    for (int i = 0; i < 8; ++i)
        glow(p, QPointF(rng.range(0, kW), rng.range(60, 260)), rng.range(50, 100),
             QColor(255, 230, 220), 0.35);
    hill(p, QRectF(0, 0, kW, kH), 360, 26, 1.0, QColor(120, 140, 150), QColor(140, 150, 150));
    hill(p, QRectF(0, 0, kW, kH), 400, 30, 2.4, QColor(110, 160, 110), QColor(90, 140, 90));
    hill(p, QRectF(0, 0, kW, kH), 460, 36, 4.1, QColor(90, 170, 80), QColor(60, 130, 50));
    hill(p, QRectF(0, 0, kW, kH), 540, 30, 5.3, QColor(80, 160, 60), QColor(40, 110, 30));
    // A winding path up to the light.
    QPainterPath path(QPointF(300, kH));
    path.cubicTo(QPointF(420, 540), QPointF(300, 480), QPointF(470, 420));
    // Narrower as it climbs away from us.
    for (int i = 0; i < 60; ++i) {
        double t0 = i / 60.0, t1 = (i + 1) / 60.0;
        double width = 34 * (1 - t0) + 4;
        p.setPen(QPen(mix(QColor(236, 214, 160), QColor(250, 236, 200), t0), width, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(path.pointAtPercent(t0), path.pointAtPercent(t1));
    }
    // A young tree beside it, in fresh leaf.
    QPainterPath trunk(QPointF(190, 575));
    trunk.cubicTo(QPointF(200, 500), QPointF(186, 440), QPointF(212, 360));
    p.setPen(QPen(QColor(90, 62, 40), 12, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(90, 62, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(204, 420), QPointF(160, 360));
    p.drawLine(QPointF(207, 400), QPointF(262, 350));
    const QPointF crown(212, 318);
    for (int i = 0; i < 260; ++i) {
        double a = rng.range(0, 2 * M_PI), r = 95 * std::sqrt(rng.uni());
        QPointF c = crown + QPointF(std::cos(a) * r * 1.15, std::sin(a) * r * 0.85);
        // Lit from the sun on the right.
        double lit =
            std::clamp(0.5 + (c.x() - crown.x()) / 220 - (c.y() - crown.y()) / 260, 0.0, 1.0);
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 360));
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(30, 100, 40), QColor(150, 210, 90), lit * 0.8 + rng.uni() * 0.2));
        QPainterPath leaf;
        leaf.moveTo(-11, 0);
        leaf.quadTo(0, -7, 11, 0);
        leaf.quadTo(0, 7, -11, 0);
        p.drawPath(leaf);
        p.restore();
    }
    // Birds.
    p.setPen(QPen(QColor(50, 50, 70), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        QPointF b(420 + i * 34 + rng.range(-8, 8), 170 + rng.range(-20, 20));
        QPainterPath bird(b - QPointF(10, 0));
        bird.quadTo(b - QPointF(5, 6), b);
        bird.quadTo(b + QPointF(5, -6), b + QPointF(10, 0));
        p.drawPath(bird);
    }
    return img;
}

}  // namespace tv::art
