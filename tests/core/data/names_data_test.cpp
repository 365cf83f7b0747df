// The three name files as they ship: the day table (today's text, the month grid), the big name
// list and the name meanings (the name search). The program skips a malformed line without a word,
// so a slip in the data would only show as a missing name; these tests catch it at build time.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/calc/files.h"
#include "core/config/cp1250.h"

namespace tv {
namespace {

const std::string kDataDir = std::string(TV_TEST_SOURCE_DIR) + "/data/";
const char* const kNameFiles[] = {"hun_names.dat", "hun_names_mek.dat", "hun_names_descr.dat"};

std::string readText(const std::string& name) {
    std::string text;
    EXPECT_EQ(readWholeFile(kDataDir + name, text), ReadResult::kOk) << name;
    return text;
}

std::vector<std::string> readLines(const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(readText(name));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> split(std::string_view s, std::string_view sep) {
    std::vector<std::string_view> parts;
    for (size_t at; (at = s.find(sep)) != std::string_view::npos; s.remove_prefix(at + sep.size()))
        parts.push_back(s.substr(0, at));
    parts.push_back(s);
    return parts;
}

struct MonthDay {
    int month = 0;
    int day = 0;
    friend auto operator<=>(const MonthDay&, const MonthDay&) = default;
};

// "3.15." or "3.15.*": both numbers plain decimal, the date real in a common year.
bool parseDay(std::string_view s, MonthDay& out, bool& main) {
    main = s.ends_with('*');
    if (main) s.remove_suffix(1);
    const std::vector<std::string_view> parts = split(s, ".");
    if (parts.size() != 3 || !parts[2].empty()) return false;
    int value[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        if (parts[i].empty() || parts[i].size() > 2 || parts[i][0] == '0') return false;
        for (char c : parts[i]) {
            if (c < '0' || c > '9') return false;
            value[i] = value[i] * 10 + (c - '0');
        }
    }
    out = {value[0], value[1]};
    return Date::fromYmd(2001, out.month, out.day).has_value();
}

struct ListEntry {
    std::vector<MonthDay> days;
    int mainDays = 0;
    MonthDay mainDay;
};

// The big list, read as the name search reads it but strictly: every line that is neither empty
// nor a comment must be a complete entry.
std::map<std::string, ListEntry> loadNameList() {
    std::map<std::string, ListEntry> list;
    int lineNo = 0;
    for (const std::string& raw : readLines("hun_names_mek.dat")) {
        ++lineNo;
        std::string_view line = trim(raw);
        if (line.empty() || line.starts_with("//")) continue;
        const size_t blank = line.find(' ');
        if (blank == std::string_view::npos || line.find("//") != std::string_view::npos) {
            ADD_FAILURE() << "hun_names_mek.dat:" << lineNo << ": " << raw;
            continue;
        }
        const std::string name(line.substr(0, blank));
        ListEntry entry;
        for (std::string_view text : split(trim(line.substr(blank)), ", ")) {
            MonthDay day;
            bool main = false;
            if (!parseDay(text, day, main)) {
                ADD_FAILURE() << "hun_names_mek.dat:" << lineNo << ": bad day \"" << text << '"';
                continue;
            }
            if (main) {
                ++entry.mainDays;
                entry.mainDay = day;
            }
            entry.days.push_back(day);
        }
        EXPECT_TRUE(std::set<MonthDay>(entry.days.begin(), entry.days.end()).size() ==
                    entry.days.size())
            << "hun_names_mek.dat:" << lineNo << ": a day listed twice";
        EXPECT_TRUE(list.emplace(name, entry).second) << "hun_names_mek.dat: " << name << " twice";
    }
    return list;
}

TEST(NameDayTable, HasOneOrTwoNamesForEveryDayOfACommonYear) {
    const std::vector<std::string> lines = readLines("hun_names.dat");
    ASSERT_EQ(lines.size(), 365u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> names = split(lines[i], ", ");
        EXPECT_LE(names.size(), 2u) << "line " << i + 1;
        for (std::string_view name : names) {
            EXPECT_FALSE(name.empty()) << "line " << i + 1;
            EXPECT_EQ(name.find_first_of(" ,"), std::string_view::npos) << "line " << i + 1;
        }
    }
    // Spot checks at both ends of the year and around the leap day.
    EXPECT_EQ(lines[0], "Fruzsina");
    EXPECT_EQ(lines[2], "Genovéva, Benjámin");
    EXPECT_EQ(lines[54], "Mátyás");   // 24 February
    EXPECT_EQ(lines[231], "István");  // 20 August
    EXPECT_EQ(lines[364], "Szilveszter");
}

TEST(NameList, HoldsEnoughNamesEachWithAtMostOneMainDay) {
    const std::map<std::string, ListEntry> list = loadNameList();
    EXPECT_GE(list.size(), 2000u);
    for (const auto& [name, entry] : list) {
        EXPECT_FALSE(entry.days.empty()) << name;
        EXPECT_LE(entry.mainDays, 1) << name;
        // A lone day is the name day; marking it main would say nothing.
        EXPECT_TRUE(entry.days.size() > 1 || entry.mainDays == 0) << name;
    }
}

TEST(NameList, HoldsEveryCalendarNameOnItsCalendarDays) {
    const std::map<std::string, ListEntry> list = loadNameList();
    const std::vector<std::string> lines = readLines("hun_names.dat");
    std::map<std::string, std::set<MonthDay>> calendarDays;
    const Date first = Date::serial(2001, 1, 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Date date = first.addDays(static_cast<int>(i));
        for (std::string_view name : split(lines[i], ", "))
            calendarDays[std::string(name)].insert({date.month(), date.day()});
    }
    for (const auto& [name, days] : calendarDays) {
        const auto it = list.find(name);
        ASSERT_NE(it, list.end()) << name << " is missing from the name list";
        const ListEntry& entry = it->second;
        for (MonthDay day : days) {
            EXPECT_NE(std::find(entry.days.begin(), entry.days.end(), day), entry.days.end())
                << name << " lacks " << day.month << "." << day.day << ".";
        }
        // The main day of a calendar name is the day the calendar shows it on.
        EXPECT_TRUE(entry.mainDays == 0 || days.contains(entry.mainDay)) << name;
        EXPECT_TRUE(entry.days.size() == 1 || entry.mainDays == 1) << name;
    }
}

TEST(NameMeanings, EveryEntryHasTextAndNamesAListedName) {
    const std::map<std::string, ListEntry> list = loadNameList();
    std::map<std::string, int> textLines;
    std::string open;
    for (const std::string& line : readLines("hun_names_descr.dat")) {
        if (line.starts_with("*")) {
            open = line.substr(1);
            EXPECT_FALSE(open.empty());
            EXPECT_TRUE(textLines.emplace(open, 0).second) << open << " described twice";
        } else if (line.starts_with("- ")) {
            ASSERT_FALSE(open.empty()) << "text before the first name: " << line;
            EXPECT_FALSE(trim(line.substr(2)).empty()) << open;
            ++textLines[open];
        }
    }
    EXPECT_GE(textLines.size(), 400u);
    for (const auto& [name, count] : textLines) {
        EXPECT_GT(count, 0) << name << " has no text";
        EXPECT_TRUE(list.contains(name)) << name << " is not in the name list";
    }
}

TEST(NameFiles, EveryCharacterFitsWindows1250) {
    for (const char* file : kNameFiles) {
        const std::string text = readText(file);
        ASSERT_TRUE(isValidUtf8(text)) << file;
        int lineNo = 0;
        for (std::string_view line : split(text, "\n")) {
            ++lineNo;
            EXPECT_TRUE(fitsCp1250(line)) << file << ":" << lineNo << ": " << line;
        }
    }
}

}  // namespace
}  // namespace tv
