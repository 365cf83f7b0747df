// Surfaces on QImage (32-bit RGB) drawn with QPainter. The old desktop's font names are
// mapped to the metric-compatible free faces.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <optional>

#include "core/ports/surface.h"
#include "core/render/skin.h"

namespace tv {

// The installed face that stands for a face name skins and settings use.
QString mapFontFace(std::string_view face);

// 0x00BBGGRR to and from Qt's 0xAARRGGBB.
inline QRgb toQRgb(uint32_t c) {
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}
inline uint32_t fromQRgb(QRgb c) {
    return static_cast<uint32_t>(qRed(c)) | static_cast<uint32_t>(qGreen(c)) << 8 |
           static_cast<uint32_t>(qBlue(c)) << 16;
}

class QtSurface : public Surface {
public:
    QtSurface(int w, int h);
    explicit QtSurface(QImage image);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return spec_; }
    void setTextColor(uint32_t colour) override { colour_ = colour; }
    uint32_t textColor() const override { return colour_; }
    bool hasFace(std::string_view face) const override;
    void drawText(int x, int y, std::string_view text) override;
    int textWidthPx(std::string_view text) const override;
    int textHeightPx(std::string_view text) const override;
    int bellWidthPx() const override;
    void drawBell(int x, int y) override;
    void fill(int x, int y, int w, int h, uint32_t colour) override;
    void copy(int x, int y, int w, int h, const Surface& src, int sx, int sy) override;
    void copyKeyed(int x, int y, int w, int h, const Surface& src, int sx, int sy,
                   uint32_t key) override;
    void copyMasked(int x, int y, int w, int h, const Surface& src, Surface* mask, int sx,
                    int sy) override;
    void stretch(int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw,
                 int sh) override;
    uint32_t pixel(int x, int y) const override;

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

private:
    void applyFont();
    QImage image_;
    FontSpec spec_;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;
    uint32_t colour_ = 0;
};

// The frame as the desktop shows it: pixels in the skin's colour key and those outside the
// rounded outline become fully transparent (for a PNG of the window, or a window mask).
QImage shapedWindowImage(const QImage& frame, const WindowRequest& window);

class QtSurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<Surface> create(int w, int h) const override;
};

}  // namespace tv
