#include "core/calc/text_format.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(Hex, ByteRoundTripsAndOddInputCountsAsZero) {
    EXPECT_EQ(byteToHex(171), "ab");
    EXPECT_EQ(hexToByte("AB"), 171);
    for (int v = 0; v <= 255; ++v)
        ASSERT_EQ(hexToByte(byteToHex(v)), v);
    EXPECT_EQ(hexToByte("F") + hexToByte("1g") + hexToByte("") + hexToByte("abc"), 15 + 16);
}

TEST(foldAccents, FoldsEveryLetterOfTheTableAndPassesEverythingElse) {
    EXPECT_EQ(foldAccents(
                  "šśťžźąşľżŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţŠŚŤŽŹĄŞĽŻŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢ"),
              "sstzzaslzraaaalccceeeeiiddnnooooruuuuytSSTZZASLZRAAAALCCCEEEEIIDDNNOOOORUUUUYT");
    EXPECT_EQ(foldAccents("Őrült Ágnes, łŁ ß õ"), "Orult Agnes, łŁ ß õ");
    EXPECT_EQ(foldAccents("a\xC3 \xE1x"), "a\xC3 \xE1x");  // broken bytes stay as they are
}

TEST(Ampersands, AllDoubledOrTheFirstMadeAVisibleAccessKey) {
    EXPECT_EQ(escapeAmpersands("Tom & Jerry & co"), "Tom && Jerry && co");
    EXPECT_EQ(escapeFirstAmpersand("A&B&C"), "A&&&B&&C");
}

TEST(AppPath, ExpandReplacesThePlaceholderInAnyCaseAndTurnsBackslashes) {
    EXPECT_EQ(expandAppPath("<AppPath>\\pictures\\x.jpg", "/opt/tv/"), "/opt/tv/pictures/x.jpg");
    EXPECT_EQ(expandAppPath("<APPPATH>sounds", "/opt/tv"), "/opt/tv/sounds");
    EXPECT_EQ(expandAppPath("<AppPat", "/opt/tv"), "<AppPat");
    EXPECT_EQ(expandAppPath("D:\\Képek\\a.jpg", "/opt/tv"), "D:/Képek/a.jpg");
}

TEST(AppPath, CompactClaimsOnlyPathsInsideTheFolderAndExpandUndoesIt) {
    EXPECT_EQ(compactAppPath("/opt/tv/pictures/x.jpg", "/opt/tv/"), "<AppPath>/pictures/x.jpg");
    for (const char* outside : {"/opt/tv2/x.jpg", "/opt/TV/x.jpg", "/home/u/x.jpg"}) {
        EXPECT_EQ(compactAppPath(outside, "/opt/tv"), outside);
    }
    for (const char* p : {"/opt/tv/a/b.png", "/opt/tv/c.png", "/elsewhere/d.png", "/opt/tv"}) {
        for (const char* dir : {"/opt/tv", "/opt/tv/"}) {
            std::string back = expandAppPath(compactAppPath(p, dir), dir);
            if (back.size() > 1 && back.back() == '/') back.pop_back();
            EXPECT_EQ(back, p) << dir;
        }
    }
}

TEST(clampInt, ReadsTheLeadingNumberAndLimitsIt) {
    EXPECT_EQ(clampInt(" 42abc", 0, 100), 42);
    EXPECT_EQ(clampInt("-7", -5, 100), -5);
    EXPECT_EQ(clampInt("", -10, 10), 0);
    EXPECT_EQ(clampInt("99999999999999999999", 0, 59), 59);
    EXPECT_EQ(clampInt("-99999999999999999999", 0, 59), 0);
    EXPECT_EQ(leadingInteger("+1099511627775x"), (int64_t{1} << 40) - 1);
    EXPECT_GE(leadingInteger(std::string(400, '9')), int64_t{1} << 40);
    EXPECT_LE(leadingInteger("-" + std::string(400, '9')), -(int64_t{1} << 40));
}

TEST(HungarianArticle, EveryWeekNumberGoesByHowItIsRead) {
    // Of 1..53 only egy, öt and ötven... begin with a vowel.
    for (int week = 1; week <= 53; ++week) {
        const bool az = week == 1 || week == 5 || week >= 50;
        EXPECT_EQ(hungarianArticle(std::to_string(week) + "."), az ? "az" : "a") << week;
    }
}

TEST(HungarianArticle, LargerNumbersGoByTheirLeadingGroup) {
    for (const char* az : {"5", "500", "555", "1000", "1999", "5000", "50000", "500000", "1000000",
                           "1000000000", "5300", "0005"}) {
        EXPECT_EQ(hungarianArticle(az), "az") << az;  // ezer, egymillió, ötszáz...
    }
    for (const char* a : {"0", "10", "11", "15", "100", "101", "150", "199", "2000", "10000",
                          "11000", "100000", "2000000", "123456789"}) {
        EXPECT_EQ(hungarianArticle(a), "a") << a;  // tíz, tizenegy, száz, kétezer, tízezer...
    }
    // A blank as thousands separator reads the same: "1 000" is ezer, "15 000" tizenötezer.
    EXPECT_EQ(hungarianArticle("1 000"), "az");
    EXPECT_EQ(hungarianArticle("15 000"), "a");
}

TEST(HungarianArticle, WordsGoByTheirFirstLetterPastQuotesAndTags) {
    for (const char* az : {"év", "Ábel", "ünnep", "Őszi", "iskola", "<r>Ödön</r>", "„Egyszeri”",
                           "(ősz)", "Émile", "øre"}) {
        EXPECT_EQ(hungarianArticle(az), "az") << az;
    }
    for (const char* a : {"hét", "Papír", "„Kék”", "York", "szökőnap", "", " ", "„”"}) {
        EXPECT_EQ(hungarianArticle(a), "a") << a;
    }
    // Capitals without a vowel are spelled out: ef, es, iksz, em; há, ká.
    for (const char* az : {"F1", "S", "XDG_CONFIG_HOME", "SMS", "MTV", "SZTK"})
        EXPECT_EQ(hungarianArticle(az), "az") << az;
    for (const char* a : {"HTML", "K", "PNG", "NATO", "MÁV", "Szép"})
        EXPECT_EQ(hungarianArticle(a), "a") << a;
    EXPECT_EQ(hungarianArticle("1.", true), "Az");
    EXPECT_EQ(hungarianArticle("2.", true), "A");
}

}  // namespace
}  // namespace tv
