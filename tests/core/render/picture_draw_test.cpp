#include "core/render/picture_draw.h"

#include <gtest/gtest.h>

#include "core/render/skin_fixture.h"

namespace tv {
namespace {

using test::kSmallTheme;
using test::SkinFixture;

TEST(FitPicture, FillCropAndFitInside) {
    PictureRects r = FitPicture(400, 300, 200, 200, PictureFit::kFillCrop);
    EXPECT_EQ(r.source, (Rect{50, 0, 300, 300}));
    EXPECT_EQ(r.dest, (Rect{0, 0, 200, 200}));
    r = FitPicture(400, 300, 200, 200, PictureFit::kFitInside);
    EXPECT_EQ(r.dest, (Rect{0, 25, 200, 150}));
    r = FitPicture(300, 400, 200, 100, PictureFit::kFillCrop);
    EXPECT_EQ(r.source, (Rect{0, 125, 300, 150}));
    r = FitPicture(300, 400, 200, 100, PictureFit::kNatural);
    EXPECT_EQ(r.source, (Rect{50, 150, 200, 100}));
    EXPECT_EQ(ChooseFit(0, false, "no", 0), PictureFit::kNatural);
    EXPECT_EQ(ChooseFit(0, true, "no", 0), PictureFit::kFillCrop);
    EXPECT_EQ(ChooseFit(1, false, "no", 0), PictureFit::kFitInside);
    EXPECT_EQ(PictureTitle("/home/u/Pictures/Lake.Tisza.jpg"), "Lake.Tisza");
}

TEST(DrawPicture, ErrorsAndTitles) {
    SkinFixture f;
    f.writeSkin("small", kSmallTheme);
    Skin skin;
    f.load(skin, "small");
    f.strings.table().SetItem("err_pic_damaged", "Damaged: $1");
    f.strings.table().SetItem("err_pic_miss", "Missing");
    auto& buf = SkinFixture::fake(*skin.pictureBuffer);

    PictureRequest rq;
    rq.path = f.dir.dir() + "gone.jpg";
    PictureResult r = DrawPictureOfDay(skin, rq, f.loader, f.strings);
    EXPECT_EQ(r.error, "Missing");
    EXPECT_NE(buf.findText("Missing"), nullptr);

    f.dir.write("bad.jpg", "not a picture");
    rq.path = f.dir.file("bad.jpg");
    f.loader.images[rq.path] = {10, 10};
    f.loader.failures[rq.path] = ImageLoadResult::kDamaged;
    r = DrawPictureOfDay(skin, rq, f.loader, f.strings);
    EXPECT_EQ(r.error, "Damaged: " + rq.path);
    EXPECT_FALSE(r.loaded);

    f.dir.write("Balaton.jpg", "x");
    rq.path = f.dir.file("Balaton.jpg");
    f.loader.images[rq.path] = {560, 260};
    rq.optBG = 1;
    buf.ops.clear();
    r = DrawPictureOfDay(skin, rq, f.loader, f.strings);
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.title, "Balaton");
    const auto stretches = buf.of("stretch");
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(stretches[0].w, 280);
    // An event picture of the first load shows no title.
    rq.eventPicture = true;
    EXPECT_EQ(DrawPictureOfDay(skin, rq, f.loader, f.strings).title, "");
}

}  // namespace
}  // namespace tv
