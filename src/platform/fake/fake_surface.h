// A surface that draws nothing and records every operation with its arguments, so tests can
// say what was drawn where, in which colour, font and order. Text is measured as
// half the pixel size per character (at least 1) and the pixel size + 3 high.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/config/cp1250.h"
#include "core/ports/image_loader.h"
#include "core/ports/surface.h"

namespace tv {

struct SurfaceOp {
    std::string kind;  // "text", "bell", "fill", "copy", "keyed", "masked", "stretch"
    int x = 0, y = 0, w = 0, h = 0;
    int sx = 0, sy = 0, sw = 0, sh = 0;
    uint32_t colour = 0;  // text colour, fill colour or key
    std::string text;
    FontSpec font;
    const Surface* source = nullptr;
};

class FakeSurface : public Surface {
public:
    FakeSurface(int w, int h, std::string label = {}) : name(std::move(label)), w_(w), h_(h) {}

    int width() const override { return w_; }
    int height() const override { return h_; }
    void setFont(const FontSpec& f) override { font_ = f; }
    const FontSpec& font() const override { return font_; }
    void setTextColor(uint32_t c) override { colour_ = c; }
    uint32_t textColor() const override { return colour_; }
    bool hasFace(std::string_view face) const override { return missingFace != face; }
    void drawText(int x, int y, std::string_view text) override {
        SurfaceOp op = base("text", x, y);
        op.text = std::string(text);
        ops.push_back(op);
    }
    int textWidthPx(std::string_view text) const override {
        size_t pos = 0;
        int n = 0;
        while (pos < text.size()) {
            nextCodePoint(text, pos);
            ++n;
        }
        return n * charWidth();
    }
    int textHeightPx(std::string_view) const override { return font_.pixelSize + 3; }
    int bellWidthPx() const override { return charWidth(); }
    void drawBell(int x, int y) override { ops.push_back(base("bell", x, y)); }

    void fill(int x, int y, int w, int h, uint32_t colour) override {
        SurfaceOp op = base("fill", x, y);
        op.w = w;
        op.h = h;
        op.colour = colour;
        ops.push_back(op);
    }
    void copy(int x, int y, int w, int h, const Surface& src, int sx, int sy) override {
        ops.push_back(blit("copy", x, y, w, h, src, sx, sy));
    }
    void copyKeyed(int x, int y, int w, int h, const Surface& src, int sx, int sy,
                   uint32_t key) override {
        SurfaceOp op = blit("keyed", x, y, w, h, src, sx, sy);
        op.colour = key;
        ops.push_back(op);
    }
    void copyMasked(int x, int y, int w, int h, const Surface& src, Surface*, int sx,
                    int sy) override {
        ops.push_back(blit("masked", x, y, w, h, src, sx, sy));
    }
    void stretch(int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw,
                 int sh) override {
        SurfaceOp op = blit("stretch", x, y, w, h, src, sx, sy);
        op.sw = sw;
        op.sh = sh;
        ops.push_back(op);
    }
    uint32_t pixel(int, int) const override { return 0; }

    // The operations of one kind, in order.
    std::vector<SurfaceOp> of(std::string_view kind) const {
        std::vector<SurfaceOp> r;
        for (const SurfaceOp& op : ops)
            if (op.kind == kind) r.push_back(op);
        return r;
    }
    // The first text operation drawing exactly this text; null when there is none.
    const SurfaceOp* findText(std::string_view text) const {
        for (const SurfaceOp& op : ops)
            if (op.kind == "text" && op.text == text) return &op;
        return nullptr;
    }

    std::string name;  // the picture it was loaded from
    std::vector<SurfaceOp> ops;
    std::string missingFace;  // a face hasFace denies

private:
    int charWidth() const { return font_.pixelSize / 2 > 0 ? font_.pixelSize / 2 : 1; }
    SurfaceOp base(const char* kind, int x, int y) const {
        SurfaceOp op;
        op.kind = kind;
        op.x = x;
        op.y = y;
        op.colour = colour_;
        op.font = font_;
        return op;
    }
    SurfaceOp blit(const char* kind, int x, int y, int w, int h, const Surface& src, int sx,
                   int sy) const {
        SurfaceOp op = base(kind, x, y);
        op.w = w;
        op.h = h;
        op.sx = sx;
        op.sy = sy;
        op.source = &src;
        return op;
    }
    int w_, h_;
    FontSpec font_;
    uint32_t colour_ = 0;
};

class FakeSurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<Surface> create(int w, int h) const override {
        return std::make_unique<FakeSurface>(w, h);
    }
};

// Pictures by path: a size for each readable one, a result for the others.
class FakeImageLoader : public ImageLoader {
public:
    ImageLoadResult probe(const std::string& path, ImageInfo& info) const override {
        auto it = images.find(path);
        if (it == images.end()) return ImageLoadResult::kMissing;
        info = it->second;
        return failures.count(path) ? failures.at(path) : ImageLoadResult::kOk;
    }
    std::unique_ptr<Surface> load(const std::string& path, ImageLoadResult& result) const override {
        ImageInfo info;
        result = probe(path, info);
        loads.push_back(path);
        if (result != ImageLoadResult::kOk) return nullptr;
        return std::make_unique<FakeSurface>(info.width, info.height, path);
    }
    std::map<std::string, ImageInfo> images;
    std::map<std::string, ImageLoadResult> failures;
    mutable std::vector<std::string> loads;
};

}  // namespace tv
