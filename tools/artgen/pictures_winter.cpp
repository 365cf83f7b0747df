// Holiday pictures of the dark half of the year: the two days of remembrance, Saint Nicholas,
// the Advent wreath and the three days of Christmas.
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

// A grave lantern: a small red glass with a flame inside.
void lantern(QPainter& p, QPointF base, double s, QColor glass) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, base - QPointF(0, s * 0.6), s * 3.2, QColor(255, 120, 50), 0.45);
    QPainterPath cup;
    cup.moveTo(base + QPointF(-s * 0.42, -s * 1.1));
    cup.lineTo(base + QPointF(s * 0.42, -s * 1.1));
    cup.lineTo(base + QPointF(s * 0.34, 0));
    cup.lineTo(base + QPointF(-s * 0.34, 0));
    cup.closeSubpath();
    QLinearGradient g(base.x() - s * 0.4, 0, base.x() + s * 0.4, 0);
    g.setColorAt(0, shade(glass, 0.6));
    g.setColorAt(0.5, shade(glass, 1.35));
    g.setColorAt(1, shade(glass, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(cup);
    glow(p, base - QPointF(0, s * 0.55), s * 0.5, QColor(255, 230, 150), 0.9);
    p.setBrush(QColor(60, 50, 40));
    p.drawRect(QRectF(base.x() - s * 0.46, base.y() - s * 1.22, s * 0.92, s * 0.14));
    p.restore();
}

void bareTree(QPainter& p, Rng& rng, QPointF base, double len, double angle, int depth, QColor c) {
    if (depth == 0 || len < 4) return;
    QPointF end = base + QPointF(std::cos(angle) * len, std::sin(angle) * len);
    p.setPen(QPen(c, std::max(0.8, len * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base, end);
    int kids = depth > 5 ? 2 : 3;
    for (int i = 0; i < kids; ++i)
        bareTree(p, rng, end, len * rng.range(0.62, 0.78), angle + rng.range(-0.55, 0.55),
                 depth - 1, c);
}

// A decorated tier of a fir seen from the front.
QPainterPath tier(QPointF top, double w, double h) {
    QPainterPath t(top);
    t.quadTo(top + QPointF(w * 0.2, h * 0.6), top + QPointF(w / 2, h));
    for (int i = 0; i < 6; ++i) {
        double x1 = w / 2 - (i + 0.5) * w / 6, x2 = w / 2 - (i + 1) * w / 6;
        t.quadTo(top + QPointF(x1, h * 0.9), top + QPointF(x2, h));
    }
    t.quadTo(top + QPointF(-w * 0.2, h * 0.6), top);
    return t;
}

void house(QPainter& p, Rng& rng, QPointF base, double w, double h, QColor wall) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRect(QRectF(base.x(), base.y() - h, w, h));
    QPainterPath roof;
    roof.moveTo(base + QPointF(-6, -h));
    roof.lineTo(base + QPointF(w / 2, -h - h * 0.7));
    roof.lineTo(base + QPointF(w + 6, -h));
    roof.closeSubpath();
    p.setBrush(QColor(240, 246, 255));
    p.drawPath(roof);
    for (int i = 0; i < 2; ++i) {
        QRectF win(base.x() + w * (0.2 + i * 0.42), base.y() - h * 0.7, w * 0.2, h * 0.3);
        p.setBrush(QColor(255, 200, 110));
        p.drawRect(win);
        glow(p, win.center(), w * 0.35, QColor(255, 190, 100), 0.35 + rng.uni() * 0.2);
    }
    p.restore();
}

}  // namespace

QImage paintAllSaints() {
    Rng rng(901);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(18, 18, 46)},
                      {0.38, QColor(70, 54, 98)},
                      {0.55, QColor(190, 110, 90)},
                      {0.6, QColor(60, 40, 50)},
                      {1, QColor(14, 10, 14)}});
    starField(p, rng, QRectF(0, 0, kW, 160), 50, 1.2);
    // The chapel on the hill.
    hill(p, QRectF(0, 0, kW, kH), 340, 16, 0.8, QColor(36, 28, 40), QColor(20, 14, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 18, 26));
    p.drawRect(QRectF(520, 250, 80, 90));
    QPainterPath roof;
    roof.moveTo(514, 252);
    roof.lineTo(560, 214);
    roof.lineTo(606, 252);
    p.drawPath(roof);
    p.drawRect(QRectF(550, 168, 20, 50));
    p.setPen(QPen(QColor(24, 18, 26), 4));
    p.drawLine(QPointF(560, 168), QPointF(560, 138));
    p.drawLine(QPointF(550, 150), QPointF(570, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 190, 110));
    p.drawRect(QRectF(552, 280, 16, 26));
    glow(p, QPointF(560, 292), 40, QColor(255, 170, 90), 0.4);
    // Bare trees framing it.
    bareTree(p, rng, QPointF(110, 360), 80, -M_PI / 2 - 0.05, 8, QColor(16, 12, 18));
    bareTree(p, rng, QPointF(720, 350), 70, -M_PI / 2 + 0.08, 8, QColor(16, 12, 18));
    // Rows of graves, each with its lights; nearer rows larger.
    for (int row = 0; row < 5; ++row) {
        double y = 370 + row * row * 9 + row * 30;
        double s = 8 + row * 6;
        for (double x = -20 + rng.range(0, 40); x < kW + 20; x += s * 5.2 + rng.range(0, s * 2)) {
            QPointF b(x, y);
            p.setBrush(QColor(30 + row * 6, 26 + row * 5, 32 + row * 5));
            if (rng.uni() < 0.5) {
                p.drawRoundedRect(QRectF(b.x() - s, b.y() - s * 2.8, s * 2, s * 2.8), s * 0.9,
                                  s * 0.9);
            } else {
                p.drawRect(QRectF(b.x() - s * 0.25, b.y() - s * 3.2, s * 0.5, s * 3.2));
                p.drawRect(QRectF(b.x() - s, b.y() - s * 2.5, s * 2, s * 0.45));
            }
            int lights = 1 + rng.below(3);
            for (int k = 0; k < lights; ++k)
                lantern(p, b + QPointF(rng.range(-s * 1.6, s * 1.6), s * 0.3), s * 0.55,
                        rng.uni() < 0.7 ? QColor(210, 30, 30) : QColor(230, 150, 40));
        }
    }
    // Evening mist.
    verticalGradient(p, QRectF(0, 330, kW, 120),
                     {{0, QColor(160, 140, 170, 0)},
                      {0.5, QColor(160, 140, 170, 40)},
                      {1, QColor(160, 140, 170, 0)}});
    return img;
}

