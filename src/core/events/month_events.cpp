#include "core/events/month_events.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/calc/date_words.h"
#include "core/calc/text_fit.h"
#include "core/calc/text_format.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/forecast.h"
#include "core/events/occurrence.h"

namespace tv {
namespace {

const StringTable& stringsOf(const MonthContext& ctx) {
    static const StringTable kNone;
    return ctx.strings != nullptr ? *ctx.strings : kNone;
}

int themeValue(const HashTable* theme, std::string_view key, int def) {
    if (theme == nullptr || !theme->exists(key)) return def;
    return clampInt(theme->item(key), -32768, 32767);
}

bool isLong(const EventRecord& e) {
    return e.extraDays >= 1;
}

FieldLine fieldLine(FieldLineKind kind, int hue, std::string text) {
    // A hue past the circle draws as red, like 0.
    return FieldLine{kind, hue < 0 ? -1 : (hue < 360 ? hue : 0), std::move(text)};
}

std::string yearsText(const EventRecord& e, int year) {
    return " (" + std::to_string(year - e.year) + ")";
}

void layOutCells(const MonthContext& ctx, MonthEvents& m) {
    m.year = ctx.year;
    m.month = std::clamp(ctx.month, 1, 12);
    m.offset = Date::serial(m.year, m.month, 1).isoWeekday();
    m.length = daysInMonth(m.year, m.month);
    const int previousLength = m.month == 1 ? 31 : daysInMonth(m.year, m.month - 1);
    const int f = m.offset;
    for (int k = 0; k < kDayCells; ++k) {
        DayCell& c = m.cells[static_cast<size_t>(k)];
        c = DayCell{};
        if (k < f - 1) {
            c.day = previousLength - f + k + 2;
        } else if (k <= m.length + f - 2) {
            c.day = k - f + 2;
            c.inMonth = true;
        } else {
            c.day = k - f + 2 - m.length;
        }
    }
    m.entries.clear();
    m.bands.clear();
}

void addBand(const EventRecord& e, const MonthContext& ctx, MonthEvents& m) {
    const int startMonth = std::clamp<int>(e.month, 1, 12);
    const Date start = Date::serial(e.year, startMonth,
                                    std::clamp<int>(e.day, 1, daysInMonth(e.year, startMonth)));
    const Date end = start.addDays(e.extraDays);
    const Date first = Date::serial(m.year, m.month, 1);
    const Date last = Date::serial(m.year, m.month, m.length);
    const bool startsHere = first <= start && start <= last;
    if (!startsHere && !(start < first && first <= end) && !(start < last && last <= end)) return;
    LongBand b;
    b.firstCell = start < first ? m.offset - 1 : m.cellOfDay(start.day());
    b.lastCell = end < last ? m.cellOfDay(end.day()) : m.cellOfDay(m.length);
    b.startsHere = startsHere;
    b.endsHere = first <= end && end <= last;
    b.length = e.extraDays;
    b.colour = hsvColour(e.hue, ctx.theme.longSat / 100.0, ctx.theme.longVal / 100.0);
    m.bands.push_back(b);
}

// At most N lines per field; a fuller day shows N - 1 events and a "more" line in the last.
void buildEventLines(const EventTable& table, const MonthContext& ctx, MonthEvents& m) {
    sortByFoldedKey(m.entries, false);
    for (const DayEntry& d : m.entries)
        ++m.cells[static_cast<size_t>(d.cell)].eventTotal;
    const int n = ctx.theme.fieldMaxEvents;
    if (n <= 0) return;
    std::array<bool, kDayCells> moreShown{};
    const StringTable& strings = stringsOf(ctx);
    for (const DayEntry& d : m.entries) {
        DayCell& c = m.cells[static_cast<size_t>(d.cell)];
        const bool crowded = c.eventTotal > n;
        if (!crowded || c.eventShown < n - 1) {
            const EventRecord& e = table[d.slot];
            const int hue = isLong(e) ? std::max<int>(e.hue, 0) : -1;
            c.lines.push_back(fieldLine(FieldLineKind::kEvent, hue, d.text));
            ++c.eventShown;
        }
        // With room for one line only, the "more" line is all the field shows.
        if (crowded && c.eventShown == n - 1 && !moreShown[static_cast<size_t>(d.cell)]) {
            moreShown[static_cast<size_t>(d.cell)] = true;
            c.lines.push_back(
                fieldLine(FieldLineKind::kMore, -1,
                          strings.formatString("main_event_more", std::to_string(c.eventTotal))));
        }
    }
}

void buildNameLines(const MonthContext& ctx, MonthEvents& m) {
    const StringTable& strings = stringsOf(ctx);
    for (DayCell& c : m.cells) {
        if (!c.inMonth) continue;
        const int index = nameTableIndex(m.year, m.month, c.day);
        if (index == kNameTableLeapDay) {
            c.names = strings.getString("main_leapyear");
        } else if (index >= 0 && ctx.names) {
            c.names = ctx.names(index);
        }
        c.eventTotal = 1;
    }
}

void appendWrapped(std::string& tip, const std::string& text, const TextMeasurer* measurer) {
    if (measurer == nullptr) {
        tip += text;
    } else {
        tip += wrapSurfaceText(*measurer, text, kTipWrapWidthPx, 0);
    }
}

void appendTipEntry(std::string& tip, const EventRecord& e, int year,
                    const TextMeasurer* measurer) {
    if (!tip.empty()) tip += "\r\n\r\n";
    tip += isLong(e) ? ">> " : "• ";
    if (e.alarmOn != 0) {
        tip += '[';
        tip += alarmTimeText(e.alarmHour, e.alarmMinute);
        tip += "] ";
    }
    appendWrapped(tip, e.name, measurer);
    if (countsYears(e)) tip += yearsText(e, year);
    if (!e.comment.empty() && e.comment != e.name) {
        tip += "\r\n";
        appendWrapped(tip, e.comment, measurer);
    }
}

}  // namespace

MonthTheme readMonthTheme(const HashTable* theme) {
    MonthTheme t;
    t.fieldMaxEvents = themeValue(theme, "cal_field_maxevents", t.fieldMaxEvents);
    t.longSat = themeValue(theme, "cal_long_sat", t.longSat);
    t.longVal = themeValue(theme, "cal_long_val", t.longVal);
    return t;
}

void placeEvent(EventTable& table, int slot, const MonthContext& ctx, EasterCache& easter,
                MonthEvents& m) {
    if (slot < 0 || slot >= table.slotCount()) return;
    EventRecord& e = table[slot];
    if (!e.used() || isSwitchedOffFeast(e)) return;
    if (isMovableFeast(e)) {
        const Date d = feastDate(e.ruleKey, m.year, easter);
        if (d.isZero()) return;  // an unknown rule has no day to sit on
        e.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
        e.year = static_cast<int16_t>(d.year());
        e.month = static_cast<int16_t>(d.month());
        e.day = static_cast<uint8_t>(d.day());
    }
    const RepeatKind repeat = e.repeatKind();
    const bool once = repeat == RepeatKind::kOnce;
    if (once ? !ctx.switches.showOneTime : !ctx.switches.showRepeating) return;
    if (countsYears(e) && e.year > m.year) return;  // not born yet

    int month = e.month;
    if (repeat == RepeatKind::kSelectedMonths) {
        if (!isBitSet(e.month, m.month - 1)) return;
        month = m.month;
    }
    if (isLong(e) && once) addBand(e, ctx, m);

    // A long event that began in an earlier month shows only its band.
    if (once && e.year != m.year) return;
    if (repeat != RepeatKind::kMonthly && month != m.month) return;
    if (ctx.switches.repeatingNextOnly) {
        const Date next = nextOccurrenceOf(e, ctx.today, easter);
        if (next.year() != m.year || next.month() != m.month) return;
    }

    const int day = std::clamp<int>(e.day, 1, m.length);  // the 31st shows on a 30th
    const int cell = m.cellOfDay(day);
    DayCell& c = m.cells[static_cast<size_t>(cell)];
    if (e.kind() == EventCategory::kHoliday || e.kind() == EventCategory::kFeast) {
        c.holidayMark = e.dayOff == 1 ? 2 : 1;
    } else {
        c.userMark = true;
    }
    DayEntry d;
    d.cell = cell;
    d.day = day;
    d.text = countsYears(e) ? e.name + yearsText(e, m.year) : e.name;
    d.slot = slot;
    d.sortKey = alarmSortPrefix(e) + e.name;
    m.entries.push_back(std::move(d));
}

void buildMonthEvents(EventTable& table, const MonthContext& ctx, MonthEvents& m) {
    layOutCells(ctx, m);
    m.namesMode = ctx.settings != nullptr && read(*ctx.settings, settings::Cal_Names) == "1";
    EasterCache local;
    EasterCache& easter = ctx.easter != nullptr ? *ctx.easter : local;
    for (int slot = 0; slot < table.slotCount(); ++slot)
        placeEvent(table, slot, ctx, easter, m);

    std::stable_sort(m.bands.begin(), m.bands.end(),
                     [](const LongBand& a, const LongBand& b) { return a.length > b.length; });
    if (m.namesMode) {
        buildNameLines(ctx, m);
    } else {
        buildEventLines(table, ctx, m);
    }
    if (!ctx.buildTooltips) return;
    for (const DayEntry& d : m.entries) {
        appendTipEntry(m.cells[static_cast<size_t>(d.cell)].tipText, table[d.slot], m.year,
                       ctx.measurer);
    }
}

std::string dayTipText(const MonthEvents& m, const EventTable& table, int cell,
                       const TextMeasurer* measurer) {
    std::string tip;
    for (const DayEntry& d : m.entries) {
        if (d.cell == cell) appendTipEntry(tip, table[d.slot], m.year, measurer);
    }
    return tip;
}

uint32_t hsvColour(double hue, double saturation, double value) {
    if (!(hue >= 0 && hue < 360)) hue = 0;
    const double s = std::clamp(saturation, 0.0, 1.0);
    const double v = std::clamp(value, 0.0, 1.0);
    const double h = hue / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sector) {
        case 1:
            r = q, g = v, b = p;
            break;
        case 2:
            r = p, g = v, b = t;
            break;
        case 3:
            r = p, g = q, b = v;
            break;
        case 4:
            r = t, g = p, b = v;
            break;
        case 5:
            r = v, g = p, b = q;
            break;
        default:
            break;
    }
    auto channel = [](double c) { return static_cast<uint32_t>(std::lround(c * 255.0)); };
    return channel(r) | channel(g) << 8 | channel(b) << 16;
}

