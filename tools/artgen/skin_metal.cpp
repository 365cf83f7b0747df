// "metal_big": brushed steel, a dark name plate for the date, steel buttons in the title bar.
#include "art.h"
#include "glyphs.h"
#include "paint_kit.h"
#include "skins.h"

#include <QFont>
#include <QLinearGradient>

#include <cmath>

namespace tv::art {
namespace {

constexpr uint64_t kSeed = 0x3E7A1B16;

void fillGradient(QImage& img, const QRect& r, QColor top, QColor bottom) {
    QPainter p(&img);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

// A light line under a dark one reads as a groove cut into the steel.
void groove(QPainter& p, QPointF a, QPointF b, int alpha = 150) {
    p.setPen(QPen(QColor(40, 44, 52, alpha), 1));
    p.drawLine(a, b);
    p.setPen(QPen(QColor(255, 255, 255, alpha * 2 / 3), 1));
    p.drawLine(a + QPointF(0, 1), b + QPointF(0, 1));
}

// Sunken panel: dark inside, shadow along the top, light catch along the bottom.
void recessed(QPainter& p, const QRectF& r, double radius, QColor top, QColor bottom) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(r.adjusted(0, 1, 0, 1), radius, radius);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(14, 16, 20, 200), 1));
    p.drawRoundedRect(r, radius, radius);
    QLinearGradient inner(0, r.top(), 0, r.top() + 8);
    inner.setColorAt(0, QColor(0, 0, 0, 110));
    inner.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(inner);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    p.restore();
}

QImage mainBackground(const ThemeSource& t) {
    const int w = t.num("window_width", 648), h = t.num("window_height", 564);
    const int tb = t.num("titlebar_height", 25);
    const QRect pic = t.pictureArea();
    Rng rng(kSeed);
    QImage img = canvas(w, h);
    fillGradient(img, img.rect(), QColor(168, 175, 185), QColor(108, 115, 126));
    brushStreaks(img, rng, img.rect(), 3.2);
    fillGradient(img, QRect(0, 0, w, tb), QColor(74, 79, 89), QColor(38, 41, 48));
    brushStreaks(img, rng, QRect(0, 0, w, tb), 2.2);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Soft sheen across the frame, as if lit from the upper left.
    QLinearGradient sheen(0, 0, w, h);
    sheen.setColorAt(0, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 30));
    p.fillRect(QRect(0, tb, w, h - tb), sheen);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(255, 255, 255, 60));
    p.drawLine(1, 1, w - 2, 1);
    p.setPen(QColor(14, 15, 18));
    p.drawLine(0, tb - 1, w - 1, tb - 1);
    p.setPen(QColor(220, 226, 234, 150));
    p.drawLine(0, tb, w - 1, tb);

    // The name plate that carries today's date and names.
    QRectF plate(8.5, tb + 4.5, w - 17, pic.top() - tb - 9);
    recessed(p, plate, 7, QColor(26, 30, 38), QColor(50, 57, 69));
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gloss(0, plate.top(), 0, plate.center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 22));
    gloss.setColorAt(1, QColor(255, 255, 255, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(plate.adjusted(2, 2, -2, -plate.height() / 2), 5, 5);

    // The picture well; its inside only shows when no picture can be loaded.
    QRectF well = QRectF(pic).adjusted(-1.5, -1.5, 1.5, 1.5);
    recessed(p, well, 2, QColor(24, 27, 33), QColor(40, 45, 54));
    drawSprig(p, QRectF(pic.center().x() - 70, pic.center().y() - 90, 140, 140),
              QColor(120, 140, 130, 40), QColor(120, 130, 130, 40));

    // Window edge: dark outline with a bright inner catch.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(22, 24, 28));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setPen(QColor(255, 255, 255, 70));
    p.drawLine(1, tb + 1, 1, h - 2);
    p.setPen(QColor(0, 0, 0, 60));
    p.drawLine(w - 2, tb + 1, w - 2, h - 2);
    return img;
}

// One day field of the grid: a raised aluminium tile.
void tile(QPainter& p, const QRectF& cell, QColor tint, double tintAmount) {
    QRectF r = cell.adjusted(1.5, 1.5, -1.5, -1.5);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, mix(QColor(252, 253, 255), tint, tintAmount * 0.7));
    g.setColorAt(1, mix(QColor(228, 232, 238), tint, tintAmount));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 158, 172), 1));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawLine(r.topLeft() + QPointF(4, 1), r.topRight() + QPointF(-4, 1));
    p.restore();
}

