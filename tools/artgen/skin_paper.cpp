// "paper_light": a desk-calendar page under a leather binding strip. The spiral rings go through
// punched holes painted in the see-through colour, so the desktop shows through them.
#include "art.h"
#include "glyphs.h"
#include "paint_kit.h"
#include "skins.h"

#include <QFont>
#include <QLinearGradient>

#include <cmath>

namespace tv::art {
namespace {

constexpr uint64_t kSeed = 0x9A9E2;
const QColor kPaper(250, 246, 236);
const QColor kWine(150, 24, 40);
const QColor kInk(60, 46, 38);
const QColor kRule(196, 176, 156);
const QColor kMarker(200, 30, 44, 225);

QImage mainBackground(const ThemeSource& t) {
    const int w = t.num("window_width"), h = t.num("window_height");
    const int tb = t.num("titlebar_height");
    const QRect pic = t.pictureArea();
    QImage img = canvas(w, h, kPaper);
    paperTexture(img, kSeed, img.rect(), 1.0);
    {
        // Leather binding: deep red with a grain of soft noise.
        ValueNoise grainNoise(kSeed + 5);
        for (int y = 0; y < tb; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x) {
                double v = grainNoise.fbm(x / 3.0, y / 3.0, 3) - 0.5;
                double light = 1.0 - 0.35 * y / tb + v * 0.22;
                row[x] = qRgb(std::clamp(static_cast<int>(140 * light), 0, 255),
                              std::clamp(static_cast<int>(30 * light), 0, 255),
                              std::clamp(static_cast<int>(44 * light), 0, 255));
            }
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Stitching along the strip.
    QPen stitch(QColor(246, 222, 196, 150), 1.3, Qt::CustomDashLine, Qt::RoundCap);
    stitch.setDashPattern({3.0, 3.0});
    p.setPen(stitch);
    p.drawLine(QPointF(30, 5.5), QPointF(w - 30, 5.5));
    p.drawLine(QPointF(8, tb - 6.5), QPointF(w - 8, tb - 6.5));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(QPointF(0, tb - 0.5), QPointF(w, tb - 0.5));
    QLinearGradient under(0, tb, 0, tb + 9);
    under.setColorAt(0, QColor(60, 30, 20, 70));
    under.setColorAt(1, QColor(60, 30, 20, 0));
    p.fillRect(QRect(0, tb, w, 9), under);

    // Soft vignette so the page does not look flat.
    QRadialGradient vig(QPointF(w / 2.0, h / 2.0 + 40), w * 0.75);
    vig.setColorAt(0.6, QColor(120, 90, 50, 0));
    vig.setColorAt(1, QColor(120, 90, 50, 40));
    p.fillRect(QRect(0, tb, w, h - tb), vig);

    // Pages stacked under this one.
    for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(QColor(150, 130, 105, 70), 1));
        p.drawLine(QPointF(36, h - 2.5 * i), QPointF(w - 36, h - 2.5 * i));
    }