QImage paintAllSouls() {
    Rng rng(1001);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH), {{0, QColor(16, 12, 14)}, {1, QColor(36, 26, 22)}});
    bokeh(p, rng, QRectF(0, 0, kW, 380), 36,
          {QColor(255, 170, 70), QColor(255, 120, 50), QColor(255, 210, 140)}, 10, 40);
    // Stone slab.
    verticalGradient(p, QRectF(0, 450, kW, 150),
                     {{0, QColor(96, 92, 88)}, {1, QColor(46, 44, 42)}});
    p.setPen(QPen(QColor(140, 136, 130), 1.5));
    p.drawLine(QPointF(0, 451), QPointF(kW, 451));
    // Fallen leaves.
    for (int i = 0; i < 30; ++i) {
        QPointF c(rng.range(0, kW), rng.range(470, 590));
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 360));
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(200, 90, 20), QColor(230, 170, 40), rng.uni()));
        QPainterPath leaf;
        leaf.moveTo(-14, 0);
        leaf.quadTo(0, -9, 14, 0);
        leaf.quadTo(0, 9, -14, 0);
        p.drawPath(leaf);
        p.restore();
    }
    // White chrysanthemums on the right.
    const QPointF heads[] = {{600, 330}, {690, 380}, {560, 410}, {700, 290}, {640, 430}};
    for (const QPointF& h : heads) {
        p.setPen(QPen(QColor(50, 90, 40), 5));
        p.drawLine(h, QPointF(650, 600));
    }
    for (const QPointF& h : heads)
        chrysanthemum(p, rng, h, 58, QColor(244, 238, 226));
    // Candles of three heights and two grave lanterns.
    candle(p, QPointF(200, 470), 70, 200, QColor(242, 236, 222), true);
    candle(p, QPointF(300, 480), 64, 140, QColor(238, 230, 214), true);
    candle(p, QPointF(390, 474), 58, 100, QColor(242, 236, 222), true);
    lantern(p, QPointF(120, 540), 40, QColor(200, 26, 30));
    lantern(p, QPointF(470, 548), 36, QColor(200, 26, 30));
    return img;
}

