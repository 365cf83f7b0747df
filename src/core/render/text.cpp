#include "core/render/text.h"

#include <cmath>

#include "core/calc/text_fit.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/render/theme.h"

namespace tv {

int fontPixels(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

void setTextStyle(Surface& s, HashTable& theme, std::string_view style) {
    const std::string p(style);
    FontSpec f;
    f.face = theme.itemAlt(p + "_font", "MS Sans Serif");
    int size = themeInt(theme, p + "_size", 10);
    f.italic = themeBool(theme, p + "_italic", false);
    f.angle = themeInt(theme, p + "_degree", 0);
    s.styleShadow = themeBool(theme, p + "_shadow", false);
    if (theme.exists(p + "_weight")) {
        f.weight = themeInt(theme, p + "_weight");
    } else if (theme.exists(p + "_bold")) {
        f.weight = parseThemeBool(theme.item(p + "_bold")) ? 700 : 400;
    } else {
        f.weight = 700;
    }
    // The sayings are set in a face of the skin's choice; without it the box still needs a
    // readable italic of a known size.
    if ((style == "wise_wrt" || style == "wise_say") && !s.hasFace(f.face)) {
        f.face = "Arial";
        size = 14;
        f.italic = true;
    }
    f.pixelSize = fontPixels(size);
    s.setFont(f);
}

void setFontRecord(Surface& s, const FontRecord& r) {
    FontSpec f;
    f.face = r.face;
    f.pixelSize = fontPixels(r.size);
    f.weight = r.weight;
    f.italic = r.italic;
    f.angle = 0;
    s.setFont(f);
    s.styleShadow = false;
}

FontRecord loadFontRecord(std::string_view kind, HashTable& theme, HashTable& settings) {
    const std::string t = "def_" + std::string(kind);
    const std::string faceT = theme.itemAlt(t + "_font", "MS Sans Serif");
    const std::string sizeT = theme.item(t + "_size");
    const std::string weightT = theme.itemAlt(t + "_weight", "700");
    const std::string italicT = theme.itemAlt(t + "_italic", "false");
    const std::string colorT = theme.item(t + "_color");
    const std::string color2T = theme.item(t + "_color2");
    FontRecord r;
    if (readInt(settings, settings::M_Default) == 2) {
        r.face = faceT;
        r.size = parseThemeInt(sizeT);
        r.weight = parseThemeInt(weightT);
        r.italic = parseThemeBool(italicT);
        r.color = static_cast<uint32_t>(parseThemeInt(colorT));
        r.color2 = static_cast<uint32_t>(parseThemeInt(color2T));
        return r;
    }
    std::string u(kind);
    for (char& c : u)
        c = static_cast<char>(c - 'a' + 'A');
    r.face = settings.itemAlt(u + "_Font", faceT);
    r.size = parseThemeInt(settings.itemAlt(u + "_Size", sizeT));
    r.weight = parseThemeInt(settings.itemAlt(u + "_Weight", weightT));
    r.italic = parseThemeBool(settings.itemAlt(u + "_Italic", italicT));
    r.color = static_cast<uint32_t>(parseThemeInt(settings.itemAlt(u + "_Color", colorT)));
    r.color2 = static_cast<uint32_t>(parseThemeInt(settings.itemAlt(u + "_BGColor", color2T)));
    return r;
}

namespace {

// The left edge for an alignment; false for an unknown one.
bool anchor(const Surface& s, int x, std::string_view text, int align, int& left) {
    switch (align) {
        case kAlignLeft:
            left = x;
            return true;
        case kAlignRight:
            left = x - s.textWidthPx(text);
            return true;
        case kAlignCentre:
            left = x - s.textWidthPx(text) / 2;
            return true;
        default:
            return false;
    }
}

struct Offset {
    int dx, dy;
};

// Where the copies of a shadow type go, from the text's anchor.
std::vector<Offset> shadowOffsets(const Surface& s, int type) {
    switch (type) {
        case kShadowDrop: {
            const int points = static_cast<int>(std::lround(s.font().pixelSize * 72.0 / 96.0));
            if (points < 20) return {{2, 1}};
            if (points >= 30) return {{4, 3}};
            return {{3, 2}};
        }
        case kShadowThin:
            return {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        case kShadowThick:
            return {{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        default:
            return {};
    }
}

void drawShadowPasses(Surface& s, int x, int y, int type, std::string_view text,
                      uint32_t styleShadowColour) {
    for (const Offset& o : shadowOffsets(s, type))
        drawText(s, x + o.dx, y + o.dy, text, kAlignLeft, styleShadowColour);
}

}  // namespace

void drawText(Surface& s, int x, int y, std::string_view text, int align, uint32_t shadowColour) {
    int left = 0;
    if (!anchor(s, x, text, align, left)) return;
    if (s.styleShadow) {
        const uint32_t remembered = s.textColor();
        s.setTextColor(shadowColour);
        s.drawText(left, y + 1, text);
        s.setTextColor(remembered);
    }
    s.drawText(left, y, text);
}

void drawShadowed(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour, int shadowType,
                  std::string_view text, int align, uint32_t styleShadowColour) {
    s.setTextColor(shadowColour);
    int left = 0;
    if (!anchor(s, x, text, align, left)) left = 0;
    drawShadowPasses(s, left, y, shadowType, text, styleShadowColour);
    s.setTextColor(colour);
    drawText(s, left, y, text, kAlignLeft, styleShadowColour);
}

void drawShadowedBell(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour,
                      int shadowType) {
    // The glyph is small and thin: without an edge it vanishes on a bright sky.
    s.setTextColor(shadowColour);
    for (const Offset& o : shadowOffsets(s, shadowType == kShadowNone ? kShadowThin : shadowType))
        s.drawBell(x + o.dx, y + o.dy);
    s.setTextColor(colour);
    s.drawBell(x, y);
}

std::string stripTags(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == "<r>") {
            i += 3;
        } else if (text.substr(i, 4) == "</r>") {
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

void drawTagged(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour,
                uint32_t highlightColour, int shadowType, std::string_view text, int align,
                uint32_t styleShadowColour) {
    const std::string plain = stripTags(text);
    s.setTextColor(shadowColour);
    int left = 0;
    if (!anchor(s, x, plain, align, left)) left = 0;
    drawShadowPasses(s, left, y, shadowType, plain, styleShadowColour);
    // Each run starts where the plain text before it ends, so the tags take no room.
    size_t p = 0;        // byte position in the tagged text
    size_t removed = 0;  // tag bytes before p
    auto at = [&](size_t plainBytes) {
        return left + s.textWidthPx(std::string_view(plain).substr(0, plainBytes));
    };
    for (;;) {
        const size_t k = text.find("<r>", p);
        if (k == std::string_view::npos) break;
        s.setTextColor(colour);
        if (k > p)
            drawText(s, at(p - removed), y, text.substr(p, k - p), kAlignLeft, styleShadowColour);
        size_t end = text.find("</r>", k + 3);
        if (end == std::string_view::npos) end = text.size();
        s.setTextColor(highlightColour);
        const size_t runStart = k + 3;
        if (end > runStart)
            drawText(s, at(runStart - removed - 3), y, text.substr(runStart, end - runStart),
                     kAlignLeft, styleShadowColour);
        p = end == text.size() ? end : end + 4;
        removed += 7;
    }
    s.setTextColor(colour);
    if (p < text.size())
        drawText(s, at(p - removed), y, text.substr(p), kAlignLeft, styleShadowColour);
}

int lineHeight(const Surface& s) {
    return s.textHeightPx("Áy");
}

std::string fitText(const Surface& s, std::string_view text, int maxWidth,
                    std::string_view overflow) {
    return fitSurfaceText(s, text, maxWidth, overflow);
}

std::vector<std::string> wrapText(const Surface& s, std::string_view text, int maxWidth) {
    std::vector<std::string> lines;
    const bool hasBreak = text.find('\r') != std::string_view::npos;
    if (!hasBreak && s.textWidthPx(text) <= maxWidth) {
        lines.emplace_back(text);
        return lines;
    }
    const std::string wrapped = wrapSurfaceText(s, text, maxWidth, 0);
    size_t start = 0;
    for (;;) {
        const size_t cr = wrapped.find('\r', start);
        if (cr == std::string::npos) {
            lines.push_back(wrapped.substr(start));
            return lines;
        }
        lines.push_back(wrapped.substr(start, cr - start));
        start = cr + 1;
        if (start < wrapped.size() && wrapped[start] == '\n') ++start;
    }
}

}  // namespace tv
