#include "platform/qt/qt_surface.h"

#include <gtest/gtest.h>

#include "core/render/primitives.h"
#include "platform/qt/qt_image_loader.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

TEST(QtSurface, CopiesKeyedMaskedAndClipped) {
    test::ensureApplication();
    QtSurface dst(4, 1), src(4, 1);
    dst.fill(0, 0, 4, 1, kBlue);
    src.fill(0, 0, 4, 1, kRed);
    src.fill(1, 0, 1, 1, kMagenta);
    src.fill(2, 0, 1, 1, kWhite);
    copyKeyed(dst, 0, 0, 4, 1, src, 0, 0, kMagenta);
    EXPECT_EQ(dst.pixel(0, 0), kRed);
    EXPECT_EQ(dst.pixel(1, 0), kBlue);  // the key leaves the destination
    EXPECT_EQ(dst.pixel(2, 0), kWhite);

    dst.fill(0, 0, 4, 1, kBlue);
    QtSurface mask(4, 1);
    copyMasked(dst, 0, 0, 4, 1, src, &mask, 0, 0);
    EXPECT_EQ(dst.pixel(2, 0), kBlue);  // white is see-through
    EXPECT_EQ(dst.pixel(1, 0), kMagenta);
    EXPECT_EQ(mask.pixel(2, 0), kWhite);
    EXPECT_EQ(mask.pixel(0, 0), 0u);

    // A key that is not in the source: an opaque copy; past the edges: clipped.
    dst.fill(0, 0, 4, 1, kBlue);
    copyKeyed(dst, 2, -1, 9, 9, src, 0, 0, 0x123456);
    EXPECT_EQ(dst.pixel(1, 0), kBlue);
    EXPECT_EQ(dst.pixel(2, 0), kBlue);  // row -1 maps to the source's row 1, which it lacks
    copyKeyed(dst, 2, 0, 9, 9, src, 0, 0, 0x123456);
    EXPECT_EQ(dst.pixel(2, 0), kRed);
    EXPECT_EQ(dst.pixel(3, 0), kMagenta);
}

TEST(QtSurface, LinesAndFills) {
    test::ensureApplication();
    QtSurface s(10, 10);
    hLine(s, 5, 4, 0, 3, kRed);
    EXPECT_EQ(s.pixel(4, 0), 0u);
    hLine(s, 2, 4, 1, 3, kRed);
    EXPECT_EQ(s.pixel(2, 3), kRed);
    EXPECT_EQ(s.pixel(4, 1), kRed);
    EXPECT_EQ(s.pixel(5, 1), 0u);
    EXPECT_EQ(s.pixel(2, 4), 0u);
    vLine(s, 8, 0, 9, 3, kBlue);  // clipped at the right edge
    EXPECT_EQ(s.pixel(9, 9), kBlue);
    EXPECT_EQ(hsvToRgb(360, 1, 1), kRed);
}

TEST(QtSurface, TextIsDrawnInTheColourBelowItsPoint) {
    test::ensureApplication();
    QtSurface s(100, 40);
    FontSpec f;
    f.face = "Arial";
    f.pixelSize = 20;
    s.setFont(f);
    s.setTextColor(kWhite);
    EXPECT_GT(s.textWidthPx("MMM"), s.textWidthPx("M"));
    s.drawText(10, 10, "MMM");
    int lit = 0, above = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (s.pixel(x, y) != 0) (y < 10 ? above : lit)++;
    EXPECT_GT(lit, 20);
    EXPECT_EQ(above, 0);
    EXPECT_TRUE(s.hasFace("Arial"));  // stands for Liberation Sans
}

TEST(QtImageLoader, RefusesMissingDamagedAndHugePictures) {
    test::ensureApplication();
    test::TempDir dir;
    QtImageLoader loader;
    ImageLoadResult r = ImageLoadResult::kOk;
    EXPECT_EQ(loader.load(dir.file("none.png"), r), nullptr);
    EXPECT_EQ(r, ImageLoadResult::kMissing);
    dir.write("bad.png", "\x89PNG\r\n\x1a\n garbage");
    EXPECT_EQ(loader.load(dir.file("bad.png"), r), nullptr);
    EXPECT_EQ(r, ImageLoadResult::kDamaged);
    // A whole PNG whose header claims 30000 x 30000 pixels: refused before decoding.
    const char kHuge[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x75\x30"
        "\x00\x00\x75\x30\x08\x02\x00\x00\x00\xe9\x45\x6f\xed\x00\x00\x00\x0c\x49\x44\x41"
        "\x54\x78\x9c\x63\x60\xa0\x3d\x00\x00\x00\x64\x00\x01\x86\x64\x3c\x35\x00\x00\x00"
        "\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    dir.write("huge.png", std::string(kHuge, sizeof kHuge - 1));
    ImageInfo info;
    EXPECT_EQ(loader.probe(dir.file("huge.png"), info), ImageLoadResult::kTooLarge);
    EXPECT_EQ(loader.load(dir.file("huge.png"), r), nullptr);
    EXPECT_EQ(r, ImageLoadResult::kTooLarge);

    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(img.save(QString::fromStdString(dir.file("ok.png"))));
    auto s = loader.load(dir.file("ok.png"), r);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width(), 3);
    EXPECT_EQ(s->pixel(1, 1), kRed);
}

TEST(ShapedWindow, KeyAndRoundedCornersBecomeTransparent) {
    test::ensureApplication();
    QImage frame(40, 40, QImage::Format_RGB32);
    frame.fill(qRgb(10, 20, 30));
    frame.setPixel(20, 20, toQRgb(kMagenta));
    WindowRequest w;
    w.width = 40;
    w.height = 40;
    w.colourKeyed = true;
    w.colourKey = kMagenta;
    w.shaped = true;
    w.roundX = w.roundY = 20;
    const QImage out = shapedWindowImage(frame, w);
    EXPECT_EQ(qAlpha(out.pixel(20, 20)), 0);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(out.pixel(10, 20)), 255);
}

}  // namespace
}  // namespace tv