QColor columnTint(int col, double& amount) {
    amount = col == 6 ? 0.22 : col == 5 ? 0.10 : 0.0;
    return col == 6 ? QColor(236, 150, 150) : QColor(170, 190, 225);
}

QImage calendarBackground(const ThemeSource& t) {
    const QRect pic = t.pictureArea();
    const int fx = t.num("cal_fields_x") - pic.left(), fy = t.num("cal_fields_y") - pic.top();
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    const int headTop = t.num("cal_weekday_y") - pic.top() - 3;
    Rng rng(kSeed + 1);
    QImage img = canvas(pic.width(), pic.height());
    fillGradient(img, img.rect(), QColor(226, 230, 236), QColor(198, 204, 213));
    brushStreaks(img, rng, img.rect(), 1.8);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    groove(p, QPointF(8, headTop - 3), QPointF(pic.width() - 8, headTop - 3));
    // Weekday header strip, Sunday warmer.
    QRectF head(fx + 1.5, headTop + 0.5, 7 * fw - 3, fy - headTop - 3);
    QLinearGradient hg(0, head.top(), 0, head.bottom());
    hg.setColorAt(0, QColor(206, 214, 226));
    hg.setColorAt(1, QColor(184, 194, 209));
    p.setPen(QPen(QColor(140, 150, 166), 1));
    p.setBrush(hg);
    p.drawRoundedRect(head, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 120, 120, 50));
    p.drawRoundedRect(QRectF(fx + 6 * fw + 1.5, head.top() + 1, fw - 4, head.height() - 2), 3, 3);

    // Week-number column.
    QRectF weeks(4.5, fy + 1.5, fx - 8, 6 * fh - 3);
    QLinearGradient wg(weeks.left(), 0, weeks.right(), 0);
    wg.setColorAt(0, QColor(190, 198, 210));
    wg.setColorAt(1, QColor(208, 214, 224));
    p.setPen(QPen(QColor(150, 158, 172), 1));
    p.setBrush(wg);
    p.drawRoundedRect(weeks, 4, 4);

    for (int c = 0; c < 42; ++c) {
        double amount;
        QColor tint = columnTint(c % 7, amount);
        tile(p, QRectF(fx + (c % 7) * fw, fy + (c / 7) * fh, fw, fh), tint, amount);
    }

    // Legend in the strip under the grid: what the day colours mean.
    const int legendTop = fy + 6 * fh + 4;
    if (pic.height() - legendTop >= 18) {
        groove(p, QPointF(8, legendTop), QPointF(pic.width() - 8, legendTop));
        struct Item {
            QColor colour;
            const char* text;
            bool ring;
        };
        const Item items[] = {
            {t.color("calRedLetter", QColor(255, 0, 0)), "munkaszüneti nap", false},
            {t.color("calRedLetter2", QColor(255, 159, 0)), "ünnep", false},
            {QColor(120, 160, 220), "esemény", false},
            {QColor(255, 170, 40), "ma", true}};
        QFont f("Liberation Sans");
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        QFontMetrics fm(f);
        int total = 0;
        for (const Item& it : items)
            total += 16 + fm.horizontalAdvance(QString::fromUtf8(it.text)) + 18;
        double x = (pic.width() - total) / 2.0;
        double cy = legendTop + (pic.height() - legendTop) / 2.0 + 1;
        for (const Item& it : items) {
            QRectF sw(x, cy - 5, 11, 11);
            if (it.ring) {
                p.setPen(QPen(it.colour, 2));
                p.setBrush(Qt::NoBrush);
            } else {
                p.setPen(QPen(shade(it.colour, 0.6), 1));
                p.setBrush(it.colour);
            }
            p.drawRoundedRect(sw, 2.5, 2.5);
            p.setPen(QColor(255, 255, 255, 160));
            QString s = QString::fromUtf8(it.text);
            p.drawText(QPointF(x + 17, cy + 5), s);
            p.setPen(QColor(52, 60, 74));
            p.drawText(QPointF(x + 16, cy + 4), s);
            x += 16 + fm.horizontalAdvance(s) + 18;
        }
    }
    return img;
}

