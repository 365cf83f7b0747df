#include "mock_screen.h"

#include "glyphs.h"
#include "mock_writer.h"
#include "paint_kit.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <set>

namespace tv::art {
namespace {

// Sample day: Friday 5 December 2025, the eve of Saint Nicholas.
const QDate kToday(2025, 12, 5);

const QImage& file(const std::map<std::string, QImage>& files, const ThemeSource& t,
                   const char* key) {
    static const QImage kEmpty;
    auto it = files.find(t.text(key));
    return it == files.end() ? kEmpty : it->second;
}

void copyKeyed(QPainter& p, QPoint at, const QImage& src, QRgb key) {
    QImage s = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < s.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(s.scanLine(y));
        for (int x = 0; x < s.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) row[x] = 0;
    }
    p.drawImage(at, s);
}

QImage fillCrop(const QImage& pic, QSize area) {
    if (pic.isNull()) return {};
    return pic.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(QRect(QPoint(0, 0), area));
}

const char* const kMonths[] = {"január",     "február", "március",  "április",
                               "május",      "június",  "július",   "augusztus",
                               "szeptember", "október", "november", "december"};
const char* const kWeekdays[] = {"Hétfő",  "Kedd",    "Szerda",  "Csütörtök",
                                 "Péntek", "Szombat", "Vasárnap"};

void drawMonth(QPainter& p, Writer& w, const ThemeSource& t,
               const std::map<std::string, QImage>& files, QDate shown, bool& showHome) {
    const QRect pic = t.pictureArea();
    p.drawImage(pic.topLeft(), file(files, t, "tx_cal_bg"));
    w.style("cal_month");
    w.text(t.num("cal_month_x"), t.num("cal_month_y"),
           QString("%1. %2").arg(shown.year()).arg(QString::fromUtf8(kMonths[shown.month() - 1])),
           2, t.color("cal_month_color"));
    w.style("cal_weekday");
    const int fw = t.num("cal_field_w"), fh = t.num("cal_field_h");
    for (int i = 0; i < 7; ++i)
        w.text(t.num("cal_weekday_x") + fw / 2 + i * fw, t.num("cal_weekday_y"),
               QString::fromUtf8(kWeekdays[i]), 2,
               i == 6 ? t.color("cal_weekday_color_su", t.color("calSunday"))
                      : t.color("cal_weekday_color"));
    const QDate first(shown.year(), shown.month(), 1);
    const int f = first.dayOfWeek();  // Monday 1
    auto dateOf = [&](int cell) { return first.addDays(cell - (f - 1)); };
    const bool current = shown.month() == kToday.month() && shown.year() == kToday.year();
    // Sample content: a few personal events, the feasts of December and a week of skiing.
    auto userMark = [&](QDate d) {
        return d.month() == 12 && (d.day() == 5 || d.day() == 12 || d.day() == 18);
    };
    auto holiday = [&](QDate d) {
        if (d.month() == 12 && (d.day() == 25 || d.day() == 26)) return 2;
        if (d.month() == 1 && d.day() == 1) return 2;
        if (d.month() == 12 && (d.day() == 6 || d.day() == 24 || d.day() == 31 || d.day() == 7 ||
                                d.day() == 14 || d.day() == 21))
            return 1;
        return 0;
    };
    auto lines = [&](QDate d) -> QStringList {
        if (d.month() == 12) switch (d.day()) {
                case 5:
                    return {"Fogorvos 15:30", "Mikulás-csomag"};
                case 6:
                    return {QString::fromUtf8("Mikulás")};
                case 7:
                    return {"Advent 2."};
                case 12:
                    return {QString::fromUtf8("Évzáró vacsora")};
                case 14:
                    return {"Advent 3."};
                case 18:
                    return {QString::fromUtf8("Anya születésnapja")};
                case 21:
                    return {"Advent 4."};
                case 24:
                    return {"Szenteste"};
                case 25:
                    return {QString::fromUtf8("Karácsony")};
                case 26:
                    return {QString::fromUtf8("Karácsony másnapja")};
                case 31:
                    return {"Szilveszter"};
            }
        if (d.month() == 1 && d.day() == 1) return {QString::fromUtf8("Újév")};
        return {};
    };
    for (int c = 0; c < 42; ++c)
        if (dateOf(c).month() == shown.month() && userMark(dateOf(c)))
            p.drawImage(t.fieldRect(c).topLeft(), file(files, t, "tx_event_mark"),
                        QRect(0, 0, fw, fh));
    if (current) {
        int cell = kToday.day() + f - 2;
        copyKeyed(p, t.fieldRect(cell).topLeft(), file(files, t, "tx_today"), 0xFF00FF);
    } else if (t.has("tx_today2")) {
        const char* side = shown > kToday ? "calhomeleft" : "calhomeright";
        if (t.has(std::string(side) + "_x"))
            copyKeyed(p, QPoint(t.num(std::string(side) + "_x"), t.num(std::string(side) + "_y")),
                      file(files, t, "tx_today2"), 0xFF00FF);
        showHome = true;
    }
    // One long event: a week of skiing from the 22nd to the 28th, drawn as a bracket.
    const QColor band =
        QColor::fromHsvF(200 / 360.0f, static_cast<float>(t.num("cal_long_sat", 100) / 100.0),
                         static_cast<float>(t.num("cal_long_val", 100) / 100.0));
    for (int c = 0; c < 42; ++c) {
        QDate d = dateOf(c);
        if (d.month() != 12 || d.day() < 22 || d.day() > 28) continue;
        QRect r = t.fieldRect(c);
        p.fillRect(QRect(r.left(), r.top() + 2, r.width() - (d.day() == 28 ? 1 : 0), 3), band);
        if (d.day() == 22) p.fillRect(QRect(r.left(), r.top() + 2, 3, r.height() - 2), band);
        if (d.day() == 28) p.fillRect(QRect(r.right() - 3, r.top() + 2, 3, r.height() - 2), band);
    }
    w.style("cal_weeknum");
    for (int r = 0; r < 6; ++r) {
        QDate d = dateOf(r == 0 ? 6 : 7 * r);
        if (r > 0 && d.month() != shown.month()) break;
        w.text(t.num("cal_weeknum_x"), t.num("cal_weeknum_y") + r * fh,
               QString("%1.").arg(d.weekNumber()), t.num("cal_weeknum_align"),
               t.color("cal_weeknum_color"));
    }
    for (int c = 0; c < 42; ++c) {
        QDate d = dateOf(c);
        QRect r = t.fieldRect(c);
        QColor col = d.month() != shown.month() ? t.color("calDisabled")
                     : holiday(d) == 1          ? t.color("calRedLetter2")
                     : holiday(d) == 2          ? t.color("calRedLetter")
                     : c % 7 == 6               ? t.color("calSunday")
                                                : t.color("calForeColor");
        w.style("cal_daytext");
        w.text(r.left() + t.num("cal_daytext_x"), r.top() + t.num("cal_daytext_y"),
               QString::number(d.day()), t.num("cal_daytext_align"), col);
        if (d.month() != shown.month()) continue;
        w.style("cal_dayevent");
        QStringList ls = lines(d);
        if (d.month() == 12 && d.day() >= 22 && d.day() <= 28 && d.day() != 24 && d.day() != 25 &&
            d.day() != 26)
            ls.prepend(QString::fromUtf8("Síszünet"));
        int k = 0;
        for (const QString& l : ls) {
            if (k >= t.num("cal_field_maxevents", 2)) break;
            QString s = l;
            while (w.width(s) > t.num("cal_dayevent_w") && s.size() > 1)
                s.chop(1);
            if (s != l) s = s.left(s.size() - 1) + QString::fromUtf8("…");
            double y = r.top() + t.num("cal_dayevent_y") + k * w.lineHeight();
            bool isBand = l == QString::fromUtf8("Síszünet");
            if (isBand)
                p.fillRect(QRectF(r.left() + t.num("cal_dayevent_x") - 1, y,
                                  t.num("cal_dayevent_w") + 2, w.lineHeight()),
                           band);
            w.text(r.left() + t.num("cal_dayevent_x"), y, s, t.num("cal_dayevent_align"),
                   isBand       ? QColor(0, 0, 0)
                   : c % 7 == 6 ? t.color("calSunday")
                                : t.color("calForeColor"));
            ++k;
        }
    }
}

}  // namespace