QImage paintNicholas() {
    Rng rng(1101);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A window on a snowy night behind the sill.
    verticalGradient(p, QRectF(0, 0, kW, kH), {{0, QColor(40, 24, 20)}, {1, QColor(70, 40, 28)}});
    QRectF window(90, 30, 620, 400);
    verticalGradient(p, window, {{0, QColor(14, 26, 66)}, {1, QColor(60, 80, 140)}});
    p.save();
    p.setClipRect(window);
    hill(p, QRectF(window), 380, 20, 1.3, QColor(220, 230, 250), QColor(170, 190, 230));
    for (int i = 0; i < 4; ++i)
        house(p, rng, QPointF(140 + i * 150, 395 - (i % 2) * 10), 60, 40, QColor(40, 40, 70));
    snowfall(p, rng, window, 260, 3.2);
    p.restore();
    p.setPen(QPen(QColor(110, 70, 40), 14));
    p.setBrush(Qt::NoBrush);
    p.drawRect(window);
    p.drawLine(QPointF(window.center().x(), window.top()),
               QPointF(window.center().x(), window.bottom()));
    p.drawLine(QPointF(window.left(), 230), QPointF(window.right(), 230));
    verticalGradient(
        p, QRectF(0, 430, kW, 170),
        {{0, QColor(190, 140, 90)}, {0.1, QColor(150, 96, 56)}, {1, QColor(80, 46, 24)}});
    // The golden switch of twigs with a red ribbon, for the naughty.
    for (int i = 0; i < 9; ++i) {
        QPointF b(200 + i * 3, 560), t(120 + i * 16, 250 + std::abs(i - 4) * 14);
        p.setPen(QPen(QColor(220, 176, 60), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(b, t);
    }
    p.setPen(QPen(QColor(200, 20, 30), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(170, 470), QPointF(232, 462));
    // The boot.
    QPainterPath boot;
    boot.moveTo(340, 300);
    boot.lineTo(500, 300);
    boot.lineTo(500, 500);
    boot.cubicTo(QPointF(600, 500), QPointF(640, 520), QPointF(640, 560));
    boot.lineTo(340, 560);
    boot.closeSubpath();
    dropShadow(p, boot, QPointF(10, 10), 18, QColor(20, 10, 0, 160), QRect(200, 200, 600, 400));
    // Treats sticking out of it, drawn first so the boot's rim covers their feet.
    p.setPen(QPen(QColor(250, 250, 250), 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cane(QPointF(380, 330));
    cane.lineTo(380, 190);
    cane.cubicTo(QPointF(380, 150), QPointF(430, 150), QPointF(430, 190));
    p.drawPath(cane);
    QPen stripe(QColor(220, 30, 40), 14, Qt::CustomDashLine, Qt::FlatCap);
    stripe.setDashPattern({0.8, 0.8});
    p.setPen(stripe);
    p.drawPath(cane);
    for (int i = 0; i < 3; ++i) {
        QPointF c(420 + i * 34, 282 - (i % 2) * 18);
        QRadialGradient g(c - QPointF(8, 8), 34);
        g.setColorAt(0, QColor(255, 190, 80));
        g.setColorAt(1, QColor(220, 110, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 26, 24);
        p.setBrush(QColor(60, 120, 40));
        p.drawEllipse(c - QPointF(0, 22), 6, 3);
    }
    // A chocolate Saint Nicholas in red foil.
    QPainterPath choc;
    choc.moveTo(460, 300);
    choc.cubicTo(QPointF(456, 240), QPointF(470, 200), QPointF(486, 186));
    choc.cubicTo(QPointF(500, 200), QPointF(514, 240), QPointF(508, 300));
    choc.closeSubpath();
    QLinearGradient foil(456, 0, 512, 0);
    foil.setColorAt(0, QColor(150, 10, 20));
    foil.setColorAt(0.4, QColor(255, 90, 90));
    foil.setColorAt(1, QColor(120, 6, 14));
    p.setBrush(foil);
    p.drawPath(choc);
    p.setBrush(QColor(250, 226, 200));
    p.drawEllipse(QPointF(485, 232), 10, 11);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(485, 252), 14, 10);
    QLinearGradient leather(340, 0, 640, 0);
    leather.setColorAt(0, QColor(140, 10, 20));
    leather.setColorAt(0.3, QColor(220, 40, 44));
    leather.setColorAt(1, QColor(120, 8, 16));
    p.setBrush(leather);
    p.setPen(QPen(QColor(90, 0, 10), 2));
    p.drawPath(boot);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 24, 16));
    p.drawRect(QRectF(336, 548, 308, 16));
    // White fur cuff.
    for (int i = 0; i < 60; ++i) {
        QPointF c(336 + rng.range(0, 168), 300 + rng.range(-16, 22));
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(c, rng.range(6, 12), rng.range(6, 10));
    }
    return img;
}

QImage paintChristmasEve() {
    Rng rng(1201);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, QColor(30, 14, 16)}, {0.8, QColor(70, 30, 24)}, {1, QColor(40, 18, 14)}});
    bokeh(p, rng, QRectF(0, 0, kW, kH), 50,
          {QColor(255, 200, 110), QColor(255, 150, 80), QColor(255, 230, 180)}, 10, 36);
    glow(p, QPointF(400, 330), 330, QColor(255, 170, 80), 0.28);
    // Floor.
    verticalGradient(p, QRectF(0, 520, kW, 80), {{0, QColor(90, 50, 30)}, {1, QColor(50, 26, 14)}});
    // The tree: tiers from the bottom up, each darker underneath.
    const double cx = 400;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 40, 20));
    p.drawRect(QRectF(cx - 16, 470, 32, 60));
    for (int i = 0; i < 5; ++i) {
        double top = 90 + i * 70, w = 150 + i * 70, h = 120 + i * 10;
        QPainterPath t = tier(QPointF(cx, top), w, h);
        QLinearGradient g(cx - w / 2, 0, cx + w / 2, 0);
        g.setColorAt(0, QColor(16, 60, 30));
        g.setColorAt(0.45, QColor(40, 120, 56));
        g.setColorAt(1, QColor(10, 44, 22));
        p.setBrush(g);
        p.drawPath(t);
        for (int k = 0; k < 120; ++k) {
            double y = top + rng.range(0.25, 1.0) * h;
            double half = (y - top) / h * w / 2;
            double x = cx + rng.range(-half, half);
            p.setPen(QPen(QColor(80, 170, 90, 90), 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, y), QPointF(x + rng.range(-6, 6), y + 6));
        }
        p.setPen(Qt::NoPen);
    }
    // Garland of lights swinging across the tree.
    for (int g = 0; g < 5; ++g) {
        double y0 = 160 + g * 72;
        double half = 55 + g * 38;
        for (int k = 0; k <= 12; ++k) {
            double t = k / 12.0;
            QPointF c(cx - half + t * 2 * half, y0 + std::sin(t * M_PI) * 22);
            glow(p, c, 10, QColor(255, 220, 140), 0.9);
            p.setBrush(QColor(255, 250, 220));
            p.drawEllipse(c, 2, 2);
        }
    }
    const QColor colours[] = {QColor(210, 30, 40), QColor(230, 180, 50), QColor(60, 90, 200),
                              QColor(200, 200, 210)};
    for (int i = 0; i < 18; ++i) {
        int tierIx = 1 + i % 4;
        double top = 90 + tierIx * 70, w = 150 + tierIx * 70, h = 120 + tierIx * 10;
        double y = top + h * 0.85;
        double x = cx + rng.range(-w * 0.4, w * 0.4);
        bauble(p, QPointF(x, y), rng.range(11, 16), colours[i % 4]);
    }
    // Star on top.
    glow(p, QPointF(cx, 80), 70, QColor(255, 230, 140), 0.7);
    p.setBrush(QColor(255, 214, 90));
    p.setPen(QPen(QColor(200, 150, 40), 1.5));
    p.drawPath(starPath(QPointF(cx, 80), 32, 13));
    // Presents.
    struct Box {
        double x, y, w, h;
        QColor c, ribbon;
    };
    const Box boxes[] = {{200, 470, 110, 80, QColor(180, 30, 40), QColor(240, 200, 80)},
                         {500, 480, 100, 70, QColor(40, 90, 170), QColor(240, 240, 240)},
                         {300, 500, 80, 56, QColor(230, 180, 50), QColor(190, 30, 40)},
                         {590, 500, 70, 50, QColor(50, 130, 70), QColor(240, 200, 80)}};
    for (const Box& b : boxes) {
        QRectF r(b.x, b.y, b.w, b.h);
        QLinearGradient g(r.left(), 0, r.right(), 0);
        g.setColorAt(0, shade(b.c, 1.15));
        g.setColorAt(1, shade(b.c, 0.7));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(r);
        p.setBrush(b.ribbon);
        p.drawRect(QRectF(r.center().x() - 6, r.top(), 12, r.height()));
        p.drawRect(QRectF(r.left(), r.center().y() - 5, r.width(), 10));
        p.setPen(QPen(b.ribbon, 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(r.center().x() - 12, r.top() - 8), 12, 8);
        p.drawEllipse(QPointF(r.center().x() + 12, r.top() - 8), 12, 8);
    }
    return img;
}

