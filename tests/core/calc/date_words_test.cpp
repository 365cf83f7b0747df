// Dates written for people, over every month, with the month names as the string table ships
// them.
#include "core/calc/date_words.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "core/config/string_table.h"

namespace tv {
namespace {

const std::string kSourceDir = TV_TEST_SOURCE_DIR;

constexpr std::array<std::string_view, 12> kMonths = {
    "január", "február",   "március",    "április", "május",    "június",
    "július", "augusztus", "szeptember", "október", "november", "december"};
// The abbreviations of the Academy's list: whole syllables and the next consonants, then a stop.
constexpr std::array<std::string_view, 12> kAbbreviations = {"jan.",   "febr.", "márc.", "ápr.",
                                                             "máj.",   "jún.",  "júl.",  "aug.",
                                                             "szept.", "okt.",  "nov.",  "dec."};

class DateWords : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        loaded = strings.loadFile(kSourceDir + "/data/hun_strings.dat");
    }
    void SetUp() override { ASSERT_TRUE(loaded); }
    static StringTable strings;
    static bool loaded;
};
StringTable DateWords::strings;
bool DateWords::loaded = false;

Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

TEST_F(DateWords, TheExamplesOfTheRules) {
    const Date d = ymd(2026, 12, 6);
    EXPECT_EQ(longDateText(d, strings), "2026. december 6.");
    EXPECT_EQ(numericDateText(d), "2026. 12. 06.");
    EXPECT_EQ(shortDateText(d, strings), "dec. 6.");
    EXPECT_EQ(monthDayText(5, 1, strings), "május 1.");
    EXPECT_EQ(dateTimeText(DateTime::of(d, 14, 5, 9), strings), "2026. december 6. 14:05");
}

TEST_F(DateWords, EveryMonthInEveryForm) {
    for (int m = 1; m <= 12; ++m) {
        const std::string name(kMonths[static_cast<size_t>(m - 1)]);
        const std::string abbreviation(kAbbreviations[static_cast<size_t>(m - 1)]);
        SCOPED_TRACE(name);
        // The abbreviation is the start of the name and keeps its full stop.
        EXPECT_TRUE(name.starts_with(abbreviation.substr(0, abbreviation.size() - 1)));
        for (int day : {1, 9, 10, daysInMonth(2024, m)}) {
            const Date d = ymd(2024, m, day);
            const std::string dd = std::to_string(day);
            EXPECT_EQ(longDateText(d, strings), "2024. " + name + " " + dd + ".");
            EXPECT_EQ(shortDateText(d, strings), abbreviation + " " + dd + ".");
            EXPECT_EQ(monthDayText(m, day, strings), name + " " + dd + ".");
            const std::string mm = (m < 10 ? "0" : "") + std::to_string(m);
            EXPECT_EQ(numericDateText(d), "2024. " + mm + ". " + (day < 10 ? "0" : "") + dd + ".");
        }
    }
}

TEST_F(DateWords, TheHourHasNoLeadingZeroTheMinuteHasTwoDigits) {
    const Date d = ymd(2024, 2, 29);
    EXPECT_EQ(dateTimeText(DateTime::of(d, 0, 0, 0), strings), "2024. február 29. 0:00");
    EXPECT_EQ(dateTimeText(DateTime::of(d, 8, 5, 59), strings), "2024. február 29. 8:05");
    EXPECT_EQ(dateTimeText(DateTime::of(d, 23, 59, 0), strings), "2024. február 29. 23:59");
}

TEST_F(DateWords, ADateThatDoesNotExistIsShownAsSaved) {
    EXPECT_EQ(numericDateText(2023, 2, 30), "2023. 02. 30.");
    EXPECT_EQ(monthDayText(13, 1, strings), "13. 1.");  // never the bare string-table key
}

}  // namespace
}  // namespace tv
