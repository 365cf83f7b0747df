#include "core/render/picture_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/render/screen.h"
#include "core/render/text.h"
#include "core/render/theme.h"

namespace tv {

namespace {

// Air between the holiday caption and a wisdom box it has to clear.
constexpr int kCaptionGap = 4;
// Between today's lines and the coming events of the first layout.
constexpr int kBlockGap = 4;

struct Block {
    std::string_view kind;  // "mu", "mb" or "ms"
    int align = kAlignLeft;
    int gapBefore = 0;
    FontRecord record;
    int height = 0;  // of one line in the record's font
};

struct Row {
    const ForecastEntry* entry = nullptr;  // null: the line that counts the left-out entries
    size_t block = 0;
    int y = 0;  // top, from the picture area's top
};

Block block(std::string_view kind, int align, int gapBefore = 0) {
    Block b;
    b.kind = kind;
    b.align = align;
    b.gapBefore = gapBefore;
    return b;
}

bool belongsTo(std::string_view kind, const ForecastEntry& f) {
    if (kind == "ms") return f.daysUntil >= 1;
    if (kind == "mb") return f.daysUntil == 0 && !f.isHoliday;
    return f.daysUntil == 0 && f.isHoliday;
}

// The picture area and the room of the lines inside it, from the theme.
struct Room {
    int px = 0, py = 0, pw = 0, ph = 0;
    int x = 0;       // text start, from the picture's left edge
    int top = 0;     // first line, from the picture's top
    int bottom = 0;  // no line reaches below this, from the picture's top
    int budget = 0;  // widest line
    int inner = 0;   // width between the margins and paddings on both sides
    int end = 0;     // where right-aligned lines end, from the picture's left edge
};

Room roomOf(HashTable& t) {
    Room r;
    r.px = themeInt(t, "picture_x");
    r.py = themeInt(t, "picture_y");
    r.pw = themeInt(t, "picture_w");
    r.ph = themeInt(t, "picture_h");
    const int padX = themeInt(t, "pic_padding_x", 10);
    const int padY = themeInt(t, "pic_padding_y", 6);
    const int left = themeInt(t, "pic_margin_left", 0);
    const int right = themeInt(t, "pic_margin_right", 0);
    r.x = padX + left;
    r.top = padY + themeInt(t, "pic_margin_top", 0);
    r.bottom = r.ph - themeInt(t, "pic_margin_bottom", 0) - padY;
    r.budget = r.pw - r.x - right - padX;
    r.inner = r.pw - left - right - 2 * padX;
    r.end = r.pw - right - padX;
    return r;
}

// The text of today's holidays for the caption of the second layout.
std::string holidayCaption(const Screen& sc) {
    std::string caption;
    for (const ForecastEntry& f : *sc.forecast) {
        if (f.daysUntil != 0 || !f.isHoliday) continue;
        if (!caption.empty()) caption += sc.strings->getString("main_d_and");
        caption += f.text;
    }
    return caption;
}

// The foot of the picture, or just above the wisdom box when the box would cover the foot.
int captionTop(Screen& sc, const Room& room, int height) {
    HashTable& t = sc.skin.theme;
    int y = room.py + room.ph - themeInt(t, "pic_margin_bottom", 0) - height - 22;
    if (wisdomBoxShown(sc)) {
        const Rect box = wisdomBoxRect(t);
        if (y < box.y + box.h && y + height > box.y) y = box.y - height - kCaptionGap;
    }
    return y;
}

void drawCaption(Screen& sc, const Block& mu, const Room& room, const std::string& caption, int y) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setFontRecord(s, mu.record);
    const std::string text = fitText(s, caption, room.inner, overflowMark(t));
    drawShadowed(s, room.px + room.pw / 2, y, mu.record.color, mu.record.color2,
                 readInt(*sc.settings, settings::M_Shadow), text, kAlignCentre,
                 textShadowColour(t));
}

// Where the lines stop: the room's bottom, and the top of a wisdom box shown below the first line.
int linesBottom(Screen& sc, const Room& room) {
    int bottom = room.bottom;
    if (wisdomBoxShown(sc)) {
        const Rect box = wisdomBoxRect(sc.skin.theme);
        const bool across = box.x < room.px + room.pw && box.x + box.w > room.px;
        if (across && box.y - room.py > room.top) bottom = std::min(bottom, box.y - room.py);
    }
    return bottom;
}

// The rows of the blocks in order, each at its place. The coming events stop after `comingLimit`
// entries, and a row counting the rest takes the next place.
std::vector<Row> layOutRows(const Screen& sc, const std::vector<Block>& blocks, int top,
                            size_t comingLimit) {
    std::vector<Row> rows;
    int y = top;
    for (size_t b = 0; b < blocks.size(); ++b) {
        y += blocks[b].gapBefore;
        const bool coming = blocks[b].kind == "ms";
        size_t placed = 0;
        for (const ForecastEntry& f : *sc.forecast) {
            if (!belongsTo(blocks[b].kind, f)) continue;
            if (coming && placed == comingLimit) {
                rows.push_back({nullptr, b, y});
                y += blocks[b].height;
                break;
            }
            rows.push_back({&f, b, y});
            y += blocks[b].height;
            ++placed;
        }
    }
    return rows;
}

bool allFit(const std::vector<Row>& rows, const std::vector<Block>& blocks, int bottom) {
    return rows.empty() || rows.back().y + blocks[rows.back().block].height <= bottom;
}

// Keeps the rows that fit above `bottom`. When some do not, the last place that fits takes the
// line counting the rest; returns how many entries that line stands for (0: all fit).
size_t cutRows(std::vector<Row>& rows, const std::vector<Block>& blocks, int bottom) {
    auto fits = [&](const Row& r) { return r.y + blocks[r.block].height <= bottom; };
    if (allFit(rows, blocks, bottom)) return 0;
    // Rows only go down, so the ones that fit come first.
    const auto firstOut = std::find_if_not(rows.begin(), rows.end(), fits);
    const size_t total = rows.size();
    if (firstOut == rows.begin()) {
        rows.clear();
        return 0;
    }
    const size_t shown = static_cast<size_t>(firstOut - rows.begin()) - 1;
    rows.resize(shown + 1);
    rows.back().entry = nullptr;
    return total - shown;
}

// The rows that fit above `bottom`, and how many entries the counting row stands for. The coming
// events give way first, so today's lines stay whole whichever block comes first on the page;
// only when today's lines alone are too many does the cut reach them.
std::vector<Row> fittingRows(const Screen& sc, const std::vector<Block>& blocks, int top,
                             int bottom, size_t& left) {
    const size_t all = static_cast<size_t>(
        std::count_if(sc.forecast->begin(), sc.forecast->end(),
                      [](const ForecastEntry& f) { return belongsTo("ms", f); }));
    std::vector<Row> rows = layOutRows(sc, blocks, top, all);
    left = 0;
    if (allFit(rows, blocks, bottom)) return rows;
    for (size_t keep = all; keep-- > 0;) {
        std::vector<Row> fewer = layOutRows(sc, blocks, top, keep);
        if (allFit(fewer, blocks, bottom)) {
            left = all - keep;
            return fewer;
        }
    }
    left = cutRows(rows, blocks, bottom);
    return rows;
}

void drawRow(Screen& sc, const Block& b, const Room& room, const Row& row,
             const std::string& text) {
    Surface& s = *sc.skin.mainBuffer;
    HashTable& t = sc.skin.theme;
    setFontRecord(s, b.record);
    const int shadowType = readInt(*sc.settings, settings::M_Shadow);
    const bool alarm = row.entry != nullptr && row.entry->hasAlarm;
    const int bell = alarm ? s.bellWidthPx() : 0;
    const std::string fitted = fitText(s, text, room.budget - bell, overflowMark(t));
    const int width = bell + s.textWidthPx(fitted);
    int left = room.px + room.x;
    // Right-aligned lines keep off the right margin, which need not match the left one.
    if (b.align == kAlignRight) left = room.px + room.end - width;
    if (b.align == kAlignCentre) left = room.px + room.pw / 2 - width / 2;
    const int y = room.py + row.y;
    if (alarm) drawShadowedBell(s, left, y, b.record.color, b.record.color2, shadowType);
    drawShadowed(s, left + bell, y, b.record.color, b.record.color2, shadowType, fitted, kAlignLeft,
                 textShadowColour(t));
}

}  // namespace

