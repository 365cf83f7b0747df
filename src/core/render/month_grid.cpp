#include "core/render/month_grid.h"

#include <algorithm>
#include <array>

#include "core/calc/calendar.h"
#include "core/calc/today.h"
#include "core/config/settings_keys.h"
#include "core/render/primitives.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

namespace {

struct Grid {
    int x0, y0, w, h;
    int x(int c) const { return x0 + (c % 7) * w; }
    int y(int c) const { return y0 + (c / 7) * h; }
};

Grid gridOf(const HashTable& t) {
    return {themeInt(t, "cal_fields_x"), themeInt(t, "cal_fields_y"), themeInt(t, "cal_field_w"),
            themeInt(t, "cal_field_h")};
}

// Band drawing state of one field during one redraw.
struct FieldBands {
    int level = 0;
    int leftInset = 0;
    int rightInset = 0;
};

void drawBands(Screen& sc, const Grid& g) {
    Surface& s = *sc.skin.mainBuffer;
    std::array<FieldBands, kDayCells> fields{};
    for (const LongBand& b : sc.month->bands) {
        const int first = std::clamp(b.firstCell, 0, kDayCells - 1);
        const int last = std::clamp(b.lastCell, first, kDayCells - 1);
        int level = 0;
        if (&b != &sc.month->bands.front())
            for (int c = first; c <= last; ++c)
                level = std::max(level, fields[static_cast<size_t>(c)].level);
        for (int c = first; c <= last; ++c) {
            FieldBands& f = fields[static_cast<size_t>(c)];
            const int y = g.y(c) + 2 + 5 * level;
            const int bottom = g.y(c) + g.h - 1;
            int x1 = g.x(c);
            int x2 = g.x(c) + g.w - 1;
            if (c == first && b.startsHere) {
                x1 = g.x(c) + 3 * f.leftInset;
                vLine(s, x1, y, bottom, 3, b.colour);
                ++f.leftInset;
            }
            if (c == last && b.endsHere) {
                x2 = g.x(c) + g.w - 1 - 3 * f.rightInset;
                vLine(s, x2 - 2, y, bottom, 3, b.colour);
                ++f.rightInset;
            }
            hLine(s, x1, x2, y, 3, b.colour);
            f.level = level + 1;
        }
    }
}

void drawWeekNumbers(Screen& sc, const Grid& g) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setTextStyle(s, t, "cal_weeknum");
    setColor(s, themeColour(t, "cal_weeknum_color", 0));
    const int align = themeInt(t, "cal_weeknum_align", 0);
    const uint32_t shadow = themeColour(t, "text_shadow_color");
    for (int r = 0; r < 6; ++r) {
        const Date d = sc.month->cellDate(r == 0 ? 6 : 7 * r);
        if (r > 0 && d.month() != sc.month->month) break;
        int week = weekNumber(d);
        if (week == 0 && d.month() == 1) week = weekNumber(Date::serial(d.year() - 1, 12, 31));
        drawText(s, themeInt(t, "cal_weeknum_x"), themeInt(t, "cal_weeknum_y") + r * g.h,
                 std::to_string(week) + ".", align, shadow);
    }
}

uint32_t dayColour(const Screen& sc, const DayCell& cell, int c) {
    if (!cell.inMonth) return sc.colours.disabled;
    if (cell.holidayMark == 1) return sc.colours.redLetter2;
    if (cell.holidayMark == 2) return sc.colours.redLetter;
    if (c % 7 == 6) return sc.colours.sunday;
    return sc.colours.fore;
}

void drawFieldLines(Screen& sc, const Grid& g) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setTextStyle(s, t, "cal_dayevent");
    const bool fixedColour = t.exists("cal_dayevent_color");
    if (fixedColour) setColor(s, themeColour(t, "cal_dayevent_color"));
    const int dx = themeInt(t, "cal_dayevent_x");
    const int dy = themeInt(t, "cal_dayevent_y");
    const int w = themeInt(t, "cal_dayevent_w");
    const int align = themeInt(t, "cal_dayevent_align");
    const int h = lineHeight(s);
    const uint32_t shadow = themeColour(t, "text_shadow_color");
    const std::string overflow = t.itemAlt("overflow_chars", "...");
    const int maxEvents = themeInt(t, "cal_field_maxevents", 2);
    const double sat = themeInt(t, "cal_long_sat", 100) / 100.0;
    const double val = themeInt(t, "cal_long_val", 100) / 100.0;
    auto plainColour = [&](int c) {
        if (!fixedColour) setColor(s, c % 7 == 6 ? sc.colours.sunday : sc.colours.fore);
    };
    for (int c = 0; c < kDayCells; ++c) {
        const DayCell& cell = sc.month->cells[static_cast<size_t>(c)];
        const int x = g.x(c) + dx;
        const int y = g.y(c) + dy;
        if (sc.month->namesMode) {
            const std::string& names = cell.names;
            if (names.empty()) continue;
            plainColour(c);
            const size_t comma = names.find(',');
            if (s.textWidthPx(names) > w && maxEvents >= 2 && comma != std::string::npos) {
                std::string rest = names.substr(comma + 1);
                rest.erase(0, rest.find_first_not_of(' '));
                while (!rest.empty() && rest.back() == ' ')
                    rest.pop_back();
                drawText(s, x, y, fitText(s, names.substr(0, comma + 1), w, overflow), align,
                         shadow);
                drawText(s, x, y + h, fitText(s, rest, w, overflow), align, shadow);
            } else {
                drawText(s, x, y, fitText(s, names, w, overflow), align, shadow);
            }
            continue;
        }
        const std::vector<FieldLine>& lines = cell.lines;
        for (size_t k = 0; k < lines.size(); ++k) {
            const FieldLine& line = lines[k];
            const int ly = y + static_cast<int>(k) * h;
            if (line.hue < 0) {
                plainColour(c);
            } else {
                const uint32_t band = hsvToRgb(line.hue, sat, val);
                // Behind the line, inside the field, a little wider than the text room.
                const int left = std::max(g.x(c) + 1, x - 2);
                const int right = std::min(g.x(c) + g.w - 1, x + w + 2);
                fillRect(s, left, ly, right - left, h, band);
                setColor(s, luminance(band) < 128 ? kWhite : 0);
            }
            drawText(s, x, ly, fitText(s, line.text, w, overflow), align, shadow);
        }
    }
}

}  // namespace