std::vector<DayMenuItem> buildDayFieldMenu(const MonthEvents& m, int cell, const EventTable& table,
                                           const StringTable& strings) {
    std::vector<DayMenuItem> items;
    if (cell < 0 || cell >= kDayCells) return items;
    DayMenuItem add;
    add.id = kDayMenuNewId;
    add.text = strings.formatString("main_event_new", shortDateText(m.cellDate(cell), strings));
    items.push_back(std::move(add));

    std::vector<const DayEntry*> day;
    for (const DayEntry& d : m.entries) {
        if (d.cell == cell) day.push_back(&d);
    }
    if (day.empty()) return items;
    const size_t shown = std::min(day.size(), static_cast<size_t>(kDayMenuLimit));
    DayMenuItem separator;
    separator.separator = true;
    separator.text = "-";

    items.push_back(separator);
    for (size_t i = 0; i < shown; ++i) {
        DayMenuItem edit;
        edit.id = kDayMenuEditBase + static_cast<int>(i);
        edit.slot = day[i]->slot;
        edit.text = escapeAmpersands(table[edit.slot].name);
        items.push_back(std::move(edit));
    }
    items.push_back(separator);
    for (size_t i = 0; i < shown; ++i) {
        DayMenuItem del;
        del.id = kDayMenuDeleteBase + static_cast<int>(i);
        del.slot = day[i]->slot;
        del.text = strings.formatString("main_event_del", escapeAmpersands(table[del.slot].name));
        items.push_back(std::move(del));
    }
    if (day.size() > shown) {
        items.push_back(separator);
        DayMenuItem note;
        note.text = strings.getString("main_event_cant");
        note.enabled = false;
        items.push_back(std::move(note));
    }
    return items;
}

DayMenuChoice resolveDayFieldMenu(const MonthEvents& m, int cell,
                                  const std::vector<DayMenuItem>& items, int chosenId) {
    DayMenuChoice choice;
    for (const DayMenuItem& item : items) {
        if (item.separator || !item.enabled || item.id != chosenId || chosenId == 0) continue;
        choice.date = m.cellDate(cell);
        choice.slot = item.slot;
        if (chosenId == kDayMenuNewId) {
            choice.command = DayMenuCommand::kNewEvent;
        } else if (chosenId >= kDayMenuDeleteBase) {
            choice.command = DayMenuCommand::kDeleteEvent;
        } else {
            choice.command = DayMenuCommand::kEditEvent;
        }
        break;
    }
    return choice;
}

}  // namespace tv