void drawPictureLines(Screen& sc) {
    if (!sc.forecast || sc.forecast->empty() || !sc.settings || !sc.strings) return;
    HashTable& t = sc.skin.theme;
    HashTable& settings = *sc.settings;
    Surface& s = *sc.skin.mainBuffer;
    const Room room = roomOf(t);

    std::vector<Block> blocks;
    const bool firstLayout = readInt(settings, settings::M_AlignType) == 1;
    if (firstLayout) {
        const int align1 = readInt(settings, settings::M_TextAlign1);
        blocks = {block("mu", align1), block("mb", align1),
                  block("ms", readInt(settings, settings::M_TextAlign2), kBlockGap)};
    } else {
        blocks = {block("ms", kAlignLeft), block("mb", kAlignCentre)};
    }
    for (Block& b : blocks) {
        b.record = loadFontRecord(b.kind, t, settings);
        setFontRecord(s, b.record);
        b.height = lineHeight(s);
    }

    int bottom = linesBottom(sc, room);
    const std::string caption = firstLayout ? std::string() : holidayCaption(sc);
    Block mu = block("mu", kAlignCentre);
    int captionY = 0;
    if (!caption.empty()) {
        mu.record = loadFontRecord("mu", t, settings);
        setFontRecord(s, mu.record);
        captionY = captionTop(sc, room, lineHeight(s));
        bottom = std::min(bottom, captionY - room.py);
    }

    size_t left = 0;
    const std::vector<Row> rows = fittingRows(sc, blocks, room.top, bottom, left);
    for (const Row& row : rows) {
        const std::string text =
            row.entry != nullptr ? row.entry->text
                                 : sc.strings->formatString(kForecastMoreKey, std::to_string(left));
        drawRow(sc, blocks[row.block], room, row, text);
    }
    if (!caption.empty()) drawCaption(sc, mu, room, caption, captionY);
}

}  // namespace tv
