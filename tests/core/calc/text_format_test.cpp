#include "core/calc/text_format.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(Hex, ByteRoundTripsAndOddInputCountsAsZero) {
    EXPECT_EQ(ByteToHex(171), "ab");
    EXPECT_EQ(HexToByte("AB"), 171);
    for (int v = 0; v <= 255; ++v)
        ASSERT_EQ(HexToByte(ByteToHex(v)), v);
    EXPECT_EQ(HexToByte("F") + HexToByte("1g") + HexToByte("") + HexToByte("abc"), 15 + 16);
}

TEST(FoldAccents, FoldsEveryLetterOfTheTableAndPassesEverythingElse) {
    EXPECT_EQ(FoldAccents(
                  "šśťžźąşľżŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţŠŚŤŽŹĄŞĽŻŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢ"),
              "sstzzaslzraaaalccceeeeiiddnnooooruuuuytSSTZZASLZRAAAALCCCEEEEIIDDNNOOOORUUUUYT");
    EXPECT_EQ(FoldAccents("Őrült Ágnes, łŁ ß õ"), "Orult Agnes, łŁ ß õ");
    EXPECT_EQ(FoldAccents("a\xC3 \xE1x"), "a\xC3 \xE1x");  // broken bytes stay as they are
}

TEST(Ampersands, AllDoubledOrTheFirstMadeAVisibleAccessKey) {
    EXPECT_EQ(EscapeAmpersands("Tom & Jerry & co"), "Tom && Jerry && co");
    EXPECT_EQ(EscapeFirstAmpersand("A&B&C"), "A&&&B&&C");
}

TEST(AppPath, ExpandReplacesThePlaceholderInAnyCaseAndTurnsBackslashes) {
    EXPECT_EQ(ExpandAppPath("<AppPath>\\pictures\\x.jpg", "/opt/tv/"), "/opt/tv/pictures/x.jpg");
    EXPECT_EQ(ExpandAppPath("<APPPATH>sounds", "/opt/tv"), "/opt/tv/sounds");
    EXPECT_EQ(ExpandAppPath("<AppPat", "/opt/tv"), "<AppPat");
    EXPECT_EQ(ExpandAppPath("D:\\Képek\\a.jpg", "/opt/tv"), "D:/Képek/a.jpg");
}

TEST(AppPath, CompactClaimsOnlyPathsInsideTheFolderAndExpandUndoesIt) {
    EXPECT_EQ(CompactAppPath("/opt/tv/pictures/x.jpg", "/opt/tv/"), "<AppPath>/pictures/x.jpg");
    for (const char* outside : {"/opt/tv2/x.jpg", "/opt/TV/x.jpg", "/home/u/x.jpg"}) {
        EXPECT_EQ(CompactAppPath(outside, "/opt/tv"), outside);
    }
    for (const char* p : {"/opt/tv/a/b.png", "/opt/tv/c.png", "/elsewhere/d.png", "/opt/tv"}) {
        for (const char* dir : {"/opt/tv", "/opt/tv/"}) {
            std::string back = ExpandAppPath(CompactAppPath(p, dir), dir);
            if (back.size() > 1 && back.back() == '/') back.pop_back();
            EXPECT_EQ(back, p) << dir;
        }
    }
}

TEST(ClampInt, ReadsTheLeadingNumberAndLimitsIt) {
    EXPECT_EQ(ClampInt(" 42abc", 0, 100), 42);
    EXPECT_EQ(ClampInt("-7", -5, 100), -5);
    EXPECT_EQ(ClampInt("", -10, 10), 0);
    EXPECT_EQ(ClampInt("99999999999999999999", 0, 59), 59);
    EXPECT_EQ(ClampInt("-99999999999999999999", 0, 59), 0);
}

}  // namespace
}  // namespace tv
