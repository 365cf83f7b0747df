#include "core/names/name_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/string_table.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

TEST(NameFileLines, EveryLineEndCountsOnceAndNoPhantomLastLine) {
    auto lines = [](std::string_view text) {
        std::vector<std::string> out;
        forEachTextLine(text, [&](std::string_view l) { out.emplace_back(l); });
        return out;
    };
    EXPECT_EQ(lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(lines("").empty());
}

TEST(NameTable, ReadsTheWindows1250FileAndLeavesMissingDaysEmpty) {
    test::TempDir dir;
    NameTable t;
    EXPECT_FALSE(t.load(dir.dir()));
    std::filesystem::create_directory(dir.file("data"));
    dir.write("data/hun_names.dat",
              "Fruzsina\r\n\xC1"
              "bel\r\nGenov\xE9va, Benj\xE1min\r\n");
    ASSERT_TRUE(t.load(dir.dir()));
    EXPECT_EQ(t.line(1), "Ábel");
    EXPECT_EQ(t.line(2), "Genovéva, Benjámin");
    EXPECT_EQ(t.line(3), "");
    EXPECT_EQ(t.line(-1), "");

    std::string longText;
    for (int i = 0; i < 370; ++i)
        longText += "n" + std::to_string(i) + "\n";
    t.loadText(longText);
    EXPECT_EQ(t.line(364), "n364");
    EXPECT_EQ(t.line(365), "");
}

TEST(NameTable, AByteOrderMarkIsNotPartOfTheFirstDaysNames) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("data"));
    dir.write("data/hun_names.dat",
              "\xEF\xBB\xBF"
              "Fruzsina\r\n\xC3\x81"
              "bel\r\n");
    NameTable t;
    ASSERT_TRUE(t.load(dir.dir()));
    EXPECT_EQ(t.line(0), "Fruzsina");
    EXPECT_EQ(t.line(1), "Ábel");
    std::string text;
    ASSERT_TRUE(readNameFile(dir.file("data/hun_names.dat"), text));
    EXPECT_EQ(text, "Fruzsina\r\nÁbel\r\n");
}

TEST(NameTable, NamesOfDateFollowTheLeapDayRule) {
    std::string text;
    for (int i = 0; i < 365; ++i)
        text += "n" + std::to_string(i) + "\n";
    NameTable t;
    t.loadText(text);
    StringTable strings;
    strings.table().setItem("main_leapyear", "leap");

    EXPECT_EQ(namesOfDate(t, 2023, 2, 24, strings), "n54");
    EXPECT_EQ(namesOfDate(t, 2024, 2, 24, strings), "leap");
    EXPECT_EQ(namesOfDate(t, 2024, 2, 25, strings), "n54");
    EXPECT_EQ(namesOfDate(t, 2024, 12, 31, strings), "n364");
    EXPECT_EQ(namesOfDate(t, 2023, 2, 29, strings), "");
}

}  // namespace
}  // namespace tv
