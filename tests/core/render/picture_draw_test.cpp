#include "core/render/picture_draw.h"

#include <gtest/gtest.h>

#include "core/render/skin_fixture.h"

namespace tv {
namespace {

using test::kSmallTheme;
using test::SkinFixture;

// The small skin's picture area: 280 x 130 at (10, 60).
struct DrawFixture {
    DrawFixture() {
        f.writeSkin("small", kSmallTheme);
        f.load(skin, "small");
        f.strings.table().setItem("err_pic_damaged", "Damaged: $1");
        buf = &SkinFixture::fake(*skin.pictureBuffer);
        buf->ops.clear();
        f.loader.loads.clear();  // the skin's own images
    }
    PictureOfDay picture(const std::string& name, int w, int h) {
        f.dir.write(name, "x");
        PictureOfDay p;
        p.changed = true;
        p.path = f.dir.file(name);
        f.loader.images[p.path] = {w, h};
        return p;
    }
    void draw(PictureOfDay& p) { drawPictureOfDay(skin, p, f.loader, f.strings); }

    SkinFixture f;
    Skin skin;
    FakeSurface* buf = nullptr;
};

TEST(DrawPicture, FitsTheDecodedPictureAndWritesItsTitle) {
    DrawFixture d;
    // The header was not read (no size): the decoded size decides the fit.
    PictureOfDay p = d.picture("Balaton.jpg", 400, 300);
    p.fitMode = PictureFitMode::kFitInside;
    p.title = "Balaton";
    d.draw(p);
    EXPECT_TRUE(p.loaded);
    EXPECT_EQ(p.size.width, 400);
    const auto stretches = d.buf->of("stretch");
    ASSERT_EQ(stretches.size(), 1u);
    // d = 130 * 400 / 300 = 173.3 -> 173, left = 140 - 86.5 = 53.5 -> 54.
    EXPECT_EQ((Rect{stretches[0].x, stretches[0].y, stretches[0].w, stretches[0].h}),
              (Rect{54, 0, 173, 130}));
    EXPECT_EQ((Rect{stretches[0].sx, stretches[0].sy, stretches[0].sw, stretches[0].sh}),
              (Rect{0, 0, 400, 300}));
    EXPECT_NE(d.buf->findText("Balaton"), nullptr);
    EXPECT_TRUE(d.buf->of("copy").empty());  // a load draws over whatever was there
}

TEST(DrawPicture, AnErrorTextTakesThePicturesPlace) {
    DrawFixture d;
    PictureOfDay p = d.picture("gone.jpg", 10, 10);
    p.errorText = "Missing";
    p.title = "gone";
    d.draw(p);
    EXPECT_NE(d.buf->findText("Missing"), nullptr);
    EXPECT_EQ(d.buf->findText("gone"), nullptr);
    EXPECT_TRUE(d.buf->of("stretch").empty());
    EXPECT_TRUE(d.f.loader.loads.empty());  // nothing decoded for a picture already refused
}

TEST(DrawPicture, APictureThatFailsToDecodeShowsAsDamaged) {
    DrawFixture d;
    PictureOfDay p = d.picture("bad.jpg", 10, 10);
    p.title = "bad";
    d.f.loader.failures[p.path] = ImageLoadResult::kDamaged;
    d.draw(p);
    EXPECT_FALSE(p.loaded);
    EXPECT_EQ(p.errorText, "Damaged: " + p.path);
    EXPECT_TRUE(p.title.empty());
    EXPECT_NE(d.buf->findText("Damaged: " + p.path), nullptr);
    EXPECT_TRUE(d.buf->of("stretch").empty());
}

TEST(DrawPicture, ARedrawRestoresTheBackgroundAndAnUnchangedOneDrawsNothing) {
    DrawFixture d;
    PictureOfDay unchanged;
    d.draw(unchanged);
    EXPECT_TRUE(d.buf->ops.empty());

    PictureOfDay p = d.picture("event.jpg", 280, 130);
    p.fillBackground = true;
    d.draw(p);
    const auto copies = d.buf->of("copy");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].source, &d.skin.image(kImgMainBg));
    EXPECT_EQ((Rect{copies[0].sx, copies[0].sy, copies[0].w, copies[0].h}),
              (Rect{10, 60, 280, 130}));
    ASSERT_EQ(d.buf->ops.size(), 2u);
    EXPECT_EQ(d.buf->ops[1].kind, "stretch");  // the picture goes over the background
}

}  // namespace
}  // namespace tv
