#include "core/config/cp1250.h"

#include <gtest/gtest.h>

#include <utility>

namespace tv {
namespace {

TEST(Cp1250, HungarianLettersRoundTrip) {
    const std::string text = "Árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP „idézet” – €";
    std::string bytes = utf8ToCp1250(text);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(bytes.size(), utf8Length(text));
    EXPECT_EQ(cp1250ToUtf8(bytes), text);
    EXPECT_EQ(static_cast<unsigned char>(utf8ToCp1250("ő")[0]), 0xF5);
    EXPECT_EQ(static_cast<unsigned char>(utf8ToCp1250("Ű")[0]), 0xDB);
}

TEST(Cp1250, WhatTheCodePageCannotHoldBecomesQuestionMark) {
    EXPECT_EQ(utf8ToCp1250("õ û 日本"), "? ? ??");
    EXPECT_FALSE(fitsCp1250("õ"));
    EXPECT_TRUE(fitsCp1250("ő"));
    // Broken UTF-8: each bad byte is one "?".
    EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1250("\xE2\x82"), "??");
}

TEST(Cp1250, EveryByteSurvivesDecodeThenEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
}

TEST(Cp1250, Utf8LengthsChangeExactlyAtTheirBounds) {
    const std::pair<char32_t, std::string_view> edges[] = {
        {0x7F, "\x7F"},          {0x80, "\xC2\x80"},       {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"}, {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"},
    };
    for (const auto& [cp, bytes] : edges) {
        std::string out;
        appendUtf8(out, cp);
        EXPECT_EQ(out, bytes) << std::hex << uint32_t{cp};
        size_t pos = 0;
        EXPECT_EQ(uint32_t{nextCodePoint(out, pos)}, uint32_t{cp});
        EXPECT_EQ(pos, bytes.size());
    }
}

TEST(Cp1250, TextFilesAreUtf8WhenValidOtherwiseWindows1250) {
    EXPECT_EQ(decodeTextFile("k\xC3\xB6r"), "kör");
    EXPECT_EQ(decodeTextFile("k\xF6r"), "kör");
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));      // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(isValidUtf8("\xEF\xBF\xBD"));   // U+FFFD itself
    // A view is read to its end and no further, whatever follows it in memory.
    const std::string buffer = "abc\xFF\xE2\x82\xAC";
    EXPECT_TRUE(isValidUtf8(std::string_view(buffer).substr(0, 3)));
    EXPECT_TRUE(fitsCp1250(std::string_view(buffer).substr(0, 3)));
    EXPECT_FALSE(isValidUtf8(std::string_view(buffer).substr(0, 4)));
    EXPECT_TRUE(fitsCp1250(std::string_view(buffer).substr(4)));  // the euro sign is there
    EXPECT_EQ(utf8ToCp1250(std::string_view(buffer).substr(0, 3)), "abc");
    EXPECT_EQ(utf8Length(std::string_view(buffer).substr(0, 3)), 3u);
    EXPECT_EQ(utf8Length("kör€"), 4u);
    // The highest code point of the page is U+2122; the lookup ends at U+2200.
    EXPECT_EQ(utf8ToCp1250("\u2122\u21FF\u2200\u2201"), "\x99???");
}

}  // namespace
}  // namespace tv