QImage paintChristmasDay() {
    Rng rng(1301);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(
        p, QRectF(0, 0, kW, kH),
        {{0, QColor(6, 10, 36)}, {0.6, QColor(30, 50, 110)}, {1, QColor(80, 100, 160)}});
    starField(p, rng, QRectF(0, 0, kW, 350), 240, 1.5);
    // The star over the village.
    const QPointF star(560, 110);
    glow(p, star, 170, QColor(200, 220, 255), 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawPath(starPath(star, 60, 5, 4));
    p.drawPath(starPath(star, 26, 4, 4).translated(0, 0));
    p.save();
    p.translate(star);
    p.rotate(45);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawPath(starPath(QPointF(0, 0), 24, 3, 4));
    p.restore();
    p.setPen(QPen(QColor(220, 230, 255, 90), 1.5));
    p.drawLine(star, QPointF(470, 420));
    hill(p, QRectF(0, 0, kW, kH), 380, 30, 0.5, QColor(200, 214, 240), QColor(150, 170, 210));
    // The church and houses.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 46, 80));
    p.drawRect(QRectF(420, 300, 90, 90));
    p.drawRect(QRectF(440, 230, 30, 80));
    QPainterPath spire;
    spire.moveTo(436, 232);
    spire.lineTo(455, 170);
    spire.lineTo(474, 232);
    p.setBrush(QColor(230, 238, 255));
    p.drawPath(spire);
    QPainterPath roof;
    roof.moveTo(414, 302);
    roof.lineTo(465, 270);
    roof.lineTo(516, 302);
    p.drawPath(roof);
    p.setBrush(QColor(255, 200, 110));
    p.drawRoundedRect(QRectF(480, 330, 14, 26), 7, 7);
    p.drawEllipse(QPointF(455, 258), 6, 6);
    glow(p, QPointF(487, 343), 40, QColor(255, 190, 100), 0.45);
    for (int i = 0; i < 6; ++i) {
        double x = 60 + i * 110 + (i > 3 ? 80 : 0);
        if (x > 380 && x < 540) continue;
        house(p, rng, QPointF(x, 400 + (i % 3) * 12), 56 + (i % 2) * 14, 38, QColor(54, 50, 84));
    }
    hill(p, QRectF(0, 0, kW, kH), 470, 26, 3.0, QColor(236, 242, 255), QColor(190, 204, 236));
    // Snow-covered firs in front.
    for (int i = 0; i < 5; ++i) {
        double x = 40 + i * 180 + rng.range(-20, 20), base = 560 + rng.range(-10, 10);
        for (int k = 0; k < 3; ++k) {
            QPainterPath t = tier(QPointF(x, base - 150 + k * 40), 60 + k * 26, 70);
            p.setBrush(QColor(20, 60, 50));
            p.drawPath(t);
            p.setBrush(QColor(240, 246, 255, 220));
            p.drawPath(tier(QPointF(x, base - 150 + k * 40), 40 + k * 20, 22));
        }
    }
    snowfall(p, rng, QRectF(0, 0, kW, kH), 300, 2.8);
    return img;
}

QImage paintBoxingDay() {
    Rng rng(1401);
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, QRectF(0, 0, kW, kH), {{0, QColor(10, 24, 16)}, {1, QColor(30, 20, 12)}});
    bokeh(p, rng, QRectF(0, 0, kW, kH), 70,
          {QColor(255, 210, 120), QColor(255, 180, 90), QColor(255, 240, 200)}, 14, 50);
    // Fir branches hanging in from the top.
    for (int i = 0; i < 7; ++i) {
        QPointF from(-40 + i * 140 + rng.range(-30, 30), -20);
        QPointF to = from + QPointF(rng.range(60, 160), rng.range(140, 230));
        firBranch(p, rng, from, to, 34, QColor(40, 110, 50));
    }
    // Baubles on gold threads.
    const QColor colours[] = {QColor(200, 24, 36), QColor(220, 170, 40), QColor(190, 196, 210),
                              QColor(200, 24, 36)};
    const QPointF at[] = {{170, 270}, {330, 320}, {520, 260}, {660, 340}};
    const double radii[] = {58, 70, 62, 48};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(220, 180, 80), 2));
        p.drawLine(at[i] - QPointF(0, radii[i]), QPointF(at[i].x(), 120));
        bauble(p, at[i], radii[i], colours[i]);
    }
    // Gingerbread hearts with white icing on the table.
    verticalGradient(p, QRectF(0, 480, kW, 120),
                     {{0, QColor(110, 66, 36)}, {1, QColor(60, 34, 16)}});
    for (int i = 0; i < 3; ++i) {
        QPointF c(220 + i * 190, 510 + (i % 2) * 20);
        QPainterPath h = heartPath(c, 110 - i * 14);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 14, 4, 120));
        p.drawPath(h.translated(5, 7));
        QRadialGradient g(c - QPointF(20, 20), 90);
        g.setColorAt(0, QColor(200, 120, 60));
        g.setColorAt(1, QColor(130, 66, 24));
        p.setBrush(g);
        p.drawPath(h);
        QPen icing(QColor(255, 255, 250), 3, Qt::CustomDashLine, Qt::RoundCap);
        icing.setDashPattern({2, 2});
        p.setPen(icing);
        p.setBrush(Qt::NoBrush);
        QTransform shrink;
        shrink.translate(c.x(), c.y());
        shrink.scale(0.78, 0.78);
        shrink.translate(-c.x(), -c.y());
        p.drawPath(shrink.map(h));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 250));
        for (int k = -1; k <= 1; ++k)
            p.drawEllipse(c + QPointF(k * 14, -4), 4, 4);
    }
    return img;
}

