// The build's converter of data files: what the program reads must be exactly the source text,
// and anything the code page cannot hold must stop the build with its line.
#include "../../../tools/textconv/text_conv.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::textconv {
namespace {

TEST(TextConv, HungarianTextBecomesWindows1250WithCrLf) {
    const Result r = convert("árvíztűrő\ntükörfúrógép\r\nŐŰ „x” – €\n", "a.dat");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes,
              "\xE1rv\xEDzt\xFBr\xF5\r\nt\xFCk\xF6rf\xFAr\xF3g\xE9p\r\n\xD5\xDB \x84x\x94 \x96 "
              "\x80\r\n");
}

TEST(TextConv, LineEndsAndByteOrderMarkAreNormalised) {
    EXPECT_EQ(convert("\xEF\xBB\xBF"
                      "a\rb\nc\r\n\r\nd",
                      "f")
                  .bytes,
              "a\r\nb\r\nc\r\n\r\nd");
    EXPECT_EQ(convert("", "f").bytes, "");
}

TEST(TextConv, ForeignCharactersFailWithTheirLine) {
    // The usual slip: õ and û (Portuguese, French) in place of ő and ű.
    const Result r = convert("ok\nHõs\nfine\nTûz és 日\n", "data/x.dat");
    ASSERT_EQ(r.errors.size(), 3u);
    EXPECT_EQ(r.errors[0], "data/x.dat:2: character U+00F5 cannot be written in Windows-1250");
    EXPECT_EQ(r.errors[1], "data/x.dat:4: character U+00FB cannot be written in Windows-1250");
    EXPECT_EQ(r.errors[2], "data/x.dat:4: character U+65E5 cannot be written in Windows-1250");
}

TEST(TextConv, LineNumbersCountEveryKindOfLineEnd) {
    const Result r = convert("a\r\nb\rc\nõ", "f");
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "f:4: character U+00F5 cannot be written in Windows-1250");
}

TEST(TextConv, BrokenUtf8AndControlsAreRefused) {
    // 0x81 is unused in Windows-1250: its C1 control would survive a round trip, but it is not
    // a character anyone meant to write.
    EXPECT_EQ(convert("a\xC3", "f").errors.at(0), "f:1: byte 0xC3 is not valid UTF-8");
    EXPECT_EQ(convert("\xC2\x81", "f").errors.at(0),
              "f:1: character U+0081 cannot be written in Windows-1250");
    EXPECT_EQ(convert("x\ty", "f").errors.size(), 0u);
    EXPECT_EQ(convert("x\x01y", "f").errors.at(0),
              "f:1: control character U+0001 does not belong in a text file");
}

}  // namespace
}  // namespace tv::textconv
