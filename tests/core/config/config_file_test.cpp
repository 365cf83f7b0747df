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
    EXPECT_EQ(t.item("plain"), "some text");
    EXPECT_EQ(t.item("quoted"), "a // b = c # d");
    EXPECT_EQ(t.item("cut"), "value");
    EXPECT_EQ(t.item("single"), "say \"hi");  // one quote: the comment rule still applies
    EXPECT_EQ(t.item("three"), "ab ");
    EXPECT_EQ(t.item("hashed"), "1");
    EXPECT_FALSE(t.exists("#hashed"));
    EXPECT_TRUE(t.exists("empty"));
    EXPECT_EQ(t.item("empty"), "");
    EXPECT_EQ(t.item("spaced"), "x");
    EXPECT_EQ(t.count(), 8);
    EXPECT_EQ(t.keyByIndex(1), "plain");
    EXPECT_EQ(t.keyByIndex(8), "spaced");
}

TEST(ConfigRead, ContinuationComesBeforeComments) {
    // CR LF is what the calendar writes and must count as one line end, or a "~" would join
    // the empty text between CR and LF instead of the next line.
    for (const std::string eol : {"\n", "\r\n", "\r"}) {
        HashTable t = parse("long = first ~" + eol + "      second~" + eol + "   third" + eol +
                            "// a comment ~" + eol + "hidden = 1" + eol + "after = 2" + eol);
        EXPECT_EQ(t.item("long"), "first secondthird") << ::testing::PrintToString(eol);
        EXPECT_FALSE(t.exists("hidden"));
        EXPECT_EQ(t.item("after"), "2");
        EXPECT_EQ(t.count(), 2);
    }
}

TEST(ConfigRead, FailuresKeepWhatWasReadBefore) {
    FakeMessageBox box;
    HashTable t;
    EXPECT_FALSE(parseConfig(t, "a = 1\nb = 2\na = 3\nc = 4\n", &box));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.item("a"), "1");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text,
              "This key is already associated with an element of this collection:\r\na");

    EXPECT_FALSE(parseConfig(t, "x = 1\n= 2\n"));  // empty key
    EXPECT_EQ(t.count(), 1);
    EXPECT_FALSE(parseConfig(t, ""));  // an empty file is a failed read
    EXPECT_EQ(t.count(), 0);
    EXPECT_FALSE(readConfig(t, "/nonexistent/settings.cfg"));
}

TEST(ConfigRead, ReadsWindows1250AndUtf8AlikeAndSurvivesOddBytes) {
    EXPECT_EQ(parse("név = \"Győző\"\n").item("név"), "Győző");
    EXPECT_EQ(parse(utf8ToCp1250("név = \"Győző\"\n")).item("név"), "Győző");
    bool ok = false;
    HashTable t = parse(std::string("a = x\0y\nb = ", 12) + std::string(1 << 20, 'z'), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(t.item("a"), std::string("x\0y", 3));
    EXPECT_EQ(t.item("b").size(), 1u << 20);
}

TEST(ConfigWrite, FormattedPadsKeysAndQuotesOnlyWhatIsNotANumber) {
    HashTable t;
    t.add("AS_TrayIcon", "1");
    t.add("Skin", "metal_big");
    t.add("Neg", "-3");
    t.add("Flag", "TRUE");
    t.add("Zeros", "007");
    t.add("Half", "1.5");
    t.add("Empty", "");
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
    t.add("Ünnep", "Nemzeti ünnep // nem megjegyzés");
    t.add("b", "  blanks kept  ");
    t.add("n", "42");
    t.add("e", "");
    const std::string path = dir.file("settings.cfg");
    ASSERT_TRUE(writeConfig(t, path));
    EXPECT_NE(dir.read("settings.cfg").find(utf8ToCp1250("Ünnep")), std::string::npos);
    HashTable back;
    ASSERT_TRUE(readConfig(back, path));
    ASSERT_EQ(back.count(), t.count());
    for (int i = 1; i <= t.count(); ++i) {
        EXPECT_EQ(back.keyByIndex(i), t.keyByIndex(i));
        EXPECT_EQ(back.itemByIndex(i), t.itemByIndex(i));
    }
}

TEST(ConfigWrite, AFailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    dir.write("settings.cfg", "old = 1\r\n");
    HashTable t;
    t.add("new", "2");
    // The folder is gone: the temporary file cannot be made, nothing is replaced.
    EXPECT_FALSE(writeConfig(t, dir.file("missing/settings.cfg")));
    EXPECT_EQ(dir.read("settings.cfg"), "old = 1\r\n");
}

}  // namespace
}  // namespace tv
