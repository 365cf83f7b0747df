// The today mark the art generator painted for each shipped skin frames its field and leaves the
// inside see-through: the grid draws the day number and the event lines there, after the mark.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

namespace tv::test {
namespace {

namespace fs = std::filesystem;

// The grid copies the mark with magenta as its see-through colour.
constexpr QRgb kSeeThrough = 0xFFFF00FF;
// The frame keeps to this strip along the field's edges.
constexpr int kFrameStrip = 4;

class PaintedTodayMark : public ::testing::TestWithParam<const char*> {};

TEST_P(PaintedTodayMark, FramesTheFieldAndLeavesItsInsideClear) {
    const fs::path file = fs::path(TV_TEST_PROGRAM_DIR) / "themes" / GetParam() / "today.png";
    if (!fs::exists(file)) GTEST_SKIP() << "no painted skins in " << file;
    const QImage mark(QString::fromStdString(file.string()));
    ASSERT_FALSE(mark.isNull());
    int inkInside = 0;
    int inkOnEdge = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const bool ink = mark.pixel(x, y) != kSeeThrough;
            const bool inside = x >= kFrameStrip && x < mark.width() - kFrameStrip &&
                                y >= kFrameStrip && y < mark.height() - kFrameStrip;
            (inside ? inkInside : inkOnEdge) += ink ? 1 : 0;
        }
    EXPECT_EQ(inkInside, 0) << "pixels of the mark over the number and the lines";
    // A frame, not an empty picture: ink runs along the whole edge.
    EXPECT_GT(inkOnEdge, mark.width() + mark.height());
}

INSTANTIATE_TEST_SUITE_P(Skins, PaintedTodayMark, ::testing::Values("metal_big", "paper_light"));

}  // namespace
}  // namespace tv::test