QImage mockScreen(const ThemeSource& t, const std::map<std::string, QImage>& files,
                  const QImage& icon16, MockPage page, const QImage& picture) {
    const int ww = t.num("window_width", 648), wh = t.num("window_height", 564);
    QImage img(ww, wh, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    Writer w(p, t);
    QImage bg = file(files, t, "tx_main_bg").copy();
    {
        QPainter bp(&bg);
        Writer bw(bp, t);
        if (t.has("titlebar_icon_x") && t.has("titlebar_icon_y"))
            bp.drawImage(t.num("titlebar_icon_x"), t.num("titlebar_icon_y"), icon16);
        if (t.has("versiontext_x")) {
            bw.style("versiontext");
            bw.text(t.num("versiontext_x"), t.num("versiontext_y"), "v1.0",
                    t.num("versiontext_align"),
                    t.color("versiontext_color", QColor(128, 128, 128)));
        }
        if (t.has("qzlogo_x")) {
            bw.style("qzlogo");
            bw.text(t.num("qzlogo_x"), t.num("qzlogo_y"), "Brimcove", t.num("qzlogo_align"),
                    t.color("qzlogo_color", Qt::white));
        }
    }
    p.drawImage(0, 0, bg);
    w.style("titletext");
    w.text(t.num("titletext_x", 15), t.num("titletext_y", 4), "Tempovirens 2025",
           t.num("titletext_align"), t.color("titletext_color", Qt::white));
    w.style("today");
    const QString today = QString::fromUtf8(
        "2025. december 5., péntek, 49. hét | Ma <r>Vilma</r> napja, holnap <r>Miklós</r>");
    {
        QString plain = QString(today).remove("<r>").remove("</r>").replace('|', ' ');
        const int mx = t.num("today_middle_x", 324), my = t.num("today_middle_y", 50),
                  h = w.lineHeight();
        QColor c = t.color("today_color", Qt::white), c2 = t.color("today_color2"),
               hi = t.color("today_color_highlight");
        int type = t.num("today_shadow");
        if (w.width(plain) > t.num("picture_w")) {
            QStringList parts = today.split('|');
            w.tagged(mx, my - h, parts[0].trimmed(), c, c2, hi, type);
            w.tagged(mx, my, parts[1].trimmed(), c, c2, hi, type);
        } else {
            w.tagged(mx, my - h / 2, QString(today).replace(" | ", " "), c, c2, hi, type);
        }
    }
    const QRect pic = t.pictureArea();
    std::set<int> visible = {0, 3, 4, 5, 6, 7};
    bool showHome = false;
    if (page == MockPage::kMain) {
        visible.insert(10);
        QRect inner = pic.adjusted(t.num("pic_margin_left"), t.num("pic_margin_top"),
                                   -t.num("pic_margin_right"), -t.num("pic_margin_bottom"));
        p.drawImage(inner.topLeft(), fillCrop(picture, inner.size()));
        double x = pic.left() + t.num("pic_padding_x", 10) + t.num("pic_margin_left");
        double y = pic.top() + t.num("pic_padding_y", 6) + t.num("pic_margin_top");
        struct Line {
            const char* kind;
            const char* text;
            bool bell;
        };
        const Line lines[] = {{"mu", "Mikulás – Szent Miklós ünnepe (holnap)", false},
                              {"mb", "Fogorvos 15:30", true},
                              {"ms", "Holnap: Mikulás", false},
                              {"ms", "13 nap múlva: Anya születésnapja", false},
                              {"ms", "19 nap múlva: Karácsony, szenteste", false}};
        const char* lastKind = "";
        for (const Line& l : lines) {
            if (std::string(l.kind) == "ms" && std::string(lastKind) != "ms") y += 4;
            lastKind = l.kind;
            w.font(recordFont(t, l.kind));
            QColor c = t.color(std::string("def_") + l.kind + "_color", Qt::white);
            QColor c2 = t.color(std::string("def_") + l.kind + "_color2");
            double lx = x;
            if (l.bell) {
                int gs = w.lineHeight() - 2;
                QRectF box(lx, y + 1, gs, gs);
                for (QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
                    drawGlyph(p, Glyph::kBellAlert, box.translated(d), c2);
                drawGlyph(p, Glyph::kBellAlert, box, c);
                lx += gs + 3;
            }
            w.shadowed(lx, y, QString::fromUtf8(l.text), c, c2, 2);
            y += w.lineHeight();
        }
        // The wisdom box.
        const QRect box = t.wiseBox();
        copyKeyed(p, box.topLeft(), file(files, t, "tx_wise_bg"), 0xFFFFFF);
        w.style("wise_say");
        QStringList q = wrap(w,
                             QString::fromUtf8("Az idő olyan, mint a folyó: nem foghatod meg, de "
                                               "megválaszthatod, hol ülsz le a partján."),
                             t.num("wise_say_w"));
        int h = w.lineHeight();
        int y0 = box.top() + t.num("wise_say_y") - static_cast<int>(q.size()) * h / 2;
        for (int i = 0; i < q.size(); ++i)
            w.text(box.left() + t.num("wise_say_x"), y0 + i * h, q[i], t.num("wise_say_align"),
                   t.color("wise_say_color"));
        w.style("wise_wrt");
        w.text(box.left() + t.num("wise_wrt_x"), box.top() + t.num("wise_wrt_y"),
               QString::fromUtf8("Pintér Ágoston"), t.num("wise_wrt_align"),
               t.color("wise_wrt_color"));
    } else if (page == MockPage::kMonth || page == MockPage::kNextMonth) {
        visible.insert({1, 2, 9});
        drawMonth(p, w, t, files, page == MockPage::kMonth ? kToday : kToday.addMonths(1),
                  showHome);
        if (showHome && t.has("menuhome_x")) visible.insert(11);
    } else {
        visible.insert(8);
        p.drawImage(pic.topLeft(), file(files, t, "tx_alarm_bg"));
        w.style("alarm_time");
        w.text(t.num("alarm_time_x"), t.num("alarm_time_y"), "7:05", t.num("alarm_time_align"),
               t.color("alarm_time_color"));
        w.style("alarm_title");
        QStringList title =
            wrap(w, QString::fromUtf8("Anya születésnapja – virágot venni a piacon!"),
                 t.num("alarm_title_w"));
        int h = w.lineHeight();
        for (int i = 0; i < title.size(); ++i)
            w.text(t.num("alarm_title_x"),
                   t.num("alarm_title_y") - static_cast<int>(title.size()) * h / 2 + i * h,
                   title[i], t.num("alarm_title_align"), t.color("alarm_title_color"));
        w.style("alarm_com");
        QStringList com =
            wrap(w,
                 QString::fromUtf8("Tulipánt vagy frézit, ha van; a torta délután háromra "
                                   "lesz kész a cukrászdában. Útközben felhívni Évát, hogy "
                                   "ő hozza-e a gyerekeket."),
                 t.num("alarm_com_w"));
        for (int i = 0; i < com.size(); ++i)
            w.text(t.num("alarm_com_x"), t.num("alarm_com_y") + i * w.lineHeight(), com[i], 0,
                   t.color("alarm_com_color"));
    }
    const QImage& sheet = file(files, t, "tx_buttons");
    for (int i : visible) {
        QRect r = t.buttonRect(i);
        if (r.width() <= 0) continue;
        std::string n = std::to_string(i);
        // Show one button hovered so the sheet's over look is seen in place.
        bool over = page == MockPage::kMain && i == 4;
        QPoint src(t.num("tx" + n + (over ? "_dx" : "_ux")),
                   t.num("tx" + n + (over ? "_oy" : "_uy")));
        p.drawImage(r.topLeft(), sheet, QRect(src, r.size()));
    }
    p.end();
    // The window outline and the see-through colour, as the desktop would show them.
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const bool round = t.has("window_round_x") || t.has("window_round_y");
    QImage shape(out.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter sp(&shape);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(Qt::white);
        if (round)
            sp.drawRoundedRect(QRectF(0, 0, ww + 1, wh + 1), t.num("window_round_x") / 2.0,
                               t.num("window_round_y") / 2.0);
        else
            sp.drawRect(QRect(0, 0, ww, wh));
    }
    const bool keyedWindow = t.has("transparentcolor");
    const QRgb key = t.color("transparentcolor").rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            int a = qAlpha(m[x]);
            if (keyedWindow && (row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) a = 0;
            row[x] = (row[x] & 0xFFFFFF) | (static_cast<QRgb>(a) << 24);
        }
    }
    return out;
}

}  // namespace tv::art
