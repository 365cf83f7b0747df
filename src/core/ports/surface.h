// A drawing surface: an off-screen RGB picture with a current font and text colour. Colours are
// 0x00BBGGRR (red in the lowest byte), positions pixels from the top-left corner. Text is UTF-8
// and is drawn with a transparent background, its cell's top-left corner at the point given.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/ports/text_measurer.h"

namespace tv {

struct FontSpec {
    std::string face = "MS Sans Serif";
    int pixelSize = 13;  // character height in pixels (the size in points at 96 dpi)
    int weight = 700;    // 100..900
    bool italic = false;
    int angle = 0;  // degrees counter-clockwise
};

class Surface : public TextMeasurer {
public:
    virtual int width() const = 0;
    virtual int height() const = 0;
    bool empty() const { return width() <= 0 || height() <= 0; }

    // Text state.
    virtual void setFont(const FontSpec& font) = 0;
    virtual const FontSpec& font() const = 0;
    virtual void setTextColor(uint32_t colour) = 0;
    virtual uint32_t textColor() const = 0;
    // Whether the font system has this face itself rather than a stand-in.
    virtual bool hasFace(std::string_view face) const = 0;
    virtual void drawText(int x, int y, std::string_view text) = 0;
    virtual int textWidthPx(std::string_view text) const = 0;
    virtual int textHeightPx(std::string_view text) const = 0;
    // The bell before a line with an alarm, in the current colour and the height of the font.
    virtual int bellWidthPx() const = 0;
    virtual void drawBell(int x, int y) = 0;

    // Raster operations. Rectangles are clipped to both surfaces; an empty source draws nothing.
    virtual void fill(int x, int y, int w, int h, uint32_t colour) = 0;
    virtual void copy(int x, int y, int w, int h, const Surface& src, int sx, int sy) = 0;
    // Source pixels equal to the key leave the destination as it was.
    virtual void copyKeyed(int x, int y, int w, int h, const Surface& src, int sx, int sy,
                           uint32_t key) = 0;
    // White source pixels leave the destination; `mask` receives the black-and-white mask.
    virtual void copyMasked(int x, int y, int w, int h, const Surface& src, Surface* mask, int sx,
                            int sy) = 0;
    // Smooth scaling of a source rectangle onto a destination rectangle.
    virtual void stretch(int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw,
                         int sh) = 0;
    virtual uint32_t pixel(int x, int y) const = 0;

    // Widths in twips, for the shared text-fitting functions.
    int textWidth(std::string_view text) const override {
        return textWidthPx(text) * kTwipsPerPixel;
    }

    // The "_shadow" flag of the style last chosen; the text operations read it.
    bool styleShadow = false;
};

// Creates empty surfaces of the toolkit that draws them.
class SurfaceFactory {
public:
    virtual ~SurfaceFactory() = default;
    // A w x h surface filled with black; 0 x 0 stands for an empty image.
    virtual std::unique_ptr<Surface> create(int w, int h) const = 0;
};

}  // namespace tv