GridColours readGridColours(HashTable& t) {
    GridColours c;
    c.fore = themeColour(t, "calForeColor", 0);
    c.redLetter = themeColour(t, "calRedLetter", 255);
    c.redLetter2 = themeColour(t, "calRedLetter2", 40959);
    c.sunday = themeColour(t, "calSunday", 176);
    c.disabled = themeColour(t, "calDisabled", 13553358);
    return c;
}

void initCalendarWindow(Screen& sc, EventTable& table, MonthContext ctx, MonthEvents& month) {
    sc.colours = readGridColours(sc.skin.theme);
    ctx.year = ctx.today.year();
    ctx.month = ctx.today.month();
    ctx.theme = readMonthTheme(&sc.skin.theme);
    buildMonthEvents(table, ctx, month);
    sc.month = &month;
}

int monthGridHit(const HashTable& theme, int x, int y) {
    const Grid g = gridOf(theme);
    if (g.w <= 0 || g.h <= 0) return -1;
    if (x < g.x0 || x >= g.x0 + 7 * g.w || y < g.y0 || y >= g.y0 + 6 * g.h) return -1;
    return ((y - g.y0) / g.h) * 7 + (x - g.x0) / g.w;
}

void drawMonthGrid(Screen& sc) {
    Skin& skin = sc.skin;
    HashTable& t = skin.theme;
    Surface& s = *skin.mainBuffer;
    skin.buttons[kBtnAlarm].visible = false;
    copyRect(s, themeInt(t, "picture_x"), themeInt(t, "picture_y"), themeInt(t, "picture_w"),
             themeInt(t, "picture_h"), skin.image(kImgCalBg), 0, 0);
    if (!sc.month) return;
    const MonthEvents& m = *sc.month;
    const Grid g = gridOf(t);
    const uint32_t shadow = themeColour(t, "text_shadow_color");

    setTextStyle(s, t, "cal_month");
    setColor(s, themeColour(t, "cal_month_color", 0));
    const std::string monthName =
        sc.today ? sc.today->monthNames[static_cast<size_t>(m.month - 1)] : std::string();
    drawText(s, themeInt(t, "cal_month_x"), themeInt(t, "cal_month_y"),
             std::to_string(m.year) + ". " + monthName, kAlignCentre, shadow);

    setTextStyle(s, t, "cal_weekday");
    setColor(s, themeColour(t, "cal_weekday_color", 0));
    auto dayName = [&](int weekday) {  // 1 = Sunday
        return sc.today ? sc.today->dayNames[static_cast<size_t>(weekday - 1)] : std::string();
    };
    const int wx = themeInt(t, "cal_weekday_x") + g.w / 2;
    const int wy = themeInt(t, "cal_weekday_y");
    for (int i = 0; i < 6; ++i)
        drawText(s, wx + i * g.w, wy, dayName(i + 2), kAlignCentre, shadow);
    setColor(s, themeColour(t, "cal_weekday_color_su", sc.colours.sunday));
    drawText(s, wx + 6 * g.w, wy, dayName(1), kAlignCentre, shadow);

    for (int c = 0; c < kDayCells; ++c)
        if (m.cells[static_cast<size_t>(c)].userMark)
            copyRect(s, g.x(c), g.y(c), g.w, g.h, skin.image(kImgEventMark), 0, 0);

    const Date today = sc.today ? sc.today->currentDay : Date();
    const int shown = m.year * 12 + m.month;
    const int current = today.year() * 12 + today.month();
    if (shown == current) {
        const int c = m.cellOfDay(today.day());
        copyKeyed(s, g.x(c), g.y(c), g.w, g.h, skin.image(kImgToday), 0, 0, kMagenta);
    } else if (t.exists("tx_today2")) {
        const int hw = themeInt(t, "calhome_w");
        const int hh = themeInt(t, "calhome_h");
        if (shown > current && themeHasPoint(t, "calhomeleft"))
            copyKeyed(s, themeInt(t, "calhomeleft_x"), themeInt(t, "calhomeleft_y"), hw, hh,
                      skin.image(kImgToday2), 0, 0, kMagenta);
        if (shown < current && themeHasPoint(t, "calhomeright"))
            copyKeyed(s, themeInt(t, "calhomeright_x"), themeInt(t, "calhomeright_y"), hw, hh,
                      skin.image(kImgToday2), 0, 0, kMagenta);
        if (themeHasPoint(t, "menuhome")) skin.buttons[kBtnHome].visible = true;
    }

    drawBands(sc, g);
    drawWeekNumbers(sc, g);

    setTextStyle(s, t, "cal_daytext");
    const int tx = themeInt(t, "cal_daytext_x");
    const int ty = themeInt(t, "cal_daytext_y");
    const int talign = themeInt(t, "cal_daytext_align");
    for (int c = 0; c < kDayCells; ++c) {
        const DayCell& cell = m.cells[static_cast<size_t>(c)];
        setColor(s, dayColour(sc, cell, c));
        drawText(s, g.x(c) + tx, g.y(c) + ty, std::to_string(cell.day), talign, shadow);
    }
    drawFieldLines(sc, g);
}

}  // namespace tv
