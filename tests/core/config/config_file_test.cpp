#include "core/config/config_file.h"

#include <gtest/gtest.h>

#include "core/config/cp1250.h"
#include "core/config/hash_table.h"
#include "platform/fake/fake_message_box.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

HashTable parse(const std::string& text, bool* ok = nullptr) {
    HashTable t;
    bool r = parseConfig(t, text);
    if (ok) *ok = r;
    return t;
}

TEST(ConfigRead, ValueRules) {
    HashTable t = parse(
        "// a comment\r\n"
        "plain = some text\r\n"
        "quoted = \"a // b = c # d\"  trailing\r\n"
        "cut = value // a comment\r\n"
        "single = say \"hi // there\r\n"
        "three = \"ab \"c\"\r\n"
        "#hashed = 1\r\n"
        "empty =\r\n"
        "no equals here\r\n"
        "  spaced  =   x  \r\n");
    EXPECT_EQ(t.Item("plain"), "some text");
    EXPECT_EQ(t.Item("quoted"), "a // b = c # d");
    EXPECT_EQ(t.Item("cut"), "value");
    EXPECT_EQ(t.Item("single"), "say \"hi");  // one quote: the comment rule still applies
    EXPECT_EQ(t.Item("three"), "ab ");
    EXPECT_EQ(t.Item("hashed"), "1");
    EXPECT_FALSE(t.Exists("#hashed"));
    EXPECT_TRUE(t.Exists("empty"));
    EXPECT_EQ(t.Item("empty"), "");
    EXPECT_EQ(t.Item("spaced"), "x");
    EXPECT_EQ(t.Count(), 8);
    EXPECT_EQ(t.KeyByIndex(1), "plain");
    EXPECT_EQ(t.KeyByIndex(8), "spaced");
}

TEST(ConfigRead, ContinuationComesBeforeComments) {
    HashTable t = parse(
        "long = first ~\n"
        "      second~\n"
        "   third\n"
        "// a comment ~\n"
        "hidden = 1\n"
        "after = 2\n");
    EXPECT_EQ(t.Item("long"), "first secondthird");
    EXPECT_FALSE(t.Exists("hidden"));
    EXPECT_EQ(t.Item("after"), "2");
}

TEST(ConfigRead, FailuresKeepWhatWasReadBefore) {
    FakeMessageBox box;
    HashTable t;
    EXPECT_FALSE(parseConfig(t, "a = 1\nb = 2\na = 3\nc = 4\n", &box));
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(t.Item("a"), "1");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text,
              "This key is already associated with an element of this collection:\r\na");

    EXPECT_FALSE(parseConfig(t, "x = 1\n= 2\n"));  // empty key
    EXPECT_EQ(t.Count(), 1);
    EXPECT_FALSE(parseConfig(t, ""));  // an empty file is a failed read
    EXPECT_EQ(t.Count(), 0);
    EXPECT_FALSE(fReadConfig(t, "/nonexistent/settings.cfg"));
}

TEST(ConfigRead, ReadsWindows1250AndUtf8AlikeAndSurvivesOddBytes) {
    EXPECT_EQ(parse("név = \"Győző\"\n").Item("név"), "Győző");
    EXPECT_EQ(parse(utf8ToCp1250("név = \"Győző\"\n")).Item("név"), "Győző");
    bool ok = false;
    HashTable t = parse(std::string("a = x\0y\nb = ", 12) + std::string(1 << 20, 'z'), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(t.Item("a"), std::string("x\0y", 3));
    EXPECT_EQ(t.Item("b").size(), 1u << 20);
}

TEST(ConfigWrite, FormattedPadsKeysAndQuotesOnlyWhatIsNotANumber) {
    HashTable t;
    t.Add("AS_TrayIcon", "1");
    t.Add("Skin", "metal_big");
    t.Add("Neg", "-3");
    t.Add("Flag", "TRUE");
    t.Add("Zeros", "007");
    t.Add("Half", "1.5");
    t.Add("Empty", "");
    const std::string text = formatConfig(t, true);
    EXPECT_TRUE(text.starts_with("// Created with Tempovirens v"));
    EXPECT_NE(text.find("\r\n\r\nAS_TrayIcon = 1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSkin        = \"metal_big\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("Neg         = -3\r\n"), std::string::npos);
    EXPECT_NE(text.find("Flag        = TRUE\r\n"), std::string::npos);
    EXPECT_NE(text.find("Zeros       = \"007\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("Half        = 1.5\r\n"), std::string::npos);
    EXPECT_NE(text.find("Empty       = \"\"\r\n"), std::string::npos);
    EXPECT_EQ(formatConfig(t, false).substr(0, 23), "AS_TrayIcon = \"1\"\r\nSkin");
    EXPECT_EQ(formatConfig(HashTable(), false), "");
}

TEST(ConfigWrite, BareNumbersAreExactlyWhatANumberPrintsAs) {
    for (const char* bare : {"0", "12", "-3", "1.5", "0.25", "123456789012345", "false"}) {
        EXPECT_TRUE(isBareConfigValue(bare)) << bare;
    }
    for (const char* quoted : {"", "-0", "+1", "007", "1.50", "1.", ".5", "1e3", "12abc", " 1",
                               "1234567890123456", "-"}) {
        EXPECT_FALSE(isBareConfigValue(quoted)) << quoted;
    }
}

TEST(ConfigWrite, RoundTripKeepsKeysValuesAndOrderOnDisk) {
    test::TempDir dir;
    HashTable t;
    t.Add("Ünnep", "Nemzeti ünnep // nem megjegyzés");
    t.Add("b", "  blanks kept  ");
    t.Add("n", "42");
    t.Add("e", "");
    const std::string path = dir.file("settings.cfg");
    ASSERT_TRUE(fWriteConfig(t, path));
    EXPECT_NE(dir.read("settings.cfg").find(utf8ToCp1250("Ünnep")), std::string::npos);
    HashTable back;
    ASSERT_TRUE(fReadConfig(back, path));
    ASSERT_EQ(back.Count(), t.Count());
    for (int i = 1; i <= t.Count(); ++i) {
        EXPECT_EQ(back.KeyByIndex(i), t.KeyByIndex(i));
        EXPECT_EQ(back.ItemByIndex(i), t.ItemByIndex(i));
    }
}

TEST(ConfigWrite, AFailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    dir.write("settings.cfg", "old = 1\r\n");
    HashTable t;
    t.Add("new", "2");
    // The folder is gone: the temporary file cannot be made, nothing is replaced.
    EXPECT_FALSE(fWriteConfig(t, dir.file("missing/settings.cfg")));
    EXPECT_EQ(dir.read("settings.cfg"), "old = 1\r\n");
}

}  // namespace
}  // namespace tv
