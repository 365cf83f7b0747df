// A picture's format from its first bytes.
#include "core/render/picture_format.h"

#include <gtest/gtest.h>

#include <string>

namespace tv {
namespace {

TEST(PictureFormat, SignaturesNameTheFormatsTheCalendarReads) {
    using namespace std::string_literals;
    EXPECT_EQ(pictureFormatOf("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s), "png");
    EXPECT_EQ(pictureFormatOf("\xff\xd8\xff\xe0\0\x10JFIF"s), "jpeg");
    EXPECT_EQ(pictureFormatOf("GIF89a\x05\0"s), "gif");
    EXPECT_EQ(pictureFormatOf("GIF87a\x05\0"s), "gif");
    EXPECT_EQ(pictureFormatOf("BM\x36\0\0\0\0\0"s), "bmp");
    // Too short, cut signatures, other formats and text are none of them.
    EXPECT_EQ(pictureFormatOf(""), "");
    EXPECT_EQ(pictureFormatOf("\x89PNG\r\n"), "");
    EXPECT_EQ(pictureFormatOf("\xff\xd8"), "");
    EXPECT_EQ(pictureFormatOf("GIF90a"), "");
    EXPECT_EQ(pictureFormatOf("BM"), "");
    EXPECT_EQ(pictureFormatOf("<svg xmlns="), "");
    EXPECT_EQ(pictureFormatOf("RIFF\0\0\0\0WEBP"s), "");
}

}  // namespace
}  // namespace tv