    // Tear-off perforation between the picture and the buttons.
    const double perf = pic.bottom() + 7.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 150, 125, 120));
    for (double x = 14; x < w - 14; x += 7)
        p.drawEllipse(QPointF(x, perf), 1.3, 1.3);

    // Photo mount: white border with a shadow, a muted inside for when no picture loads.
    QPainterPath mount;
    mount.addRect(QRectF(pic));
    dropShadow(p, mount, QPointF(2, 4), 10, QColor(80, 50, 20, 110), img.rect());
    p.setPen(QPen(QColor(214, 206, 192), 1));
    p.setBrush(QColor(253, 252, 249));
    p.drawRect(QRectF(pic).adjusted(0.5, 0.5, -0.5, -0.5));
    QRectF inner = QRectF(pic).adjusted(t.num("pic_margin_left"), t.num("pic_margin_top"),
                                        -t.num("pic_margin_right"), -t.num("pic_margin_bottom"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(234, 228, 216));
    p.drawRect(inner);
    drawSprig(p, QRectF(inner.center().x() - 70, inner.center().y() - 90, 140, 140),
              QColor(120, 150, 110, 70), QColor(120, 110, 90, 70));
    p.setPen(QPen(QColor(200, 192, 178), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inner.adjusted(-0.5, -0.5, 0.5, 0.5));

    // Spiral rings through punched holes. The holes are the see-through colour, painted without
    // smoothing so that every pixel of them is exactly the key.
    const QColor key = t.color("transparentcolor", QColor(255, 0, 254));
    const double holeY = tb + 9;
    for (double x = 52; x <= w - 52; x += 26) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 60, 30, 60));
        p.drawEllipse(QPointF(x + 0.8, holeY + 1.2), 5.6, 4.6);
        p.setRenderHint(QPainter::Antialiasing, false);
        const QRectF hole(x - 4.5, holeY - 3.5, 9, 7);
        p.setBrush(key);
        p.drawEllipse(hole);
        p.setRenderHint(QPainter::Antialiasing);
        // The wire must not be smoothed into the hole: blended key pixels would show as a fringe.
        QPainterPath outside;
        outside.addRect(QRectF(img.rect()));
        QPainterPath holePath;
        holePath.addEllipse(hole.adjusted(-0.5, -0.5, 0.5, 0.5));
        p.setClipPath(outside.subtracted(holePath));
        // The wire comes out of the hole and wraps over the top edge of the binding.
        QPointF from(x - 0.5, holeY + 1), to(x + 5, tb - 11);
        QPainterPath wire(from);
        wire.cubicTo(QPointF(x - 2, tb - 4), QPointF(x + 1, tb - 12), to);
        p.setPen(QPen(QColor(40, 36, 34, 200), 4.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wire);
        QLinearGradient silver(x - 3, 0, x + 6, 0);
        silver.setColorAt(0, QColor(150, 154, 160));
        silver.setColorAt(0.45, QColor(246, 248, 250));
        silver.setColorAt(1, QColor(120, 124, 130));
        p.setPen(QPen(QBrush(silver), 2.8, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wire);
        p.setClipping(false);
    }
    return img;
}

QImage calendarBackground(const ThemeSource& t) {
    const QRect pic = t.pictureArea();
    const int fx = t.num("cal_fields_x") - pic.left(), fy = t.num("cal_fields_y") - pic.top();
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    QImage img = canvas(pic.width(), pic.height(), kPaper);
    paperTexture(img, kSeed + 11, img.rect(), 1.0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Weekend washes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 170, 160, 70));
    p.drawRect(QRectF(fx + 6 * fw, fy - 22, fw, 6 * fh + 22));
    p.setBrush(QColor(236, 200, 170, 36));
    p.drawRect(QRectF(fx + 5 * fw, fy - 22, fw, 6 * fh + 22));
    // Double rule under the month title, like a printed heading.
    const double head = t.num("cal_weekday_y") - pic.top() - 6;
    p.setPen(QPen(withAlpha(kWine, 0.75), 1.4));
    p.drawLine(QPointF(fx - 30, head), QPointF(fx + 7 * fw, head));
    p.setPen(QPen(withAlpha(kWine, 0.5), 0.8));
    p.drawLine(QPointF(fx - 30, head + 3), QPointF(fx + 7 * fw, head + 3));
    // Ruled grid.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kRule, 1));
    for (int r = 0; r <= 6; ++r)
        p.drawLine(fx, fy + r * fh, fx + 7 * fw, fy + r * fh);
    for (int c = 0; c <= 7; ++c)
        p.drawLine(fx + c * fw, fy, fx + c * fw, fy + 6 * fh);
    // Ledger margin before the week numbers.
    p.setPen(QPen(QColor(210, 90, 90, 150), 1));
    p.drawLine(fx - 4, fy - 22, fx - 4, fy + 6 * fh);
    p.drawLine(fx - 7, fy - 22, fx - 7, fy + 6 * fh);
    p.setPen(QPen(withAlpha(kRule, 0.6), 1));
    p.drawLine(fx - 30, fy, fx - 8, fy);
    return img;
}