QImage eventMark(const ThemeSource& t, const QImage& cal) {
    const QRect pic = t.pictureArea();
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    QImage img =
        cal.copy(t.num("cal_fields_x") - pic.left(), t.num("cal_fields_y") - pic.top(), fw, fh)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    tile(p, QRectF(0, 0, fw, fh), QColor(120, 165, 235), 0.42);
    // A folded blue corner: something is written on this day.
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath ear;
    ear.moveTo(fw - 16.5, 1.5);
    ear.lineTo(fw - 5.5, 1.5);
    ear.quadTo(fw - 1.5, 1.5, fw - 1.5, 5.5);
    ear.lineTo(fw - 1.5, 16.5);
    ear.closeSubpath();
    QLinearGradient g(fw - 16, 0, fw, 16);
    g.setColorAt(0, QColor(70, 120, 200));
    g.setColorAt(1, QColor(40, 80, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(ear);
    return img;
}

QImage todayMark(const ThemeSource& t) {
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    QImage img = canvas(fw, fh);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Along the very edge: the day number and the lines are drawn inside, over the mark.
    QRectF r(1.6, 1.6, fw - 3.2, fh - 3.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 196, 90, 120), 3.2));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(236, 128, 16), 2.2));
    p.drawRoundedRect(r, 4, 4);
    p.end();
    return keyed(img, QColor(238, 241, 246), kMagenta, 110);
}

QImage homeMark(const ThemeSource& t) {
    const int w = t.num("calhome_w", 34), h = t.num("calhome_h", 28);
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(2.5, 3.5, w - 5, h - 7);
    p.setPen(QPen(QColor(236, 128, 16), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 128, 16));
    p.drawEllipse(r.center(), 4.2, 4.2);
    p.end();
    return keyed(img, QColor(214, 219, 227), kMagenta, 110);
}

QImage alarmBackground(const ThemeSource& t) {
    const QRect pic = t.pictureArea();
    const int w = pic.width(), h = pic.height();
    Rng rng(kSeed + 2);
    QImage img = canvas(w, h);
    fillGradient(img, img.rect(), QColor(44, 50, 62), QColor(16, 18, 24));
    brushStreaks(img, rng, img.rect(), 2.0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double timeY = t.num("alarm_time_y") - pic.top() + 32;
    const double cx = t.num("alarm_time_x") - pic.left();
    glow(p, QPointF(cx, timeY), 300, QColor(255, 130, 30), 0.30);
    // Sound rings on both sides of the time.
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            double r = 120 + i * 26;
            QRectF arc(cx - r, timeY - r, 2 * r, 2 * r);
            p.setPen(QPen(QColor(255, 170, 70, 120 - i * 35), 3.0, Qt::SolidLine, Qt::RoundCap));
            int start = side < 0 ? 150 * 16 : -30 * 16;
            p.drawArc(arc, start, 60 * 16);
        }
    }
    const double sep = t.num("alarm_com_y") - pic.top() - 14;
    QLinearGradient line(40, 0, w - 40, 0);
    line.setColorAt(0, QColor(255, 255, 255, 0));
    line.setColorAt(0.5, QColor(255, 190, 110, 140));
    line.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(line), 1.2));
    p.drawLine(QPointF(40, sep), QPointF(w - 40, sep));
    // A slot under the stop button.
    QRect b = t.buttonRect(8);
    if (b.width() > 0) {
        QRectF slot = QRectF(b.translated(-pic.topLeft())).adjusted(-8, -6, 8, 6);
        recessed(p, slot, slot.height() / 2, QColor(10, 12, 16), QColor(30, 34, 42));
    }
    return img;
}

QImage wisdomBox(const ThemeSource& t) {
    const int w = t.num("wise_w"), h = t.num("wise_h");
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(1.5, 1.5, w - 3, h - 3);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(40, 48, 62, 250));
    g.setColorAt(1, QColor(16, 20, 28, 250));
    p.setBrush(g);
    QLinearGradient rim(0, 0, 0, h);
    rim.setColorAt(0, QColor(220, 226, 236));
    rim.setColorAt(1, QColor(90, 96, 108));
    p.setPen(QPen(QBrush(rim), 2.2));
    p.drawRoundedRect(r, 14, 14);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 11, 11);
    QFont f("Liberation Serif");
    f.setPixelSize(72);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 200, 64, 70));
    p.drawText(QPointF(14, 60), QString::fromUtf8("\u201E"));
    p.drawText(QPointF(w - 46, 86), QString::fromUtf8("\u201D"));
    p.end();
    return keyedWhite(img, QColor(70, 76, 86), 120);
}

}  // namespace

SkinArt paintMetalBig(const ThemeSource& t) {
    SkinArt a;
    a.mainBg = mainBackground(t);
    a.calBg = calendarBackground(t);
    a.alarmBg = alarmBackground(t);
    a.eventMark = eventMark(t, a.calBg);
    a.today = todayMark(t);
    a.today2 = homeMark(t);
    a.wiseBg = wisdomBox(t);
    a.button = paintMetalButton;
    return a;
}

}  // namespace tv::art
