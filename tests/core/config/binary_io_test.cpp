// The byte streams every binary file is read and written with: the biased integers at their
// limits, texts at their length limits, and a reader that stops at the end and stays stopped.
#include "core/config/binary_io.h"

#include <gtest/gtest.h>

#include <string>

namespace tv {
namespace {

using namespace std::string_literals;

TEST(ByteIo, IntegersAreBiasedBigEndianAndRoundTripAtTheirLimits) {
    ByteWriter w;
    w.int16(-32768);
    w.int16(0);
    w.int16(32767);
    w.int32(-2147483648LL);
    w.int32(1);
    w.int32(2147483647);
    EXPECT_EQ(w.bytes(),
              "\x00\x00\x80\x00\xFF\xFF"
              "\x00\x00\x00\x00\x80\x00\x00\x01\xFF\xFF\xFF\xFF"s);
    ByteReader r(w.bytes());
    EXPECT_EQ(r.int16(), -32768);
    EXPECT_EQ(r.int16(), 0);
    EXPECT_EQ(r.int16(), 32767);
    EXPECT_EQ(r.int32(), -2147483648LL);
    EXPECT_EQ(r.int32(), 1);
    EXPECT_EQ(r.int32(), 2147483647);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.truncated());
    EXPECT_EQ(encodeInt16(-1), 0x7FFF);
    EXPECT_EQ(decodeInt16(0x7F, 0xFF), -1);
}

TEST(ByteIo, TextsKeepTheirLengthFieldsLimits) {
    for (size_t n : {size_t{0}, size_t{255}, size_t{256}}) {
        ByteWriter w;
        w.text8(std::string(n, 'a'));
        const size_t kept = n > 255 ? 255 : n;
        EXPECT_EQ(w.bytes().size(), 1 + kept) << n;
        EXPECT_EQ(static_cast<uint8_t>(w.bytes()[0]), kept) << n;
        ByteReader r(w.bytes());
        EXPECT_EQ(r.text8(), std::string(kept, 'a'));
        EXPECT_TRUE(r.atEnd());
    }
    for (size_t n : {size_t{32767}, size_t{32768}}) {
        ByteWriter w;
        w.text16(std::string(n, 'b'));
        EXPECT_EQ(w.bytes().size(), 2 + 32767u) << n;
        ByteReader r(w.bytes());
        EXPECT_EQ(r.text16().size(), 32767u);
    }
    ByteWriter w;
    w.text16("árvíztűrő €");  // counted in Windows-1250 bytes, one each
    EXPECT_EQ(w.bytes().substr(0, 2), "\x80\x0B"s);
    ByteReader r(w.bytes());
    EXPECT_EQ(r.text16(), "árvíztűrő €");
}

TEST(ByteIo, AReadPastTheEndGivesNothingAndEveryLaterReadToo) {
    // The reader views its bytes: they must outlive it.
    const std::string claimsFive =
        "\x80\x05"
        "ab"s;
    ByteReader r(claimsFive);
    r.text16();  // claims five bytes, holds two: the flag says the text is not whole
    EXPECT_TRUE(r.truncated());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.byte(), 0);
    EXPECT_EQ(r.int32(), 0);
    EXPECT_EQ(r.raw(0), "");

    const std::string minusOne =
        "\x7F\xFF"
        "x"s;
    ByteReader negative(minusOne);  // a length below 1: empty, nothing taken
    EXPECT_EQ(negative.text16(), "");
    EXPECT_EQ(negative.position(), 2u);
    EXPECT_FALSE(negative.truncated());

    ByteReader part("abc");
    EXPECT_EQ(part.raw(2), "ab");
    EXPECT_EQ(part.remaining(), 1u);
    EXPECT_EQ(part.raw(2), "c");  // what there is, and the flag
    EXPECT_TRUE(part.truncated());
    EXPECT_EQ(part.raw(1), "");

    ByteReader exact("abcd");
    EXPECT_EQ(exact.int32(), static_cast<int32_t>(0x61626364 - 2147483648LL));
    EXPECT_FALSE(exact.truncated());  // exactly to the end is not past it
    EXPECT_EQ(exact.int16(), 0);
    EXPECT_TRUE(exact.truncated());
}

}  // namespace
}  // namespace tv
