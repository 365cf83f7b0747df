#include "mock_writer.h"

#include <QRegularExpression>

#include <cmath>

namespace tv::art {

QFont styleFont(const ThemeSource& t, const std::string& s) {
    QFont f(QString::fromStdString(t.text(s + "_font", "Liberation Sans")));
    f.setPixelSize(static_cast<int>(std::lround(t.num(s + "_size", 10) * 96.0 / 72.0)));
    int weight = 700;
    if (t.has(s + "_weight"))
        weight = t.num(s + "_weight");
    else if (t.has(s + "_bold"))
        weight = t.text(s + "_bold") == "true" ? 700 : 400;
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(t.text(s + "_italic") == "true");
    return f;
}

QFont recordFont(const ThemeSource& t, const std::string& kind) {
    QFont f(QString::fromStdString(t.text("def_" + kind + "_font", "Liberation Sans")));
    f.setPixelSize(static_cast<int>(std::lround(t.num("def_" + kind + "_size", 10) * 96.0 / 72.0)));
    f.setWeight(static_cast<QFont::Weight>(t.num("def_" + kind + "_weight", 700)));
    f.setItalic(t.text("def_" + kind + "_italic") == "true");
    return f;
}

void Writer::text(double x, double y, const QString& s, int align, QColor colour) {
    double x0 = align == 1 ? x - width(s) : align == 2 ? x - width(s) / 2 : x;
    p_.setFont(font_);
    double base = y + QFontMetrics(font_).ascent();
    if (shadow_) {
        p_.setPen(t_.color("text_shadow_color"));
        p_.drawText(QPointF(x0, base + 1), s);
    }
    p_.setPen(colour);
    p_.drawText(QPointF(x0, base), s);
}

void Writer::shadowed(double x, double y, const QString& s, QColor c, QColor shadow, int type) {
    static const QPointF kThin[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    static const QPointF kThick[] = {{-2, 0},  {0, -2}, {2, 0}, {0, 2},
                                     {-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    p_.setFont(font_);
    double base = y + QFontMetrics(font_).ascent();
    p_.setPen(shadow);
    if (type == 1) {
        double pt = font_.pixelSize() * 0.75;
        QPointF d = pt < 20 ? QPointF(2, 1) : pt >= 30 ? QPointF(4, 3) : QPointF(3, 2);
        p_.drawText(QPointF(x, base) + d, s);
    } else if (type == 2) {
        for (const QPointF& d : kThin)
            p_.drawText(QPointF(x, base) + d, s);
    } else if (type == 3) {
        for (const QPointF& d : kThick)
            p_.drawText(QPointF(x, base) + d, s);
    }
    p_.setPen(c);
    p_.drawText(QPointF(x, base), s);
}

void Writer::tagged(double x, double y, const QString& tagged, QColor c, QColor shadow, QColor hi,
                    int type) {
    QString plain = tagged;
    plain.remove("<r>").remove("</r>");
    double x0 = x - width(plain) / 2;
    shadowed(x0, y, plain, QColor(0, 0, 0, 0), shadow, type);
    double at = x0;
    const QStringList parts = tagged.split(QRegularExpression("</?r>"));
    bool highlight = false;
    for (const QString& part : parts) {
        shadowed(at, y, part, highlight ? hi : c, QColor(0, 0, 0, 0), 0);
        at += width(part);
        highlight = !highlight;
    }
}

QStringList wrap(const Writer& w, const QString& text, int maxWidth) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ')) {
        QString next = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && w.width(next) > maxWidth) {
            lines << line;
            line = word;
        } else {
            line = next;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

}  // namespace tv::art
