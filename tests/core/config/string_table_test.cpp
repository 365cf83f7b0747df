#include "core/config/string_table.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_message_box.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

TEST(StringTable, LookupTurnsBackslashNIntoCrLfAndFallsBackToTheKey) {
    StringTable s;
    s.table().add("two_lines", "a\\nb");
    EXPECT_EQ(s.getString("two_lines"), "a\r\nb");
    EXPECT_EQ(s.getString("missing_key"), "missing_key");
    EXPECT_EQ(s.formatString("missing_key", "x"), "");
}

TEST(StringTable, PlaceholdersAreFilledInOrderAndEmptyOnesStay) {
    StringTable s;
    s.table().add("p", "$1 és $1, $2 - $3 $4");
    EXPECT_EQ(s.formatString("p", "3"), "3 és 3, $2 - $3 $4");
    // A value holding a later placeholder is filled again when that one comes.
    EXPECT_EQ(s.formatString("p", "$3", "b", "c", "d"), "c és c, b - c d");
}

TEST(StringTable, ArticleMarkersTakeTheArticleOfTheirPlaceholder) {
    StringTable s;
    s.table().add("week", "$a1 $1. héten, $A2 $2. nap");
    EXPECT_EQ(s.formatString("week", "1", "2"), "az 1. héten, A 2. nap");
    EXPECT_EQ(s.formatString("week", "18", "55"), "a 18. héten, Az 55. nap");
    // As with "$2", an empty parameter leaves its marker for the caller to see.
    EXPECT_EQ(s.formatString("week", "50"), "az 50. héten, $A2 $2. nap");
    // getString fills nothing, markers included.
    EXPECT_EQ(s.getString("week"), "$a1 $1. héten, $A2 $2. nap");
}

TEST(StringTable, CaptionTakesTheTooltipOnlyWhenItsKeyExists) {
    StringTable s;
    s.table().add("main_b_sets", "Beállítások");
    s.table().add("main_b_sets_tt", "A program\\nbeállításai");
    EXPECT_EQ(s.captionOf("main_b_sets").caption, "Beállítások");
    EXPECT_EQ(s.captionOf("main_b_sets").tooltip, "A program\r\nbeállításai");
    Caption missing = s.captionOf("nope");
    EXPECT_EQ(missing.caption, "nope");
    EXPECT_EQ(missing.tooltip, "");
}

TEST(StringTable, ABrokenFileWarnsAndKeepsWhatWasRead) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("data"));
    dir.write("data/hun_strings.dat", "com_ok = \"OK\"\r\ncom_ok = \"again\"\r\nlater = \"x\"\r\n");
    FakeMessageBox box;
    StringTable s;
    EXPECT_FALSE(s.loadStrings(dir.dir(), nullptr, &box));
    EXPECT_EQ(s.getString("com_ok"), "OK");
    EXPECT_EQ(s.getString("later"), "later");
    ASSERT_EQ(box.shown.size(), 2u);  // the duplicate, then the load error
    EXPECT_EQ(box.shown[1].text, "Hiba a 'hun_strings.dat' beolvasása közben.");
    EXPECT_EQ(box.shown[1].icon, MessageIcon::kWarning);

    StringTable none;
    EXPECT_FALSE(none.loadStrings(dir.file("nowhere/"), nullptr, &box));
    EXPECT_EQ(box.shown.size(), 3u);
}

// The diagnostics window tells what was really read, not a fixed word.
TEST(StringTable, LoadedLanguageNamesTheFileRead) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("data"));
    dir.write("data/hun_strings.dat", "com_ok = \"OK\"\r\ncom_close = \"Bezárás\"\r\n");
    StringTable s;
    EXPECT_EQ(loadedLanguage(s), "none (no string table read)");
    ASSERT_TRUE(s.loadStrings(dir.dir(), nullptr, nullptr));
    EXPECT_EQ(loadedLanguage(s), "hun (hun_strings.dat, 2 texts)");
}

}  // namespace
}  // namespace tv
