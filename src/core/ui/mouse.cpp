#include "core/ui/mouse.h"

#include "core/render/theme.h"
#include "core/ui/commands.h"
#include "core/ui/tooltips.h"

namespace tv {

WindowGeometry readWindowGeometry(HashTable& theme) {
    WindowGeometry g;
    g.titlebarHeight = themeInt(theme, "titlebar_height", 25);
    g.windowWidth = themeInt(theme, "window_width", 740);
    g.desktop = themeBool(theme, "desktop", false);
    const HashTable& t = theme;
    g.picture = {themeInt(t, "picture_x"), themeInt(t, "picture_y"), themeInt(t, "picture_w"),
                 themeInt(t, "picture_h")};
    g.fieldsX = themeInt(t, "cal_fields_x");
    g.fieldsY = themeInt(t, "cal_fields_y");
    g.fieldW = themeInt(t, "cal_field_w");
    g.fieldH = themeInt(t, "cal_field_h");
    g.wisdom = {themeInt(t, "wise_x"), themeInt(t, "wise_y"), themeInt(t, "wise_w"),
                themeInt(t, "wise_h")};
    g.hasHomeMark = t.exists("tx_today2");
    const int w = themeInt(t, "calhome_w");
    const int h = themeInt(t, "calhome_h");
    g.hasHomeLeft = themeHasPoint(t, "calhomeleft");
    g.homeLeft = {themeInt(t, "calhomeleft_x"), themeInt(t, "calhomeleft_y"), w, h};
    g.hasHomeRight = themeHasPoint(t, "calhomeright");
    g.homeRight = {themeInt(t, "calhomeright_x"), themeInt(t, "calhomeright_y"), w, h};
    return g;
}

int monthCellAt(const WindowGeometry& g, int x, int y) {
    if (g.fieldW <= 0 || g.fieldH <= 0) return -1;
    if (x < g.fieldsX || x >= g.fieldsX + 7 * g.fieldW) return -1;
    if (y < g.fieldsY || y >= g.fieldsY + 6 * g.fieldH) return -1;
    return (y - g.fieldsY) / g.fieldH * 7 + (x - g.fieldsX) / g.fieldW;
}

Actions buttonMouseDown(MainWindowState&, int button) {
    Actions out;
    pushAction(out, UiAction::kStopRollover);
    pushAction(out, UiAction::kPaintButton, button, kLookDown);
    return out;
}

Actions buttonMouseMove(MainWindowState& s, int button) {
    Actions out;
    if (button == s.hoveredButton) return out;
    if (s.hoveredButton >= 0) pushAction(out, UiAction::kPaintButton, s.hoveredButton, kLookUp);
    s.hoveredButton = button;
    pushAction(out, UiAction::kPaintButton, button, kLookOver);
    pushAction(out, UiAction::kStartRollover);
    return out;
}

Actions buttonMouseUp(MainWindowState& s, int button, int mouseButton, bool inside,
                      HashTable& settings) {
    Actions out;
    pushAction(out, UiAction::kStopRollover);
    if (mouseButton == kMouseLeft)
        appendActions(out, buttonEvent(s, commandOfButton(button), settings));
    if (inside) {
        pushAction(out, UiAction::kPaintButton, button, kLookOver);
        pushAction(out, UiAction::kStartRollover);
    } else {
        pushAction(out, UiAction::kPaintButton, button, kLookUp);
    }
    return out;
}

Actions rolloverTick(MainWindowState& s, bool insideHovered) {
    Actions out;
    if (insideHovered) return out;
    if (s.hoveredButton >= 0) pushAction(out, UiAction::kPaintButton, s.hoveredButton, kLookUp);
    s.hoveredButton = -1;
    pushAction(out, UiAction::kStopRollover);
    return out;
}

Actions areaMouseDown(MainWindowState& s, const WindowGeometry& g, int mouseButton, int x, int y) {
    Actions out;
    s.lastButton = mouseButton;
    s.dragStartX = x;
    s.dragStartY = y;
    if (mouseButton == kMouseLeft && y < g.titlebarHeight && x <= g.windowWidth) {
        s.dragging = true;
        if (!g.desktop) pushAction(out, UiAction::kBeginDrag);
    }
    return out;
}

Actions areaMouseMove(MainWindowState& s, const WindowGeometry& g, int x, int y,
                      const MonthEvents* month, const EventTable* table,
                      const TextMeasurer* measurer) {
    Actions out;
    if (s.hoveredButton >= 0) {
        pushAction(out, UiAction::kPaintButton, s.hoveredButton, kLookUp);
        s.hoveredButton = -1;
        pushAction(out, UiAction::kStopRollover);
    }
    if (s.dragging && !g.desktop) {
        pushAction(out, UiAction::kMoveWindow, x - s.dragStartX, y - s.dragStartY);
    }
    if (s.screenMode == ScreenMode::kMonth && month != nullptr) {
        appendActions(out, dayTooltipActions(g, x, y, *month, table, measurer));
    }
    return out;
}

Actions areaMouseUp(MainWindowState& s, const WindowGeometry& g, int mouseButton, int x, int y,
                    const MonthEvents& month) {
    Actions out;
    s.dragging = false;
    if (mouseButton != kMouseRight) return out;
    if (s.screenMode == ScreenMode::kMonth && g.picture.contains(x, y)) {
        const int cell = monthCellAt(g, x, y);
        if (cell >= 0 && month.cells[static_cast<size_t>(cell)].inMonth) {
            pushAction(out, UiAction::kOpenDayMenu, cell);
            return out;
        }
    }
    pushAction(out, UiAction::kOpenMainMenu);
    return out;
}

Actions areaClick(MainWindowState& s, const WindowGeometry& g, int x, int y) {
    Actions out;
    if (!s.wisdom.shown || !g.wisdom.contains(x, y)) return out;
    s.wisdom.shown = false;
    pushAction(out, UiAction::kRedraw);
    return out;
}

Actions areaDoubleClick(MainWindowState& s, const WindowGeometry& g, int x, int y) {
    Actions out;
    if (s.screenMode != ScreenMode::kMonth || !g.hasHomeMark) return out;
    // Only the mark that is painted counts: left when a later month is shown, right when an
    // earlier one.
    const int where = s.comparedToCurrent();
    const bool hit = (where > 0 && g.hasHomeLeft && g.homeLeft.contains(x, y)) ||
                     (where < 0 && g.hasHomeRight && g.homeRight.contains(x, y));
    if (!hit) return out;
    s.shownYear = s.today.year();
    s.shownMonth = s.today.month();
    pushAction(out, UiAction::kRebuildMonth);
    pushAction(out, UiAction::kRedraw);
    return out;
}

Actions mouseWheel(MainWindowState& s, bool forward, bool ctrl, HashTable& settings) {
    if (s.screenMode != ScreenMode::kMonth) return {};
    // With Ctrl a forward turn jumps to today's month and a backward one a year earlier.
    const CommandCode code = forward ? (ctrl ? CommandCode::kHome : CommandCode::kPrevMonth)
                                     : (ctrl ? CommandCode::kPrevYear : CommandCode::kNextMonth);
    return buttonEvent(s, code, settings);
}

}  // namespace tv