QImage eventMark(const ThemeSource& t, const QImage& cal) {
    const QRect pic = t.pictureArea();
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    QImage img =
        cal.copy(t.num("cal_fields_x") - pic.left(), t.num("cal_fields_y") - pic.top(), fw, fh)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A highlighter stroke across the field: slightly uneven, as if drawn by hand.
    QPainterPath wash;
    wash.moveTo(2, 3);
    wash.cubicTo(fw * 0.4, 1.5, fw * 0.7, 3.5, fw - 2, 2.5);
    wash.lineTo(fw - 1.5, fh - 3);
    wash.cubicTo(fw * 0.6, fh - 1.5, fw * 0.3, fh - 3.5, 2.5, fh - 2);
    wash.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 90, 120));
    p.drawPath(wash);
    return img;
}

QImage todayMark(const ThemeSource& t) {
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    QImage img = canvas(fw, fh);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    markerFrame(p, QRectF(1.8, 1.8, fw - 3.6, fh - 3.6), kMarker, 2.2);
    p.end();
    return keyed(img, kPaper, kMagenta, 100);
}

QImage homeMark(const ThemeSource& t) {
    const int w = t.num("calhome_w"), h = t.num("calhome_h");
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    markerCircle(p, QRectF(3, 3, w - 6, h - 6), kMarker, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 44));
    p.drawEllipse(QPointF(w / 2.0, h / 2.0), 3.4, 3.4);
    p.end();
    return keyed(img, kPaper, kMagenta, 100);
}

