#include "core/calc/text_fit.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/cp1250.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

const FakeMeasurer kMeasure;  // letters 7 px, blanks 3 px

int px(std::string_view s) {
    return kMeasure.textWidth(s) / kTwipsPerPixel;
}

TEST(fitSurfaceText, CutsToTheLongestStartThatLeavesRoomForTheMark) {
    EXPECT_EQ(fitSurfaceText(kMeasure, "Hello", 35), "Hello");        // fits: no mark
    EXPECT_EQ(fitSurfaceText(kMeasure, "Hello world", 40), "He...");  // 40 - 21 px: two letters
    EXPECT_EQ(fitSurfaceText(kMeasure, "ab cdefgh", 38), "ab...");    // the blank is trimmed
    EXPECT_EQ(fitSurfaceText(kMeasure, "Hello", 10), "...");
}

TEST(fitSurfaceText, NeverSplitsACharacterAndFitsUnlessOnlyTheMarkIsLeft) {
    const std::string text = "Árvíztűrő tükörfúrógép és ŐŰ";
    for (int w = 0; w <= px(text) + 1; ++w) {
        std::string out = fitSurfaceText(kMeasure, text, w);
        ASSERT_TRUE(isValidUtf8(out)) << w;
        ASSERT_TRUE(out == "..." || px(out) <= w) << out;
    }
}

TEST(shortenPath, DropsFoldersFromTheEndThenFallsBackToTheFileName) {
    const std::string path = "/home/user/pictures/2024/summer.jpg";
    const std::string oneLess = "/home/user/pictures/.../summer.jpg";
    EXPECT_EQ(shortenPath(kMeasure, path, px(path)), path);
    EXPECT_EQ(shortenPath(kMeasure, path, px(oneLess)), oneLess);
    EXPECT_EQ(shortenPath(kMeasure, path, px(oneLess) - 1), "/home/user/.../summer.jpg");
    EXPECT_EQ(shortenPath(kMeasure, path, px("summer.jpg")), "summer.jpg");
    EXPECT_EQ(shortenPath(kMeasure, path, 40), "su...");
    const std::string stored = "C:\\Users\\Anna\\Képek\\nyár.jpg";
    EXPECT_EQ(shortenPath(kMeasure, stored, px("C:\\Users\\...\\nyár.jpg")),
              "C:\\Users\\...\\nyár.jpg");
}

TEST(wrapSurfaceText, BreaksAtTheLastBlankOrBeforeTheCharacterThatOverflows) {
    EXPECT_EQ(wrapSurfaceText(kMeasure, "short text", 280, 2), "  short text");
    EXPECT_EQ(wrapSurfaceText(kMeasure, "aa bb cc", 40, 2), "  aa bb\r\n  cc");
    EXPECT_EQ(wrapSurfaceText(kMeasure, "ab cdefgh", 21, 0), "ab\r\ncde\r\nfgh");
    EXPECT_EQ(wrapSurfaceText(kMeasure, "abc", 21, 0), "abc");  // exactly the width: one line
    EXPECT_EQ(wrapSurfaceText(kMeasure, "abcd", 21, 0), "abc\r\nd");
    EXPECT_EQ(wrapSurfaceText(kMeasure, "őű", 1, 0), "ő\r\nű");  // nothing fits: no endless loop
    EXPECT_EQ(wrapSurfaceText(kMeasure, "a\r\n\r\nb", 280, 1), " a\r\n \r\n b");
    EXPECT_EQ(wrapSurfaceText(kMeasure, "a\nb\rc", 280, 0), "a\r\nb\r\nc");
}

TEST(wrapSurfaceText, EveryLineFitsAndNoLetterIsLost) {
    const std::string text =
        "Boldog születésnapot kívánunk a legjobb barátunknak, aki ma ünnepli "
        "a hatvanadik születésnapját egy hosszúszóvalamelyiknemférelegysorba is.";
    auto letters = [](std::string s) { return std::erase(s, ' '), s; };
    for (int w = 16; w <= 300; w += 3) {  // from where one letter fits beside the indent
        for (int indent : {0, 3}) {
            std::string out = wrapSurfaceText(kMeasure, text, w, indent) + "\r\n";
            ASSERT_TRUE(isValidUtf8(out));
            std::string joined;
            for (size_t start = 0, end; (end = out.find("\r\n", start)) != out.npos;
                 start = end + 2) {
                std::string line = out.substr(start, end - start);
                ASSERT_EQ(line.find_first_not_of(' '), static_cast<size_t>(indent)) << line;
                ASSERT_LE(px(line), w) << w << " '" << line << "'";
                joined += line;
            }
            ASSERT_EQ(letters(joined), letters(text)) << w;
        }
    }
}

}  // namespace
}  // namespace tv