QImage paintAdvent(int lit) {
    Rng rng(1500);  // the same wreath on all four Sundays
    QImage img = canvas(kPictureW, kPictureH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double light = 0.25 + 0.2 * lit;  // the room brightens week by week
    verticalGradient(p, QRectF(0, 0, kW, kH),
                     {{0, shade(QColor(40, 22, 16), 0.7 + light * 0.4)}, {1, QColor(20, 10, 8)}});
    Rng bk(1501);
    bokeh(p, bk, QRectF(0, 0, kW, 330), 30, {QColor(255, 190, 110), QColor(255, 220, 160)}, 10, 36);
    glow(p, QPointF(400, 300), 360, QColor(255, 160, 70), 0.12 + 0.07 * lit);
    verticalGradient(p, QRectF(0, 420, kW, 180),
                     {{0, QColor(86, 50, 28)}, {1, QColor(40, 22, 12)}});
    p.setPen(QPen(QColor(255, 200, 140, 60), 2));
    p.drawLine(QPointF(0, 421), QPointF(kW, 421));
    // The wreath, seen from a little above: fir all round, red berries and ribbons.
    const QPointF c(400, 430);
    const double rx = 250, ry = 78;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 4, 0, 140));
    p.drawEllipse(c + QPointF(0, 20), rx + 50, ry + 34);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 70; ++i) {
            double a = i * 2 * M_PI / 70 + rng.range(-0.05, 0.05);
            QPointF from = c + QPointF(std::cos(a) * rx * 0.78, std::sin(a) * ry * 0.78);
            QPointF to = c + QPointF(std::cos(a + 0.32) * rx * rng.range(0.98, 1.18),
                                     std::sin(a + 0.32) * ry * rng.range(0.98, 1.25));
            if (pass == 1) std::swap(from, to);
            firBranch(p, rng, from, to, 22, pass == 0 ? QColor(30, 90, 40) : QColor(46, 120, 56));
        }
    }
    for (int i = 0; i < 36; ++i) {
        double a = rng.range(0, 2 * M_PI);
        QPointF b = c + QPointF(std::cos(a) * rx * rng.range(0.85, 1.05),
                                std::sin(a) * ry * rng.range(0.85, 1.05));
        QRadialGradient g(b - QPointF(2, 2), 7);
        g.setColorAt(0, QColor(255, 120, 110));
        g.setColorAt(1, QColor(150, 0, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(b, 6, 6);
    }
    // Candles: purple, purple, pink (Gaudete), purple, lit in that order.
    struct Spot {
        double angle;
        QColor wax;
    };
    // Turned a little so that no candle hides another.
    const Spot spots[4] = {{M_PI * 1.1, QColor(120, 60, 160)},
                           {M_PI * 1.6, QColor(120, 60, 160)},
                           {M_PI * 0.1, QColor(236, 150, 190)},
                           {M_PI * 0.6, QColor(120, 60, 160)}};
    int order[4] = {0, 1, 2, 3};
    std::sort(order, order + 4,
              [&](int a, int b) { return std::sin(spots[a].angle) < std::sin(spots[b].angle); });
    for (int k : order) {
        QPointF base =
            c + QPointF(std::cos(spots[k].angle) * rx * 0.92, std::sin(spots[k].angle) * ry * 0.92);
        double scale = 1.0 + std::sin(spots[k].angle) * 0.08;
        candle(p, base, 50 * scale, 190 * scale, spots[k].wax, k < lit);
    }
    // Ribbons at the front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 20, 40));
    QPointF bow = c + QPointF(0, ry + 4);
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath loop(bow);
        loop.cubicTo(bow + QPointF(side * 50, -30), bow + QPointF(side * 60, 20), bow);
        p.drawPath(loop);
        QPainterPath tail(bow);
        tail.lineTo(bow + QPointF(side * 30, 70));
        tail.lineTo(bow + QPointF(side * 46, 62));
        tail.closeSubpath();
        p.drawPath(tail);
    }
    p.setBrush(QColor(140, 10, 30));
    p.drawEllipse(bow, 10, 8);
    return img;
}

}  // namespace tv::art