QImage alarmBackground(const ThemeSource& t) {
    const QRect pic = t.pictureArea();
    const int w = pic.width(), h = pic.height();
    QImage img = canvas(w, h, kPaper);
    paperTexture(img, kSeed + 21, img.rect(), 1.0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A big alarm clock printed faintly behind the time.
    const QPointF c(t.num("alarm_time_x") - pic.left(), t.num("alarm_time_y") - pic.top() + 34);
    const QColor faint(200, 40, 50, 42);
    const double r = 80;
    p.setPen(QPen(faint, 7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        QPointF d(std::cos(a), std::sin(a));
        p.setPen(QPen(faint, i % 3 == 0 ? 4 : 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + d * (r - 16), c + d * (r - 8));
    }
    // The two bells on top and the feet.
    p.setPen(Qt::NoPen);
    p.setBrush(faint);
    for (int side = -1; side <= 1; side += 2) {
        p.save();
        p.translate(c + QPointF(side * r * 0.62, -r * 0.8));
        p.rotate(side * 35);
        p.drawChord(QRectF(-26, -20, 52, 40), 0, 180 * 16);
        p.restore();
    }
    p.setPen(QPen(faint, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-r * 0.55, r * 0.8), c + QPointF(-r * 0.75, r * 1.05));
    p.drawLine(c + QPointF(r * 0.55, r * 0.8), c + QPointF(r * 0.75, r * 1.05));
    // Red rules framing the message, like a printed reminder slip.
    // Midway between the comment and the lowest a title may reach (a comment line above it).
    const double sep = t.num("alarm_com_y") - pic.top() - 9;
    p.setPen(QPen(withAlpha(kWine, 0.7), 1.4));
    p.drawLine(QPointF(50, sep), QPointF(w - 50, sep));
    p.setPen(QPen(withAlpha(kWine, 0.45), 0.8));
    p.drawLine(QPointF(50, sep + 3), QPointF(w - 50, sep + 3));
    p.setPen(QPen(kRule, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8.5, 8.5, w - 17, h - 17));
    return img;
}

QImage wisdomBox(const ThemeSource& t) {
    const int w = t.num("wise_w"), h = t.num("wise_h");
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(w / 2.0, h / 2.0);
    p.rotate(-1.2);
    p.translate(-w / 2.0, -h / 2.0);
    QRectF note(8, 10, w - 16, h - 18);
    // Curled bottom-right corner.
    QPainterPath shape;
    shape.moveTo(note.topLeft());
    shape.lineTo(note.topRight());
    shape.lineTo(note.right(), note.bottom() - 16);
    shape.lineTo(note.right() - 16, note.bottom());
    shape.lineTo(note.bottomLeft());
    shape.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 70, 30, 150));
    p.drawPath(shape.translated(2.5, 3));
    QLinearGradient g(0, note.top(), 0, note.bottom());
    g.setColorAt(0, QColor(255, 240, 150));
    g.setColorAt(1, QColor(250, 222, 110));
    p.setBrush(g);
    p.drawPath(shape);
    QPainterPath fold;
    fold.moveTo(note.right(), note.bottom() - 16);
    fold.lineTo(note.right() - 13, note.bottom() - 13);
    fold.lineTo(note.right() - 16, note.bottom());
    fold.closeSubpath();
    p.setBrush(QColor(232, 198, 90));
    p.drawPath(fold);
    // A strip of tape holding it.
    p.save();
    p.translate(w / 2.0, note.top() + 1);
    p.rotate(3.5);
    p.setBrush(QColor(244, 240, 226, 215));
    p.drawRect(QRectF(-38, -9, 76, 18));
    p.restore();
    p.end();
    return keyedWhite(img, QColor(120, 112, 96), 120);
}

void paperButton(QPainter& p, int index, ButtonLook look, const QRectF& r) {
    const bool onLeather = index == 0;
    const bool pill = r.width() > r.height() * 1.6;
    const double rad = std::min(r.width(), r.height()) / 2 - 2.5;
    const QPointF c = r.center();
    QPainterPath shape;
    if (pill)
        shape.addRoundedRect(r.adjusted(3, 3, -3, -3), rad, rad);
    else
        shape.addEllipse(c, rad, rad);
    QColor fill(253, 250, 243), ring(150, 110, 95), ink(120, 36, 44);
    if (onLeather) {
        fill = QColor(112, 22, 32);
        ring = QColor(240, 214, 190, 170);
        ink = QColor(250, 232, 210);
    }
    if (index == 8 || index == 10) {
        fill = kWine;
        ring = QColor(110, 14, 26);
        ink = QColor(255, 240, 220);
    }
    if (look == kOver) {
        fill = onLeather || index == 8 || index == 10 ? shade(fill, 1.25) : QColor(250, 226, 220);
        ring = kWine;
        if (!onLeather && index != 8 && index != 10) ink = QColor(176, 24, 40);
    } else if (look == kDown) {
        fill = onLeather ? QColor(70, 12, 20) : QColor(130, 20, 34);
        ring = QColor(90, 10, 20);
        ink = QColor(255, 236, 214);
    }
    if (look != kDown) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 50, 30, 60));
        p.drawPath(shape.translated(0.6, 1.6));
    }
    p.setBrush(fill);
    p.setPen(QPen(ring, look == kOver ? 1.8 : 1.3));
    p.drawPath(shape);
    const double gs = std::min(r.width(), r.height()) * (pill ? 0.6 : 0.56);
    QPointF gc = c + (look == kDown ? QPointF(0.5, 0.8) : QPointF(0, 0));
    drawGlyph(p, glyphOfButton(index), QRectF(gc.x() - gs / 2, gc.y() - gs / 2, gs, gs), ink);
}

}  // namespace

SkinArt paintPaperLight(const ThemeSource& t) {
    SkinArt a;
    a.mainBg = mainBackground(t);
    a.calBg = calendarBackground(t);
    a.alarmBg = alarmBackground(t);
    a.eventMark = eventMark(t, a.calBg);
    a.today = todayMark(t);
    a.today2 = homeMark(t);
    a.wiseBg = wisdomBox(t);
    a.button = paperButton;
    return a;
}

}  // namespace tv::art
